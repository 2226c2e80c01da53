// The classic rendering of a search: the report path row, a row per used
// search string, then per property a row per line, the lines that satisfy
// the condition marked "*" and highlighted pink, under the object heading
// rows the comparison uses too.
#pragma once

#include <span>
#include <string_view>

#include "classic/html_table.h"
#include "messages/page_words.h"
#include "search/search_table.h"

namespace tarnwick {

inline constexpr std::u16string_view kHitColour = u"bgcolor=\"pink\"";

class ClassicSearchRows final : public SearchEvents {
 public:
  explicit ClassicSearchRows(HTMLTblCls& table, const PageWords& words = JapanesePageWords())
      : table_(table), words_(words) {}
  void Header(std::u16string_view reportPath, const SearchQuery& query) override;
  void Headings(PathStacks& stacks) override;
  void Property(const PathStacks& stacks, std::u16string_view name, bool matched,
                std::span<const SearchLine> lines) override;

 private:
  HTMLTblCls& table_;
  const PageWords& words_;
};

}  // namespace tarnwick
