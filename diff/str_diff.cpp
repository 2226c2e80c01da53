#include "diff/str_diff.h"

#include <array>
#include <limits>

#include "text/error.h"
#include "text/line_reader.h"

namespace tarnwick {

std::uint16_t LineHash(std::u16string_view line) {
  unsigned h = 0;
  auto mix = [&h](unsigned byte) {
    h = ((h << 1) & 0x7FFF) | ((h >> 14) & 1);
    h ^= byte;
  };
  for (char16_t unit : line) {
    mix(unit & 0xFF);
    mix(unit >> 8);
  }
  return static_cast<std::uint16_t>(h);
}

namespace {

constexpr std::size_t kHashValues = 0x8000;

// One loaded text. Index 0 of the per-line tables is unused: lines are 1-based.
struct LineTable {
  std::u16string storage;
  std::vector<std::u16string_view> lines = std::vector<std::u16string_view>(1);
  std::vector<std::uint16_t> hash{0};
  std::vector<std::uint16_t> prefix{0};
  std::vector<std::int32_t> next{0};
  std::vector<std::int32_t> first = std::vector<std::int32_t>(kHashValues, 0);
  std::int32_t count = 0;

  void Load(std::u16string_view text) {
    storage.assign(text);
    lines.assign(1, {});
    hash.assign(1, 0);
    prefix.assign(1, 0);
    next.assign(1, 0);
    first.assign(kHashValues, 0);
    std::vector<std::int32_t> last(kHashValues, 0);
    std::int64_t position = 1;
    while (position != -1) {
      if (lines.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max() - 1)) {
        throw Error(6, u"オーバーフローしました。");
      }
      const std::u16string_view line = ReadLine(storage, position);
      const std::int32_t q = static_cast<std::int32_t>(lines.size());
      const std::uint16_t h = LineHash(line);
      lines.push_back(line);
      hash.push_back(h);
      prefix.push_back(prefix.back() ^ h);
      next.push_back(0);
      if (last[h] != 0) {
        next[last[h]] = q;
      } else {
        first[h] = q;
      }
      last[h] = q;
    }
    count = static_cast<std::int32_t>(lines.size()) - 1;
  }
};

struct Match {
  bool found = false;
  std::int32_t start1 = 0;
  std::int32_t start2 = 0;
  std::int32_t length = 1;
};

}  // namespace

struct StrDiff2::Impl {
  LineTable text1;
  LineTable text2;

  bool LinesEqual(std::int32_t a, std::int32_t b) const {
    if (a > text1.count || b > text2.count) return false;
    if (text1.hash[a] != text2.hash[b]) return false;
    return text1.lines[a] == text2.lines[b];
  }

  std::int32_t RunLength(std::int32_t i, std::int32_t c, std::int32_t e1, std::int32_t e2) const {
    std::int32_t run = 0;
    while (i + run < e1 && c + run < e2 && LinesEqual(i + run, c + run)) ++run;
    return run;
  }

  Match FindLongestMatch(std::int32_t i0, std::int32_t j0, std::int32_t e1,
                         std::int32_t e2) const {
    Match best{false, i0, j0, 1};
    if (i0 >= e1) return best;
    std::int32_t bestDistance = 0;
    for (std::int32_t i = i0; i + best.length - 1 < e1; ++i) {
      auto window1 = [&] {
        return text1.prefix[i + best.length - 1] ^ text1.prefix[i - 1];
      };
      std::uint16_t x1 = window1();
      for (std::int32_t c = text2.first[text1.hash[i]]; c != 0; c = text2.next[c]) {
        if (c + best.length - 1 >= e2) break;
        if (c < j0) continue;
        if ((text2.prefix[c + best.length - 1] ^ text2.prefix[c - 1]) != x1) continue;
        const std::int32_t run = RunLength(i, c, e1, e2);
        const std::int32_t distance = (c - j0) + (i - i0);
        const bool take = best.found ? run > best.length ||
                                           (run == best.length && distance < bestDistance)
                                     : run >= 1;
        if (take) {
          best = {true, i, c, run};
          bestDistance = distance;
          x1 = window1();
        }
      }
    }
    return best;
  }
};

StrDiff2::StrDiff2() : impl_(std::make_unique<Impl>()) {}
StrDiff2::~StrDiff2() = default;

void StrDiff2::SetText1(std::u16string_view text) { impl_->text1.Load(text); }
void StrDiff2::SetText2(std::u16string_view text) { impl_->text2.Load(text); }

void StrDiff2::BuildDiff() {
  blocks_.assign(1, DiffBlock{true, 1, 1, impl_->text1.count, impl_->text2.count, -1});
  std::int32_t cur = 1;
  bool split = true;
  for (;;) {
    if (!split) {
      cur = blocks_[cur - 1].nNext;
      if (cur == -1) break;
    }
    split = RefineBlock(cur);
  }
}

// Cuts block k at its common head and then, left to right, at the longest
// common run of what remains. Returns whether more than one piece came out.
bool StrDiff2::RefineBlock(std::int32_t k) {
  const DiffBlock block = blocks_[k - 1];
  if (!block.bChanged || block.nLen1 == 0 || block.nLen2 == 0) return false;

  bool split = false;
  std::int32_t lastWritten = 0;
  auto write = [&](bool changed, std::int32_t s1, std::int32_t s2, std::int32_t l1,
                   std::int32_t l2) {
    if (lastWritten == 0) {
      blocks_[k - 1] = DiffBlock{changed, s1, s2, l1, l2, block.nNext};
      lastWritten = k;
      return;
    }
    const std::int32_t number = static_cast<std::int32_t>(blocks_.size()) + 1;
    blocks_.push_back(DiffBlock{changed, s1, s2, l1, l2, blocks_[lastWritten - 1].nNext});
    blocks_[lastWritten - 1].nNext = number;
    lastWritten = number;
    split = true;
  };

  std::int32_t i = block.nStart1;
  std::int32_t j = block.nStart2;
  const std::int32_t e1 = i + block.nLen1;
  const std::int32_t e2 = j + block.nLen2;

  const std::int32_t head = impl_->RunLength(i, j, e1, e2);
  if (head > 0) {
    write(false, i, j, head, head);
    i += head;
    j += head;
  }
  while (i < e1 && j < e2) {
    const Match m = impl_->FindLongestMatch(i, j, e1, e2);
    if (!m.found) {
      write(true, i, j, e1 - i, e2 - j);
      i = e1;
      j = e2;
      break;
    }
    write(true, i, j, m.start1 - i, m.start2 - j);
    write(false, m.start1, m.start2, m.length, m.length);
    i = m.start1 + m.length;
    j = m.start2 + m.length;
  }
  if (i < e1 || j < e2) write(true, i, j, e1 - i, e2 - j);
  return split;
}

void StrDiff2::Rewind() {
  cursorBlock_ = 1;
  p1_ = 1;
  p2_ = 1;
  end_ = false;
}

DiffRecord StrDiff2::NextDiffLine() {
  DiffRecord record;
  if (end_ || cursorBlock_ < 1 || cursorBlock_ > static_cast<std::int32_t>(blocks_.size())) {
    end_ = true;
    return record;
  }
  const DiffBlock* block = &blocks_[cursorBlock_ - 1];
  while (p1_ > block->nLen1 && p2_ > block->nLen2) {
    if (block->nNext == -1) {
      end_ = true;
      return record;
    }
    cursorBlock_ = block->nNext;
    block = &blocks_[cursorBlock_ - 1];
    p1_ = 1;
    p2_ = 1;
  }
  bool tookText1 = false;
  if (p1_ <= block->nLen1) {
    record.idx1 = block->nStart1 + p1_ - 1;
    record.line1 = impl_->text1.lines[record.idx1];
    ++p1_;
    tookText1 = true;
  }
  if (!block->bChanged || !tookText1) {
    if (p2_ <= block->nLen2) {
      record.idx2 = block->nStart2 + p2_ - 1;
      record.line2 = impl_->text2.lines[record.idx2];
      ++p2_;
    }
  }
  record.kind = !block->bChanged ? 0 : (tookText1 ? 1 : 2);
  return record;
}

}  // namespace tarnwick
