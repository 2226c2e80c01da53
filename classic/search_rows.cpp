#include "classic/search_rows.h"

#include <string>

#include "classic/table_rows.h"
#include "text/decimal.h"

namespace tarnwick {

void ClassicSearchRows::Header(std::u16string_view reportPath, const SearchQuery& query) {
  WriteHeadingRow(table_, reportPath, HeadingAttributes(kSide1Colour));
  std::u16string_view label = query.condAnd ? words_.searchAll : words_.searchAny;
  for (const SearchTerm& term : query.terms) {
    if (term.text.empty()) continue;
    table_.StartRow();
    for (int k = 0; k < 4; ++k) table_.AddCell(u"", u"");
    table_.AddCell(label, u"");
    table_.AddCell(term.text + std::u16string(term.contain ? words_.contains : words_.containsNot),
                   u"");
    label = {};
  }
}

void ClassicSearchRows::Headings(PathStacks& stacks) {
  WriteHeaders(stacks, table_);
}

void ClassicSearchRows::Property(const PathStacks&, std::u16string_view name, bool,
                                 std::span<const SearchLine> lines) {
  PropertyRows rows(table_, name);
  DecimalBuffer number;
  std::int64_t j = 0;
  for (const SearchLine& line : lines) {
    rows.Row(line.hit ? kStar : u"", u"", DecimalText(++j, number), u"", u"", u"", line.text,
             line.hit ? kHitColour : u"");
  }
}

}  // namespace tarnwick
