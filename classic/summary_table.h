// The classic summary page's table: the folders, the start stamp, the
// comparison options that are on, then one row per report with its status,
// linked to its result page where the status has one.
#pragma once

#include <string>
#include <string_view>

#include "classic/html_table.h"
#include "search/run_summary.h"

namespace tarnwick {

// Writes the rows of `summary` into `table`. A search has the single folder
// row; a comparison with options on gets a row for them below the stamp.
void WriteSummaryTable(const RunSummary& summary, HTMLTblCls& table,
                       const PageWords& words = JapanesePageWords());

// A page path made safe as an href of a code page 932 page: & " < > as
// entities; %, # and ? percent-encoded, and so is (as its UTF-8 bytes) every
// character the code page cannot hold or a browser would mangle (control
// characters, "\\" where it is no separator, U+F8F0-U+F8F3), so that the link
// leads to the file actually written. Other characters pass unchanged.
std::u16string EscapeLinkTarget(std::u16string_view path);

}  // namespace tarnwick
