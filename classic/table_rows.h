// The rows every classic result table shares. A table has six columns:
// side-1 mark, side-2 mark, side-1 line number, side-2 line number, name and
// value; side 1 is coloured yellow, side 2 cyan. Titles, paths and separators are heading
// rows (four blank cells, then one cell across name and value). Above the
// rows of a property stand the heading rows of the objects on its path,
// written once, just before the first row that needs them. The comparison
// rows and the search rows write here.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "classic/html_table.h"
#include "diff/line_difference.h"
#include "diff/path_stacks.h"

namespace tarnwick {

inline constexpr std::u16string_view kSide1Colour = u"bgcolor=\"yellow\"";
inline constexpr std::u16string_view kSide2Colour = u"bgcolor=\"cyan\"";
inline constexpr std::u16string_view kColspan2 = u"colspan=\"2\"";

// CR LF followed by 80 "=": the text of every separator row.
std::u16string_view RuleLine();
// The attributes of a heading cell in a side's colour (none for "").
std::u16string HeadingAttributes(std::u16string_view colour);

// Four blank cells, then `text` in one cell with `attributes`.
void WriteHeadingRow(HTMLTblCls& table, std::u16string_view text, std::u16string_view attributes);
// The heading row that separates sections: the rule line across two columns.
void WriteSeparatorRow(HTMLTblCls& table);

// Writes the two header rows (separator, then title with marks and colour) of
// every level 1..depth whose headPending is set, outermost first, and clears
// those flags. The title of level 1 is its key; a deeper level's title is its
// key, " ( ", the enclosing keys nearest first joined by ">", and " ) ".
// Throws tarnwick::Error when the stacks are shorter than depth.
void WriteHeaders(PathStacks& stacks, HTMLTblCls& resultTable);

// The rows of one named value: the name cell carries the name (in its colour)
// on the first row only.
class PropertyRows {
 public:
  PropertyRows(HTMLTblCls& table, std::u16string_view name, std::u16string_view nameColour = u"")
      : table_(table), name_(name), nameColour_(nameColour) {}

  void Row(std::u16string_view mark1, std::u16string_view mark2, std::u16string_view number1,
           std::u16string_view number1Attributes, std::u16string_view number2,
           std::u16string_view number2Attributes, std::u16string_view value,
           std::u16string_view valueAttributes);

  // One row per record of a line difference: a common line with its numbers,
  // a line of one side marked and coloured with its own number.
  // colourNumbers colours the number cells of those rows too.
  void DiffRows(std::span<const LineRecord> records, bool colourNumbers);

 private:
  HTMLTblCls& table_;
  std::u16string_view name_;
  std::u16string_view nameColour_;
  bool nameWritten_ = false;
};

}  // namespace tarnwick
