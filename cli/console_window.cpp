#include "cli/console_window.h"

#include "cli/commands.h"
#include "cli/console_io.h"
#include "cli/interrupt.h"
#include "cli/shell_open.h"
#include "files/file_io.h"
#include "messages/message_catalog.h"
#include "text/utf8.h"

namespace tarnwick::cli {

ConsoleWindow::ConsoleWindow(bool open, bool quiet, bool force, UiLanguage language)
    : open_(open),
      showStatus_(!quiet && ErrorOutputIsTerminal()),
      force_(force),
      language_(language) {}

void ConsoleWindow::ShowMessage(const Message& message, MessageIcon) {
  PrintMessage(message, language_);
}

bool ConsoleWindow::ConfirmOverwrite(const Message& question) {
  if (force_) return true;
  ShowMessage({MessageId::OtherRunsPageKept, question.params, {u"OUTPUT_PATH", u"OUTPUT_FILE"}},
              MessageIcon::Warning);
  return false;
}

void ConsoleWindow::SetStatusText(const Message& status) {
  if (!showStatus_) return;
  // The window clears its label between steps; a console line says nothing then.
  const std::u16string text = MessageText(status, CatalogFor(language_));
  if (!text.empty()) WriteErrorOutput(ToUtf8(text) + '\n');
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
