#include "cli/ci_output.h"

#include <iostream>

#include "cli/console_io.h"
#include "cli/exit_status.h"
#include "cli/setting_keys.h"
#include "messages/message_catalog.h"
#include "text/json_string.h"
#include "text/utf8.h"

namespace tarnwick::cli {
namespace {

void AppendPath(std::string& out, std::u16string_view path) {
  if (path.empty()) {
    out += "null";
  } else {
    AppendJsonString(out, path);
  }
}

std::string_view StatusName(FileStatus status) {
  switch (status) {
    case FileStatus::Unprocessed:
      return "unprocessed";
    case FileStatus::OnlyIn1:
      return "only1";
    case FileStatus::OnlyIn2:
      return "only2";
    case FileStatus::Different:
      return "different";
    case FileStatus::Same:
      return "same";
    case FileStatus::NoMatch:
      return "no-match";
    case FileStatus::Match:
      return "match";
    case FileStatus::SetAside1:
      return "set-aside1";
    case FileStatus::SetAside2:
      return "set-aside2";
    case FileStatus::SetAside:
      return "set-aside";
  }
  return "unprocessed";
}

std::string_view OutcomeName(RunOutcome outcome) {
  switch (outcome) {
    case RunOutcome::Finished:
      return "finished";
    case RunOutcome::Rejected:
      return "rejected";
    case RunOutcome::Failed:
      return "failed";
    case RunOutcome::Cancelled:
      return "cancelled";
  }
  return "failed";
}

}  // namespace

void RunConsole::ShowMessage(const Message& message, MessageIcon) {
  std::u16string shown = MessageText(message) + SettingKeysOf(message, settings_);
  WriteErrorOutput(ToUtf8(shown) + '\n');
  messages_.push_back(std::move(shown));
}

int RunExitStatus(RunOutcome outcome, const RunResult& result, bool exitCode) {
  if (exitCode && outcome == RunOutcome::Finished && result.differs) return kExitDifferences;
  return ExitStatus(outcome);
}

std::string RunJson(std::string_view command, RunOutcome outcome, int exitStatus,
                    const Settings& settings, const RunResult& result,
                    const std::vector<std::u16string>& messages) {
  const bool search = command == "search";
  std::string out = "{\"command\":\"";
  out += command;
  out += "\",\"outcome\":\"";
  out += OutcomeName(outcome);
  out += "\",\"exitStatus\":" + std::to_string(exitStatus);
  out += ",\"pageStyle\":\"";
  out += settings.PAGE_STYLE == PageStyle::Review ? "review" : "classic";
  out += "\",\"differs\":";
  out += result.differs ? "true" : "false";
  out += ",\"summary\":";
  AppendPath(out, result.summaryPath);
  out += ",\"messages\":[";
  for (std::size_t i = 0; i < messages.size(); ++i) {
    if (i > 0) out += ',';
    AppendJsonString(out, messages[i]);
  }
  out += search ? "],\"reports\":[" : "],\"pairs\":[";
  for (std::size_t i = 0; i < result.items.size(); ++i) {
    const RunItem& item = result.items[i];
    if (i > 0) out += ',';
    out += "{\"name\":";
    AppendJsonString(out, item.name);
    out += ",\"status\":\"";
    out += StatusName(item.status);
    out += "\",\"statusText\":";
    AppendJsonString(out, StatusText(item.status));
    if (search) {
      out += ",\"path\":";
      AppendPath(out, item.path1);
    } else {
      out += ",\"path1\":";
      AppendPath(out, item.path1);
      out += ",\"path2\":";
      AppendPath(out, item.path2);
    }
    out += ",\"page\":";
    AppendPath(out, item.page);
    if (IsSetAside(item.status)) out += ",\"reason\":\"name-differs-only-in-case\"";
    const bool done = item.status != FileStatus::Unprocessed && !IsSetAside(item.status);
    if (search) {
      out += ",\"hits\":";
      out += done ? "{\"properties\":" + std::to_string(item.hits.properties) +
                        ",\"lines\":" + std::to_string(item.hits.lines) + "}"
                  : std::string("null");
    } else {
      const ChangeCounts& c = item.counts;
      out += ",\"counts\":";
      // Runs with ignore rules count what the rules matched too.
      const std::string ignored =
          settings.IGNORE_FILE.empty()
              ? std::string()
              : ",\"propertiesIgnored\":" + std::to_string(c.propertiesIgnored);
      out += done ? "{\"objectsAdded\":" + std::to_string(c.objectsAdded) +
                        ",\"objectsRemoved\":" + std::to_string(c.objectsRemoved) +
                        ",\"objectsChanged\":" + std::to_string(c.objectsChanged) +
                        ",\"linesAdded\":" + std::to_string(c.linesAdded) +
                        ",\"linesRemoved\":" + std::to_string(c.linesRemoved) +
                        ",\"objectsMoved\":" + std::to_string(c.objectsMoved) + ignored + "}"
                  : std::string("null");
    }
    out += '}';
  }
  out += "]}\n";
  return out;
}

}  // namespace tarnwick::cli
