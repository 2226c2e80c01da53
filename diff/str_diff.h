// The line difference of two texts, by recursive longest-common-run
// splitting:
//
//   std::vector<LineRecord> records = DiffLines(u"a\nb\nc", u"a\nc\nd");
//   // kCommon a, kOnly1 b, kCommon c, kOnly2 d; idx1/idx2 are 1-based line numbers
//
// Lines are compared exactly. A changed region is cut at its longest run of
// equal lines; among equally long runs the one nearest the region's start
// (least sum of offsets), then the first in text 1, wins. Each changed block
// yields its text-1 lines, then its text-2 lines. The searches for the runs
// of one changed region take O(n log n) time in its n lines together,
// however dense the changes. The lines of a record are views into the two
// texts: keep them alive and unchanged while the records are read (a value
// may be hundreds of megabytes, so nothing is copied).
//
// StrDiff2 is the same as an object that keeps its tables from one
// comparison to the next and hands the records out one at a time, for the
// comparison of many values.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick {

// What a record of the difference holds.
enum class LineKind : std::uint8_t {
  kCommon,  // a line of both texts (under comparison options also a line they
            // ignore: then the other side's number is 0)
  kOnly1,   // a line of text 1 only: line1, idx1
  kOnly2,   // a line of text 2 only: line2, idx2
};

struct LineRecord {
  LineKind kind = LineKind::kCommon;
  std::int32_t idx1 = 0;  // 1-based line numbers; 0 when the side has no line
  std::int32_t idx2 = 0;
  std::u16string_view line1;  // views into the compared texts
  std::u16string_view line2;
};

// Every record of text1 against text2, in order.
std::vector<LineRecord> DiffLines(std::u16string_view text1, std::u16string_view text2);

// One piece of the difference: a run of equal lines, or a changed region.
// The pieces form a list threaded by nNext (1-based, -1 ends it).
struct DiffBlock {
  bool bChanged = false;
  std::int32_t nStart1 = 0;
  std::int32_t nStart2 = 0;
  std::int32_t nLen1 = 0;
  std::int32_t nLen2 = 0;
  std::int32_t nNext = -1;
};

// The 15-bit rotate-and-xor hash over the line's UTF-16LE bytes.
std::uint16_t LineHash(std::u16string_view line);

class StrDiff2 {
 public:
  StrDiff2();
  ~StrDiff2();

  // Load both texts, BuildDiff, Rewind, then NextDiffLine until it says the
  // records are done. Each keeps a view of `text`, which must outlive the
  // reading of the records.
  void SetText1(std::u16string_view text);
  void SetText2(std::u16string_view text);
  void BuildDiff();
  void Rewind();
  // The next record into `record`; false, leaving it alone, once they are done.
  bool NextDiffLine(LineRecord& record);

 private:
  friend struct StrDiff2Inspector;  // the tests' view of the block list

  struct Impl;  // line tables of both texts; see the .cpp
  bool RefineBlock(std::int32_t k);

  std::unique_ptr<Impl> impl_;
  std::vector<DiffBlock> blocks_;  // in storage order; block 1 is the head
  std::int32_t cursorBlock_ = 1;
  std::int32_t p1_ = 1;
  std::int32_t p2_ = 1;
  bool end_ = false;
};

}  // namespace tarnwick
