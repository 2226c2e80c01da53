#include "cli/console_window.h"

#include "cli/console_io.h"
#include "cli/interrupt.h"
#include "cli/shell_open.h"
#include "files/file_io.h"
#include "text/utf8.h"

namespace tarnwick::cli {

ConsoleWindow::ConsoleWindow(bool open, bool quiet)
    : open_(open), showStatus_(!quiet && ErrorOutputIsTerminal()) {}

void ConsoleWindow::ShowMessage(std::u16string_view text, MessageIcon) {
  WriteErrorOutput(ToUtf8(text) + '\n');
}

void ConsoleWindow::SetStatusText(std::u16string_view text) {
  // The window clears its label between steps; a console line says nothing then.
  if (showStatus_ && !text.empty()) WriteErrorOutput(ToUtf8(text) + '\n');
}

bool ConsoleWindow::CancelRequested() const {
  return CancelSignalled();
}

void ConsoleWindow::ShowNotReached(const std::vector<std::u16string>& names) {
  if (names.empty()) return;
  std::string text =
      "tarnwick-cli: interrupted; not reached (" + std::to_string(names.size()) + "):\n";
  for (const std::u16string& name : names) text += "  " + ToUtf8(name) + '\n';
  WriteErrorOutput(text);
}

void ConsoleWindow::OpenResult(std::u16string_view path) {
  if (open_) OpenWithShell(NativePath(path));
}

}  // namespace tarnwick::cli
