// The summary page of a folder comparison or a search: the folders, the
// start stamp, then one row per report with its status, linked to its result
// page where there is one. It is rewritten after every report, so that it
// always shows how far the run got.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "app/file_list.h"

namespace tarnwick {

// The table body of the summary page. An empty folder2 gives the single
// folder row of the search.
std::u16string SummaryTableBody(std::u16string_view stamp, std::u16string_view folder1,
                                std::u16string_view folder2, const std::vector<FileEntry>& files);

// Writes the whole summary page, replacing the file. Throws tarnwick::Error.
void WriteSummaryPage(std::u16string_view pagePath, std::u16string_view stamp,
                      std::u16string_view folder1, std::u16string_view folder2,
                      const std::vector<FileEntry>& files);

}  // namespace tarnwick
