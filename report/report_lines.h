// The line rules of the report grammar: where a line's name starts (its
// column, past the indentation and the markers " = ^ - * o"), which lines
// only separate, how a property line splits into name and value (where an
// English name ends, whose labels hold blanks). The parser reads reports by
// them, and the report generator writes and edits reports by the same rules.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string_view>

namespace tarnwick {

// Reports pad names to a value column with runs of blanks, so blanks are
// skipped four code units at a time.
inline std::size_t SkipBlanks(std::u16string_view s, std::size_t i) {
  constexpr std::uint64_t kFourBlanks = 0x0020002000200020ull;
  while (i + 4 <= s.size()) {
    std::uint64_t four;
    std::memcpy(&four, s.data() + i, sizeof four);
    if (four != kFourBlanks) break;
    i += 4;
  }
  while (i < s.size() && s[i] == u' ') ++i;
  return i;
}

// The markers " ", "=", "^", "-", "*" and "o".
inline bool IsMarker(char16_t c) {
  constexpr std::uint64_t kMarkersLow =
      (1ull << u' ') | (1ull << u'*') | (1ull << u'-') | (1ull << u'=');
  constexpr std::uint64_t kMarkersHigh = (1ull << (u'^' - 64)) | (1ull << (u'o' - 64));
  if (c < 64) return (kMarkersLow >> c) & 1;
  if (c < 128) return (kMarkersHigh >> (c - 64)) & 1;
  return false;
}

// 1-based position of the first character that is no marker or blank.
inline std::size_t LineColumn(std::u16string_view line) {
  std::size_t i = SkipBlanks(line, 0);
  while (i < line.size() && IsMarker(line[i])) ++i;
  return i + 1;
}

// A separator ("----------" between blanks) is made of markers only, so its
// column is past its end.
inline bool IsSeparatorLine(std::u16string_view line, std::size_t column) {
  constexpr std::u16string_view kSeparator = u"----------";
  if (column != line.size() + 1) return false;
  const std::size_t start = SkipBlanks(line, 0);
  if (line.size() - start < kSeparator.size() ||
      line.substr(start, kSeparator.size()) != kSeparator) {
    return false;
  }
  return SkipBlanks(line, start + kSeparator.size()) == line.size();
}

struct PropertyLine {
  std::u16string_view name;   // Japanese: up to the first blank; "ORDER BY句" keeps its blank
  std::u16string_view value;  // after the blanks that follow the name; may be empty
};

inline PropertyLine SplitPropertyLine(std::u16string_view line, std::size_t column) {
  constexpr std::u16string_view kOrderBy = u"ORDER BY句";
  const std::u16string_view rest = line.substr(std::min(column - 1, line.size()));
  std::u16string_view name;
  if (rest.starts_with(kOrderBy)) {
    name = rest.substr(0, kOrderBy.size());
  } else {
    name = rest.substr(0, rest.find(u' '));
  }
  return {name, rest.substr(SkipBlanks(rest, name.size()))};
}

// English labels hold single blanks ("Trigger Text", "Display in 'Keyboard
// Help'") and the report pads each to the column its value starts at. So an
// English name ends where two or more blanks start; where a long label left
// only one blank before its value, at the value column the lines before
// showed (`valueColumn`, 1-based, 0 when none is known yet); failing both,
// an object header ("Name" and one blank) ends at its blank; anything else is
// all name and no value. `headerNames` are those headers.
inline PropertyLine SplitEnglishPropertyLine(std::u16string_view line, std::size_t column,
                                             std::size_t valueColumn,
                                             std::span<const std::u16string_view> headerNames) {
  const std::size_t from = std::min(column - 1, line.size());
  const std::u16string_view rest = line.substr(from);
  if (const std::size_t gap = rest.find(u"  "); gap != std::u16string_view::npos) {
    return {rest.substr(0, gap), rest.substr(SkipBlanks(rest, gap))};
  }
  if (valueColumn > column + 1 && valueColumn <= line.size() && line[valueColumn - 2] == u' ' &&
      line[valueColumn - 1] != u' ') {
    return {line.substr(from, valueColumn - 2 - from), line.substr(valueColumn - 1)};
  }
  for (std::u16string_view header : headerNames) {
    if (rest.size() > header.size() && rest.starts_with(header) && rest[header.size()] == u' ') {
      return {rest.substr(0, header.size()), rest.substr(header.size() + 1)};
    }
  }
  return {rest.ends_with(u' ') ? rest.substr(0, rest.size() - 1) : rest, {}};
}

}  // namespace tarnwick
