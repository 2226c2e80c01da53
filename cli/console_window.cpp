#include "cli/console_window.h"

#include <fcntl.h>
#include <spawn.h>
#include <unistd.h>

#include <iostream>

#include "cli/interrupt.h"
#include "files/file_io.h"
#include "text/utf8.h"

extern char** environ;

namespace tarnwick::cli {

ConsoleWindow::ConsoleWindow(bool open, bool quiet)
    : open_(open), showStatus_(!quiet && ::isatty(STDERR_FILENO) == 1) {}

void ConsoleWindow::ShowMessage(std::u16string_view text, MessageIcon) {
  std::cerr << ToUtf8(text) << std::endl;
}

void ConsoleWindow::SetStatusText(std::u16string_view text) {
  // The window clears its label between steps; a console line says nothing then.
  if (showStatus_ && !text.empty()) std::cerr << ToUtf8(text) << std::endl;
}

bool ConsoleWindow::CancelRequested() const {
  return CancelSignalled();
}

void ConsoleWindow::ShowNotReached(const std::vector<std::u16string>& names) {
  if (names.empty()) return;
  std::cerr << "tarnwick-cli: interrupted; not reached (" << names.size() << "):\n";
  for (const std::u16string& name : names) std::cerr << "  " << ToUtf8(name) << '\n';
  std::cerr << std::flush;
}

void ConsoleWindow::OpenResult(std::u16string_view path) {
  if (!open_) return;
  const std::string native = NativePath(path).string();
  char program[] = "xdg-open";
  char* argv[] = {program, const_cast<char*>(native.c_str()), nullptr};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  pid_t child = 0;
  // As the window does, the outcome is not checked.
  (void)posix_spawnp(&child, program, &actions, nullptr, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
}

}  // namespace tarnwick::cli
