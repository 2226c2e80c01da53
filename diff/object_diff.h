// The object comparison: two chosen nodes, named by their tree-view keys,
// compared as the tree comparison compares any nodes, under four titles
// naming the reports and the nodes' paths.
#pragma once

#include <string_view>

#include "diff/change_counts.h"
#include "diff/compare_events.h"
#include "diff/compare_options.h"
#include "report/object_tree.h"

namespace tarnwick {

// The node a tree-view key stands for ("ROOT-1-11-2": entry 1, then its entry
// 11, then that one's entry 2). Throws tarnwick::Error when it does not resolve.
const clsItem& ResolveNodeKey(const CollectionPtr& tree, std::u16string_view key);

// The four titles (file 1, path text 1, file 2, path text 2), then the
// comparison of the two resolved nodes, properties compared under `options`.
// Returns whether anything differs and the tally of what was reported.
ComparisonResult MakeObjDiff(const CollectionPtr& tree1, const CollectionPtr& tree2,
                             std::u16string_view file1, std::u16string_view file2,
                             std::u16string_view pathText1, std::u16string_view pathText2,
                             std::u16string_view key1, std::u16string_view key2,
                             CompareEvents& events, bool diffOnly, const CompareOptions& options);

}  // namespace tarnwick
