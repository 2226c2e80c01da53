#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>

#include "diff_run_fixture.h"
#include "files/paths.h"
#include "sample_reports.h"
#include "test_platform.h"
#include "text/decimal.h"
#include "text/utf8.h"

namespace tarnwick {
namespace {

using testing::DiffRun;
using testing::FakeWindow;
using testing::Head;
using testing::kTail;
using testing::LinkedFile;
using testing::ScratchFolder;
using testing::ShownMessage;

using testing::kUnparsableReport;
using testing::SmallReport;

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
  EXPECT_EQ(PageRows(u"A.html", {a}), R"(
|||||[2 Y]{1}|
|||||[2 C]|
|||||[2]====|
|*||1||ブロック・項目|[Y]BLK1|
||*||1||[C]|
|||||[2]====|
|*||||[2 Y]A|
|*||||[Y]タイトル|[Y]x|
|||||[2]====|
|*||||[2 Y]ブロック ( A ) |
|||||[2]====|
|*||||[2 Y]BLK1 ( ブロック>A ) |
|*||||[Y]問合せ可能|[Y]はい|
)");
  EXPECT_EQ(PageRows(u"B.html", {b1, b2}), R"(
|||||[2 Y]{1}|
|||||[2 C]{2}|
|||||[2]====|
|||||ブロック・項目|BLK1|
|||||[2]====|
|||||[2 ]B|
|*||||タイトル|[Y]old|
||*||||[C]new|
|||||[2]====|
|||||[2 ]ブロック ( B ) |
|||||[2]====|
|||||[2 ]BLK1 ( ブロック>B ) |
|||1|1|問合せ可能|はい|
)");
  EXPECT_EQ(PageRows(u"C.html", {c}), R"(
|||||[2 Y]|
|||||[2 C]{1}|
|||||[2]====|
|*||1||ブロック・項目|[Y]|
||*||1||[C]BLK1|
|||||[2]====|
||*|||[2 C]C|
||*|||[C]タイトル|[C]x|
|||||[2]====|
||*|||[2 C]ブロック ( C ) |
|||||[2]====|
||*|||[2 C]BLK1 ( ブロック>C ) |
||*|||[C]問合せ可能|[C]はい|
)");

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
  EXPECT_EQ(PageRows(u"A.html", {a1, a2}), R"(
|||||[2 Y]{1}|
|||||[2 C]{2}|
)");
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
  settings.OUTPUT_FILE = u"elsewhere" + std::u16string(1, NativeSeparator()) + u"Page";
  settings.OUTPUT_AUTOOPEN = true;

  EXPECT_EQ(ExecDiff(settings, window), RunOutcome::Finished);
  EXPECT_EQ(PageRows(u"Page.html", {f1, f2}), R"(
|||||[2 Y]{1}|
|||||[2 C]{2}|
|||||[2]====|
|||||ブロック・項目|BLK1|
|||||[2]====|
|||||[2 ]F|
|*||||タイトル|[Y]1|
||*||||[C]2|
|||||[2]====|
|||||[2 ]ブロック ( F ) |
|||||[2]====|
|||||[2 ]BLK1 ( ブロック>F ) |
|||1|1|問合せ可能|はい|
)");
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
  testing::HideFile(scratch.WriteText(u"v2", u".hidden", SmallReport(u"F", u"2")));
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
  // The message names the side and the full path of the report.
  const std::u16string prefix =
      u"ソース１のフォーム文章[" + bad + u"]の解析中に、エラーが発生しました。\r\n";
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

// Text as a classic cell holds it: blanks as &nbsp;.
std::u16string Cell(std::u16string_view text) {
  std::u16string cell;
  for (const char16_t c : text) cell += c == u' ' ? u"&nbsp;" : std::u16string(1, c);
  return cell;
}

TEST_F(DiffRun, WithOnErrorContinueABadReportIsAReadErrorAndTheOtherPairsAreCompared) {
  scratch.WriteText(u"v1", u"a.txt", SmallReport(u"A", u"1"));
  scratch.WriteText(u"v2", u"a.txt", SmallReport(u"A", u"2"));
  const auto bad = scratch.WriteText(u"v1", u"b.txt", kUnparsableReport);
  const auto bad2 = scratch.WriteText(u"v2", u"b.txt", u"");  // both sides fail: both are told
  scratch.WriteText(u"v1", u"c.txt", SmallReport(u"C", u"1"));
  const auto gone = scratch.WriteText(u"v1", u"d.txt", SmallReport(u"D", u"1"));
  settings.ON_ERROR = OnError::Continue;
  settings.OUTPUT_AUTOOPEN = true;

  // Loaded ahead on threads, and one after the other (the viewer needs the window).
  for (const bool viewer : {false, true}) {
    SCOPED_TRACE(viewer ? "with the viewer" : "loaded ahead");
    FakeWindow fresh;
    fresh.structureViewer = viewer;
    RunResult result;
    if (viewer) {
      // d.txt goes while the viewer holds the run at c.txt: it cannot be read.
      fresh.onShowStructure = [&] {
        if (fresh.structuresShown.size() == 3) std::filesystem::remove(NativePath(gone));
      };
    }
    EXPECT_EQ(ExecDiff(settings, fresh, &result), RunOutcome::Failed) << "exits 1 at the end";
    const std::u16string parsed =
        u"ソース１のフォーム文章[" + bad +
        u"]の解析中に、エラーが発生しました。3行目の書式を解析できません。"
        u"[    * 不明 X]";
    const std::u16string empty =
        u"フォーム文章[B.TXT]の差分作成中に、エラーが発生しました。"
        u"ソース２のレポート[" +
        bad2 + u"]にオブジェクトがありません。";
    const std::u16string unreadable =
        u"ソース１のファイル文章[" + gone + u"]の読み込み中に、エラーが発生しました。";
    const std::size_t failed = viewer ? 2 : 1;
    EXPECT_EQ(fresh.messages,
              (std::vector<ShownMessage>{{u"終了しました。\r\n読み込めないレポートがあり、" +
                                              DecimalText(static_cast<std::int64_t>(failed)) +
                                              u"件を読込エラーとしました（一覧を参照）。",
                                          MessageIcon::Warning}}));
    EXPECT_EQ(fresh.opened, std::vector<std::u16string>{Out(u"Result.html")});
    EXPECT_FALSE(fresh.waitCursor);

    ASSERT_EQ(result.items.size(), 4u);
    EXPECT_EQ(result.items[1].status, FileStatus::ReadError);
    EXPECT_EQ(result.items[1].failures,
              (std::vector<ReportFailure>{{1, bad, 3, parsed}, {2, bad2, 0, empty}}));
    EXPECT_EQ(result.items[2].status, FileStatus::OnlyIn1);
    EXPECT_TRUE(result.differs) << "A.TXT differs";
    // The file system's words for a file gone follow the stage.
    std::u16string goneWhy;
    if (viewer) {
      ASSERT_EQ(result.items[3].failures.size(), 1u);
      const ReportFailure& failure = result.items[3].failures[0];
      EXPECT_EQ(failure.side, 1);
      EXPECT_EQ(failure.path, gone);
      EXPECT_EQ(failure.line, 0u);
      EXPECT_TRUE(failure.message.starts_with(unreadable)) << ToUtf8(failure.message);
      EXPECT_GT(failure.message.size(), unreadable.size());
      goneWhy = failure.message;
    }

    const std::u16string cell = u"</td><td>読込エラー</td><td>";
    std::u16string rows = u"<tr><td>A.TXT</td><td><a href=\"" + Out(u"A.html") +
                          u"\">差異あり</a></td></tr>\r\n"
                          u"<tr><td>B.TXT" +
                          cell + Cell(parsed + u" " + empty) +
                          u"</td></tr>\r\n"
                          u"<tr><td>C.TXT</td><td>フォルダ１のみ存在</td></tr>\r\n";
    rows += viewer ? u"<tr><td>D.TXT" + cell + Cell(goneWhy) + u"</td></tr>\r\n"
                   : u"<tr><td>D.TXT</td><td>フォルダ１のみ存在</td></tr>\r\n";
    EXPECT_EQ(Summary(),
              Head(settings.SRC_PATH1, settings.SRC_PATH2) + rows + std::u16string(kTail));
    EXPECT_FALSE(ScratchFolder::Exists(Out(u"B.html"))) << "a pair not compared has no page";
    EXPECT_TRUE(ScratchFolder::Exists(Out(u"C.html")));
    scratch.WriteText(u"v1", u"d.txt", SmallReport(u"D", u"1"));
  }

  // File mode is one pair: it fails as ever, naming the side.
  settings.MODE = CompareMode::File;
  settings.SRC_FILE1 = settings.SRC_FILE2 = u"b.txt";
  settings.OUTPUT_FILE = u"file.html";
  FakeWindow file;
  EXPECT_EQ(ExecDiff(settings, file), RunOutcome::Failed);
  ASSERT_EQ(file.messages.size(), 1u);
  EXPECT_EQ(file.messages[0].icon, MessageIcon::Critical);
  EXPECT_TRUE(file.messages[0].text.starts_with(u"ソース１のフォーム文章[" + bad + u"]"));
}

TEST_F(DiffRun, AReportOutsideItsSidesPatternsIsSetAsideNotClaimedMissing) {
  // Side 1 picked one file; side 2 kept *.txt.
  for (const std::u16string_view name : {u"order.txt", u"cust.txt"}) {
    scratch.WriteText(u"v1", name, SmallReport(u"X", u"1"));
    scratch.WriteText(u"v2", name, SmallReport(u"X", u"2"));
  }
  scratch.WriteText(u"v2", u"new.txt", SmallReport(u"N", u"1"));
  settings.SRC_FILE1 = u"order.txt";
  RunResult result;
  EXPECT_EQ(ExecDiff(settings, window, &result), RunOutcome::Finished);
  EXPECT_EQ(window.messages,
            (std::vector<ShownMessage>{{u"終了しました。", MessageIcon::Information}}));

  const std::u16string patterns =
      u"<tr><td colspan=\"3\">ファイル名パターン１:order.txt</td></tr>\r\n"
      u"<tr><td colspan=\"3\">ファイル名パターン２:*.txt</td></tr>\r\n";
  std::u16string head = Head(settings.SRC_PATH1, settings.SRC_PATH2);
  head.insert(head.find(u"<tr><td colspan=\"3\">STAMP"), patterns);
  // NEW.TXT is in folder 2 alone; CUST.TXT is in both, outside folder 1's pattern.
  EXPECT_EQ(Summary(), head +
                           u"<tr><td>NEW.TXT</td><td>フォルダ２のみ存在</td></tr>\r\n"
                           u"<tr><td>ORDER.TXT</td><td><a href=\"" +
                           Out(u"ORDER.html") +
                           u"\">差異あり</a></td></tr>\r\n"
                           u"<tr><td>CUST.TXT</td><td>対象外（フォルダ１のファイル名パターン外）"
                           u"</td></tr>\r\n" +
                           std::u16string(kTail));
  EXPECT_FALSE(ScratchFolder::Exists(Out(u"CUST.html"))) << "not compared";
  ASSERT_EQ(result.items.size(), 3u);
  EXPECT_EQ(result.items[2].status, FileStatus::OutsidePattern1);
  EXPECT_EQ(result.items[2].path1, settings.SRC_PATH1 + u"cust.txt") << "both reports named";
  EXPECT_EQ(result.items[2].path2, settings.SRC_PATH2 + u"cust.txt");
  EXPECT_TRUE(result.unmatchedPatterns.empty());

  // The other way round, and a pattern that matches nothing is still told.
  settings.SRC_FILE1 = u"*.txt";
  settings.SRC_FILE2 = u"nothing.txt";
  RunResult other;
  EXPECT_EQ(ExecDiff(settings, window, &other), RunOutcome::Finished);
  EXPECT_EQ(other.unmatchedPatterns, std::vector<std::u16string_view>{u"SRC_FILE2"});
  ASSERT_EQ(other.items.size(), 2u) << "NEW.TXT matches no pattern";
  for (const RunItem& item : other.items) {
    EXPECT_EQ(item.status, FileStatus::OutsidePattern2) << ToUtf8(item.name);
  }
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
  // The summary says the run was cancelled, and when.
  EXPECT_EQ(Summary(), Head(settings.SRC_PATH1, settings.SRC_PATH2, testing::kCancelledRow) +
                           u"<tr><td>A.TXT</td><td>フォルダ１のみ存在</td></tr>\r\n"
                           u"<tr><td>B.TXT</td><td><a href=\"" +
                           Out(u"B.html") +
                           u"\">差異あり</a></td></tr>\r\n"
                           u"<tr><td>C.TXT</td><td>未処理</td></tr>\r\n"
                           u"<tr><td>D.TXT</td><td>未処理</td></tr>\r\n" +
                           std::u16string(kTail));
  // The pages written are whole; none was started for the rest.
  EXPECT_EQ(PageRows(u"A.html", {a}), R"(
|||||[2 Y]{1}|
|||||[2 C]|
|||||[2]====|
|*||1||ブロック・項目|[Y]BLK1|
||*||1||[C]|
|||||[2]====|
|*||||[2 Y]A|
|*||||[Y]タイトル|[Y]1|
|||||[2]====|
|*||||[2 Y]ブロック ( A ) |
|||||[2]====|
|*||||[2 Y]BLK1 ( ブロック>A ) |
|*||||[Y]問合せ可能|[Y]はい|
)");
  EXPECT_EQ(PageRows(u"B.html", {b1, b2}), R"(
|||||[2 Y]{1}|
|||||[2 C]{2}|
|||||[2]====|
|||||ブロック・項目|BLK1|
|||||[2]====|
|||||[2 ]B|
|*||||タイトル|[Y]1|
||*||||[C]2|
|||||[2]====|
|||||[2 ]ブロック ( B ) |
|||||[2]====|
|||||[2 ]BLK1 ( ブロック>B ) |
|||1|1|問合せ可能|はい|
)");
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
  EXPECT_EQ(Summary(), Head(settings.SRC_PATH1, settings.SRC_PATH2, testing::kCancelledRow) +
                           u"<tr><td>A.TXT</td><td>未処理</td></tr>\r\n" + std::u16string(kTail));
  EXPECT_FALSE(ScratchFolder::Exists(Out(u"A.html")));

  // File mode: its one pair, in steps: side 1 read, side 2 read, compared and written.
  FakeWindow fileWindow;
  fileWindow.cancelAfter = 0;
  settings.MODE = CompareMode::File;
  settings.SRC_FILE1 = settings.SRC_FILE2 = u"a.txt";
  settings.OUTPUT_FILE = u"file.html";
  scratch.WriteText(u"v2", u"a.txt", SmallReport(u"A", u"2"));
  EXPECT_EQ(ExecDiff(settings, fileWindow), RunOutcome::Cancelled);
  EXPECT_EQ(fileWindow.notReached, std::vector<std::u16string>{settings.SRC_PATH1 + u"a.txt"});
  EXPECT_EQ(fileWindow.progress, (std::vector<std::pair<std::size_t, std::size_t>>{{0, 3}}));
  EXPECT_FALSE(ScratchFolder::Exists(Out(u"file.html")));

  FakeWindow finished;
  EXPECT_EQ(ExecDiff(settings, finished), RunOutcome::Finished);
  EXPECT_EQ(finished.progress,
            (std::vector<std::pair<std::size_t, std::size_t>>{{0, 3}, {1, 3}, {2, 3}, {3, 3}}));
}

// Counts the reports a summary page still shows as "未処理".
std::size_t Unprocessed(std::u16string_view summary) {
  std::size_t n = 0;
  for (std::size_t at = summary.find(u"未処理"); at != std::u16string_view::npos;
       at = summary.find(u"未処理", at + 1)) {
    ++n;
  }
  return n;
}

TEST_F(DiffRun, TheSummaryIsRewrittenAsTimePassesNotAfterEveryPair) {
  constexpr std::size_t kPairs = 30;
  for (std::size_t i = 0; i < kPairs; ++i) {
    const std::u16string name = u"r" + std::u16string(1, static_cast<char16_t>(u'a' + i % 26)) +
                                std::u16string(1, static_cast<char16_t>(u'a' + i / 26)) + u".txt";
    scratch.WriteText(u"v1", name, SmallReport(u"A", u"1"));
    scratch.WriteText(u"v2", name, SmallReport(u"A", u"2"));
  }
  std::chrono::steady_clock::time_point now{};
  const RunClock clock = [&now] { return now; };
  // What a reader of the summary sees after each pair.
  std::vector<std::size_t> seen;
  window.onProgress = [&] {
    seen.push_back(Unprocessed(ScratchFolder::ReadText(Out(u"Result.html"))));
  };

  // All pairs within one interval: the page written at the start stays until
  // the last pair is done.
  ASSERT_EQ(ExecDiff(settings, window, nullptr, clock), RunOutcome::Finished);
  EXPECT_EQ(seen, std::vector<std::size_t>(kPairs + 1, kPairs));
  const std::u16string paced = Summary();
  EXPECT_EQ(Unprocessed(paced), 0u);

  // A second between pairs: every pair is due and shows at once.
  window.onProgress = [&] {
    seen.push_back(Unprocessed(ScratchFolder::ReadText(Out(u"Result.html"))));
    now += std::chrono::seconds(1);
  };
  seen.clear();
  ASSERT_EQ(ExecDiff(settings, window, nullptr, clock), RunOutcome::Finished);
  std::vector<std::size_t> countdown;
  for (std::size_t i = 0; i <= kPairs; ++i) countdown.push_back(kPairs - i);
  EXPECT_EQ(seen, countdown);
  // The pacing never changes the page written last.
  EXPECT_EQ(Summary(), paced);

  // A cancel within the interval still shows what was done and the rest as
  // "未処理".
  window.onProgress = nullptr;
  window.cancelQuestions = 0;
  window.cancelAfter = 3;
  ASSERT_EQ(ExecDiff(settings, window, nullptr, clock), RunOutcome::Cancelled);
  EXPECT_EQ(Unprocessed(Summary()), kPairs - 3);
}

TEST_F(DiffRun, AnEmptyReportStopsAtItsComparisonWithoutCrashing) {
  const auto empty = scratch.WriteText(u"v1", u"e.txt", u"");
  scratch.WriteText(u"v2", u"e.txt", SmallReport(u"E", u"x"));
  EXPECT_EQ(ExecDiff(settings, window), RunOutcome::Failed);
  ASSERT_EQ(window.messages.size(), 1u);
  EXPECT_EQ(window.messages[0].text,
            u"フォーム文章[E.TXT]の差分作成中に、エラーが発生しました。\r\n"
            u"ソース１のレポート[" +
                empty + u"]にオブジェクトがありません。");
}

TEST_F(DiffRun, AReportGoneBeforeItsReadingStopsTheRunThere) {
  scratch.WriteText(u"v1", u"a.txt", SmallReport(u"A", u"1"));
  const auto gone = scratch.WriteText(u"v1", u"b.txt", SmallReport(u"B", u"1"));
  // The viewer holds the run after the first report; the next one is deleted meanwhile.
  window.structureViewer = true;
  window.onShowStructure = [&] { std::filesystem::remove(NativePath(gone)); };

  EXPECT_EQ(ExecDiff(settings, window), RunOutcome::Failed);
  ASSERT_EQ(window.messages.size(), 1u);
  EXPECT_EQ(
      window.messages[0].text.rfind(
          u"ソース１のファイル文章[" + gone + u"]の読み込み中に、エラーが発生しました。\r\n", 0),
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
  EXPECT_NE(summary.find(u"<a href=\"" + scratch.Folder() + u"o%23u&amp;t" + NativeSeparator() +
                         u"A.html\">差異あり</a>"),
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

TEST_F(DiffRun, SummaryLinksLeadToPagesNamedOutsideTheCodePage) {
  for (std::u16string_view name : {u"café.txt", u"x#y%z.txt"}) {
    scratch.WriteText(u"v1", name, SmallReport(u"F", u"1"));
    scratch.WriteText(u"v2", name, SmallReport(u"F", u"2"));
  }
  ASSERT_EQ(ExecDiff(settings, window), RunOutcome::Finished);
  const std::vector<std::u16string> targets = SummaryLinks();
  EXPECT_EQ(targets, (std::vector<std::u16string>{Out(u"CAF%C3%89.html"), Out(u"X%23Y%25Z.html")}));
  for (const std::u16string& target : targets) {
    EXPECT_TRUE(ScratchFolder::Exists(LinkedFile(target))) << ToUtf8(target);
  }
}

}  // namespace
}  // namespace tarnwick
