// The line difference of two multi-line values as the pages show it: the
// records of DiffLines in its order, each pointing at the original lines. Under
// comparison options the normalised lines are compared and every record is
// mapped back to the original lines by number, so a common record may hold
// two different texts, and a line the options ignore (blank-only) is a common
// record with the other side's number 0.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "diff/compare_options.h"
#include "diff/str_diff.h"

namespace tarnwick {

// Computes line differences, reusing its buffers from one call to the next.
class LineDiffer {
 public:
  // The records of text1 against text2. They view the two texts and stay
  // valid until the next call.
  const std::vector<LineRecord>& Compare(std::u16string_view text1, std::u16string_view text2,
                                         const CompareOptions& options = {});

  // Every line of one value as that side's own lines (kOnly1 for side 1,
  // kOnly2 for side 2), numbered from 1: a value the other side lacks.
  const std::vector<LineRecord>& OneSide(std::u16string_view text, int side);

 private:
  void AppendSkipped(std::int32_t upTo1, std::int32_t upTo2);

  StrDiff2 diff_;
  ComparisonLines keys1_, keys2_;
  std::vector<std::u16string_view> lines1_, lines2_;  // 1-based, [0] unused
  std::vector<LineRecord> records_;
  std::int32_t next1_ = 1, next2_ = 1;  // first original line not yet written
};

// Which one-sided records of a line difference hold a line the other side
// has one-sided too, as its own: lines moved, not removed and added (an item
// taken to another place of the block and item outline). Each pairs with
// one line of the other side, the first unpaired of the same text; true at
// both records of a pair.
std::vector<bool> MovedLines(std::span<const LineRecord> lines);

}  // namespace tarnwick
