// The search run behind the Execute button of the third page: every report
// of one folder that matches the file patterns is parsed and searched into a
// result page of its own, and the summary page follows the progress. Like
// the comparison it plans, checks that no page would replace a report, then
// searches report after report.
#include <algorithm>
#include <future>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/earlier_pages.h"
#include "app/file_list.h"
#include "app/loader_thread.h"
#include "app/page_styles.h"
#include "app/processors.h"
#include "app/report_failure.h"
#include "app/report_loader.h"
#include "app/runs.h"
#include "app/start_stamp.h"
#include "app/summary_page.h"
#include "app/validation.h"
#include "base/stop_request.h"
#include "files/file_system.h"
#include "files/paths.h"
#include "files/replace_file.h"
#include "messages/message_catalog.h"
#include "pages/page_file.h"
#include "pages/page_names.h"
#include "search/like_pattern.h"
#include "search/search_table.h"
#include "text/decimal.h"

namespace tarnwick {
namespace {

constexpr int kSearchPage = 3;

bool AsterisksOnly(std::u16string_view text) {
  return !text.empty() && text.find_first_not_of(u'*') == std::u16string_view::npos;
}

// The warnings that stop the run before anything is read, in their order;
// nothing when the inputs are usable.
std::optional<Message> InputWarning(const Settings& settings, std::u16string_view sourceFolder,
                                    std::u16string_view outputFolder) {
  using enum MessageId;
  if (!IsFolder(sourceFolder)) return Message{SearchFolderNotFound, {}, {u"SRC_PATH"}};
  if (!IsFolder(outputFolder)) return Message{OutputFolderNotFound, {}, {u"OUTPUT_PATH"}};
  if (settings.OUTPUT_FILE.empty()) return Message{OutputFileRequired, {}, {u"OUTPUT_FILE"}};
  const std::u16string* strings[] = {&settings.SEARCH_STRING1, &settings.SEARCH_STRING2,
                                     &settings.SEARCH_STRING3};
  constexpr std::u16string_view kKeys[] = {u"SEARCH_STRING1", u"SEARCH_STRING2", u"SEARCH_STRING3"};
  if (strings[0]->empty() && strings[1]->empty() && strings[2]->empty()) {
    return Message{SearchStringRequired, {}, {kKeys[0], kKeys[1], kKeys[2]}};
  }
  for (std::size_t i = 0; i < std::size(strings); ++i) {
    if (AsterisksOnly(*strings[i])) return Message{SearchStringAsterisksOnly, {}, {kKeys[i]}};
  }
  // Checked here, not when first evaluated, so that a typing slip stops the
  // run before it starts rather than halfway.
  for (std::size_t i = 0; i < std::size(strings); ++i) {
    if (!strings[i]->empty() && !LikePattern(u"*" + *strings[i] + u"*").Valid())
      return Message{SearchStringBracketUnclosed, {}, {kKeys[i]}};
  }
  return std::nullopt;
}

SearchQuery QueryOf(const Settings& settings) {
  return MakeSearchQuery({{{settings.SEARCH_STRING1, settings.SEARCH_STRING1_COND},
                           {settings.SEARCH_STRING2, settings.SEARCH_STRING2_COND},
                           {settings.SEARCH_STRING3, settings.SEARCH_STRING3_COND}}},
                         settings.COND_AND, settings.NO_CASE, settings.FOUND_ONLY);
}

// Everything a search run will do, settled before anything is written.
struct SearchPlan {
  std::u16string sourceFolder;  // each ending in a separator
  std::u16string outputFolder;
  std::u16string summaryPath;
  std::vector<FileEntry> files;     // entry i is the report reports[i]
  std::vector<FileEntry> setAside;  // listed, never searched
  std::vector<FilePath> reports;

  std::vector<std::u16string> Pages() const {
    std::vector<std::u16string> pages{summaryPath};
    for (const FileEntry& entry : files) pages.push_back(entry.resultPath);
    return pages;
  }
  std::vector<PlannedPage> Planned() const {
    std::vector<PlannedPage> planned{{summaryPath, PageKind::SearchSummary}};
    for (const FileEntry& entry : files) planned.push_back({entry.resultPath, PageKind::Search});
    return planned;
  }
  std::vector<std::u16string> Inputs() const {
    std::vector<std::u16string> inputs;
    for (const FilePath& report : reports) inputs.push_back(report.text);
    return inputs;
  }
};

// Lists the reports and names every page. Throws when the folder cannot be
// listed.
void PlanReports(const Settings& settings, SearchPlan& plan) {
  CollectFiles(plan.sourceFolder, settings.SRC_FILE, ListSide::First, plan.files, plan.setAside);
  for (FileEntry& entry : plan.setAside) entry.status = FileStatus::SetAside;
  SortFiles(plan.files);
  PageNames names;
  plan.summaryPath = names.Allocate(SummaryPagePath(plan.outputFolder, settings.OUTPUT_FILE));
  for (FileEntry& entry : plan.files) {
    entry.resultPath = names.AllocateShortened(PagePathIn(plan.outputFolder, entry.name, false));
    plan.reports.push_back(FilePathIn(plan.sourceFolder, entry.listed1));
  }
}

// Searches report after report into its page; writes the summary page first
// with every report "未処理", then keeps it current as reports get done.
// With ON_ERROR=CONTINUE a report that cannot be used is a read error and the
// run goes on. Returns how many reports were settled: fewer than all when a
// cancel stopped it.
std::size_t SearchReports(SearchPlan& plan, const SearchQuery& query, const Settings& settings,
                          WindowOps& window, std::u16string& stage, LiveSummary& summary) {
  WaitCursor wait(window);
  summary.Write();
  const std::u16string count = DecimalText(static_cast<std::int64_t>(plan.files.size()));
  window.SetProgress(0, plan.files.size());
  // Reading and parsing touch no page and pages never overwrite reports, so
  // the next report loads on a thread of its own while this one is searched
  // and written; a failure still surfaces in its turn. Not with the
  // structure viewer, which needs the window, nor on one processor.
  const bool prefetch = !window.StructureViewerEnabled() && UsableProcessors() > 1;
  const bool goOn = settings.ON_ERROR == OnError::Continue;
  const MessageCatalog catalog = CatalogFor(settings.UI_LANGUAGE);
  ReportBuffers buffers(settings.REPORT_ENCODING);  // without a thread
  std::unique_ptr<LoaderThread> loader;
  std::future<LoadedReport> ahead;
  if (prefetch && !plan.reports.empty()) {
    loader = std::make_unique<LoaderThread>(settings.UI_LANGUAGE, ReportSide::Search,
                                            settings.REPORT_ENCODING);
    ahead = loader->Load(plan.reports[0]);
  }
  for (std::size_t i = 0; i < plan.files.size(); ++i) {
    // The summary shows every report from here on as "未処理".
    if (window.CancelRequested()) {
      summary.Cancelled();
      return i;
    }
    FileEntry& entry = plan.files[i];
    window.SetStatusText(
        {MessageId::Progress, {DecimalText(static_cast<std::int64_t>(i + 1)), count, entry.name}});
    window.Repaint();
    LoadedReport loaded;
    if (prefetch) {
      loaded = ahead.get();
      if ((goOn || !loaded.error) && i + 1 < plan.reports.size()) {
        ahead = loader->Load(plan.reports[i + 1]);
      }
    } else {
      loaded = LoadReportKept(plan.reports[i], &window, buffers, settings.UI_LANGUAGE,
                              ReportSide::Search);
      buffers.ReleaseLarge();
    }
    const std::u16string searchStage =
        MessageText({MessageId::StageSearching, {entry.name}}, catalog);
    std::optional<ReportFailure> failure;
    if (goOn) {
      failure = LoadFailure(loaded, ReportSide::Search, plan.reports[i].text, catalog);
      if (!failure && (!loaded.tree || loaded.tree->Empty())) {
        failure =
            EmptyReportFailure(searchStage, ReportSide::Search, plan.reports[i].text, catalog);
      }
    }
    if (failure) {
      if (loader) loader->Discard(std::move(loaded.tree));
      entry.status = FileStatus::ReadError;
      entry.failures = {std::move(*failure)};
    } else {
      CollectionPtr tree = loaded.Take(stage);
      stage = searchStage;
      const std::unique_ptr<SearchRenderer> renderer = SearchRendererFor(settings);
      PageWriter page(entry.resultPath, renderer->Encoding());
      const SearchResult found =
          MakeSearch(query, tree.get(), plan.reports[i].text, renderer->Start(page));
      if (loader) loader->Discard(std::move(tree));
      tree.reset();

      stage = MessageText({MessageId::StageWriting, {entry.resultPath}}, catalog);
      renderer->Finish(entry.name, found);
      page.Commit();
      stage.clear();

      entry.status = found.found ? FileStatus::Match : FileStatus::NoMatch;
      entry.hits = found.hits;
    }
    summary.Changed();
    window.PairFinished({entry.name,
                         plan.reports[i].text,
                         {},
                         entry.status,
                         {},
                         entry.hits,
                         entry.failures.empty() ? entry.resultPath : std::u16string(),
                         FailureText(entry.failures)});
    window.SetProgress(i + 1, plan.files.size());
  }
  summary.Settle();
  return plan.files.size();
}

}  // namespace

RunOutcome ExecSearch(const Settings& settings, WindowOps& window, RunResult* result,
                      const RunClock& clock) {
  const std::u16string stamp = StartStamp(PageWordsOf(settings).searchStampTitle);
  window.SetStatusText(MessageId::NoStatus);
  SearchPlan plan;
  plan.sourceFolder = WithTrailingSeparator(settings.SRC_PATH);
  plan.outputFolder = WithTrailingSeparator(settings.OUTPUT_PATH);
  if (!ValidateInputs(settings, kSearchPage, window)) return RunOutcome::Rejected;
  if (const auto warning = InputWarning(settings, plan.sourceFolder, plan.outputFolder)) {
    window.ShowMessage(*warning, MessageIcon::Warning);
    return RunOutcome::Rejected;
  }

  const SearchQuery query = QueryOf(settings);
  std::u16string stage;
  RunOutcome outcome = GuardRun(window, stage, [&] { PlanReports(settings, plan); });
  if (outcome != RunOutcome::Finished) return outcome;
  if (result != nullptr && plan.files.empty() && plan.setAside.empty()) {
    result->unmatchedPatterns = {u"SRC_FILE"};
  }
  if (!CheckRunWritesNoInput(plan.Pages(), plan.Inputs(), result, window)) {
    return RunOutcome::Rejected;
  }
  if (!ConfirmReplacingOtherPages(plan.Planned(), window)) return RunOutcome::Rejected;
  // What a killed run of these pages left behind goes before they are written.
  RemoveStaleReplacements(plan.Pages());

  std::size_t done = 0;
  LiveSummary summary(settings, plan.summaryPath, stamp, plan.sourceFolder, u"", plan.files,
                      plan.setAside, clock);
  outcome = GuardRun(window, stage, [&] {
    try {
      done = SearchReports(plan, query, settings, window, stage, summary);
    } catch (const RunStopped&) {
      summary.SettleOnFailure(true);
      throw;
    } catch (...) {
      // The summary shows the reports done before the failure; the failure
      // itself is what the run reports.
      summary.SettleOnFailure(false);
      throw;
    }
  });
  if (result != nullptr) {
    result->summaryPath = plan.summaryPath;
    for (std::size_t i = 0; i < plan.files.size(); ++i) {
      const FileEntry& entry = plan.files[i];
      result->items.push_back({entry.name,
                               plan.reports[i].text,
                               {},
                               entry.resultPath,
                               entry.status,
                               {},
                               entry.hits,
                               entry.failures});
      result->differs = result->differs || entry.status == FileStatus::Match;
    }
    for (const FileEntry& entry : plan.setAside) {
      result->items.push_back({entry.name,
                               FilePathIn(plan.sourceFolder, entry.listed1).text,
                               {},
                               {},
                               entry.status,
                               {},
                               {},
                               {}});
    }
  }
  const auto notReachedFrom = [&plan](std::size_t first) {
    std::vector<std::u16string> names;
    for (std::size_t i = first; i < plan.files.size(); ++i) names.push_back(plan.files[i].name);
    return names;
  };
  // Stopped mid-report: the reports from the one it was in were not reached.
  if (outcome == RunOutcome::Cancelled) {
    done = 0;
    while (done < plan.files.size() && plan.files[done].status != FileStatus::Unprocessed) ++done;
    window.ShowNotReached(notReachedFrom(done));
  }
  if (outcome != RunOutcome::Finished) return outcome;
  if (done < plan.files.size()) return EndCancelled(window, notReachedFrom(done));

  const auto readErrors = static_cast<std::size_t>(
      std::count_if(plan.files.begin(), plan.files.end(),
                    [](const FileEntry& entry) { return entry.status == FileStatus::ReadError; }));
  if (readErrors > 0) {
    window.ShowMessage(FinishedWithFailuresMessage(readErrors, plan.setAside.size()),
                       MessageIcon::Warning);
  } else {
    window.ShowMessage(FinishedMessage(plan.setAside.size()), MessageIcon::Information);
  }
  // The summary says which reports failed, so it opens all the same.
  if (settings.OUTPUT_AUTOOPEN) window.OpenResult(plan.summaryPath);
  return readErrors > 0 ? RunOutcome::Failed : RunOutcome::Finished;
}

}  // namespace tarnwick
