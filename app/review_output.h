// Where the runs meet the options beyond the classic pages: the comparison
// options and the page style as the settings hold them, and the one place a
// review page reaches the disk (UTF-8, replacing the file).
#pragma once

#include <string_view>

#include "app/settings.h"
#include "diff/compare_options.h"

namespace tarnwick {

CompareOptions CompareOptionsOf(const Settings& settings);

// Writes `text` as the page's bytes in UTF-8. Throws tarnwick::Error.
void WriteUtf8Page(std::u16string_view path, std::u16string_view text);

}  // namespace tarnwick
