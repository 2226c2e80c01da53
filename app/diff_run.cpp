#include <exception>
#include <future>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/file_list.h"
#include "files/file_system.h"
#include "files/paths.h"
#include "app/report_loader.h"
#include "pages/page_file.h"
#include "app/run_guard.h"
#include "app/runs.h"
#include "diff/form_diff.h"
#include "diff/html_table.h"
#include "base/error.h"
#include "text/decimal.h"

namespace tarnwick {

namespace {

// One pair of the run: where its reports are and where its page goes.
struct PairPlan {
  std::u16string path1;  // empty when side 1 is absent
  std::u16string path2;
  std::u16string page;
};

// Checks of the run itself, after the boxes are known to be filled.
std::optional<std::u16string_view> FailedRunCheck(const Settings& settings, bool fileMode,
                                                  const std::u16string& folder1,
                                                  const std::u16string& folder2,
                                                  const std::u16string& outFolder) {
  if (!IsFolder(folder1)) return u"ソース１のフォルダが見つかりません";
  if (!IsFolder(folder2)) return u"ソース２のフォルダが見つかりません";
  if (!IsFolder(outFolder)) return u"出力先フォルダが見つかりません";
  if (fileMode && !IsPlainFile(folder1 + settings.SRC_FILE1))
    return u"ソースファイル１が見つかりません";
  if (fileMode && !IsPlainFile(folder2 + settings.SRC_FILE2))
    return u"ソースファイル２が見つかりません";
  if (settings.OUTPUT_FILE.empty()) return u"結果出力ファイル名を入力してください";
  return std::nullopt;
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

// Compares one loaded pair and writes its page; returns whether it differs.
bool ComparePair(const PairPlan& pair, LoadedPair loaded, std::u16string_view compareStage,
                 bool diffOnly, std::u16string& stage) {
  if (const LoadedSide* failure = loaded.Failure()) {
    stage = failure->stage;
    std::rethrow_exception(failure->error);
  }
  stage = compareStage;
  HTMLTblCls table;
  bool diffFound = false;
  MakeFormDiffTable(RequireTree(loaded.side1.tree, pair.path1),
                    RequireTree(loaded.side2.tree, pair.path2), !pair.path1.empty(),
                    !pair.path2.empty(), pair.path1, pair.path2, table, diffFound, diffOnly);
  loaded = LoadedPair();
  stage.clear();

  stage = u"ファイル[" + pair.page + u"]の出力中に、";
  WritePage(pair.page, kComparisonPageHead, table.sStr());
  stage.clear();
  return diffFound;
}

FileStatus PairStatus(const FileEntry& entry, bool diffFound) {
  if (!entry.in2) return FileStatus::OnlyIn1;
  if (!entry.in1) return FileStatus::OnlyIn2;
  return diffFound ? FileStatus::Different : FileStatus::Same;
}

}  // namespace

RunOutcome ExecDiff(const Settings& settings, WindowOps& window) {
  const std::u16string stamp = StartStamp(kDiffStampTitle);
  window.SetStatusText(u"");
  const bool fileMode = settings.MODE == CompareMode::File;  // none works as folder
  const std::u16string folder1 = WithTrailingSeparator(settings.SRC_PATH1);
  const std::u16string folder2 = WithTrailingSeparator(settings.SRC_PATH2);
  const std::u16string outFolder = WithTrailingSeparator(settings.OUTPUT_PATH);

  if (!ValidateInputs(settings, 1, window)) return RunOutcome::Rejected;
  if (auto message = FailedRunCheck(settings, fileMode, folder1, folder2, outFolder)) {
    window.ShowMessage(*message, MessageIcon::Warning);
    return RunOutcome::Rejected;
  }

  std::u16string stage;
  std::vector<FileEntry> files;
  std::vector<PairPlan> pairs;
  std::u16string summaryPath;
  std::optional<std::u16string> overwritten;
  RunOutcome outcome = GuardRun(window, stage, [&] {
    PageNames names;
    if (fileMode) {
      pairs.push_back({folder1 + settings.SRC_FILE1, folder2 + settings.SRC_FILE2,
                       names.Allocate(PagePathIn(outFolder, settings.OUTPUT_FILE, true))});
    } else {
      CollectFiles(folder1, settings.SRC_FILE1, ListSide::First, files);
      CollectFiles(folder2, settings.SRC_FILE2, ListSide::Second, files);
      SortFiles(files);
      summaryPath = names.Allocate(SummaryPagePath(outFolder, settings.OUTPUT_FILE));
      for (FileEntry& entry : files) {
        pairs.push_back({entry.in1 ? folder1 + entry.listedName1 : std::u16string(),
                         entry.in2 ? folder2 + entry.listedName2 : std::u16string(),
                         names.Allocate(PagePathIn(outFolder, entry.name, false))});
      }
    }
    std::vector<std::u16string> pages, inputs;
    if (!fileMode) pages.push_back(summaryPath);
    for (const PairPlan& pair : pairs) {
      pages.push_back(pair.page);
      if (!pair.path1.empty()) inputs.push_back(pair.path1);
      if (!pair.path2.empty()) inputs.push_back(pair.path2);
    }
    overwritten = PageOverwritingInput(pages, inputs);
  });
  if (outcome != RunOutcome::Finished) return outcome;
  if (overwritten) {
    window.ShowMessage(OverwriteWarning(*overwritten), MessageIcon::Warning);
    return RunOutcome::Rejected;
  }

  outcome = GuardRun(window, stage, [&] {
    WaitCursor cursor(window);
    if (!fileMode) WriteSummaryPage(summaryPath, stamp, folder1, folder2, files);
    window.SetStatusText(u"");
    const std::u16string count = DecimalText(static_cast<std::int64_t>(pairs.size()));
    // Reading and parsing touch no page and pages never overwrite inputs, so
    // both sides of the next pair load on threads of their own while this
    // pair is compared and written. Errors still surface in run order. The
    // structure viewer needs the window, so with it the run is sequential.
    const bool prefetch = !window.StructureViewerEnabled();
    std::unique_ptr<PairAhead> ahead;
    if (prefetch && !pairs.empty()) ahead = std::make_unique<PairAhead>(pairs[0]);
    for (std::size_t i = 0; i < pairs.size(); ++i) {
      std::u16string compareStage = u"フォーム文章の差分作成中に、";
      if (!fileMode) {
        window.SetStatusText(DecimalText(static_cast<std::int64_t>(i + 1)) + u"/" + count + u":" +
                             files[i].name);
        window.Repaint();
        files[i].resultPath = pairs[i].page;
        compareStage = u"フォーム文章[" + files[i].name + u"]の差分作成中に、";
      }
      window.Repaint();
      LoadedPair loaded = prefetch ? ahead->Get() : LoadPair(pairs[i], window);
      ahead.reset();
      if (prefetch && !loaded.Failure() && i + 1 < pairs.size()) {
        ahead = std::make_unique<PairAhead>(pairs[i + 1]);
      }
      const bool diffFound =
          ComparePair(pairs[i], std::move(loaded), compareStage, settings.DIFF_ONLY, stage);
      if (!fileMode) {
        files[i].status = PairStatus(files[i], diffFound);
        WriteSummaryPage(summaryPath, stamp, folder1, folder2, files);
      }
    }
  });
  if (outcome != RunOutcome::Finished) return outcome;

  window.ShowMessage(kFinishedMessage, MessageIcon::Information);
  if (settings.OUTPUT_AUTOOPEN) window.OpenResult(fileMode ? pairs.front().page : summaryPath);
  return RunOutcome::Finished;
}

}  // namespace tarnwick
