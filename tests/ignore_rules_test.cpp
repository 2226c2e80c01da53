#include "diff/ignore_rules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tarnwick {
namespace {

IgnoreRules Rules(std::u16string_view text) {
  ParsedIgnoreRules parsed = ParseIgnoreRules(text);
  EXPECT_EQ(parsed.badLine, 0u) << std::string(parsed.badText.begin(), parsed.badText.end());
  return parsed.rules;
}

// Whether the rules ignore `property` of the object at the "/"-separated path.
bool Ignores(const IgnoreRules& rules, std::u16string_view path, std::u16string_view property) {
  std::vector<std::u16string_view> levels;
  while (!path.empty()) {
    const std::size_t slash = path.find(u'/');
    levels.push_back(path.substr(0, slash));
    path = slash == std::u16string_view::npos ? std::u16string_view() : path.substr(slash + 1);
  }
  return rules.Matches(levels, property);
}

constexpr std::u16string_view kItem = u"ﾌｫｰﾑ/ORDERS/ブロック/EMP/項目/ENAME";
constexpr std::u16string_view kCanvas = u"ﾌｫｰﾑ/ORDERS/キャンバス/CANVAS1";

TEST(MatchesWildcard, StarsAndQuestionMarksOverWholeNames) {
  EXPECT_TRUE(MatchesWildcard(u"X位置", u"X位置"));
  EXPECT_FALSE(MatchesWildcard(u"X位置", u"ビューポートX位置")) << "whole names only";
  EXPECT_TRUE(MatchesWildcard(u"*X位置", u"ビューポートX位置"));
  EXPECT_TRUE(MatchesWildcard(u"?位置", u"Y位置"));
  EXPECT_FALSE(MatchesWildcard(u"?位置", u"位置"));
  EXPECT_TRUE(MatchesWildcard(u"FONT*", u"FONT"));
  EXPECT_TRUE(MatchesWildcard(u"*A*B*", u"xxAyyAzzB"));
  EXPECT_FALSE(MatchesWildcard(u"*A*B", u"xxAyyBzz"));
  EXPECT_TRUE(MatchesWildcard(u"*", u""));
  EXPECT_FALSE(MatchesWildcard(u"?", u""));
}

TEST(IgnoreRules, APropertyAloneMatchesItInEveryObjectIgnoringCase) {
  const IgnoreRules rules = Rules(u"X位置\nfont*\n");
  EXPECT_TRUE(Ignores(rules, kItem, u"X位置"));
  EXPECT_TRUE(Ignores(rules, kCanvas, u"X位置"));
  EXPECT_TRUE(Ignores(rules, u"", u"X位置")) << "the compared node itself";
  EXPECT_TRUE(Ignores(rules, kItem, u"FontName"));
  EXPECT_FALSE(Ignores(rules, kItem, u"Y位置"));
  EXPECT_FALSE(Ignores(rules, kItem, u"ビューポートX位置"));
}

TEST(IgnoreRules, ATypeIsTheSectionTheObjectIsListedIn) {
  const IgnoreRules rules = Rules(u"項目: X位置\nitem:YPosition");
  EXPECT_TRUE(Ignores(rules, kItem, u"X位置"));
  EXPECT_FALSE(Ignores(rules, kCanvas, u"X位置"));
  EXPECT_FALSE(Ignores(rules, u"ﾌｫｰﾑ/ORDERS/ブロック/EMP", u"X位置")) << "the block is no item";
  EXPECT_FALSE(Ignores(rules, u"ﾌｫｰﾑ/ORDERS/項目", u"X位置")) << "the section itself is no item";
  EXPECT_TRUE(Ignores(rules, u"FormModule/ORDERS/Block/EMP/Item/ENAME", u"YPosition"));
}

TEST(IgnoreRules, APathPatternMatchesThePathsLastLevelsOrTheWholeWhenAnchored) {
  const IgnoreRules tail = Rules(u"ブロック/*/項目/E*: Y位置");
  EXPECT_TRUE(Ignores(tail, kItem, u"Y位置"));
  EXPECT_FALSE(Ignores(tail, u"ﾌｫｰﾑ/ORDERS/ブロック/EMP/項目/SAL", u"Y位置"));
  EXPECT_FALSE(Ignores(tail, u"ブロック/EMP/項目/ENAME/トリガー/T", u"Y位置"))
      << "the pattern's last level is the object's";
  EXPECT_FALSE(Ignores(tail, u"項目/ENAME", u"Y位置")) << "a shorter path";

  const IgnoreRules anchored = Rules(u"/ﾌｫｰﾑ/ORDERS/**: DirtyInfo\n/ブロック/*/項目/*: 幅");
  EXPECT_TRUE(Ignores(anchored, kItem, u"DirtyInfo"));
  EXPECT_TRUE(Ignores(anchored, u"ﾌｫｰﾑ/ORDERS", u"DirtyInfo")) << "** may stand for no level";
  EXPECT_FALSE(Ignores(anchored, u"ﾌｫｰﾑ/OTHER/ブロック/B", u"DirtyInfo"));
  EXPECT_FALSE(Ignores(anchored, kItem, u"幅")) << "anchored at the top entry";
  EXPECT_TRUE(Ignores(anchored, u"ブロック/EMP/項目/ENAME", u"幅"));

  const IgnoreRules middle = Rules(u"ブロック/EMP/**/トリガー/*: トリガー・テキスト");
  EXPECT_TRUE(Ignores(middle, u"ﾌｫｰﾑ/F/ブロック/EMP/トリガー/T1", u"トリガー・テキスト"));
  EXPECT_TRUE(Ignores(middle, u"ﾌｫｰﾑ/F/ブロック/EMP/項目/I/トリガー/T1", u"トリガー・テキスト"));
  EXPECT_FALSE(Ignores(middle, u"ﾌｫｰﾑ/F/ブロック/DEPT/トリガー/T1", u"トリガー・テキスト"));
}

TEST(ParseIgnoreRules, SkipsCommentsAndBlankLinesAndTrimsEachPart) {
  const IgnoreRules rules =
      Rules(u"# coordinates\r\n\r\n   \t\r\n  項目 ：  X 位置  \r\n# ORDER BY句\rORDER BY句\n");
  EXPECT_EQ(rules.Count(), 2u) << "a full-width colon separates too";
  EXPECT_TRUE(Ignores(rules, kItem, u"X 位置")) << "blanks inside a name stay";
  EXPECT_TRUE(Ignores(rules, kItem, u"ORDER BY句"));
  EXPECT_FALSE(Ignores(rules, kItem, u"# ORDER BY句"));
  EXPECT_TRUE(ParseIgnoreRules(u"").rules.Empty());
  EXPECT_TRUE(ParseIgnoreRules(u"PL/SQLライブラリの位置").badLine == 0)
      << "a name may hold a slash";
}

TEST(ParseIgnoreRules, NamesTheFirstLineThatIsNoRuleCountingEveryLineEnd) {
  struct Case {
    std::u16string_view text;
    std::size_t line;
    std::u16string_view bad;
  };
  const Case cases[] = {
      {u"X位置\n: Y位置\n", 2, u": Y位置"},                 // no limit before the colon
      {u"X位置\r\n項目:\r\n", 2, u"項目:"},                 // no property
      {u"a\rb\r\nc\n項目: X: Y\n", 4, u"項目: X: Y"},       // two colons
      {u"ブロック//項目/*: X", 1, u"ブロック//項目/*: X"},  // an empty level
      {u"# ok\n\nブロック/: X", 3, u"ブロック/: X"},
      {u"/: X", 1, u"/: X"},
  };
  for (const Case& c : cases) {
    const ParsedIgnoreRules parsed = ParseIgnoreRules(c.text);
    EXPECT_EQ(parsed.badLine, c.line) << c.line;
    EXPECT_EQ(parsed.badText, c.bad);
    EXPECT_TRUE(parsed.rules.Empty()) << "no rules from a file with a bad line";
  }
}

}  // namespace
}  // namespace tarnwick
