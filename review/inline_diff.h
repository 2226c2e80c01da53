// The changed parts within a pair of lines, so a page can point at the two
// characters that turned VARCHAR2(100) into VARCHAR2(200) instead of painting
// both lines whole. Lines are cut into words (ASCII letters, digits and "_"),
// runs of blanks and single other characters; the longest common subsequence
// of those tokens is kept, and each changed region between two kept tokens
// is narrowed by its common leading and trailing characters. Work is bounded:
// very long lines fall back to their common prefix and suffix.
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

}  // namespace tarnwick
