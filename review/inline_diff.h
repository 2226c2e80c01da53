// The changed parts within a pair of lines, so a page can point at the number
// that turned VARCHAR2(100) into VARCHAR2(200) instead of painting both lines
// whole. Lines are cut into tokens a reader takes in at once, and a changed
// token is marked whole, never a few of its characters:
//
//   a number       100  1.5  ０１     digits, a decimal part, letters after them
//   a word         VARCHAR2  :ORDERS  ASCII (and full-width) letters, digits,
//                                    "_", "$", "#"
//   a string       'A''B'  "x"       a quoted literal, doubled quotes inside
//   punctuation    :=  );  ||        a run of ASCII signs
//   blanks         a run of spaces, tabs and U+3000
//   anything else  one character: Japanese text has no word boundaries
//
// The tokens are compared with the line difference of diff/str_diff.h, each
// token standing for one line. Two strings that take each other's place are
// compared by the tokens inside them, so a word changed in a long message is
// marked alone.
#pragma once

#include <string_view>
#include <vector>

#include "review/html_text.h"

namespace tarnwick {

struct InlineDifference {
  std::vector<TextSpan> changed1;  // ascending, within line 1
  std::vector<TextSpan> changed2;  // ascending, within line 2
  // The lines share enough (about 40% of the longer one) that marking the
  // changed parts helps a reader; otherwise the lines are simply different.
  bool similar = false;
};

InlineDifference DiffWithinLine(std::u16string_view line1, std::u16string_view line2);

// The tokens of a line, in order and covering it: exposed for the tests.
std::vector<TextSpan> LineTokens(std::u16string_view line);

}  // namespace tarnwick
