// tarnwick-cli search: the search run of the window's third page, with the
// settings taken from --ini and --set and the console standing in for the
// window, so that every page is the one the window would write.
#include "app/runs.h"
#include "cli/commands.h"
#include "cli/console_window.h"
#include "cli/run_options.h"

namespace tarnwick::cli {

int RunSearch(Arguments args) {
  RunOptions options;
  std::string problem;
  if (!ParseRunOptions(args, options, problem)) return UsageError(problem);
  if (!options.operands.empty()) return UsageError("search takes no operands");
  // Without --open the console opens nothing, whatever the setting says.
  if (options.open) options.settings.OUTPUT_AUTOOPEN = true;
  ConsoleWindow window(options.open, options.quiet);
  return ExitStatus(ExecSearch(options.settings, window));
}

}  // namespace tarnwick::cli
