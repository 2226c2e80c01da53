// The file and folder comparison run behind the Execute button of the first
// page. It plans (lists and pairs the reports, names every page), checks
// that no page would replace an input, then compares pair after pair,
// keeping the summary page up to date in folder mode.
#include <algorithm>
#include <deque>
#include <exception>
#include <future>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "app/earlier_pages.h"
#include "app/file_list.h"
#include "app/ignore_file.h"
#include "app/loader_thread.h"
#include "app/page_styles.h"
#include "app/processors.h"
#include "app/report_failure.h"
#include "app/report_loader.h"
#include "app/runs.h"
#include "app/start_stamp.h"
#include "app/summary_page.h"
#include "app/validation.h"
#include "base/error.h"
#include "base/stop_request.h"
#include "diff/form_diff.h"
#include "files/file_system.h"
#include "files/paths.h"
#include "files/replace_file.h"
#include "messages/message_catalog.h"
#include "pages/page_file.h"
#include "pages/page_names.h"
#include "text/decimal.h"
#include "text/upper_case.h"

namespace tarnwick {

namespace {

// One pair of the run: where its reports are and where its page goes.
struct PairPlan {
  FilePath path1;  // empty when side 1 is absent
  FilePath path2;
  std::u16string page;
};

// Everything a comparison run will do, settled before anything is written.
struct DiffPlan {
  bool fileMode = false;
  bool pages = true;       // false: a view only, without OUTPUT_PATH
  std::u16string folder1;  // each ending in a separator
  std::u16string folder2;
  std::u16string outFolder;
  std::u16string summaryPath;       // folder mode only
  std::vector<FileEntry> files;     // folder mode only; entry i belongs to pair i
  std::vector<FileEntry> setAside;  // folder mode only; listed, never compared
  std::vector<PairPlan> pairs;
  std::vector<ComparisonResult> results;  // of the pairs done, in order
  IgnoreRules ignoreRules;
  // The pattern settings of the sides without any report.
  std::vector<std::u16string_view> unmatchedPatterns;

  std::vector<std::u16string> Pages() const {
    std::vector<std::u16string> pages;
    if (!this->pages) return pages;
    if (!fileMode) pages.push_back(summaryPath);
    for (const PairPlan& pair : pairs) pages.push_back(pair.page);
    return pages;
  }
  std::vector<PlannedPage> Planned() const {
    std::vector<PlannedPage> planned;
    for (const std::u16string& page : Pages()) {
      const bool summary = !fileMode && planned.empty();
      planned.push_back({page, summary ? PageKind::ComparisonSummary : PageKind::Comparison});
    }
    return planned;
  }
  // How many reports were set aside for a name differing only in case.
  std::size_t CaseCollisions() const {
    return static_cast<std::size_t>(
        std::count_if(setAside.begin(), setAside.end(),
                      [](const FileEntry& entry) { return IsCaseCollision(entry.status); }));
  }
  std::vector<std::u16string> Inputs() const {
    std::vector<std::u16string> inputs;
    for (const PairPlan& pair : pairs) {
      if (!pair.path1.text.empty()) inputs.push_back(pair.path1.text);
      if (!pair.path2.text.empty()) inputs.push_back(pair.path2.text);
    }
    return inputs;
  }
};

DiffPlan FoldersOf(const Settings& settings, const ComparisonView* view) {
  DiffPlan plan;
  plan.fileMode = settings.MODE == CompareMode::File;  // none works as folder
  plan.pages = view == nullptr || !settings.OUTPUT_PATH.empty();
  plan.folder1 = WithTrailingSeparator(settings.SRC_PATH1);
  plan.folder2 = WithTrailingSeparator(settings.SRC_PATH2);
  plan.outFolder = WithTrailingSeparator(settings.OUTPUT_PATH);
  return plan;
}

// The checks of the run itself, after the boxes are known to be filled.
std::optional<Message> FailedRunCheck(const Settings& settings, const DiffPlan& plan) {
  using enum MessageId;
  if (!IsFolder(plan.folder1)) return Message{SourceFolder1NotFound, {}, {u"SRC_PATH1"}};
  if (!IsFolder(plan.folder2)) return Message{SourceFolder2NotFound, {}, {u"SRC_PATH2"}};
  if (plan.pages && !IsFolder(plan.outFolder))
    return Message{OutputFolderNotFound, {}, {u"OUTPUT_PATH"}};
  if (plan.fileMode && !IsPlainFile(plan.folder1 + settings.SRC_FILE1))
    return Message{SourceFile1NotFound, {}, {u"SRC_PATH1", u"SRC_FILE1"}};
  if (plan.fileMode && !IsPlainFile(plan.folder2 + settings.SRC_FILE2))
    return Message{SourceFile2NotFound, {}, {u"SRC_PATH2", u"SRC_FILE2"}};
  if (plan.pages && settings.OUTPUT_FILE.empty())
    return Message{OutputFileRequired, {}, {u"OUTPUT_FILE"}};
  return std::nullopt;
}

// The pattern settings of the sides whose patterns matched no report.
std::vector<std::u16string_view> UnmatchedPatterns(const DiffPlan& plan) {
  bool found1 = false;
  bool found2 = false;
  for (const std::vector<FileEntry>* list : {&plan.files, &plan.setAside}) {
    for (const FileEntry& entry : *list) {
      found1 = found1 || entry.in1;
      found2 = found2 || entry.in2;
    }
  }
  std::vector<std::u16string_view> keys;
  if (!found1) keys.push_back(u"SRC_FILE1");
  if (!found2) keys.push_back(u"SRC_FILE2");
  return keys;
}

// The plain files of a folder by upper-cased name; of names that fold
// together, the ordinal first, as the listing keeps it.
std::unordered_map<std::u16string, FilePath> AllReportsOf(std::u16string_view folder) {
  std::unordered_map<std::u16string, FilePath> all;
  for (FilePath& listed : ListPlainFiles(folder, u"*")) {
    std::u16string name = UpperCase(listed.text);
    all.emplace(std::move(name), std::move(listed));
  }
  return all;
}

// A report only one side's patterns found, whose name the other folder holds
// outside that side's patterns, is not missing there: it is set aside with
// both names, not compared. Only patterns that differ can hide a report of
// one side, and only then is a folder listed whole. Before sorting.
void SetAsideOutsidePatterns(const Settings& settings, DiffPlan& plan) {
  if (settings.SRC_FILE1 == settings.SRC_FILE2) return;
  std::optional<std::unordered_map<std::u16string, FilePath>> all1, all2;
  std::vector<FileEntry> compared;
  std::vector<FileEntry> outside;
  for (FileEntry& entry : plan.files) {
    if (entry.in1 != entry.in2) {
      // The folder that lacks it by its patterns.
      const bool lacks1 = !entry.in1;
      auto& all = lacks1 ? all1 : all2;
      if (!all) all = AllReportsOf(lacks1 ? plan.folder1 : plan.folder2);
      if (const auto found = all->find(entry.name); found != all->end()) {
        (lacks1 ? entry.in1 : entry.in2) = true;
        (lacks1 ? entry.listed1 : entry.listed2) = found->second;
        entry.status = lacks1 ? FileStatus::OutsidePattern1 : FileStatus::OutsidePattern2;
        outside.push_back(std::move(entry));
        continue;
      }
    }
    compared.push_back(std::move(entry));
  }
  plan.files = std::move(compared);
  SortFiles(outside);
  plan.setAside.insert(plan.setAside.begin(), std::make_move_iterator(outside.begin()),
                       std::make_move_iterator(outside.end()));
}

// Lists and pairs the reports and names every page. Throws when a folder
// cannot be listed.
void PlanPairs(const Settings& settings, DiffPlan& plan) {
  PageNames names;
  if (plan.fileMode) {
    plan.pairs.push_back(
        {FilePathOf(plan.folder1 + settings.SRC_FILE1),
         FilePathOf(plan.folder2 + settings.SRC_FILE2),
         plan.pages ? names.Allocate(PagePathIn(plan.outFolder, settings.OUTPUT_FILE, true))
                    : std::u16string()});
    return;
  }
  CollectFiles(plan.folder1, settings.SRC_FILE1, ListSide::First, plan.files, plan.setAside);
  CollectFiles(plan.folder2, settings.SRC_FILE2, ListSide::Second, plan.files, plan.setAside);
  plan.unmatchedPatterns = UnmatchedPatterns(plan);
  SetAsideOutsidePatterns(settings, plan);
  SortFiles(plan.files);
  if (plan.pages) {
    plan.summaryPath = names.Allocate(SummaryPagePath(plan.outFolder, settings.OUTPUT_FILE));
  }
  for (FileEntry& entry : plan.files) {
    if (plan.pages) {
      entry.resultPath = names.AllocateShortened(PagePathIn(plan.outFolder, entry.name, false));
    }
    plan.pairs.push_back({entry.in1 ? FilePathIn(plan.folder1, entry.listed1) : FilePath(),
                          entry.in2 ? FilePathIn(plan.folder2, entry.listed2) : FilePath(),
                          entry.resultPath});
  }
}

// A side without its file gets a blank tree. With a window the structure
// viewer may show the tree.
LoadedReport LoadSide(const FilePath& path, WindowOps& window, ReportBuffers& buffers,
                      UiLanguage language, ReportSide side) {
  if (path.text.empty()) return {BlankTree(), nullptr, u""};
  return LoadReportKept(path, &window, buffers, language, side);
}

// The two trees of one pair, or the first failure in side order.
struct LoadedPair {
  LoadedReport side1;
  LoadedReport side2;
  const LoadedReport* Failure() const {
    return side1.error ? &side1 : side2.error ? &side2 : nullptr;
  }
};

// File mode's one pair in steps on the progress bar: side 1 read, side 2
// read, compared and written.
constexpr std::size_t kFileSteps = 3;

// Side 1, then side 2 only when side 1 loaded, as the window does it (a run
// that goes on past a bad report loads side 2 anyway, to tell of both); both
// through one set of buffers, given back when large once the pair is in.
// `steps`, when given, hears of each side read.
LoadedPair LoadPair(const PairPlan& pair, WindowOps& window, ReportBuffers& buffers,
                    UiLanguage language, bool bothSides, WindowOps* steps) {
  LoadedPair loaded;
  loaded.side1 = LoadSide(pair.path1, window, buffers, language, ReportSide::Source1);
  if (steps != nullptr) steps->SetProgress(1, kFileSteps);
  if (!loaded.side1.error || bothSides) {
    loaded.side2 = LoadSide(pair.path2, window, buffers, language, ReportSide::Source2);
    if (steps != nullptr) steps->SetProgress(2, kFileSteps);
  }
  buffers.ReleaseLarge();
  return loaded;
}

// Why the reports of a loaded pair cannot be compared, side by side: a load
// that failed or a report without any object. Empty when both are usable.
std::vector<ReportFailure> PairFailures(const PairPlan& pair, const LoadedPair& loaded,
                                        std::u16string_view compareStage, MessageCatalog catalog) {
  std::vector<ReportFailure> failures;
  const auto check = [&](const LoadedReport& side, const FilePath& path, ReportSide which) {
    if (auto failure = LoadFailure(side, which, path.text, catalog)) {
      failures.push_back(std::move(*failure));
    } else if (!side.tree) {
      failures.push_back(EmptyReportFailure(compareStage, which, path.text, catalog));
    }
  };
  check(loaded.side1, pair.path1, ReportSide::Source1);
  check(loaded.side2, pair.path2, ReportSide::Source2);
  return failures;
}

// One thread for each side, loading pair after pair ahead of the comparison.
struct PairLoaders {
  PairLoaders(UiLanguage language, ReportEncoding encoding)
      : side1(language, ReportSide::Source1, encoding),
        side2(language, ReportSide::Source2, encoding) {}

  LoaderThread side1;
  LoaderThread side2;

  // Frees a compared pair's trees on the threads that built them.
  void Discard(LoadedPair& pair) {
    side1.Discard(std::move(pair.side1.tree));
    side2.Discard(std::move(pair.side2.tree));
  }
};

// One side loading on its thread; a side without its file gets a blank tree.
std::future<LoadedReport> LoadAhead(LoaderThread& loader, const FilePath& path) {
  if (!path.text.empty()) return loader.Load(path);
  std::promise<LoadedReport> blank;
  blank.set_value({BlankTree(), nullptr, u""});
  return blank.get_future();
}

// How many pairs load ahead of the one compared: with one, the loaders stand
// idle whenever they finish before the comparison, and a core with them.
// Each pair ahead holds its two trees, about twice the reports' size.
constexpr std::size_t kPairsAhead = 2;

// Both sides of a pair loading on their threads.
struct PairAhead {
  std::future<LoadedReport> side1;
  std::future<LoadedReport> side2;

  PairAhead(const PairPlan& pair, PairLoaders& loaders)
      : side1(LoadAhead(loaders.side1, pair.path1)), side2(LoadAhead(loaders.side2, pair.path2)) {}

  // `steps`, when given, hears of each side read.
  LoadedPair Get(WindowOps* steps) {
    LoadedPair loaded;
    loaded.side1 = side1.get();
    if (steps != nullptr) steps->SetProgress(1, kFileSteps);
    loaded.side2 = side2.get();
    if (steps != nullptr) steps->SetProgress(2, kFileSteps);
    return loaded;
  }
};

const Collection& RequireTree(const CollectionPtr& tree, ReportSide side, std::u16string_view path,
                              MessageCatalog catalog) {
  if (!tree) throw Error(kGeneralErrorNumber, EmptyReportDescription(side, path, catalog));
  return *tree;
}

// Compares one loaded pair and writes its page in the settings' style, its
// view when the run has one, or both.
ComparisonResult ComparePair(const PairPlan& pair, const LoadedPair& loaded,
                             std::u16string_view compareStage, std::u16string_view heading,
                             const Settings& settings, const IgnoreRules& rules,
                             ComparisonView* view, std::u16string& stage) {
  if (const LoadedReport* failure = loaded.Failure()) {
    stage = failure->stage;
    std::rethrow_exception(failure->error);
  }
  stage = compareStage;
  const bool pageWanted = !pair.page.empty();
  const std::unique_ptr<ComparisonRenderer> renderer = PairRendererFor(settings, pageWanted, view);
  std::optional<PageWriter> page;
  if (pageWanted) page.emplace(pair.page, renderer->Encoding());
  TextSink& out = pageWanted ? static_cast<TextSink&>(*page) : view->Output();
  const MessageCatalog catalog = CatalogFor(settings.UI_LANGUAGE);
  const ComparisonResult result =
      MakeFormDiff(RequireTree(loaded.side1.tree, ReportSide::Source1, pair.path1.text, catalog),
                   RequireTree(loaded.side2.tree, ReportSide::Source2, pair.path2.text, catalog),
                   pair.path1.text, pair.path2.text, renderer->Start(out), settings.DIFF_ONLY,
                   CompareOptionsOf(settings, &rules));
  stage.clear();

  if (pageWanted) stage = MessageText({MessageId::StageWriting, {pair.page}}, catalog);
  renderer->Finish({heading, result});
  if (page) page->Commit();
  stage.clear();
  return result;
}

FileStatus PairStatus(const FileEntry& entry, bool differs) {
  if (!entry.in2) return FileStatus::OnlyIn1;
  if (!entry.in1) return FileStatus::OnlyIn2;
  return differs ? FileStatus::Different : FileStatus::Same;
}

// Pair i as its summary row now stands, for the window's result list.
PairResult PairResultOf(const DiffPlan& plan, std::size_t i, const ComparisonResult& compared,
                        const Settings& settings) {
  PairResult pair;
  pair.name = plan.fileMode ? settings.SRC_FILE1 : plan.files[i].name;
  pair.path1 = plan.pairs[i].path1.text;
  pair.path2 = plan.pairs[i].path2.text;
  pair.status = plan.fileMode ? (compared.differs ? FileStatus::Different : FileStatus::Same)
                              : plan.files[i].status;
  pair.counts = compared.counts;
  if (!plan.fileMode) pair.failure = FailureText(plan.files[i].failures);
  if (pair.failure.empty()) pair.page = plan.pairs[i].page;
  return pair;
}

// Compares pair after pair into its page; in folder mode writes the summary
// page first with every report "未処理", then keeps it current as pairs get
// done. With ON_ERROR=CONTINUE a folder run's pair whose report cannot be
// used is a read error and the run goes on. Returns how many pairs were
// settled: fewer than all when a cancel stopped it.
std::size_t ComparePairs(DiffPlan& plan, const Settings& settings, WindowOps& window,
                         ComparisonView* view, std::u16string& stage, LiveSummary* summary) {
  WaitCursor cursor(window);
  std::vector<FileEntry>& files = plan.files;
  const std::vector<PairPlan>& pairs = plan.pairs;
  if (summary != nullptr) summary->Write();
  window.SetStatusText(MessageId::NoStatus);
  const std::u16string count = DecimalText(static_cast<std::int64_t>(pairs.size()));
  const MessageCatalog catalog = CatalogFor(settings.UI_LANGUAGE);
  const bool goOn = settings.ON_ERROR == OnError::Continue && !plan.fileMode;
  // Reading and parsing touch no page and pages never overwrite inputs, so
  // both sides of the next pairs load on threads of their own while this
  // pair is compared and written. Errors still surface in run order. The
  // structure viewer needs the window, so with it the run is sequential; so
  // it is on one processor, where threads would only hold more in memory.
  const bool prefetch = !window.StructureViewerEnabled() && UsableProcessors() > 1;
  ReportBuffers buffers(settings.REPORT_ENCODING);  // without threads
  std::unique_ptr<PairLoaders> loaders;
  std::deque<PairAhead> ahead;
  if (prefetch && !pairs.empty()) {
    loaders = std::make_unique<PairLoaders>(settings.UI_LANGUAGE, settings.REPORT_ENCODING);
    for (std::size_t k = 0; k < std::min(kPairsAhead, pairs.size()); ++k) {
      ahead.emplace_back(pairs[k], *loaders);
    }
  }
  // File mode has one pair: its steps instead.
  const std::size_t total = plan.fileMode ? kFileSteps : pairs.size();
  WindowOps* const fileSteps = plan.fileMode ? &window : nullptr;
  window.SetProgress(0, total);
  for (std::size_t i = 0; i < pairs.size(); ++i) {
    // The summary shows every pair from here on as "未処理".
    if (window.CancelRequested()) {
      if (summary != nullptr) summary->Cancelled();
      return i;
    }
    std::u16string compareStage = MessageText(MessageId::StageComparing, catalog);
    if (!plan.fileMode) {
      window.SetStatusText({MessageId::Progress,
                            {DecimalText(static_cast<std::int64_t>(i + 1)), count, files[i].name}});
      window.Repaint();
      compareStage = MessageText({MessageId::StageComparingPair, {files[i].name}}, catalog);
    }
    window.Repaint();
    LoadedPair loaded =
        prefetch ? ahead.front().Get(fileSteps)
                 : LoadPair(pairs[i], window, buffers, settings.UI_LANGUAGE, goOn, fileSteps);
    if (prefetch) ahead.pop_front();
    if (prefetch && (goOn || !loaded.Failure()) && i + kPairsAhead < pairs.size()) {
      ahead.emplace_back(pairs[i + kPairsAhead], *loaders);
    }
    std::vector<ReportFailure> failures;
    if (goOn) failures = PairFailures(pairs[i], loaded, compareStage, catalog);
    ComparisonResult result;
    if (failures.empty()) {
      const std::u16string heading =
          plan.fileMode ? settings.SRC_FILE1 + u" ↔ " + settings.SRC_FILE2 : files[i].name;
      result = ComparePair(pairs[i], loaded, compareStage, heading, settings, plan.ignoreRules,
                           view, stage);
    }
    if (loaders) loaders->Discard(loaded);
    plan.results.push_back(result);
    if (!plan.fileMode) {
      files[i].status =
          failures.empty() ? PairStatus(files[i], result.differs) : FileStatus::ReadError;
      files[i].counts = result.counts;
      files[i].failures = std::move(failures);
      if (summary != nullptr) summary->Changed();
    }
    window.PairFinished(PairResultOf(plan, i, result, settings));
    window.SetProgress(plan.fileMode ? kFileSteps : i + 1, total);
  }
  if (summary != nullptr) summary->Settle();
  return pairs.size();
}

// How many pairs (reports) a run that went on could not use.
std::size_t ReadErrors(const std::vector<FileEntry>& files) {
  return static_cast<std::size_t>(
      std::count_if(files.begin(), files.end(),
                    [](const FileEntry& entry) { return entry.status == FileStatus::ReadError; }));
}

// The pairs from `done` on: their names in folder mode, the side 1 report in
// file mode.
std::vector<std::u16string> NotReached(const DiffPlan& plan, std::size_t done) {
  std::vector<std::u16string> names;
  for (std::size_t i = done; i < plan.pairs.size(); ++i) {
    names.push_back(plan.fileMode ? plan.pairs[i].path1.text : plan.files[i].name);
  }
  return names;
}

// What the run did, pair by pair, for the command line.
void RecordPairs(const DiffPlan& plan, const Settings& settings, RunResult& result) {
  result.summaryPath = plan.summaryPath;
  for (std::size_t i = 0; i < plan.pairs.size(); ++i) {
    RunItem item;
    item.path1 = plan.pairs[i].path1.text;
    item.path2 = plan.pairs[i].path2.text;
    item.page = plan.pairs[i].page;
    if (plan.fileMode) {
      item.name = settings.SRC_FILE1;
    } else {
      item.name = plan.files[i].name;
      item.status = plan.files[i].status;
      item.failures = plan.files[i].failures;
    }
    if (i < plan.results.size()) {
      item.counts = plan.results[i].counts;
      if (plan.fileMode)
        item.status = plan.results[i].differs ? FileStatus::Different : FileStatus::Same;
      result.differs = result.differs || plan.results[i].differs;
    }
    result.items.push_back(std::move(item));
  }
  for (const FileEntry& entry : plan.setAside) {
    RunItem item;
    item.name = entry.name;
    if (entry.in1) item.path1 = FilePathIn(plan.folder1, entry.listed1).text;
    if (entry.in2) item.path2 = FilePathIn(plan.folder2, entry.listed2).text;
    item.status = entry.status;
    result.items.push_back(std::move(item));
  }
}

}  // namespace

RunOutcome ExecDiff(const Settings& settings, WindowOps& window, RunResult* result,
                    const RunClock& clock, ComparisonView* view) {
  const std::u16string stamp = StartStamp(PageWordsOf(settings).diffStampTitle);
  window.SetStatusText(MessageId::NoStatus);
  DiffPlan plan = FoldersOf(settings, view);
  if (!ValidateInputs(settings, 1, window, plan.pages)) return RunOutcome::Rejected;
  if (const auto message = FailedRunCheck(settings, plan)) {
    window.ShowMessage(*message, MessageIcon::Warning);
    return RunOutcome::Rejected;
  }
  if (const auto message = LoadIgnoreRules(settings, plan.ignoreRules)) {
    window.ShowMessage(*message, MessageIcon::Warning);
    return RunOutcome::Rejected;
  }

  std::u16string stage;
  RunOutcome outcome = GuardRun(window, stage, [&] { PlanPairs(settings, plan); });
  if (outcome != RunOutcome::Finished) return outcome;
  if (result != nullptr) result->unmatchedPatterns = plan.unmatchedPatterns;
  if (!CheckRunWritesNoInput(plan.Pages(), plan.Inputs(), result, window)) {
    return RunOutcome::Rejected;
  }
  if (!ConfirmReplacingOtherPages(plan.Planned(), window)) return RunOutcome::Rejected;
  // What a killed run of these pages left behind goes before they are written.
  RemoveStaleReplacements(plan.Pages());

  std::size_t done = 0;
  std::optional<LiveSummary> summary;
  if (!plan.fileMode && plan.pages) {
    summary.emplace(settings, plan.summaryPath, stamp, plan.folder1, plan.folder2, plan.files,
                    plan.setAside, clock);
  }
  outcome = GuardRun(window, stage, [&] {
    try {
      done = ComparePairs(plan, settings, window, view, stage, summary ? &*summary : nullptr);
    } catch (const RunStopped&) {
      if (summary) summary->SettleOnFailure(true);
      throw;
    } catch (...) {
      // The summary shows the pairs done before the failure; the failure
      // itself is what the run reports.
      if (summary) summary->SettleOnFailure(false);
      throw;
    }
  });
  if (result != nullptr) RecordPairs(plan, settings, *result);
  // Stopped mid-pair: the pairs from the one it was in were not reached.
  if (outcome == RunOutcome::Cancelled)
    window.ShowNotReached(NotReached(plan, plan.results.size()));
  if (outcome != RunOutcome::Finished) return outcome;
  if (done < plan.pairs.size()) return EndCancelled(window, NotReached(plan, done));

  const std::size_t readErrors = ReadErrors(plan.files);
  if (readErrors > 0) {
    window.ShowMessage(FinishedWithFailuresMessage(readErrors, plan.CaseCollisions()),
                       MessageIcon::Warning);
  } else {
    window.ShowMessage(FinishedMessage(plan.CaseCollisions()), MessageIcon::Information);
  }
  // The summary says which pairs failed, so it opens all the same.
  if (settings.OUTPUT_AUTOOPEN && plan.pages) {
    window.OpenResult(plan.fileMode ? plan.pairs.front().page : plan.summaryPath);
  }
  return readErrors > 0 ? RunOutcome::Failed : RunOutcome::Finished;
}

}  // namespace tarnwick
