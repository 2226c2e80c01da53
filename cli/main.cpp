// tarnwick-cli: the headless twin of the window.
#include <exception>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "app/run_guard.h"
#include "cli/commands.h"
#include "cli/console_io.h"
#include "cli/help.h"
#include "messages/message_catalog.h"
#include "text/utf8.h"

namespace tarnwick::cli {

namespace {

constexpr Command kCommands[] = {
    {"diff", RunDiff,
     "diff    [--ini FILE] [--set KEY=VALUE]... [--ignore FILE] [--open] [--quiet] [--exit-code]\n"
     "                [--force] [--json FILE|-] [--format text|markdown] [--color[=WHEN]]"},
    {"search", RunSearch,
     "search  [--ini FILE] [--set KEY=VALUE]... [--open] [--quiet] [--exit-code] [--force]\n"
     "                [--json FILE|-]"},
    {"objdiff", RunObjDiff,
     "objdiff [--ini FILE] [--set KEY=VALUE]... [--ignore FILE] [--open] [--quiet] [--exit-code]\n"
     "                [--force] [--json FILE|-] REPORT1 NODEKEY1|PATH1 REPORT2 NODEKEY2|PATH2"},
    {"tree", RunTree, "tree    REPORT"},
    {"nodes", RunNodes, "nodes   REPORT"},
    {"textconv", RunTextconv, "textconv [--ini FILE] [--set KEY=VALUE]... REPORT"},
    {"git-diff", RunGitDiff,
     "git-diff [--color[=WHEN]] [--set KEY=VALUE]... PATH OLD-FILE OLD-HEX OLD-MODE\n"
     "                NEW-FILE NEW-HEX NEW-MODE"},
    {"difftool", RunDifftool, "difftool [--no-open] [--set KEY=VALUE]... LOCAL REMOTE"},
};

std::string Usage() {
  std::string usage = "usage:\n";
  for (const Command& command : kCommands) {
    usage.append("  tarnwick-cli ").append(command.usage).append("\n");
  }
  usage +=
      "  tarnwick-cli --help | --version\n"
      "  tarnwick-cli COMMAND --help     the command's options, setting keys and exit codes\n";
  return usage;
}

int Dispatch(const std::vector<std::string_view>& args) {
  if (args.empty()) return UsageError("no command given");
  if (args.size() == 1 && args[0] == "--help") {
    WriteOutput(Usage());
    return kExitFinished;
  }
  if (args.size() == 1 && args[0] == "--version") {
    WriteOutput(std::string("tarnwick-cli ") + TARNWICK_VERSION + "\n");
    return kExitFinished;
  }
  for (const Command& command : kCommands) {
    if (command.name != args[0]) continue;
    if (args.size() == 2 && (args[1] == "--help" || args[1] == "-h")) {
      PrintHelpOf(command.name);
      return kExitFinished;
    }
    return command.run(Arguments(args).subspan(1));
  }
  return UsageError("unknown command: " + std::string(args[0]));
}

}  // namespace

int UsageError(std::string_view message) {
  WriteErrorOutput("tarnwick-cli: " + std::string(message) + "\n" + Usage());
  return kExitUsage;
}

void PrintMessage(const Message& message, UiLanguage language) {
  WriteErrorOutput(ToUtf8(MessageText(message, CatalogFor(language))) + '\n');
}

void PrintHelpOf(std::string_view command) {
  std::ostringstream help;
  PrintCommandHelp(command, help);
  WriteOutput(help.str());
}

}  // namespace tarnwick::cli

int main(int argc, char** argv) {
  using namespace tarnwick;
  using namespace tarnwick::cli;
  // Whatever escapes a command (standard output that cannot be written, no
  // memory left) is a run error with its message, never an abort.
  try {
    const std::vector<std::string> arguments = Utf8Arguments(argc, argv);
    return Dispatch(std::vector<std::string_view>(arguments.begin(), arguments.end()));
  } catch (const std::exception& error) {
    PrintMessage(RunErrorMessage(u"", ErrorDescription(error)));
  }
  return kExitRunError;
}
