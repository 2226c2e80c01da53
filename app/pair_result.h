// One pair of a comparison, or one report of a search, as the run settled it:
// what the window's result list shows of it while the run goes on. A plain
// value, built where the run settles the pair's summary row, so the list and
// the summary page never disagree.
#pragma once

#include <string>
#include <vector>

#include "diff/change_counts.h"
#include "diff/file_status.h"
#include "search/search_table.h"

namespace tarnwick {

struct PairResult {
  std::u16string name;   // as the summary names it; file mode: SRC_FILE1
  std::u16string path1;  // side 1's report (the search's report); empty when absent
  std::u16string path2;  // side 2's report; empty when absent and for a search
  FileStatus status = FileStatus::Unprocessed;
  ChangeCounts counts;  // comparisons
  SearchCounts hits;    // searches
  std::u16string page;  // its result page; empty when it has none
  // Why the pair could not be compared (the run's own message), when it
  // could not; empty otherwise.
  std::u16string failure;
};

// The failures' messages, one a line, as a pair's failure text.
inline std::u16string FailureText(const std::vector<ReportFailure>& failures) {
  std::u16string text;
  for (const ReportFailure& failure : failures) {
    if (!text.empty()) text += u'\n';
    text += failure.message;
  }
  return text;
}

}  // namespace tarnwick
