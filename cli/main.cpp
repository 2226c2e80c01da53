// tarnwick-cli: the headless twin of the window.
#include <iostream>
#include <string_view>
#include <vector>

#include "cli/commands.h"
#include "cli/help.h"
#include "text/utf8.h"

namespace tarnwick::cli {

namespace {

constexpr Command kCommands[] = {
    {"diff", RunDiff,
     "diff    [--ini FILE] [--set KEY=VALUE]... [--open] [--quiet] [--exit-code] [--json FILE]"},
    {"search", RunSearch,
     "search  [--ini FILE] [--set KEY=VALUE]... [--open] [--quiet] [--exit-code] [--json FILE]"},
    {"objdiff", RunObjDiff,
     "objdiff [--ini FILE] [--set KEY=VALUE]... [--open] [--exit-code] [--json FILE]\n"
     "                REPORT1 NODEKEY1 REPORT2 NODEKEY2"},
    {"tree", RunTree, "tree    REPORT"},
    {"nodes", RunNodes, "nodes   REPORT"},
};

void PrintUsage(std::ostream& out) {
  out << "usage:\n";
  for (const Command& command : kCommands) out << "  tarnwick-cli " << command.usage << '\n';
  out << "  tarnwick-cli --help | --version\n"
         "  tarnwick-cli COMMAND --help     the command's options, setting keys and exit codes\n";
}

}  // namespace

int UsageError(std::string_view message) {
  std::cerr << "tarnwick-cli: " << message << '\n';
  PrintUsage(std::cerr);
  return kExitUsage;
}

void PrintMessage(std::u16string_view text) {
  std::cerr << ToUtf8(text) << std::endl;
}

}  // namespace tarnwick::cli

int main(int argc, char** argv) {
  using namespace tarnwick::cli;
  const std::vector<std::string_view> args(argv + 1, argv + argc);
  if (args.empty()) return UsageError("no command given");
  if (args.size() == 1 && args[0] == "--help") {
    PrintUsage(std::cout);
    return kExitFinished;
  }
  if (args.size() == 1 && args[0] == "--version") {
    std::cout << "tarnwick-cli " << TARNWICK_VERSION << '\n';
    return kExitFinished;
  }
  for (const Command& command : kCommands) {
    if (command.name != args[0]) continue;
    if (args.size() == 2 && (args[1] == "--help" || args[1] == "-h")) {
      PrintCommandHelp(command.name, std::cout);
      return kExitFinished;
    }
    return command.run(Arguments(args).subspan(1));
  }
  return UsageError("unknown command: " + std::string(args[0]));
}
