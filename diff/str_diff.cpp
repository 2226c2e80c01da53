#include "diff/str_diff.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>

#include "base/error.h"
#include "base/prefetch.h"
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

constexpr int kOverflowErrorNumber = 6;

// One loaded text: views of its lines, 1-based (index 0 is unused), into the
// caller's text.
struct LoadedText {
  std::vector<std::u16string_view> lines = std::vector<std::u16string_view>(1);
  std::int32_t count = 0;

  void Load(std::u16string_view text) {
    lines.assign(1, {});
    std::int64_t position = 1;
    while (position != -1) {
      if (lines.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max() - 2)) {
        throw Error(kOverflowErrorNumber, u"オーバーフローしました。");
      }
      lines.push_back(ReadLine(text, position));
    }
    count = static_cast<std::int32_t>(lines.size()) - 1;
  }
};

// A 64-bit hash of a line for interning and window hashing; equal lines hash
// equally, which is all the search relies on (every match is verified).
std::uint64_t WideHash(std::u16string_view line) {
  constexpr std::uint64_t kMul = 0x9E3779B97F4A7C15ull;
  std::uint64_t h = 0x243F6A8885A308D3ull ^ (line.size() * kMul);
  std::size_t k = 0;
  for (; k + 4 <= line.size(); k += 4) {
    std::uint64_t v;
    std::memcpy(&v, line.data() + k, sizeof v);
    h = (h ^ v) * kMul;
    h ^= h >> 29;
  }
  for (; k < line.size(); ++k) {
    h = (h ^ line[k]) * kMul;
    h ^= h >> 29;
  }
  h ^= h >> 32;
  h *= 0xD6E8FEB86659FD93ull;
  h ^= h >> 32;
  return h;
}

// A text-1 line occurring at most this often in text 2 is a cheap anchor;
// the higher levels still find a fairly rare line among frequent ones.
constexpr std::array<std::int32_t, 3> kRareCounts = {4, 32, 256};
constexpr std::uint64_t kWindowBase = 0x100000001B3ull;

struct Match {
  bool found = false;
  std::int32_t start1 = 0;
  std::int32_t start2 = 0;
  std::int32_t length = 1;
};

// A segment tree of minima over a fixed number of values.
class MinTree {
 public:
  static constexpr std::int32_t kNone = std::numeric_limits<std::int32_t>::max();

  void Build(const std::vector<std::int32_t>& values) {
    size_ = 1;
    while (size_ < values.size()) size_ *= 2;
    tree_.assign(2 * size_, kNone);
    std::copy(values.begin(), values.end(), tree_.begin() + static_cast<std::ptrdiff_t>(size_));
    for (std::size_t k = size_ - 1; k >= 1; --k)
      tree_[k] = std::min(tree_[2 * k], tree_[2 * k + 1]);
  }

  void Set(std::int32_t at, std::int32_t value) {
    std::size_t k = size_ + static_cast<std::size_t>(at);
    tree_[k] = value;
    for (k /= 2; k >= 1; k /= 2) tree_[k] = std::min(tree_[2 * k], tree_[2 * k + 1]);
  }

  // The least value at positions lo..hi.
  std::int32_t Min(std::int32_t lo, std::int32_t hi) const {
    std::int32_t result = kNone;
    for (std::size_t a = size_ + lo, b = size_ + hi + 1; a < b; a /= 2, b /= 2) {
      if (a & 1) result = std::min(result, tree_[a++]);
      if (b & 1) result = std::min(result, tree_[--b]);
    }
    return result;
  }

  // The last position at or before `at` holding a value below `limit`, or -1.
  std::int32_t LastBelow(std::int32_t at, std::int32_t limit) const {
    std::size_t k = size_ + static_cast<std::size_t>(at);
    if (tree_[k] < limit) return at;
    // Climb until a left sibling holds such a value, then descend into it,
    // keeping to the right.
    for (;; k /= 2) {
      if (k == 1) return -1;
      if ((k & 1) && tree_[k - 1] < limit) {
        k -= 1;
        break;
      }
    }
    while (k < size_) k = tree_[2 * k + 1] < limit ? 2 * k + 1 : 2 * k;
    return static_cast<std::int32_t>(k - size_);
  }

  // The first position at or after `at` holding a value below `limit`, or
  // the number of positions of the tree.
  std::int32_t FirstBelow(std::int32_t at, std::int32_t limit) const {
    if (static_cast<std::size_t>(at) >= size_) return static_cast<std::int32_t>(size_);
    std::size_t k = size_ + static_cast<std::size_t>(at);
    if (tree_[k] < limit) return at;
    for (;; k /= 2) {
      if (k == 1) return static_cast<std::int32_t>(size_);
      if (!(k & 1) && tree_[k + 1] < limit) {
        k += 1;
        break;
      }
    }
    while (k < size_) k = tree_[2 * k] < limit ? 2 * k : 2 * k + 1;
    return static_cast<std::int32_t>(k - size_);
  }

 private:
  std::size_t size_ = 1;
  std::vector<std::int32_t> tree_;
};

// The longest match searches of one block, answered from the suffix array of
// its region's text-1 lines, a separator, its text-2 lines and another
// separator. Between searches of one block the region only loses its front
// (the ends stay), so a search asks for the longest common prefix of a
// text-1 suffix starting at or after i and a text-2 suffix starting at or
// after j. That is the depth of the deepest interval of the suffix array
// that still holds a suffix of each side; an interval that loses its last
// suffix of one side never gets it back, so one pass down the intervals,
// deepest first, serves every search. The nearest pair of that length is
// found by walking text 1 from i only as far as a nearer pair could start.
// Building costs O(n log n); all searches of the block together cost
// O(n log n) as well, n being the lines of the region.
class RunIndex {
 public:
  // `ids1`, `ids2`: line ids of both texts (1-based); `local` has room for
  // every id and holds -1 everywhere, as it is left on return.
  void Build(const std::vector<std::int32_t>& ids1, const std::vector<std::int32_t>& ids2,
             std::vector<std::int32_t>& local, std::int32_t i, std::int32_t j, std::int32_t e1,
             std::int32_t e2) {
    base1_ = i;
    base2_ = j;
    end1_ = e1;
    count1_ = e1 - i;
    const std::int32_t n = count1_ + (e2 - j) + 2;

    // The symbols: lines renumbered from 0 in order of first use, then the
    // two separators, each above every line.
    std::vector<std::int32_t>& symbols = work1_;
    symbols.resize(n);
    std::int32_t letters = 0;
    std::vector<std::int32_t> used;
    auto symbol = [&](std::int32_t id) {
      if (local[id] < 0) {
        local[id] = letters++;
        used.push_back(id);
      }
      return local[id];
    };
    for (std::int32_t k = 0; k < count1_; ++k) symbols[k] = symbol(ids1[i + k]);
    for (std::int32_t k = 0; k < e2 - j; ++k) symbols[count1_ + 1 + k] = symbol(ids2[j + k]);
    for (std::int32_t id : used) local[id] = -1;
    symbols[count1_] = letters;
    symbols[n - 1] = letters + 1;

    SortSuffixes(symbols, letters + 2);
    std::vector<std::int32_t> lcp(n, 0);
    // Kasai: the common prefix with the suffix before shrinks by at most one
    // from one text position to the next.
    for (std::int32_t pos = 0, h = 0; pos < n; ++pos) {
      const std::int32_t r = rank_[pos];
      if (r == 0) {
        h = 0;
        continue;
      }
      const std::int32_t prev = sa_[r - 1];
      while (pos + h < n && prev + h < n && symbols[pos + h] == symbols[prev + h]) ++h;
      lcp[r] = h;
      if (h > 0) --h;
    }
    CollectIntervals(lcp);
    lcpTree_.Build(lcp);

    // Per suffix-array position the text-2 line starting there, for the
    // nearest search; text-1 suffixes and separators hold none.
    std::vector<std::int32_t>& starts2 = work1_;
    for (std::int32_t r = 0; r < n; ++r) starts2[r] = Line2(sa_[r]);
    starts2_.Build(starts2);
    active2_ = j;
    nextInterval_ = 0;
  }

  Match Find(std::int32_t i, std::int32_t j) {
    for (; active2_ < j; ++active2_)
      starts2_.Set(rank_[count1_ + 1 + (active2_ - base2_)], MinTree::kNone);
    while (nextInterval_ < intervals_.size() &&
           (intervals_[nextInterval_].last1 < i || intervals_[nextInterval_].last2 < j)) {
      ++nextInterval_;
    }
    Match best{false, i, j, 1};
    if (nextInterval_ == intervals_.size()) return best;
    const std::int32_t length = intervals_[nextInterval_].depth;
    std::int32_t bestDistance = std::numeric_limits<std::int32_t>::max();
    for (std::int32_t p = i; p + length <= end1_ && p - i < bestDistance; ++p) {
      // The suffixes sharing `length` lines with text 1 from p lie around
      // its rank; the first text-2 line among them that is still in the
      // region is the nearest partner.
      const std::int32_t r = rank_[p - base1_];
      const std::int32_t lo = lcpTree_.LastBelow(r, length);
      const std::int32_t hi = lcpTree_.FirstBelow(r + 1, length) - 1;
      const std::int32_t c = starts2_.Min(lo, hi);
      if (c == MinTree::kNone) continue;
      const std::int32_t distance = (p - i) + (c - j);
      if (distance < bestDistance) {
        best = {true, p, c, length};
        bestDistance = distance;
      }
    }
    return best;
  }

 private:
  struct Interval {
    std::int32_t depth;  // lines every suffix of the interval shares
    std::int32_t last1;  // the last text-1 line starting a suffix in it, or -1
    std::int32_t last2;  // the same for text 2
  };

  // The text-1 line where the suffix at text position `pos` starts, or -1.
  std::int32_t Line1(std::int32_t pos) const { return pos < count1_ ? base1_ + pos : -1; }
  std::int32_t Line2(std::int32_t pos) const {
    const std::int32_t n = static_cast<std::int32_t>(sa_.size());
    return pos > count1_ && pos < n - 1 ? base2_ + (pos - count1_ - 1) : MinTree::kNone;
  }

  // Prefix doubling with radix sorts: after the round for h, suffixes are
  // ordered by their first 2h symbols. Fills sa_ and rank_ (its inverse).
  void SortSuffixes(const std::vector<std::int32_t>& symbols, std::int32_t letters) {
    const std::int32_t n = static_cast<std::int32_t>(symbols.size());
    sa_.resize(n);
    rank_.resize(n);
    std::vector<std::int32_t>& order = work2_;
    std::vector<std::int32_t>& next = work3_;
    order.resize(n);
    next.resize(n);
    std::vector<std::int32_t> counts(std::max(letters, n) + 1, 0);
    for (std::int32_t k = 0; k < n; ++k) ++counts[symbols[k] + 1];
    for (std::size_t k = 1; k < counts.size(); ++k) counts[k] += counts[k - 1];
    for (std::int32_t k = 0; k < n; ++k) sa_[counts[symbols[k]]++] = k;
    rank_[sa_[0]] = 0;
    for (std::int32_t r = 1; r < n; ++r) {
      rank_[sa_[r]] = rank_[sa_[r - 1]] + (symbols[sa_[r]] != symbols[sa_[r - 1]]);
    }
    for (std::int32_t h = 1; rank_[sa_[n - 1]] < n - 1; h *= 2) {
      // By the second half first: suffixes too short to have one lead.
      std::int32_t filled = 0;
      for (std::int32_t k = n - h; k < n; ++k) order[filled++] = k;
      for (std::int32_t r = 0; r < n; ++r) {
        if (sa_[r] >= h) order[filled++] = sa_[r] - h;
      }
      // Then, keeping that order, by the first half.
      const std::int32_t classes = rank_[sa_[n - 1]] + 1;
      std::fill(counts.begin(), counts.begin() + classes + 1, 0);
      for (std::int32_t k = 0; k < n; ++k) ++counts[rank_[k] + 1];
      for (std::int32_t c = 1; c <= classes; ++c) counts[c] += counts[c - 1];
      for (std::int32_t k : order) sa_[counts[rank_[k]]++] = k;
      auto second = [&](std::int32_t k) { return k + h < n ? rank_[k + h] : -1; };
      next[sa_[0]] = 0;
      for (std::int32_t r = 1; r < n; ++r) {
        const std::int32_t a = sa_[r - 1];
        const std::int32_t b = sa_[r];
        next[b] = next[a] + (rank_[a] != rank_[b] || second(a) != second(b));
      }
      rank_.swap(next);
    }
  }

  // The intervals of the suffix array whose suffixes share at least one
  // line, deepest first, with the last line of each side they hold.
  void CollectIntervals(const std::vector<std::int32_t>& lcp) {
    const std::int32_t n = static_cast<std::int32_t>(sa_.size());
    closed_.clear();
    std::vector<Interval>& open = stack_;
    open.assign(1, Interval{0, -1, -1});
    for (std::int32_t r = 1; r <= n; ++r) {
      // Suffix r - 1 (or the interval just closed) joins the innermost open
      // interval that reaches on to r.
      Interval done{0, Line1(sa_[r - 1]), -1};
      const std::int32_t line2 = Line2(sa_[r - 1]);
      if (line2 != MinTree::kNone) done.last2 = line2;
      const std::int32_t depth = r < n ? lcp[r] : 0;
      while (depth < open.back().depth) {
        Interval top = open.back();
        open.pop_back();
        top.last1 = std::max(top.last1, done.last1);
        top.last2 = std::max(top.last2, done.last2);
        closed_.push_back(top);
        done.last1 = top.last1;
        done.last2 = top.last2;
      }
      if (depth > open.back().depth) {
        open.push_back(Interval{depth, done.last1, done.last2});
      } else {
        open.back().last1 = std::max(open.back().last1, done.last1);
        open.back().last2 = std::max(open.back().last2, done.last2);
      }
    }
    // Deepest first, by counting; an interval without a suffix of each side
    // never counts.
    auto useful = [](const Interval& v) { return v.last1 >= 0 && v.last2 >= 0; };
    std::vector<std::int32_t>& slot = work2_;  // per n - depth: the first slot
    slot.assign(n + 1, 0);
    std::size_t kept = 0;
    for (const Interval& v : closed_) {
      if (useful(v)) ++slot[n - v.depth + 1], ++kept;
    }
    for (std::int32_t k = 1; k <= n; ++k) slot[k] += slot[k - 1];
    intervals_.resize(kept);
    for (const Interval& v : closed_) {
      if (useful(v)) intervals_[slot[n - v.depth]++] = v;
    }
  }

  std::int32_t base1_ = 0, base2_ = 0, end1_ = 0, count1_ = 0;
  std::vector<std::int32_t> sa_, rank_;
  std::vector<Interval> intervals_, closed_, stack_;
  std::size_t nextInterval_ = 0;
  MinTree lcpTree_;
  MinTree starts2_;  // per suffix-array position its text-2 line while in the region
  std::int32_t active2_ = 0;
  std::vector<std::int32_t> work1_, work2_, work3_;
};

}  // namespace

// The longest match search never walks whole hash chains: every line gets an
// id (equal ids exactly when the lines are equal), and for a text-1 line the
// candidates in text 2 are found through the occurrence list of the rarest
// line of the window that a better run would have to cover, then filtered by
// a polynomial hash of that window. Only candidates that can beat or tie the
// best so far are visited, so repeated lines ("END IF;", blank lines) cost
// nothing once a run of a few lines is known. The pair returned is the one
// of longest run, then least distance from the region's start, then first in
// text 1: the same one the plain chain walk finds.
struct StrDiff2::Impl {
  LoadedText text1;
  LoadedText text2;

  // Built by Prepare for the loaded pair; 1-based like the lines.
  std::vector<std::int32_t> id1, id2;
  std::vector<std::uint64_t> poly1, poly2;  // prefix polynomial hashes
  std::vector<std::uint64_t> power;         // kWindowBase^n
  std::vector<std::int32_t> count2;         // per id: occurrences in text 2
  std::vector<std::int32_t> posStart;       // per id: first slot in pos2
  std::vector<std::int32_t> pos2;           // text-2 lines grouped by id, ascending
  // Per level: the first text-1 line at or after k that is rare in text 2.
  std::array<std::vector<std::int32_t>, kRareCounts.size()> nextRare1;
  RunIndex index;                      // buffers reused by every indexed block
  std::vector<std::int32_t> localIds;  // per id: -1 outside RunIndex::Build

  void Prepare() {
    const std::int32_t n1 = text1.count;
    const std::int32_t n2 = text2.count;
    std::vector<std::uint64_t> hashes1(n1 + 1), hashes2(n2 + 1);
    for (std::int32_t k = 1; k <= n1; ++k) hashes1[k] = WideHash(text1.lines[k]);
    for (std::int32_t k = 1; k <= n2; ++k) hashes2[k] = WideHash(text2.lines[k]);

    // Open addressing; a slot keeps the hash so that most probes touch one
    // cache line, and lines are compared only when the hashes agree.
    struct Slot {
      std::uint64_t hash = 0;
      std::int32_t id = -1;
    };
    std::size_t capacity = 16;
    while (capacity < 2 * static_cast<std::size_t>(n1 + n2)) capacity *= 2;
    std::vector<Slot> slots(capacity);
    std::vector<std::u16string_view> idLine;
    auto intern = [&](std::u16string_view line, std::uint64_t h) {
      for (std::size_t s = h & (capacity - 1);; s = (s + 1) & (capacity - 1)) {
        Slot& slot = slots[s];
        if (slot.id < 0) {
          slot = {h, static_cast<std::int32_t>(idLine.size())};
          idLine.push_back(line);
          return slot.id;
        }
        if (slot.hash == h && idLine[slot.id] == line) return slot.id;
      }
    };
    id1.assign(n1 + 1, -1);
    id2.assign(n2 + 1, -2);
    // The slots are touched in random order: fetch a few lines ahead so that
    // the cache misses overlap instead of queueing.
    constexpr std::int32_t kAhead = 16;
    for (std::int32_t k = 1; k <= n1; ++k) {
      if (k + kAhead <= n1) PrefetchForReading(&slots[hashes1[k + kAhead] & (capacity - 1)]);
      id1[k] = intern(text1.lines[k], hashes1[k]);
    }
    for (std::int32_t k = 1; k <= n2; ++k) {
      if (k + kAhead <= n2) PrefetchForReading(&slots[hashes2[k + kAhead] & (capacity - 1)]);
      id2[k] = intern(text2.lines[k], hashes2[k]);
    }
    const std::size_t ids = idLine.size();

    count2.assign(ids, 0);
    for (std::int32_t k = 1; k <= n2; ++k) ++count2[id2[k]];
    posStart.assign(ids + 1, 0);
    for (std::size_t id = 0; id < ids; ++id) posStart[id + 1] = posStart[id] + count2[id];
    pos2.resize(n2);
    std::vector<std::int32_t> fill(posStart.begin(), posStart.end() - 1);
    for (std::int32_t k = 1; k <= n2; ++k) pos2[fill[id2[k]]++] = k;

    for (std::size_t level = 0; level < kRareCounts.size(); ++level) {
      std::vector<std::int32_t>& next = nextRare1[level];
      next.assign(n1 + 2, n1 + 1);
      for (std::int32_t k = n1; k >= 1; --k) {
        next[k] = count2[id1[k]] <= kRareCounts[level] ? k : next[k + 1];
      }
    }

    auto prefix = [](const std::vector<std::uint64_t>& hashes, std::vector<std::uint64_t>& poly) {
      poly.assign(hashes.size(), 0);
      for (std::size_t k = 1; k < hashes.size(); ++k)
        poly[k] = poly[k - 1] * kWindowBase + hashes[k];
    };
    prefix(hashes1, poly1);
    prefix(hashes2, poly2);
    power.assign(std::max(n1, n2) + 2, 1);
    for (std::size_t k = 1; k < power.size(); ++k) power[k] = power[k - 1] * kWindowBase;
  }

  std::uint64_t Window(const std::vector<std::uint64_t>& poly, std::int32_t start,
                       std::int32_t width) const {
    return poly[start + width - 1] - poly[start - 1] * power[width];
  }

  // Consecutive equal lines from (i, c), stopping at the ends e1 and e2.
  std::int32_t RunLength(std::int32_t i, std::int32_t c, std::int32_t e1, std::int32_t e2) const {
    const std::int32_t limit = std::min(e1 - i, e2 - c);
    std::int32_t run = 0;
    while (run < limit && id1[i + run] == id2[c + run]) ++run;
    return run;
  }

  // Calls visit(c), ascending, for every c in [cLo, cHi] whose width lines
  // may equal text-1 lines i.. (every c where they do is among them) until
  // visit returns true. Each line looked at adds to work; past budget it
  // gives up (the caller then knows, as work > budget).
  template <typename Visit>
  void ForEachCandidate(std::int32_t i, std::int32_t width, std::int32_t cLo, std::int32_t cHi,
                        std::int64_t& work, std::int64_t budget, Visit visit) const {
    if (cLo > cHi) return;
    std::int32_t anchor = i + width;
    for (const std::vector<std::int32_t>& next : nextRare1) {
      if (next[i] < i + width) {
        anchor = next[i];
        break;
      }
    }
    if (anchor == i + width) {
      anchor = i;
      for (std::int32_t k = i + 1; k < i + width && ++work <= budget; ++k) {
        if (count2[id1[k]] < count2[id1[anchor]]) anchor = k;
      }
    }
    const std::int32_t offset = anchor - i;
    const std::int32_t id = id1[anchor];
    const std::int32_t* first = pos2.data() + posStart[id];
    const std::int32_t* last = pos2.data() + posStart[id + 1];
    if (first == last) return;
    const std::int32_t lo = cLo + offset;
    const std::int32_t hi = cHi + offset;
    first = last - first > 16 ? std::lower_bound(first, last, lo) : first;
    const std::uint64_t window1 = width > 1 ? Window(poly1, i, width) : 0;
    for (; first != last && *first <= hi && ++work <= budget; ++first) {
      if (*first < lo) continue;
      const std::int32_t c = *first - offset;
      if (width > 1 && Window(poly2, c, width) != window1) continue;
      if (visit(c)) return;
    }
  }

  // The searches of one block, left to right. Between them the region only
  // loses its front while its ends stay, so its longest run can only shrink:
  // once a search finds a run as long as the last one, only a nearer run of
  // that length is left to look for. Where runs keep shrinking (or lines
  // repeat too much for candidates to be cheap), the searches together
  // outgrow a budget in proportion to the block, and the block's RunIndex
  // answers the rest.
  struct BlockSearch {
    std::int32_t e1, e2;
    std::int32_t cap;  // no run in what is left of the region is longer
    std::int64_t work = 0;
    std::int64_t budget;
    bool indexed = false;
  };

  BlockSearch StartBlock(std::int32_t i, std::int32_t j, std::int32_t e1, std::int32_t e2) const {
    return {e1, e2, std::min(e1 - i, e2 - j), 0, 16 * (std::int64_t{e1 - i} + (e2 - j)) + 256};
  }

  // The longest run in [i, e1) x [j, e2); i and j never go back within a block.
  Match NextMatch(BlockSearch& block, std::int32_t i, std::int32_t j) {
    if (!block.indexed) {
      const Match m = FindLongestMatch(i, j, block);
      if (block.work <= block.budget) {
        if (m.found) block.cap = m.length;
        return m;
      }
      if (localIds.size() < posStart.size()) localIds.resize(posStart.size(), -1);
      index.Build(id1, id2, localIds, i, j, block.e1, block.e2);
      block.indexed = true;
    }
    return index.Find(i, j);
  }

  // Stops early, with work over the budget, when candidates get too many.
  Match FindLongestMatch(std::int32_t i0, std::int32_t j0, BlockSearch& block) const {
    const std::int32_t e1 = block.e1;
    const std::int32_t e2 = block.e2;
    const std::int64_t budget = block.budget;
    std::int64_t& work = block.work;
    Match best{false, i0, j0, 1};
    if (i0 >= e1) return best;
    std::int32_t bestDistance = 0;
    for (std::int32_t i = i0; i + best.length - 1 < e1; ++i) {
      // Nothing longer is left, and nothing nearer starts this far on.
      if (best.found && best.length >= block.cap && i - i0 >= bestDistance) break;
      ++work;
      // A longer run (any run while none is found) starting at line i.
      for (bool took = true; took;) {
        took = false;
        const std::int32_t width = best.found ? best.length + 1 : 1;
        if (width > block.cap || i + width - 1 >= e1 || j0 + width - 1 >= e2) break;
        ForEachCandidate(i, width, j0, e2 - width, work, budget, [&](std::int32_t c) {
          const std::int32_t run = RunLength(i, c, e1, e2);
          work += run;
          if (run < width) return false;
          best = {true, i, c, run};
          bestDistance = (c - j0) + (i - i0);
          took = true;
          return true;
        });
      }
      // A run as long as the best but nearer to the start of the region.
      if (best.found && i - i0 < bestDistance) {
        const std::int32_t cHi = std::min(j0 + bestDistance - (i - i0) - 1, e2 - best.length);
        ForEachCandidate(i, best.length, j0, cHi, work, budget, [&](std::int32_t c) {
          const std::int32_t run = RunLength(i, c, e1, e2);
          work += run;
          if (run != best.length) return false;
          best = {true, i, c, best.length};
          bestDistance = (c - j0) + (i - i0);
          return true;
        });
      }
      if (work > budget) break;
    }
    return best;
  }
};

StrDiff2::StrDiff2() : impl_(std::make_unique<Impl>()) {}
StrDiff2::~StrDiff2() = default;

// Blocks of the previous texts would point at lines that are gone.
void StrDiff2::SetText1(std::u16string_view text) {
  blocks_.clear();
  impl_->text1.Load(text);
}

void StrDiff2::SetText2(std::u16string_view text) {
  blocks_.clear();
  impl_->text2.Load(text);
}

void StrDiff2::BuildDiff() {
  impl_->Prepare();
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

  const std::int32_t head = impl_->RunLength(i, j, e1, e2);  // the common head
  if (head > 0) {
    write(false, i, j, head, head);
    i += head;
    j += head;
  }
  Impl::BlockSearch search = impl_->StartBlock(i, j, e1, e2);
  while (i < e1 && j < e2) {
    const Match m = impl_->NextMatch(search, i, j);
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

bool StrDiff2::NextDiffLine(LineRecord& out) {
  if (end_ || cursorBlock_ < 1 || cursorBlock_ > static_cast<std::int32_t>(blocks_.size())) {
    end_ = true;
    return false;
  }
  const DiffBlock* block = &blocks_[cursorBlock_ - 1];
  while (p1_ > block->nLen1 && p2_ > block->nLen2) {
    if (block->nNext == -1) {
      end_ = true;
      return false;
    }
    cursorBlock_ = block->nNext;
    block = &blocks_[cursorBlock_ - 1];
    p1_ = 1;
    p2_ = 1;
  }
  LineRecord record;
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
  record.kind =
      !block->bChanged ? LineKind::kCommon : (tookText1 ? LineKind::kOnly1 : LineKind::kOnly2);
  out = record;
  return true;
}

std::vector<LineRecord> DiffLines(std::u16string_view text1, std::u16string_view text2) {
  StrDiff2 diff;
  diff.SetText1(text1);
  diff.SetText2(text2);
  diff.BuildDiff();
  diff.Rewind();
  std::vector<LineRecord> records;
  for (LineRecord record; diff.NextDiffLine(record);) records.push_back(record);
  return records;
}

}  // namespace tarnwick
