#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <algorithm>
#include <system_error>

#include "cli/console_io.h"
#include "files/file_error.h"
#include "messages/message_catalog.h"
#include "text/utf8.h"

namespace tarnwick::cli {

namespace {

bool IsConsole(HANDLE handle) {
  DWORD mode = 0;
  return ::GetConsoleMode(handle, &mode) != 0;
}

// A console gets UTF-16, anything else (a file, a pipe) the UTF-8 bytes.
// Returns the error code of a failure, 0 on success.
DWORD WriteAll(HANDLE handle, std::string_view text) {
  if (IsConsole(handle)) {
    const std::u16string wide = FromUtf8(text);
    std::size_t done = 0;
    while (done < wide.size()) {
      DWORD put = 0;
      const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(wide.size() - done, 8192));
      if (!::WriteConsoleW(handle, wide.data() + done, chunk, &put, nullptr)) {
        return ::GetLastError();
      }
      done += put;
    }
    return 0;
  }
  while (!text.empty()) {
    DWORD put = 0;
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(text.size(), 1 << 20));
    if (!::WriteFile(handle, text.data(), chunk, &put, nullptr)) return ::GetLastError();
    text.remove_prefix(put);
  }
  return 0;
}

}  // namespace

std::vector<std::string> Utf8Arguments(int, char**) {
  // argv holds the arguments in the system's code page; the wide command
  // line holds every character.
  int count = 0;
  wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  std::vector<std::string> arguments;
  for (int i = 1; i < count; ++i) {
    const std::wstring_view argument(wide[i]);
    arguments.push_back(ToUtf8(std::u16string(argument.begin(), argument.end())));
  }
  ::LocalFree(wide);
  return arguments;
}

void WriteOutput(std::string_view text) {
  if (const DWORD error = WriteAll(::GetStdHandle(STD_OUTPUT_HANDLE), text)) {
    ThrowFileError(std::error_code(static_cast<int>(error), std::system_category()),
                   MessageText(MessageId::StandardOutput));
  }
}

void WriteErrorOutput(std::string_view text) {
  (void)WriteAll(::GetStdHandle(STD_ERROR_HANDLE), text);
}

bool ErrorOutputIsTerminal() {
  return IsConsole(::GetStdHandle(STD_ERROR_HANDLE));
}

bool OutputIsTerminal() {
  const HANDLE handle = ::GetStdHandle(STD_OUTPUT_HANDLE);
  DWORD mode = 0;
  if (::GetConsoleMode(handle, &mode) == 0) return false;
  // A console older than Windows 10 prints the escapes as they are.
  return (mode & ENABLE_VIRTUAL_TERMINAL_PROCESSING) != 0 ||
         ::SetConsoleMode(handle, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING) != 0;
}

}  // namespace tarnwick::cli
