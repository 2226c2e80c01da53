// Opening a result page with the desktop's default application, on each
// platform (shell_open_posix.cpp, shell_open_windows.cpp). As the window does,
// the outcome is not checked.
#pragma once

#include <filesystem>

namespace tarnwick::cli {

void OpenWithShell(const std::filesystem::path& file);

}  // namespace tarnwick::cli
