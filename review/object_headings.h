// What the comparison and search pages share about object headings: which
// heading is due, and the line above it that names the enclosing objects.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "diff/path_stacks.h"

namespace tarnwick {

// The level whose object heading is due, clearing every pending heading up
// to it; 0 when none is due.
std::size_t TakeDueHeading(PathStacks& stacks);

// A path whose keys, with their separators, run longer than this is shown
// shortened.
inline constexpr std::size_t kWholePathLength = 400;
// A key shown only for orientation keeps this many characters at each end.
inline constexpr std::size_t kKeyEndKept = 30;

// The lines naming the enclosing objects above the object headings of one
// page: "A/B/C", escaped, written whenever the objects change, so siblings
// share one. A path up to kWholePathLength shows whole. A longer one (deep
// nesting, long names) shows the levels it shares with the line before as
// its first and last of them, each cut in the middle, then the levels it
// enters anew whole: "FIRST/…/LAST/NEW/NEWER". Every object is named whole
// in at most one line, so the lines grow with the objects shown, not with
// their depth squared.
class EnclosingLines {
 public:
  // The line for the object heading at `depth` (HTML, no tags), or empty
  // when the enclosing objects are those of the last line (or none).
  std::u16string Next(const PathStacks& stacks, std::size_t depth);

 private:
  std::vector<std::u16string> keys_;  // the objects the last line named
};

}  // namespace tarnwick
