// tarnwick-cli's dispatch and its `tree` command, run as a process.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "text/cp932.h"

namespace tarnwick {
namespace {

struct Outcome {
  int status;
  std::string out;
  std::string err;
};

class CliTree : public testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::path(testing::TempDir()) /
           ("tarnwick_cli_tree_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  std::string WriteReport(const std::string& name, std::u16string_view text) {
    const std::filesystem::path path = dir_ / name;
    const std::string bytes = EncodeCp932(text);
    std::ofstream(path, std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return path.string();
  }

  // Arguments are single-quoted for the shell; none of ours holds a quote.
  Outcome Run(const std::string& args) {
    const std::string out = (dir_ / "stdout").string();
    const std::string err = (dir_ / "stderr").string();
    const std::string command =
        std::string("'") + TARNWICK_CLI_PATH + "' " + args + " >'" + out + "' 2>'" + err + "'";
    const int raw = std::system(command.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, Slurp(out), Slurp(err)};
  }

  static std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream all;
    all << in.rdbuf();
    return all.str();
  }

  std::filesystem::path dir_;
};

TEST_F(CliTree, PrintsTheTreeAsOneLineOfJson) {
  const std::string report =
      WriteReport("FORM1.TXT", u"* 名前 FORM1\r\n* タイトル \"受注\"\\～①\t/\r\n");
  const Outcome outcome = Run("tree '" + report + "'");
  EXPECT_EQ(outcome.status, 0);
  EXPECT_EQ(outcome.out,
            "[[\"ﾌｫｰﾑ\",[[\"FORM1\",[[\"タイトル\",\"\\\"受注\\\"\\\\～①\\t/\"]]]]]]\n");
  EXPECT_EQ(outcome.err, "");

  const std::string empty = WriteReport("EMPTY.TXT", u"");
  EXPECT_EQ(Run("tree '" + empty + "'").out, "null\n");
}

TEST_F(CliTree, FailuresPrintTheStageMessageAndExitOne) {
  const std::string bad = WriteReport("BAD.TXT", u"* 名前 F\r\n* ブロック\r\n  * 型 X\r\n");
  Outcome outcome = Run("tree '" + bad + "'");
  EXPECT_EQ(outcome.status, 1);
  EXPECT_EQ(outcome.out, "");
  EXPECT_EQ(outcome.err, "フォーム文章[" + bad + "]の解析中に、エラーが発生しました。\r\n" +
                             "3行目の書式を解析できません。[  * 型 X]\n");

  const std::string missing = (dir_ / "MISSING.TXT").string();
  outcome = Run("tree '" + missing + "'");
  EXPECT_EQ(outcome.status, 1);
  EXPECT_EQ(outcome.err.rfind(
                "ファイル文章[" + missing + "]の読み込み中に、エラーが発生しました。\r\n", 0),
            0u)
      << outcome.err;
}

TEST_F(CliTree, WrongUsageExitsSixtyFour) {
  for (const char* args : {"", "tree", "tree a b", "nosuch x", "--nosuch"}) {
    const Outcome outcome = Run(args);
    EXPECT_EQ(outcome.status, 64) << args;
    EXPECT_NE(outcome.err.find("tarnwick-cli tree    REPORT"), std::string::npos) << args;
  }
}

TEST_F(CliTree, HelpAndVersion) {
  Outcome outcome = Run("--version");
  EXPECT_EQ(outcome.status, 0);
  EXPECT_EQ(outcome.out, std::string("tarnwick-cli ") + TARNWICK_VERSION + "\n");
  outcome = Run("--help");
  EXPECT_EQ(outcome.status, 0);
  EXPECT_NE(outcome.out.find("tarnwick-cli tree    REPORT\n"), std::string::npos);
  EXPECT_NE(outcome.out.find("tarnwick-cli --help | --version\n"), std::string::npos);
}

}  // namespace
}  // namespace tarnwick
