#include "diff/form_diff.h"

#include <gtest/gtest.h>

#include <string>

#include "base/error.h"
#include "diff/ignore_rules.h"
#include "report/forms_xml.h"
#include "report/report_parser.h"
#include "tests/classic_tables.h"
#include "tests/table_text.h"

namespace tarnwick {
namespace {

using testing::Items;
using testing::Obj;
using testing::Prop;
using testing::Rows;

// A root as the parser makes it: "ﾌｫｰﾑ" holding the given module objects.
CollectionPtr Form(std::initializer_list<clsItem> modules) {
  return Items({Obj(u"ﾌｫｰﾑ", modules)});
}

struct FormDiff {
  std::string rows;
  bool diffFound = false;
};

FormDiff Diff(const Collection& tree1, const Collection& tree2, bool diffOnly) {
  FormDiff result;
  HTMLTblCls table;
  result.diffFound =
      testing::ClassicFormDiff(tree1, tree2, u"C:\\a\\F.txt", u"C:\\b\\F.txt", table, diffOnly);
  result.rows = Rows(table);
  return result;
}

std::string OutlineRows(std::u16string_view outline1, std::u16string_view outline2, bool diffOnly,
                        bool& diffFound) {
  HTMLTblCls table;
  // What an earlier call found stands, as across the sections of one page.
  diffFound = testing::ClassicCompareOutline(outline1, outline2, table, diffOnly) || diffFound;
  return Rows(table);
}

TEST(FindChild, MatchesKeysExactlyAndTellsWhatTheChildHolds) {
  const clsItem block = Obj(u"B1", {Prop(u"Abc", u"x"), Obj(u"項目", {}), clsItem{u"空", {}}});
  EXPECT_EQ(FindChild(block, u"Abc"), 1);
  EXPECT_EQ(FindChild(block, u"項目"), 2);
  EXPECT_EQ(FindChild(block, u"空"), 3);
  EXPECT_EQ(FindChild(block, u"ABC"), -1) << "unlike the collection, letter case counts";
  EXPECT_EQ(FindChild(block, u"トリガー"), -1);
  EXPECT_EQ(FindChild(Prop(u"項目", u"x"), u"項目"), -1) << "a text has no children";

  EXPECT_EQ(ChildTypeName(block, u"Abc"), ChildKind::kText);
  EXPECT_EQ(ChildTypeName(block, u"項目"), ChildKind::kCollection);
  EXPECT_EQ(ChildTypeName(block, u"空"), ChildKind::kNothing);
  EXPECT_EQ(ChildTypeName(block, u"ABC"), ChildKind::kAbsent);
}

TEST(BlockItemOutline, ListsTheFirstModulesBlocksWithTheirItemsIndented) {
  const CollectionPtr tree =
      Form({Obj(u"FORM1",
                {Prop(u"タイトル", u"受注"),
                 Obj(u"ブロック", {Obj(u"B1", {Obj(u"項目", {Obj(u"I1", {}), Obj(u"I2", {})})}),
                                   Obj(u"B2", {}), Obj(u"B3", {Prop(u"項目", u"text")}),
                                   Obj(u"B1 ", {Obj(u"項目", {Obj(u"I1", {})})})})}),
            Obj(u"FORM2", {Obj(u"ブロック", {Obj(u"OTHER", {})})})});
  EXPECT_EQ(BlockItemOutline(*tree), u"B1\r\n    I1\r\n    I2\r\nB2\r\nB3\r\nB1 \r\n    I1");
}

TEST(BlockItemOutline, IsFoundInForeignInputsToo) {
  // A Forms XML module: the sections are named after the elements.
  const CollectionPtr module = ParseFormsXml(
      "<Module xmlns=\"http://xmlns.oracle.com/Forms\"><FormModule Name=\"ORDERS\">"
      "<Block Name=\"ORD\"><Item Name=\"ORDER_ID\"/><Trigger Name=\"T\"/><Item Name=\"STATUS\"/>"
      "</Block><Block Name=\"LINES\"/></FormModule></Module>");
  EXPECT_EQ(BlockItemOutline(*module), u"ORD\r\n    ORDER_ID\r\n    STATUS\r\nLINES");
  // An English report's tree.
  EXPECT_EQ(BlockItemOutline(*Form({Obj(
                u"FORM1", {Obj(u"Blocks", {Obj(u"B1", {Obj(u"Items", {Obj(u"I1", {})})})})})})),
            u"B1\r\n    I1");
  // The first kind found wins: a Japanese tree's blocks are never looked for elsewhere.
  EXPECT_EQ(BlockItemOutline(*Form({Obj(
                u"FORM1", {Obj(u"Blocks", {Obj(u"X", {})}), Obj(u"ブロック", {Obj(u"B1", {})})})})),
            u"B1");
}

TEST(BlockItemOutline, IsEmptyWithoutBlocksOrWithABlankFirstEntry) {
  EXPECT_EQ(BlockItemOutline(*Form({Obj(u"FORM1", {Prop(u"タイトル", u"受注")})})), u"");
  EXPECT_EQ(BlockItemOutline(*Form({Obj(u"FORM1", {Prop(u"ブロック", u"B1")})})), u"");
  EXPECT_EQ(BlockItemOutline(*Form({Obj(u"FORM1", {Obj(u"ﾌﾞﾛｯｸ", {Obj(u"B1", {})})})})), u"");
  EXPECT_EQ(BlockItemOutline(*BlankTree()), u"");
}

TEST(BlockItemOutline, AMissingTreeOrModuleIsAClearError) {
  const CollectionPtr empty = NewCollection();
  try {
    BlockItemOutline(*empty);
    FAIL() << "an empty tree must not pass";
  } catch (const Error& error) {
    EXPECT_EQ(error.Description(), u"オブジェクト・ツリーが空です。");
  }
  try {
    BlockItemOutline(*Form({}));
    FAIL() << "a form without module must not pass";
  } catch (const Error& error) {
    EXPECT_EQ(error.Description(), u"「ﾌｫｰﾑ」にフォーム・モジュールがありません。");
  }
  EXPECT_THROW(BlockItemOutline(*Items({Prop(u"ﾌｫｰﾑ", u"x")})), Error);
}

TEST(CompareOutline, EqualOutlinesAreListedOnlyWhenEverythingIsWanted) {
  bool diffFound = false;
  EXPECT_EQ(OutlineRows(u"B1\r\n    I1", u"B1\r\n    I1", true, diffFound), "\n");
  EXPECT_EQ(OutlineRows(u"B1\r\n    I1", u"B1\r\n    I1", false, diffFound), R"(
|||||[2]====|
|||||ブロック・項目|B1|
||||||    I1|
)");
  EXPECT_EQ(OutlineRows(u"", u"", false, diffFound), R"(
|||||[2]====|
|||||ブロック・項目||
)");
  EXPECT_FALSE(diffFound);
}

TEST(CompareOutline, ABlockAddedOnSideTwoShowsInCyan) {
  bool diffFound = false;
  EXPECT_EQ(OutlineRows(u"B1\r\n    I1", u"B1\r\n    I1\r\nB2\r\n    J1", true, diffFound), R"(
|||||[2]====|
|||1|1|ブロック・項目|B1|
|||2|2||    I1|
||*||3||[C]B2|
||*||4||[C]    J1|
)");
  EXPECT_TRUE(diffFound);

  HTMLTblCls table;
  testing::ClassicCompareOutline(u"B1", u"B1\r\n    J1", table, true);
  EXPECT_NE(table.sStr().find(u"<td bgcolor=\"cyan\">&nbsp;&nbsp;&nbsp;&nbsp;J1</td></tr>"),
            std::u16string::npos)
      << "item lines keep their four blanks as non-breaking spaces";
}

TEST(CompareOutline, AnEmptyOutlineShowsItsOneEmptyLine) {
  bool diffFound = false;
  EXPECT_EQ(OutlineRows(u"", u"B1\r\n    I1", false, diffFound), R"(
|||||[2]====|
|*||1||ブロック・項目|[Y]|
||*||1||[C]B1|
||*||2||[C]    I1|
)");
  EXPECT_TRUE(diffFound);
}

CollectionPtr OrderForm() {
  return Form({Obj(
      u"ORDERS",
      {Prop(u"タイトル", u"受注"),
       Obj(u"ブロック", {Obj(u"HEAD", {Prop(u"WHERE句", u"ID > 0"),
                                       Obj(u"項目", {Obj(u"ID", {Prop(u"型", u"数値")})})})})})});
}

TEST(MakeFormDiff, IdenticalReportsGiveOnlyTheTitlesWhenOnlyDifferencesAreWanted) {
  const FormDiff result = Diff(*OrderForm(), *OrderForm(), true);
  EXPECT_EQ(result.rows, R"(
|||||[2 Y]C:\a\F.txt|
|||||[2 C]C:\b\F.txt|
)");
  EXPECT_FALSE(result.diffFound);

  HTMLTblCls table;
  const bool diffFound =
      testing::ClassicFormDiff(*OrderForm(), *OrderForm(), u"a", u"b", table, true);
  EXPECT_FALSE(diffFound);
  EXPECT_EQ(table.sStr(),
            u"<tr><td></td><td></td><td></td><td></td><td colspan=\"2\" "
            u"bgcolor=\"yellow\">a</td></tr>\r\n"
            u"<tr><td></td><td></td><td></td><td></td><td colspan=\"2\" "
            u"bgcolor=\"cyan\">b</td></tr>\r\n");
}

TEST(MakeFormDiff, IdenticalReportsAreListedInFullOtherwise) {
  const FormDiff result = Diff(*OrderForm(), *OrderForm(), false);
  EXPECT_EQ(result.rows, R"(
|||||[2 Y]C:\a\F.txt|
|||||[2 C]C:\b\F.txt|
|||||[2]====|
|||||ブロック・項目|HEAD|
||||||    ID|
|||||[2]====|
|||||[2 ]ORDERS|
|||1|1|タイトル|受注|
|||||[2]====|
|||||[2 ]ブロック ( ORDERS ) |
|||||[2]====|
|||||[2 ]HEAD ( ブロック>ORDERS ) |
|||1|1|WHERE句|ID > 0|
|||||[2]====|
|||||[2 ]項目 ( HEAD>ブロック>ORDERS ) |
|||||[2]====|
|||||[2 ]ID ( 項目>HEAD>ブロック>ORDERS ) |
|||1|1|型|数値|
)");
  EXPECT_FALSE(result.diffFound);
}

TEST(MakeFormDiff, AnAbsentSideOneListsEverythingOfSideTwoInCyan) {
  const FormDiff result = Diff(*BlankTree(), *OrderForm(), true);
  EXPECT_EQ(result.rows, R"(
|||||[2 Y]C:\a\F.txt|
|||||[2 C]C:\b\F.txt|
|||||[2]====|
|*||1||ブロック・項目|[Y]|
||*||1||[C]HEAD|
||*||2||[C]    ID|
|||||[2]====|
||*|||[2 C]ORDERS|
||*|||[C]タイトル|[C]受注|
|||||[2]====|
||*|||[2 C]ブロック ( ORDERS ) |
|||||[2]====|
||*|||[2 C]HEAD ( ブロック>ORDERS ) |
||*|||[C]WHERE句|[C]ID > 0|
|||||[2]====|
||*|||[2 C]項目 ( HEAD>ブロック>ORDERS ) |
|||||[2]====|
||*|||[2 C]ID ( 項目>HEAD>ブロック>ORDERS ) |
||*|||[C]型|[C]数値|
)");
  EXPECT_TRUE(result.diffFound);
}

TEST(MakeFormDiff, AnAddedBlockShowsInTheOutlineAndInTheObjects) {
  const CollectionPtr tree2 = Form(
      {Obj(u"ORDERS",
           {Prop(u"タイトル", u"受注"),
            Obj(u"ブロック", {Obj(u"HEAD", {Prop(u"WHERE句", u"ID > 0"),
                                            Obj(u"項目", {Obj(u"ID", {Prop(u"型", u"数値")})})}),
                              Obj(u"LINE", {Obj(u"項目", {Obj(u"QTY", {})})})})})});
  const FormDiff result = Diff(*OrderForm(), *tree2, true);
  EXPECT_EQ(result.rows, R"(
|||||[2 Y]C:\a\F.txt|
|||||[2 C]C:\b\F.txt|
|||||[2]====|
|||1|1|ブロック・項目|HEAD|
|||2|2||    ID|
||*||3||[C]LINE|
||*||4||[C]    QTY|
|||||[2]====|
|||||[2 ]ORDERS|
|||||[2]====|
|||||[2 ]ブロック ( ORDERS ) |
|||||[2]====|
||*|||[2 C]LINE ( ブロック>ORDERS ) |
|||||[2]====|
||*|||[2 C]項目 ( LINE>ブロック>ORDERS ) |
|||||[2]====|
||*|||[2 C]QTY ( 項目>LINE>ブロック>ORDERS ) |
)");
  EXPECT_TRUE(result.diffFound);
}

TEST(MakeFormDiff, ModulesWithoutBlocksCompareEqualInTheOutline) {
  const CollectionPtr tree1 = Form({Obj(u"M", {Prop(u"タイトル", u"A")})});
  const CollectionPtr tree2 = Form({Obj(u"M", {Prop(u"タイトル", u"B")})});
  const FormDiff result = Diff(*tree1, *tree2, true);
  EXPECT_EQ(result.rows, R"(
|||||[2 Y]C:\a\F.txt|
|||||[2 C]C:\b\F.txt|
|||||[2]====|
|||||[2 ]M|
|*||||タイトル|[Y]A|
||*||||[C]B|
)");
}

TEST(MakeFormDiff, AMissingTreeOrModuleIsAnError) {
  HTMLTblCls table;
  const CollectionPtr empty = NewCollection();
  EXPECT_THROW(testing::ClassicFormDiff(*OrderForm(), *empty, u"a", u"b", table, false), Error);
  EXPECT_THROW(testing::ClassicFormDiff(*Form({}), *OrderForm(), u"a", u"b", table, false), Error);
}

CollectionPtr Parse(std::u16string_view report) {
  CollectionPtr tree = ParseReport(report);
  EXPECT_TRUE(tree != nullptr);
  return tree ? tree : NewCollection();
}

constexpr std::u16string_view kReport1 =
    uR"(* 名前                   FORM1
* タイトル               受注
* ブロック
  * 名前                 HEAD
  * 問合せデータ・ソース名 ORDERS
  * 項目
    * 名前               ID
    * 項目タイプ         テキスト項目
  * トリガー
    * 名前               WHEN-VALIDATE-RECORD
    * トリガー・テキスト
BEGIN
  NULL;
END;
    * 問合せ入力モードで起動 いいえ
)";

constexpr std::u16string_view kReport2 =
    uR"(* 名前                   FORM1
* タイトル               受注入力
* ブロック
  * 名前                 HEAD
  * 問合せデータ・ソース名 ORDERS
  * 項目
    * 名前               ID
    * 項目タイプ         テキスト項目
  * トリガー
    * 名前               WHEN-VALIDATE-RECORD
    * トリガー・テキスト
BEGIN
  :ID := 1;
END;
    * 問合せ入力モードで起動 いいえ
  * 名前                 LINE
  * 項目
    * 名前               QTY
)";

TEST(MakeFormDiff, ParsedReportsShowTheirOutlineAndTriggerChanges) {
  const FormDiff result = Diff(*Parse(kReport1), *Parse(kReport2), true);
  EXPECT_EQ(result.rows, R"(
|||||[2 Y]C:\a\F.txt|
|||||[2 C]C:\b\F.txt|
|||||[2]====|
|||1|1|ブロック・項目|HEAD|
|||2|2||    ID|
||*||3||[C]LINE|
||*||4||[C]    QTY|
|||||[2]====|
|||||[2 ]FORM1|
|*||||タイトル|[Y]受注|
||*||||[C]受注入力|
|||||[2]====|
|||||[2 ]ブロック ( FORM1 ) |
|||||[2]====|
|||||[2 ]HEAD ( ブロック>FORM1 ) |
|||||[2]====|
|||||[2 ]トリガー ( HEAD>ブロック>FORM1 ) |
|||||[2]====|
|||||[2 ]WHEN-VALIDATE-RECORD ( トリガー>HEAD>ブロック>FORM1 ) |
|||1|1|トリガー・テキスト||
|||2|2||BEGIN|
|*||[Y]3|[Y]||[Y]  NULL;|
||*|[C]|[C]3||[C]  :ID := 1;|
|||4|4||END;|
|||||[2]====|
||*|||[2 C]LINE ( ブロック>FORM1 ) |
|||||[2]====|
||*|||[2 C]項目 ( LINE>ブロック>FORM1 ) |
|||||[2]====|
||*|||[2 C]QTY ( 項目>LINE>ブロック>FORM1 ) |
)");
  EXPECT_TRUE(result.diffFound);
}

// Two versions of a form whose item moved on its canvas and whose block lost
// a property: what ignore rules make of it.
struct MovedItem {
  CollectionPtr tree1 = Form({Obj(
      u"F", {Obj(u"ブロック",
                 {Obj(u"B", {Prop(u"問合せ可能", u"はい"), Prop(u"DirtyInfo", u"true"),
                             Obj(u"項目", {Obj(u"I", {Prop(u"X位置", u"10"), Prop(u"Y位置", u"20"),
                                                      Prop(u"プロンプト", u"名前")})})})})})});
  CollectionPtr tree2 = Form({Obj(
      u"F", {Obj(u"ブロック",
                 {Obj(u"B", {Prop(u"問合せ可能", u"はい"),
                             Obj(u"項目", {Obj(u"I", {Prop(u"X位置", u"16"), Prop(u"Y位置", u"20"),
                                                      Prop(u"プロンプト", u"名前")})})})})})});
  CollectionPtr tree2Moved = Form({Obj(
      u"F", {Obj(u"ブロック",
                 {Obj(u"B", {Prop(u"問合せ可能", u"はい"), Prop(u"DirtyInfo", u"true"),
                             Obj(u"項目", {Obj(u"I", {Prop(u"X位置", u"10"), Prop(u"Y位置", u"20"),
                                                      Prop(u"プロンプト", u"氏名")})})})})})});

  struct Result {
    std::string rows;
    ComparisonResult compared;
  };
  static Result Diff(const Collection& a, const Collection& b, bool diffOnly,
                     const IgnoreRules* rules) {
    HTMLTblCls table;
    ClassicCompareRows rows(table);
    CompareOptions options;
    options.ignoreRules = rules;
    Result result;
    result.compared = MakeFormDiff(a, b, u"1", u"2", rows, diffOnly, options);
    result.rows = Rows(table);
    return result;
  }
};

TEST(MakeFormDiff, IgnoredDifferencesAreNoneAndClassicRowsDropThemOnlyWhenListingDifferences) {
  const MovedItem form;
  const IgnoreRules rules = ParseIgnoreRules(u"項目: X位置\nDirtyInfo").rules;
  for (const bool diffOnly : {false, true}) {
    const auto plain = MovedItem::Diff(*form.tree1, *form.tree2, diffOnly, nullptr);
    const auto ignored = MovedItem::Diff(*form.tree1, *form.tree2, diffOnly, &rules);
    EXPECT_TRUE(plain.compared.differs);
    EXPECT_FALSE(ignored.compared.differs) << diffOnly;
    EXPECT_EQ(ignored.compared.counts, (ChangeCounts{.propertiesIgnored = 2})) << diffOnly;
    EXPECT_EQ(plain.compared.counts,
              (ChangeCounts{.objectsChanged = 2, .linesAdded = 1, .linesRemoved = 2}));
    if (!diffOnly) {
      EXPECT_EQ(ignored.rows, plain.rows) << "everything listed: the classic rows as ever";
    } else {
      EXPECT_EQ(ignored.rows, "\n|||||[2 Y]1|\n|||||[2 C]2|\n") << "no headings either";
    }
  }
}

TEST(MakeFormDiff, RulesLeaveOtherDifferencesAndObjectsOneSideLacks) {
  const MovedItem form;
  const IgnoreRules rules = ParseIgnoreRules(u"X位置\nDirtyInfo\nプロンプト").rules;
  // A rule about another property, or another type, changes nothing.
  const IgnoreRules others = ParseIgnoreRules(u"Y位置\nキャンバス: X位置\n/F/**: DirtyInfo").rules;
  const auto plain = MovedItem::Diff(*form.tree1, *form.tree2Moved, true, nullptr);
  const auto unmatched = MovedItem::Diff(*form.tree1, *form.tree2Moved, true, &others);
  EXPECT_EQ(unmatched.rows, plain.rows);
  EXPECT_EQ(unmatched.compared.counts, plain.compared.counts);

  // An added item is a difference whatever rules match its properties.
  const CollectionPtr none = Form({Obj(
      u"F", {Obj(u"ブロック", {Obj(u"B", {Prop(u"問合せ可能", u"はい"), Prop(u"DirtyInfo", u"true"),
                                          Obj(u"項目", {})})})})});
  const auto added = MovedItem::Diff(*none, *form.tree1, true, &rules);
  EXPECT_TRUE(added.compared.differs);
  EXPECT_EQ(added.compared.counts.objectsAdded, 1);
  EXPECT_EQ(added.compared.counts.propertiesIgnored, 0);
  EXPECT_EQ(added.rows, MovedItem::Diff(*none, *form.tree1, true, nullptr).rows);
}

TEST(MakeFormDiff, ParsedIdenticalReportsGiveOnlyTheTitles) {
  const FormDiff result = Diff(*Parse(kReport1), *Parse(kReport1), true);
  EXPECT_EQ(result.rows, R"(
|||||[2 Y]C:\a\F.txt|
|||||[2 C]C:\b\F.txt|
)");
  EXPECT_FALSE(result.diffFound);
}

}  // namespace
}  // namespace tarnwick
