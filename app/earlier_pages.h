// What an earlier run left where a run is about to write. Each kind of run
// writes pages of its own kinds, and a page tells its kind by how it
// begins (the classic table's first rows, the review page's title), so a
// run can see that it would replace another kind's page without keeping any
// record of past runs. A file comparison's page and a folder comparison's
// pair page are one kind: nothing in them tells them apart.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "app/window_ops.h"

namespace tarnwick {

enum class PageKind {
  Other,  // no page of a run: missing, unreadable, or written by something else
  ComparisonSummary,
  Comparison,
  ObjectComparison,
  SearchSummary,
  Search,
};

// The kind that the first bytes of a file show; Other when they show none.
PageKind KindOfPageStart(std::string_view start);
// The kind of the file at `path`, read from its start.
PageKind KindOfPageAt(std::u16string_view path);

struct PlannedPage {
  std::u16string path;
  PageKind kind;
};

// True when the run may write its pages: none would replace a page of
// another kind, or the window, asked once (naming the first such page),
// agreed to replace them. Pages of the same kind are replaced as always.
bool ConfirmReplacingOtherPages(const std::vector<PlannedPage>& pages, WindowOps& window);

}  // namespace tarnwick
