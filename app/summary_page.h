// The summary page of a folder comparison or a search: the folders, the
// start stamp, then one row per report with its status, linked to its result
// page where there is one. It is rewritten after every report, so that it
// always shows how far the run got.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "app/file_list.h"
#include "app/settings.h"

namespace tarnwick {

// The table body of the summary page. An empty folder2 gives the single
// folder row of the search. A non-empty `options` (the comparison options
// that are on) gets a row of its own below the stamp.
std::u16string SummaryTableBody(std::u16string_view stamp, std::u16string_view folder1,
                                std::u16string_view folder2, const std::vector<FileEntry>& files,
                                std::u16string_view options = {});

// Writes the whole summary page, replacing the file. Throws tarnwick::Error.
void WriteSummaryPage(std::u16string_view pagePath, std::u16string_view stamp,
                      std::u16string_view folder1, std::u16string_view folder2,
                      const std::vector<FileEntry>& files, std::u16string_view options = {});

// The summary page in the settings' page style: the classic page above, or
// the review summary with counts and links relative to the page.
void WriteRunSummary(const Settings& settings, std::u16string_view pagePath,
                     std::u16string_view stamp, std::u16string_view folder1,
                     std::u16string_view folder2, const std::vector<FileEntry>& files);

// `target` as a link from a page in `fromFolder`: relative when both lie
// under one root, else a file URL.
std::u16string RelativeHref(std::u16string_view fromFolder, std::u16string_view target);

}  // namespace tarnwick
