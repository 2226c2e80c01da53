// The classic summary page's table: the folders, the file name patterns
// when the two sides' differ (the only case where a pattern hides a report
// of one side), the start stamp, the cancel when a cancel stopped the run,
// the comparison options that are on, then one row per report with its
// status, linked to its result page where the status has one; a read error
// says why in a third cell.
#pragma once

#include <string>
#include <string_view>

#include "classic/html_table.h"
#include "search/run_summary.h"

namespace tarnwick {

// Writes the rows of `summary` into `table`. A search has the single folder
// row and no pattern rows; a comparison with options on gets a row for them
// below the stamp.
void WriteSummaryTable(const RunSummary& summary, HTMLTblCls& table,
                       const PageWords& words = JapanesePageWords());

// A page path made safe as an href of a code page 932 page: & " < > as
// entities; %, # and ? percent-encoded, and so is (as its UTF-8 bytes) every
// character the code page cannot hold or a browser would mangle (control
// characters, "\\" where it is no separator, U+F8F0-U+F8F3), so that the link
// leads to the file actually written. Other characters pass unchanged.
std::u16string EscapeLinkTarget(std::u16string_view path);

}  // namespace tarnwick
