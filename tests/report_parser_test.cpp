#include "report/report_parser.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

#include "base/error.h"
#include "report/tree_json.h"
#include "text/cp932.h"
#include "text/decimal.h"
#include "text/utf8.h"
#include "tools/generator/report_generator.h"

namespace tarnwick {
namespace {

// The tree of a report as the CLI prints it.
std::string Tree(std::u16string_view report) {
  CollectionPtr tree = ParseReport(report);
  return TreeToJson(tree);
}

// The tree below the one module object, for brevity.
std::string Module(std::u16string_view report) {
  const std::string json = Tree(report);
  const std::string prefix = R"([["ﾌｫｰﾑ",[)";
  const std::string suffix = "]]]";
  if (json.size() < prefix.size() + suffix.size() || json.compare(0, prefix.size(), prefix) != 0)
    return json;
  return json.substr(prefix.size(), json.size() - prefix.size() - suffix.size());
}

// The description of the grammar error the report raises.
std::string GrammarError(std::u16string_view report) {
  try {
    Tree(report);
  } catch (const Error& error) {
    EXPECT_EQ(error.Number(), kGrammarErrorNumber);
    // The line the description starts with is the error's own, for runs to show.
    EXPECT_GT(error.Line(), 0u);
    EXPECT_TRUE(error.Description().starts_with(
        DecimalText(static_cast<std::int64_t>(error.Line())) + u"行目"))
        << error.Line();
    return ToUtf8(error.Description());
  }
  return "(parsed)";
}

TEST(ReportParser, ModuleObjectHoldsThePropertiesInItsColumn) {
  EXPECT_EQ(
      Tree(uR"(* 名前                FORM1
* タイトル            受注入力  
* 空
o=印            あり
^-色 赤
)"),
      R"([["ﾌｫｰﾑ",[["FORM1",[["タイトル","受注入力  "],["空",""],["印","あり"],["色","赤"]]]]]])");
}

TEST(ReportParser, FirstLineInColumnOneEndsTheTopSectionAtOnce) {
  EXPECT_EQ(Tree(uR"(オブジェクト・リスト・レポート
* 名前 FORM1
)"),
            R"([["ﾌｫｰﾑ",[]]])");
}

TEST(ReportParser, DeeperLinesOpenSectionsOfNamedObjects) {
  EXPECT_EQ(
      Module(uR"(* 名前 FORM1
* ブロック
  * 名前 EMP
  * 表示 はい
  * 項目
    * 名前 EMPNO
    * 型 NUMBER
    * 名前 ENAME
  - 別 x
* 最後 z
)"),
      R"(["FORM1",[["ブロック",[["EMP",[["表示","はい"],["項目",[["EMPNO",[["型","NUMBER"]]],)"
      R"(["ENAME",[]]]],["別","x"]]]]],["最後","z"]]])");
}

TEST(ReportParser, PropertyOrSectionDependsOnTheNextNonSeparatorLine) {
  EXPECT_EQ(Module(uR"(* 名前 F
* 単純 1
* 次 2
* 深い
----------
  * 名前 A
* 空行の前

    * 色 赤
)"),
            R"(["F",[["単純","1"],["次","2"],["深い",[["A",[]]]],["空行の前",""],["色","赤"]]])");
}

TEST(ReportParser, SeparatorsAndEmptyLinesLeaveNoTrace) {
  EXPECT_EQ(Module(uR"(----------

* 名前 F
  ----------  

* a 1
----------
* ブロック
  * 名前 B1

  * 名前 B2
-----------
* b 2
)"),
            // Eleven hyphens are no separator: a marker-only line, empty name.
            R"(["F",[["a","1"],["ブロック",[["B1",[]],["B2",[["",""]]]]],["b","2"]]])");
  EXPECT_EQ(Tree(u"----------\n  ----------\r\n----------"), R"([["ﾌｫｰﾑ",[]]])");
}

TEST(ReportParser, LineEndsDropOneCrOrSub) {
  EXPECT_EQ(Module(u"* 名前 F\r\n* a 1\x1a\n* b 2\r\r\n* c 3"),
            R"(["F",[["a","1"],["b","2\r"],["c","3"]]])");
  EXPECT_EQ(Tree(u"* 名前 F\r\n* a 1\r\n\x1a"), Tree(u"* 名前 F\r\n* a 1\r\n"));
}

TEST(ReportParser, TextsGatherRawLinesUntilAnIndentedClosingName) {
  EXPECT_EQ(
      Module(uR"(* 名前 F
* トリガー・テキスト BEGIN
NULL;
問合せ入力モードで起動 x
----------

  END;
* 問合せ入力モードで起動 いいえ
* 次 1
)"),
      R"(["F",[["トリガー・テキスト","BEGIN\r\nNULL;\r\n問合せ入力モードで起動 x\r\n----------\r\n\r\n  END;"],)"
      R"(["問合せ入力モードで起動","いいえ"],["次","1"]]])");

  // A comment is never a section, and other texts' closing names do not end it.
  EXPECT_EQ(
      Module(uR"(* 名前 F
* コメント
    深い行
  * 名前 X
  * プロンプト表示スタイル 上
* タイトル T
)"),
      R"(["F",[["コメント","\r\n    深い行\r\n  * 名前 X\r\n  * プロンプト表示スタイル 上"],["タイトル","T"]]])");

  // The end of the text ends a text.
  EXPECT_EQ(Module(u"* 名前 F\n* 式 a\n+ b"), R"(["F",[["式","a\r\n+ b"]]])");

  // Lines ended by CR LF, by LF alone or by SUB give one text, CR LF joined.
  const std::string joined =
      R"(["F",[["式","a\r\n b\r\n\r\n c"],["サマリー・ファンクション","x"]]])";
  EXPECT_EQ(Module(u"* 名前 F\r\n* 式 a\r\n b\r\n\r\n c\r\n  サマリー・ファンクション x\r\n"),
            joined);
  EXPECT_EQ(Module(u"* 名前 F\r\n* 式 a\n b\r\n\r\n c\r\n  サマリー・ファンクション x\r\n"),
            joined);
  EXPECT_EQ(Module(u"* 名前 F\r\n* 式 a\r\n b\x1a\n\r\n c\n  サマリー・ファンクション x\r\n"),
            joined);
}

TEST(ReportParser, EveryTextNameStopsAtItsOwnClosingNames) {
  struct Case {
    std::u16string name;
    std::u16string closing;
  };
  const Case cases[] = {
      {u"コメント", u"トリガー・スタイル"},
      {u"コメント", u"ヘルプ・ブック・タイトル"},
      {u"コメント", u"タイトル"},
      {u"コメント", u"PL/SQLライブラリ・ソース"},
      {u"コメント", u"ヘルプ・ブック・トピック"},
      {u"コメント", u"ナビゲーション形式"},
      {u"コメント", u"パラメータのデータ型"},
      {u"コメント", u"子オブジェクト・グループ"},
      {u"コメント", u"プログラム・ユニットのテキスト"},
      {u"コメント", u"トリガー"},
      {u"コメント", u"文字モードの論理属性"},
      {u"コメント", u"プロンプトのフォアグラウンド・カラー"},
      {u"コメント", u"レコード・グループ・タイプ"},
      {u"コメント", u"ディテール・データ・ブロック"},
      {u"コメント", u"ファイル名"},
      {u"コメント", u"使用可能"},
      {u"コメント", u"フォアグラウンド・カラー"},
      {u"コメント", u"有効"},
      {u"コメント", u"PL/SQLライブラリの位置"},
      {u"コメント", u"可動メニュー"},
      {u"トリガー・テキスト", u"問合せ入力モードで起動"},
      {u"プログラム単位のテキスト", u"プログラム単位タイプ"},
      {u"プログラム単位のテキスト", u"プログラム・ユニットタイプ"},
      {u"プログラム・ユニットのテキスト", u"プログラム単位タイプ"},
      {u"プログラム・ユニットのテキスト", u"プログラム・ユニットタイプ"},
      {u"WHERE句", u"ORDER BY句"},
      {u"ORDER BY句", u"オプティマイザ・ヒント"},
      {u"オプティマイザ・ヒント", u"バッファ・レコード"},
      {u"オプティマイザ・ヒント", u"挿入可能"},
      {u"メッセージ", u"方向"},
      {u"メッセージ", u"警告スタイル"},
      {u"レコード・グループ問合せ", u"レコード・グループの取出しサイズ"},
      {u"プロンプト", u"プロンプト表示スタイル"},
      {u"結合条件", u"レコード削除時の動作"},
      {u"結合条件", u"レコード削除？の動作"},
      {u"初期値", u"必須"},
      {u"初期値", u"書式マスク"},
      {u"初期値", u"(項目の)コピー値"},
      {u"式", u"サマリー・ファンクション"},
      {u"メニュー項目コード", u"メニューのアイコン"},
  };
  for (const Case& c : cases) {
    // "* 有効" is a closing name of comments only; it stays inside the others.
    const std::u16string report =
        u"* 名前 F\n* " + c.name + u" v\n  x\n* 有効 はい\n* " + c.closing + u" 1\n";
    const std::string name = ToUtf8(c.name);
    const std::string closing = ToUtf8(c.closing);
    const bool comment = c.name == u"コメント";
    std::string expected = R"(["F",[[")" + name + R"(",")" +
                           (comment ? R"(v\r\n  x"])" : R"(v\r\n  x\r\n* 有効 はい"])");
    if (comment) expected += R"(,["有効","はい"])";
    // A closing name already taken by "有効" is refused as a repeated name.
    if (c.closing != u"有効") expected += R"(,[")" + closing + R"(","1"])";
    expected += "]]";
    EXPECT_EQ(Module(report), expected) << name << " / " << closing;
  }
}

TEST(ReportParser, OrderByIsTheOneNameWithABlank) {
  EXPECT_EQ(Module(uR"(* 名前 F
* WHERE句 A = 1
AND B = 2
* ORDER BY句   A  DESC 
* オプティマイザ・ヒント
* バッファ・レコード 10
* ORDER 1
)"),
            R"(["F",[["WHERE句","A = 1\r\nAND B = 2"],["ORDER BY句","A  DESC "],)"
            R"(["オプティマイザ・ヒント",""],["バッファ・レコード","10"],["ORDER","1"]]])");
}

TEST(ReportParser, MenuItemCodeSharingItsLineWithTheIconIsSplit) {
  EXPECT_EQ(Module(uR"(* 名前 M
* メニュー項目コード CODE - メニューのアイコン icon1
* 次 1
)"),
            R"(["M",[["メニュー項目コード","CODE "],["メニューのアイコン","icon1"],["次","1"]]])");
  EXPECT_EQ(Module(uR"(* 名前 M
* メニュー項目コード
BEGIN x; END;
* メニューのアイコン ic
)"),
            R"(["M",[["メニュー項目コード","\r\nBEGIN x; END;"],["メニューのアイコン","ic"]]])");
  // Too close to the start of the value to keep the two characters before it.
  EXPECT_EQ(
      GrammarError(u"* 名前 M\n* メニュー項目コード -メニューのアイコン x\n"),
      "2行目のメニュー項目コードを分割できません。[* メニュー項目コード -メニューのアイコン x]");
  EXPECT_EQ(
      GrammarError(u"* 名前 M\n* メニュー項目コード メニューのアイコン x\n"),
      "2行目のメニュー項目コードを分割できません。[* メニュー項目コード メニューのアイコン x]");
}

TEST(ReportParser, ReferenceInformationTakesTheNextFourLinesUnlessUnreferenced) {
  EXPECT_EQ(
      Module(uR"(* 名前 F
* 参照情報  <Not Referenced> 
* 項目
  * 名前 A
  * 参照情報 <参照サブオブジェクト>
  * 名前 B
  * 参照情報 ref
  * モジュール M1
  ----------
  * 記憶 S
  * 型 T
  * 元 O
  * 後 Z
)"),
      R"(["F",[["参照情報","<Not Referenced> "],["項目",[["A",[["参照情報","<参照サブオブジェクト>"]]],)"
      R"(["B",[["参照情報","  * モジュール M1\r\n  * 記憶 S\r\n  * 型 T\r\n  * 元 O"],["後","Z"]]]]]]])");
}

TEST(ReportParser, CoordinateInformationJoinsTheLinesOfOneColumn) {
  EXPECT_EQ(Module(uR"(* 名前 F
* 座標情報
    * 座標系 実数
----------
    * 単位 ピクセル
  * 次 1
)"),
            R"(["F",[["座標情報","    * 座標系 実数    * 単位 ピクセル"],["次","1"]]])");
  // The first line is taken whatever its column, so following properties join in.
  EXPECT_EQ(Module(u"* 名前 G\n* 座標情報\n* a 1\n* b 2\n  * c 3\n"),
            R"(["G",[["座標情報","* a 1* b 2"],["c","3"]]])");
  EXPECT_EQ(Module(u"* 名前 G\n* 座標情報"), R"(["G",[["座標情報",""]]])");
}

TEST(ReportParser, AttachedLibrariesAreWholeLines) {
  EXPECT_EQ(Module(uR"(* 名前 F
* 連結ライブラリ
  - LIB1 C:\lib\lib1.pll
  - LIB1 C:\lib\lib1.pll
  - lib2
* 次 1
* 連結ライブラリ なし
)"),
            R"(["F",[["連結ﾗｲﾌﾞﾗﾘ",[["  - LIB1 C:\\lib\\lib1.pll","  - LIB1 C:\\lib\\lib1.pll"],)"
            R"(["  - lib2","  - lib2"]]],["次","1"],["連結ライブラリ","なし"]]])");
}

TEST(ReportParser, PropertySectionsHoldOneInnerNodeWithoutItsHeaderLine) {
  EXPECT_EQ(Module(uR"(* 名前 F
* 座標系 実数
* 座標系
  * 座標系タイプ 実数
  * 単位 ポイント
  * 幅 1
* サブクラス情報
  * サブクラス 無
  * 元 X
* 次 1
)"),
            R"(["F",[["座標系",[["座標系",[["単位","ポイント"],["幅","1"]]]]],)"
            R"(["サブクラス情報",[["サブクラス情報",[["元","X"]]]]],["次","1"]]])");
  EXPECT_EQ(Module(u"* 名前 F\n* 座標システム\n  * h 1\n  * a 2\n"),
            R"(["F",[["座標システム",[["座標システム",[["a","2"]]]]]]])");
}

TEST(ReportParser, ListElementsMapValuesToTheLabelLastSeen) {
  EXPECT_EQ(Module(uR"(* 名前 I
* リスト内の要素
  * ラベル 赤
  * リスト項目値 R
  * リスト項目値 R2
  * ラベル 青
  * 他 x
  * リスト項目値 B
  * リスト項目値 r
* リスト形式 ポップリスト
)"),
            R"(["I",[["リスト内の要素",[["リスト内の要素",[["R","赤"],["R2","赤"],["B","青"]]]]],)"
            R"(["リスト形式","ポップリスト"]]])");
  // A list cut off by the end of the text keeps what it read.
  EXPECT_EQ(Module(u"* 名前 I\n* リスト内の要素\n  * ラベル 赤\n  * リスト項目値 R"),
            R"(["I",[["リスト内の要素",[["リスト内の要素",[["R","赤"]]]]]]])");
}

TEST(ReportParser, QueryDataSourceColumnsAndArgumentsAreKeyedByName) {
  EXPECT_EQ(
      Module(uR"(* 名前 B
* 問合せデータ・ソースの列
  * 列名 EMPNO
  * データ型 NUMBER

  * 長さ 4
  * 列名 ENAME
  * データ型 VARCHAR2
* 問合せデータ・ソースの引数
  * 引数名 P1
  * 型 IN
  * 引数名 P2
* 別名 E
)"),
      R"(["B",[["問合せデータ・ソースの列",[["EMPNO",[["データ型","NUMBER"],["長さ","4"]]],)"
      R"(["ENAME",[["データ型","VARCHAR2"]]]]],["問合せデータ・ソースの引数",[["P1",[["型","IN"]]],)"
      R"(["P2",[]]]],["別名","E"]]])");
  // A column still pending at the end of the text is kept.
  EXPECT_EQ(Module(u"* 名前 B\n* 問合せデータ・ソースの列\n  * 列名 X\n  * 型 T"),
            R"(["B",[["問合せデータ・ソースの列",[["X",[["型","T"]]]]]]])");
}

TEST(ReportParser, SameNamedObjectsGetTrailingBlanks) {
  EXPECT_EQ(Module(uR"(* 名前 F
* ブロック
  * 名前 B
  * 名前 B
  * 名前 b
  * 名前 B 
* 項目
  * ソース名 S
  * 名前 S
  * ソース名 X
)"),
            // "ソース名" heads an object only directly inside a section.
            R"(["F",[["ブロック",[["B",[]],["B ",[]],["b  ",[]],["B   ",[]]]],)"
            R"(["項目",[["S",[]],["S ",[["ソース名","X"]]]]]]])");
}

TEST(ReportParser, NamesDifferingOnlyInCaseAreTheSameKey) {
  EXPECT_EQ(Module(u"* 名前 F\n* 項目\n  * 名前 Item_a\n  * 名前 ITEM_A\n  * 名前 ｉｔｅｍ\n  * "
                   u"名前 ＩＴＥＭ\n"),
            R"(["F",[["項目",[["Item_a",[]],["ITEM_A ",[]],["ｉｔｅｍ",[]],["ＩＴＥＭ ",[]]]]]])");
}

TEST(ReportParser, RepeatedNamesKeepTheFirstAndLaterSectionsAddToIt) {
  EXPECT_EQ(Module(uR"(* 名前 F
* a 1
* A 2
* ブロック
  * 名前 X
* ブロック
  * 名前 Y
  * 名前 X
)"),
            R"(["F",[["a","1"],["ブロック",[["X",[]],["Y",[]],["X ",[]]]]]])");
}

TEST(ReportParser, GrammarErrorsNameTheLineNumberAndText) {
  EXPECT_EQ(GrammarError(u"----------\n\n* 名前 F\r\n* ブロック\r\n  * 型 X\r\n"),
            "5行目の書式を解析できません。[  * 型 X]");
  // A section whose name a plain property holds cannot take objects.
  EXPECT_EQ(GrammarError(u"* 名前 F\n* ブロック なし\n* ブロック\n  * 名前 B\n"),
            "4行目のオブジェクトを追加できません。同じ名前のプロパティがあります。[  * 名前 B]");
  // A list end deeper than its section would be read again and again.
  EXPECT_EQ(
      GrammarError(
          u"* 名前 I\n* リスト内の要素\n  * ラベル 赤\n  * リスト項目値 R\n  * リスト形式 P\n"),
      "5行目の書式を解析できません。[  * リスト形式 P]");
  // Query lists end only at their closing name, so a stray one is no list.
  EXPECT_EQ(
      GrammarError(
          u"* 名前 B\n* 問合せデータ・ソースの列\n  * 列名 X\n  * 問合せデータ・ソースの引数\n"),
      "4行目の書式を解析できません。[  * 問合せデータ・ソースの引数]");
  EXPECT_EQ(GrammarError(u"* 名前 B\n* 問合せデータ・ソースの列\n  * 型 X\n"),
            "3行目の書式を解析できません。[  * 型 X]");

  // Long lines are quoted in part.
  const std::string error =
      GrammarError(u"* 名前 F\n* s\n  * " + std::u16string(100000, u'x') + u"\n");
  EXPECT_EQ(error, "3行目の書式を解析できません。[  * " + std::string(196, 'x') + "…]");
}

TEST(ReportParser, EmptyTextGivesNoTree) {
  EXPECT_EQ(ParseReport(u""), nullptr);
  RawBuffer<char16_t> empty;
  EXPECT_EQ(ParseReport(empty), nullptr);
}

TEST(ReportParser, TheTreeOutlivesItsTextAndAFailedParseGivesNone) {
  CollectionPtr tree = ParseReport(std::u16string(u"* 名前 F\n  タイトル T\n"));  // text gone
  EXPECT_EQ(TreeToJson(tree), R"([["ﾌｫｰﾑ",[["F",[["タイトル","T"]]]]]])");

  const std::u16string bad = u"* 名前 F\n* ブロック\n  * 型 X\n";
  EXPECT_THROW(tree = ParseReport(bad), Error);
  EXPECT_EQ(TreeToJson(tree),
            R"([["ﾌｫｰﾑ",[["F",[["タイトル","T"]]]]]])");  // the earlier tree lives on
}

TEST(ReportParser, HostileTextsGiveATreeOrAClearError) {
  EXPECT_EQ(Tree(DecodeCp932("\xEF\xBB\xBF* \x96\xBC\x91\x4F F\r\n")), R"([["ﾌｫｰﾑ",[]]])");
  EXPECT_EQ(Tree(u"\uFEFF* 名前 F"), R"([["ﾌｫｰﾑ",[]]])");

  const std::u16string longValue(1 << 20, u'x');
  EXPECT_EQ(Module(u"* 名前 F\n* 長い " + longValue + u"\n* 次 1"),
            R"(["F",[["長い",")" + std::string(1 << 20, 'x') + R"("],["次","1"]]])");
  EXPECT_EQ(Module(u"* 名前 F\n" + std::u16string(1 << 20, u' ') + u"\n* 次 1"),
            R"(["F",[["",""],["次","1"]]])");

  // Random lines made of the grammar's own names, marks and odd characters.
  const std::u16string_view names[] = {u"名前",
                                       u"ソース名",
                                       u"リスト内の要素",
                                       u"リスト形式",
                                       u"ラベル",
                                       u"リスト項目値",
                                       u"列名",
                                       u"引数名",
                                       u"問合せデータ・ソースの列",
                                       u"問合せデータ・ソースの引数",
                                       u"別名",
                                       u"座標系",
                                       u"サブクラス情報",
                                       u"メニュー項目コード",
                                       u"メニューのアイコン",
                                       u"座標情報",
                                       u"参照情報",
                                       u"連結ライブラリ",
                                       u"コメント",
                                       u"タイトル",
                                       u"トリガー・テキスト",
                                       u"問合せ入力モードで起動",
                                       u"ORDER BY句",
                                       u"ブロック",
                                       u"x",
                                       u"----------",
                                       u"",
                                       std::u16string_view(u"\0", 1),
                                       std::u16string_view(u"\xD800", 1)};
  const std::u16string_view values[] = {u"",
                                        u"v",
                                        u"<Not Referenced>",
                                        u"a - メニューのアイコン i",
                                        u"メニューのアイコン",
                                        u"\r",
                                        u"\x1a",
                                        u"\uFFFD"};
  std::mt19937 random(20261207);
  auto pick = [&random](std::size_t n) {
    return std::uniform_int_distribution<std::size_t>(0, n - 1)(random);
  };
  int trees = 0;
  int errors = 0;
  for (int round = 0; round < 300; ++round) {
    std::u16string text = u"* 名前 F\n";
    for (int line = 0; line < 200; ++line) {
      text.append(pick(8), u' ');
      text += u"*-o ="[pick(5)];
      text += u' ';
      text += names[pick(std::size(names))];
      text += u' ';
      text += values[pick(std::size(values))];
      text += u'\n';
    }
    try {
      CollectionPtr tree = ParseReport(text);
      ASSERT_NE(tree, nullptr);
      ++trees;
    } catch (const Error& error) {
      ASSERT_EQ(error.Number(), kGrammarErrorNumber);
      ++errors;
    }
  }
  EXPECT_GT(trees, 0);
  EXPECT_GT(errors, 0);
}

// Nested objects one column apart, each with a section holding the next.
std::u16string NestedReport(int sections) {
  std::u16string text;
  for (int level = 0; level <= sections; ++level) {
    text += std::u16string(level, u' ') + u"* 名前 O\n";
    if (level < sections) text += std::u16string(level, u' ') + u"* s\n";
  }
  return text;
}

TEST(ReportParser, NestingIsBoundedWithAClearError) {
  // The top section counts as the first level.
  const std::u16string deepest = NestedReport(kMaxSectionDepth - 1);
  CollectionPtr tree = ParseReport(deepest);
  int depth = 0;
  for (const Collection* c = tree.get(); c->Count() > 0; c = &c->At(c->Count()).Children()) ++depth;
  EXPECT_EQ(depth, 2 * kMaxSectionDepth);
  EXPECT_FALSE(TreeToJson(tree).empty());
  tree.reset();

  const std::string error = GrammarError(NestedReport(kMaxSectionDepth));
  EXPECT_EQ(error,
            "2000行目でセクションの入れ子が1000階層を超えました。[" + std::string(200, ' ') + "…]");
}

TEST(ReportParser, ThousandsOfSameNamedObjectsAreRefused) {
  std::u16string text = u"* 名前 F\n* ブロック\n";
  for (int i = 0; i < 1001; ++i) text += u"  * 名前 B\n";
  CollectionPtr tree = ParseReport(text);
  const Collection& blocks = tree->At(1).Children().At(1).Children().At(1).Children();
  ASSERT_EQ(blocks.Count(), 1001u);
  EXPECT_EQ(blocks.At(1001).Key, u"B" + std::u16string(1000, u' '));

  text += u"  * 名前 b\n";
  EXPECT_EQ(GrammarError(text), "1004行目で同じ名前のオブジェクトが多すぎます。[  * 名前 b]");
}

// Counts, over the whole tree, texts stored under `key` that span lines.
int MultiLineTexts(const Collection& root, std::u16string_view key) {
  int count = 0;
  std::vector<const Collection*> pending{&root};
  while (!pending.empty()) {
    const Collection* c = pending.back();
    pending.pop_back();
    for (const clsItem& item : *c) {
      if (item.IsCollection()) pending.push_back(&item.Children());
      if (item.IsText() && item.Key == key && item.Text().find(u"\r\n") != std::u16string::npos)
        ++count;
    }
  }
  return count;
}

TEST(ReportParser, GeneratedReportsAndTheirEditsParseIntoModules) {
  GeneratorOptions options;
  options.seed = 7;
  options.targetBytes = 300000;
  options.moduleName = u"ORDERS";
  const std::u16string original = GenerateReportText(options);
  for (const std::u16string& text : {original, MutateReportText(original, 0.05, 3)}) {
    CollectionPtr tree = ParseReport(DecodeCp932(ReportBytes(text)));
    ASSERT_EQ(tree->Count(), 1u);
    EXPECT_EQ(tree->At(1).Key, u"ﾌｫｰﾑ");
    const Collection& modules = tree->At(1).Children();
    ASSERT_EQ(modules.Count(), 1u);
    EXPECT_EQ(modules.At(1).Key, u"ORDERS");
    const clsItem* blocks = modules.At(1).Children().Find(u"ブロック");
    ASSERT_NE(blocks, nullptr);
    ASSERT_GT(blocks->Children().Count(), 1u);
    for (const clsItem& block : blocks->Children()) {
      const clsItem* items = block.Children().Find(u"項目");
      ASSERT_NE(items, nullptr) << ToUtf8(block.Key);
      EXPECT_GT(items->Children().Count(), 0u) << ToUtf8(block.Key);
    }
    EXPECT_GT(MultiLineTexts(*tree, u"トリガー・テキスト"), 10);
  }
}

TEST(ReportParser, AHugeLineIsKeptWhereItLiesNotCopied) {
  const std::u16string huge(3 << 20, u'x');
  const std::u16string report = u"* 名前 F\r\n  タイトル " + huge + u"\r\n  幅 10\r\n";
  RawBuffer<char16_t> buffer;
  buffer.Resize(report.size());
  std::copy(report.begin(), report.end(), buffer.data());
  CollectionPtr tree = ParseReport(buffer);
  EXPECT_TRUE(buffer.empty()) << "the tree took the text over";
  EXPECT_EQ(TreeToJson(tree), Tree(report));
  const clsItem& title = tree->At(1).Children().At(1).Children().At(1);
  EXPECT_EQ(title.Text(), huge);

  // An ordinary report is copied and leaves its buffer for the next one.
  const std::u16string small = u"* 名前 F\r\n  タイトル T\r\n";
  buffer.Resize(small.size());
  std::copy(small.begin(), small.end(), buffer.data());
  CollectionPtr smallTree = ParseReport(buffer);
  EXPECT_EQ(buffer.View(), small);
  std::fill(buffer.data(), buffer.data() + buffer.size(), u'?');
  EXPECT_EQ(TreeToJson(smallTree), Tree(small));
}

}  // namespace
}  // namespace tarnwick
