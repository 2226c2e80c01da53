// One side of the object comparison page: the report dropped on a tree view,
// its object tree and the view's nodes (the root, then one node per object or
// section, depth first), with the path text of every node.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "app/settings.h"
#include "app/tree_view.h"
#include "app/window_ops.h"
#include "files/file_io.h"
#include "messages/ui_language.h"
#include "report/object_tree.h"

namespace tarnwick {

struct ObjSide {
  CollectionPtr ObjTree;
  std::u16string ObjFile;
  std::int32_t ObjNodeCount = 0;
  std::vector<std::u16string> ObjPathTexts;  // entry n-1 belongs to node n
};

// A drop of files on a tree view; only a drop of exactly one file loads.
// The side's path becomes the dropped file's text even when loading fails.
// Returns true when a report was loaded without error.
// Its error message is in `language`; the report is read in `encoding`.
bool DropReportOnTree(const std::vector<FilePath>& paths, ObjSide& side, TreeView& view,
                      WindowOps& window, UiLanguage language = UiLanguage::Japanese,
                      ReportEncoding encoding = ReportEncoding::Automatic);
// Parses the report anew and fills the view; shows its own error message
// (stage text + "エラーが発生しました。" + description, no line break) and then
// returns false.
bool LoadReportToTree(ObjSide& side, const FilePath& path, TreeView& view, WindowOps& window,
                      UiLanguage language = UiLanguage::Japanese,
                      ReportEncoding encoding = ReportEncoding::Automatic);
// Adds the root node "ROOT" with `rootText`, then, depth first in collection
// order, one node per entry that holds a collection, keyed parent key + "-" +
// its position among all entries; path texts are the parent's + " " + text.
// A null tree adds the root and then throws tarnwick::Error.
void AddObjectNodes(const Collection* tree, TreeView& view, std::u16string_view rootText,
                    std::int32_t& nodeCount, std::vector<std::u16string>& pathTexts);

}  // namespace tarnwick
