#include <gtest/gtest.h>

#include "app/runs.h"
#include "diff/form_diff.h"
#include "fake_window.h"
#include "report/report_parser.h"
#include "runs_fixture.h"
#include "sample_reports.h"
#include "text/utf8.h"

namespace tarnwick {
namespace {

using testing::FakeWindow;
using testing::ScratchFolder;
using testing::ShownMessage;

using testing::kUnparsableReport;
using testing::SmallReport;

class DiffRun : public ::testing::Test {
 protected:
  DiffRun() {
    settings = BaseDefaults();
    settings.SRC_PATH1 = scratch.Folder(u"v1");
    settings.SRC_PATH2 = scratch.Folder(u"v2");
    settings.SRC_FILE1 = settings.SRC_FILE2 = u"*.txt";
    settings.OUTPUT_PATH = scratch.Folder(u"out");
    settings.OUTPUT_FILE = u"Result";
  }

  std::u16string Out(std::u16string_view name) const {
    return settings.OUTPUT_PATH + std::u16string(name);
  }

  // The summary page as text, its start stamp checked and replaced by "STAMP".
  std::u16string Summary(std::u16string_view name = u"Result.html") const {
    std::u16string text = ScratchFolder::ReadText(Out(name));
    const std::u16string_view title = u"ファイル比較：開始日時：";
    const std::u16string_view shape = u"0000/00/00&nbsp;&nbsp;00:00:00";  // 0 stands for a digit
    const std::size_t at = text.find(title);
    bool shaped = at != std::u16string::npos && text.size() >= at + title.size() + shape.size();
    for (std::size_t i = 0; shaped && i < shape.size(); ++i) {
      const char16_t c = text[at + title.size() + i];
      shaped = shape[i] == u'0' ? c >= u'0' && c <= u'9' : c == shape[i];
    }
    EXPECT_TRUE(shaped) << ToUtf8(text);
    if (shaped) text.replace(at, title.size() + shape.size(), u"STAMP");
    return text;
  }

  // What the form comparison writes for two report texts (empty: side absent).
  static std::string ExpectedPage(std::u16string_view text1, std::u16string_view text2,
                                  std::u16string_view path1, std::u16string_view path2,
                                  bool diffOnly) {
    auto parse = [](std::u16string_view text) {
      if (text.empty()) return BlankTree();
      CollectionPtr tree;
      GetBlockStruct(text, tree);
      return tree;
    };
    HTMLTblCls table;
    bool diffFound = false;
    MakeFormDiffTable(*parse(text1), *parse(text2), !text1.empty(), !text2.empty(), path1, path2,
                      table, diffFound, diffOnly);
    return EncodeCp932(u"<HTML><TABLE>\r\n" + table.sStr() + u"\r\n</TABLE></HTML>\r\n");
  }

  ScratchFolder scratch;
  Settings settings;
  FakeWindow window;
};

std::u16string Head(std::u16string_view folder1, std::u16string_view folder2) {
  return u"<HTML><TABLE border=\"1\" bordercolor=\"black\">\r\n"
         u"<tr><td colspan=\"3\">フォルダ１:" +
         std::u16string(folder1) +
         u"</td></tr>\r\n"
         u"<tr><td colspan=\"3\">フォルダ２:" +
         std::u16string(folder2) +
         u"</td></tr>\r\n"
         u"<tr><td colspan=\"3\">STAMP</td></tr>\r\n"
         u"<tr><td>ファイル名</td><td>結果</td></tr>\r\n";
}

constexpr std::u16string_view kTail = u"\r\n</TABLE></HTML>\r\n";

TEST_F(DiffRun, FolderModePairsUpperCasedNamesAndWritesEveryPage) {
  const auto a = scratch.WriteText(u"v1", u"a.txt", SmallReport(u"A", u"x"));
  const auto b1 = scratch.WriteText(u"v1", u"b.txt", SmallReport(u"B", u"old"));
  const auto b2 = scratch.WriteText(u"v2", u"B.TXT", SmallReport(u"B", u"new"));
  const auto c = scratch.WriteText(u"v2", u"c.txt", SmallReport(u"C", u"x"));
  scratch.WriteText(u"v2", u"skip.old", SmallReport(u"S", u"x"));
  settings.OUTPUT_AUTOOPEN = true;

  EXPECT_EQ(ExecDiff(settings, window), RunOutcome::Finished);

  EXPECT_EQ(Summary(), Head(settings.SRC_PATH1, settings.SRC_PATH2) +
                           u"<tr><td>A.TXT</td><td>フォルダ１のみ存在</td></tr>\r\n"
                           u"<tr><td>B.TXT</td><td><a href=\"" +
                           Out(u"B.html") +
                           u"\">差異あり</a></td></tr>\r\n"
                           u"<tr><td>C.TXT</td><td>フォルダ２のみ存在</td></tr>\r\n" +
                           std::u16string(kTail));
  // One-sided files are compared against a blank tree; the absent side's
  // heading is empty.
  EXPECT_EQ(ScratchFolder::Read(Out(u"A.html")),
            ExpectedPage(SmallReport(u"A", u"x"), u"", a, u"", false));
  EXPECT_EQ(ScratchFolder::Read(Out(u"B.html")),
            ExpectedPage(SmallReport(u"B", u"old"), SmallReport(u"B", u"new"), b1, b2, false));
  EXPECT_EQ(ScratchFolder::Read(Out(u"C.html")),
            ExpectedPage(u"", SmallReport(u"C", u"x"), u"", c, false));

  EXPECT_EQ(window.messages,
            (std::vector<ShownMessage>{{u"終了しました。", MessageIcon::Information}}));
  EXPECT_EQ(window.statusTexts,
            (std::vector<std::u16string>{u"", u"", u"1/3:A.TXT", u"2/3:B.TXT", u"3/3:C.TXT"}));
  EXPECT_EQ(window.cursorChanges, (std::vector<bool>{true, false}));
  EXPECT_EQ(window.opened, std::vector<std::u16string>{Out(u"Result.html")});
}

TEST_F(DiffRun, EqualReportsAreSameAndDiffOnlyReachesTheComparison) {
  const auto a1 = scratch.WriteText(u"v1", u"A.txt", SmallReport(u"A", u"x"));
  const auto a2 = scratch.WriteText(u"v2", u"a.TXT", SmallReport(u"A", u"x"));
  settings.DIFF_ONLY = true;
  settings.OUTPUT_FILE = u"sum.htm";
  settings.MODE = CompareMode::None;  // never set: works as folder mode

  EXPECT_EQ(ExecDiff(settings, window), RunOutcome::Finished);
  EXPECT_EQ(Summary(u"sum.htm"), Head(settings.SRC_PATH1, settings.SRC_PATH2) +
                                     u"<tr><td>A.TXT</td><td>一致</td></tr>\r\n" +
                                     std::u16string(kTail));
  EXPECT_EQ(ScratchFolder::Read(Out(u"A.html")),
            ExpectedPage(SmallReport(u"A", u"x"), SmallReport(u"A", u"x"), a1, a2, true));
  EXPECT_TRUE(window.opened.empty());
}

TEST_F(DiffRun, NoMatchingFileGivesTheHeadingRowsOnly) {
  settings.OUTPUT_AUTOOPEN = true;
  EXPECT_EQ(ExecDiff(settings, window), RunOutcome::Finished);
  EXPECT_EQ(Summary(), Head(settings.SRC_PATH1, settings.SRC_PATH2) + std::u16string(kTail));
  EXPECT_EQ(window.opened, std::vector<std::u16string>{Out(u"Result.html")});
}

TEST_F(DiffRun, FolderTextsGetTheirSeparator) {
  scratch.WriteText(u"v1", u"a.txt", SmallReport(u"A", u"x"));
  const Settings given = settings;
  for (auto* folder : {&settings.SRC_PATH1, &settings.SRC_PATH2, &settings.OUTPUT_PATH}) {
    folder->pop_back();
  }
  EXPECT_EQ(ExecDiff(settings, window), RunOutcome::Finished);
  settings = given;
  EXPECT_TRUE(ScratchFolder::Exists(Out(u"A.html")));
  EXPECT_EQ(Summary(), Head(given.SRC_PATH1, given.SRC_PATH2) +
                           u"<tr><td>A.TXT</td><td>フォルダ１のみ存在</td></tr>\r\n" +
                           std::u16string(kTail));
}

TEST_F(DiffRun, FileModeWritesOnePageNamedByTheOutputFile) {
  const auto f1 = scratch.WriteText(u"v1", u"one.txt", SmallReport(u"F", u"1"));
  const auto f2 = scratch.WriteText(u"v2", u"two.txt", SmallReport(u"F", u"2"));
  settings.MODE = CompareMode::File;
  settings.SRC_FILE1 = u"one.txt";
  settings.SRC_FILE2 = u"two.txt";
  settings.OUTPUT_FILE = u"elsewhere/Page";
  settings.OUTPUT_AUTOOPEN = true;

  EXPECT_EQ(ExecDiff(settings, window), RunOutcome::Finished);
  EXPECT_EQ(ScratchFolder::Read(Out(u"Page.html")),
            ExpectedPage(SmallReport(u"F", u"1"), SmallReport(u"F", u"2"), f1, f2, false));
  EXPECT_FALSE(ScratchFolder::Exists(Out(u"Result.html")));
  EXPECT_EQ(window.statusTexts, (std::vector<std::u16string>{u"", u""}));
  EXPECT_EQ(window.opened, std::vector<std::u16string>{Out(u"Page.html")});
}

TEST_F(DiffRun, RunChecksComeInOrderWithWarningsAndWriteNothing) {
  scratch.WriteText(u"v1", u"one.txt", SmallReport(u"F", u"1"));
  scratch.WriteText(u"v2", u"two.txt", SmallReport(u"F", u"2"));
  settings.MODE = CompareMode::File;
  settings.SRC_FILE1 = u"one.txt";
  settings.SRC_FILE2 = u"two.txt";
  struct Step {
    std::u16string Settings::*field;
    std::u16string broken;
    std::u16string_view message;
  };
  const Step steps[] = {
      {&Settings::SRC_PATH1, scratch.Folder() + u"none1", u"ソース１のフォルダが見つかりません"},
      {&Settings::SRC_PATH2, scratch.Folder() + u"none2", u"ソース２のフォルダが見つかりません"},
      {&Settings::OUTPUT_PATH, scratch.Folder() + u"none3", u"出力先フォルダが見つかりません"},
      {&Settings::SRC_FILE1, u"missing.txt", u"ソースファイル１が見つかりません"},
      {&Settings::SRC_FILE2, u".hidden", u"ソースファイル２が見つかりません"},
      {&Settings::OUTPUT_FILE, u"", u"結果出力ファイル名を入力してください"},
  };
  scratch.WriteText(u"v2", u".hidden", SmallReport(u"F", u"2"));
  Settings broken = settings;
  for (const Step& step : steps) broken.*step.field = step.broken;
  for (const Step& step : steps) {
    FakeWindow fresh;
    EXPECT_EQ(ExecDiff(broken, fresh), RunOutcome::Rejected);
    EXPECT_EQ(fresh.messages,
              (std::vector<ShownMessage>{{std::u16string(step.message), MessageIcon::Warning}}));
    broken.*step.field = settings.*step.field;
  }
  EXPECT_TRUE(std::filesystem::is_empty(NativePath(settings.OUTPUT_PATH)));

  // The box checks come first, with the critical icon.
  broken.SRC_PATH1.clear();
  broken.OUTPUT_PATH = scratch.Folder() + u"none3";
  EXPECT_EQ(ExecDiff(broken, window), RunOutcome::Rejected);
  EXPECT_EQ(window.messages, (std::vector<ShownMessage>{{u"ソース１のフォルダを指定してください",
                                                         MessageIcon::Critical}}));
  // Folder mode does not look for the single files.
  settings.MODE = CompareMode::Folder;
  settings.SRC_FILE1 = u"missing.txt";
  EXPECT_EQ(ExecDiff(settings, window), RunOutcome::Finished);
}

TEST_F(DiffRun, AnErrorStopsTheRunAndTheSummaryShowsWhatWasDone) {
  scratch.WriteText(u"v1", u"a.txt", SmallReport(u"A", u"x"));
  const auto bad = scratch.WriteText(u"v1", u"b.txt", kUnparsableReport);
  scratch.WriteText(u"v1", u"c.txt", SmallReport(u"C", u"x"));
  settings.OUTPUT_AUTOOPEN = true;

  EXPECT_EQ(ExecDiff(settings, window), RunOutcome::Failed);
  ASSERT_EQ(window.messages.size(), 1u);
  EXPECT_EQ(window.messages[0].icon, MessageIcon::Critical);
  const std::u16string prefix = u"フォーム文章[" + bad + u"]の解析中に、エラーが発生しました。\r\n";
  EXPECT_EQ(window.messages[0].text.substr(0, prefix.size()), prefix);
  EXPECT_GT(window.messages[0].text.size(), prefix.size());  // the parser's description follows
  EXPECT_EQ(Summary(), Head(settings.SRC_PATH1, settings.SRC_PATH2) +
                           u"<tr><td>A.TXT</td><td>フォルダ１のみ存在</td></tr>\r\n"
                           u"<tr><td>B.TXT</td><td>未処理</td></tr>\r\n"
                           u"<tr><td>C.TXT</td><td>未処理</td></tr>\r\n" +
                           std::u16string(kTail));
  EXPECT_TRUE(ScratchFolder::Exists(Out(u"A.html")));
  EXPECT_FALSE(ScratchFolder::Exists(Out(u"B.html")));
  EXPECT_FALSE(window.waitCursor);
  EXPECT_TRUE(window.opened.empty());
}

TEST_F(DiffRun, ACancelStopsBeforeTheNextPairAndLeavesAConsistentSummary) {
  const auto a = scratch.WriteText(u"v1", u"a.txt", SmallReport(u"A", u"1"));
  const auto b1 = scratch.WriteText(u"v1", u"b.txt", SmallReport(u"B", u"1"));
  const auto b2 = scratch.WriteText(u"v2", u"b.txt", SmallReport(u"B", u"2"));
  scratch.WriteText(u"v1", u"c.txt", SmallReport(u"C", u"1"));
  scratch.WriteText(u"v2", u"d.txt", SmallReport(u"D", u"1"));
  settings.OUTPUT_AUTOOPEN = true;
  window.cancelAfter = 2;  // asked before pair 3: stop there

  EXPECT_EQ(ExecDiff(settings, window), RunOutcome::Cancelled);
  EXPECT_EQ(Summary(), Head(settings.SRC_PATH1, settings.SRC_PATH2) +
                           u"<tr><td>A.TXT</td><td>フォルダ１のみ存在</td></tr>\r\n"
                           u"<tr><td>B.TXT</td><td><a href=\"" +
                           Out(u"B.html") +
                           u"\">差異あり</a></td></tr>\r\n"
                           u"<tr><td>C.TXT</td><td>未処理</td></tr>\r\n"
                           u"<tr><td>D.TXT</td><td>未処理</td></tr>\r\n" +
                           std::u16string(kTail));
  // The pages written are whole; none was started for the rest.
  EXPECT_EQ(ScratchFolder::Read(Out(u"A.html")),
            ExpectedPage(SmallReport(u"A", u"1"), u"", a, u"", false));
  EXPECT_EQ(ScratchFolder::Read(Out(u"B.html")),
            ExpectedPage(SmallReport(u"B", u"1"), SmallReport(u"B", u"2"), b1, b2, false));
  EXPECT_FALSE(ScratchFolder::Exists(Out(u"C.html")));
  EXPECT_FALSE(ScratchFolder::Exists(Out(u"D.html")));

  EXPECT_EQ(window.messages,
            (std::vector<ShownMessage>{{u"中止しました。", MessageIcon::Information}}));
  EXPECT_EQ(window.notReached, (std::vector<std::u16string>{u"C.TXT", u"D.TXT"}));
  EXPECT_EQ(window.progress,
            (std::vector<std::pair<std::size_t, std::size_t>>{{0, 4}, {1, 4}, {2, 4}}));
  EXPECT_FALSE(window.waitCursor);
  EXPECT_TRUE(window.opened.empty());  // only a finished run opens its result
}

TEST_F(DiffRun, ACancelBeforeTheFirstPairLeavesEveryReportUnprocessed) {
  scratch.WriteText(u"v1", u"a.txt", SmallReport(u"A", u"1"));
  window.cancelAfter = 0;
  EXPECT_EQ(ExecDiff(settings, window), RunOutcome::Cancelled);
  EXPECT_EQ(Summary(), Head(settings.SRC_PATH1, settings.SRC_PATH2) +
                           u"<tr><td>A.TXT</td><td>未処理</td></tr>\r\n" + std::u16string(kTail));
  EXPECT_FALSE(ScratchFolder::Exists(Out(u"A.html")));

  // File mode: its one pair, with a busy indicator rather than a count.
  FakeWindow fileWindow;
  fileWindow.cancelAfter = 0;
  settings.MODE = CompareMode::File;
  settings.SRC_FILE1 = settings.SRC_FILE2 = u"a.txt";
  settings.OUTPUT_FILE = u"file.html";
  scratch.WriteText(u"v2", u"a.txt", SmallReport(u"A", u"2"));
  EXPECT_EQ(ExecDiff(settings, fileWindow), RunOutcome::Cancelled);
  EXPECT_EQ(fileWindow.notReached, std::vector<std::u16string>{settings.SRC_PATH1 + u"a.txt"});
  EXPECT_EQ(fileWindow.progress, (std::vector<std::pair<std::size_t, std::size_t>>{{0, 0}}));
  EXPECT_FALSE(ScratchFolder::Exists(Out(u"file.html")));

  FakeWindow finished;
  EXPECT_EQ(ExecDiff(settings, finished), RunOutcome::Finished);
  EXPECT_EQ(finished.progress, (std::vector<std::pair<std::size_t, std::size_t>>{{0, 0}, {1, 0}}));
}

TEST_F(DiffRun, AnEmptyReportStopsAtItsComparisonWithoutCrashing) {
  scratch.WriteText(u"v1", u"e.txt", u"");
  scratch.WriteText(u"v2", u"e.txt", SmallReport(u"E", u"x"));
  EXPECT_EQ(ExecDiff(settings, window), RunOutcome::Failed);
  ASSERT_EQ(window.messages.size(), 1u);
  EXPECT_EQ(window.messages[0].text.rfind(
                u"フォーム文章[E.TXT]の差分作成中に、エラーが発生しました。\r\n", 0),
            0u);
}

TEST_F(DiffRun, AReportGoneBeforeItsReadingStopsTheRunThere) {
  scratch.WriteText(u"v1", u"a.txt", SmallReport(u"A", u"1"));
  const auto gone = scratch.WriteText(u"v1", u"b.txt", SmallReport(u"B", u"1"));
  // The viewer holds the run after the first report; the next one is deleted meanwhile.
  window.structureViewer = true;
  window.onShowStructure = [&] { std::filesystem::remove(NativePath(gone)); };

  EXPECT_EQ(ExecDiff(settings, window), RunOutcome::Failed);
  ASSERT_EQ(window.messages.size(), 1u);
  EXPECT_EQ(window.messages[0].text.rfind(
                u"ファイル文章[" + gone + u"]の読み込み中に、エラーが発生しました。\r\n", 0),
            0u);
  EXPECT_EQ(Summary(), Head(settings.SRC_PATH1, settings.SRC_PATH2) +
                           u"<tr><td>A.TXT</td><td>フォルダ１のみ存在</td></tr>\r\n"
                           u"<tr><td>B.TXT</td><td>未処理</td></tr>\r\n" +
                           std::u16string(kTail));
}

TEST_F(DiffRun, PagesOfOneRunNeverOverwriteEachOther) {
  scratch.WriteText(u"v1", u"X.A.TXT", SmallReport(u"XA", u"x"));
  scratch.WriteText(u"v1", u"X.B.TXT", SmallReport(u"XB", u"x"));
  scratch.WriteText(u"v1", u"RESULT.TXT", SmallReport(u"R", u"1"));
  scratch.WriteText(u"v2", u"RESULT.TXT", SmallReport(u"R", u"2"));
  settings.OUTPUT_FILE = u"result.html";

  EXPECT_EQ(ExecDiff(settings, window), RunOutcome::Finished);
  EXPECT_EQ(Summary(u"result.html"),
            Head(settings.SRC_PATH1, settings.SRC_PATH2) +
                u"<tr><td>RESULT.TXT</td><td><a href=\"" + Out(u"RESULT_2.html") +
                u"\">差異あり</a></td></tr>\r\n"
                u"<tr><td>X.A.TXT</td><td>フォルダ１のみ存在</td></tr>\r\n"
                u"<tr><td>X.B.TXT</td><td>フォルダ１のみ存在</td></tr>\r\n" +
                std::u16string(kTail));
  EXPECT_NE(ScratchFolder::ReadText(Out(u"X.html")).find(u"X.A.TXT"), std::u16string::npos);
  EXPECT_NE(ScratchFolder::ReadText(Out(u"X_2.html")).find(u"X.B.TXT"), std::u16string::npos);
}

TEST_F(DiffRun, ARunNeverWritesOverOneOfItsInputReports) {
  const auto report = scratch.WriteText(u"v1", u"FORM1.html", SmallReport(u"F", u"1"));
  scratch.WriteText(u"v2", u"FORM1.html", SmallReport(u"F", u"2"));
  settings.SRC_FILE1 = settings.SRC_FILE2 = u"*";
  settings.OUTPUT_PATH = settings.SRC_PATH1;
  const std::string before = ScratchFolder::Read(report);

  EXPECT_EQ(ExecDiff(settings, window), RunOutcome::Rejected);
  EXPECT_EQ(window.messages,
            (std::vector<ShownMessage>{
                {u"出力ファイル[" + report + u"]は入力のレポートファイルです。上書きできません。",
                 MessageIcon::Warning}}));
  EXPECT_EQ(ScratchFolder::Read(report), before);
  EXPECT_FALSE(ScratchFolder::Exists(Out(u"Result.html")));  // nothing at all was written

  // File mode: the output file named like the input.
  FakeWindow fileWindow;
  settings.MODE = CompareMode::File;
  settings.SRC_FILE1 = settings.SRC_FILE2 = u"FORM1.html";
  settings.OUTPUT_FILE = u"FORM1.html";
  EXPECT_EQ(ExecDiff(settings, fileWindow), RunOutcome::Rejected);
  EXPECT_EQ(ScratchFolder::Read(report), before);
}

TEST_F(DiffRun, SummaryLinksSurviveMarkupAndUrlCharacters) {
  settings.OUTPUT_PATH = scratch.Folder(u"o#u&t");
  scratch.WriteText(u"v1", u"a.txt", SmallReport(u"A", u"1"));
  scratch.WriteText(u"v2", u"a.txt", SmallReport(u"A", u"2"));
  EXPECT_EQ(ExecDiff(settings, window), RunOutcome::Finished);
  const std::u16string summary = ScratchFolder::ReadText(Out(u"Result.html"));
  EXPECT_NE(summary.find(u"<a href=\"" + scratch.Folder() + u"o%23u&amp;t/A.html\">差異あり</a>"),
            std::u16string::npos)
      << ToUtf8(summary);
}

TEST_F(DiffRun, StructureViewerShowsEachPresentReportBeforeItsComparison) {
  scratch.WriteText(u"v1", u"a.txt", SmallReport(u"A", u"1"));
  scratch.WriteText(u"v2", u"a.txt", SmallReport(u"A", u"2"));
  scratch.WriteText(u"v2", u"b.txt", SmallReport(u"B", u"2"));
  window.structureViewer = true;
  EXPECT_EQ(ExecDiff(settings, window), RunOutcome::Finished);
  EXPECT_EQ(window.structuresShown, (std::vector<std::size_t>{1, 1, 1}));
}

TEST_F(DiffRun, NamesFoldingAlikeOpenTheOrdinalFirstAndShowItsListedName) {
  const auto upper = scratch.WriteText(u"v1", u"FORM.txt", SmallReport(u"U", u"1"));
  scratch.WriteText(u"v1", u"form.txt", SmallReport(u"L", u"1"));
  EXPECT_EQ(ExecDiff(settings, window), RunOutcome::Finished);
  EXPECT_EQ(ScratchFolder::Read(Out(u"FORM.html")),
            ExpectedPage(SmallReport(u"U", u"1"), u"", upper, u"", false));
}

}  // namespace
}  // namespace tarnwick
