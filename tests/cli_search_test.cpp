// tarnwick-cli search, run as the built binary.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/runs.h"
#include "cli_runner.h"
#include "fake_window.h"
#include "runs_fixture.h"
#include "sample_reports.h"

namespace tarnwick {
namespace {

using testing::CliResult;
using testing::FakeWindow;
using testing::RunCli;
using testing::ScratchFolder;

constexpr std::u16string_view kOrderReport =
    u"* 名前                     FORM1\r\n"
    u"* タイトル                 受注入力\r\n";

class CliSearch : public ::testing::Test {
 protected:
  CliSearch() : source(scratch.Folder(u"src")), output(scratch.Folder(u"out")) {
    scratch.WriteText(u"src", u"A.TXT", kOrderReport);
  }

  // search with the folders set, then `extra` as given.
  CliResult Search(std::vector<std::u16string> extra) {
    std::vector<std::u16string> args = {u"search",
                                        u"--set",
                                        u"SRC_PATH=" + source,
                                        u"--set",
                                        u"SRC_FILE=*.TXT",
                                        u"--set",
                                        u"OUTPUT_PATH=" + output,
                                        u"--set",
                                        u"OUTPUT_FILE=Result"};
    args.insert(args.end(), extra.begin(), extra.end());
    return RunCli(args);
  }

  ScratchFolder scratch;
  std::u16string source;
  std::u16string output;
};

TEST_F(CliSearch, WritesTheSamePagesAsTheWindowAndSaysItFinished) {
  const CliResult result = Search({u"--set", u"SEARCH_STRING1=受注", u"--set", u"FOUND_ONLY=True"});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.err, "終了しました。\n");  // no status lines when stderr is no terminal
  EXPECT_EQ(result.out.rfind("1 report: 1 match, 0 no match; ", 0), 0u) << result.out;
  const std::string cliPage = ScratchFolder::Read(output + u"A.html");
  EXPECT_NE(ScratchFolder::ReadText(output + u"Result.html").find(u">該当</a>"),
            std::u16string::npos);

  // The same search through the run the window calls, into another folder.
  Settings settings = BaseDefaults();
  settings.SRC_PATH = source;
  settings.SRC_FILE = u"*.TXT";
  settings.OUTPUT_PATH = scratch.Folder(u"window");
  settings.OUTPUT_FILE = u"Result";
  settings.SEARCH_STRING1 = u"受注";
  settings.FOUND_ONLY = true;
  FakeWindow window;
  ASSERT_EQ(ExecSearch(settings, window), RunOutcome::Finished);
  EXPECT_EQ(cliPage, ScratchFolder::Read(settings.OUTPUT_PATH + u"A.html"));
}

TEST_F(CliSearch, SettingsFileComesFirstAndSetsApplyAfterIt) {
  const std::u16string ini = scratch.WriteText(
      u"", u"Tarnwick.ini", u"SEARCH_STRING1=在庫\r\nSEARCH_STRING1_COND=NOT_CONTAIN\r\n");
  CliResult result = Search({u"--ini", ini});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_NE(ScratchFolder::ReadText(output + u"A.html").find(u"在庫を含まない"),
            std::u16string::npos);
  result = Search({u"--ini", ini, u"--set", u"SEARCH_STRING1_COND=CONTAIN"});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_NE(ScratchFolder::ReadText(output + u"Result.html").find(u"該当しない"),
            std::u16string::npos);
}

TEST_F(CliSearch, ExitStatusTellsHowTheRunEnded) {
  // An input check: no search string at all.
  CliResult result = Search({});
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(result.err,
            "検索条件を入力してください (SEARCH_STRING1=, SEARCH_STRING2=, SEARCH_STRING3=)\n");
  EXPECT_FALSE(ScratchFolder::Exists(output + u"Result.html"));

  // A run error: the message box text with its stage, then the description.
  scratch.WriteText(u"src", u"B.TXT", testing::kUnparsableReport);
  result = Search({u"--set", u"SEARCH_STRING1=a"});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err.rfind("ソースのフォーム文章[" + ToUtf8(source) +
                                 "B.TXT]の解析中に、エラーが発生しました。\r\n",
                             0),
            0u)
      << result.err;

  // Wrong usage.
  EXPECT_EQ(Search({u"extra"}).status, 64);
  EXPECT_EQ(Search({u"--set", u"NO_SUCH_KEY=1"}).status, 64);
  EXPECT_EQ(Search({u"--set", u"SEARCH_STRING1"}).status, 64);
  EXPECT_EQ(Search({u"--ini", source + u"missing.ini"}).status, 64);
}

}  // namespace
}  // namespace tarnwick
