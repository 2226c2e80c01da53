// The options that the run commands share: the settings they start from
// (base defaults, then --ini FILE read as the settings file is read at
// start, then each --set KEY=VALUE applied as one line of it, in order),
// --open and --quiet, and the operands left over. The CLI never writes a
// settings file.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/settings.h"
#include "cli/console_view.h"
#include "files/file_io.h"

namespace tarnwick::cli {

struct RunOptions {
  Settings settings;
  bool open = false;          // open the result at the end, whatever OUTPUT_AUTOOPEN holds
  bool quiet = false;         // no status lines
  bool exitCode = false;      // exit 3 when a finished run found differences or hits
  bool help = false;          // print the command's help instead of running
  bool force = false;         // write over pages that a run of another kind left
  std::u16string jsonPath;    // write the run's summary as JSON here; empty: none
  bool jsonToOutput = false;  // --json -: the summary goes to standard output
  ViewFormat format = ViewFormat::kNone;  // --format: a view on standard output
  ColorWhen color = ColorWhen::kAuto;     // --color
  // As given: bytes, which need not be UTF-8 where they name a file.
  std::vector<std::string> operands;
};

// Parses `args`; "--" ends the options. On wrong usage returns false and
// says why in `problem` (an --ini file that cannot be read, a --set without
// "=", with an unknown key or with a value its key does not take, an unknown
// option, a missing option value). A settings file is read leniently, as at
// start: a value it does not know gives the key's default.
// --format takes text or markdown, --color never, always or auto (alone:
// always), each also as --format=VALUE.
bool ParseRunOptions(std::span<const std::string_view> args, RunOptions& options,
                     std::string& problem);

// A relative path against the working directory, normalised (no "." or ".."
// segments, a trailing separator kept); an empty or absolute one as given.
std::u16string ResolvedPath(std::u16string_view path);
// The same for a path whose native spelling may be no text.
FilePath ResolvedPath(const FilePath& path);

// The folders of the settings (sources and output) resolved as above, so that
// pages name full paths and summary links lead to their pages.
void ResolveSettingPaths(Settings& settings);

}  // namespace tarnwick::cli
