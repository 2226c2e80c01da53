#include "diff/str_diff.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>

#include "base/error.h"
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

// One loaded text: its own copy and its lines, 1-based (index 0 is unused).
struct LoadedText {
  std::u16string storage;
  std::vector<std::u16string_view> lines = std::vector<std::u16string_view>(1);
  std::int32_t count = 0;

  void Load(std::u16string_view text) {
    storage.assign(text);
    lines.assign(1, {});
    std::int64_t position = 1;
    while (position != -1) {
      if (lines.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max() - 2)) {
        throw Error(kOverflowErrorNumber, u"オーバーフローしました。");
      }
      lines.push_back(ReadLine(storage, position));
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

// Suffix automaton of a range of text-2 line ids, for the longest match
// search when candidates are too many to visit (texts made of a handful of
// distinct lines). Transitions live in one open-addressing table keyed by
// (state, id), with a per-state edge list for cloning.
class SuffixAutomaton {
 public:
  void Build(const std::vector<std::int32_t>& ids, std::int32_t from, std::int32_t to) {
    const std::size_t states = 2 * static_cast<std::size_t>(to - from) + 2;
    len_.clear();
    link_.clear();
    firstEnd_.clear();
    edgeHead_.clear();
    edges_.clear();
    std::size_t capacity = 16;
    while (capacity < 2 * (states + static_cast<std::size_t>(to - from))) capacity *= 2;
    slots_.assign(capacity, -1);
    len_.reserve(states);
    NewState(0, -1, 0);
    std::int32_t last = 0;
    for (std::int32_t pos = from; pos < to; ++pos) {
      const std::int32_t x = ids[pos];
      const std::int32_t cur = NewState(len_[last] + 1, -1, pos);
      std::int32_t p = last;
      while (p != -1 && Next(p, x) < 0) {
        SetNext(p, x, cur);
        p = link_[p];
      }
      if (p == -1) {
        link_[cur] = 0;
      } else {
        const std::int32_t q = Next(p, x);
        if (len_[p] + 1 == len_[q]) {
          link_[cur] = q;
        } else {
          const std::int32_t clone = NewState(len_[p] + 1, link_[q], firstEnd_[q]);
          for (std::int32_t e = edgeHead_[q]; e >= 0; e = edges_[e].next) {
            SetNext(clone, edges_[e].id, edges_[e].target);
          }
          while (p != -1 && Next(p, x) == q) {
            SetNext(p, x, clone);
            p = link_[p];
          }
          link_[q] = clone;
          link_[cur] = clone;
        }
      }
      last = cur;
    }
  }

  // The state reached from `state` by line id x, or -1.
  std::int32_t Next(std::int32_t state, std::int32_t x) const {
    const std::int32_t e = Find(state, x);
    return e >= 0 ? edges_[e].target : -1;
  }
  std::int32_t Len(std::int32_t state) const { return len_[state]; }
  std::int32_t Link(std::int32_t state) const { return link_[state]; }
  // Smallest end position (a text-2 line) of the strings of `state`.
  std::int32_t FirstEnd(std::int32_t state) const { return firstEnd_[state]; }

 private:
  struct Edge {
    std::int32_t state, id, target, next;
  };

  std::int32_t NewState(std::int32_t len, std::int32_t link, std::int32_t firstEnd) {
    len_.push_back(len);
    link_.push_back(link);
    firstEnd_.push_back(firstEnd);
    edgeHead_.push_back(-1);
    return static_cast<std::int32_t>(len_.size()) - 1;
  }

  std::size_t Home(std::int32_t state, std::int32_t x) const {
    std::uint64_t key = (static_cast<std::uint64_t>(state) << 32) ^ static_cast<std::uint32_t>(x);
    key ^= key >> 33;
    key *= 0xFF51AFD7ED558CCDull;
    key ^= key >> 33;
    return static_cast<std::size_t>(key) & (slots_.size() - 1);
  }

  std::int32_t Find(std::int32_t state, std::int32_t x) const {
    for (std::size_t s = Home(state, x);; s = (s + 1) & (slots_.size() - 1)) {
      const std::int32_t e = slots_[s];
      if (e < 0) return -1;
      if (edges_[e].state == state && edges_[e].id == x) return e;
    }
  }

  void SetNext(std::int32_t state, std::int32_t x, std::int32_t target) {
    std::size_t s = Home(state, x);
    for (; slots_[s] >= 0; s = (s + 1) & (slots_.size() - 1)) {
      Edge& edge = edges_[slots_[s]];
      if (edge.state == state && edge.id == x) {
        edge.target = target;
        return;
      }
    }
    slots_[s] = static_cast<std::int32_t>(edges_.size());
    edges_.push_back({state, x, target, edgeHead_[state]});
    edgeHead_[state] = slots_[s];
  }

  std::vector<std::int32_t> len_, link_, firstEnd_, edgeHead_, slots_;
  std::vector<Edge> edges_;
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
  SuffixAutomaton automaton;  // buffers reused by every fallback search

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
      if (k + kAhead <= n1) __builtin_prefetch(&slots[hashes1[k + kAhead] & (capacity - 1)]);
      id1[k] = intern(text1.lines[k], hashes1[k]);
    }
    for (std::int32_t k = 1; k <= n2; ++k) {
      if (k + kAhead <= n2) __builtin_prefetch(&slots[hashes2[k + kAhead] & (capacity - 1)]);
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

  Match FindLongestMatch(std::int32_t i0, std::int32_t j0, std::int32_t e1, std::int32_t e2) {
    Match best{false, i0, j0, 1};
    if (i0 >= e1) return best;
    // Visiting candidates is cheap while lines are fairly distinct; when they
    // are not, the automaton answers in time linear in the region instead.
    const std::int64_t budget = 16 * (std::int64_t{e1 - i0} + (e2 - j0)) + 256;
    std::int64_t work = 0;
    std::int32_t bestDistance = 0;
    for (std::int32_t i = i0; i + best.length - 1 < e1; ++i) {
      // A longer run (any run while none is found) starting at line i.
      for (bool took = true; took;) {
        took = false;
        const std::int32_t width = best.found ? best.length + 1 : 1;
        if (i + width - 1 >= e1 || j0 + width - 1 >= e2) break;
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
      if (work > budget) return LongestMatchByAutomaton(i0, j0, e1, e2);
    }
    return best;
  }

  // The same answer from the suffix automaton of text-2 lines [j0, e2): text 1
  // is streamed once, and at each line the longest match ending there, with
  // the earliest place in text 2 where it ends, gives the best pair ending
  // there. The first line of text 1 among the longest and nearest wins.
  Match LongestMatchByAutomaton(std::int32_t i0, std::int32_t j0, std::int32_t e1,
                                std::int32_t e2) {
    automaton.Build(id2, j0, e2);
    Match best{false, i0, j0, 1};
    std::int64_t bestSum = 0;
    std::int32_t state = 0;
    std::int32_t matched = 0;
    for (std::int32_t k = i0; k < e1; ++k) {
      const std::int32_t x = id1[k];
      while (state != 0 && automaton.Next(state, x) < 0) {
        state = automaton.Link(state);
        matched = automaton.Len(state);
      }
      const std::int32_t next = automaton.Next(state, x);
      if (next < 0) {
        matched = 0;
        continue;
      }
      state = next;
      ++matched;
      const std::int32_t i = k - matched + 1;
      const std::int32_t c = automaton.FirstEnd(state) - matched + 1;
      const std::int64_t sum = std::int64_t{i} + c;
      if (!best.found || matched > best.length || (matched == best.length && sum < bestSum)) {
        best = {true, i, c, matched};
        bestSum = sum;
      }
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
  record.kind = !block->bChanged ? DiffKind::kCommon : (tookText1 ? DiffKind::kOnly1 : DiffKind::kOnly2);
  return record;
}

}  // namespace tarnwick
