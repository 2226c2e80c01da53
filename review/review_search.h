// The review rendering of one report's search: the conditions at the top,
// then the matching properties under their object's path heading, each line
// that satisfies the condition marked and numbered, the searched strings
// marked within it, the other lines of the value folded beyond a little
// context. Properties that do not match (listed unless FOUND_ONLY) are
// gathered in a closed group per object.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "review/html_text.h"
#include "review/object_headings.h"
#include "review/review_page.h"
#include "search/search_table.h"
#include "text/text_sink.h"

namespace tarnwick {

class ReviewSearchPage final : public SearchEvents {
 public:
  explicit ReviewSearchPage(const PageWords& words = JapanesePageWords()) : words_(words) {}
  void Header(std::u16string_view reportPath, const SearchQuery& query) override;
  void Headings(PathStacks& stacks) override;
  void Property(const PathStacks& stacks, std::u16string_view name, bool matched,
                std::span<const SearchLine> lines) override;

  // Writes the hits ahead into a spool of `page` as they come; WritePage
  // must then go to `page`.
  void StreamTo(TextSink& page);
  // Writes the whole page; `heading` names the report, `counts` is the tally.
  void WritePage(std::u16string_view heading, const SearchCounts& counts, TextSink& page);
  // The whole page as text, when nothing was streamed.
  std::u16string Page(std::u16string_view heading, const SearchCounts& counts);

 private:
  void CloseOtherGroup();
  // Moves what the hits hold so far into the spool, once it is sizeable.
  void Spill();
  std::vector<TextSpan> Hits(std::u16string_view line) const;

  const PageWords& words_;
  const SearchQuery* query_ = nullptr;
  std::u16string header_;
  std::u16string main_;                 // the hits not yet spooled
  std::unique_ptr<TextSpool> spooled_;  // the hits before them, when streaming
  std::size_t hits_ = 0;
  std::size_t objects_ = 0;
  FoldStore folds_;
  bool otherGroupOpen_ = false;
  EnclosingLines enclosing_;
};

}  // namespace tarnwick
