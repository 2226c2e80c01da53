// The review rendering of a summary page: the folders, the start stamp, the
// comparison options that are on, totals, then one row per report with its
// result, its counts and a link to its page. Links are relative to the
// summary page, so the output folder can be moved or zipped whole.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "diff/change_counts.h"
#include "diff/compare_options.h"
#include "search/search_table.h"

namespace tarnwick {

enum class SummaryKind { kComparison, kSearch };

// How a report fared; decides the mark beside the result text.
enum class RowResult { kPending, kSame, kDifferent, kOnly1, kOnly2, kMatch, kNoMatch };

struct SummaryRow {
  std::u16string name;
  std::u16string resultText;  // as the classic summary words it
  RowResult result = RowResult::kPending;
  std::u16string href;  // relative, ready for an attribute; empty: no page yet
  ChangeCounts counts;  // comparisons
  SearchCounts hits;    // searches
};

struct SummaryPage {
  SummaryKind kind = SummaryKind::kComparison;
  std::u16string stamp;
  std::u16string folder1;
  std::u16string folder2;  // empty for a search
  CompareOptions options;
  std::vector<SummaryRow> rows;
};

std::u16string ReviewSummaryText(const SummaryPage& page);

}  // namespace tarnwick
