#include "cli/run_options.h"

#include <fstream>

#include "files/file_io.h"
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
    } else if (arg == "--exit-code") {
      options.exitCode = true;
    } else if (arg == "--help" || arg == "-h") {
      options.help = true;
      return true;
    } else if (arg == "--ini" || arg == "--set" || arg == "--json") {
      if (i + 1 == args.size()) {
        problem = std::string(arg) + " needs a value";
        return false;
      }
      const std::string_view value = args[++i];
      if (arg == "--json") {
        if (value.empty()) {
          problem = "--json needs a file name";
          return false;
        }
        options.jsonPath = FromUtf8(value);
      } else if (arg == "--set") {
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
    if (!std::ifstream(NativePath(iniPath), std::ios::binary).is_open() ||
        std::filesystem::is_directory(NativePath(iniPath))) {
      problem = "cannot read the settings file " + ToUtf8(iniPath);
      return false;
    }
    ReadIni(iniPath, options.settings);
  }
  for (const std::string_view set : sets) {
    if (set.find('=') == std::string_view::npos || !ApplyIniLine(FromUtf8(set), options.settings)) {
      problem = "--set needs KEY=VALUE with a known key: " + std::string(set);
      return false;
    }
  }
  return true;
}

std::u16string ResolvedPath(std::u16string_view path) {
  if (path.empty()) return {};
  const std::filesystem::path given = NativePath(path);
  if (given.is_absolute()) return std::u16string(path);
  std::error_code error;
  const std::filesystem::path here = std::filesystem::current_path(error);
  if (error) return std::u16string(path);
  std::filesystem::path full = (here / given).lexically_normal();
  const char16_t last = path.back();
  const bool trailing =
      last == u'/' || last == static_cast<char16_t>(std::filesystem::path::preferred_separator);
  std::u16string text = PathText(full);
  // "a/.." normalises to "a/"; the separator stays only where one was given.
  const char16_t separator = static_cast<char16_t>(std::filesystem::path::preferred_separator);
  if (!trailing && text.size() > 1 && text.back() == separator) text.pop_back();
  if (trailing && (text.empty() || text.back() != separator)) text += separator;
  return text;
}

void ResolveSettingPaths(Settings& settings) {
  for (std::u16string* path :
       {&settings.SRC_PATH1, &settings.SRC_PATH2, &settings.SRC_PATH, &settings.OUTPUT_PATH}) {
    *path = ResolvedPath(*path);
  }
}

}  // namespace tarnwick::cli
