// tarnwick-cli diff, search, objdiff and nodes: the window's runs with the
// console in the window's place, so that every page is the one the window
// would write.
#include <optional>

#include "app/list_tree_view.h"
#include "app/object_path.h"
#include "app/runs.h"
#include "base/error.h"
#include "base/stop_request.h"
#include "cli/ci_output.h"
#include "cli/commands.h"
#include "cli/console_io.h"
#include "cli/console_view.h"
#include "cli/console_window.h"
#include "cli/help.h"
#include "cli/interrupt.h"
#include "cli/run_options.h"
#include "files/file_io.h"
#include "messages/page_words.h"
#include "pages/page_names.h"
#include "text/utf8.h"

namespace tarnwick::cli {

namespace {

using PageRun = RunOutcome (*)(const Settings&, WindowOps&, RunResult*, const RunClock&,
                               ComparisonView*);

RunOutcome SearchRun(const Settings& settings, WindowOps& window, RunResult* result,
                     const RunClock& clock, ComparisonView*) {
  return ExecSearch(settings, window, result, clock);
}

// One field of a nodes line, safe for a terminal and for splitting at TAB and
// LF: control characters (C0, DEL, C1) are escaped as `tree` escapes them in
// JSON (\t \n \r \b \f, else \u00XX), and a backslash is doubled so that
// the escapes read back. Any other text, the whole of an ordinary name, is
// written as itself.
std::string NodeField(std::u16string_view text) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::u16string plain;
  std::string out;
  const auto flush = [&] {
    out += ToUtf8(plain);
    plain.clear();
  };
  for (const char16_t c : text) {
    const bool control = c < 0x20 || (c >= 0x7F && c <= 0x9F);
    if (!control && c != u'\\') {
      plain += c;
      continue;
    }
    flush();
    switch (c) {
      case u'\\':
        out += "\\\\";
        break;
      case u'\t':
        out += "\\t";
        break;
      case u'\n':
        out += "\\n";
        break;
      case u'\r':
        out += "\\r";
        break;
      case u'\b':
        out += "\\b";
        break;
      case u'\f':
        out += "\\f";
        break;
      default:
        out += "\\u00";
        out += kHex[c >> 4];
        out += kHex[c & 0xF];
    }
  }
  flush();
  return out;
}

// Ends a command: the warnings of patterns that found nothing, the JSON
// summary when asked for, and the totals line. Gives the exit status; a
// summary that cannot be written is a run error. Standard output keeps to one
// thing: with a view or the JSON on it, the totals go to standard error.
int Conclude(std::string_view command, const RunOptions& options, RunOutcome outcome,
             const RunResult& result, RunConsole& console) {
  // A run that went on past reports it could not read says which, below
  // its last message.
  bool wentOn = false;
  for (const RunItem& item : result.items) {
    for (const ReportFailure& failure : item.failures) console.ShowText(failure.message);
    wentOn = wentOn || item.status == FileStatus::ReadError;
  }
  if (outcome == RunOutcome::Finished || wentOn) {
    for (const Message& warning : UnmatchedPatternWarnings(result, options.settings)) {
      console.ShowMessage(warning, MessageIcon::Warning);
    }
  }
  const int status = RunExitStatus(outcome, result, options.exitCode);
  // A JSON file that is one of the run's reports is never written over it.
  const bool json = options.jsonToOutput || !options.jsonPath.empty();
  if (json && !result.alsoWrittenRefused) {
    const std::string text =
        RunJson(command, outcome, status, options.settings, result, console.Messages());
    try {
      if (options.jsonToOutput) {
        WriteOutput(text);
      } else {
        WriteFileBytes(options.jsonPath, text);
      }
    } catch (const Error& error) {
      const std::u16string name = options.jsonToOutput ? u"-" : options.jsonPath;
      PrintMessage({MessageId::JsonWriteFailed, {name, error.Description()}},
                   options.settings.UI_LANGUAGE);
      return kExitRunError;
    }
  }
  if (!options.quiet && outcome != RunOutcome::Rejected) {
    const std::string totals = TotalsLine(command, result);
    if (totals.empty()) return status;
    if (options.jsonToOutput || options.format != ViewFormat::kNone) {
      WriteErrorOutput(totals);
    } else {
      WriteOutput(totals);
    }
  }
  return status;
}

// A run of the first or the third page, with the settings from --ini and --set.
int RunPage(Arguments args, std::string_view command, PageRun run) {
  RunOptions options;
  std::string problem;
  if (!ParseRunOptions(args, options, problem)) return UsageError(problem);
  if (options.help) {
    PrintHelpOf(command);
    return kExitFinished;
  }
  if (!options.operands.empty()) return UsageError(std::string(command) + " takes no operands");
  if (options.format != ViewFormat::kNone && command == "search") {
    return UsageError("search takes no --format");
  }
  // Without --open the console opens nothing, whatever the setting says.
  if (options.open) options.settings.OUTPUT_AUTOOPEN = true;
  ResolveSettingPaths(options.settings);
  RunConsole console(options.open, options.quiet, options.force, options.settings);
  CancelOnSignals();
  RunResult result;
  if (!options.jsonPath.empty()) result.alsoWritten.push_back(options.jsonPath);
  // Whatever escapes the run's own handler still ends in the JSON.
  RunOutcome outcome = RunOutcome::Failed;
  std::u16string stage;
  std::optional<ConsoleView> view;
  if (options.format != ViewFormat::kNone) {
    view.emplace(options.format, UseColor(options.color, false),
                 PageWordsFor(options.settings.UI_LANGUAGE));
  }
  const RunOutcome guarded = GuardRun(console, stage, [&] {
    outcome = run(options.settings, console, &result, SteadyRunClock(), view ? &*view : nullptr);
    // The Markdown view sums up the whole run: only a finished one has it.
    if (view && (outcome == RunOutcome::Finished || options.format == ViewFormat::kText)) {
      view->Finish();
    }
  });
  if (guarded != RunOutcome::Finished) outcome = guarded;
  return Conclude(command, options, outcome, result, console);
}

}  // namespace

int RunDiff(Arguments args) {
  return RunPage(args, "diff", ExecDiff);
}

int RunSearch(Arguments args) {
  return RunPage(args, "search", SearchRun);
}

int RunObjDiff(Arguments args) {
  RunOptions options;
  std::string problem;
  if (!ParseRunOptions(args, options, problem)) return UsageError(problem);
  if (options.help) {
    PrintHelpOf("objdiff");
    return kExitFinished;
  }
  if (options.operands.size() != 4) {
    return UsageError("objdiff needs REPORT1 NODEKEY1 REPORT2 NODEKEY2");
  }
  if (options.format != ViewFormat::kNone) return UsageError("objdiff takes no --format");
  if (options.open) options.settings.OUTPUT_AUTOOPEN = true;
  ResolveSettingPaths(options.settings);
  RunConsole console(options.open, options.quiet, options.force, options.settings);
  CancelOnSignals(true);
  ObjSide sides[2];
  ListTreeView views[2];
  RunResult result;
  if (!options.jsonPath.empty()) result.alsoWritten.push_back(options.jsonPath);
  std::optional<std::vector<std::u16string>> paths[2];
  for (int n = 0; n < 2; ++n) {
    const std::u16string object = FromUtf8(options.operands[2 * n + 1]);
    if (IsNodeKey(object)) continue;
    paths[n] = ObjectPathNames(object);
    if (!paths[n]) {
      return UsageError("objdiff: NODEKEY" + std::to_string(n + 1) +
                        " is neither a node key nor an object path: " + ToUtf8(object));
    }
  }
  std::vector<Message> notFound;
  for (int n = 0; n < 2; ++n) {
    const FilePath report = ResolvedPath(FilePathOfBytes(options.operands[2 * n]));
    if (!DropReportOnTree({report}, sides[n], views[n], console, options.settings.UI_LANGUAGE,
                          options.settings.REPORT_ENCODING)) {
      // Even a report that does not load is no place for the JSON.
      result.alsoWrittenRefused =
          PageOverwritingInput(result.alsoWritten, {report.text}).has_value();
      const RunOutcome failed = StopNowRequested() ? RunOutcome::Cancelled : RunOutcome::Failed;
      return Conclude("objdiff", options, failed, result, console);
    }
    const std::u16string object = FromUtf8(options.operands[2 * n + 1]);
    const std::optional<std::u16string> key =
        paths[n] ? NodeKeyOfPath(views[n], *paths[n]) : std::optional(object);
    if (!key || !views[n].Select(*key)) {
      notFound.push_back(
          {n == 0 ? MessageId::ObjectNotFound1 : MessageId::ObjectNotFound2, {object}});
    }
  }
  // The run's own checks come first; only where it finds nothing selected
  // does the console say which operand named nothing.
  console.ExplainNothingSelected(std::move(notFound));
  const RunOutcome outcome =
      ExecObjDiff(options.settings, sides[0], views[0], sides[1], views[1], console, &result);
  return Conclude("objdiff", options, outcome, result, console);
}

int RunNodes(Arguments args) {
  if (args.size() != 1 || (args[0].starts_with("-") && args[0] != "-")) {
    return UsageError("nodes needs exactly one REPORT");
  }
  ConsoleWindow console(false, true);
  ObjSide side;
  ListTreeView view;
  // The nodes added before a load fails (the root of an empty report) are
  // printed too: they are what the tree view shows.
  const bool loaded = DropReportOnTree({FilePathOfBytes(args[0])}, side, view, console);
  std::string out;
  for (std::size_t i = 0; i < view.Nodes().size(); ++i) {
    const auto& node = view.Nodes()[i];
    out += NodeField(node.key) + '\t' + NodeField(node.text) + '\t' +
           NodeField(side.ObjPathTexts[i]) + '\n';
  }
  WriteOutput(out);
  return loaded ? kExitFinished : kExitRunError;
}

}  // namespace tarnwick::cli
