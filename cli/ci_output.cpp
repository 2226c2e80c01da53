#include "cli/ci_output.h"

#include <iostream>

#include "cli/console_io.h"
#include "cli/exit_status.h"
#include "cli/setting_keys.h"
#include "messages/message_catalog.h"
#include "messages/page_words.h"
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
    case FileStatus::OutsidePattern1:
      return "set-aside1";
    case FileStatus::SetAside2:
    case FileStatus::OutsidePattern2:
      return "set-aside2";
    case FileStatus::SetAside:
      return "set-aside";
    case FileStatus::ReadError:
      return "error";
  }
  return "unprocessed";
}

// Why a report was set aside.
std::string_view SetAsideReason(FileStatus status) {
  return IsCaseCollision(status) ? "name-differs-only-in-case" : "outside-pattern";
}

// The file name patterns of the sides of a folder run; null for a run of
// single files.
void AppendPatterns(std::string& out, std::string_view command, const Settings& settings) {
  if (command == "search") {
    out += '[';
    AppendJsonString(out, settings.SRC_FILE);
    out += ']';
  } else if (command == "diff" && settings.MODE != CompareMode::File) {
    out += '[';
    AppendJsonString(out, settings.SRC_FILE1);
    out += ',';
    AppendJsonString(out, settings.SRC_FILE2);
    out += ']';
  } else {
    out += "null";
  }
}

// "errors":[{"side":1,"path":...,"line":3,"message":...}], the side left out
// for a search's report and the line null when there is none.
void AppendFailures(std::string& out, const std::vector<ReportFailure>& failures, bool search) {
  out += ",\"errors\":[";
  for (std::size_t i = 0; i < failures.size(); ++i) {
    const ReportFailure& failure = failures[i];
    if (i > 0) out += ',';
    out += '{';
    if (!search) out += "\"side\":" + std::to_string(failure.side) + ',';
    out += "\"path\":";
    AppendJsonString(out, failure.path);
    out += ",\"line\":";
    out += failure.line == 0 ? std::string("null") : std::to_string(failure.line);
    out += ",\"message\":";
    AppendJsonString(out, failure.message);
    out += '}';
  }
  out += ']';
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

void RunConsole::ShowMessage(const Message& message, MessageIcon icon) {
  if (message.id == MessageId::ObjectsNotSelected && !nothingSelected_.empty()) {
    const std::vector<Message> why = std::move(nothingSelected_);
    nothingSelected_.clear();
    for (const Message& each : why) ShowMessage(each, icon);
    return;
  }
  std::u16string shown =
      MessageText(message, CatalogFor(language_)) + SettingKeysOf(message, settings_);
  if (!quiet_ || icon != MessageIcon::Information) WriteErrorOutput(ToUtf8(shown) + '\n');
  messages_.push_back(std::move(shown));
}

void RunConsole::ShowText(std::u16string text) {
  WriteErrorOutput(ToUtf8(text) + '\n');
  messages_.push_back(std::move(text));
}

int RunExitStatus(RunOutcome outcome, const RunResult& result, bool exitCode) {
  if (exitCode && outcome == RunOutcome::Finished) {
    // A pattern that found nothing is most likely a mistyped one.
    if (!result.unmatchedPatterns.empty()) return kExitRejected;
    if (result.differs) return kExitDifferences;
  }
  return ExitStatus(outcome);
}

std::vector<Message> UnmatchedPatternWarnings(const RunResult& result, const Settings& settings) {
  std::vector<Message> warnings;
  for (const std::u16string_view key : result.unmatchedPatterns) {
    const std::u16string_view folderKey = key == u"SRC_FILE1"   ? u"SRC_PATH1"
                                          : key == u"SRC_FILE2" ? u"SRC_PATH2"
                                                                : u"SRC_PATH";
    warnings.push_back({MessageId::PatternMatchesNothing,
                        {SettingValueText(settings, folderKey).value_or(u""),
                         SettingValueText(settings, key).value_or(u"")},
                        {key}});
  }
  return warnings;
}

namespace {

// "3 pairs", "1 pair".
std::string Counted(std::int64_t n, std::string_view one, std::string_view many) {
  return std::to_string(n) + ' ' + std::string(n == 1 ? one : many);
}

}  // namespace

std::string TotalsLine(std::string_view command, const RunResult& result) {
  if (result.items.empty() && result.summaryPath.empty()) return {};
  const bool search = command == "search";
  std::int64_t by[kFileStatusCount] = {};
  ChangeCounts counts;
  SearchCounts hits;
  std::u16string page;
  for (const RunItem& item : result.items) {
    ++by[static_cast<int>(item.status)];
    counts += item.counts;
    hits.properties += item.hits.properties;
    hits.lines += item.hits.lines;
    if (page.empty()) page = item.page;
  }
  using enum FileStatus;
  const auto total = static_cast<std::int64_t>(result.items.size());
  std::string line =
      (search ? Counted(total, "report", "reports") : Counted(total, "pair", "pairs")) + ": ";
  const auto add = [&line](std::int64_t n, std::string_view what, bool always = false) {
    if (n == 0 && !always) return;
    if (line.back() != ' ') line += ", ";
    line += std::to_string(n) + ' ';
    line += what;
  };
  if (search) {
    add(by[static_cast<int>(Match)], "match", true);
    add(by[static_cast<int>(NoMatch)], "no match", true);
  } else {
    add(by[static_cast<int>(Different)], "different", true);
    add(by[static_cast<int>(Same)], "same", true);
    add(by[static_cast<int>(OnlyIn1)], "only in folder 1");
    add(by[static_cast<int>(OnlyIn2)], "only in folder 2");
  }
  add(by[static_cast<int>(SetAside1)] + by[static_cast<int>(SetAside2)] +
          by[static_cast<int>(SetAside)] + by[static_cast<int>(OutsidePattern1)] +
          by[static_cast<int>(OutsidePattern2)],
      "set aside");
  const std::int64_t readErrors = by[static_cast<int>(ReadError)];
  add(readErrors, readErrors == 1 ? "read error" : "read errors");
  add(by[static_cast<int>(Unprocessed)], "not reached");
  if (search) {
    line += "; hits: " + Counted(hits.properties, "property", "properties") + ", " +
            Counted(hits.lines, "line", "lines");
  } else {
    line += "; objects: " + std::to_string(counts.objectsAdded) + " added, " +
            std::to_string(counts.objectsRemoved) + " removed, " +
            std::to_string(counts.objectsChanged) + " changed";
    if (counts.objectsMoved > 0) line += ", " + std::to_string(counts.objectsMoved) + " moved";
    line += "; lines: " + std::to_string(counts.linesAdded) + " added, " +
            std::to_string(counts.linesRemoved) + " removed";
  }
  if (!result.summaryPath.empty()) {
    line += "; summary: " + ToUtf8(result.summaryPath);
  } else if (!page.empty()) {
    line += "; page: " + ToUtf8(page);
  } else {
    line += "; no pages written";
  }
  return line + '\n';
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
  out += ",\"patterns\":";
  AppendPatterns(out, command, settings);
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
    AppendJsonString(out, StatusText(item.status, PageWordsFor(settings.UI_LANGUAGE)));
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
    if (IsSetAside(item.status)) {
      out += ",\"reason\":\"";
      out += SetAsideReason(item.status);
      out += '"';
    }
    if (item.status == FileStatus::ReadError) AppendFailures(out, item.failures, search);
    const bool done = item.status != FileStatus::Unprocessed && !IsSetAside(item.status) &&
                      item.status != FileStatus::ReadError;
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
