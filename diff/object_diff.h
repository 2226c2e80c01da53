// The table body of the object comparison page: two chosen nodes, named by
// their tree-view keys, compared as the tree comparison compares any nodes,
// under four heading rows naming the reports and the nodes' paths.
#pragma once

#include <string_view>

#include "diff/compare_events.h"
#include "diff/compare_options.h"
#include "diff/html_table.h"
#include "report/object_tree.h"

namespace tarnwick {

// The node a tree-view key stands for ("ROOT-1-11-2": entry 1, then its entry
// 11, then that one's entry 2). Throws tarnwick::Error when it does not resolve.
const clsItem& ResolveNodeKey(const CollectionPtr& tree, std::u16string_view key);

// The four titles (file 1, path text 1, file 2, path text 2), then the
// comparison of the two resolved nodes, properties compared under `options`.
void MakeObjDiff(const CollectionPtr& tree1, const CollectionPtr& tree2, std::u16string_view file1,
                 std::u16string_view file2, std::u16string_view pathText1,
                 std::u16string_view pathText2, std::u16string_view key1, std::u16string_view key2,
                 CompareEvents& events, bool& diffFound, bool diffOnly,
                 const CompareOptions& options);

// MakeObjDiff in classic rows, values compared exactly.
void MakeObjDiffTable(const CollectionPtr& tree1, const CollectionPtr& tree2,
                      std::u16string_view file1, std::u16string_view file2,
                      std::u16string_view pathText1, std::u16string_view pathText2,
                      std::u16string_view key1, std::u16string_view key2, HTMLTblCls& resultTable,
                      bool& diffFound, bool diffOnly);

}  // namespace tarnwick
