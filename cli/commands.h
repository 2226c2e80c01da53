// The subcommands of tarnwick-cli. Each receives the arguments after its own
// name and returns the process exit status; main() only dispatches. To add a
// command, declare its function here and add one row to kCommands in main.cpp.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "cli/exit_status.h"
#include "messages/message.h"
#include "messages/ui_language.h"

namespace tarnwick::cli {

using Arguments = std::span<const std::string_view>;

struct Command {
  std::string_view name;
  int (*run)(Arguments args);
  std::string_view usage;  // the synopsis after "tarnwick-cli "
};

// Prints the message and the full usage to standard error; returns kExitUsage.
int UsageError(std::string_view message);
// Prints a message as a message box shows it to standard error: UTF-8, as
// is, then a newline.
void PrintMessage(const Message& message, UiLanguage language = UiLanguage::Japanese);
// Prints the command's help to standard output.
void PrintHelpOf(std::string_view command);

int RunTree(Arguments args);
int RunDiff(Arguments args);
int RunObjDiff(Arguments args);
int RunNodes(Arguments args);
int RunSearch(Arguments args);
int RunGitDiff(Arguments args);
int RunTextconv(Arguments args);
int RunDifftool(Arguments args);

}  // namespace tarnwick::cli
