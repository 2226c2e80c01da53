// The summary page of a folder comparison or a search: the folders, the
// start stamp, then one row per report with its status, linked to its result
// page where there is one. It is rewritten after every report, so that it
// always shows how far the run got.
#pragma once

#include <string_view>
#include <vector>

#include "app/file_list.h"
#include "app/settings.h"

namespace tarnwick {

// Writes the summary page in the settings' page style, replacing the file.
// An empty folder2 makes it a search's summary. Throws tarnwick::Error.
void WriteRunSummary(const Settings& settings, std::u16string_view pagePath,
                     std::u16string_view stamp, std::u16string_view folder1,
                     std::u16string_view folder2, const std::vector<FileEntry>& files);

}  // namespace tarnwick
