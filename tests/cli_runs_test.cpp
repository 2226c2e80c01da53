// tarnwick-cli diff, objdiff and nodes, run as the built binary.
#include <gtest/gtest.h>

#include "cli_runner.h"
#include "runs_fixture.h"
#include "sample_reports.h"

namespace tarnwick {
namespace {

using testing::CliResult;
using testing::kUnparsableReport;
using testing::RunCli;
using testing::ScratchFolder;
using testing::SmallReport;

class CliRuns : public ::testing::Test {
 protected:
  CliRuns() {
    v1 = scratch.Folder(u"v1");
    v2 = scratch.Folder(u"v2");
    out = scratch.Folder(u"out");
    scratch.WriteText(u"v1", u"a.txt", SmallReport(u"A", u"1"));
    scratch.WriteText(u"v2", u"a.txt", SmallReport(u"A", u"2"));
  }

  CliResult Diff(std::initializer_list<std::u16string_view> extra = {}) {
    std::vector<std::u16string> sets = {u"SRC_PATH1=" + v1,    u"SRC_PATH2=" + v2,
                                        u"SRC_FILE1=*.txt",    u"SRC_FILE2=*.txt",
                                        u"OUTPUT_PATH=" + out, u"OUTPUT_FILE=Result"};
    std::vector<std::u16string> args = {u"diff"};
    for (const auto& set : sets) {
      args.push_back(u"--set");
      args.push_back(set);
    }
    args.insert(args.end(), extra.begin(), extra.end());
    return RunArgs(args);
  }

  static CliResult RunArgs(const std::vector<std::u16string>& args) { return RunCli(args); }

  ScratchFolder scratch;
  std::u16string v1, v2, out;
};

TEST_F(CliRuns, DiffWritesThePagesAndSaysItFinished) {
  const CliResult result = Diff();
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.err, "終了しました。\n");  // no status lines when stderr is no terminal
  EXPECT_EQ(result.out.rfind("1 pair: 1 different, ", 0), 0u) << result.out;
  EXPECT_NE(ScratchFolder::ReadText(out + u"Result.html").find(u"差異あり"), std::u16string::npos);
  EXPECT_TRUE(ScratchFolder::Exists(out + u"A.html"));
}

TEST_F(CliRuns, SettingsComeFromDefaultsThenTheIniFileThenEachSet) {
  // MODE is folder by default; the ini file sets a wrong output folder that a
  // later --set mends; the last --set of a key wins.
  const auto ini = scratch.Write(
      u"", u"t.ini",
      EncodeCp932(u"OUTPUT_PATH=" + scratch.Folder() + u"nowhere\r\nOUTPUT_FILE=FromIni\r\n"));
  CliResult result = Diff({u"--ini", ini});
  EXPECT_EQ(result.status, 0) << result.err;  // --set after --ini whatever their order
  EXPECT_TRUE(ScratchFolder::Exists(out + u"Result.html"));

  result = RunArgs({u"diff", u"--ini", ini, u"--set", u"SRC_PATH1=" + v1, u"--set",
                    u"SRC_PATH2=" + v2, u"--set", u"SRC_FILE1=*", u"--set", u"SRC_FILE2=*"});
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(result.err, "出力先フォルダが見つかりません (OUTPUT_PATH=" + ToUtf8(scratch.Folder()) +
                            "nowhere)\n");
}

TEST_F(CliRuns, ExitStatusTellsHowTheRunEnded) {
  CliResult result = RunArgs({u"diff"});
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(result.err, "ソース１のフォルダを指定してください (SRC_PATH1=)\n");

  scratch.WriteText(u"v1", u"b.txt", kUnparsableReport);
  result = Diff();
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err.rfind("ソース１のフォーム文章[" + ToUtf8(v1) +
                                 "b.txt]の解析中に、エラーが発生しました。\r\n",
                             0),
            0u)
      << result.err;

  // An input report in the way of a page.
  scratch.WriteText(u"v1", u"A.html", SmallReport(u"H", u"1"));
  result = Diff({u"--set", u"OUTPUT_PATH=" + v1, u"--set", u"SRC_FILE1=*.html"});
  EXPECT_EQ(result.status, 2);
}

TEST_F(CliRuns, WrongUsageExits64) {
  for (const auto& args : std::vector<std::vector<std::u16string>>{
           {u"diff", u"--set", u"NOEQUALS"},
           {u"diff", u"--set", u"NO_SUCH_KEY=1"},
           {u"diff", u"--set"},
           {u"diff", u"--ini", u"/no/such/file.ini"},
           {u"diff", u"--bogus"},
           {u"diff", u"operand"},
           {u"objdiff", u"r1", u"k1", u"r2"},
           {u"nodes"},
           {u"nodes", u"a", u"b"},
       }) {
    const CliResult result = RunArgs(args);
    EXPECT_EQ(result.status, 64) << ToUtf8(args.back());
    EXPECT_FALSE(result.err.empty());
  }
}

TEST_F(CliRuns, NodesListsKeyTextAndPathText) {
  const auto report = scratch.WriteText(u"", u"FORM1.txt", SmallReport(u"F", u"1"));
  CliResult result = RunArgs({u"nodes", report});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out,
            "ROOT\tFORM1\t FORM1\n"
            "ROOT-1\tﾌｫｰﾑ\t FORM1 ﾌｫｰﾑ\n"
            "ROOT-1-1\tF\t FORM1 ﾌｫｰﾑ F\n"
            "ROOT-1-1-2\tブロック\t FORM1 ﾌｫｰﾑ F ブロック\n"
            "ROOT-1-1-2-1\tBLK1\t FORM1 ﾌｫｰﾑ F ブロック BLK1\n");

  result = RunArgs({u"nodes", scratch.Folder() + u"missing.txt"});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.err.rfind("ファイル文章[", 0), 0u);

  // An empty report has no tree: its drop adds the root, then fails without a stage text.
  const auto empty = scratch.WriteText(u"", u"EMPTY.txt", u"");
  result = RunArgs({u"nodes", empty});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.out, "ROOT\tEMPTY\t EMPTY\n");
  EXPECT_EQ(result.err.rfind("エラーが発生しました。", 0), 0u) << result.err;
}

// A name that a terminal would act on (ESC, BEL, the C1 CSI) or that would
// split a line or a field comes out escaped, and a backslash doubled so that
// the escapes read back; everything else is as before.
TEST_F(CliRuns, NodesEscapeControlCharactersAndBackslashes) {
  const auto report = scratch.WriteText(
      u"", u"FORM1.txt", u"* 名前 F\x1B]0;x\a\\\x7F\r\n  ブロック\r\n  * 名前 B\tL\x0B\u0080K\r\n");
  const CliResult result = RunArgs({u"nodes", report});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out,
            "ROOT\tFORM1\t FORM1\n"
            "ROOT-1\tﾌｫｰﾑ\t FORM1 ﾌｫｰﾑ\n"
            "ROOT-1-1\tF\\u001b]0;x\\u0007\\\\\\u007f\t FORM1 ﾌｫｰﾑ F\\u001b]0;x\\u0007\\\\\\u007f\n"
            "ROOT-1-1-1\tブロック\t FORM1 ﾌｫｰﾑ F\\u001b]0;x\\u0007\\\\\\u007f ブロック\n"
            "ROOT-1-1-1-1\tB\\tL\\u000b\\u0080K\t FORM1 ﾌｫｰﾑ F\\u001b]0;x\\u0007\\\\\\u007f "
            "ブロック B\\tL\\u000b\\u0080K\n");
}

TEST_F(CliRuns, ObjDiffSelectsNodesByKey) {
  const auto r1 = scratch.WriteText(u"", u"R1.txt", SmallReport(u"F", u"1"));
  const auto r2 = scratch.WriteText(u"", u"R2.txt", SmallReport(u"F", u"2"));
  const std::u16string setOut = u"OUTPUT_PATH=" + out;
  CliResult result = RunArgs({u"objdiff", u"--set", setOut, u"--set", u"OUTPUT_FILE=Obj", r1,
                              u"ROOT-1-1", r2, u"ROOT-1-1"});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.err, "終了しました。\n");
  const std::u16string page = ScratchFolder::ReadText(out + u"Obj.html");
  EXPECT_EQ(page.rfind(u"<HTML><TABLE>\r\n<tr><td></td><td></td><td></td><td></td><td "
                       u"colspan=\"2\" bgcolor=\"yellow\">" +
                           r1,
                       0),
            0u);

  // A key that does not exist selects nothing, and the message says which.
  result = RunArgs(
      {u"objdiff", u"--set", setOut, u"--set", u"OUTPUT_FILE=Obj", r1, u"ROOT-1-9", r2, u"ROOT-1"});
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(result.err, "ソース１のレポートにオブジェクト[ROOT-1-9]がありません。 (<NODEKEY1>)\n");

  // A report that does not load stops the command.
  const auto bad = scratch.WriteText(u"", u"BAD.txt", kUnparsableReport);
  result = RunArgs(
      {u"objdiff", u"--set", setOut, u"--set", u"OUTPUT_FILE=Obj", r1, u"ROOT-1", bad, u"ROOT-1"});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(
      result.err.rfind("フォーム文章[" + ToUtf8(bad) + "]の解析中に、エラーが発生しました。", 0),
      0u);
}

}  // namespace
}  // namespace tarnwick
