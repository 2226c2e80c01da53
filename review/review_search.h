// The review rendering of one report's search: the conditions at the top,
// then the matching properties under their object's path heading, each line
// that satisfies the condition marked and numbered, the searched strings
// marked within it, the other lines of the value folded beyond a little
// context. Properties that do not match (listed unless FOUND_ONLY) are
// gathered in a closed group per object.
#pragma once

#include <string>
#include <string_view>

#include "review/html_text.h"
#include "review/review_page.h"
#include "search/search_table.h"

namespace tarnwick {

class ReviewSearchPage final : public SearchEvents {
 public:
  void Header(std::u16string_view reportPath, const SearchQuery& query) override;
  void Headings(PathStacks& stacks) override;
  void Property(const PathStacks& stacks, std::u16string_view name, bool matched,
                std::span<const SearchLine> lines) override;

  // The whole page; `heading` names the report, `counts` is the tally.
  std::u16string Page(std::u16string_view heading, const SearchCounts& counts);

 private:
  void CloseOtherGroup();
  std::vector<TextSpan> Hits(std::u16string_view line) const;

  const SearchQuery* query_ = nullptr;
  std::u16string header_;
  std::u16string main_;
  std::size_t hits_ = 0;
  std::size_t objects_ = 0;
  FoldStore folds_;
  bool otherGroupOpen_ = false;
  std::u16string groupPath_;  // the enclosing objects named by the last group line
};

}  // namespace tarnwick
