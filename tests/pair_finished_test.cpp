// What the runs tell the window of each pair as they settle it: the same
// status, counts and page the summary row gets, in run order, before the
// next pair starts, and nothing for what the run never reached.
#include <gtest/gtest.h>

#include "diff_run_fixture.h"
#include "sample_reports.h"

namespace tarnwick {
namespace {

using testing::DiffRun;
using testing::FakeWindow;
using testing::ScratchFolder;
using testing::SmallReport;

TEST_F(DiffRun, EachComparedPairReachesTheWindowAsItsSummaryRowIsSettled) {
  const auto a = scratch.WriteText(u"v1", u"a.txt", SmallReport(u"A", u"x"));
  const auto b1 = scratch.WriteText(u"v1", u"b.txt", SmallReport(u"B", u"old"));
  const auto b2 = scratch.WriteText(u"v2", u"b.txt", SmallReport(u"B", u"new"));
  const auto c1 = scratch.WriteText(u"v1", u"c.txt", SmallReport(u"C", u"same"));
  const auto c2 = scratch.WriteText(u"v2", u"c.txt", SmallReport(u"C", u"same"));
  // The pair reported before the progress step that ends it.
  std::vector<std::size_t> finishedAtStep;
  window.onProgress = [&] { finishedAtStep.push_back(window.finished.size()); };

  ASSERT_EQ(ExecDiff(settings, window), RunOutcome::Finished);
  ASSERT_EQ(window.finished.size(), 3u);
  EXPECT_EQ(finishedAtStep, (std::vector<std::size_t>{0, 1, 2, 3}));

  const PairResult& onlyA = window.finished[0];
  EXPECT_EQ(onlyA.name, u"A.TXT");
  EXPECT_EQ(onlyA.status, FileStatus::OnlyIn1);
  EXPECT_EQ(onlyA.path1, a);
  EXPECT_TRUE(onlyA.path2.empty());
  EXPECT_EQ(onlyA.page, Out(u"A.html"));
  EXPECT_EQ(onlyA.counts.objectsRemoved, 1);

  const PairResult& changed = window.finished[1];
  EXPECT_EQ(changed.name, u"B.TXT");
  EXPECT_EQ(changed.status, FileStatus::Different);
  EXPECT_EQ(changed.path1, b1);
  EXPECT_EQ(changed.path2, b2);
  EXPECT_EQ(changed.counts, (ChangeCounts{0, 0, 1, 1, 1, 0, 0}));
  EXPECT_TRUE(changed.failure.empty());

  EXPECT_EQ(window.finished[2].status, FileStatus::Same);
  EXPECT_EQ(window.finished[2].counts, ChangeCounts{});
  EXPECT_EQ(window.finished[2].path1, c1);
  EXPECT_EQ(window.finished[2].path2, c2);
}

TEST_F(DiffRun, APairNeverReachedIsNeverReported) {
  scratch.WriteText(u"v1", u"a.txt", SmallReport(u"A", u"1"));
  scratch.WriteText(u"v1", u"b.txt", SmallReport(u"B", u"1"));
  window.cancelAfter = 1;
  EXPECT_EQ(ExecDiff(settings, window), RunOutcome::Cancelled);
  ASSERT_EQ(window.finished.size(), 1u);
  EXPECT_EQ(window.finished[0].name, u"A.TXT");

  // A run stopped at its input check reports nothing.
  FakeWindow rejected;
  settings.OUTPUT_PATH += u"nowhere/";
  EXPECT_EQ(ExecDiff(settings, rejected), RunOutcome::Rejected);
  EXPECT_TRUE(rejected.finished.empty());
}

TEST_F(DiffRun, FileModeReportsItsOnePairByTheFileNameAndStepsItsProgress) {
  scratch.WriteText(u"v1", u"one.txt", SmallReport(u"A", u"1"));
  scratch.WriteText(u"v2", u"two.txt", SmallReport(u"A", u"2"));
  settings.MODE = CompareMode::File;
  settings.SRC_FILE1 = u"one.txt";
  settings.SRC_FILE2 = u"two.txt";
  settings.OUTPUT_FILE = u"file.html";
  ASSERT_EQ(ExecDiff(settings, window), RunOutcome::Finished);
  ASSERT_EQ(window.finished.size(), 1u);
  EXPECT_EQ(window.finished[0].name, u"one.txt");
  EXPECT_EQ(window.finished[0].status, FileStatus::Different);
  EXPECT_EQ(window.finished[0].page, Out(u"file.html"));
  EXPECT_EQ(window.progress,
            (std::vector<std::pair<std::size_t, std::size_t>>{{0, 3}, {1, 3}, {2, 3}, {3, 3}}));
}

TEST(SearchPairFinished, EachSearchedReportReachesTheWindowWithItsHits) {
  ScratchFolder scratch;
  Settings settings = BaseDefaults();
  settings.SRC_PATH = scratch.Folder(u"src");
  settings.SRC_FILE = u"*.txt";
  settings.OUTPUT_PATH = scratch.Folder(u"out");
  settings.OUTPUT_FILE = u"Result";
  settings.SEARCH_STRING1 = u"受注";
  const auto hit = scratch.WriteText(u"src", u"a.txt", SmallReport(u"A", u"受注入力"));
  scratch.WriteText(u"src", u"b.txt", SmallReport(u"B", u"出荷"));
  FakeWindow window;
  ASSERT_EQ(ExecSearch(settings, window), RunOutcome::Finished);
  ASSERT_EQ(window.finished.size(), 2u);
  EXPECT_EQ(window.finished[0].name, u"A.TXT");
  EXPECT_EQ(window.finished[0].path1, hit);
  EXPECT_EQ(window.finished[0].status, FileStatus::Match);
  EXPECT_EQ(window.finished[0].hits.properties, 1);
  EXPECT_EQ(window.finished[0].hits.lines, 1);
  EXPECT_EQ(window.finished[0].page, settings.OUTPUT_PATH + u"A.html");
  EXPECT_EQ(window.finished[1].status, FileStatus::NoMatch);
  EXPECT_EQ(window.finished[1].hits.properties, 0);
}

}  // namespace
}  // namespace tarnwick
