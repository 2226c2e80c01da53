#include "search/search_table.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "base/error.h"
#include "classic/search_rows.h"
#include "report/report_parser.h"
#include "tests/classic_tables.h"
#include "text/utf8.h"
#include "tree_builders.h"

namespace tarnwick {
namespace {

using testing::Items;
using testing::Obj;
using testing::Prop;

using Term = SearchString;

SearchQuery Query(std::vector<Term> terms, bool condAnd = true, bool noCase = false,
                  bool foundOnly = false) {
  terms.resize(3);
  return MakeSearchQuery({terms[0], terms[1], terms[2]}, condAnd, noCase, foundOnly);
}

CollectionPtr Root(clsItem module) {
  return Items({Obj(u"ﾌｫｰﾑ", {std::move(module)})});
}

// The module FORM1 with two blocks; only BLK1's WHERE clause holds "WHERE".
CollectionPtr SampleReport() {
  return Root(Obj(u"FORM1", {Prop(u"タイトル", u"受注入力"),
                             Obj(u"ブロック", {Obj(u"BLK1", {Prop(u"WHERE句", u"WHERE ID = 1"),
                                                             Prop(u"問合せ可能", u"はい")}),
                                               Obj(u"BLK2", {Prop(u"問合せ可能", u"いいえ")})})}));
}

// Expected table text: each "\n" ends a row (CR LF in the table), "{RULE}"
// stands for the separator cell text.
std::string Rows(std::string_view text) {
  std::string rows;
  for (char c : text) {
    if (c == '\n') rows += '\r';
    rows += c;
  }
  const std::string rule = "\r\n" + std::string(80, '=');
  for (std::size_t at = rows.find("{RULE}"); at != std::string::npos; at = rows.find("{RULE}")) {
    rows.replace(at, 6, rule);
  }
  return rows;
}

std::string Render(const SearchQuery& query, const Collection* tree, bool& found) {
  HTMLTblCls table;
  found = testing::ClassicSearch(query, tree, u"/data/FORM1.TXT", table);
  return ToUtf8(table.sStr());
}

TEST(SearchTable, FoundOnlyWithoutAnyMatchHoldsOnlyThePathAndConditionRows) {
  const CollectionPtr tree = SampleReport();
  bool found = false;
  EXPECT_EQ(
      Render(Query({{u"NOWHERE"}, {u"ZZZ"}}, true, false, true), tree.get(), found),
      Rows(
          R"(<tr><td></td><td></td><td></td><td></td><td colspan="2" bgcolor="yellow">/data/FORM1.TXT</td></tr>
<tr><td></td><td></td><td></td><td></td><td>検索文字列(全てを満たす)</td><td>NOWHEREを含む</td></tr>
<tr><td></td><td></td><td></td><td></td><td></td><td>ZZZを含む</td></tr>
)"));
  EXPECT_FALSE(found);
}

TEST(SearchTable, FoundOnlyWritesEnclosingHeadersOnceJustBeforeTheFirstHit) {
  const CollectionPtr tree = SampleReport();
  bool found = false;
  EXPECT_EQ(
      Render(Query({{u"WHERE"}}, true, false, true), tree.get(), found),
      Rows(
          R"(<tr><td></td><td></td><td></td><td></td><td colspan="2" bgcolor="yellow">/data/FORM1.TXT</td></tr>
<tr><td></td><td></td><td></td><td></td><td>検索文字列(全てを満たす)</td><td>WHEREを含む</td></tr>
<tr><td></td><td></td><td></td><td></td><td colspan="2">{RULE}</td></tr>
<tr><td></td><td></td><td></td><td></td><td colspan="2" >FORM1</td></tr>
<tr><td></td><td></td><td></td><td></td><td colspan="2">{RULE}</td></tr>
<tr><td></td><td></td><td></td><td></td><td colspan="2" >ブロック&nbsp;(&nbsp;FORM1&nbsp;)&nbsp;</td></tr>
<tr><td></td><td></td><td></td><td></td><td colspan="2">{RULE}</td></tr>
<tr><td></td><td></td><td></td><td></td><td colspan="2" >BLK1&nbsp;(&nbsp;ブロック&gt;FORM1&nbsp;)&nbsp;</td></tr>
<tr><td>*</td><td></td><td>1</td><td></td><td>WHERE句</td><td bgcolor="pink">WHERE&nbsp;ID&nbsp;=&nbsp;1</td></tr>
)"));
  EXPECT_TRUE(found);

  // A second hit in the same object and one in a later object: B1's headers
  // are written once, B2 without a hit leaves no rows, B3 gets its own only.
  const CollectionPtr two = Root(
      Obj(u"F", {Obj(u"B", {Obj(u"B1", {Prop(u"P1", u"x1"), Prop(u"P2", u"x2")}),
                            Obj(u"B2", {Prop(u"P3", u"y")}), Obj(u"B3", {Prop(u"P4", u"x3")})})}));
  found = false;
  EXPECT_EQ(
      Render(Query({{u"x"}}, true, false, true), two.get(), found),
      Rows(
          R"(<tr><td></td><td></td><td></td><td></td><td colspan="2" bgcolor="yellow">/data/FORM1.TXT</td></tr>
<tr><td></td><td></td><td></td><td></td><td>検索文字列(全てを満たす)</td><td>xを含む</td></tr>
<tr><td></td><td></td><td></td><td></td><td colspan="2">{RULE}</td></tr>
<tr><td></td><td></td><td></td><td></td><td colspan="2" >F</td></tr>
<tr><td></td><td></td><td></td><td></td><td colspan="2">{RULE}</td></tr>
<tr><td></td><td></td><td></td><td></td><td colspan="2" >B&nbsp;(&nbsp;F&nbsp;)&nbsp;</td></tr>
<tr><td></td><td></td><td></td><td></td><td colspan="2">{RULE}</td></tr>
<tr><td></td><td></td><td></td><td></td><td colspan="2" >B1&nbsp;(&nbsp;B&gt;F&nbsp;)&nbsp;</td></tr>
<tr><td>*</td><td></td><td>1</td><td></td><td>P1</td><td bgcolor="pink">x1</td></tr>
<tr><td>*</td><td></td><td>1</td><td></td><td>P2</td><td bgcolor="pink">x2</td></tr>
<tr><td></td><td></td><td></td><td></td><td colspan="2">{RULE}</td></tr>
<tr><td></td><td></td><td></td><td></td><td colspan="2" >B3&nbsp;(&nbsp;B&gt;F&nbsp;)&nbsp;</td></tr>
<tr><td>*</td><td></td><td>1</td><td></td><td>P4</td><td bgcolor="pink">x3</td></tr>
)"));
}

TEST(SearchTable, WithoutFoundOnlyEveryObjectAndPropertyIsListed) {
  const CollectionPtr tree = SampleReport();
  bool found = false;
  EXPECT_EQ(
      Render(Query({{u"WHERE"}}), tree.get(), found),
      Rows(
          R"(<tr><td></td><td></td><td></td><td></td><td colspan="2" bgcolor="yellow">/data/FORM1.TXT</td></tr>
<tr><td></td><td></td><td></td><td></td><td>検索文字列(全てを満たす)</td><td>WHEREを含む</td></tr>
<tr><td></td><td></td><td></td><td></td><td colspan="2">{RULE}</td></tr>
<tr><td></td><td></td><td></td><td></td><td colspan="2" >FORM1</td></tr>
<tr><td></td><td></td><td>1</td><td></td><td>タイトル</td><td>受注入力</td></tr>
<tr><td></td><td></td><td></td><td></td><td colspan="2">{RULE}</td></tr>
<tr><td></td><td></td><td></td><td></td><td colspan="2" >ブロック&nbsp;(&nbsp;FORM1&nbsp;)&nbsp;</td></tr>
<tr><td></td><td></td><td></td><td></td><td colspan="2">{RULE}</td></tr>
<tr><td></td><td></td><td></td><td></td><td colspan="2" >BLK1&nbsp;(&nbsp;ブロック&gt;FORM1&nbsp;)&nbsp;</td></tr>
<tr><td>*</td><td></td><td>1</td><td></td><td>WHERE句</td><td bgcolor="pink">WHERE&nbsp;ID&nbsp;=&nbsp;1</td></tr>
<tr><td></td><td></td><td>1</td><td></td><td>問合せ可能</td><td>はい</td></tr>
<tr><td></td><td></td><td></td><td></td><td colspan="2">{RULE}</td></tr>
<tr><td></td><td></td><td></td><td></td><td colspan="2" >BLK2&nbsp;(&nbsp;ブロック&gt;FORM1&nbsp;)&nbsp;</td></tr>
<tr><td></td><td></td><td>1</td><td></td><td>問合せ可能</td><td>いいえ</td></tr>
)"));
  EXPECT_TRUE(found);
}

TEST(SearchTable, AParsedReportShowsTheLinesOfATriggerUnderAllItsHeaders) {
  const CollectionPtr tree = ParseReport(
      u"* 名前                     FORM1\r\n"
      u"* タイトル                 受注入力\r\n"
      u"* ブロック\r\n"
      u"   * 名前                  BLK1\r\n"
      u"   * WHERE句               WHERE ID = :P_ID\r\n"
      u"   * ORDER BY句            ID\r\n"
      u"   * オプティマイザ・ヒント\r\n"
      u"   * 挿入可能              はい\r\n"
      u"   * トリガー\r\n"
      u"      * 名前               WHEN-NEW-BLOCK-INSTANCE\r\n"
      u"      * トリガー・テキスト\r\n"
      u"SELECT *\r\n"
      u"  FROM T;\r\n"
      u"      * 問合せ入力モードで起動 いいえ\r\n");
  bool found = false;
  EXPECT_EQ(
      Render(Query({{u"FROM"}}, true, false, true), tree.get(), found),
      Rows(
          R"(<tr><td></td><td></td><td></td><td></td><td colspan="2" bgcolor="yellow">/data/FORM1.TXT</td></tr>
<tr><td></td><td></td><td></td><td></td><td>検索文字列(全てを満たす)</td><td>FROMを含む</td></tr>
<tr><td></td><td></td><td></td><td></td><td colspan="2">{RULE}</td></tr>
<tr><td></td><td></td><td></td><td></td><td colspan="2" >FORM1</td></tr>
<tr><td></td><td></td><td></td><td></td><td colspan="2">{RULE}</td></tr>
<tr><td></td><td></td><td></td><td></td><td colspan="2" >ブロック&nbsp;(&nbsp;FORM1&nbsp;)&nbsp;</td></tr>
<tr><td></td><td></td><td></td><td></td><td colspan="2">{RULE}</td></tr>
<tr><td></td><td></td><td></td><td></td><td colspan="2" >BLK1&nbsp;(&nbsp;ブロック&gt;FORM1&nbsp;)&nbsp;</td></tr>
<tr><td></td><td></td><td></td><td></td><td colspan="2">{RULE}</td></tr>
<tr><td></td><td></td><td></td><td></td><td colspan="2" >トリガー&nbsp;(&nbsp;BLK1&gt;ブロック&gt;FORM1&nbsp;)&nbsp;</td></tr>
<tr><td></td><td></td><td></td><td></td><td colspan="2">{RULE}</td></tr>
<tr><td></td><td></td><td></td><td></td><td colspan="2" >WHEN-NEW-BLOCK-INSTANCE&nbsp;(&nbsp;トリガー&gt;BLK1&gt;ブロック&gt;FORM1&nbsp;)&nbsp;</td></tr>
<tr><td></td><td></td><td>1</td><td></td><td>トリガー・テキスト</td><td></td></tr>
<tr><td></td><td></td><td>2</td><td></td><td></td><td>SELECT&nbsp;*</td></tr>
<tr><td>*</td><td></td><td>3</td><td></td><td></td><td bgcolor="pink">&nbsp;&nbsp;FROM&nbsp;T;</td></tr>
)"));
  EXPECT_TRUE(found);
}

TEST(SearchTable, PropertiesComeBeforeObjectsAndEmptyKeysAreSkipped) {
  // The first entry's own properties follow the condition rows directly.
  CollectionPtr root = NewCollection();
  root->Add(Obj(u"ﾌｫｰﾑ", {Obj(u"A", {Prop(u"PA", u"1")}), Prop(u"TOP", u"2"), Prop(u"", u"3")}));
  bool found = false;
  EXPECT_EQ(
      Render(Query({{u"Q"}}, false), root.get(), found),
      Rows(
          R"(<tr><td></td><td></td><td></td><td></td><td colspan="2" bgcolor="yellow">/data/FORM1.TXT</td></tr>
<tr><td></td><td></td><td></td><td></td><td>検索文字列(いずれかを満たす)</td><td>Qを含む</td></tr>
<tr><td></td><td></td><td>1</td><td></td><td>TOP</td><td>2</td></tr>
<tr><td></td><td></td><td></td><td></td><td colspan="2">{RULE}</td></tr>
<tr><td></td><td></td><td></td><td></td><td colspan="2" >A</td></tr>
<tr><td></td><td></td><td>1</td><td></td><td>PA</td><td>1</td></tr>
)"));
  EXPECT_FALSE(found);
}

TEST(SearchTable, ConditionRowsShowEachUsedStringAsEnteredWithTheLabelOnce) {
  const CollectionPtr tree = Root(Obj(u"F", {}));
  bool found = false;
  EXPECT_EQ(
      Render(Query({{u"abc", true}, {u"", true}, {u"X", false}}, true, true, true), tree.get(),
             found),
      Rows(
          R"(<tr><td></td><td></td><td></td><td></td><td colspan="2" bgcolor="yellow">/data/FORM1.TXT</td></tr>
<tr><td></td><td></td><td></td><td></td><td>検索文字列(全てを満たす)</td><td>abcを含む</td></tr>
<tr><td></td><td></td><td></td><td></td><td></td><td>Xを含まない</td></tr>
)"));
}

TEST(SearchTable, MultiLineValuesMarkOnlyTheirMatchingLines) {
  const CollectionPtr tree =
      Root(Obj(u"F", {Prop(u"問合せ", u"SELECT *\r\nFROM T"), Prop(u"空", u"")}));
  bool found = false;
  EXPECT_EQ(
      Render(Query({{u"FROM"}}, true, false, true), tree.get(), found),
      Rows(
          R"(<tr><td></td><td></td><td></td><td></td><td colspan="2" bgcolor="yellow">/data/FORM1.TXT</td></tr>
<tr><td></td><td></td><td></td><td></td><td>検索文字列(全てを満たす)</td><td>FROMを含む</td></tr>
<tr><td></td><td></td><td></td><td></td><td colspan="2">{RULE}</td></tr>
<tr><td></td><td></td><td></td><td></td><td colspan="2" >F</td></tr>
<tr><td></td><td></td><td>1</td><td></td><td>問合せ</td><td>SELECT&nbsp;*</td></tr>
<tr><td>*</td><td></td><td>2</td><td></td><td></td><td bgcolor="pink">FROM&nbsp;T</td></tr>
)"));
  EXPECT_TRUE(found);
}

TEST(SearchTable, IgnoringCaseMatchesButShowsTheValueAsStored) {
  const CollectionPtr tree = Root(Obj(u"F", {Prop(u"P", u"abc")}));
  bool found = false;
  Render(Query({{u"ABC"}}, true, false, true), tree.get(), found);
  EXPECT_FALSE(found);
  EXPECT_EQ(
      Render(Query({{u"ABC"}}, true, true, true), tree.get(), found),
      Rows(
          R"(<tr><td></td><td></td><td></td><td></td><td colspan="2" bgcolor="yellow">/data/FORM1.TXT</td></tr>
<tr><td></td><td></td><td></td><td></td><td>検索文字列(全てを満たす)</td><td>ABCを含む</td></tr>
<tr><td></td><td></td><td></td><td></td><td colspan="2">{RULE}</td></tr>
<tr><td></td><td></td><td></td><td></td><td colspan="2" >F</td></tr>
<tr><td>*</td><td></td><td>1</td><td></td><td>P</td><td bgcolor="pink">abc</td></tr>
)"));
  EXPECT_TRUE(found);
}

TEST(SearchTable, ATreeWithoutObjectsFailsAfterTheHeaderRows) {
  HTMLTblCls table;
  EXPECT_THROW(testing::ClassicSearch(Query({{u"A"}}), nullptr, u"E.TXT", table), Error);
  EXPECT_EQ(
      ToUtf8(table.sStr()),
      Rows(
          R"(<tr><td></td><td></td><td></td><td></td><td colspan="2" bgcolor="yellow">E.TXT</td></tr>
<tr><td></td><td></td><td></td><td></td><td>検索文字列(全てを満たす)</td><td>Aを含む</td></tr>
)"));
  const CollectionPtr empty = NewCollection();
  HTMLTblCls other;
  EXPECT_THROW(testing::ClassicSearch(Query({{u"A"}}), empty.get(), u"E.TXT", other), Error);
}

TEST(SearchTable, AnUnclosedBracketFailsAtTheFirstValueSearched) {
  const CollectionPtr tree = Root(Obj(u"F", {Prop(u"P", u"a[b")}));
  HTMLTblCls table;
  try {
    testing::ClassicSearch(Query({{u"a[b"}}), tree.get(), u"F.TXT", table);
    ADD_FAILURE() << "no error";
  } catch (const Error& error) {
    EXPECT_NE(error.Description().find(u"a[b"), std::u16string::npos);
  }
  // A report without any value never evaluates the pattern.
  const CollectionPtr bare = Root(Obj(u"F", {}));
  HTMLTblCls other;
  EXPECT_NO_THROW(testing::ClassicSearch(Query({{u"a[b"}}), bare.get(), u"F.TXT", other));
}

TEST(SearchTable, NestingFarDeeperThanAnyReportIsWalkedWithoutRecursion) {
  clsItem node = Prop(u"P", u"value");
  for (int level = 0; level < 200000; ++level) node = Obj(u"K", {std::move(node)});
  const CollectionPtr tree = Root(std::move(node));
  HTMLTblCls table;
  EXPECT_FALSE(
      testing::ClassicSearch(Query({{u"absent"}}, true, false, true), tree.get(), u"D.TXT", table));
}

TEST(MatchValue, NotContainingIsJudgedLineByLine) {
  const SearchQuery notX = Query({{u"X", false}});
  EXPECT_TRUE(MatchValue(notX, u"has X\r\nclean"));
  EXPECT_FALSE(MatchValue(notX, u"has X\r\nX too"));
  EXPECT_TRUE(MatchValue(notX, u""));           // one empty line
  EXPECT_TRUE(MatchValue(notX, u"has X\r\n"));  // the last line is empty
  EXPECT_FALSE(MatchValue(notX, u"X"));
}

TEST(MatchValue, AllStringsMustHoldOnTheSameLineUnderAnd) {
  const SearchQuery both = Query({{u"A"}, {u"B"}});
  EXPECT_FALSE(MatchValue(both, u"A\r\nB"));
  EXPECT_TRUE(MatchValue(both, u"x\r\nB and A"));
  const SearchQuery aNotB = Query({{u"A"}, {u"B", false}});
  EXPECT_TRUE(MatchValue(aNotB, u"AB\r\nA"));
  EXPECT_FALSE(MatchValue(aNotB, u"AB\r\nB"));
}

TEST(MatchValue, AnyStringOnAnyLineSufficesUnderOr) {
  const SearchQuery either = Query({{u"A"}, {u"B"}}, false);
  EXPECT_TRUE(MatchValue(either, u"x\r\nB"));
  EXPECT_FALSE(MatchValue(either, u"x\r\ny"));
  const SearchQuery aOrNotB = Query({{u"A"}, {u"B", false}}, false);
  EXPECT_TRUE(MatchValue(aOrNotB, u"B\r\nC"));
  EXPECT_FALSE(MatchValue(aOrNotB, u"B"));
  // One used string: OR behaves as AND.
  for (const std::u16string_view value : {u"xAx", u"B", u"B\nA", u""}) {
    EXPECT_EQ(MatchValue(Query({{}, {u"A"}}, false), value),
              MatchValue(Query({{}, {u"A"}}), value));
  }
}

TEST(MatchValue, StringsAreWildcardPatternsSplitAtLineFeeds) {
  EXPECT_TRUE(MatchValue(Query({{u"A?C"}}), u"xABCx"));
  EXPECT_FALSE(MatchValue(Query({{u"A?C"}}), u"AC"));
  EXPECT_TRUE(MatchValue(Query({{u"[*]"}}), u"SELECT *"));
  EXPECT_FALSE(MatchValue(Query({{u"[*]"}}), u"SELECT"));
  EXPECT_FALSE(MatchValue(Query({{u"A?B"}}), u"A\nB"));      // no line holds both
  EXPECT_TRUE(MatchValue(Query({{u"END;"}}), u"END;\x1A"));  // SUB ends a line
  EXPECT_TRUE(MatchValue(Query({{u"ｶﾅ"}}, true, true), u"ｶﾅ"));
  EXPECT_TRUE(MatchValue(Query({{u"ｑ"}}, true, true), u"Ｑ"));  // full-width letters fold too
  EXPECT_FALSE(MatchValue(Query({{u"ｑ"}}), u"Ｑ"));
}

TEST(ApplyCondition, OnlyAStillUndecidedResultIsEvaluated) {
  const LikePattern invalid(u"*[*");
  bool result = false;
  // AND with a false result, OR with a true one: the pattern is never run.
  EXPECT_NO_THROW(ApplyCondition(true, result, true, u"x", invalid, true));
  EXPECT_FALSE(result);
  result = true;
  EXPECT_NO_THROW(ApplyCondition(false, result, true, u"x", invalid, true));
  EXPECT_TRUE(result);
  EXPECT_NO_THROW(ApplyCondition(true, result, false, u"x", invalid, true));
  EXPECT_THROW(ApplyCondition(true, result, true, u"x", invalid, true), Error);
}

}  // namespace
}  // namespace tarnwick
