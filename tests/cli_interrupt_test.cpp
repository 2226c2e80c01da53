// SIGINT and SIGTERM sent to the built tarnwick-cli during a folder
// comparison: the run stops before its next pair (a second signal: where it
// is), leaves a consistent summary page and exits 130 listing what it did
// not reach.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "cli_process_posix.h"
#include "generated_folders.h"
#include "runs_fixture.h"

namespace tarnwick {
namespace {

using testing::CliProcess;
using testing::CliResult;
using testing::ScratchFolder;
using testing::WaitUntil;

constexpr int kPairs = 30;

class CliInterrupt : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    folders_ = new ScratchFolder;
    testing::WriteGeneratedPairs(folders_->Folder(u"v1"), folders_->Folder(u"v2"), kPairs, 200000);
  }
  static void TearDownTestSuite() {
    delete folders_;
    folders_ = nullptr;
  }

  CliInterrupt() : out(scratch.Folder(u"out")) {}

  std::vector<std::u16string> DiffArgs() const {
    return {u"diff",
            u"--set",
            u"SRC_PATH1=" + folders_->Folder(u"v1"),
            u"--set",
            u"SRC_PATH2=" + folders_->Folder(u"v2"),
            u"--set",
            u"SRC_FILE1=*.txt",
            u"--set",
            u"SRC_FILE2=*.txt",
            u"--set",
            u"OUTPUT_PATH=" + out,
            u"--set",
            u"OUTPUT_FILE=index.html"};
  }

  // Starts the run and stops the process (SIGSTOP) once its first pair page
  // is written, so that the signals below arrive in mid-run however loaded
  // the machine is.
  void StartAndHoldAfterFirstPage(CliProcess& cli) {
    ASSERT_TRUE(cli.Started());
    ASSERT_TRUE(
        WaitUntil([&] { return ScratchFolder::Exists(out + u"FORM0001.html") || !cli.Running(); }));
    cli.Signal(SIGSTOP);
    ASSERT_TRUE(cli.Running()) << "the run ended before it could be interrupted";
  }

  static ScratchFolder* folders_;
  ScratchFolder scratch;
  std::u16string out;
};

ScratchFolder* CliInterrupt::folders_ = nullptr;

TEST_F(CliInterrupt, ASignalStopsBeforeTheNextPairWithAConsistentSummary) {
  for (const int signal : {SIGINT, SIGTERM}) {
    SCOPED_TRACE(signal == SIGINT ? "SIGINT" : "SIGTERM");
    std::filesystem::remove_all(NativePath(out));
    std::filesystem::create_directories(NativePath(out));
    CliProcess cli(DiffArgs());
    StartAndHoldAfterFirstPage(cli);
    cli.Signal(signal);
    cli.Signal(SIGCONT);
    const CliResult result = cli.Wait();
    EXPECT_EQ(result.status, 130) << result.err;

    // Every row is either done, with its page whole, or "未処理" without a
    // page; stderr names exactly the "未処理" ones.
    const std::u16string summary = ScratchFolder::ReadText(out + u"index.html");
    ASSERT_TRUE(summary.ends_with(u"</TABLE></HTML>\r\n"));
    EXPECT_NE(summary.find(u"<tr><td colspan=\"3\">中止しました："), std::u16string::npos);
    std::set<std::string> unprocessed;
    int done = 0;
    for (int i = 1; i <= kPairs; ++i) {
      std::string number = std::to_string(i);
      const std::string name = "FORM" + std::string(4 - number.size(), '0') + number;
      const std::u16string row = u"<tr><td>" + FromUtf8(name) + u".TXT</td><td>";
      const std::size_t at = summary.find(row);
      ASSERT_NE(at, std::u16string::npos) << name;
      const std::u16string page = out + FromUtf8(name) + u".html";
      if (summary.compare(at + row.size(), 3, u"未処理") == 0) {
        unprocessed.insert(name + ".TXT");
        EXPECT_FALSE(ScratchFolder::Exists(page)) << name;
      } else {
        ++done;
        EXPECT_TRUE(ScratchFolder::ReadText(page).ends_with(u"</TABLE></HTML>\r\n")) << name;
      }
    }
    EXPECT_GE(done, 1);
    EXPECT_FALSE(unprocessed.empty());
    const std::string head = "中止しました。\ntarnwick-cli: interrupted; not reached (" +
                             std::to_string(unprocessed.size()) + "):\n";
    ASSERT_EQ(result.err.rfind(head, 0), 0u) << result.err;
    std::string listed;
    for (const std::string& name : unprocessed) listed += "  " + name + "\n";
    EXPECT_EQ(result.err.substr(head.size()), listed);
  }
}

TEST_F(CliInterrupt, ASecondSignalStopsMidPairAndStillCleansUpAndWritesTheJson) {
  const std::u16string json = scratch.Folder() + u"run.json";
  std::vector<std::u16string> args = DiffArgs();
  args.insert(args.end(), {u"--json", json, u"--set", u"PAGE_STYLE=REVIEW"});
  CliProcess cli(args);
  StartAndHoldAfterFirstPage(cli);
  cli.Signal(SIGINT);
  cli.Signal(SIGTERM);
  cli.Signal(SIGCONT);
  const CliResult result = cli.Wait();
  EXPECT_EQ(result.status, 130) << result.err;
  EXPECT_EQ(result.err.rfind("中止しました。\ntarnwick-cli: interrupted; not reached (", 0), 0u)
      << result.err;
  const std::string data = ScratchFolder::Read(json);
  EXPECT_EQ(data.rfind("{\"command\":\"diff\",\"outcome\":\"cancelled\",\"exitStatus\":130", 0), 0u)
      << data;
  // Stopped mid-pair, the summary still says it was cancelled, and when.
  const std::string summary = ScratchFolder::Read(out + u"index.html");
  EXPECT_NE(summary.find("<p class=\"stamp\"><strong>中止しました："), std::string::npos)
      << summary;
  // The page of the pair it was in is not there, nor its temporary file.
  for (const std::string& name : ScratchFolder::Names(out)) {
    EXPECT_FALSE(name.ends_with(".tmp")) << name;
  }
}

TEST_F(CliInterrupt, AThirdSignalEndsTheProcessAtOnce) {
  CliProcess cli(DiffArgs());
  StartAndHoldAfterFirstPage(cli);
  // Three kinds, as signals of one kind pending together arrive as one.
  cli.Signal(SIGINT);
  cli.Signal(SIGTERM);
  cli.Signal(SIGHUP);
  cli.Signal(SIGCONT);
  const CliResult result = cli.Wait();
  EXPECT_EQ(result.status, -1);
  EXPECT_NE(result.signal, 0);
}

}  // namespace
}  // namespace tarnwick
