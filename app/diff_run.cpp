// The file and folder comparison run behind the Execute button of the first
// page. It plans (lists and pairs the reports, names every page), checks
// that no page would replace an input, then compares pair after pair,
// keeping the summary page up to date in folder mode.
#include <exception>
#include <future>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/file_list.h"
#include "app/report_loader.h"
#include "app/review_output.h"
#include "app/runs.h"
#include "app/start_stamp.h"
#include "app/summary_page.h"
#include "app/validation.h"
#include "base/error.h"
#include "diff/change_counts.h"
#include "diff/classic_rows.h"
#include "diff/form_diff.h"
#include "diff/html_table.h"
#include "files/file_system.h"
#include "files/paths.h"
#include "pages/page_file.h"
#include "pages/page_names.h"
#include "review/review_compare.h"
#include "text/decimal.h"

namespace tarnwick {

namespace {

// One pair of the run: where its reports are and where its page goes.
struct PairPlan {
  std::u16string path1;  // empty when side 1 is absent
  std::u16string path2;
  std::u16string page;
};

// Everything a comparison run will do, settled before anything is written.
struct DiffPlan {
  bool fileMode = false;
  std::u16string folder1;  // each ending in a separator
  std::u16string folder2;
  std::u16string outFolder;
  std::u16string summaryPath;    // folder mode only
  std::vector<FileEntry> files;  // folder mode only; entry i belongs to pair i
  std::vector<PairPlan> pairs;
  std::vector<std::pair<bool, ChangeCounts>> results;  // of the pairs done, in order

  std::vector<std::u16string> Pages() const {
    std::vector<std::u16string> pages;
    if (!fileMode) pages.push_back(summaryPath);
    for (const PairPlan& pair : pairs) pages.push_back(pair.page);
    return pages;
  }
  std::vector<std::u16string> Inputs() const {
    std::vector<std::u16string> inputs;
    for (const PairPlan& pair : pairs) {
      if (!pair.path1.empty()) inputs.push_back(pair.path1);
      if (!pair.path2.empty()) inputs.push_back(pair.path2);
    }
    return inputs;
  }
};

DiffPlan FoldersOf(const Settings& settings) {
  DiffPlan plan;
  plan.fileMode = settings.MODE == CompareMode::File;  // none works as folder
  plan.folder1 = WithTrailingSeparator(settings.SRC_PATH1);
  plan.folder2 = WithTrailingSeparator(settings.SRC_PATH2);
  plan.outFolder = WithTrailingSeparator(settings.OUTPUT_PATH);
  return plan;
}

// The checks of the run itself, after the boxes are known to be filled.
std::optional<std::u16string_view> FailedRunCheck(const Settings& settings, const DiffPlan& plan) {
  if (!IsFolder(plan.folder1)) return u"ソース１のフォルダが見つかりません";
  if (!IsFolder(plan.folder2)) return u"ソース２のフォルダが見つかりません";
  if (!IsFolder(plan.outFolder)) return u"出力先フォルダが見つかりません";
  if (plan.fileMode && !IsPlainFile(plan.folder1 + settings.SRC_FILE1))
    return u"ソースファイル１が見つかりません";
  if (plan.fileMode && !IsPlainFile(plan.folder2 + settings.SRC_FILE2))
    return u"ソースファイル２が見つかりません";
  if (settings.OUTPUT_FILE.empty()) return u"結果出力ファイル名を入力してください";
  return std::nullopt;
}

// Lists and pairs the reports and names every page. Throws when a folder
// cannot be listed.
void PlanPairs(const Settings& settings, DiffPlan& plan) {
  PageNames names;
  if (plan.fileMode) {
    plan.pairs.push_back({plan.folder1 + settings.SRC_FILE1, plan.folder2 + settings.SRC_FILE2,
                          names.Allocate(PagePathIn(plan.outFolder, settings.OUTPUT_FILE, true))});
    return;
  }
  CollectFiles(plan.folder1, settings.SRC_FILE1, ListSide::First, plan.files);
  CollectFiles(plan.folder2, settings.SRC_FILE2, ListSide::Second, plan.files);
  SortFiles(plan.files);
  plan.summaryPath = names.Allocate(SummaryPagePath(plan.outFolder, settings.OUTPUT_FILE));
  for (FileEntry& entry : plan.files) {
    entry.resultPath = names.Allocate(PagePathIn(plan.outFolder, entry.name, false));
    plan.pairs.push_back({entry.in1 ? plan.folder1 + entry.listedName1 : std::u16string(),
                          entry.in2 ? plan.folder2 + entry.listedName2 : std::u16string(),
                          entry.resultPath});
  }
}

// One side's tree, or where loading it failed.
struct LoadedSide {
  CollectionPtr tree;
  std::exception_ptr error;
  std::u16string stage;  // the stage at the failure
};

// A side without its file gets a blank tree. With a window the structure
// viewer may show the tree; without one this may run on any thread.
LoadedSide LoadSide(const std::u16string& path, WindowOps* window) {
  LoadedSide loaded;
  try {
    if (path.empty()) {
      loaded.tree = BlankTree();
    } else {
      loaded.tree =
          window ? LoadReport(path, loaded.stage, *window) : ParseReportFile(path, loaded.stage);
    }
  } catch (...) {
    loaded.error = std::current_exception();
  }
  return loaded;
}

// The two trees of one pair, or the first failure in side order.
struct LoadedPair {
  LoadedSide side1;
  LoadedSide side2;
  const LoadedSide* Failure() const {
    return side1.error ? &side1 : side2.error ? &side2 : nullptr;
  }
};

// Side 1, then side 2 only when side 1 loaded, as the window does it.
LoadedPair LoadPair(const PairPlan& pair, WindowOps& window) {
  LoadedPair loaded;
  loaded.side1 = LoadSide(pair.path1, &window);
  if (!loaded.side1.error) loaded.side2 = LoadSide(pair.path2, &window);
  return loaded;
}

// Both sides of a pair loading on threads of their own.
struct PairAhead {
  std::future<LoadedSide> side1;
  std::future<LoadedSide> side2;

  explicit PairAhead(const PairPlan& pair)
      : side1(std::async(std::launch::async, [&pair] { return LoadSide(pair.path1, nullptr); })),
        side2(std::async(std::launch::async, [&pair] { return LoadSide(pair.path2, nullptr); })) {}

  LoadedPair Get() {
    LoadedPair loaded;
    loaded.side1 = side1.get();
    loaded.side2 = side2.get();
    return loaded;
  }
};

const Collection& RequireTree(const CollectionPtr& tree, std::u16string_view path) {
  if (!tree) {
    throw Error(kGeneralErrorNumber,
                u"レポート[" + std::u16string(path) + u"]にオブジェクトがありません。");
  }
  return *tree;
}

struct PairResult {
  bool diffFound = false;
  ChangeCounts counts;
};

// Compares one loaded pair and writes its page in the settings' style.
PairResult ComparePair(const PairPlan& pair, LoadedPair loaded, std::u16string_view compareStage,
                       std::u16string_view heading, const Settings& settings,
                       std::u16string& stage) {
  if (const LoadedSide* failure = loaded.Failure()) {
    stage = failure->stage;
    std::rethrow_exception(failure->error);
  }
  stage = compareStage;
  PairResult result;
  const bool review = settings.PAGE_STYLE == PageStyle::Review;
  const CompareOptions options = CompareOptionsOf(settings);
  HTMLTblCls table;
  ClassicCompareRows classic(table);
  ReviewComparePage reviewPage(options);
  ChangeCounter counter(review ? static_cast<CompareEvents&>(reviewPage) : classic);
  MakeFormDiff(RequireTree(loaded.side1.tree, pair.path1),
               RequireTree(loaded.side2.tree, pair.path2), pair.path1, pair.path2, counter,
               result.diffFound, settings.DIFF_ONLY, options);
  loaded = LoadedPair();
  result.counts = counter.Counts();
  stage.clear();

  stage = u"ファイル[" + pair.page + u"]の出力中に、";
  if (review) {
    WriteUtf8Page(pair.page, reviewPage.Page(heading, result.counts, result.diffFound));
  } else {
    WritePage(pair.page, kComparisonPageHead, table.sStr());
  }
  stage.clear();
  return result;
}

FileStatus PairStatus(const FileEntry& entry, bool diffFound) {
  if (!entry.in2) return FileStatus::OnlyIn1;
  if (!entry.in1) return FileStatus::OnlyIn2;
  return diffFound ? FileStatus::Different : FileStatus::Same;
}

// Compares pair after pair into its page; in folder mode writes the summary
// page first with every report "未処理" and again after every pair. Returns
// how many pairs were compared: fewer than all when a cancel stopped it.
std::size_t ComparePairs(DiffPlan& plan, std::u16string_view stamp, const Settings& settings,
                         WindowOps& window, std::u16string& stage) {
  WaitCursor cursor(window);
  std::vector<FileEntry>& files = plan.files;
  const std::vector<PairPlan>& pairs = plan.pairs;
  if (!plan.fileMode) {
    WriteRunSummary(settings, plan.summaryPath, stamp, plan.folder1, plan.folder2, files);
  }
  window.SetStatusText(u"");
  const std::u16string count = DecimalText(static_cast<std::int64_t>(pairs.size()));
  // Reading and parsing touch no page and pages never overwrite inputs, so
  // both sides of the next pair load on threads of their own while this
  // pair is compared and written. Errors still surface in run order. The
  // structure viewer needs the window, so with it the run is sequential.
  const bool prefetch = !window.StructureViewerEnabled();
  std::unique_ptr<PairAhead> ahead;
  if (prefetch && !pairs.empty()) ahead = std::make_unique<PairAhead>(pairs[0]);
  // File mode has one pair of unknown length: busy, without a count.
  const std::size_t total = plan.fileMode ? 0 : pairs.size();
  window.SetProgress(0, total);
  for (std::size_t i = 0; i < pairs.size(); ++i) {
    // The summary already shows every pair from here on as "未処理".
    if (window.CancelRequested()) return i;
    std::u16string compareStage = u"フォーム文章の差分作成中に、";
    if (!plan.fileMode) {
      window.SetStatusText(DecimalText(static_cast<std::int64_t>(i + 1)) + u"/" + count + u":" +
                           files[i].name);
      window.Repaint();
      compareStage = u"フォーム文章[" + files[i].name + u"]の差分作成中に、";
    }
    window.Repaint();
    LoadedPair loaded = prefetch ? ahead->Get() : LoadPair(pairs[i], window);
    ahead.reset();
    if (prefetch && !loaded.Failure() && i + 1 < pairs.size()) {
      ahead = std::make_unique<PairAhead>(pairs[i + 1]);
    }
    const std::u16string heading =
        plan.fileMode ? settings.SRC_FILE1 + u" ↔ " + settings.SRC_FILE2 : files[i].name;
    const PairResult result =
        ComparePair(pairs[i], std::move(loaded), compareStage, heading, settings, stage);
    plan.results.push_back({result.diffFound, result.counts});
    if (!plan.fileMode) {
      files[i].status = PairStatus(files[i], result.diffFound);
      files[i].counts = result.counts;
      WriteRunSummary(settings, plan.summaryPath, stamp, plan.folder1, plan.folder2, files);
    }
    window.SetProgress(i + 1, total);
  }
  return pairs.size();
}

// The pairs from `done` on: their names in folder mode, the side 1 report in
// file mode.
std::vector<std::u16string> NotReached(const DiffPlan& plan, std::size_t done) {
  std::vector<std::u16string> names;
  for (std::size_t i = done; i < plan.pairs.size(); ++i) {
    names.push_back(plan.fileMode ? plan.pairs[i].path1 : plan.files[i].name);
  }
  return names;
}

// What the run did, pair by pair, for the command line.
void RecordPairs(const DiffPlan& plan, const Settings& settings, RunResult& result) {
  result.summaryPath = plan.summaryPath;
  for (std::size_t i = 0; i < plan.pairs.size(); ++i) {
    RunItem item;
    item.path1 = plan.pairs[i].path1;
    item.path2 = plan.pairs[i].path2;
    item.page = plan.pairs[i].page;
    if (plan.fileMode) {
      item.name = settings.SRC_FILE1;
    } else {
      item.name = plan.files[i].name;
      item.status = plan.files[i].status;
    }
    if (i < plan.results.size()) {
      item.counts = plan.results[i].second;
      if (plan.fileMode)
        item.status = plan.results[i].first ? FileStatus::Different : FileStatus::Same;
      result.differs = result.differs || plan.results[i].first;
    }
    result.items.push_back(std::move(item));
  }
}

}  // namespace

RunOutcome ExecDiff(const Settings& settings, WindowOps& window, RunResult* result) {
  const std::u16string stamp = StartStamp(kDiffStampTitle);
  window.SetStatusText(u"");
  DiffPlan plan = FoldersOf(settings);
  if (!ValidateInputs(settings, 1, window)) return RunOutcome::Rejected;
  if (const auto message = FailedRunCheck(settings, plan)) {
    window.ShowMessage(*message, MessageIcon::Warning);
    return RunOutcome::Rejected;
  }

  std::u16string stage;
  RunOutcome outcome = GuardRun(window, stage, [&] { PlanPairs(settings, plan); });
  if (outcome != RunOutcome::Finished) return outcome;
  if (!CheckNoInputOverwritten(plan.Pages(), plan.Inputs(), window)) return RunOutcome::Rejected;

  std::size_t done = 0;
  outcome =
      GuardRun(window, stage, [&] { done = ComparePairs(plan, stamp, settings, window, stage); });
  if (result != nullptr) RecordPairs(plan, settings, *result);
  if (outcome != RunOutcome::Finished) return outcome;
  if (done < plan.pairs.size()) return EndCancelled(window, NotReached(plan, done));

  window.ShowMessage(kFinishedMessage, MessageIcon::Information);
  if (settings.OUTPUT_AUTOOPEN) {
    window.OpenResult(plan.fileMode ? plan.pairs.front().page : plan.summaryPath);
  }
  return RunOutcome::Finished;
}

}  // namespace tarnwick
