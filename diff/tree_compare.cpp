#include "diff/tree_compare.h"

#include "diff/classic_rows.h"

namespace tarnwick {
namespace {

// Below this many keys a scan beats hashing; most objects have few children.
constexpr std::size_t kLinearLimit = 16;

// The comparison as an explicit stack of frames, one per open node pair, so
// that nesting depth costs heap, not call stack.
class TreeWalk {
 public:
  TreeWalk(PathStacks& stacks, CompareEvents& events, bool& diffFound, bool diffOnly,
           const CompareOptions& options)
      : stacks_(stacks),
        events_(events),
        diffFound_(diffFound),
        diffOnly_(diffOnly),
        options_(options) {}

  void Run(const clsItem* node1, const clsItem* node2) {
    Enter(node1, node2);
    while (top_ > 0) {
      Frame& frame = frames_[top_ - 1];
      if (frame.next == frame.objects.Count()) {
        --stacks_.depth;
        --top_;
        continue;
      }
      const MergeKey::Entry& entry = frame.objects[frame.next++];
      const clsItem* child1 =
          entry.position1 != 0 ? &frame.children1->At(entry.position1) : nullptr;
      const clsItem* child2 =
          entry.position2 != 0 ? &frame.children2->At(entry.position2) : nullptr;

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
      Enter(child1, child2);  // may move frames_: `frame` and `entry` are dead here
    }
  }

 private:
  struct Frame {
    const Collection* children1 = nullptr;
    const Collection* children2 = nullptr;
    MergeKey objects;
    std::size_t next = 0;
  };

  // Writes the property rows of a node pair and opens the frame of its objects.
  void Enter(const clsItem* node1, const clsItem* node2) {
    if (top_ == frames_.size()) frames_.emplace_back();
    Frame& frame = frames_[top_++];
    frame.children1 = node1 != nullptr ? node1->ChildrenOrNull() : nullptr;
    frame.children2 = node2 != nullptr ? node2->ChildrenOrNull() : nullptr;
    frame.objects.Clear();
    frame.next = 0;
    properties_.Clear();
    MergeChildren(frame.children1, MergeKey::kSide1, frame.objects);
    MergeChildren(frame.children2, MergeKey::kSide2, frame.objects);

    for (const MergeKey::Entry& entry : properties_) {
      const std::u16string* value1 =
          entry.position1 != 0 ? &frame.children1->At(entry.position1).Text() : nullptr;
      const std::u16string* value2 =
          entry.position2 != 0 ? &frame.children2->At(entry.position2).Text() : nullptr;
      if (value1 != nullptr && value2 != nullptr && ValuesEqual(*value1, *value2, options_)) {
        if (!diffOnly_) events_.EqualProperty(stacks_, entry.key, *value1);
        continue;
      }
      diffFound_ = true;
      events_.Headings(stacks_);
      events_.ChangedProperty(stacks_, Change(entry.key, value1, value2));
    }

    ++stacks_.depth;
    stacks_.Resize();
  }

  // value1 or value2 is null when the property is absent on that side.
  PropertyChange Change(std::u16string_view name, const std::u16string* value1,
                        const std::u16string* value2) {
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
      (child.IsText() ? properties_ : objects).Merge(child.Key, side, position);
    }
  }

  PathStacks& stacks_;
  CompareEvents& events_;
  bool& diffFound_;
  const bool diffOnly_;
  const CompareOptions& options_;
  LineDiffer lines_;
  std::vector<Frame> frames_;  // frames_[0..top_) are open; the rest are kept for reuse
  std::size_t top_ = 0;
  MergeKey properties_;  // only needed while one node's properties are written
};

}  // namespace

void MergeKey::Merge(std::u16string_view key, Side side, std::size_t position) {
  std::size_t found = entries_.size();
  if (index_.empty()) {
    for (std::size_t i = 0; i < entries_.size(); ++i) {
      if (entries_[i].key == key) {
        found = i;
        break;
      }
    }
  } else if (const auto it = index_.find(key); it != index_.end()) {
    found = it->second;
  }

  if (found == entries_.size()) {
    entries_.push_back(Entry{key});
    if (!index_.empty()) {
      index_.emplace(key, found);
    } else if (entries_.size() > kLinearLimit) {
      index_.reserve(entries_.size() * 2);
      for (std::size_t i = 0; i < entries_.size(); ++i) index_.emplace(entries_[i].key, i);
    }
  }
  (side == kSide1 ? entries_[found].position1 : entries_[found].position2) = position;
}

void MergeKey::Clear() {
  entries_.clear();
  index_.clear();
}

void CompareNodes(const clsItem& node1, const clsItem& node2, PathStacks& stacks,
                  HTMLTblCls& resultTable, bool& diffFound, bool diffOnly) {
  ClassicCompareRows rows(resultTable);
  CompareNodes(node1, node2, stacks, rows, diffFound, diffOnly, {});
}

void CompareNodes(const clsItem& node1, const clsItem& node2, PathStacks& stacks,
                  CompareEvents& events, bool& diffFound, bool diffOnly,
                  const CompareOptions& options) {
  const std::int32_t depth = stacks.depth;
  try {
    TreeWalk(stacks, events, diffFound, diffOnly, options).Run(&node1, &node2);
  } catch (...) {
    stacks.depth = depth;
    throw;
  }
}

}  // namespace tarnwick
