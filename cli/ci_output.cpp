#include "cli/ci_output.h"

#include <iostream>

#include "cli/exit_status.h"
#include "text/json_string.h"

namespace tarnwick::cli {
namespace {

struct KeyedMessage {
  std::u16string_view message;
  std::u16string_view keys;  // ";"-separated setting keys, or operand names in < >
};

// The input checks of the three runs and the settings each is about.
constexpr KeyedMessage kKeyedMessages[] = {
    {u"ソース１のフォルダを指定してください", u"SRC_PATH1"},
    {u"ソース１のフォルダが見つかりません", u"SRC_PATH1"},
    {u"ソース１のオブジェクト・リスト・レポート ファイル名を指定してください", u"SRC_FILE1"},
    {u"ソースファイル１が見つかりません", u"SRC_PATH1;SRC_FILE1"},
    {u"ソース２のフォルダを指定してください", u"SRC_PATH2"},
    {u"ソース２のフォルダが見つかりません", u"SRC_PATH2"},
    {u"ソース２のオブジェクト・リスト・レポート ファイル名を指定してください", u"SRC_FILE2"},
    {u"ソースファイル２が見つかりません", u"SRC_PATH2;SRC_FILE2"},
    {u"ソースのフォルダを指定してください", u"SRC_PATH"},
    {u"ソースのフォルダが見つかりません", u"SRC_PATH"},
    {u"ソースのオブジェクト・リスト・レポート ファイル名を指定してください", u"SRC_FILE"},
    {u"出力先フォルダを指定してください", u"OUTPUT_PATH"},
    {u"出力先フォルダが見つかりません", u"OUTPUT_PATH"},
    {u"結果出力ファイル名を入力してください", u"OUTPUT_FILE"},
    {u"検索条件を入力してください", u"SEARCH_STRING1;SEARCH_STRING2;SEARCH_STRING3"},
    {u"オブジェクト・リスト・レポートファイルをドロップしてください。", u"<REPORT1>;<REPORT2>"},
    {u"比較するオブジェクトを選択してください。", u"<NODEKEY1>;<NODEKEY2>"},
};

const std::u16string* SettingText(std::u16string_view key, const Settings& settings) {
  if (key == u"SRC_PATH1") return &settings.SRC_PATH1;
  if (key == u"SRC_FILE1") return &settings.SRC_FILE1;
  if (key == u"SRC_PATH2") return &settings.SRC_PATH2;
  if (key == u"SRC_FILE2") return &settings.SRC_FILE2;
  if (key == u"SRC_PATH") return &settings.SRC_PATH;
  if (key == u"SRC_FILE") return &settings.SRC_FILE;
  if (key == u"OUTPUT_PATH") return &settings.OUTPUT_PATH;
  if (key == u"OUTPUT_FILE") return &settings.OUTPUT_FILE;
  if (key == u"SEARCH_STRING1") return &settings.SEARCH_STRING1;
  if (key == u"SEARCH_STRING2") return &settings.SEARCH_STRING2;
  if (key == u"SEARCH_STRING3") return &settings.SEARCH_STRING3;
  return nullptr;
}

std::u16string Describe(std::u16string_view keys, const Settings& settings) {
  std::u16string out = u" (";
  bool first = true;
  while (!keys.empty()) {
    const std::size_t cut = keys.find(u';');
    const std::u16string_view key = keys.substr(0, cut);
    keys = cut == std::u16string_view::npos ? std::u16string_view() : keys.substr(cut + 1);
    if (!first) out += u", ";
    first = false;
    out += key;
    if (const std::u16string* value = SettingText(key, settings)) {
      out += u'=';
      out += *value;
    }
  }
  return out + u")";
}

bool AsterisksOnly(std::u16string_view text) {
  return !text.empty() && text.find_first_not_of(u'*') == std::u16string_view::npos;
}

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

std::u16string SettingKeysOf(std::u16string_view message, const Settings& settings) {
  for (const KeyedMessage& keyed : kKeyedMessages) {
    if (keyed.message == message) return Describe(keyed.keys, settings);
  }
  if (message == u"検索条件に * のみは入力できません") {
    for (std::u16string_view key : {u"SEARCH_STRING1", u"SEARCH_STRING2", u"SEARCH_STRING3"}) {
      if (AsterisksOnly(*SettingText(key, settings))) return Describe(key, settings);
    }
  }
  if (message.starts_with(u"出力ファイル[") && message.ends_with(u"上書きできません。")) {
    return Describe(u"OUTPUT_PATH;OUTPUT_FILE", settings);
  }
  return {};
}

void RunConsole::ShowMessage(std::u16string_view text, MessageIcon icon) {
  std::u16string shown(text);
  if (icon != MessageIcon::Information) shown += SettingKeysOf(text, settings_);
  ConsoleWindow::ShowMessage(shown, icon);
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
    const bool done = item.status != FileStatus::Unprocessed;
    if (search) {
      out += ",\"hits\":";
      out += done ? "{\"properties\":" + std::to_string(item.hits.properties) +
                        ",\"lines\":" + std::to_string(item.hits.lines) + "}"
                  : std::string("null");
    } else {
      const ChangeCounts& c = item.counts;
      out += ",\"counts\":";
      out += done ? "{\"objectsAdded\":" + std::to_string(c.objectsAdded) +
                        ",\"objectsRemoved\":" + std::to_string(c.objectsRemoved) +
                        ",\"objectsChanged\":" + std::to_string(c.objectsChanged) +
                        ",\"linesAdded\":" + std::to_string(c.linesAdded) +
                        ",\"linesRemoved\":" + std::to_string(c.linesRemoved) + "}"
                  : std::string("null");
    }
    out += '}';
  }
  out += "]}\n";
  return out;
}

}  // namespace tarnwick::cli
