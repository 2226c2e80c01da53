// The three runs behind the Execute button. Each takes the settings as the
// window (or the CLI) collected them and reaches the window only through
// WindowOps. The outcome tells the CLI its exit status.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "app/settings.h"
#include "app/window_ops.h"
#include "diff/html_table.h"
#include "report/object_tree.h"

namespace tarnwick {

enum class RunOutcome {
  Finished,  // "終了しました。" was shown
  Rejected,  // an input check stopped the run before anything was written
  Failed,    // the run error message was shown
};

// Page 1, 2 or 3: checks that the page's boxes are filled; on the first empty
// one shows its message (critical) and returns false.
bool ValidateInputs(const Settings& settings, int page, WindowOps& window);

RunOutcome ExecDiff(const Settings& settings, WindowOps& window);
RunOutcome ExecSearch(const Settings& settings, WindowOps& window);

// A tree view as the object comparison sees it: nodes numbered 1..count in
// order of addition, unique keys, at most one selected.
class TreeView {
 public:
  virtual ~TreeView() = default;
  virtual void Clear() = 0;
  // Empty parentKey adds at the top level.
  virtual void AddNode(std::u16string_view parentKey, std::u16string_view key,
                       std::u16string_view text) = 0;
  virtual int NodeCount() const = 0;
  virtual std::u16string NodeKey(int number) const = 0;
  virtual bool NodeSelected(int number) const = 0;
};

// One side of the object comparison page.
struct ObjSide {
  CollectionPtr ObjTree;
  std::u16string ObjFile;
  std::int32_t ObjNodeCount = 0;
  std::vector<std::u16string> ObjPathTexts;  // entry n-1 belongs to node n
};

// A drop of files on a tree view; only a drop of exactly one file loads.
// The side's path becomes the dropped file even when loading fails. Returns
// true when a report was loaded without error.
bool DropReportOnTree(const std::vector<std::u16string>& paths, ObjSide& side, TreeView& view,
                      WindowOps& window);
// Parses the report anew and fills the view; shows its own error message
// (stage text + "エラーが発生しました。" + description, no line break) and then
// returns false.
bool LoadReportToTree(ObjSide& side, std::u16string_view path, TreeView& view, WindowOps& window);
// Adds the root node "ROOT" with `rootText`, then, depth first in collection
// order, one node per entry that holds a collection, keyed parent key + "-" +
// its position among all entries; path texts are the parent's + " " + text.
// A null tree adds the root and then throws tarnwick::Error.
void AddObjectNodes(const Collection* tree, TreeView& view, std::u16string_view rootText,
                    std::int32_t& nodeCount, std::vector<std::u16string>& pathTexts);
// The node a tree-view key stands for ("ROOT-1-11-2": entry 1, then its entry
// 11, then that one's entry 2). Throws tarnwick::Error when it does not resolve.
const clsItem& ResolveNodeKey(const CollectionPtr& tree, std::u16string_view key);
// The four header rows (file 1, path text 1, file 2, path text 2), then the
// comparison of the two resolved nodes.
void MakeObjDiffTable(const CollectionPtr& tree1, const CollectionPtr& tree2,
                      std::u16string_view file1, std::u16string_view file2,
                      std::u16string_view pathText1, std::u16string_view pathText2,
                      std::u16string_view key1, std::u16string_view key2,
                      HTMLTblCls& resultTable, bool& diffFound, bool diffOnly);
RunOutcome ExecObjDiff(const Settings& settings, const ObjSide& side1, const TreeView& view1,
                       const ObjSide& side2, const TreeView& view2, WindowOps& window);

}  // namespace tarnwick
