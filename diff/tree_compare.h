// Tree comparison: matches the children of two object-tree nodes by key, to
// any depth, and writes changed, one-sided and (unless only differences are
// wanted) unchanged properties as rows of the six-column result table (side-1
// mark, side-2 mark, side-1 line, side-2 line, name, value), side 1 in yellow
// and side 2 in cyan, in side 1's key order followed by side 2's extra keys.
// The walk is iterative, so no nesting depth can overflow the stack.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "diff/compare_events.h"
#include "diff/compare_options.h"
#include "diff/html_table.h"
#include "diff/table_rows.h"
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
  void Clear();

  std::size_t Count() const { return entries_.size(); }
  bool Empty() const { return entries_.empty(); }
  // 0-based, in list order.
  const Entry& operator[](std::size_t i) const { return entries_[i]; }
  auto begin() const { return entries_.begin(); }
  auto end() const { return entries_.end(); }

 private:
  std::vector<Entry> entries_;
  // Key to entry index; filled only once the list outgrows a linear scan.
  std::unordered_map<std::u16string_view, std::size_t> index_;
};

// Compares node1 (side 1) with node2 (side 2) and appends their difference
// rows after whatever the caller wrote. A node without a collection has no
// children; a child with an empty key is ignored. The children of both nodes
// get levels depth + 1 and deeper; depth is as before on return. diffFound is
// set whenever a difference is written and never cleared; diffOnly leaves out
// everything equal, headers included until a difference inside needs them.
// Properties compare under `options`; the events go to `events`.
void CompareNodes(const clsItem& node1, const clsItem& node2, PathStacks& stacks,
                  CompareEvents& events, bool& diffFound, bool diffOnly,
                  const CompareOptions& options);
// The classic rows into `resultTable`, values compared exactly.
void CompareNodes(const clsItem& node1, const clsItem& node2, PathStacks& stacks,
                  HTMLTblCls& resultTable, bool& diffFound, bool diffOnly);

}  // namespace tarnwick
