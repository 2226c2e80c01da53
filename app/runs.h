// The three runs behind the Execute button. Each takes the settings as the
// window (or the command line) collected them and reaches the window only
// through WindowOps; the outcome tells the command line its exit status.
#pragma once

#include <string>
#include <vector>

#include "app/comparison_view.h"
#include "app/file_list.h"
#include "app/object_side.h"
#include "app/run_guard.h"
#include "app/settings.h"
#include "app/summary_page.h"
#include "app/tree_view.h"
#include "app/window_ops.h"

namespace tarnwick {

// One pair or report of a run, as the command line tells scripts of it.
struct RunItem {
  std::u16string name;   // upper-cased in folder runs; the file name in file mode
  std::u16string path1;  // the report of side 1 (the search's report); empty when absent
  std::u16string path2;
  std::u16string page;                          // its result page
  FileStatus status = FileStatus::Unprocessed;  // file mode: Different or Same once done
  ChangeCounts counts;                          // comparisons
  SearchCounts hits;                            // searches
  std::vector<ReportFailure> failures;          // ReadError: why, in side order
};

// What a run did, also when it stopped early: the pairs or reports it
// planned, with the results of those it finished.
struct RunResult {
  std::u16string summaryPath;  // empty when the run writes none
  std::vector<RunItem> items;
  bool differs = false;  // a comparison found a difference, a search a hit
  // Set by the caller before the run: the files it writes once the run ends
  // (the command line's JSON), which the run checks against its inputs as it
  // checks its pages.
  std::vector<std::u16string> alsoWritten;
  // Set by the run: one of `alsoWritten` is an input report, so the run
  // stopped at its input check and the caller must not write that file.
  bool alsoWrittenRefused = false;
  // The folder runs' pattern settings (SRC_FILE1, SRC_FILE2, SRC_FILE) that
  // matched no report in their folder, in that order.
  std::vector<std::u16string_view> unmatchedPatterns;
};

// Page 1: the file comparison, or every pair of equally named reports of two
// folders with a summary page.
// `result`, when given, receives what the run did; `clock` paces the
// summary page's rewrites; `view`, when given, renders every pair besides its
// page, or alone when OUTPUT_PATH is empty (then no page and no summary is
// written, and no output folder or name is asked for).
RunOutcome ExecDiff(const Settings& settings, WindowOps& window, RunResult* result = nullptr,
                    const RunClock& clock = SteadyRunClock(), ComparisonView* view = nullptr);
// Page 2: the two selected objects of the loaded reports.
RunOutcome ExecObjDiff(const Settings& settings, const ObjSide& side1, const TreeView& view1,
                       const ObjSide& side2, const TreeView& view2, WindowOps& window,
                       RunResult* result = nullptr);
// Page 3: the reports of one folder searched for up to three strings.
RunOutcome ExecSearch(const Settings& settings, WindowOps& window, RunResult* result = nullptr,
                      const RunClock& clock = SteadyRunClock());

}  // namespace tarnwick
