// The settings record and the settings file Tarnwick.ini (code page 932,
// CR LF). Reading never reports an error; writing reports its own failure
// through WindowOps. "#" starts a comment only at the start of a line or after
// a blank or a tab, so values such as C:\A#B\ survive a write and a read.
// Nothing typed is lost on the way: a file whose values code page 932 cannot
// all hold is written as UTF-8 after a byte-order mark, which the reader
// recognises; every other file is written in code page 932 as it always was.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "files/file_io.h"
#include "messages/message.h"
#include "messages/ui_language.h"

namespace tarnwick {

enum class CompareMode { None, Folder, File };
// The classic pages (code page 932, the six-column table) or the review pages.
enum class PageStyle { Classic, Review };
// How a report's bytes become text: recognised from the bytes, or forced.
enum class ReportEncoding { Automatic, Cp932, Windows1252, Utf8 };
// What a folder comparison or search does when one report cannot be read:
// stop the run there, or set the report aside and go on.
enum class OnError { Stop, Continue };

struct Settings {
  std::u16string OUTPUT_PATH;
  std::u16string OUTPUT_FILE;
  bool OUTPUT_AUTOOPEN = false;
  bool DIFF_ONLY = false;
  CompareMode MODE = CompareMode::None;
  std::u16string SRC_PATH1;
  std::u16string SRC_FILE1;
  std::u16string SRC_PATH2;
  std::u16string SRC_FILE2;
  bool FOUND_ONLY = false;
  bool NO_CASE = false;
  bool COND_AND = false;
  std::u16string SRC_PATH;
  std::u16string SRC_FILE;
  std::u16string SEARCH_STRING1;
  bool SEARCH_STRING1_COND = false;
  std::u16string SEARCH_STRING2;
  bool SEARCH_STRING2_COND = false;
  std::u16string SEARCH_STRING3;
  bool SEARCH_STRING3_COND = false;
  bool DIFF_OBJ_ONLY = false;
  int TAB_PAGE = 0;
  // Options beyond the classic program; the file holds them only when they
  // are not at their default, so an untouched file stays as it was.
  PageStyle PAGE_STYLE = PageStyle::Classic;
  bool IGNORE_BLANKS = false;  // comparisons: runs of blanks as one, blank lines ignored
  bool IGNORE_CASE = false;    // comparisons: letter case ignored outside quoted literals
  std::u16string IGNORE_FILE;  // comparisons: the ignore rules file (UTF-8); empty: none
  UiLanguage UI_LANGUAGE = UiLanguage::Japanese;
  ReportEncoding REPORT_ENCODING = ReportEncoding::Automatic;
  OnError ON_ERROR = OnError::Stop;
  // The window's place and size ("x,y,width,height" of its frame when not
  // maximized) and whether it was maximized; empty and false until the
  // window is moved or resized.
  std::u16string WINDOW_GEOMETRY;
  bool WINDOW_MAXIMIZED = false;

  bool operator==(const Settings&) const = default;
};

}  // namespace tarnwick

namespace tarnwick {

class WindowOps;

// MODE folder, TAB_PAGE 1, COND_AND and the three conditions true; the rest
// empty or false: what a readable settings file starts from.
Settings BaseDefaults();

// The settings path: the executable's folder (a separator appended when
// missing) followed by the file name.
std::u16string SetIniPath(std::u16string_view exeFolder, std::u16string_view fileName);

// A settings file is a few hundred bytes; one larger than this is no
// settings file and is not read.
inline constexpr std::size_t kMaxIniBytes = 1024 * 1024;

// The text of a settings file's bytes: UTF-8 after a byte-order mark, else
// code page 932. `lossless` is false when some bytes are no text of that
// encoding (they became U+FFFD), so writing the text back would lose them.
struct IniDecoding {
  std::u16string text;
  bool lossless = true;
};
IniDecoding DecodeIniBytes(std::string_view bytes);

// The bytes of a settings file's text: code page 932 when it holds every
// character, else a UTF-8 byte-order mark and UTF-8.
std::string EncodeIniBytes(std::u16string_view text);

// The decoded text of the settings file. Throws tarnwick::Error when it
// cannot be read: missing, not a regular file, larger than kMaxIniBytes.
std::u16string ReadIniText(std::u16string_view iniPath);
std::u16string ReadIniText(const FilePath& iniPath);

// What reading the settings file found.
struct IniReading {
  bool freshInstallation = false;  // first line "INITIAL"
  // Why the file must be left as it is, empty when it may be written back:
  // it exists but could not be read (too large, not a regular file, not
  // readable), or it holds bytes that are no text, which a write would lose.
  // Messages, since the file itself names the language to word them in.
  std::vector<Message> keepReason;
};

// Fills `settings` from the file, as ReadIni does, and says whether writing
// the settings back would replace a file that was not read whole. A missing
// file may be written.
IniReading ReadIniFile(std::u16string_view iniPath, Settings& settings);

// Fills `settings` from the file; returns true for a fresh installation
// (first line "INITIAL"). A file that cannot be read leaves `settings` as is.
bool ReadIni(std::u16string_view iniPath, Settings& settings);

// ReadIni on the decoded text of a file that could be opened: applies the base
// defaults, then the lines (ending at CR LF, lone CR or lone LF).
bool ApplyIniText(std::u16string_view text, Settings& settings);

// The setting keys in the order the file is written, optional ones included.
std::vector<std::u16string_view> SettingKeys();

// The value of one key (any case) as the file would hold it; nothing for a
// key the file does not know.
std::optional<std::u16string> SettingValueText(const Settings& settings, std::u16string_view key);

// The values an enumerated or boolean key takes, as the file spells them
// (any case is read); empty for a key of free text or an unknown key.
std::vector<std::u16string_view> AllowedValues(std::u16string_view key);

// One line of the settings file as it is read: its comment removed, cut at
// the first "=", the key trimmed of blanks and upper-cased, the value as is.
// Nothing for a line without "=".
struct IniLine {
  std::u16string key;
  std::u16string_view value;  // views the line
};
std::optional<IniLine> SplitIniLine(std::u16string_view line);

// Applies one line of the settings file (comment removal included).
// Returns false when the line holds no "=" or names an unknown key.
bool ApplyIniLine(std::u16string_view line, Settings& settings);

// The file's text as WriteIni writes it: every key in its fixed order, CR LF;
// the options (PAGE_STYLE onwards) last, and only when not at their default. Throws tarnwick::Error
// naming the key when a value holds a CR or an LF, which would otherwise become a line of its own.
std::u16string IniText(const Settings& settings);

// The file's bytes as WriteIni writes them (EncodeIniBytes of IniText).
// Throws tarnwick::Error as IniText does, and for bytes beyond kMaxIniBytes,
// which the reader would refuse on the next start.
std::string IniFileBytes(const Settings& settings);

// Writes the file; on failure shows "iniファイルの書き込み中にエラーが発生しました。"
// with the description, critical icon, and returns false. A value with a line
// break fails before the file is touched, so the file never gains a line.
bool WriteIni(std::u16string_view iniPath, const Settings& settings, WindowOps& window);

// Where the window keeps its settings: the file beside the executable or,
// once that file could not be written (a folder the user may not write in,
// as under C:\Program Files\), the user's own copy, which from then on is
// the one read and written.
struct SettingsHome {
  std::u16string besideExecutable;
  std::u16string userCopy;  // empty: no copy, a failed write is only shown

  // The file to read at start: the user's copy once it exists.
  std::u16string FileToRead() const;
};

// Writes the settings to the home's file. When the file beside the
// executable cannot be written, writes the user's copy instead (its folder
// made as needed) and says where the settings went; when neither can be
// written, shows the write error of the file beside the executable. Returns
// the file written, empty when none was.
std::u16string WriteIniHome(const SettingsHome& home, const Settings& settings, WindowOps& window);

}  // namespace tarnwick
