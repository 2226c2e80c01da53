#include "app/object_side.h"

#include <exception>

#include "app/report_loader.h"
#include "app/run_guard.h"
#include "base/error.h"
#include "files/paths.h"
#include "report/tree_walk.h"
#include "text/decimal.h"

namespace tarnwick {

namespace {

constexpr std::u16string_view kRootKey = u"ROOT";

// One collection whose nodes are being added.
struct PendingNode {
  const Collection* collection;
  std::u16string key;
  std::u16string pathText;
  std::size_t next = 1;  // position of the next entry to look at
};

}  // namespace

void AddObjectNodes(const Collection* tree, TreeView& view, std::u16string_view rootText,
                    std::int32_t& nodeCount, std::vector<std::u16string>& pathTexts) {
  TreeWalk<PendingNode> walk;
  auto addNode = [&](std::u16string_view parentKey, std::u16string_view parentPath,
                     std::u16string key, std::u16string_view text, const Collection* collection) {
    ++nodeCount;
    std::u16string pathText = std::u16string(parentPath) + u" " + std::u16string(text);
    pathTexts.push_back(pathText);
    view.AddNode(nodeCount == 1 ? std::u16string_view() : parentKey, key, text);
    walk.Open() = {collection, std::move(key), std::move(pathText)};
  };

  addNode(u"", u"", std::u16string(kRootKey), rootText, tree);
  if (!tree)
    throw Error(kGeneralErrorNumber, u"オブジェクト構造がありません（空のレポートです）。");
  walk.Run([&](PendingNode& top) {
    if (top.next > top.collection->Count()) return false;
    const std::size_t position = top.next++;
    const clsItem& entry = top.collection->At(position);
    if (!entry.IsCollection()) return true;  // properties are not shown
    // Copies: addNode opens a level, which may move `top`.
    const std::u16string parentKey = top.key;
    const std::u16string parentPath = top.pathText;
    addNode(parentKey, parentPath,
            parentKey + u"-" + DecimalText(static_cast<std::int64_t>(position)), entry.Key,
            &entry.Children());
    return true;
  });
}

bool LoadReportToTree(ObjSide& side, const FilePath& path, TreeView& view, WindowOps& window,
                      UiLanguage language, ReportEncoding encoding) {
  view.Clear();
  side.ObjNodeCount = 0;
  side.ObjPathTexts.clear();
  std::u16string folder, name, extension;
  SplitPath(path.text, folder, name, extension);

  std::u16string stage;
  return GuardRun(
             window, stage,
             [&] {
               side.ObjTree.reset();
               side.ObjTree = LoadReport(path, stage, window, language, encoding);
               AddObjectNodes(side.ObjTree.get(), view, name, side.ObjNodeCount, side.ObjPathTexts);
             },
             false) == RunOutcome::Finished;
}

bool DropReportOnTree(const std::vector<FilePath>& paths, ObjSide& side, TreeView& view,
                      WindowOps& window, UiLanguage language, ReportEncoding encoding) {
  if (paths.size() != 1) return false;
  side.ObjFile.clear();
  const bool loaded = LoadReportToTree(side, paths.front(), view, window, language, encoding);
  side.ObjFile = paths.front().text;
  return loaded;
}

}  // namespace tarnwick
