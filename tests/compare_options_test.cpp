#include "diff/compare_options.h"

#include <gtest/gtest.h>

#include "classic/compare_rows.h"
#include "diff/line_difference.h"
#include "diff/tree_compare.h"
#include "tests/tree_builders.h"
#include "text/utf8.h"

namespace tarnwick {
namespace {

constexpr CompareOptions kBlanks{true, false};
constexpr CompareOptions kCase{false, true};

std::string Keys(std::u16string_view value, const CompareOptions& options) {
  ComparisonLines lines;
  MakeComparisonLines(value, options, lines);
  std::string out = ToUtf8(lines.text) + " @";
  for (const std::int32_t origin : lines.origin) out += " " + std::to_string(origin);
  return out;
}

TEST(CompareOptions, WithoutOptionsValuesCompareExactly) {
  EXPECT_TRUE(ValuesEqual(u"a b", u"a b", {}));
  EXPECT_FALSE(ValuesEqual(u"a b", u"a  b", {}));
  EXPECT_FALSE(ValuesEqual(u"a", u"a ", {}));
  EXPECT_FALSE(ValuesEqual(u"Abc", u"abc", {}));
}

TEST(CompareOptions, IgnoreBlanksFoldsRunsAndDropsTrailingBlanksAndBlankLines) {
  EXPECT_EQ(Keys(u"  IF  x\tTHEN  \r\n\r\n \t \r\nEND IF;", kBlanks), " IF x THEN\nEND IF; @ 1 4");
  EXPECT_TRUE(ValuesEqual(u"a  b ", u"a\tb", kBlanks));
  EXPECT_TRUE(ValuesEqual(u"x\r\ny", u"x\r\n\r\ny\r\n", kBlanks));
  EXPECT_FALSE(ValuesEqual(u"ab", u"a b", kBlanks)) << "a blank is not nothing";
  EXPECT_FALSE(ValuesEqual(u"a", u"A", kBlanks));
  // Only spaces and tabs are blanks here; the full-width space is text.
  EXPECT_FALSE(ValuesEqual(u"a\u3000b", u"a b", kBlanks));
  EXPECT_EQ(Keys(u" \r\n ", kBlanks), " @") << "a value of blank lines has no key line";
}

TEST(CompareOptions, IgnoreCaseKeepsQuotedLiteralsAndFollowsThemAcrossLines) {
  EXPECT_TRUE(ValuesEqual(u"select x from t", u"SELECT X FROM T", kCase));
  EXPECT_FALSE(ValuesEqual(u"x = 'abc'", u"X = 'ABC'", kCase));
  EXPECT_FALSE(ValuesEqual(u"\"Col\"", u"\"COL\"", kCase)) << "quoted identifiers keep case";
  EXPECT_TRUE(ValuesEqual(u"x := 'it''s' || y", u"X := 'it''s' || Y", kCase));
  // A literal open at the end of a line goes on in the next.
  EXPECT_EQ(Keys(u"m('first\r\nsecond') x", kCase), "M('first\nsecond') X @ 1 2");
  // A quote in a comment opens no literal.
  EXPECT_EQ(Keys(u"a -- don't\r\nb /* it's */ c 'q'", kCase),
            "A -- DON'T\nB /* IT'S */ C 'q' @ 1 2");
  // Full-width letters fold too.
  EXPECT_TRUE(ValuesEqual(u"ａｂｃ", u"ＡＢＣ", kCase));
}

TEST(CompareOptions, KeyLinesEndingInCrOrSubStayWhole) {
  // The line reader would cut the CR again; a marker keeps it.
  ComparisonLines lines;
  MakeComparisonLines(u"a\r\r\nb", kCase, lines);
  EXPECT_EQ(lines.text, u"A\r\x01\nB");
  EXPECT_FALSE(ValuesEqual(u"a\r\r\nb", u"a\r\nb", kCase));
}

std::string Records(const std::vector<LineRecord>& records) {
  std::string out;
  for (const LineRecord& r : records) {
    out += r.kind == LineKind::kCommon ? "=" : r.kind == LineKind::kOnly1 ? "-" : "+";
    out += std::to_string(r.idx1) + "," + std::to_string(r.idx2) + " ";
    out += ToUtf8(r.idx1 != 0 ? r.line1 : r.line2);
    if (r.idx1 != 0 && r.idx2 != 0 && r.line1 != r.line2) out += "|" + ToUtf8(r.line2);
    out += "\n";
  }
  return out;
}

TEST(LineDifference, RecordsPointAtTheOriginalLines) {
  LineDiffer differ;
  EXPECT_EQ(Records(differ.Compare(u"a\r\nb\r\nc", u"a\r\nx\r\nc")),
            "=1,1 a\n-2,0 b\n+0,2 x\n=3,3 c\n");
  EXPECT_EQ(Records(differ.OneSide(u"p\r\nq", 2)), "+0,1 p\n+0,2 q\n");
}

TEST(LineDifference, UnderOptionsLinesMapBackAndIgnoredLinesStayCommon) {
  LineDiffer differ;
  // Indentation changed, a blank line added, one line really changed.
  const std::u16string before = u"BEGIN\r\n  x := 1;\r\n  y := 2;\r\nEND;";
  const std::u16string after = u"BEGIN\r\n    x := 1;\r\n\r\n    y := 3;\r\nEND;";
  EXPECT_EQ(Records(differ.Compare(before, after, kBlanks)),
            "=1,1 BEGIN\n"
            "=2,2   x := 1;|    x := 1;\n"
            "-3,0   y := 2;\n"
            "=0,3 \n"
            "+0,4     y := 3;\n"
            "=4,5 END;\n");
  // Every original line appears exactly once on its side.
  EXPECT_EQ(Records(differ.Compare(u"\r\n\r\na", u"a\r\n\r\n", kBlanks)),
            "=1,0 \n=2,0 \n=3,1 a\n=0,2 \n=0,3 \n");
}

TEST(LineDifference, AValueWithoutKeyLinesIsAllOneSided) {
  LineDiffer differ;
  // The ignored lines of side 1 follow, as nothing places them earlier.
  EXPECT_EQ(Records(differ.Compare(u" \r\n", u"x\r\ny", kBlanks)),
            "+0,1 x\n+0,2 y\n=1,0  \n=2,0 \n");
}

}  // namespace
}  // namespace tarnwick

namespace tarnwick {
namespace {

TEST(CompareOptions, DecideWhatTheTreeWalkCallsEqual) {
  using testing::Obj;
  using testing::Prop;
  const clsItem side1 = Obj(u"", {Obj(u"B", {Prop(u"WHERE句", u"status = 'a'  ")})});
  const clsItem side2 = Obj(u"", {Obj(u"B", {Prop(u"WHERE句", u"STATUS = 'a'")})});
  const auto differs = [&](const CompareOptions& options) {
    HTMLTblCls table;
    ClassicCompareRows rows(table);
    PathStacks stacks;
    const bool diffFound = CompareNodes(side1, side2, stacks, rows, true, options);
    EXPECT_EQ(diffFound, !table.sStr().empty());
    return diffFound;
  };
  EXPECT_TRUE(differs({}));
  EXPECT_TRUE(differs({true, false}));
  EXPECT_TRUE(differs({false, true}));
  EXPECT_FALSE(differs({true, true}));
}

}  // namespace
}  // namespace tarnwick
