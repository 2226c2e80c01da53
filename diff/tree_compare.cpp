#include "diff/tree_compare.h"

#include <algorithm>

#include "base/stop_request.h"
#include "diff/ignore_rules.h"
#include "report/tree_walk.h"

namespace tarnwick {
namespace {

// Below this many keys a scan beats hashing; most objects have few children.
constexpr std::size_t kLinearLimit = 16;

// The objects of one node pair that moved among their siblings: the fewest
// whose moving turns side 1's order into side 2's, that is those off a
// longest run of both-sided objects whose side 2 positions rise in side 1's
// order.
class SiblingMoves {
 public:
  struct Move {
    std::size_t from = 0;  // 1-based among side 1's sibling objects
    std::size_t to = 0;    // among side 2's
  };

  void Find(const MergeKey& objects) {
    moves_.clear();
    // Entries come in side 1's order; two versions of one report mostly keep
    // it, which one pass tells.
    std::size_t last = 0;
    bool rising = true;
    for (std::size_t i = 0; i < objects.Count() && rising; ++i) {
      const MergeKey::Entry& entry = objects[i];
      if (entry.position1 == 0 || entry.position2 == 0) continue;
      rising = entry.position2 > last;
      last = entry.position2;
    }
    if (!rising) FindMoves(objects);
  }

  // The move of entry `index`, or null when it stayed.
  const Move* Of(std::size_t index) const {
    if (moves_.empty()) return nullptr;
    return moves_[index].from != 0 ? &moves_[index] : nullptr;
  }

 private:
  void FindMoves(const MergeKey& objects) {
    const std::size_t count = objects.Count();
    moves_.assign(count, Move{});
    // Patience sorting over the both-sided entries' side 2 positions.
    std::vector<std::size_t> both, tails, before(count, count);
    for (std::size_t i = 0; i < count; ++i) {
      const MergeKey::Entry& entry = objects[i];
      if (entry.position1 == 0 || entry.position2 == 0) continue;
      both.push_back(i);
      const auto at = std::lower_bound(tails.begin(), tails.end(), entry.position2,
                                       [&](std::size_t tail, std::size_t position) {
                                         return objects[tail].position2 < position;
                                       });
      if (at != tails.begin()) before[i] = *(at - 1);
      if (at == tails.end()) {
        tails.push_back(i);
      } else {
        *at = i;
      }
    }
    std::vector<bool> stays(count, false);
    for (std::size_t i = tails.empty() ? count : tails.back(); i != count; i = before[i]) {
      stays[i] = true;
    }
    // Ranks among the sibling objects of each side.
    std::vector<std::size_t> rank2(count, 0), bySide2;
    for (std::size_t i = 0; i < count; ++i) {
      if (objects[i].position2 != 0) bySide2.push_back(i);
    }
    std::sort(bySide2.begin(), bySide2.end(), [&](std::size_t a, std::size_t b) {
      return objects[a].position2 < objects[b].position2;
    });
    for (std::size_t r = 0; r < bySide2.size(); ++r) rank2[bySide2[r]] = r + 1;
    std::size_t rank1 = 0;
    for (std::size_t i = 0; i < count; ++i) {
      if (objects[i].position1 != 0) ++rank1;
      if (objects[i].position1 != 0 && objects[i].position2 != 0 && !stays[i]) {
        moves_[i] = Move{rank1, rank2[i]};
      }
    }
  }

  std::vector<Move> moves_;  // by entry; empty when nothing moved
};

// The comparison as an explicit stack of frames, one per open node pair, so
// that nesting depth costs heap, not call stack.
class PairWalk {
 public:
  PairWalk(PathStacks& stacks, CompareEvents& events, bool& diffFound, bool diffOnly,
           const CompareOptions& options, std::span<const std::u16string_view> basePath)
      : stacks_(stacks),
        events_(events),
        diffFound_(diffFound),
        diffOnly_(diffOnly),
        options_(options),
        basePath_(basePath) {}

  void Run(const clsItem* node1, const clsItem* node2) {
    Enter(node1, node2);
    walk_.Run([this](Frame& frame) { return Step(frame); }, [this](Frame&) { --stacks_.depth; });
  }

 private:
  struct Frame {
    const Collection* children1 = nullptr;
    const Collection* children2 = nullptr;
    MergeKey objects;
    std::size_t next = 0;
    SiblingMoves moves;  // of `objects`
  };

  // Reports the frame's next object pair and opens it; false when none is left.
  bool Step(Frame& frame) {
    if (frame.next == frame.objects.Count()) return false;
    const MergeKey::Entry& entry = frame.objects[frame.next++];
    const clsItem* child1 = entry.position1 != 0 ? &frame.children1->At(entry.position1) : nullptr;
    const clsItem* child2 = entry.position2 != 0 ? &frame.children2->At(entry.position2) : nullptr;

    const auto level = static_cast<std::size_t>(stacks_.depth);
    stacks_.headPending[level] = true;
    stacks_.pathKeys[level] = entry.key;
    stacks_.mark1[level] = child2 == nullptr ? kStar : u"";
    stacks_.mark2[level] = child1 == nullptr ? kStar : u"";
    if (child1 == nullptr || child2 == nullptr) {
      events_.Headings(stacks_);
      diffFound_ = true;
    } else if (!diffOnly_) {
      events_.Headings(stacks_);
    }
    if (const SiblingMoves::Move* move = frame.moves.Of(frame.next - 1)) {
      events_.ObjectMoved(stacks_, move->from, move->to);
    }
    Enter(child1, child2);  // may move the frames: `frame` and `entry` are dead here
    return true;
  }

  // Writes the property rows of a node pair and opens the frame of its objects.
  void Enter(const clsItem* node1, const clsItem* node2) {
    ThrowIfStopRequested();
    Frame& frame = walk_.Open();  // perhaps a closed one: every field is set here
    frame.children1 = node1 != nullptr ? node1->ChildrenOrNull() : nullptr;
    frame.children2 = node2 != nullptr ? node2->ChildrenOrNull() : nullptr;
    frame.objects.Clear();
    frame.next = 0;
    properties_.Clear();
    MergeChildren(frame.children1, MergeKey::kSide1, frame.objects);
    MergeChildren(frame.children2, MergeKey::kSide2, frame.objects);
    frame.moves.Find(frame.objects);

    for (const MergeKey::Entry& entry : properties_) {
      const std::u16string_view* value1 =
          entry.position1 != 0 ? &frame.children1->At(entry.position1).Text() : nullptr;
      const std::u16string_view* value2 =
          entry.position2 != 0 ? &frame.children2->At(entry.position2).Text() : nullptr;
      if (value1 != nullptr && value2 != nullptr && ValuesEqual(*value1, *value2, options_)) {
        if (!diffOnly_) events_.EqualProperty(stacks_, entry.key, *value1);
        continue;
      }
      if (IsIgnored(entry.key)) {
        ReportIgnored(entry.key, value1, value2);
        continue;
      }
      diffFound_ = true;
      events_.Headings(stacks_);
      events_.ChangedProperty(stacks_, Change(entry.key, value1, value2));
    }

    ++stacks_.depth;
    stacks_.Resize();
  }

  // Whether an ignore rule matches the property of the node pair now
  // reporting. An object one side lacks is a difference in itself, reported
  // whole: rules look only at objects both sides have.
  bool IsIgnored(std::u16string_view name) {
    if (options_.ignoreRules == nullptr || options_.ignoreRules->Empty()) return false;
    const auto depth = static_cast<std::size_t>(stacks_.depth < 0 ? 0 : stacks_.depth);
    if (depth > 0 && (stacks_.mark1[depth] == kStar || stacks_.mark2[depth] == kStar)) return false;
    path_.assign(basePath_.begin(), basePath_.end());
    for (std::size_t level = 1; level <= depth; ++level) path_.push_back(stacks_.pathKeys[level]);
    return options_.ignoreRules->Matches(path_, name);
  }

  void ReportIgnored(std::u16string_view name, const std::u16string_view* value1,
                     const std::u16string_view* value2) {
    if (!diffOnly_) {
      events_.Headings(stacks_);
      events_.IgnoredProperty(stacks_, Change(name, value1, value2));
      return;
    }
    if (events_.ListsIgnored()) {
      PropertyChange change = Change(name, value1, value2);
      change.onRequest = true;
      events_.IgnoredProperty(stacks_, change);
      return;
    }
    PropertyChange change;
    change.name = name;
    change.value1 = value1;
    change.value2 = value2;
    change.unlisted = true;
    events_.IgnoredProperty(stacks_, change);
  }

  // value1 or value2 is null when the property is absent on that side.
  PropertyChange Change(std::u16string_view name, const std::u16string_view* value1,
                        const std::u16string_view* value2) {
    PropertyChange change;
    change.name = name;
    change.value1 = value1;
    change.value2 = value2;
    const std::u16string_view text1 = value1 != nullptr ? std::u16string_view(*value1) : u"";
    const std::u16string_view text2 = value2 != nullptr ? std::u16string_view(*value2) : u"";
    change.multiLine = text1.find(u'\r') != std::u16string_view::npos ||
                       text2.find(u'\r') != std::u16string_view::npos;
    if (!change.multiLine) return change;
    // A value on one side only is listed whole as that side's lines. (Diffing
    // it against an empty text would pair an empty first line, as trigger
    // texts have, with a line the absent side does not have.)
    if (value1 == nullptr) {
      change.lines = lines_.OneSide(text2, 2);
    } else if (value2 == nullptr) {
      change.lines = lines_.OneSide(text1, 1);
    } else {
      change.lines = lines_.Compare(text1, text2, options_);
    }
    return change;
  }

  void MergeChildren(const Collection* children, MergeKey::Side side, MergeKey& objects) {
    if (children == nullptr) return;
    std::size_t position = 0;
    for (const clsItem& child : *children) {
      ++position;
      if (child.Key.empty()) continue;
      (child.IsText() ? properties_ : objects).MergeInOrder(child.Key, side, position);
    }
  }

  PathStacks& stacks_;
  CompareEvents& events_;
  bool& diffFound_;
  const bool diffOnly_;
  const CompareOptions& options_;
  const std::span<const std::u16string_view> basePath_;
  std::vector<std::u16string_view> path_;  // reused by IsIgnored
  LineDiffer lines_;
  TreeWalk<Frame> walk_;  // closed frames keep their buffers for the next
  MergeKey properties_;   // only needed while one node's properties are written
};

}  // namespace

void MergeKey::Merge(std::u16string_view key, Side side, std::size_t position) {
  side1Only_ = false;
  if (!indexed_ && entries_.size() > kLinearLimit) Rehash();
  MergeAt(key, side, position);
}

void MergeKey::MergeInOrder(std::u16string_view key, Side side, std::size_t position) {
  if (side == kSide1 && side1Only_) {
    entries_.push_back(Entry{key, position, 0});
    return;
  }
  side1Only_ = false;
  if (cursor_ < entries_.size() && entries_[cursor_].key == key) {
    (side == kSide1 ? entries_[cursor_].position1 : entries_[cursor_].position2) = position;
    ++cursor_;
    return;
  }
  if (!indexed_ && entries_.size() > kLinearLimit) Rehash();
  cursor_ = MergeAt(key, side, position) + 1;
}

std::size_t MergeKey::MergeAt(std::u16string_view key, Side side, std::size_t position) {
  std::size_t found = entries_.size();
  std::size_t slot = 0;
  if (!indexed_) {
    for (std::size_t i = 0; i < entries_.size(); ++i) {
      if (entries_[i].key == key) {
        found = i;
        break;
      }
    }
  } else {
    slot = Slot(key);
    if (index_[slot] != 0) found = index_[slot] - 1;
  }

  if (found == entries_.size()) {
    entries_.push_back(Entry{key});
    if (indexed_) {
      index_[slot] = static_cast<std::uint32_t>(entries_.size());
      if (entries_.size() * 2 > index_.size()) Rehash();
    } else if (entries_.size() > kLinearLimit) {
      Rehash();
    }
  }
  (side == kSide1 ? entries_[found].position1 : entries_[found].position2) = position;
  return found;
}

void MergeKey::Clear() {
  entries_.clear();
  if (indexed_) std::fill(index_.begin(), index_.end(), 0);
  indexed_ = false;
  side1Only_ = true;
  cursor_ = 0;
}

std::size_t MergeKey::Slot(std::u16string_view key) const {
  std::uint64_t h = 0xcbf29ce484222325ull;  // FNV-1a over the code units
  for (const char16_t c : key) {
    h ^= c;
    h *= 0x100000001b3ull;
  }
  const std::size_t mask = index_.size() - 1;
  std::size_t slot = (h ^ (h >> 29)) & mask;
  while (index_[slot] != 0 && entries_[index_[slot] - 1].key != key) slot = (slot + 1) & mask;
  return slot;
}

void MergeKey::Rehash() {
  // A quarter full after growing, and growing again past half full.
  std::size_t size = 32;
  while (size < entries_.size() * 4) size *= 2;
  index_.assign(size, 0);  // keeps its capacity from one use to the next
  indexed_ = true;
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    index_[Slot(entries_[i].key)] = static_cast<std::uint32_t>(i + 1);
  }
}

bool CompareNodes(const clsItem& node1, const clsItem& node2, PathStacks& stacks,
                  CompareEvents& events, bool diffOnly, const CompareOptions& options,
                  std::span<const std::u16string_view> basePath) {
  const std::int32_t depth = stacks.depth;
  bool diffFound = false;
  try {
    PairWalk(stacks, events, diffFound, diffOnly, options, basePath).Run(&node1, &node2);
  } catch (...) {
    stacks.depth = depth;
    throw;
  }
  return diffFound;
}

}  // namespace tarnwick
