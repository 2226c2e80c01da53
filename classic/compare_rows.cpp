#include "classic/compare_rows.h"

#include "classic/table_rows.h"
#include "text/decimal.h"
#include "text/line_reader.h"

namespace tarnwick {

void ClassicCompareRows::Title(std::u16string_view text, int side) {
  WriteHeadingRow(table_, text, HeadingAttributes(side == 1 ? kSide1Colour : kSide2Colour));
}

void ClassicCompareRows::OutlineEqual(std::u16string_view outline) {
  WriteSeparatorRow(table_);
  PropertyRows rows(table_, words_.outlineSection);
  std::int64_t position = 1;
  while (position != -1) rows.Row(u"", u"", u"", u"", u"", u"", ReadLine(outline, position), u"");
}

void ClassicCompareRows::OutlineChanged(std::span<const LineRecord> lines) {
  WriteSeparatorRow(table_);
  PropertyRows(table_, words_.outlineSection).DiffRows(lines, false);
}

void ClassicCompareRows::Headings(PathStacks& stacks) {
  WriteHeaders(stacks, table_);
}

void ClassicCompareRows::EqualProperty(const PathStacks&, std::u16string_view name,
                                       std::u16string_view value) {
  PropertyRows rows(table_, name);
  DecimalBuffer buffer;
  std::int64_t position = 1;
  for (std::int64_t k = 1; position != -1; ++k) {
    const std::u16string_view line = ReadLine(value, position);
    const std::u16string_view number = DecimalText(k, buffer);
    rows.Row(u"", u"", number, u"", number, u"", line, u"");
  }
}

void ClassicCompareRows::ChangedProperty(const PathStacks&, const PropertyChange& change) {
  const std::u16string_view nameColour = change.value1 == nullptr   ? kSide2Colour
                                         : change.value2 == nullptr ? kSide1Colour
                                                                    : std::u16string_view();
  PropertyRows rows(table_, change.name, nameColour);
  if (change.multiLine) {
    rows.DiffRows(change.lines, true);
    return;
  }
  if (change.value1 != nullptr) {
    rows.Row(kStar, u"", u"", u"", u"", u"", *change.value1, kSide1Colour);
  }
  if (change.value2 != nullptr) {
    rows.Row(u"", kStar, u"", u"", u"", u"", *change.value2, kSide2Colour);
  }
}

}  // namespace tarnwick
