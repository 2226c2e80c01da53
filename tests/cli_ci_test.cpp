// tarnwick-cli as CI uses it: --exit-code, --json, each command's --help,
// and relative paths resolved against the working directory.
#include <gtest/gtest.h>

#include <filesystem>

#include "cli/run_options.h"
#include "cli_runner.h"
#include "runs_fixture.h"
#include "sample_reports.h"

namespace tarnwick {
namespace {

using testing::CliResult;
using testing::RunCli;
using testing::ScratchFolder;
using testing::ShellQuoted;
using testing::SmallReport;

// The command line run from `folder` as its working directory.
CliResult RunIn(std::u16string_view folder, const std::vector<std::u16string>& args) {
  std::vector<std::u16string> all = {u"-C", std::u16string(folder)};
  const ScratchFolder capture;
  const std::string out = ToUtf8(capture.Folder()) + "out";
  const std::string err = ToUtf8(capture.Folder()) + "err";
  std::string line = "cd " + ShellQuoted(ToUtf8(folder)) + " && " + ShellQuoted(TARNWICK_CLI_PATH);
  for (const std::u16string& arg : args) line += ' ' + ShellQuoted(ToUtf8(arg));
  line += " >" + ShellQuoted(out) + " 2>" + ShellQuoted(err) + " </dev/null";
  const int raw = std::system(line.c_str());
  CliResult result;
  result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  result.out = ScratchFolder::Read(FromUtf8(out));
  result.err = ScratchFolder::Read(FromUtf8(err));
  return result;
}

class CliForCi : public ::testing::Test {
 protected:
  CliForCi() {
    root = scratch.Folder();
    scratch.WriteText(u"v1", u"a.txt", SmallReport(u"A", u"1"));
    scratch.WriteText(u"v2", u"a.txt", SmallReport(u"A", u"2"));
    scratch.WriteText(u"v1", u"same.txt", SmallReport(u"S", u"1"));
    scratch.WriteText(u"v2", u"same.txt", SmallReport(u"S", u"1"));
    scratch.WriteText(u"v2", u"new.txt", SmallReport(u"N", u"1"));
    scratch.Folder(u"out");
  }

  // A folder comparison from the scratch folder with relative folders.
  CliResult Diff(std::vector<std::u16string> extra, std::u16string_view files = u"*.txt") {
    std::vector<std::u16string> args = {u"diff",
                                        u"--set",
                                        u"SRC_PATH1=v1",
                                        u"--set",
                                        u"SRC_FILE1=" + std::u16string(files),
                                        u"--set",
                                        u"SRC_PATH2=./v2/",
                                        u"--set",
                                        u"SRC_FILE2=" + std::u16string(files),
                                        u"--set",
                                        u"OUTPUT_PATH=out/../out/",
                                        u"--set",
                                        u"OUTPUT_FILE=index"};
    args.insert(args.end(), extra.begin(), extra.end());
    return RunIn(root, args);
  }

  CliResult Search(std::u16string_view string, std::vector<std::u16string> extra = {}) {
    std::vector<std::u16string> args = {u"search",
                                        u"--set",
                                        u"SRC_PATH=v2",
                                        u"--set",
                                        u"SRC_FILE=*.txt",
                                        u"--set",
                                        u"OUTPUT_PATH=out",
                                        u"--set",
                                        u"OUTPUT_FILE=found",
                                        u"--set",
                                        u"SEARCH_STRING1=" + std::u16string(string)};
    args.insert(args.end(), extra.begin(), extra.end());
    return RunIn(root, args);
  }

  ScratchFolder scratch;
  std::u16string root;
};

TEST_F(CliForCi, ExitCodeThreeSaysAFinishedRunFoundSomething) {
  EXPECT_EQ(Diff({}).status, 0) << "without --exit-code a difference is no failure";
  EXPECT_EQ(Diff({u"--exit-code"}).status, 3);
  EXPECT_EQ(Diff({u"--exit-code"}, u"same.txt").status, 0);
  // A one-sided report is a difference too.
  EXPECT_EQ(Diff({u"--exit-code"}, u"new.txt").status, 3);
  EXPECT_EQ(Diff({u"--exit-code", u"--set", u"OUTPUT_PATH=nowhere"}).status, 2);

  EXPECT_EQ(Search(u"はい", {u"--exit-code"}).status, 3);
  EXPECT_EQ(Search(u"no such text", {u"--exit-code"}).status, 0);
  EXPECT_EQ(Search(u"a[b", {u"--exit-code"}).status, 1);
}

TEST_F(CliForCi, JsonSummarisesEveryPairWithItsCounts) {
  const CliResult result = Diff({u"--json", u"out/run.json", u"--exit-code"});
  ASSERT_EQ(result.status, 3) << result.err;
  const std::string json = ScratchFolder::Read(root + u"out/run.json");
  const std::string out = ToUtf8(root) + "out/";
  EXPECT_EQ(json,
            "{\"command\":\"diff\",\"outcome\":\"finished\",\"exitStatus\":3,"
            "\"pageStyle\":\"classic\",\"differs\":true,\"summary\":\"" +
                out +
                "index.html\","
                "\"messages\":[\"終了しました。\"],\"pairs\":["
                "{\"name\":\"A.TXT\",\"status\":\"different\",\"statusText\":\"差異あり\","
                "\"path1\":\"" +
                ToUtf8(root) + "v1/a.txt\",\"path2\":\"" + ToUtf8(root) +
                "v2/a.txt\","
                "\"page\":\"" +
                out +
                "A.html\",\"counts\":{\"objectsAdded\":0,\"objectsRemoved\":0,"
                "\"objectsChanged\":1,\"linesAdded\":1,\"linesRemoved\":1}},"
                "{\"name\":\"NEW.TXT\",\"status\":\"only2\",\"statusText\":\"フォルダ２のみ存在\","
                "\"path1\":null,\"path2\":\"" +
                ToUtf8(root) +
                "v2/new.txt\","
                "\"page\":\"" +
                out +
                "NEW.html\",\"counts\":{\"objectsAdded\":1,\"objectsRemoved\":0,"
                "\"objectsChanged\":0,\"linesAdded\":2,\"linesRemoved\":0}},"
                "{\"name\":\"SAME.TXT\",\"status\":\"same\",\"statusText\":\"一致\","
                "\"path1\":\"" +
                ToUtf8(root) + "v1/same.txt\",\"path2\":\"" + ToUtf8(root) +
                "v2/same.txt\","
                "\"page\":\"" +
                out +
                "SAME.html\",\"counts\":{\"objectsAdded\":0,\"objectsRemoved\":0,"
                "\"objectsChanged\":0,\"linesAdded\":0,\"linesRemoved\":0}}]}\n");
}

TEST_F(CliForCi, JsonOfASearchAndOfARejectedRun) {
  ASSERT_EQ(Search(u"はい", {u"--json", u"s.json", u"--set", u"PAGE_STYLE=REVIEW"}).status, 0);
  const std::string json = ScratchFolder::Read(root + u"s.json");
  EXPECT_NE(json.find("\"pageStyle\":\"review\""), std::string::npos);
  EXPECT_NE(json.find("\"reports\":[{\"name\":\"A.TXT\",\"status\":\"match\""), std::string::npos)
      << json;
  EXPECT_NE(json.find("\"hits\":{\"properties\":1,\"lines\":1}"), std::string::npos) << json;

  ASSERT_EQ(Search(u"**", {u"--json", u"r.json"}).status, 2);
  const std::string rejected = ScratchFolder::Read(root + u"r.json");
  EXPECT_NE(rejected.find("\"outcome\":\"rejected\",\"exitStatus\":2"), std::string::npos);
  EXPECT_NE(
      rejected.find("\"messages\":[\"検索条件に * のみは入力できません (SEARCH_STRING1=**)\"]"),
      std::string::npos)
      << rejected;
  EXPECT_NE(rejected.find("\"reports\":[]"), std::string::npos);

  EXPECT_EQ(Search(u"1", {u"--json", u"no/such/folder/x.json"}).status, 1)
      << "a summary that cannot be written fails the command";
}

TEST_F(CliForCi, EachCommandsHelpListsItsSettingKeysAndExitCodes) {
  for (const std::u16string command : {u"diff", u"search", u"objdiff"}) {
    const CliResult result = RunCli({command, u"--help"});
    EXPECT_EQ(result.status, 0);
    EXPECT_NE(result.out.find("setting keys:"), std::string::npos) << ToUtf8(command);
    EXPECT_NE(result.out.find("PAGE_STYLE"), std::string::npos);
    EXPECT_NE(result.out.find("exit codes:"), std::string::npos);
    EXPECT_NE(result.out.find("  3    with --exit-code"), std::string::npos);
  }
  const CliResult diff = RunCli({u"diff", u"--set", u"MODE=FILE", u"--help"});
  EXPECT_NE(diff.out.find("IGNORE_BLANKS"), std::string::npos);
  EXPECT_NE(diff.out.find("SRC_PATH1"), std::string::npos);
  EXPECT_NE(RunCli({u"search", u"--help"}).out.find("SEARCH_STRING1_COND"), std::string::npos);
  EXPECT_EQ(RunCli({u"tree", u"--help"}).status, 0);
  EXPECT_EQ(RunCli({u"nodes", u"--help"}).status, 0);
}

TEST_F(CliForCi, RelativeOutputFolderGivesSummaryLinksThatLeadToThePages) {
  ASSERT_EQ(Diff({}).status, 0);
  // The classic summary links by full path, now the resolved one.
  const std::u16string summary = ScratchFolder::ReadText(root + u"out/index.html");
  EXPECT_NE(summary.find(u"<a href=\"" + root + u"out/A.html\">"), std::u16string::npos);
  EXPECT_NE(summary.find(u"フォルダ１:" + root + u"v1/"), std::u16string::npos);
  EXPECT_FALSE(ScratchFolder::Exists(root + u"out/out/A.html"));
  EXPECT_TRUE(ScratchFolder::Exists(root + u"out/A.html"));
}

TEST(ResolvedPath, JoinsTheWorkingDirectoryAndNormalises) {
  const std::u16string here = PathText(std::filesystem::current_path());
  const std::u16string base = here == u"/" ? u"" : here;
  EXPECT_EQ(cli::ResolvedPath(u""), u"") << "an empty value stays for the input checks";
  EXPECT_EQ(cli::ResolvedPath(u"/abs/./x/"), u"/abs/./x/") << "absolute: as given";
  EXPECT_EQ(cli::ResolvedPath(u"out"), base + u"/out");
  EXPECT_EQ(cli::ResolvedPath(u"out/"), base + u"/out/");
  EXPECT_EQ(cli::ResolvedPath(u"./a/../b/./c/"), base + u"/b/c/");
  EXPECT_EQ(cli::ResolvedPath(u"a/.."), here);
}

}  // namespace
}  // namespace tarnwick
