// The summary page of a folder comparison or a search: the folders, the
// start stamp, then one row per report with its status, linked to its result
// page where there is one. While a run goes on, LiveSummary keeps it current
// for a reader at a bounded cost: rewritten at once at the start, then at
// most every few hundred milliseconds, and always once the last report is
// done, the run is cancelled or it fails.
#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "app/file_list.h"
#include "app/settings.h"

namespace tarnwick {

// Writes the summary page in the settings' page style, replacing the file:
// a row for each of `files`, then one for each report set aside. An empty
// folder2 makes it a search's summary; the file name patterns come from the
// settings. `cancelled`, when not empty, says that and when a cancel stopped
// the run. Throws tarnwick::Error.
void WriteRunSummary(const Settings& settings, std::u16string_view pagePath,
                     std::u16string_view stamp, std::u16string_view folder1,
                     std::u16string_view folder2, const std::vector<FileEntry>& files,
                     const std::vector<FileEntry>& setAside, std::u16string_view cancelled = {});

// The clock a run paces its summary by; tests give one they move by hand.
using RunClock = std::function<std::chrono::steady_clock::time_point()>;

// The steady clock.
RunClock SteadyRunClock();

// The summary page of one run, rewritten as its reports get done. The
// rewrites are paced so that a run of many small reports spends a bounded
// share of its time on them, however many there are: a rewrite waits at
// least kLiveSummaryInterval after the last one ended, and at least ten times
// as long as the last one took, so that a large summary is rewritten less
// often. The page written last is the same whatever the pacing.
class LiveSummary {
 public:
  // Keeps references: `settings`, the lists and the texts outlive the summary.
  LiveSummary(const Settings& settings, std::u16string_view pagePath, std::u16string_view stamp,
              std::u16string_view folder1, std::u16string_view folder2,
              const std::vector<FileEntry>& files, const std::vector<FileEntry>& setAside,
              RunClock clock);

  // Writes the page now, every report as the list says. Throws tarnwick::Error.
  void Write();
  // One more report is done: rewrites the page when a rewrite is due.
  void Changed();
  // Rewrites the page when a report got done since it was last written.
  void Settle();
  // A cancel stopped the run: rewrites the page saying so, with the local
  // time now. Throws tarnwick::Error.
  void Cancelled();
  // On the way out of a run that failed (or was stopped mid-report, when
  // `stopped`): Settle (or Cancelled) without throwing, so that a second
  // failure does not hide the first.
  void SettleOnFailure(bool stopped) noexcept;

 private:
  const Settings& settings_;
  std::u16string_view pagePath_, stamp_, folder1_, folder2_;
  std::u16string cancelled_;
  const std::vector<FileEntry>& files_;
  const std::vector<FileEntry>& setAside_;
  RunClock clock_;
  std::chrono::steady_clock::time_point nextDue_{};
  bool stale_ = false;  // a report got done since the last write
};

inline constexpr std::chrono::milliseconds kLiveSummaryInterval{300};

}  // namespace tarnwick
