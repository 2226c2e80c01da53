// The text, Markdown and textconv views of a comparison and of a report.
#include <gtest/gtest.h>

#include <string>

#include "classic/classic_renderers.h"
#include "diff/fan_out_renderer.h"
#include "diff/form_diff.h"
#include "diff/ignore_rules.h"
#include "tests/tree_builders.h"
#include "text/decimal.h"
#include "text/utf8.h"
#include "textview/markdown_view.h"
#include "textview/report_text.h"
#include "textview/text_view.h"

namespace tarnwick {
namespace {

using testing::Items;
using testing::Obj;
using testing::Prop;

CollectionPtr Form(std::initializer_list<clsItem> modules) {
  return Items({Obj(u"ﾌｫｰﾑ", modules)});
}

// Version 1 and 2 of one module: a changed title, a trigger with one line
// changed among many, an alert removed, a property added.
CollectionPtr Version1() {
  return Form({Obj(u"F", {Prop(u"タイトル", u"受注"),
                          Obj(u"トリガー", {Obj(u"T1", {Prop(u"トリガー・テキスト",
                                                             u"a\r\nb\r\nc\r\nd\r\ne\r\nf\r\n"
                                                             u"g\r\nh\r\ni")})}),
                          Obj(u"アラート", {Obj(u"A1", {Prop(u"タイトル", u"確認")})})})});
}
CollectionPtr Version2() {
  return Form({Obj(u"F", {Prop(u"タイトル", u"受注２"), Prop(u"コメント", u"新"),
                          Obj(u"トリガー", {Obj(u"T1", {Prop(u"トリガー・テキスト",
                                                             u"a\r\nb\r\nc\r\nd\r\nE\r\nf\r\n"
                                                             u"g\r\nh\r\ni")})}),
                          Obj(u"アラート", {})})});
}

template <typename Renderer>
std::u16string Render(Renderer& renderer, const Collection& tree1, const Collection& tree2,
                      bool diffOnly = true) {
  StringSink out;
  const ComparisonResult result =
      MakeFormDiff(tree1, tree2, u"v1/F.txt", u"v2/F.txt", renderer.Start(out), diffOnly, {});
  renderer.Finish({u"F.TXT", result});
  return out.Text();
}

TEST(TextView, ListsTheChangedObjectsByPathWithTheirChangedProperties) {
  TextView view({});
  EXPECT_EQ(ToUtf8(Render(view, *Version1(), *Version2())),
            "--- v1/F.txt\n"
            "+++ v2/F.txt\n"
            "F\n"
            "    タイトル: 受注 → 受注２\n"
            "  + コメント: 新\n"
            "F/トリガー/T1\n"
            "    トリガー・テキスト:\n"
            "      @@ -2,7 +2,7 @@\n"
            "       b\n"
            "       c\n"
            "       d\n"
            "      -e\n"
            "      +E\n"
            "       f\n"
            "       g\n"
            "       h\n"
            "- F/アラート/A1（削除）\n"
            "  - タイトル: 確認\n"
            "オブジェクト: 追加 0・削除 1・変更 2　行: 追加 3・削除 3\n\n");

  // Listing every property changes nothing in the view; equal pairs show nothing.
  TextView all({}), differences({});
  EXPECT_EQ(Render(all, *Version1(), *Version2(), false),
            Render(differences, *Version1(), *Version2()));
  TextView same({});
  EXPECT_EQ(Render(same, *Version1(), *Version1(), false), u"");
}

TEST(TextView, ColoursOnlyWhenAskedAndNeverPassesControlCharacters) {
  const CollectionPtr one = Form({Obj(u"F", {Prop(u"X", u"a\x1b[2J")})});
  const CollectionPtr two = Form({Obj(u"F", {Prop(u"X", u"b")})});
  TextView plain({});
  const std::u16string text = Render(plain, *one, *two);
  EXPECT_NE(text.find(u"    X: a\\u001b[2J → b\n"), std::u16string::npos) << ToUtf8(text);
  EXPECT_EQ(text.find(u'\x1b'), std::u16string::npos);

  TextView colored({.color = true});
  EXPECT_NE(
      Render(colored, *one, *two).find(u"    X: \x1b[31ma\\u001b[2J\x1b[m → \x1b[32mb\x1b[m\n"),
      std::u16string::npos);
}

TEST(UnifiedHunks, KeepThreeLinesOfContextAndJoinWhenTheyTouch) {
  const auto lines = [](int changedAt1, int changedAt2) {
    std::u16string a, b;
    for (int i = 1; i <= 20; ++i) {
      const std::u16string n = u"L" + std::u16string(1, static_cast<char16_t>(u'a' + i));
      a += n + u"\n";
      b += (i == changedAt1 || i == changedAt2 ? n + u"x" : n) + u"\n";
    }
    return std::pair{a, b};
  };
  const auto headers = [](std::pair<std::u16string, std::u16string> texts) {
    const std::vector<LineRecord> records = DiffLines(texts.first, texts.second);
    std::string out;
    for (const ListingHunk& hunk : UnifiedHunks(records)) out += ToUtf8(HunkHeader(hunk)) + ";";
    return out;
  };
  EXPECT_EQ(headers(lines(2, 15)), "@@ -1,5 +1,5 @@;@@ -12,7 +12,7 @@;");
  EXPECT_EQ(headers(lines(2, 9)), "@@ -1,12 +1,12 @@;") << "six lines apart: one hunk";
  EXPECT_EQ(headers(lines(2, 10)), "@@ -1,5 +1,5 @@;@@ -7,7 +7,7 @@;");

  // A value one side lacks is all one side's lines.
  const std::vector<LineRecord> added = {{LineKind::kOnly2, 0, 1, u"", u"x"},
                                         {LineKind::kOnly2, 0, 2, u"", u"y"}};
  EXPECT_EQ(ToUtf8(HunkHeader(UnifiedHunks(added).at(0))), "@@ -0,0 +1,2 @@");
}

TEST(EventFanOut, RendersThePageExactlyAsAloneAndTheViewBeside) {
  ClassicComparisonRenderer alone;
  const std::u16string page = Render(alone, *Version1(), *Version2(), false);
  TextView viewAlone({});
  const std::u16string text = Render(viewAlone, *Version1(), *Version2(), false);

  StringSink viewOut;
  FanOutRenderer both(std::make_unique<ClassicComparisonRenderer>(),
                      std::make_unique<TextView>(TextViewOptions{}), viewOut);
  EXPECT_EQ(both.Encoding(), PageEncoding::kCp932);
  EXPECT_EQ(Render(both, *Version1(), *Version2(), false), page);
  EXPECT_EQ(viewOut.Text(), text);
}

// Two triggers swapped, the one moved also changed.
CollectionPtr Swapped(bool changed) {
  return Form({Obj(u"F", {Obj(u"トリガー", {Obj(u"T2", {Prop(u"P", u"1")}),
                                            Obj(u"T1", {Prop(u"P", changed ? u"2" : u"1")})})})});
}
CollectionPtr Unswapped() {
  return Form({Obj(
      u"F", {Obj(u"トリガー", {Obj(u"T1", {Prop(u"P", u"1")}), Obj(u"T2", {Prop(u"P", u"1")})})})});
}

TEST(TextView, AMovedObjectSaysWhereItWentAndTheClassicPageBesideItStaysAsAlone) {
  TextView view({});
  EXPECT_EQ(ToUtf8(Render(view, *Unswapped(), *Swapped(false))),
            "--- v1/F.txt\n+++ v2/F.txt\n"
            "F/トリガー/T1（移動: 1番目 → 2番目）\n"
            "オブジェクト: 追加 0・削除 0・変更 0・移動 1　行: 追加 0・削除 0\n\n");
  // A move the classic page does not show leaves its headings due there.
  for (const bool diffOnly : {true, false}) {
    ClassicComparisonRenderer alone;
    const std::u16string page = Render(alone, *Unswapped(), *Swapped(true), diffOnly);
    StringSink viewOut;
    FanOutRenderer both(std::make_unique<ClassicComparisonRenderer>(),
                        std::make_unique<TextView>(TextViewOptions{}), viewOut);
    EXPECT_EQ(Render(both, *Unswapped(), *Swapped(true), diffOnly), page) << diffOnly;
    EXPECT_NE(viewOut.Text().find(u"F/トリガー/T1（移動: 1番目 → 2番目）\n    P: 1 → 2\n"),
              std::u16string::npos)
        << ToUtf8(viewOut.Text());
  }
}

TEST(TextView, IgnoredDifferencesAreMarkedAndAClassicPageBesideLeavesThemOut) {
  const ParsedIgnoreRules parsed = ParseIgnoreRules(u"タイトル\n");
  ASSERT_EQ(parsed.badLine, 0u);
  CompareOptions options;
  options.ignoreRules = &parsed.rules;
  const auto render = [&](ComparisonRenderer& renderer) {
    StringSink out;
    const ComparisonResult result = MakeFormDiff(*Version1(), *Version2(), u"v1/F.txt", u"v2/F.txt",
                                                 renderer.Start(out), true, options);
    renderer.Finish({u"F.TXT", result});
    return out.Text();
  };
  ClassicComparisonRenderer alone;
  const std::u16string page = render(alone);
  StringSink viewOut;
  FanOutRenderer both(std::make_unique<ClassicComparisonRenderer>(),
                      std::make_unique<TextView>(TextViewOptions{}), viewOut);
  EXPECT_EQ(render(both), page);
  EXPECT_EQ(page.find(u"受注２"), std::u16string::npos) << "only differences are listed";
  EXPECT_NE(viewOut.Text().find(u"F\n    （無視） タイトル: 受注 → 受注２\n  + コメント: 新\n"),
            std::u16string::npos)
      << ToUtf8(viewOut.Text());
}

TEST(ListingLinesOf, AMovedLineIsMarkedWhereItLeftAndArrivedEachPairedOnce) {
  // X moved below C; the second removed X has no added one to pair with.
  const std::vector<LineRecord> lines = DiffLines(u"X\r\nA\r\nX\r\nB\r\nC", u"A\r\nB\r\nC\r\nX");
  std::u16string marks;
  for (const ListingLine& line : ListingLinesOf(lines, true)) {
    marks += line.mark;
    marks += line.text;
    marks += u' ';
  }
  EXPECT_EQ(ToUtf8(marks), ">X  A -X  B  C <X ");
  std::u16string plain;
  for (const ListingLine& line : ListingLinesOf(lines, false)) plain += line.mark;
  EXPECT_EQ(ToUtf8(plain), "- -  +");
}

TEST(MarkdownReport, TotalsFirstThenATableThenASectionPerDifferingPair) {
  MarkdownReport report;
  for (const bool differs : {true, false}) {
    std::unique_ptr<ComparisonRenderer> pair = report.Pair();
    StringSink unused;
    const CollectionPtr other = differs ? Version2() : Version1();
    const ComparisonResult result =
        MakeFormDiff(*Version1(), *other, u"v1/F.txt", u"v2/F.txt", pair->Start(unused), true, {});
    pair->Finish({differs ? u"F|1.TXT" : u"G.TXT", result});
  }
  StringSink out;
  report.Write(out);
  EXPECT_EQ(ToUtf8(out.Text()),
            "### 比較結果\n\n"
            "比較したペア **2**・差異あり **1**・一致 **1**\n\n"
            "オブジェクト: 追加 **0**・削除 **1**・変更 **2**　行: 追加 **3**・削除 **3**\n\n"
            "| レポート | 状態 | 追加 | 削除 | 変更 | 行 |\n"
            "| --- | --- | ---: | ---: | ---: | ---: |\n"
            "| `F\\|1.TXT` | 差異あり | 0 | 1 | 2 | +3 −3 |\n\n"
            "<details>\n"
            "<summary><code>F|1.TXT</code> — オブジェクト: 追加 0・削除 1・変更 2　行: 追加 "
            "3・削除 3</summary>\n\n"
            "**`F`**\n\n"
            "- `タイトル`: `受注` → `受注２`\n"
            "- ＋ `コメント`: `新`\n\n"
            "**`F/トリガー/T1`**\n\n"
            "`トリガー・テキスト`:\n\n"
            "```diff\n@@ -2,7 +2,7 @@\n b\n c\n d\n-e\n+E\n f\n g\n h\n```\n\n"
            "**－ `F/アラート/A1`（削除）**\n\n"
            "</details>\n\n");
}

TEST(MarkdownReport, StaysWithinItsBoundAndSaysWhatItLeftOut) {
  MarkdownReport report;
  for (int n = 0; n < 200; ++n) {
    std::unique_ptr<ComparisonRenderer> pair = report.Pair();
    StringSink unused;
    const ComparisonResult result = MakeFormDiff(*Version1(), *Version2(), u"v1/F.txt", u"v2/F.txt",
                                                 pair->Start(unused), true, {});
    pair->Finish({u"F" + DecimalText(n) + u".TXT", result});
  }
  StringSink out;
  report.Write(out, 4000);
  const std::string text = ToUtf8(out.Text());
  EXPECT_LE(out.Text().size(), 4000u);
  EXPECT_NE(text.find("| … | ほか "), std::string::npos) << "the table is cut too";
  EXPECT_NE(text.find("_出力の上限（4000 文字）のため、"), std::string::npos) << text;
  EXPECT_NE(text.find("<details>"), std::string::npos) << "what fits is shown";

  // A value's backticks never end its code span; an empty value is a word.
  MarkdownReport ticks;
  std::unique_ptr<ComparisonRenderer> pair = ticks.Pair();
  StringSink unused;
  const ComparisonResult result =
      MakeFormDiff(*Form({Obj(u"F", {Prop(u"X", u"a``b"), Prop(u"Y", u"")})}),
                   *Form({Obj(u"F", {Prop(u"X", u"`c"), Prop(u"Y", u"d")})}), u"1", u"2",
                   pair->Start(unused), true, {});
  pair->Finish({u"F", result});
  ticks.Write(out);
  EXPECT_NE(ToUtf8(out.Text()).find("- `X`: ```a``b``` → `` `c ``\n- `Y`: （空） → `d`\n"),
            std::string::npos);
}

TEST(ReportText, OneLinePerPropertyWithItsPathAndTheSameForTheSameTree) {
  const CollectionPtr tree =
      Form({Obj(u"F", {Prop(u"タイトル", u"受注"), Prop(u"コメント", u""),
                       Obj(u"ブロック", {Obj(u"B2", {Obj(u"項目", {Obj(u"I1", {})})}),
                                         Obj(u"B1", {Prop(u"問合せ可能", u"はい")})}),
                       Obj(u"アラート", {Obj(u"Z", {Prop(u"タイトル", u"z")}),
                                         Obj(u"A", {Prop(u"本文", u"x\r\n\r\ny")})})})});
  StringSink out;
  WriteReportText(tree.get(), out);
  EXPECT_EQ(ToUtf8(out.Text()),
            "ブロック・項目:\n"
            "    B2\n"
            "        I1\n"
            "    B1\n"
            "F/タイトル: 受注\n"
            "F/コメント:\n"
            "F/アラート/A/本文:\n"
            "    x\n"
            "\n"
            "    y\n"
            "F/アラート/Z/タイトル: z\n"
            "F/ブロック/B1/問合せ可能: はい\n"
            "F/ブロック/B2/項目/I1/\n");

  // Objects of a section in another order give the same text.
  const CollectionPtr reordered =
      Form({Obj(u"F", {Prop(u"タイトル", u"受注"), Prop(u"コメント", u""),
                       Obj(u"アラート", {Obj(u"A", {Prop(u"本文", u"x\r\n\r\ny")}),
                                         Obj(u"Z", {Prop(u"タイトル", u"z")})}),
                       Obj(u"ブロック", {Obj(u"B2", {Obj(u"項目", {Obj(u"I1", {})})}),
                                         Obj(u"B1", {Prop(u"問合せ可能", u"はい")})})})});
  StringSink again;
  WriteReportText(reordered.get(), again);
  EXPECT_EQ(again.Text(), out.Text());

  StringSink none;
  WriteReportText(nullptr, none);
  EXPECT_EQ(none.Text(), u"");
}

}  // namespace
}  // namespace tarnwick
