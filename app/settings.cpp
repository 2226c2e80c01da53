#include "app/settings.h"

#include <array>
#include <filesystem>
#include <span>

#include "app/run_guard.h"
#include "app/window_ops.h"
#include "base/error.h"
#include "files/file_io.h"
#include "files/file_system.h"
#include "files/paths.h"
#include "messages/message.h"
#include "text/blanks.h"
#include "text/cp932.h"
#include "text/upper_case.h"
#include "text/utf8.h"

namespace tarnwick {

namespace {

enum class ValueKind { Text, Flag, Mode, Condition, TabPage, Style, Language, Encoding, OnError };

struct KeyField {
  std::u16string_view key;
  ValueKind kind;
  std::u16string Settings::*text = nullptr;
  bool Settings::*flag = nullptr;
  bool optional = false;  // written only when not at its default
};

using K = ValueKind;
using S = Settings;

// Every key in the order the file is written.
constexpr std::array<KeyField, 31> kKeyFields = {{
    {u"OUTPUT_PATH", K::Text, &S::OUTPUT_PATH},
    {u"OUTPUT_FILE", K::Text, &S::OUTPUT_FILE},
    {u"OUTPUT_AUTOOPEN", K::Flag, nullptr, &S::OUTPUT_AUTOOPEN},
    {u"DIFF_ONLY", K::Flag, nullptr, &S::DIFF_ONLY},
    {u"MODE", K::Mode},
    {u"SRC_PATH1", K::Text, &S::SRC_PATH1},
    {u"SRC_FILE1", K::Text, &S::SRC_FILE1},
    {u"SRC_PATH2", K::Text, &S::SRC_PATH2},
    {u"SRC_FILE2", K::Text, &S::SRC_FILE2},
    {u"FOUND_ONLY", K::Flag, nullptr, &S::FOUND_ONLY},
    {u"NO_CASE", K::Flag, nullptr, &S::NO_CASE},
    {u"COND_AND", K::Flag, nullptr, &S::COND_AND},
    {u"SRC_PATH", K::Text, &S::SRC_PATH},
    {u"SRC_FILE", K::Text, &S::SRC_FILE},
    {u"SEARCH_STRING1", K::Text, &S::SEARCH_STRING1},
    {u"SEARCH_STRING1_COND", K::Condition, nullptr, &S::SEARCH_STRING1_COND},
    {u"SEARCH_STRING2", K::Text, &S::SEARCH_STRING2},
    {u"SEARCH_STRING2_COND", K::Condition, nullptr, &S::SEARCH_STRING2_COND},
    {u"SEARCH_STRING3", K::Text, &S::SEARCH_STRING3},
    {u"SEARCH_STRING3_COND", K::Condition, nullptr, &S::SEARCH_STRING3_COND},
    {u"DIFF_OBJ_ONLY", K::Flag, nullptr, &S::DIFF_OBJ_ONLY},
    {u"TAB_PAGE", K::TabPage},
    {u"PAGE_STYLE", K::Style, nullptr, nullptr, true},
    {u"IGNORE_BLANKS", K::Flag, nullptr, &S::IGNORE_BLANKS, true},
    {u"IGNORE_CASE", K::Flag, nullptr, &S::IGNORE_CASE, true},
    {u"IGNORE_FILE", K::Text, &S::IGNORE_FILE, nullptr, true},
    {u"UI_LANGUAGE", K::Language, nullptr, nullptr, true},
    {u"REPORT_ENCODING", K::Encoding, nullptr, nullptr, true},
    {u"ON_ERROR", K::OnError, nullptr, nullptr, true},
    {u"WINDOW_GEOMETRY", K::Text, &S::WINDOW_GEOMETRY, nullptr, true},
    {u"WINDOW_MAXIMIZED", K::Flag, nullptr, &S::WINDOW_MAXIMIZED, true},
}};

// The spellings of each enumerated kind, the default's first; a value read
// that is none of them gives the default.
constexpr std::u16string_view kFlagValues[] = {u"False", u"True"};
constexpr std::u16string_view kConditionValues[] = {u"CONTAIN", u"NOT_CONTAIN"};
constexpr std::u16string_view kModeValues[] = {u"FOLDER", u"FILE"};
constexpr std::u16string_view kTabPageValues[] = {u"DIFF", u"DIFFOBJ", u"SEARCH"};
constexpr std::u16string_view kStyleValues[] = {u"CLASSIC", u"REVIEW"};
constexpr std::u16string_view kLanguageValues[] = {u"JA", u"EN"};
constexpr std::u16string_view kEncodingValues[] = {u"AUTO", u"CP932", u"WINDOWS-1252", u"UTF-8"};
constexpr std::u16string_view kOnErrorValues[] = {u"STOP", u"CONTINUE"};

std::span<const std::u16string_view> ValuesOf(ValueKind kind) {
  switch (kind) {
    case ValueKind::Text:
      return {};
    case ValueKind::Flag:
      return kFlagValues;
    case ValueKind::Condition:
      return kConditionValues;
    case ValueKind::Mode:
      return kModeValues;
    case ValueKind::TabPage:
      return kTabPageValues;
    case ValueKind::Style:
      return kStyleValues;
    case ValueKind::Language:
      return kLanguageValues;
    case ValueKind::Encoding:
      return kEncodingValues;
    case ValueKind::OnError:
      return kOnErrorValues;
  }
  return {};
}

// The index of `upper` among the kind's spellings; 0 (the default) when absent.
std::size_t ChoiceIndex(ValueKind kind, std::u16string_view upper) {
  const auto values = ValuesOf(kind);
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (UpperCase(values[i]) == upper) return i;
  }
  return 0;
}

void ApplyBaseDefaults(Settings& settings) {
  settings.MODE = CompareMode::Folder;
  settings.TAB_PAGE = 1;
  settings.COND_AND = true;
  settings.SEARCH_STRING1_COND = true;
  settings.SEARCH_STRING2_COND = true;
  settings.SEARCH_STRING3_COND = true;
}

// "#" opens a comment at the start of a line or after a blank or a tab only,
// so that folders like C:\A#B\ and search strings like A#B keep their "#".
std::u16string_view WithoutComment(std::u16string_view line) {
  for (std::size_t i = 0; i < line.size(); ++i) {
    if (line[i] == u'#' && (i == 0 || line[i - 1] == u' ' || line[i - 1] == u'\t'))
      return line.substr(0, i);
  }
  return line;
}

void StoreValue(const KeyField& field, std::u16string_view value, Settings& settings) {
  const std::u16string upper = UpperCase(value);
  switch (field.kind) {
    case ValueKind::Text:
      settings.*field.text = value;
      break;
    case ValueKind::Flag:
      settings.*field.flag = upper == u"TRUE";
      break;
    case ValueKind::Condition:
      settings.*field.flag = upper == u"CONTAIN";
      break;
    case ValueKind::Mode:
      settings.MODE = upper == u"FILE" ? CompareMode::File : CompareMode::Folder;
      break;
    case ValueKind::TabPage:
      settings.TAB_PAGE = upper == u"DIFF" ? 1 : upper == u"DIFFOBJ" ? 2 : 3;
      break;
    case ValueKind::Style:
      settings.PAGE_STYLE = upper == u"REVIEW" ? PageStyle::Review : PageStyle::Classic;
      break;
    case ValueKind::Language:
      settings.UI_LANGUAGE = static_cast<UiLanguage>(ChoiceIndex(field.kind, upper));
      break;
    case ValueKind::Encoding:
      settings.REPORT_ENCODING = static_cast<ReportEncoding>(ChoiceIndex(field.kind, upper));
      break;
    case ValueKind::OnError:
      settings.ON_ERROR = static_cast<OnError>(ChoiceIndex(field.kind, upper));
      break;
  }
}

std::u16string ValueText(const KeyField& field, const Settings& settings) {
  switch (field.kind) {
    case ValueKind::Text:
      return settings.*field.text;
    case ValueKind::Flag:
      return settings.*field.flag ? u"True" : u"False";
    case ValueKind::Condition:
      return settings.*field.flag ? u"CONTAIN" : u"NOT_CONTAIN";
    case ValueKind::Mode:
      return settings.MODE == CompareMode::Folder ? u"FOLDER" : u"FILE";
    case ValueKind::TabPage:
      return settings.TAB_PAGE == 1 ? u"DIFF" : settings.TAB_PAGE == 2 ? u"DIFFOBJ" : u"SEARCH";
    case ValueKind::Style:
      return settings.PAGE_STYLE == PageStyle::Review ? u"REVIEW" : u"CLASSIC";
    case ValueKind::Language:
      return std::u16string(ValuesOf(field.kind)[static_cast<std::size_t>(settings.UI_LANGUAGE)]);
    case ValueKind::Encoding:
      return std::u16string(
          ValuesOf(field.kind)[static_cast<std::size_t>(settings.REPORT_ENCODING)]);
    case ValueKind::OnError:
      return std::u16string(ValuesOf(field.kind)[static_cast<std::size_t>(settings.ON_ERROR)]);
  }
  return {};
}

// Cuts off the next line, which ends at CR LF, a lone CR or a lone LF.
std::u16string_view NextIniLine(std::u16string_view& rest) {
  const std::size_t end = rest.find_first_of(u"\r\n");
  if (end == std::u16string_view::npos) {
    const std::u16string_view line = rest;
    rest = {};
    return line;
  }
  const std::u16string_view line = rest.substr(0, end);
  const std::size_t next =
      (rest[end] == u'\r' && end + 1 < rest.size() && rest[end + 1] == u'\n') ? end + 2 : end + 1;
  rest.remove_prefix(next);
  return line;
}

}  // namespace

std::vector<std::u16string_view> SettingKeys() {
  std::vector<std::u16string_view> keys;
  for (const KeyField& field : kKeyFields) keys.push_back(field.key);
  return keys;
}

std::vector<std::u16string_view> AllowedValues(std::u16string_view key) {
  const std::u16string upper = UpperCase(key);
  for (const KeyField& field : kKeyFields) {
    if (field.key == upper) {
      const auto values = ValuesOf(field.kind);
      return {values.begin(), values.end()};
    }
  }
  return {};
}

std::optional<std::u16string> SettingValueText(const Settings& settings, std::u16string_view key) {
  const std::u16string upper = UpperCase(key);
  for (const KeyField& field : kKeyFields) {
    if (field.key == upper) return ValueText(field, settings);
  }
  return std::nullopt;
}

Settings BaseDefaults() {
  Settings settings;
  ApplyBaseDefaults(settings);
  return settings;
}

std::u16string SetIniPath(std::u16string_view exeFolder, std::u16string_view fileName) {
  return WithTrailingSeparator(exeFolder) + std::u16string(fileName);
}

std::optional<IniLine> SplitIniLine(std::u16string_view line) {
  line = WithoutComment(line);
  const std::size_t equals = line.find(u'=');
  if (equals == std::u16string_view::npos) return std::nullopt;
  return IniLine{UpperCase(TrimBlanks(line.substr(0, equals))), line.substr(equals + 1)};
}

bool ApplyIniLine(std::u16string_view line, Settings& settings) {
  const std::optional<IniLine> parts = SplitIniLine(line);
  if (!parts) return false;
  for (const KeyField& field : kKeyFields) {
    if (field.key == parts->key) {
      StoreValue(field, parts->value, settings);
      return true;
    }
  }
  return false;
}

bool ApplyIniText(std::u16string_view text, Settings& settings) {
  ApplyBaseDefaults(settings);
  std::u16string_view rest = text;
  bool firstLine = true;
  while (!rest.empty()) {
    const std::u16string_view line = NextIniLine(rest);
    if (firstLine && WithoutComment(line) == u"INITIAL") {
      ApplyBaseDefaults(settings);
      settings.DIFF_ONLY = true;
      settings.FOUND_ONLY = true;
      settings.NO_CASE = true;
      settings.OUTPUT_FILE = u"Result.html";
      return true;
    }
    firstLine = false;
    ApplyIniLine(line, settings);
  }
  return false;
}

namespace {

// Marks a settings file written in UTF-8.
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

}  // namespace

IniDecoding DecodeIniBytes(std::string_view bytes) {
  if (bytes.starts_with(kUtf8Bom)) {
    bytes.remove_prefix(kUtf8Bom.size());
    IniDecoding decoding{FromUtf8(bytes)};
    // UTF-8 has one spelling for each text: what does not come back was no UTF-8.
    decoding.lossless = ToUtf8(decoding.text) == bytes;
    return decoding;
  }
  IniDecoding decoding{DecodeCp932(bytes)};
  // Code page 932 holds no U+FFFD: each one stands for bytes it has no character for.
  decoding.lossless = decoding.text.find(u'\uFFFD') == std::u16string::npos;
  return decoding;
}

std::string EncodeIniBytes(std::u16string_view text) {
  for (const char16_t c : text) {
    if (!Cp932Holds(c)) return std::string(kUtf8Bom) + ToUtf8(text);
  }
  return EncodeCp932(text);
}

std::u16string ReadIniText(std::u16string_view iniPath) {
  return ReadIniText(FilePathOf(iniPath));
}

std::u16string ReadIniText(const FilePath& iniPath) {
  RawBuffer<char> bytes;
  ReadFileBytes(iniPath, bytes, kMaxIniBytes);
  return DecodeIniBytes(bytes.View()).text;
}

IniReading ReadIniFile(std::u16string_view iniPath, Settings& settings) {
  IniReading reading;
  const FilePath path = FilePathOf(iniPath);
  RawBuffer<char> bytes;
  try {
    ReadFileBytes(path, bytes, kMaxIniBytes);
  } catch (const std::exception& e) {
    // A missing file is a first start; anything else there is someone's file.
    std::error_code error;
    const auto status = std::filesystem::symlink_status(path.native, error);
    if (status.type() != std::filesystem::file_type::not_found) {
      reading.keepReason = ErrorDescriptionMessages(e);
    }
    return reading;
  }
  const IniDecoding decoding = DecodeIniBytes(bytes.View());
  if (!decoding.lossless) {
    reading.keepReason = {bytes.View().starts_with(kUtf8Bom) ? MessageId::SettingsNotUtf8
                                                             : MessageId::SettingsNotCp932};
  }
  reading.freshInstallation = ApplyIniText(decoding.text, settings);
  return reading;
}

bool ReadIni(std::u16string_view iniPath, Settings& settings) {
  return ReadIniFile(iniPath, settings).freshInstallation;
}

std::u16string IniText(const Settings& settings) {
  std::u16string text;
  const Settings defaults;
  for (const KeyField& field : kKeyFields) {
    const std::u16string value = ValueText(field, settings);
    if (field.optional && value == ValueText(field, defaults)) continue;
    // Written as is, a line break would start a line of its own: a key of
    // the value's choosing on the next start.
    if (value.find_first_of(u"\r\n") != std::u16string::npos) {
      throw Error(kGeneralErrorNumber,
                  u"設定値[" + std::u16string(field.key) + u"]に改行が含まれています。");
    }
    text += field.key;
    text += u'=';
    text += value;
    text += u"\r\n";
  }
  return text;
}

std::string IniFileBytes(const Settings& settings) {
  std::string bytes = EncodeIniBytes(IniText(settings));
  if (bytes.size() > kMaxIniBytes) {
    throw Error(kGeneralErrorNumber, u"設定値が長すぎます。設定ファイルは" +
                                         FromUtf8(std::to_string(kMaxIniBytes)) +
                                         u"バイトまでです。");
  }
  return bytes;
}

bool WriteIni(std::u16string_view iniPath, const Settings& settings, WindowOps& window) {
  try {
    // IniFileBytes refuses what it cannot write before the file is touched.
    WriteFileBytes(iniPath, IniFileBytes(settings));
  } catch (const std::exception& e) {
    window.ShowMessage({MessageId::SettingsWriteFailed, {ErrorDescription(e, window.Catalog())}},
                       MessageIcon::Critical);
    return false;
  }
  return true;
}

std::u16string SettingsHome::FileToRead() const {
  return !userCopy.empty() && IsPlainFile(userCopy) ? userCopy : besideExecutable;
}

std::u16string WriteIniHome(const SettingsHome& home, const Settings& settings, WindowOps& window) {
  const std::u16string target = home.FileToRead();
  if (target != home.besideExecutable) {
    return WriteIni(target, settings, window) ? target : std::u16string();
  }
  std::string bytes;
  try {
    bytes = IniFileBytes(settings);
    WriteFileBytes(home.besideExecutable, bytes);
    return home.besideExecutable;
  } catch (const std::exception& beside) {
    const Message failed{MessageId::SettingsWriteFailed,
                         {ErrorDescription(beside, window.Catalog())}};
    // Settings that cannot be written are refused wherever they would go.
    if (home.userCopy.empty() || bytes.empty()) {
      window.ShowMessage(failed, MessageIcon::Critical);
      return {};
    }
    try {
      std::error_code ignored;  // a folder that cannot be made fails the write below
      std::filesystem::create_directories(NativePath(home.userCopy).parent_path(), ignored);
      WriteFileBytes(home.userCopy, bytes);
    } catch (const std::exception&) {
      window.ShowMessage(failed, MessageIcon::Critical);
      return {};
    }
  }
  window.ShowMessage({MessageId::SettingsMovedToUserCopy, {home.besideExecutable, home.userCopy}},
                     MessageIcon::Information);
  return home.userCopy;
}

}  // namespace tarnwick
