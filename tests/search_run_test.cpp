#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "app/runs.h"
#include "fake_window.h"
#include "runs_fixture.h"
#include "text/utf8.h"

namespace tarnwick {
namespace {

using testing::FakeWindow;
using testing::ScratchFolder;
using testing::ShownMessage;

constexpr std::u16string_view kOrderReport =
    u"* 名前                     FORM1\r\n"
    u"* タイトル                 受注入力\r\n"
    u"* ブロック\r\n"
    u"   * 名前                  BLK1\r\n"
    u"   * 問合せ可能            はい\r\n";

constexpr std::u16string_view kStockReport =
    u"* 名前                     FORM2\r\n"
    u"* タイトル                 在庫照会\r\n";

// "ブロック" opens a section whose first line is no object: a grammar error.
constexpr std::u16string_view kBrokenReport =
    u"* 名前                     FORM3\r\n"
    u"* ブロック\r\n"
    u"   * 問合せ可能            はい\r\n";

const ShownMessage kFinished{u"終了しました。", MessageIcon::Information};

class SearchRun : public ::testing::Test {
 protected:
  SearchRun() : source(scratch.Folder(u"src")), output(scratch.Folder(u"out")) {
    settings.SRC_PATH = source;
    settings.SRC_FILE = u"*.txt";
    settings.OUTPUT_PATH = output;
    settings.OUTPUT_FILE = u"Result";
    settings.SEARCH_STRING1 = u"受注";
    settings.SEARCH_STRING1_COND = true;
    settings.SEARCH_STRING2_COND = true;
    settings.SEARCH_STRING3_COND = true;
    settings.COND_AND = true;
    settings.FOUND_ONLY = true;
  }

  void Report(std::u16string_view name, std::u16string_view text) {
    scratch.WriteText(u"src", name, text);
  }

  // A page read back as UTF-8 with the start stamp's time made "{STAMP}" (a
  // cancel's "{CANCELLED}") and the scratch folders made "{SRC}" and "{OUT}".
  std::string Page(std::u16string_view name) const {
    std::string text = ToUtf8(ScratchFolder::ReadText(output + std::u16string(name)));
    for (const auto& [title, mark] :
         {std::pair<std::string, std::string>{"文字列検索：開始日時：", "{STAMP}"},
          {"中止しました：", "{CANCELLED}"}}) {
      const std::size_t at = text.find(title);
      if (at == std::string::npos) continue;
      // yyyy/mm/dd, two blanks, hh:nn:ss; blanks are escaped in a cell.
      const std::string time = text.substr(at + title.size(), 30);
      EXPECT_EQ(time.size(), 30u);
      EXPECT_EQ(time.substr(4, 1) + time.substr(7, 1), "//");
      EXPECT_EQ(time.substr(10, 12), "&nbsp;&nbsp;");
      EXPECT_EQ(time.substr(24, 1) + time.substr(27, 1), "::");
      text.replace(at + title.size(), 30, mark);
    }
    for (const auto& [path, mark] :
         {std::pair{ToUtf8(source), "{SRC}"}, {ToUtf8(output), "{OUT}"}}) {
      for (std::size_t p = text.find(path); p != std::string::npos; p = text.find(path)) {
        text.replace(p, path.size(), mark);
      }
    }
    return text;
  }

  std::size_t OutputCount() const { return ScratchFolder::Names(output).size(); }

  ScratchFolder scratch;
  std::u16string source;
  std::u16string output;
  Settings settings;
  FakeWindow window;
};

// Raw page text: each "\n" of the literal is CR LF in the file.
std::string CrLf(std::string_view text) {
  std::string out;
  for (char c : text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

TEST_F(SearchRun, WritesOnePagePerReportAndASummaryInUpperCaseNameOrder) {
  Report(u"b.txt", kStockReport);
  Report(u"A.TXT", kOrderReport);
  Report(u"c.dat", kOrderReport);
  settings.SRC_FILE = u"*.txt;A.TXT;;";

  EXPECT_EQ(ExecSearch(settings, window), RunOutcome::Finished);
  EXPECT_EQ(window.messages, std::vector<ShownMessage>{kFinished});
  EXPECT_EQ(window.statusTexts, (std::vector<std::u16string>{u"", u"1/2:A.TXT", u"2/2:B.TXT"}));
  EXPECT_TRUE(window.opened.empty());
  EXPECT_FALSE(window.waitCursor);

  EXPECT_EQ(Page(u"A.html"), CrLf(R"(<HTML><TABLE>
<tr><td></td><td></td><td></td><td></td><td colspan="2" bgcolor="yellow">{SRC}A.TXT</td></tr>
<tr><td></td><td></td><td></td><td></td><td>検索文字列(全てを満たす)</td><td>受注を含む</td></tr>
<tr><td></td><td></td><td></td><td></td><td colspan="2">
================================================================================</td></tr>
<tr><td></td><td></td><td></td><td></td><td colspan="2" >FORM1</td></tr>
<tr><td>*</td><td></td><td>1</td><td></td><td>タイトル</td><td bgcolor="pink">受注入力</td></tr>

</TABLE></HTML>
)"));
  EXPECT_EQ(Page(u"B.html"), CrLf(R"(<HTML><TABLE>
<tr><td></td><td></td><td></td><td></td><td colspan="2" bgcolor="yellow">{SRC}b.txt</td></tr>
<tr><td></td><td></td><td></td><td></td><td>検索文字列(全てを満たす)</td><td>受注を含む</td></tr>

</TABLE></HTML>
)"));
  EXPECT_EQ(Page(u"Result.html"), CrLf(R"(<HTML><TABLE border="1" bordercolor="black">
<tr><td colspan="3">フォルダ:{SRC}</td></tr>
<tr><td colspan="3">文字列検索：開始日時：{STAMP}</td></tr>
<tr><td>ファイル名</td><td>結果</td></tr>
<tr><td>A.TXT</td><td><a href="{OUT}A.html">該当</a></td></tr>
<tr><td>B.TXT</td><td>該当しない</td></tr>

</TABLE></HTML>
)"));
  EXPECT_EQ(OutputCount(), 3u);
}

TEST_F(SearchRun, AutoOpenOpensTheSummaryAndTheViewerShowsEachReport) {
  Report(u"A.TXT", kOrderReport);
  Report(u"B.TXT", kStockReport);
  settings.OUTPUT_AUTOOPEN = true;
  settings.OUTPUT_FILE = u"sum.htm";
  window.structureViewer = true;

  EXPECT_EQ(ExecSearch(settings, window), RunOutcome::Finished);
  EXPECT_EQ(window.opened, std::vector<std::u16string>{output + u"sum.htm"});
  EXPECT_EQ(window.structuresShown.size(), 2u);
  EXPECT_TRUE(ScratchFolder::Exists(output + u"sum.htm"));
}

TEST_F(SearchRun, NoMatchingReportStillGivesTheSummaryHeading) {
  Report(u"A.DAT", kOrderReport);
  EXPECT_EQ(ExecSearch(settings, window), RunOutcome::Finished);
  EXPECT_EQ(window.messages, std::vector<ShownMessage>{kFinished});
  EXPECT_EQ(Page(u"Result.html"), CrLf(R"(<HTML><TABLE border="1" bordercolor="black">
<tr><td colspan="3">フォルダ:{SRC}</td></tr>
<tr><td colspan="3">文字列検索：開始日時：{STAMP}</td></tr>
<tr><td>ファイル名</td><td>結果</td></tr>

</TABLE></HTML>
)"));
  EXPECT_EQ(OutputCount(), 1u);
}

TEST_F(SearchRun, InputChecksStopTheRunInOrderBeforeAnythingIsWritten) {
  Report(u"A.TXT", kOrderReport);
  struct Case {
    void (*change)(Settings&, const std::u16string& missing);
    ShownMessage expected;
  };
  const Case cases[] = {
      {[](Settings& s, const std::u16string&) { s.SRC_PATH.clear(); },
       {u"ソースのフォルダを指定してください", MessageIcon::Critical}},
      {[](Settings& s, const std::u16string&) { s.OUTPUT_PATH.clear(); },
       {u"出力先フォルダを指定してください", MessageIcon::Critical}},
      {[](Settings& s, const std::u16string& missing) {
         s.SRC_PATH = missing;
         s.OUTPUT_PATH = missing;
       },
       {u"ソースのフォルダが見つかりません", MessageIcon::Warning}},
      {[](Settings& s, const std::u16string& missing) {
         s.OUTPUT_PATH = missing;
         s.OUTPUT_FILE.clear();
       },
       {u"出力先フォルダが見つかりません", MessageIcon::Warning}},
      {[](Settings& s, const std::u16string&) {
         s.OUTPUT_FILE.clear();
         s.SEARCH_STRING1.clear();
       },
       {u"結果出力ファイル名を入力してください", MessageIcon::Warning}},
      {[](Settings& s, const std::u16string&) { s.SEARCH_STRING1.clear(); },
       {u"検索条件を入力してください", MessageIcon::Warning}},
      {[](Settings& s, const std::u16string&) {
         s.SEARCH_STRING1 = u"a*b";
         s.SEARCH_STRING2 = u"*a";
         s.SEARCH_STRING3 = u"**";
       },
       {u"検索条件に * のみは入力できません", MessageIcon::Warning}},
      {[](Settings& s, const std::u16string&) {
         s.SEARCH_STRING1.clear();
         s.SEARCH_STRING2 = u"*";
       },
       {u"検索条件に * のみは入力できません", MessageIcon::Warning}},
  };
  const std::u16string missing = source + u"missing/";
  for (const Case& c : cases) {
    SCOPED_TRACE(ToUtf8(c.expected.text));
    Settings changed = settings;
    c.change(changed, missing);
    FakeWindow fresh;
    EXPECT_EQ(ExecSearch(changed, fresh), RunOutcome::Rejected);
    EXPECT_EQ(fresh.messages, std::vector<ShownMessage>{c.expected});
    EXPECT_EQ(OutputCount(), 0u);
  }
  // Blanks are a search string of their own and a folder needs no separator.
  settings.SEARCH_STRING1 = u" ";
  settings.SRC_PATH.pop_back();
  EXPECT_EQ(ExecSearch(settings, window), RunOutcome::Finished);
}

// The summary of a run over A, B and C that stopped after A (a hit).
const std::string kSummaryStoppedAfterA = CrLf(R"(<HTML><TABLE border="1" bordercolor="black">
<tr><td colspan="3">フォルダ:{SRC}</td></tr>
<tr><td colspan="3">文字列検索：開始日時：{STAMP}</td></tr>
<tr><td>ファイル名</td><td>結果</td></tr>
<tr><td>A.TXT</td><td><a href="{OUT}A.html">該当</a></td></tr>
<tr><td>B.TXT</td><td>未処理</td></tr>
<tr><td>C.TXT</td><td>未処理</td></tr>

</TABLE></HTML>
)");

TEST_F(SearchRun, AParseErrorStopsTheRunAndTheSummaryKeepsTheFinishedReports) {
  Report(u"A.TXT", kOrderReport);
  Report(u"B.TXT", kBrokenReport);
  Report(u"C.TXT", kStockReport);

  // Showing each parsed tree in the viewer changes nothing else.
  for (const bool viewer : {false, true}) {
    SCOPED_TRACE(viewer ? "with the viewer" : "without the viewer");
    FakeWindow fresh;
    fresh.structureViewer = viewer;
    EXPECT_EQ(ExecSearch(settings, fresh), RunOutcome::Failed);
    ASSERT_EQ(fresh.messages.size(), 1u);
    EXPECT_EQ(fresh.messages[0].icon, MessageIcon::Critical);
    const std::u16string prefix =
        u"ソースのフォーム文章[" + source + u"B.TXT]の解析中に、エラーが発生しました。\r\n";
    EXPECT_EQ(fresh.messages[0].text.substr(0, prefix.size()), prefix);
    EXPECT_EQ(fresh.LastStatus(), u"2/3:B.TXT");
    EXPECT_FALSE(fresh.waitCursor);
    EXPECT_EQ(Page(u"Result.html"), kSummaryStoppedAfterA);
    EXPECT_EQ(OutputCount(), 2u);  // the summary and A.html
  }
}

TEST_F(SearchRun, WithOnErrorContinueABadReportIsAReadErrorAndTheRestIsSearched) {
  Report(u"A.TXT", kOrderReport);
  Report(u"B.TXT", kBrokenReport);
  Report(u"C.TXT", kOrderReport);
  Report(u"E.TXT", u"");  // no object: it cannot be searched
  settings.ON_ERROR = OnError::Continue;
  for (const bool viewer : {false, true}) {
    SCOPED_TRACE(viewer ? "with the viewer" : "loaded ahead");
    FakeWindow fresh;
    fresh.structureViewer = viewer;
    RunResult result;
    EXPECT_EQ(ExecSearch(settings, fresh, &result), RunOutcome::Failed);
    EXPECT_EQ(fresh.messages,
              (std::vector<ShownMessage>{
                  {u"終了しました。\r\n読み込めないレポートがあり、2件を読込エラーと"
                   u"しました（一覧を参照）。",
                   MessageIcon::Warning}}));
    EXPECT_EQ(Page(u"Result.html"), CrLf(R"(<HTML><TABLE border="1" bordercolor="black">
<tr><td colspan="3">フォルダ:{SRC}</td></tr>
<tr><td colspan="3">文字列検索：開始日時：{STAMP}</td></tr>
<tr><td>ファイル名</td><td>結果</td></tr>
<tr><td>A.TXT</td><td><a href="{OUT}A.html">該当</a></td></tr>
<tr><td>B.TXT</td><td>読込エラー</td><td>ソースのフォーム文章[{SRC}B.TXT]の解析中に、エラーが発生しました。3行目の書式を解析できません。[&nbsp;&nbsp;&nbsp;*&nbsp;問合せ可能&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;はい]</td></tr>
<tr><td>C.TXT</td><td><a href="{OUT}C.html">該当</a></td></tr>
<tr><td>E.TXT</td><td>読込エラー</td><td>フォーム文章[E.TXT]の検索中に、エラーが発生しました。ソースのレポート[{SRC}E.TXT]にオブジェクトがありません。</td></tr>

</TABLE></HTML>
)"));
    EXPECT_FALSE(ScratchFolder::Exists(output + u"B.html"));
    EXPECT_FALSE(ScratchFolder::Exists(output + u"E.html"));
    ASSERT_EQ(result.items.size(), 4u);
    ASSERT_EQ(result.items[1].failures.size(), 1u);
    EXPECT_EQ(result.items[1].failures[0].side, 0) << "a search's report has no side";
    EXPECT_EQ(result.items[1].failures[0].line, 3u);
    EXPECT_EQ(result.items[1].failures[0].path, source + u"B.TXT");
  }
}

TEST_F(SearchRun, ACancelStopsBeforeTheNextReportAndLeavesAConsistentSummary) {
  Report(u"A.TXT", kOrderReport);
  Report(u"B.TXT", kStockReport);
  Report(u"C.TXT", kOrderReport);
  settings.OUTPUT_AUTOOPEN = true;
  window.cancelAfter = 1;

  EXPECT_EQ(ExecSearch(settings, window), RunOutcome::Cancelled);
  EXPECT_EQ(window.messages,
            (std::vector<ShownMessage>{{u"中止しました。", MessageIcon::Information}}));
  EXPECT_EQ(window.notReached, (std::vector<std::u16string>{u"B.TXT", u"C.TXT"}));
  EXPECT_EQ(window.progress, (std::vector<std::pair<std::size_t, std::size_t>>{{0, 3}, {1, 3}}));
  EXPECT_TRUE(window.opened.empty());
  EXPECT_FALSE(window.waitCursor);
  // The summary says the run was cancelled, and when.
  std::string cancelled = kSummaryStoppedAfterA;
  const std::string stamp = "{STAMP}</td></tr>\r\n";
  cancelled.insert(cancelled.find(stamp) + stamp.size(),
                   "<tr><td colspan=\"3\">中止しました：{CANCELLED}</td></tr>\r\n");
  EXPECT_EQ(Page(u"Result.html"), cancelled);
  EXPECT_TRUE(Page(u"A.html").ends_with("</TABLE></HTML>\r\n"));
  EXPECT_EQ(OutputCount(), 2u);  // the summary and A.html
}

TEST_F(SearchRun, AnEmptyReportFailsWhileItIsSearched) {
  Report(u"e.txt", u"");
  EXPECT_EQ(ExecSearch(settings, window), RunOutcome::Failed);
  ASSERT_EQ(window.messages.size(), 1u);
  const std::u16string prefix = u"フォーム文章[E.TXT]の検索中に、エラーが発生しました。\r\n";
  EXPECT_EQ(window.messages[0].text.substr(0, prefix.size()), prefix);
  EXPECT_GT(window.messages[0].text.size(), prefix.size());  // with a description
  EXPECT_FALSE(ScratchFolder::Exists(output + u"E.html"));
}

TEST_F(SearchRun, AnUnclosedBracketStopsTheRunAtTheInputCheck) {
  Report(u"A.TXT", kOrderReport);
  settings.SEARCH_STRING1 = u"ok";
  settings.SEARCH_STRING2 = u"a[b";
  EXPECT_EQ(ExecSearch(settings, window), RunOutcome::Rejected);
  ASSERT_EQ(window.messages.size(), 1u);
  EXPECT_EQ(window.messages[0].text, u"検索条件の [ に対応する ] がありません");
  EXPECT_FALSE(ScratchFolder::Exists(output + u"A.html")) << "before anything is written";
}

TEST_F(SearchRun, ReportsSharingAPageNameGetNumberedPages) {
  Report(u"FORM1.TXT", kOrderReport);
  Report(u"form1.old", kStockReport);
  settings.SRC_FILE = u"FORM1.*";
  settings.OUTPUT_FILE = u"form1";  // the summary takes the name first

  EXPECT_EQ(ExecSearch(settings, window), RunOutcome::Finished);
  EXPECT_EQ(Page(u"form1.html"), CrLf(R"(<HTML><TABLE border="1" bordercolor="black">
<tr><td colspan="3">フォルダ:{SRC}</td></tr>
<tr><td colspan="3">文字列検索：開始日時：{STAMP}</td></tr>
<tr><td>ファイル名</td><td>結果</td></tr>
<tr><td>FORM1.OLD</td><td>該当しない</td></tr>
<tr><td>FORM1.TXT</td><td><a href="{OUT}FORM1_3.html">該当</a></td></tr>

</TABLE></HTML>
)"));
  EXPECT_NE(Page(u"FORM1_2.html").find("{SRC}form1.old"), std::string::npos);
  EXPECT_NE(Page(u"FORM1_3.html").find("{SRC}FORM1.TXT"), std::string::npos);
}

TEST_F(SearchRun, APageThatWouldReplaceAReportStopsTheRunBeforeWriting) {
  Report(u"A.TXT", kOrderReport);
  const std::string original = EncodeCp932(kStockReport);
  scratch.Write(u"src", u"Z.html", original);
  settings.SRC_FILE = u"*";
  settings.OUTPUT_PATH = source;

  EXPECT_EQ(ExecSearch(settings, window), RunOutcome::Rejected);
  ASSERT_EQ(window.messages.size(), 1u);
  EXPECT_EQ(window.messages[0].icon, MessageIcon::Warning);
  EXPECT_NE(window.messages[0].text.find(source + u"Z.html"), std::u16string::npos);
  EXPECT_EQ(ScratchFolder::Read(source + u"Z.html"), original);
  EXPECT_FALSE(ScratchFolder::Exists(source + u"Result.html"));
  EXPECT_FALSE(ScratchFolder::Exists(source + u"A.html"));
}

}  // namespace
}  // namespace tarnwick
