// The names a report's language gives to what the parser reads specially:
// the object header, the multi-line texts and the names that close them, the
// joined blocks and the lists that are not lists of named objects. One table
// per language; the grammar is the same in both, only the words differ.
//
//   const ReportLabels& labels = LabelsFor(DetectReportLanguage(text));
//   FindTextName(u"Trigger Text", labels)->closing;  // {"Fire in Enter-Query Mode"}
//
// The Japanese table holds exactly the names Japanese reports have always
// been read by. English names are Forms Builder's English property names;
// where Forms versions spell a name in more than one way, each spelling is
// listed, as the Japanese table does.
#pragma once

#include <algorithm>
#include <optional>
#include <span>
#include <string_view>

namespace tarnwick {

enum class ReportLanguage { kJapanese, kEnglish };

// A multi-line text and the names whose lines end it.
struct TextName {
  std::u16string_view name;
  std::span<const std::u16string_view> closing;
};

struct ReportLabels {
  ReportLanguage language;
  std::u16string_view formKey;     // the root's one node: the parser's own word, not the report's
  std::u16string_view name;        // an object's header ("名前", "Name")
  std::u16string_view sourceName;  // a header directly inside a section
  std::span<const TextName> texts;
  std::u16string_view coordinateInfo;  // the block of lines joined into one value
  std::u16string_view referenceInfo;   // four lines, unless its value is one of these:
  std::span<const std::u16string_view> unreferenced;
  std::u16string_view menuItemCode;  // may share its line with the icon name
  std::u16string_view menuIcon;
  std::u16string_view libraries;                          // the attached library list
  std::u16string_view librariesKey;                       // the node that holds it
  std::span<const std::u16string_view> propertySections;  // coordinate system, subclass information
  std::u16string_view listElements;
  std::span<const std::u16string_view> listLabel;
  std::u16string_view listValue;
  std::u16string_view listStyle;  // ends the list elements
  std::u16string_view queryColumns;
  std::u16string_view columnName;
  std::u16string_view queryArguments;  // also ends the columns
  std::u16string_view argumentName;
  std::u16string_view alias;  // ends the arguments
};

const ReportLabels& JapaneseLabels();
const ReportLabels& EnglishLabels();
const ReportLabels& LabelsFor(ReportLanguage language);

// The language of a report: that of its first object header line ("名前"
// or "Name" as the name of a line), looked for among its first
// kHeaderSearchLines lines; a report without one is read as Japanese, as
// reports always were.
ReportLanguage DetectReportLanguage(std::u16string_view text);

inline constexpr int kHeaderSearchLines = 200;

// The language `line` (its line end included or not) tells as an object
// header, or nothing when it is no header.
std::optional<ReportLanguage> HeaderLanguage(std::u16string_view line);

inline bool IsOneOf(std::u16string_view name, std::span<const std::u16string_view> names) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

// The multi-line text of that name, or null for any other name.
inline const TextName* FindTextName(std::u16string_view name, const ReportLabels& labels) {
  for (const TextName& entry : labels.texts) {
    if (entry.name == name) return &entry;
  }
  return nullptr;
}

// True when a line of a text (not at column 1) whose name is `name` ends it.
inline bool IsClosingName(std::span<const std::u16string_view> closing, std::u16string_view name) {
  return IsOneOf(name, closing);
}

}  // namespace tarnwick
