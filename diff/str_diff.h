// StrDiff2: line difference of two texts by recursive longest-common-run
// splitting. One object holds one comparison: load both texts, BuildDiff,
// Rewind, then NextDiffLine until IsDiffEnd. Lines are compared exactly.
// A changed region is cut at its longest run of equal lines; among equally
// long runs the one nearest the region's start (least sum of offsets), then
// the first in text 1, wins. Each changed block yields its text-1 lines, then
// its text-2 lines. The searches for the runs of one changed region take
// O(n log n) time in its n lines together, however dense the changes.
// Records: kind 0 common line, 1 only in text 1, 2 only in text 2, -1 end.
// SetText1 and SetText2 keep views into the caller's text, not a copy (a
// value may be hundreds of megabytes): the caller keeps each text alive and
// unchanged until it has read the last record. The lines of a record are
// views into those texts.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick {

// What a record of the difference holds.
enum class DiffKind {
  kCommon,  // a line of both texts: line1 and line2, idx1 and idx2
  kOnly1,   // a line of text 1 only: line1, idx1
  kOnly2,   // a line of text 2 only: line2, idx2
  kEnd,     // no line: the records are done
};

struct DiffRecord {
  std::u16string_view line1;
  std::u16string_view line2;
  std::int32_t idx1 = 0;  // 1-based line numbers
  std::int32_t idx2 = 0;
  DiffKind kind = DiffKind::kEnd;
};

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

  // Each keeps a view of `text`, which must outlive the reading of the records.
  void SetText1(std::u16string_view text);
  void SetText2(std::u16string_view text);
  void BuildDiff();
  void Rewind();
  DiffRecord NextDiffLine();
  bool IsDiffEnd() const { return end_; }

  // The block list in storage order (block 1 is the head), for tests.
  const std::vector<DiffBlock>& Blocks() const { return blocks_; }

 private:
  struct Impl;  // line tables of both texts; see the .cpp
  bool RefineBlock(std::int32_t k);

  std::unique_ptr<Impl> impl_;
  std::vector<DiffBlock> blocks_;
  std::int32_t cursorBlock_ = 1;
  std::int32_t p1_ = 1;
  std::int32_t p2_ = 1;
  bool end_ = false;
};

}  // namespace tarnwick
