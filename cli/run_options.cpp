#include "cli/run_options.h"

#include <exception>

#include "app/run_guard.h"
#include "text/utf8.h"

namespace tarnwick::cli {

bool ParseRunOptions(std::span<const std::string_view> args, RunOptions& options,
                     std::string& problem) {
  std::u16string iniPath;
  bool iniGiven = false;
  std::vector<std::string_view> sets;
  bool optionsEnded = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    if (optionsEnded || arg.empty() || arg.front() != '-' || arg == "-") {
      options.operands.push_back(FromUtf8(arg));
    } else if (arg == "--") {
      optionsEnded = true;
    } else if (arg == "--open") {
      options.open = true;
    } else if (arg == "--quiet") {
      options.quiet = true;
    } else if (arg == "--ini" || arg == "--set") {
      if (i + 1 == args.size()) {
        problem = std::string(arg) + " needs a value";
        return false;
      }
      const std::string_view value = args[++i];
      if (arg == "--set") {
        sets.push_back(value);
      } else if (iniGiven) {
        problem = "--ini may be given once";
        return false;
      } else {
        iniGiven = true;
        iniPath = FromUtf8(value);
      }
    } else {
      problem = "unknown option: " + std::string(arg);
      return false;
    }
  }

  options.settings = BaseDefaults();
  if (iniGiven) {
    // Read at once and bounded: a FIFO, a device or a huge file is refused.
    try {
      ApplyIniText(ReadIniText(iniPath), options.settings);
    } catch (const std::exception& error) {
      problem = "cannot read the settings file " + ToUtf8(iniPath) + " (" +
                ToUtf8(ErrorDescription(error)) + ")";
      return false;
    }
  }
  for (const std::string_view set : sets) {
    if (set.find('=') == std::string_view::npos || !ApplyIniLine(FromUtf8(set), options.settings)) {
      problem = "--set needs KEY=VALUE with a known key: " + std::string(set);
      return false;
    }
  }
  return true;
}

}  // namespace tarnwick::cli
