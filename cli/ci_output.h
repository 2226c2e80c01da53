// What the command line adds around a run for scripts and CI: input-check
// messages that name the setting concerned (cli/setting_keys.h), the exit status of --exit-code,
// and the --json summary of the run (schema in README.md).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "app/runs.h"
#include "cli/console_window.h"

namespace tarnwick::cli {

// The console of a run command: each message box also names the settings it
// is about, and every message is kept (as shown) for the JSON summary. With
// --quiet a notice (the information icon: "終了しました。") is kept but not
// printed; warnings and errors always are.
class RunConsole final : public ConsoleWindow {
 public:
  RunConsole(bool open, bool quiet, bool force, const Settings& settings)
      : ConsoleWindow(open, quiet, force, settings.UI_LANGUAGE),
        quiet_(quiet),
        settings_(settings) {}
  void ShowMessage(const Message& message, MessageIcon icon) override;
  const std::vector<std::u16string>& Messages() const { return messages_; }
  // Words of the run that came in no message box (why a report could not be
  // read), printed as a warning is, whatever --quiet says, and kept.
  void ShowText(std::u16string text);
  // What to say instead of "比較するオブジェクトを選択してください。" when an
  // operand named no node, so that the message says which.
  void ExplainNothingSelected(std::vector<Message> why) { nothingSelected_ = std::move(why); }

 private:
  bool quiet_;
  const Settings& settings_;
  std::vector<std::u16string> messages_;
  std::vector<Message> nothingSelected_;
};

// The warnings of a finished folder run whose patterns matched no report, one
// for each such pattern setting.
std::vector<Message> UnmatchedPatternWarnings(const RunResult& result, const Settings& settings);

// The last line of a run: how many pairs (reports) ended how, what the
// comparisons counted (the search's hits), and where the summary (or the
// one page) is. Empty for a run that planned nothing.
std::string TotalsLine(std::string_view command, const RunResult& result);

// 3 for a finished run that found differences (or hits) when --exit-code
// asked for it, else the run's usual status.
int RunExitStatus(RunOutcome outcome, const RunResult& result, bool exitCode);

// The JSON summary of a run: one line of UTF-8 ending in a newline.
std::string RunJson(std::string_view command, RunOutcome outcome, int exitStatus,
                    const Settings& settings, const RunResult& result,
                    const std::vector<std::u16string>& messages);

}  // namespace tarnwick::cli
