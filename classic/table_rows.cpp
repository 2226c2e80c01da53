#include "classic/table_rows.h"

#include <array>

#include "base/error.h"
#include "text/decimal.h"

namespace tarnwick {

namespace {

constexpr std::size_t kRuleWidth = 80;

constexpr auto kRuleText = [] {
  std::array<char16_t, kRuleWidth + 2> text{};
  text[0] = u'\r';
  text[1] = u'\n';
  for (std::size_t i = 2; i < text.size(); ++i) text[i] = u'=';
  return text;
}();

}  // namespace

std::u16string_view RuleLine() {
  return {kRuleText.data(), kRuleText.size()};
}

std::u16string HeadingAttributes(std::u16string_view colour) {
  std::u16string attributes(kColspan2);
  attributes += u' ';
  attributes += colour;
  return attributes;
}

void WriteHeadingRow(HTMLTblCls& table, std::u16string_view text, std::u16string_view attributes) {
  table.StartRow();
  for (int i = 0; i < 4; ++i) table.AddCell(u"", u"");
  table.AddCell(text, attributes);
}

void WriteSeparatorRow(HTMLTblCls& table) {
  WriteHeadingRow(table, RuleLine(), kColspan2);
}

void WriteHeaders(PathStacks& stacks, HTMLTblCls& resultTable) {
  if (stacks.depth <= 0) return;
  const auto depth = static_cast<std::size_t>(stacks.depth);
  if (stacks.pathKeys.size() <= depth || stacks.headPending.size() <= depth ||
      stacks.mark1.size() <= depth || stacks.mark2.size() <= depth) {
    throw Error(kGeneralErrorNumber,
                u"見出しの階層 " + DecimalText(stacks.depth) + u" がパスの記録を超えています。");
  }

  std::u16string title;
  for (std::size_t a = 1; a <= depth; ++a) {
    if (!stacks.headPending[a]) continue;
    stacks.headPending[a] = false;

    title = stacks.pathKeys[a];
    if (a > 1) {
      title += u" ( ";
      for (std::size_t b = a - 1; b >= 1; --b) {
        title += stacks.pathKeys[b];
        if (b > 1) title += u'>';
      }
      title += u" ) ";
    }
    const std::u16string_view colour = stacks.mark1[a] == kStar   ? kSide1Colour
                                       : stacks.mark2[a] == kStar ? kSide2Colour
                                                                  : std::u16string_view();

    WriteSeparatorRow(resultTable);
    resultTable.StartRow();
    resultTable.AddCell(stacks.mark1[a], u"");
    resultTable.AddCell(stacks.mark2[a], u"");
    resultTable.AddCell(u"", u"");
    resultTable.AddCell(u"", u"");
    resultTable.AddCell(title, HeadingAttributes(colour));
  }
}

void PropertyRows::Row(std::u16string_view mark1, std::u16string_view mark2,
                       std::u16string_view number1, std::u16string_view number1Attributes,
                       std::u16string_view number2, std::u16string_view number2Attributes,
                       std::u16string_view value, std::u16string_view valueAttributes) {
  table_.StartRow();
  table_.AddCell(mark1, u"");
  table_.AddCell(mark2, u"");
  table_.AddCell(number1, number1Attributes);
  table_.AddCell(number2, number2Attributes);
  if (nameWritten_) {
    table_.AddCell(u"", u"");
  } else {
    table_.AddCell(name_, nameColour_);
    nameWritten_ = true;
  }
  table_.AddCell(value, valueAttributes);
}

void PropertyRows::DiffRows(std::span<const LineRecord> records, bool colourNumbers) {
  const std::u16string_view numberColour1 = colourNumbers ? kSide1Colour : u"";
  const std::u16string_view numberColour2 = colourNumbers ? kSide2Colour : u"";
  DecimalBuffer number1, number2;
  const auto number = [](std::int32_t idx, DecimalBuffer& buffer) {
    return idx != 0 ? DecimalText(idx, buffer) : std::u16string_view();
  };
  for (const LineRecord& record : records) {
    switch (record.kind) {
      case LineKind::kCommon:
        Row(u"", u"", number(record.idx1, number1), u"", number(record.idx2, number2), u"",
            record.idx1 != 0 ? record.line1 : record.line2, u"");
        break;
      case LineKind::kOnly1:
        Row(kStar, u"", number(record.idx1, number1), numberColour1, u"", numberColour1,
            record.line1, kSide1Colour);
        break;
      case LineKind::kOnly2:
        Row(u"", kStar, u"", numberColour2, number(record.idx2, number2), numberColour2,
            record.line2, kSide2Colour);
        break;
    }
  }
}

}  // namespace tarnwick
