// tarnwick-cli's dispatch and its `tree` command, run as a process.
#include <gtest/gtest.h>

#include <string>

#include "cli_runner.h"
#include "runs_fixture.h"
#include "text/utf8.h"

namespace tarnwick {
namespace {

using testing::CliResult;
using testing::RunCli;
using testing::ScratchFolder;

class CliTree : public ::testing::Test {
 protected:
  std::u16string WriteReport(std::u16string_view name, std::u16string_view text) {
    return scratch.WriteText(u"", name, text);
  }

  ScratchFolder scratch;
};

TEST_F(CliTree, PrintsTheTreeAsOneLineOfJson) {
  const std::u16string report =
      WriteReport(u"FORM1.TXT", u"* 名前 FORM1\r\n* タイトル \"受注\"\\～①\t/\r\n");
  const CliResult result = RunCli({u"tree", report});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out,
            "[[\"ﾌｫｰﾑ\",[[\"FORM1\",[[\"タイトル\",\"\\\"受注\\\"\\\\～①\\t/\"]]]]]]\n");
  EXPECT_EQ(result.err, "");

  const std::u16string empty = WriteReport(u"EMPTY.TXT", u"");
  EXPECT_EQ(RunCli({u"tree", empty}).out, "null\n");
}

TEST_F(CliTree, FailuresPrintTheStageMessageAndExitOne) {
  const std::u16string bad = WriteReport(u"BAD.TXT", u"* 名前 F\r\n* ブロック\r\n  * 型 X\r\n");
  CliResult result = RunCli({u"tree", bad});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.err, "フォーム文章[" + ToUtf8(bad) + "]の解析中に、エラーが発生しました。\r\n" +
                            "3行目の書式を解析できません。[  * 型 X]\n");

  const std::u16string missing = scratch.Folder() + u"MISSING.TXT";
  result = RunCli({u"tree", missing});
  EXPECT_EQ(result.status, 1);
  EXPECT_TRUE(result.err.starts_with("ファイル文章[" + ToUtf8(missing) +
                                     "]の読み込み中に、エラーが発生しました。\r\n"))
      << result.err;
}

TEST_F(CliTree, WrongUsageExitsSixtyFour) {
  const std::vector<std::vector<std::u16string>> wrong = {
      {}, {u"tree"}, {u"tree", u"a", u"b"}, {u"nosuch", u"x"}, {u"--nosuch"}};
  for (const auto& args : wrong) {
    const CliResult result = RunCli(args);
    EXPECT_EQ(result.status, 64) << args.size();
    EXPECT_NE(result.err.find("tarnwick-cli tree    REPORT"), std::string::npos) << args.size();
  }
}

TEST_F(CliTree, HelpAndVersion) {
  CliResult result = RunCli({u"--version"});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out, std::string("tarnwick-cli ") + TARNWICK_VERSION + "\n");
  result = RunCli({u"--help"});
  EXPECT_EQ(result.status, 0);
  EXPECT_NE(result.out.find("tarnwick-cli tree    REPORT\n"), std::string::npos);
  EXPECT_NE(result.out.find("tarnwick-cli --help | --version\n"), std::string::npos);
}

}  // namespace
}  // namespace tarnwick
