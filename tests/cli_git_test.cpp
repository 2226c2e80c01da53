// Reports in a real git repository: tarnwick-cli as git's diff driver, its
// textconv and difftool, and the diff command's text and Markdown views.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "cli_runner.h"
#include "runs_fixture.h"
#include "sample_reports.h"
#include "text/utf8.h"

namespace tarnwick {
namespace {

using testing::CliResult;
using testing::RunCli;
using testing::ScratchFolder;
using testing::SmallReport;

std::string Quoted(std::string_view text) {
  std::string out = "'";
  for (const char c : text) {
    if (c == '\'') {
      out += "'\\''";
    } else {
      out += c;
    }
  }
  return out + "'";
}

// What a shell command prints on standard output.
std::string CommandOutput(const std::string& command) {
  std::string out;
  if (FILE* pipe = ::popen(command.c_str(), "r")) {
    char buffer[4096];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, got);
    ::pclose(pipe);
  }
  return out;
}

// git in `folder` with its output, isolated from the user's and the system's
// configuration.
std::string Git(std::u16string_view folder, std::string_view args) {
  return CommandOutput("cd " + Quoted(ToUtf8(folder)) +
                       " && GIT_CONFIG_NOSYSTEM=1 HOME=. GIT_PAGER_IN_USE= git "
                       "-c user.name=t -c user.email=t@example.com "
                       "-c core.pager=cat " +
                       std::string(args) + " 2>&1");
}

std::string Cli() {
  return Quoted(TARNWICK_CLI_PATH);
}

// A report of module F whose block BLK1 has 問合せ可能 `queryable`.
std::u16string Report(std::u16string_view queryable) {
  std::u16string text = SmallReport(u"F", u"受注");
  text.replace(text.find(u"はい"), 2, queryable);
  return text;
}

class CliGit : public ::testing::Test {
 protected:
  void SetUp() override {
    repo = scratch.Folder(u"repo");
    Git(repo, "init -q");
    scratch.Write(u"repo", u".gitattributes", "*.txt diff=tarnwick\n");
    scratch.WriteText(u"repo", u"F.txt", Report(u"はい"));
    Git(repo, "add . && git -c user.name=t -c user.email=t@example.com commit -qm one");
    scratch.WriteText(u"repo", u"F.txt", Report(u"いいえ"));
    Git(repo, "commit -qam two");
  }

  ScratchFolder scratch;
  std::u16string repo;
};

TEST_F(CliGit, GitDiffWithTheDriverShowsTheChangedPropertyAndNothingElse) {
  const std::string driver = "-c diff.tarnwick.command=" + Quoted(Cli() + " git-diff");
  EXPECT_EQ(Git(repo, driver + " diff HEAD~1 HEAD"),
            "--- a/F.txt\n"
            "+++ b/F.txt\n"
            "F/ブロック/BLK1\n"
            "    問合せ可能: はい → いいえ\n"
            "オブジェクト: 追加 0・削除 0・変更 1　行: 追加 1・削除 1\n\n");

  // The first commit adds the report: git passes /dev/null for side 1.
  const std::string log = Git(repo, driver + " log -p --ext-diff --format=%s");
  const std::size_t added = log.find("--- /dev/null\n+++ b/F.txt\n");
  ASSERT_NE(added, std::string::npos) << log;
  EXPECT_NE(log.find("+ F（追加）\n  + タイトル: 受注\n", added), std::string::npos) << log;
  EXPECT_NE(log.find("    問合せ可能: はい → いいえ\n"), std::string::npos);

  // The driver reads its reports in the encoding chosen for them.
  const std::string latin =
      "-c diff.tarnwick.command=" + Quoted(Cli() + " git-diff --set REPORT_ENCODING=WINDOWS-1252");
  const std::string misread = Git(repo, latin + " diff HEAD~1 HEAD");
  EXPECT_EQ(misread.find("問合せ可能"), std::string::npos) << misread;
}

TEST_F(CliGit, GitDiffTakesTheIgnoreRulesAndRefusesABadRuleFile) {
  scratch.Write(u"", u"rules.txt", "問合せ*\n");
  const std::string ruled =
      "-c diff.tarnwick.command=" +
      Quoted(Cli() + " git-diff --ignore " + Quoted(ToUtf8(scratch.Folder() + u"rules.txt")));
  EXPECT_EQ(Git(repo, ruled + " diff HEAD~1 HEAD"),
            "--- a/F.txt\n"
            "+++ b/F.txt\n"
            "F/ブロック/BLK1\n"
            "    （無視） 問合せ可能: はい → いいえ\n"
            "オブジェクト: 追加 0・削除 0・変更 0　行: 追加 0・削除 0\n\n");
  scratch.Write(u"", u"bad.txt", "a: b: c\n");
  const testing::CliResult bad =
      testing::RunCli({u"git-diff", u"--ignore", scratch.Folder() + u"bad.txt", u"F.txt",
                       repo + u"F.txt", u"0", u"100644", repo + u"F.txt", u"0", u"100644"});
  EXPECT_EQ(bad.status, 2) << bad.err;
  EXPECT_NE(bad.err.find("IGNORE_FILE="), std::string::npos) << bad.err;
}

TEST_F(CliGit, TextconvGivesPlainGitDiffStableLinesWithObjectPaths) {
  const std::string textconv = "-c diff.tarnwick.textconv=" + Quoted(Cli() + " textconv");
  const std::string diff = Git(repo, textconv + " diff HEAD~1 HEAD");
  EXPECT_NE(diff.find("\n-F/ブロック/BLK1/問合せ可能: はい\n+F/ブロック/BLK1/問合せ可能: いいえ\n"),
            std::string::npos)
      << diff;
  EXPECT_NE(Git(repo, textconv + " grep --textconv -n 問合せ可能 HEAD~1 -- F.txt")
                .find("HEAD~1:F.txt:4:F/ブロック/BLK1/問合せ可能: はい"),
            std::string::npos);

  const std::u16string report = repo + u"F.txt";
  const CliResult once = RunCli({u"textconv", report});
  EXPECT_EQ(once.status, 0);
  EXPECT_EQ(once.out,
            "ブロック・項目:\n    BLK1\nF/タイトル: 受注\nF/ブロック/BLK1/問合せ可能: いいえ\n");
  EXPECT_EQ(RunCli({u"textconv", report}).out, once.out);

  // An English team heads the outline in English; the reports' lines stay as they are.
  const CliResult english = RunCli({u"textconv", u"--set", u"UI_LANGUAGE=EN", report});
  EXPECT_EQ(english.out,
            "Blocks and items:\n    BLK1\nF/タイトル: 受注\nF/ブロック/BLK1/問合せ可能: いいえ\n");
  // Read as chosen: as Windows-1252 each byte of the Japanese text is a character.
  const CliResult latin = RunCli({u"textconv", u"--set", u"REPORT_ENCODING=WINDOWS-1252", report});
  EXPECT_EQ(latin.out.find("受注"), std::string::npos) << latin.out;

  EXPECT_EQ(RunCli({u"textconv", repo + u"missing.txt"}).status, 1);
  const CliResult missing =
      RunCli({u"textconv", u"--set", u"UI_LANGUAGE=EN", repo + u"missing.txt"});
  EXPECT_EQ(missing.status, 1);
  EXPECT_NE(missing.err.find("The file or folder was not found"), std::string::npos) << missing.err;
  EXPECT_EQ(RunCli({u"textconv"}).status, 64);
  EXPECT_EQ(RunCli({u"textconv", u"--set", u"NOSUCH=1", report}).status, 64);
}

TEST_F(CliGit, DifftoolWritesAReviewPageOfTheTwoReports) {
  const std::u16string old = scratch.WriteText(u"old", u"F.txt", Report(u"はい"));
  CliResult result = RunCli({u"difftool", u"--no-open", old, repo + u"F.txt"});
  ASSERT_EQ(result.status, 0) << result.err;
  ASSERT_FALSE(result.out.empty());
  const std::u16string page = FromUtf8(result.out.substr(0, result.out.size() - 1));
  EXPECT_TRUE(page.ends_with(u"F.txt.html"));
  const std::string html = ScratchFolder::Read(page);
  EXPECT_NE(html.find("<h1>比較結果"), std::string::npos);
  EXPECT_NE(html.find("問合せ可能"), std::string::npos);
  std::filesystem::remove_all(std::filesystem::path(ToUtf8(page)).parent_path());

  result = RunCli({u"difftool", u"--no-open", u"/dev/null", repo + u"F.txt"});
  EXPECT_EQ(result.status, 0) << result.err;
  std::filesystem::remove_all(
      std::filesystem::path(result.out.substr(0, result.out.size() - 1)).parent_path());
  EXPECT_EQ(RunCli({u"difftool", u"--no-open", old}).status, 64);
}

class CliViews : public ::testing::Test {
 protected:
  void SetUp() override {
    scratch.WriteText(u"v1", u"F.txt", Report(u"はい"));
    scratch.WriteText(u"v2", u"F.txt", Report(u"いいえ"));
    scratch.WriteText(u"v1", u"G.txt", Report(u"はい"));
    scratch.WriteText(u"v2", u"G.txt", Report(u"はい"));
  }
  CliResult Diff(std::vector<std::u16string> args) {
    for (const std::u16string& set :
         {u"SRC_PATH1=" + scratch.Folder(u"v1"), u"SRC_PATH2=" + scratch.Folder(u"v2"),
          std::u16string(u"SRC_FILE1=*.txt"), std::u16string(u"SRC_FILE2=*.txt")}) {
      args.insert(args.end(), {u"--set", set});
    }
    args.insert(args.begin(), u"diff");
    return RunCli(args);
  }

  ScratchFolder scratch;
};

// What `command` prints when its standard output is a terminal.
std::string OnATerminal(const std::string& command) {
  return CommandOutput("script -qec " + Quoted(command) + " /dev/null < /dev/null");
}

TEST_F(CliGit, TheTextViewIsColouredOnATerminalUnlessNoColorIsSet) {
  Git(repo, "show HEAD~1:F.txt > old.txt");
  const auto gitDiff = [&](std::string_view options) {
    return Cli() + " git-diff " + std::string(options) + " F.txt " +
           Quoted(ToUtf8(repo + u"old.txt")) + " 0 100644 " + Quoted(ToUtf8(repo + u"F.txt")) +
           " 0 100644";
  };
  const std::string coloured = OnATerminal(gitDiff(""));
  ASSERT_NE(coloured.find("問合せ可能"), std::string::npos) << coloured;
  EXPECT_NE(coloured.find("\x1b["), std::string::npos) << coloured;
  const std::string plain = OnATerminal("NO_COLOR=1 " + gitDiff(""));
  ASSERT_NE(plain.find("問合せ可能"), std::string::npos) << plain;
  EXPECT_EQ(plain.find("\x1b["), std::string::npos) << plain;
  // Asked for, it is coloured all the same.
  EXPECT_NE(OnATerminal("NO_COLOR=1 " + gitDiff("--color=always")).find("\x1b["),
            std::string::npos);
}

TEST_F(CliViews, FormatTextPrintsTheViewAndWritesNoPageWithoutAnOutputFolder) {
  CliResult result = Diff({u"--format", u"text", u"--exit-code"});
  EXPECT_EQ(result.status, 3) << result.err;
  EXPECT_EQ(result.out, "--- " + ToUtf8(scratch.Folder(u"v1")) + "F.txt\n+++ " +
                            ToUtf8(scratch.Folder(u"v2")) +
                            "F.txt\nF/ブロック/BLK1\n    問合せ可能: はい → いいえ\n"
                            "オブジェクト: 追加 0・削除 0・変更 1　行: 追加 1・削除 1\n\n");
  // Standard output holds the view alone; the totals go beside the messages.
  EXPECT_EQ(result.err,
            "終了しました。\n2 pairs: 1 different, 1 same; objects: 0 added, 0 removed, 1 changed; "
            "lines: 1 added, 1 removed; no pages written\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(ToUtf8(scratch.Folder())),
                          std::filesystem::directory_iterator()),
            2)
      << "only v1 and v2";

  // Colour when asked; with an output folder the pages come too.
  const std::u16string out = scratch.Folder(u"out");
  result = Diff({u"--format=text", u"--color=always", u"--set", u"OUTPUT_PATH=" + out, u"--set",
                 u"OUTPUT_FILE=summary"});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_NE(result.out.find("\x1b[31mはい\x1b[m → \x1b[32mいいえ\x1b[m"), std::string::npos);
  EXPECT_TRUE(ScratchFolder::Exists(out + u"F.html"));
  EXPECT_TRUE(ScratchFolder::Exists(out + u"summary.html"));

  EXPECT_EQ(Diff({u"--format", u"html"}).status, 64);
  EXPECT_EQ(Diff({u"--color=sometimes"}).status, 64);
  EXPECT_EQ(RunCli({u"search", u"--format", u"text"}).status, 64);
  EXPECT_EQ(RunCli({u"objdiff", u"--format", u"text", u"a", u"b", u"c", u"d"}).status, 64);
}

TEST_F(CliViews, FormatMarkdownSumsUpTheRunAndKeepsTheJsonAndExitCode) {
  const std::u16string json = scratch.Folder() + u"run.json";
  const CliResult result = Diff({u"--format", u"markdown", u"--exit-code", u"--json", json});
  EXPECT_EQ(result.status, 3) << result.err;
  EXPECT_TRUE(
      result.out.starts_with("### 比較結果\n\n比較したペア **2**・差異あり **1**・一致 **1**"))
      << result.out;
  EXPECT_NE(result.out.find("| `F.TXT` | 差異あり | 0 | 0 | 1 | +1 −1 |\n"), std::string::npos);
  EXPECT_NE(result.out.find("- `問合せ可能`: `はい` → `いいえ`\n"), std::string::npos);
  EXPECT_EQ(result.out.find("G.TXT"), std::string::npos) << "equal pairs are only counted";
  EXPECT_NE(ScratchFolder::Read(json).find("\"exitStatus\":3"), std::string::npos);
}

}  // namespace
}  // namespace tarnwick
