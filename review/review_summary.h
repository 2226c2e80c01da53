// The review rendering of a summary page: the folders and their file name
// patterns, the start stamp (and the cancel, when one stopped the run), the
// comparison options that are on, totals, then one row per report with its
// result, its counts and a link to its page; a report that could not be read
// is a marked row saying why. Links are relative to the
// summary page, so the output folder can be moved or zipped whole.
#pragma once

#include <string>
#include <string_view>

#include "messages/page_words.h"
#include "search/run_summary.h"

namespace tarnwick {

std::u16string ReviewSummaryText(const RunSummary& summary,
                                 const PageWords& words = JapanesePageWords());

// `target` as a link from a page in `fromFolder`: relative when both lie
// under one root, else a file URL.
std::u16string RelativeHref(std::u16string_view fromFolder, std::u16string_view target);

}  // namespace tarnwick
