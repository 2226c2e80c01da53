// The comparison of two form reports: two titles (the report paths), the
// block and item outline section "ブロック・項目" compared line by line, then
// the object-by-object comparison of the two trees. A missing tree, module or
// first entry raises tarnwick::Error; nothing is reported beyond the events
// that came before the failure.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "diff/change_counts.h"
#include "diff/compare_events.h"
#include "diff/compare_options.h"
#include "report/object_tree.h"

namespace tarnwick {

// What a child of a node holds; kAbsent when there is no such child.
enum class ChildKind { kAbsent, kText, kCollection, kNothing };

// Reports the whole comparison of tree1 (side 1) and tree2 (side 2): the two
// titles, the outline, then the trees. A side without a report is given as a
// root holding one blank node. Properties compare under `options`. Returns
// whether anything differs and the tally of what was reported.
ComparisonResult MakeFormDiff(const Collection& tree1, const Collection& tree2,
                              std::u16string_view path1, std::u16string_view path2,
                              CompareEvents& events, bool diffOnly, const CompareOptions& options);

// One line per block of the first form module, each followed by its items'
// lines indented by four blanks; lines joined by CR LF, none after the last.
// Empty when the first entry holds nothing or the module has no blocks.
std::u16string BlockItemOutline(const Collection& tree);

// Reports the outline section: equal outlines (unless diffOnly) or their line
// difference. Outlines compare exactly. Returns whether they differ.
bool CompareOutline(std::u16string_view outline1, std::u16string_view outline2,
                    CompareEvents& events, bool diffOnly);

// 1-based position of the first child whose key equals `key` exactly (case
// sensitive), or -1 when there is none or the node holds no collection.
std::int64_t FindChild(const clsItem& node, std::u16string_view key);

// The kind of what the child found by FindChild holds.
ChildKind ChildTypeName(const clsItem& node, std::u16string_view key);

}  // namespace tarnwick
