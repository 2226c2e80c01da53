// The review pages as text: what they say and link, checked without a
// browser (tests/browser/ checks what a reader sees).
#include <gtest/gtest.h>

#include "app/runs.h"
#include "app/summary_page.h"
#include "diff/change_counts.h"
#include "diff/ignore_rules.h"
#include "diff/tree_compare.h"
#include "diff_run_fixture.h"
#include "fake_window.h"
#include "review/review_compare.h"
#include "review/review_search.h"
#include "review/review_summary.h"
#include "runs_fixture.h"
#include "sample_reports.h"
#include "text/utf8.h"
#include "tools/generator/deep_report.h"
#include "tree_builders.h"

namespace tarnwick {
namespace {

using testing::FakeWindow;
using testing::Obj;
using testing::Prop;
using testing::ScratchFolder;
using testing::SmallReport;

struct Rendered {
  std::string page;
  ChangeCounts counts;
  std::size_t changes = 0;
};

Rendered Render(const clsItem& node1, const clsItem& node2, bool diffOnly,
                const CompareOptions& options = {}) {
  ReviewComparePage page(options);
  ChangeCounter counter(page);
  counter.Title(u"/a/<1>.txt", 1);
  counter.Title(u"/b/2.txt", 2);
  PathStacks stacks;
  const bool diffFound = CompareNodes(node1, node2, stacks, counter, diffOnly, options);
  Rendered rendered;
  rendered.page = ToUtf8(page.Page(u"P.TXT", counter.Counts(), diffFound));
  rendered.counts = counter.Counts();
  rendered.changes = page.ChangeCount();
  return rendered;
}

std::string Main(const std::string& page) {
  const std::size_t from = page.find("<main>");
  return page.substr(from, page.find("</main>") - from);
}

TEST(ReviewComparePage, IsOneSelfContainedUtf8Document) {
  const clsItem node = Obj(u"", {Obj(u"B", {Prop(u"P", u"1")})});
  const std::string page = Render(node, node, true).page;
  EXPECT_EQ(page.rfind("<!DOCTYPE html>\n<html lang=\"ja\">\n<head>\n<meta charset=\"utf-8\">", 0),
            0u);
  EXPECT_NE(page.find("<title>比較: P.TXT</title>"), std::string::npos);
  EXPECT_NE(page.find("@media (prefers-color-scheme:dark)"), std::string::npos);
  EXPECT_NE(page.find("@media print"), std::string::npos);
  for (const char* fetch : {"src=", "<link", "@import", "url(", "http:", "https:"}) {
    EXPECT_EQ(page.find(fetch), std::string::npos) << fetch << ": nothing is fetched";
  }
  EXPECT_NE(page.find("<td class=\"v\">/a/&lt;1&gt;.txt</td>"), std::string::npos);
  EXPECT_NE(Main(page).find("<p class=\"same\">差異はありません。"), std::string::npos)
      << "an identical pair says so";
}

TEST(ReviewComparePage, GroupsChangesUnderTheirObjectAndNumbersThem) {
  const clsItem side1 = Obj(
      u"", {Obj(u"ブロック", {Obj(u"B1", {Prop(u"型", u"VARCHAR2(100)"), Prop(u"同じ", u"x")})})});
  const clsItem side2 =
      Obj(u"", {Obj(u"ブロック", {Obj(u"B1", {Prop(u"型", u"VARCHAR2(200)"), Prop(u"同じ", u"x"),
                                              Prop(u"新", u"n")})})});
  const Rendered r = Render(side1, side2, true);
  EXPECT_EQ(Main(r.page),
            "<main>\n<h2>ブロック</h2>\n<h3 class=chg id=o1>B1</h3>\n"
            "<div class=p id=c1><b>型</b><del class=\"v\">VARCHAR2(<em>100</em>)</del> → "
            "<ins class=\"v\">VARCHAR2(<em>200</em>)</ins></div>\n"
            "<div class=p id=c2><b>新</b><ins class=\"v\">n</ins></div>\n");
  EXPECT_EQ(r.changes, 2u);
  EXPECT_NE(
      r.page.find("オブジェクト: 追加 <b>0</b>・削除 <b>0</b>・変更 <b>1</b>　行: 追加 <b>2</b>"
                  "・削除 <b>1</b>　変更箇所 <b>2</b>"),
      std::string::npos);
}

TEST(ReviewComparePage, AnObjectOneSideLacksIsOneChangeWithItsContentUnderIt) {
  const clsItem side1 = Obj(u"", {Obj(u"A", {Prop(u"P", u"1")})});
  const clsItem side2 =
      Obj(u"", {Obj(u"A", {Prop(u"P", u"1")}),
                Obj(u"NEW", {Prop(u"P", u"a\r\nb"), Obj(u"IN", {Prop(u"Q", u"q")})})});
  const Rendered r = Render(side1, side2, true);
  EXPECT_EQ(
      Main(r.page),
      "<main>\n<h3 class=add id=c1>NEW（追加）</h3>\n"
      "<div class=\"h add\"><b>P</b><ins>a</ins><ins>b</ins></div>\n"
      "<h4 class=add>IN（追加）</h4>\n<div class=\"p o\"><b>Q</b><ins class=\"v\">q</ins></div>\n");
  EXPECT_EQ(r.changes, 1u);
  EXPECT_EQ(r.counts.objectsAdded, 1);
}

TEST(ReviewComparePage, AMovedObjectIsOneChangeSayingWhereItWent) {
  const clsItem side1 =
      Obj(u"", {Obj(u"トリガー", {Obj(u"T1", {Prop(u"P", u"1")}), Obj(u"T2", {Prop(u"P", u"1")}),
                                  Obj(u"T3", {Prop(u"P", u"1")})})});
  const clsItem side2 =
      Obj(u"", {Obj(u"トリガー", {Obj(u"T2", {Prop(u"P", u"1")}), Obj(u"T3", {Prop(u"P", u"1")}),
                                  Obj(u"T1", {Prop(u"P", u"2")})})});
  const Rendered r = Render(side1, side2, true);
  EXPECT_EQ(Main(r.page),
            "<main>\n<h2>トリガー</h2>\n<h3 class=chg id=o1>T1</h3>\n"
            "<div class=p id=c1><b>並び順</b><mark class=\"v\">1番目 → 3番目</mark></div>\n"
            "<div class=p id=c2><b>P</b><del class=\"v\">1</del> → <ins class=\"v\">2</ins>"
            "</div>\n");
  EXPECT_EQ(r.counts.objectsMoved, 1);
  EXPECT_EQ(r.counts.objectsChanged, 1);
  EXPECT_NE(r.page.find("・変更 <b>1</b>・移動 <b>1</b>"), std::string::npos);

  // Moved and otherwise equal: no difference, and the page says what differs.
  const clsItem moved =
      Obj(u"", {Obj(u"トリガー", {Obj(u"T2", {Prop(u"P", u"1")}), Obj(u"T3", {Prop(u"P", u"1")}),
                                  Obj(u"T1", {Prop(u"P", u"1")})})});
  const Rendered only = Render(side1, moved, true);
  EXPECT_NE(
      Main(only.page).find("<p class=\"same\">内容の差異はありません。並び順だけが違います。"),
      std::string::npos);
  EXPECT_EQ(only.changes, 1u);
  // Nothing moved: no such count.
  EXPECT_EQ(Render(side1, side1, true).page.find("・移動"), std::string::npos);
}

TEST(ReviewComparePage, IgnoredDifferencesShowMarkedUnnumberedAndCountedApart) {
  const clsItem side1 =
      Obj(u"", {Obj(u"項目", {Obj(u"I", {Prop(u"X位置", u"10"), Prop(u"トリガー", u"a\r\nb"),
                                         Prop(u"型", u"A")})})});
  const clsItem side2 =
      Obj(u"", {Obj(u"項目", {Obj(u"I", {Prop(u"X位置", u"16"), Prop(u"トリガー", u"a\r\nc"),
                                         Prop(u"型", u"B")})})});
  const IgnoreRules rules = ParseIgnoreRules(u"項目: X位置\nトリガー").rules;
  CompareOptions options;
  options.ignoreRules = &rules;
  // Listed even when only differences are: the reader sees what the rules hid.
  const Rendered r = Render(side1, side2, true, options);
  EXPECT_EQ(
      Main(r.page),
      "<main>\n<h2>項目</h2>\n<h3 class=chg id=o1>I</h3>\n"
      "<div class=\"p i\"><b>X位置</b><del class=\"v\">10</del> → "
      "<ins class=\"v\">16</ins><span class=im>無視</span></div>\n"
      "<div class=\"h i\"><b>トリガー<span class=im>無視</span></b><span>a</span>"
      "<del>b</del><ins>c</ins></div>\n"
      "<div class=p id=c1><b>型</b><del class=\"v\">A</del> → <ins class=\"v\">B</ins></div>\n");
  EXPECT_EQ(r.changes, 1u);
  EXPECT_EQ(r.counts.propertiesIgnored, 2);
  EXPECT_EQ(r.counts.linesAdded, 1);
  EXPECT_NE(r.page.find("変更箇所 <b>1</b>　無視した違い <b>2</b></p>"), std::string::npos);
  EXPECT_NE(r.page.find(".im{"), std::string::npos) << "the marks' style comes with them";

  const Rendered plain = Render(side1, side2, true);
  EXPECT_EQ(plain.page.find("無視した違い <b>"), std::string::npos);
  EXPECT_EQ(plain.page.find(".im{"), std::string::npos) << "other pages stay as they were";
}

TEST(ReviewComparePage, AnItemMovedInTheOutlineIsMarkedMovedNotRemovedAndAdded) {
  ReviewComparePage page({});
  const std::vector<LineRecord> lines = DiffLines(u"B\r\n    I\r\n    J", u"B\r\n    J\r\n    I");
  page.OutlineChanged(lines);
  const std::string text = ToUtf8(page.Page(u"P.TXT", {}, true));
  EXPECT_NE(
      text.find("<ins class=\"mv\">    J</ins><span>    I</span><del class=\"mv\">    J</del>"),
      std::string::npos)
      << text;
  EXPECT_NE(text.find(".h>del.mv"), std::string::npos) << "the style comes with the marks";
  EXPECT_NE(text.find("\u2195 移動した行"), std::string::npos);
  // A page without such lines carries neither.
  const clsItem node = Obj(u"", {Obj(u"B", {Prop(u"P", u"1")})});
  EXPECT_EQ(Render(node, node, true).page.find(".h>del.mv"), std::string::npos);
}

TEST(ReviewComparePage, ListingsFoldUnchangedLinesBeyondTheContext) {
  std::u16string text1, text2;
  for (int k = 1; k <= 12; ++k) {
    const std::u16string line = u"L" + FromUtf8(std::to_string(k));
    text1 += line + u"\r\n";
    text2 += (k == 6 ? u"X" : line) + u"\r\n";
  }
  const Rendered r = Render(Obj(u"", {Obj(u"T", {Prop(u"テキスト", text1)})}),
                            Obj(u"", {Obj(u"T", {Prop(u"テキスト", text2)})}), true);
  // Lines 1-3 folded, 4-5 context, 6 changed (one change), 7-8 context,
  // 9-13 folded (13 is the empty line after the last CR LF).
  EXPECT_NE(Main(r.page).find(
                "<div class=h><b>テキスト</b>"
                "<details class=f style=--n:3 data-a=0><summary>3</summary></details>"
                "<span>L4</span><span>L5</span><del id=c1>L6</del><ins>X</ins>"
                "<span>L7</span><span>L8</span>"
                "<details class=f style=--n:5 data-a=3><summary>5</summary></details></div>"),
            std::string::npos)
      << Main(r.page);
  EXPECT_NE(r.page.find("<script type=\"text/plain\" id=\"folds\">"), std::string::npos);
}

TEST(ReviewComparePage, WithEverythingListedEqualPropertiesAreGroupedClosed) {
  const clsItem side1 = Obj(u"", {Obj(u"A", {Prop(u"P", u"1"), Prop(u"Q", u"<q>")})});
  const clsItem side2 = Obj(u"", {Obj(u"A", {Prop(u"P", u"2"), Prop(u"Q", u"<q>")})});
  const std::string main = Main(Render(side1, side2, false).page);
  EXPECT_NE(
      main.find("<details class=\"u\"><summary>変更のないプロパティ</summary>"
                "<div class=\"q\"><b>Q</b> <span class=\"v\">&lt;q&gt;</span></div></details>"),
      std::string::npos)
      << main;
}

TEST(ReviewComparePage, OptionsAreNamedAndIgnoredDifferencesShownApart) {
  const clsItem side1 = Obj(u"", {Obj(u"T", {Prop(u"テキスト", u"a\r\n  b\r\nc")})});
  const clsItem side2 = Obj(u"", {Obj(u"T", {Prop(u"テキスト", u"a\r\n    b\r\nC")})});
  const Rendered r = Render(side1, side2, true, {true, false});
  EXPECT_NE(r.page.find("<p class=\"opts\">比較オプション: 空白の違いを無視</p>"),
            std::string::npos);
  EXPECT_NE(Main(r.page).find("<del class=\"x\">  b</del><ins class=\"x\">    b</ins>"
                              "<del id=c1>c</del><ins>C</ins>"),
            std::string::npos)
      << Main(r.page);
}

TEST(ReviewComparePage, OnlyObjectsWithAChangeOfTheirOwnAreMarkedChanged) {
  const clsItem side1 = Obj(u"", {Obj(u"A", {Prop(u"P", u"1")}), Obj(u"B", {Prop(u"P", u"1")}),
                                  Obj(u"C", {Prop(u"X位置", u"1")})});
  const clsItem side2 = Obj(u"", {Obj(u"A", {Prop(u"P", u"1")}), Obj(u"B", {Prop(u"P", u"2")}),
                                  Obj(u"C", {Prop(u"X位置", u"2")})});
  const IgnoreRules rules = ParseIgnoreRules(u"X位置").rules;
  CompareOptions options;
  options.ignoreRules = &rules;
  // Everything listed: A is equal, C differs only where a rule ignores it.
  const std::string main = Main(Render(side1, side2, false, options).page);
  EXPECT_NE(main.find("<h3 id=o1>A</h3>\n<details class=\"u\">"), std::string::npos) << main;
  EXPECT_NE(main.find("<h3 class=chg id=o2>B</h3>\n<div class=p id=c1>"), std::string::npos);
  EXPECT_NE(main.find("<h3 id=o3>C</h3>\n<div class=\"p i\">"), std::string::npos);
  // The compared nodes' own properties (an object comparison) likewise.
  const std::string root =
      Main(Render(Obj(u"", {Prop(u"P", u"1")}), Obj(u"", {Prop(u"P", u"2")}), true).page);
  EXPECT_EQ(root.rfind("<main>\n<h3 class=chg id=o1>比較したオブジェクト</h3>\n", 0), 0u) << root;
}

TEST(ReviewComparePage, AHeadingWaitingForItsMarkSurvivesStreaming) {
  // An object whose equal properties fill more than one spill before its
  // change: the heading is still marked, and the page is the one not streamed.
  const std::u16string filler(300, u'x');
  std::vector<std::u16string> names;
  for (int k = 0; k < 400; ++k) names.push_back(u"P" + FromUtf8(std::to_string(k)));
  const auto bulky = [&](std::u16string_view last) {
    CollectionPtr properties = NewCollection();
    for (const std::u16string& name : names) properties->Add(Prop(name, filler));
    properties->Add(Prop(u"Z", last));
    return CollectionNode(u"B", properties);
  };
  const clsItem side1 = Obj(u"", {Obj(u"A", {Prop(u"P", u"1")}), bulky(u"1")});
  const clsItem side2 = Obj(u"", {Obj(u"A", {Prop(u"P", u"2")}), bulky(u"2")});
  const auto render = [&](bool streamed) {
    ReviewComparePage page({});
    ChangeCounter counter(page);
    StringSink sink;
    if (streamed) page.StreamTo(sink);
    PathStacks stacks;
    const bool differs = CompareNodes(side1, side2, stacks, counter, false, {});
    if (!streamed) return ToUtf8(page.Page(u"P.TXT", counter.Counts(), differs));
    page.WritePage(u"P.TXT", counter.Counts(), differs, sink);
    return ToUtf8(sink.Text());
  };
  const std::string streamed = render(true);
  EXPECT_NE(streamed.find("<h3 class=chg id=o2>B</h3>"), std::string::npos);
  EXPECT_EQ(streamed, render(false));
}

TEST(ReviewComparePage, TheLegendNamesTheMarksThePageCanCarry) {
  const clsItem side1 = Obj(u"", {Obj(u"T", {Prop(u"P", u"1")})});
  const clsItem side2 = Obj(u"", {Obj(u"T", {Prop(u"P", u"2")})});
  const std::string plain = Render(side1, side2, true).page;
  EXPECT_NE(plain.find("<span><span class=\"m chg\">±</span>変更のあるオブジェクト</span>"),
            std::string::npos);
  EXPECT_EQ(plain.find("オプションで無視した違い"), std::string::npos)
      << "no option, no difference an option ignored";
  EXPECT_NE(Render(side1, side2, true, {true, false}).page.find("<span>~ オプションで無視した違い"),
            std::string::npos);
  // Single-line values are labelled by their side outside the value text.
  EXPECT_NE(plain.find(":root{--old:\"旧\";--new:\"新\"}"), std::string::npos);
  EXPECT_NE(plain.find(".p>del::before{content:var(--old)"), std::string::npos);
  EXPECT_NE(Main(plain).find("<del class=\"v\">1</del> → <ins class=\"v\">2</ins>"),
            std::string::npos)
      << "the value alone inside its element";
}

class ReviewRuns : public ::testing::Test {
 protected:
  ReviewRuns() {
    settings = FolderComparisonIn(scratch);
    settings.PAGE_STYLE = PageStyle::Review;
    settings.OUTPUT_FILE = u"sub/Result";
    scratch.Folder(u"out/sub");
    scratch.WriteText(u"v1", u"a.txt", SmallReport(u"A", u"1"));
    scratch.WriteText(u"v2", u"a.txt", SmallReport(u"A", u"2"));
    scratch.WriteText(u"v1", u"b.txt", SmallReport(u"B", u"1"));
    scratch.WriteText(u"v2", u"b.txt", SmallReport(u"B", u"1"));
    scratch.WriteText(u"v1", u"c.txt", SmallReport(u"C", u"1"));
  }
  ScratchFolder scratch;
  Settings settings;
  FakeWindow window;
};

TEST_F(ReviewRuns, SummaryCountsEveryPairAndLinksEveryPageRelatively) {
  RunResult result;
  ASSERT_EQ(ExecDiff(settings, window, &result), RunOutcome::Finished);
  const std::string summary = ScratchFolder::Read(settings.OUTPUT_PATH + u"sub/Result.html");
  EXPECT_NE(summary.find("<meta charset=\"utf-8\">"), std::string::npos);
  EXPECT_NE(summary.find("<a href=\"../A.html\">差異あり</a>"), std::string::npos) << summary;
  EXPECT_NE(summary.find("<a href=\"../B.html\">一致</a>"), std::string::npos);
  EXPECT_NE(summary.find("<a href=\"../C.html\">フォルダ１のみ存在</a>"), std::string::npos)
      << "one-sided pages are linked";
  EXPECT_NE(
      summary.find("ファイル <b>3</b>（処理済み 3）・差異あり <b>1</b>・一致 <b>1</b>・片方のみ "
                   "<b>1</b>"),
      std::string::npos);
  const std::string page = ScratchFolder::Read(settings.OUTPUT_PATH + u"B.html");
  EXPECT_NE(page.find("差異はありません。"), std::string::npos);
  EXPECT_TRUE(result.differs);
  ASSERT_EQ(result.items.size(), 3u);
  EXPECT_EQ(result.items[0].counts.linesAdded, 1);
}

TEST_F(ReviewRuns, ClassicSummaryNamesTheOptionsOnlyWhenOn) {
  settings.PAGE_STYLE = PageStyle::Classic;
  settings.OUTPUT_FILE = u"Result";
  ASSERT_EQ(ExecDiff(settings, window), RunOutcome::Finished);
  const std::u16string plain = ScratchFolder::ReadText(settings.OUTPUT_PATH + u"Result.html");
  EXPECT_EQ(plain.find(u"比較オプション"), std::u16string::npos);
  settings.IGNORE_CASE = true;
  ASSERT_EQ(ExecDiff(settings, window), RunOutcome::Finished);
  const std::u16string named = ScratchFolder::ReadText(settings.OUTPUT_PATH + u"Result.html");
  EXPECT_NE(
      named.find(u"<tr><td colspan=\"3\">比較オプション：大文字と小文字を区別しない</td></tr>"),
      std::u16string::npos);
}

// The <h2> lines of a page's changes, in order.
std::vector<std::string> PathLines(const std::string& page) {
  std::vector<std::string> lines;
  for (std::size_t at = page.find("<h2>"); at != std::string::npos; at = page.find("<h2>", at)) {
    at += 4;
    lines.push_back(page.substr(at, page.find("</h2>", at) - at));
  }
  return lines;
}

TEST(ReviewComparePage, LongPathsNameEachObjectWholeOnceAndTheRestShortened) {
  const auto key = [](char16_t c) { return std::u16string(150, c); };
  const auto changed = [](int side) { return Prop(u"P", side == 1 ? u"1" : u"2"); };
  const auto tree = [&](int side) {
    return Obj(
        u"",
        {Obj(key(u'A'),
             {changed(side),
              Obj(key(u'B'),
                  {changed(side),
                   Obj(key(u'C'), {changed(side),
                                   Obj(key(u'D'), {changed(side), Obj(u"E", {changed(side)})})})}),
              Obj(u"S", {changed(side)})})});
  };
  const std::string a30(30, 'A'), b30(30, 'B'), c30(30, 'C'), a(150, 'A'), b(150, 'B'), c(150, 'C'),
      d(150, 'D');
  EXPECT_EQ(PathLines(Render(tree(1), tree(2), true).page),
            (std::vector<std::string>{
                a,                                                    // short paths show whole
                a + "/" + b,                                          //
                a30 + "…" + a30 + "/" + b30 + "…" + b30 + "/" + c,    // the new level whole
                a30 + "…" + a30 + "/…/" + c30 + "…" + c30 + "/" + d,  //
                a,                                                    // back up: short again
            }));
}

TEST_F(ReviewRuns, ADeepPageGrowsWithItsDepthNotItsSquare) {
  settings.MODE = CompareMode::File;
  settings.SRC_FILE1 = settings.SRC_FILE2 = u"deep.txt";
  settings.OUTPUT_FILE = u"deep.html";
  const auto pageOf = [&](std::size_t depth) {
    const DeepReportPair pair = GenerateDeepReports(depth, 300, 1);
    scratch.WriteText(u"v1", u"deep.txt", pair.report1);
    scratch.WriteText(u"v2", u"deep.txt", pair.report2);
    EXPECT_EQ(ExecDiff(settings, window), RunOutcome::Finished);
    return ScratchFolder::Read(settings.OUTPUT_PATH + u"deep.html");
  };
  const std::string shallow = pageOf(50);
  const std::string deep = pageOf(200);
  // Four times the depth: about four times the page (sixteen were it square).
  EXPECT_LT(deep.size(), 5 * shallow.size()) << shallow.size() << " " << deep.size();
  // Deep down, each object is named whole in its heading and once in the
  // line above its children's headings.
  for (const std::size_t level : {100u, 198u}) {
    std::string key =
        "BA_AL" + std::string(4 - std::to_string(level).size(), '0') + std::to_string(level);
    key.resize(300, 'X');
    std::size_t seen = 0;
    for (std::size_t at = deep.find(key); at != std::string::npos; at = deep.find(key, at + 1)) {
      ++seen;
    }
    EXPECT_EQ(seen, 2u) << key;
  }
}

TEST(RelativeHref, LeadsFromTheSummaryFolderToThePage) {
  EXPECT_EQ(RelativeHref(u"/out/", u"/out/A.html"), u"A.html");
  EXPECT_EQ(RelativeHref(u"/out/sub/", u"/out/A B.html"), u"../A%20B.html");
  EXPECT_EQ(RelativeHref(u"/out/./x/../", u"/out/#1.html"), u"%231.html");
  EXPECT_EQ(RelativeHref(u"out/", u"/elsewhere/A.html"), u"file:///elsewhere/A.html");
}

}  // namespace
}  // namespace tarnwick

namespace tarnwick {
namespace {

TEST(ReviewSearchPage, ConditionsAndNamesFromSettingsAreEscaped) {
  const CollectionPtr tree =
      testing::Items({Obj(u"ﾌｫｰﾑ", {Obj(u"<F>", {Prop(u"P", u"a <script> b")})})});
  const SearchQuery query =
      MakeSearchQuery({{{u"<script>", true}, {u"&x\"", false}, {}}}, false, false, true);
  ReviewSearchPage page;
  const SearchResult found = MakeSearch(query, tree.get(), u"/r/<r>.txt", page);
  const std::string text = ToUtf8(page.Page(u"<R>.TXT", found.hits));
  EXPECT_NE(text.find("<title>検索: &lt;R&gt;.TXT</title>"), std::string::npos);
  EXPECT_NE(text.find("<td class=\"v\">/r/&lt;r&gt;.txt</td>"), std::string::npos);
  EXPECT_NE(text.find("<mark class=\"v\">&lt;script&gt;</mark> を含む<br>"
                      "<mark class=\"v\">&amp;x&quot;</mark> を含まない"),
            std::string::npos);
  EXPECT_NE(text.find("<h3 class=s id=o1>&lt;F&gt;</h3>"), std::string::npos);
  EXPECT_NE(text.find("<mark id=c1>a <em>&lt;script&gt;</em> b</mark>"), std::string::npos) << text;
  EXPECT_EQ(text.find("<script>", text.find("<main>")), text.find("<script>", text.find("</main>")))
      << "no script element inside the page's content";
}

TEST(ReviewSummaryPage, FoldersAndNamesAreEscapedAndPendingRowsHaveNoLink) {
  RunSummary page;
  page.pagePath = u"/out/Result.html";
  page.stamp = u"ファイル比較：開始日時：2026/01/02  03:04:05";
  page.folder1 = u"/a/<b>/";
  page.folder2 = u"/c/&/";
  page.rows.push_back({u"<X>.TXT", FileStatus::Different, u"/out/<X>.html", {}, {}, {}});
  page.rows.push_back({u"Y.TXT", FileStatus::Unprocessed, u"/out/Y.html", {}, {}, {}});
  const std::string text = ToUtf8(ReviewSummaryText(page));
  EXPECT_NE(text.find("<td class=\"v\">/a/&lt;b&gt;/</td>"), std::string::npos);
  EXPECT_NE(text.find("<td class=\"v\">/c/&amp;/</td>"), std::string::npos);
  EXPECT_NE(text.find("<td class=\"v\">&lt;X&gt;.TXT</td><td><span class=\"m chg\">±</span>"
                      "<a href=\"%3CX%3E.html\">差異あり</a></td>"),
            std::string::npos);
  EXPECT_NE(text.find("<td class=\"v\">Y.TXT</td><td><span class=\"m \">…</span>未処理</td>"
                      "<td></td>"),
            std::string::npos)
      << text;
}

TEST(ReviewSummaryPage, CountsSitUnderTheirGroupAndAReadErrorIsAMarkedRowSayingWhy) {
  RunSummary page;
  page.pagePath = u"/out/Result.html";
  page.stamp = u"S";
  page.folder1 = u"/a/";
  page.folder2 = u"/b/";
  page.patterns1 = page.patterns2 = u"*.txt";
  page.cancelled = u"中止しました：2026/01/02  03:04:05";
  page.rows.push_back({u"A.TXT", FileStatus::Same, u"/out/A.html", {}, {}, {}});
  page.rows.push_back({u"B.TXT",
                       FileStatus::ReadError,
                       u"/out/B.html",
                       {},
                       {},
                       {{1, u"/a/b.txt", 3, u"<1>"}, {2, u"/b/b.txt", 0, u"<2>"}}});
  page.rows.push_back({u"C.TXT", FileStatus::OutsidePattern2, u"", {}, {}, {}});
  const std::string text = ToUtf8(ReviewSummaryText(page));
  // The patterns show even where the sides' are the same.
  EXPECT_NE(text.find("<tr><th>ファイル名パターン１</th><td class=\"v\">*.txt</td></tr>"
                      "<tr><th>ファイル名パターン２</th><td class=\"v\">*.txt</td></tr>"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("<p class=\"stamp\"><strong>中止しました：2026/01/02  03:04:05</strong></p>"),
            std::string::npos);
  EXPECT_NE(text.find("<thead><tr><th rowspan=\"2\">ファイル名</th><th rowspan=\"2\">結果</th>"
                      "<th colspan=\"3\">オブジェクト</th><th colspan=\"2\">行</th></tr>"
                      "<tr><th>追加</th><th>削除</th><th>変更</th><th>追加</th><th>削除</th></tr>"
                      "</thead>"),
            std::string::npos)
      << text;
  // Why, in the place of the counts, escaped; no link to a page never written.
  EXPECT_NE(text.find("<tr class=\"err\"><td class=\"v\">B.TXT</td><td><span class=\"m err\">✕"
                      "</span>読込エラー</td><td class=\"v\" colspan=\"5\">&lt;1&gt;<br>&lt;2&gt;"
                      "</td></tr>"),
            std::string::npos)
      << text;
  EXPECT_NE(
      text.find("<td><span class=\"m \">∅</span>対象外（フォルダ２のファイル名パターン外）</td>"
                "<td></td><td></td><td></td><td></td><td></td></tr>"),
      std::string::npos)
      << text;
  EXPECT_NE(text.find("処理済み 2）・差異あり <b>0</b>・一致 <b>1</b>・片方のみ <b>0</b>"
                      "・対象外 <b>1</b>・読込エラー <b>1</b>"),
            std::string::npos)
      << text;

  // A search: one folder, one pattern, the two hit counts under one heading row.
  page.kind = SummaryKind::kSearch;
  page.folder2.clear();
  page.patterns2.clear();
  const std::string search = ToUtf8(ReviewSummaryText(page));
  EXPECT_NE(search.find("<tr><th>ファイル名パターン</th><td class=\"v\">*.txt</td></tr></table>"),
            std::string::npos)
      << search;
  EXPECT_NE(search.find("<td class=\"v\" colspan=\"2\">&lt;1&gt;<br>&lt;2&gt;</td>"),
            std::string::npos);
}

}  // namespace
}  // namespace tarnwick
