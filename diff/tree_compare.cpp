#include "diff/tree_compare.h"

#include "text/decimal.h"
#include "text/line_reader.h"

namespace tarnwick {
namespace {

// Below this many keys a scan beats hashing; most objects have few children.
constexpr std::size_t kLinearLimit = 16;

void WriteUnchangedRows(HTMLTblCls& table, std::u16string_view name, std::u16string_view value) {
  PropertyRows rows(table, name);
  DecimalBuffer buffer;
  std::int64_t position = 1;
  for (std::int64_t k = 1; position != -1; ++k) {
    const std::u16string_view line = ReadLine(value, position);
    const std::u16string_view number = DecimalText(k, buffer);
    rows.Row(u"", u"", number, u"", number, u"", line, u"");
  }
}

// value1 or value2 is null when the property is absent on that side.
void WriteChangedRows(HTMLTblCls& table, std::u16string_view name, const std::u16string* value1,
                      const std::u16string* value2) {
  const std::u16string_view nameColour = value1 == nullptr   ? kSide2Colour
                                         : value2 == nullptr ? kSide1Colour
                                                             : std::u16string_view();
  const std::u16string_view text1 = value1 != nullptr ? std::u16string_view(*value1) : u"";
  const std::u16string_view text2 = value2 != nullptr ? std::u16string_view(*value2) : u"";
  PropertyRows rows(table, name, nameColour);

  if (text1.find(u'\r') == std::u16string_view::npos &&
      text2.find(u'\r') == std::u16string_view::npos) {
    if (value1 != nullptr) rows.Row(kStar, u"", u"", u"", u"", u"", text1, kSide1Colour);
    if (value2 != nullptr) rows.Row(u"", kStar, u"", u"", u"", u"", text2, kSide2Colour);
    return;
  }

  // A value on one side only is listed whole as that side's lines. (Diffing it
  // against an empty text would pair an empty first line, as trigger texts
  // have, with a line the absent side does not have.)
  if (value1 == nullptr || value2 == nullptr) {
    const bool side1 = value1 != nullptr;
    const std::u16string_view text = side1 ? text1 : text2;
    DecimalBuffer buffer;
    std::int64_t position = 1;
    for (std::int64_t k = 1; position != -1; ++k) {
      const std::u16string_view line = ReadLine(text, position);
      const std::u16string_view number = DecimalText(k, buffer);
      if (side1) {
        rows.Row(kStar, u"", number, kSide1Colour, u"", kSide1Colour, line, kSide1Colour);
      } else {
        rows.Row(u"", kStar, u"", kSide2Colour, number, kSide2Colour, line, kSide2Colour);
      }
    }
    return;
  }

  rows.DiffRows(text1, text2, true);
}

// The comparison as an explicit stack of frames, one per open node pair, so
// that nesting depth costs heap, not call stack.
class TreeWalk {
 public:
  TreeWalk(PathStacks& stacks, HTMLTblCls& table, bool& diffFound, bool diffOnly)
      : stacks_(stacks), table_(table), diffFound_(diffFound), diffOnly_(diffOnly) {}

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
      const clsItem* child1 = entry.position1 != 0 ? &frame.children1->At(entry.position1) : nullptr;
      const clsItem* child2 = entry.position2 != 0 ? &frame.children2->At(entry.position2) : nullptr;

      const auto level = static_cast<std::size_t>(stacks_.depth);
      stacks_.headPending[level] = true;
      stacks_.pathKeys[level] = entry.key;
      stacks_.mark1[level] = child2 == nullptr ? kStar : u"";
      stacks_.mark2[level] = child1 == nullptr ? kStar : u"";
      if (child1 == nullptr || child2 == nullptr) {
        WriteHeaders(stacks_, table_);
        diffFound_ = true;
      } else if (!diffOnly_) {
        WriteHeaders(stacks_, table_);
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
      if (value1 != nullptr && value2 != nullptr && *value1 == *value2) {
        if (!diffOnly_) WriteUnchangedRows(table_, entry.key, *value1);
        continue;
      }
      diffFound_ = true;
      WriteHeaders(stacks_, table_);
      WriteChangedRows(table_, entry.key, value1, value2);
    }

    ++stacks_.depth;
    stacks_.Resize();
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
  HTMLTblCls& table_;
  bool& diffFound_;
  const bool diffOnly_;
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
  const std::int32_t depth = stacks.depth;
  try {
    TreeWalk(stacks, resultTable, diffFound, diffOnly).Run(&node1, &node2);
  } catch (...) {
    stacks.depth = depth;
    throw;
  }
}

}  // namespace tarnwick
