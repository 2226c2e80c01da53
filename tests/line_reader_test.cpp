#include "text/line_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tarnwick {
namespace {

std::vector<std::u16string> AllLines(std::u16string_view text) {
  std::vector<std::u16string> lines;
  std::int64_t position = 1;
  while (position != -1) lines.emplace_back(ReadLine(text, position));
  return lines;
}

using Lines = std::vector<std::u16string>;

TEST(ReadLine, CutsAtLineFeedsAndDropsOneCarriageReturnOrEndOfFileMark) {
  EXPECT_EQ(AllLines(u"a\r\nb"), (Lines{u"a", u"b"}));
  EXPECT_EQ(AllLines(u"a\r\nb\r\n"), (Lines{u"a", u"b", u""}));
  EXPECT_EQ(AllLines(u""), (Lines{u""}));
  EXPECT_EQ(AllLines(u"\n"), (Lines{u"", u""}));
  // Only one character is dropped, and only at the end of a line.
  EXPECT_EQ(AllLines(u"a\r\r\nb\x1A"), (Lines{u"a\r", u"b"}));
  EXPECT_EQ(AllLines(u"x\ry\n\x1A\x1A"), (Lines{u"x\ry", u"\x1A"}));
  // Tabs, blanks and U+3000 are kept.
  EXPECT_EQ(AllLines(u"\t a\u3000 \n"), (Lines{u"\t a\u3000 ", u""}));
}

TEST(ReadLine, AdvancesThePositionPastTheLineFeedAndEndsAtMinusOne) {
  const std::u16string text = u"ab\ncd";
  std::int64_t position = 1;
  EXPECT_EQ(ReadLine(text, position), u"ab");
  EXPECT_EQ(position, 4);
  EXPECT_EQ(ReadLine(text, position), u"cd");
  EXPECT_EQ(position, -1);
  EXPECT_EQ(ReadLine(text, position), u"");
  EXPECT_EQ(position, -1);
  // Starting in the middle of a line reads its rest.
  position = 2;
  EXPECT_EQ(ReadLine(text, position), u"b");
  EXPECT_EQ(position, 4);
}

TEST(ReadLine, APositionOutsideTheTextReadsNothing) {
  const std::u16string text = u"ab";
  std::int64_t position = 0;
  EXPECT_EQ(ReadLine(text, position), u"");
  EXPECT_EQ(position, -1);
  position = 4;
  EXPECT_EQ(ReadLine(text, position), u"");
  EXPECT_EQ(position, -1);
  position = 3;  // just past the end: the empty rest
  EXPECT_EQ(ReadLine(text, position), u"");
  EXPECT_EQ(position, -1);
}

TEST(ReadLine, ReturnsAViewIntoTheText) {
  const std::u16string text = u"first\nsecond";
  std::int64_t position = 7;
  const std::u16string_view line = ReadLine(text, position);
  EXPECT_EQ(line.data(), text.data() + 6);
}

TEST(ReadLine, FindsLineFeedsAtEveryOffsetOfLongAndShortLines) {
  // Lines of 0 to 40 units, so that line feeds fall on every offset of a
  // block of eight and in the tail after the last whole block.
  std::u16string text;
  Lines expected;
  for (int length = 0; length <= 40; ++length) {
    std::u16string line(static_cast<std::size_t>(length), u'ｱ');
    if (length > 0) line[static_cast<std::size_t>(length) / 2] = u'\x0A' + 1;
    expected.push_back(line);
    text += line;
    if (length < 40) text += u'\n';
  }
  EXPECT_EQ(AllLines(text), expected);
}

}  // namespace
}  // namespace tarnwick
