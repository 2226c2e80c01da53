#include "app/summary_page.h"

#include <algorithm>
#include <utility>

#include "app/page_styles.h"
#include "app/start_stamp.h"
#include "pages/page_file.h"

namespace tarnwick {

void WriteRunSummary(const Settings& settings, std::u16string_view pagePath,
                     std::u16string_view stamp, std::u16string_view folder1,
                     std::u16string_view folder2, const std::vector<FileEntry>& files,
                     const std::vector<FileEntry>& setAside, std::u16string_view cancelled) {
  RunSummary summary;
  summary.kind = folder2.empty() ? SummaryKind::kSearch : SummaryKind::kComparison;
  summary.pagePath = pagePath;
  summary.stamp = stamp;
  summary.folder1 = folder1;
  summary.folder2 = folder2;
  if (summary.kind == SummaryKind::kSearch) {
    summary.patterns1 = settings.SRC_FILE;
  } else {
    summary.patterns1 = settings.SRC_FILE1;
    summary.patterns2 = settings.SRC_FILE2;
  }
  summary.cancelled = cancelled;
  summary.options = CompareOptionsOf(settings);
  summary.rows.reserve(files.size() + setAside.size());
  for (const std::vector<FileEntry>* list : {&files, &setAside}) {
    for (const FileEntry& entry : *list) {
      summary.rows.push_back(
          {entry.name, entry.status, entry.resultPath, entry.counts, entry.hits, entry.failures});
    }
  }
  const std::unique_ptr<SummaryRenderer> renderer = SummaryRendererFor(settings);
  // Also after a request to stop now: the summary tells what the run did.
  PageWriter page(std::u16string(pagePath), renderer->Encoding(), OnStopRequest::Finish);
  renderer->Render(summary, page);
  page.Commit();
}

RunClock SteadyRunClock() {
  return [] { return std::chrono::steady_clock::now(); };
}

LiveSummary::LiveSummary(const Settings& settings, std::u16string_view pagePath,
                         std::u16string_view stamp, std::u16string_view folder1,
                         std::u16string_view folder2, const std::vector<FileEntry>& files,
                         const std::vector<FileEntry>& setAside, RunClock clock)
    : settings_(settings),
      pagePath_(pagePath),
      stamp_(stamp),
      folder1_(folder1),
      folder2_(folder2),
      files_(files),
      setAside_(setAside),
      clock_(std::move(clock)) {}

void LiveSummary::Write() {
  const auto started = clock_();
  stale_ = false;
  WriteRunSummary(settings_, pagePath_, stamp_, folder1_, folder2_, files_, setAside_, cancelled_);
  const auto ended = clock_();
  // Rewriting after every pair made a run quadratic in its pairs; waiting
  // ten times the write's own length keeps rewriting under a tenth of a run.
  nextDue_ = ended + std::max<std::chrono::steady_clock::duration>(kLiveSummaryInterval,
                                                                   10 * (ended - started));
}

void LiveSummary::Changed() {
  stale_ = true;
  if (clock_() >= nextDue_) Write();
}

void LiveSummary::Settle() {
  if (stale_) Write();
}

void LiveSummary::Cancelled() {
  cancelled_ = StartStamp(PageWordsOf(settings_).cancelledStamp);
  Write();
}

void LiveSummary::SettleOnFailure(bool stopped) noexcept {
  try {
    if (stopped) {
      Cancelled();
    } else {
      Settle();
    }
  } catch (...) {
  }
}

}  // namespace tarnwick
