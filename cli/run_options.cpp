#include "cli/run_options.h"

#include <deque>
#include <exception>
#include <filesystem>
#include <optional>
#include <system_error>

#include "app/run_guard.h"
#include "files/file_io.h"
#include "text/upper_case.h"
#include "text/utf8.h"

namespace tarnwick::cli {

namespace {

// "A, B or C".
std::string Alternatives(const std::vector<std::u16string_view>& values) {
  std::string out;
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (i > 0) out += i + 1 == values.size() ? " or " : ", ";
    out += ToUtf8(values[i]);
  }
  return out;
}

// Why one --set cannot be applied, empty when it can. A typed value is meant:
// unlike a line of a settings file, one that its key does not take is refused.
std::string SetProblem(std::string_view set) {
  const std::u16string text = FromUtf8(set);
  const std::optional<IniLine> line = SplitIniLine(text);
  if (!line || !SettingValueText(BaseDefaults(), line->key)) {
    return "--set needs KEY=VALUE with a known key: " + std::string(set);
  }
  const std::vector<std::u16string_view> allowed = AllowedValues(line->key);
  if (allowed.empty()) return {};
  const std::u16string value = UpperCase(line->value);
  for (const std::u16string_view spelling : allowed) {
    if (UpperCase(spelling) == value) return {};
  }
  return "--set " + std::string(set) + ": " + ToUtf8(line->key) + " takes " +
         Alternatives(allowed) + " (in any case)";
}

}  // namespace

bool ParseRunOptions(std::span<const std::string_view> args, RunOptions& options,
                     std::string& problem) {
  std::string_view iniPath;
  bool iniGiven = false;
  std::vector<std::string_view> sets;
  std::deque<std::string> ignoreSets;  // stable: `sets` views them
  bool optionsEnded = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    if (optionsEnded || arg.empty() || arg.front() != '-' || arg == "-") {
      options.operands.emplace_back(arg);
    } else if (arg == "--") {
      optionsEnded = true;
    } else if (arg == "--open") {
      options.open = true;
    } else if (arg == "--quiet") {
      options.quiet = true;
    } else if (arg == "--exit-code") {
      options.exitCode = true;
    } else if (arg == "--force") {
      options.force = true;
    } else if (arg == "--color" || arg == "--color=always") {
      options.color = ColorWhen::kAlways;
    } else if (arg == "--color=never") {
      options.color = ColorWhen::kNever;
    } else if (arg == "--color=auto") {
      options.color = ColorWhen::kAuto;
    } else if (arg.starts_with("--color=")) {
      problem = "--color takes never, always or auto: " + std::string(arg);
      return false;
    } else if (arg == "--format" || arg.starts_with("--format=")) {
      std::string_view value;
      if (arg == "--format") {
        if (i + 1 == args.size()) {
          problem = "--format needs a value";
          return false;
        }
        value = args[++i];
      } else {
        value = arg.substr(9);
      }
      if (value == "text") {
        options.format = ViewFormat::kText;
      } else if (value == "markdown") {
        options.format = ViewFormat::kMarkdown;
      } else {
        problem = "--format takes text or markdown: " + std::string(value);
        return false;
      }
    } else if (arg == "--help" || arg == "-h") {
      options.help = true;
      return true;
    } else if (arg == "--ini" || arg == "--set" || arg == "--json" || arg == "--ignore") {
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
        options.jsonToOutput = value == "-";
        options.jsonPath = options.jsonToOutput ? std::u16string() : FromUtf8(value);
      } else if (arg == "--set") {
        sets.push_back(value);
      } else if (arg == "--ignore") {
        // The same as --set IGNORE_FILE=FILE, in its place among the --set.
        ignoreSets.push_back("IGNORE_FILE=" + std::string(value));
        sets.push_back(ignoreSets.back());
      } else if (iniGiven) {
        problem = "--ini may be given once";
        return false;
      } else {
        iniGiven = true;
        iniPath = value;
      }
    } else {
      problem = "unknown option: " + std::string(arg);
      return false;
    }
  }

  options.settings = BaseDefaults();
  if (iniGiven) {
    // Read at once and bounded: a FIFO, a device or a huge file is refused.
    const FilePath ini = FilePathOfBytes(iniPath);
    try {
      ApplyIniText(ReadIniText(ini), options.settings);
    } catch (const std::exception& error) {
      problem = "cannot read the settings file " + ToUtf8(ini.text) + " (" +
                ToUtf8(ErrorDescription(error)) + ")";
      return false;
    }
  }
  for (const std::string_view set : sets) {
    problem = SetProblem(set);
    if (!problem.empty()) return false;
    ApplyIniLine(FromUtf8(set), options.settings);
  }
  if (options.jsonToOutput && options.format != ViewFormat::kNone) {
    problem = "--json - and --format both write to standard output";
    return false;
  }
  return true;
}

std::u16string ResolvedPath(std::u16string_view path) {
  if (path.empty()) return {};
  return ResolvedPath(FilePathOf(path)).text;
}

FilePath ResolvedPath(const FilePath& path) {
  if (path.text.empty() || path.native.is_absolute()) return path;
  std::error_code error;
  const std::filesystem::path here = std::filesystem::current_path(error);
  if (error) return path;
  auto full = (here / path.native).lexically_normal().native();
  const char16_t last = path.text.back();
  const auto separator = std::filesystem::path::preferred_separator;
  const bool trailing = last == u'/' || last == static_cast<char16_t>(separator);
  // "a/.." normalises to "a/"; the separator stays only where one was given.
  if (!trailing && full.size() > 1 && full.back() == separator) full.pop_back();
  if (trailing && (full.empty() || full.back() != separator)) full += separator;
  FilePath resolved{std::filesystem::path(std::move(full)), {}};
  resolved.text = PathText(resolved.native);
  return resolved;
}

void ResolveSettingPaths(Settings& settings) {
  for (std::u16string* path : {&settings.SRC_PATH1, &settings.SRC_PATH2, &settings.SRC_PATH,
                               &settings.OUTPUT_PATH, &settings.IGNORE_FILE}) {
    *path = ResolvedPath(*path);
  }
}

}  // namespace tarnwick::cli
