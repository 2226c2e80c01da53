// The checks every run makes before it writes anything: the text boxes its
// page needs are filled, and no page would replace one of its input reports.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "app/runs.h"
#include "app/settings.h"
#include "app/window_ops.h"

namespace tarnwick {

// Page 1, 2 or 3: on a setting that holds a NUL shows its warning, on the
// first empty box of the page (blanks count as content) its message with the
// critical icon, and returns false. Without `output` the output folder may
// be empty (a run that writes no page).
bool ValidateInputs(const Settings& settings, int page, WindowOps& window, bool output = true);

// The warning of a run that refuses to write over an input report.
Message OverwriteWarning(std::u16string_view page);

// False, after showing the warning for the first such page, when one of the
// pages is one of the inputs (the same existing file, however spelled).
bool CheckNoInputOverwritten(const std::vector<std::u16string>& pages,
                             const std::vector<std::u16string>& inputs, WindowOps& window);

// The same for a whole run: its pages, then the files its caller writes
// afterwards (`result->alsoWritten`, when a result is given), whose refusal
// is marked in the result.
bool CheckRunWritesNoInput(const std::vector<std::u16string>& pages,
                           const std::vector<std::u16string>& inputs, RunResult* result,
                           WindowOps& window);

}  // namespace tarnwick
