// Tree comparison: matches the children of two object-tree nodes by key, to
// any depth, and reports changed, one-sided and (unless only differences are
// wanted) unchanged properties as comparison events, in side 1's key order
// followed by side 2's extra keys.
// The walk is iterative, so no nesting depth can overflow the stack.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "diff/compare_events.h"
#include "diff/compare_options.h"
#include "diff/path_stacks.h"
#include "report/object_tree.h"

namespace tarnwick {

// A keyed merge list: distinct keys in order of first appearance, each with a
// 1-based position per side (0 = absent). Keys match exactly (case-sensitive,
// code unit by code unit). Merging the same key again overwrites that side's
// position. Lookup is hashed once the list grows, so merging n keys costs
// linear time. Keys are held as views: their text must outlive the list.
class MergeKey {
 public:
  enum Side { kSide1 = 1, kSide2 = 2 };
  struct Entry {
    std::u16string_view key;
    std::size_t position1 = 0;
    std::size_t position2 = 0;
  };

  // Finds `key` or appends it, then sets the side's position to `position`.
  void Merge(std::u16string_view key, Side side, std::size_t position);
  // The same for the keys of one collection in its order, which are
  // distinct: side 1 on a cleared list appends without looking up, and side
  // 2 in side 1's order (two versions of one report) matches entry after
  // entry without hashing.
  void MergeInOrder(std::u16string_view key, Side side, std::size_t position);
  void Clear();

  std::size_t Count() const { return entries_.size(); }
  bool Empty() const { return entries_.empty(); }
  // 0-based, in list order.
  const Entry& operator[](std::size_t i) const { return entries_[i]; }
  auto begin() const { return entries_.begin(); }
  auto end() const { return entries_.end(); }

 private:
  // Merge, returning the entry's index.
  std::size_t MergeAt(std::u16string_view key, Side side, std::size_t position);
  // The slot holding `key`, or the free slot where it would go.
  std::size_t Slot(std::u16string_view key) const;
  void Rehash();

  std::vector<Entry> entries_;
  // Open-addressed entry indexes (index + 1, 0 = free), built once the list
  // outgrows a linear scan; kept allocated from one use to the next.
  std::vector<std::uint32_t> index_;
  bool indexed_ = false;
  bool side1Only_ = true;   // every entry came from MergeInOrder on side 1
  std::size_t cursor_ = 0;  // where MergeInOrder expects side 2's next key
};

// Compares node1 (side 1) with node2 (side 2) and reports their differences
// after whatever the caller reported. A node without a collection has no
// children; a child with an empty key is ignored. The children of both nodes
// get levels depth + 1 and deeper; depth is as before on return. diffOnly
// leaves out everything equal, headings included until a difference inside
// needs them. Properties compare under `options`; the events go to `events`.
// `basePath` is the path of node1 for the ignore rules (its key and those
// above it up to the tree's top entry); the objects below extend it. Returns
// whether a difference was reported (ignored ones are none).
bool CompareNodes(const clsItem& node1, const clsItem& node2, PathStacks& stacks,
                  CompareEvents& events, bool diffOnly, const CompareOptions& options,
                  std::span<const std::u16string_view> basePath = {});

}  // namespace tarnwick
