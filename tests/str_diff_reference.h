// The line difference written out literally as documented: 15-bit hash
// chains walked whole, the prefix XOR filter and its loop bounds, the block
// list refined piece by piece. Slow (quadratic on repeated lines) but plainly
// right, it is the yardstick StrDiff2 is checked against, by tests and by
// fuzzing alike.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "diff/str_diff.h"
#include "text/line_reader.h"

namespace tarnwick {

// The block list of a StrDiff2 in storage order (block 1 is the head): the
// product keeps it to itself, the tests hold it against the reference's.
struct StrDiff2Inspector {
  static const std::vector<DiffBlock>& Blocks(const StrDiff2& diff) { return diff.blocks_; }
};

class ReferenceStrDiff {
 public:
  ReferenceStrDiff(std::u16string_view text1, std::u16string_view text2)
      : t1_(Load(text1)), t2_(Load(text2)) {
    blocks_.push_back({true, 1, 1, t1_.count, t2_.count, -1});
    int cur = 1;
    bool split = true;
    for (;;) {
      if (!split) {
        cur = blocks_[cur - 1].nNext;
        if (cur == -1) break;
      }
      split = Refine(cur);
    }
  }

  // In storage order, as StrDiff2Inspector::Blocks.
  const std::vector<DiffBlock>& Blocks() const { return blocks_; }

  // Every record in reading order, without the end record; the lines are
  // views into this object.
  std::vector<LineRecord> Records() const {
    std::vector<LineRecord> out;
    for (int k = 1; k != -1; k = blocks_[k - 1].nNext) {
      const DiffBlock& b = blocks_[k - 1];
      if (!b.bChanged) {
        for (int t = 0; t < b.nLen1; ++t) {
          out.push_back({LineKind::kCommon, b.nStart1 + t, b.nStart2 + t, t1_.lines[b.nStart1 + t],
                         t2_.lines[b.nStart2 + t]});
        }
        continue;
      }
      for (int t = 0; t < b.nLen1; ++t)
        out.push_back({LineKind::kOnly1, b.nStart1 + t, 0, t1_.lines[b.nStart1 + t], {}});
      for (int t = 0; t < b.nLen2; ++t)
        out.push_back({LineKind::kOnly2, 0, b.nStart2 + t, {}, t2_.lines[b.nStart2 + t]});
    }
    return out;
  }

 private:
  struct Text {
    int count = 0;
    std::vector<std::u16string> lines{1};
    std::vector<int> hash{0}, prefix{0}, next{0};
    std::vector<int> first = std::vector<int>(0x8000, 0);
  };

  static Text Load(std::u16string_view text) {
    Text t;
    std::vector<int> last(0x8000, 0);
    std::int64_t position = 1;
    while (position != -1) {
      t.lines.emplace_back(ReadLine(text, position));
      const int q = ++t.count;
      const int h = LineHash(t.lines.back());
      t.hash.push_back(h);
      t.prefix.push_back(t.prefix.back() ^ h);
      t.next.push_back(0);
      if (last[h] != 0) {
        t.next[last[h]] = q;
      } else {
        t.first[h] = q;
      }
      last[h] = q;
    }
    return t;
  }

  bool Equal(int a, int b) const {
    if (a > t1_.count || b > t2_.count) return false;
    if (t1_.hash[a] != t2_.hash[b]) return false;
    return t1_.lines[a] == t2_.lines[b];
  }

  struct Found {
    bool found;
    int i, c, len;
  };

  Found Longest(int i0, int j0, int e1, int e2) const {
    if (i0 >= e1) return {false, i0, j0, 1};
    int best = 1, bi = i0, bc = j0, bd = 0;
    bool found = false;
    int i = i0;
    do {
      int x1 = t1_.prefix[i + best - 1] ^ t1_.prefix[i - 1];
      for (int c = t2_.first[t1_.hash[i]]; c != 0; c = t2_.next[c]) {
        if (c + best - 1 >= e2) break;
        if (c < j0) continue;
        if ((t2_.prefix[c + best - 1] ^ t2_.prefix[c - 1]) != x1) continue;
        int run = 0;
        while (i + run < e1 && c + run < e2 && Equal(i + run, c + run)) ++run;
        const int d = (c - j0) + (i - i0);
        if (found ? (run > best || (run == best && d < bd)) : run >= 1) {
          best = run, bi = i, bc = c, bd = d, found = true;
          x1 = t1_.prefix[i + best - 1] ^ t1_.prefix[i - 1];
        }
      }
      ++i;
    } while (i + best - 1 < e1);
    return {found, bi, bc, best};
  }

  bool Refine(int k) {
    const DiffBlock b = blocks_[k - 1];
    if (!b.bChanged || b.nLen1 == 0 || b.nLen2 == 0) return false;
    bool split = false;
    int last = 0;
    auto write = [&](bool changed, int s1, int s2, int l1, int l2) {
      if (last == 0) {
        blocks_[k - 1] = {changed, s1, s2, l1, l2, b.nNext};
        last = k;
        return;
      }
      blocks_.push_back({changed, s1, s2, l1, l2, blocks_[last - 1].nNext});
      last = blocks_[last - 1].nNext = static_cast<int>(blocks_.size());
      split = true;
    };
    int i = b.nStart1, j = b.nStart2;
    const int e1 = i + b.nLen1, e2 = j + b.nLen2;
    const int i_start = i;
    while (i < e1 && j < e2 && Equal(i, j)) ++i, ++j;
    if (i > i_start) write(false, i_start, b.nStart2, i - i_start, i - i_start);
    while (i < e1 && j < e2) {
      const Found f = Longest(i, j, e1, e2);
      if (!f.found) {
        write(true, i, j, e1 - i, e2 - j);
        i = e1, j = e2;
        break;
      }
      write(true, i, j, f.i - i, f.c - j);
      write(false, f.i, f.c, f.len, f.len);
      i = f.i + f.len, j = f.c + f.len;
    }
    if (i < e1 || j < e2) write(true, i, j, e1 - i, e2 - j);
    return split;
  }

  Text t1_, t2_;
  std::vector<DiffBlock> blocks_;
};

}  // namespace tarnwick
