#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include "cli/shell_open.h"

namespace tarnwick::cli {

void OpenWithShell(const std::filesystem::path& file) {
  // The program's own folder as working directory, as the window has it.
  wchar_t program[MAX_PATH] = {};
  const DWORD length = ::GetModuleFileNameW(nullptr, program, MAX_PATH);
  const std::filesystem::path folder = length > 0 && length < MAX_PATH
                                           ? std::filesystem::path(program).parent_path()
                                           : std::filesystem::path();
  ::ShellExecuteW(nullptr, L"open", file.c_str(), nullptr,
                  folder.empty() ? nullptr : folder.c_str(), SW_SHOWNORMAL);
}

}  // namespace tarnwick::cli
