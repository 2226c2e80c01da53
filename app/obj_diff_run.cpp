#include <string>
#include <vector>

#include "files/file_system.h"
#include "files/paths.h"
#include "app/report_loader.h"
#include "pages/page_file.h"
#include "app/run_guard.h"
#include "app/runs.h"
#include "diff/html_table.h"
#include "diff/tree_compare.h"
#include "base/error.h"
#include "text/decimal.h"

namespace tarnwick {

namespace {

constexpr std::u16string_view kRootKey = u"ROOT";

[[noreturn]] void ThrowUnresolvedKey(std::u16string_view key) {
  throw Error(kGeneralErrorNumber,
              u"ノード[" + std::u16string(key) + u"]はオブジェクト構造にありません。");
}

// One collection whose nodes are being added: the walk is iterative so that
// no nesting depth can overflow the stack.
struct PendingNode {
  const Collection* collection;
  std::u16string key;
  std::u16string pathText;
  std::size_t next = 1;  // position of the next entry to look at
};

}  // namespace

void AddObjectNodes(const Collection* tree, TreeView& view, std::u16string_view rootText,
                    std::int32_t& nodeCount, std::vector<std::u16string>& pathTexts) {
  auto addNode = [&](std::u16string_view parentKey, std::u16string_view parentPath,
                     std::u16string key, std::u16string_view text, const Collection* collection,
                     std::vector<PendingNode>& pending) {
    ++nodeCount;
    std::u16string pathText = std::u16string(parentPath) + u" " + std::u16string(text);
    pathTexts.push_back(pathText);
    view.AddNode(nodeCount == 1 ? std::u16string_view() : parentKey, key, text);
    pending.push_back({collection, std::move(key), std::move(pathText)});
  };

  std::vector<PendingNode> pending;
  addNode(u"", u"", std::u16string(kRootKey), rootText, tree, pending);
  if (!tree)
    throw Error(kGeneralErrorNumber, u"オブジェクト構造がありません（空のレポートです）。");
  while (!pending.empty()) {
    PendingNode& top = pending.back();
    if (top.next > top.collection->Count()) {
      pending.pop_back();
      continue;
    }
    const std::size_t position = top.next++;
    const clsItem& entry = top.collection->At(position);
    if (!entry.IsCollection()) continue;  // properties are not shown
    // Copies: addNode may grow `pending` and move `top`.
    const std::u16string parentKey = top.key;
    const std::u16string parentPath = top.pathText;
    addNode(parentKey, parentPath,
            parentKey + u"-" + DecimalText(static_cast<std::int64_t>(position)), entry.Key,
            &entry.Children(), pending);
  }
}

bool LoadReportToTree(ObjSide& side, std::u16string_view path, TreeView& view, WindowOps& window) {
  view.Clear();
  side.ObjNodeCount = 0;
  side.ObjPathTexts.clear();
  std::u16string folder, name, extension;
  SplitPath(path, folder, name, extension);

  std::u16string stage;
  try {
    side.ObjTree.reset();
    side.ObjTree = LoadReport(path, stage, window);
    AddObjectNodes(side.ObjTree.get(), view, name, side.ObjNodeCount, side.ObjPathTexts);
  } catch (const std::exception& error) {
    window.ShowMessage(RunErrorMessage(stage, ErrorDescription(error), false),
                       MessageIcon::Critical);
    return false;
  }
  return true;
}

bool DropReportOnTree(const std::vector<std::u16string>& paths, ObjSide& side, TreeView& view,
                      WindowOps& window) {
  if (paths.size() != 1) return false;
  side.ObjFile.clear();
  const bool loaded = LoadReportToTree(side, paths.front(), view, window);
  side.ObjFile = paths.front();
  return loaded;
}

const clsItem& ResolveNodeKey(const CollectionPtr& tree, std::u16string_view key) {
  if (!tree || tree->Empty()) ThrowUnresolvedKey(key);
  const clsItem* node = &tree->At(1);
  const Collection* collection = tree.get();
  std::u16string_view rest = key;
  if (rest.starts_with(u"ROOT-")) rest.remove_prefix(5);
  while (!rest.empty()) {
    const std::size_t cut = rest.find(u'-');
    const std::u16string_view digits = rest.substr(0, cut);
    rest = cut == std::u16string_view::npos ? std::u16string_view() : rest.substr(cut + 1);
    std::size_t position = 0;
    if (digits.empty() || digits.size() > 9) ThrowUnresolvedKey(key);
    for (char16_t c : digits) {
      if (c < u'0' || c > u'9') ThrowUnresolvedKey(key);
      position = position * 10 + static_cast<std::size_t>(c - u'0');
    }
    if (!collection || position < 1 || position > collection->Count()) ThrowUnresolvedKey(key);
    node = &collection->At(position);
    collection = node->IsCollection() ? &node->Children() : nullptr;
  }
  return *node;
}

void MakeObjDiffTable(const CollectionPtr& tree1, const CollectionPtr& tree2,
                      std::u16string_view file1, std::u16string_view file2,
                      std::u16string_view pathText1, std::u16string_view pathText2,
                      std::u16string_view key1, std::u16string_view key2, HTMLTblCls& resultTable,
                      bool& diffFound, bool diffOnly) {
  const clsItem& node1 = ResolveNodeKey(tree1, key1);
  const clsItem& node2 = ResolveNodeKey(tree2, key2);
  const std::u16string side1 = u"colspan=\"2\" " + std::u16string(kSide1Colour);
  const std::u16string side2 = u"colspan=\"2\" " + std::u16string(kSide2Colour);
  const std::pair<std::u16string_view, std::u16string_view> rows[] = {
      {file1, side1}, {pathText1, side1}, {file2, side2}, {pathText2, side2}};
  for (const auto& [text, attributes] : rows) {
    resultTable.StartRow();
    for (int i = 0; i < 4; ++i) resultTable.AddCell(u"", u"");
    resultTable.AddCell(text, attributes);
  }
  PathStacks stacks;
  CompareNodes(node1, node2, stacks, resultTable, diffFound, diffOnly);
}

namespace {

// The number (1-based) and key of the first selected node, or 0.
std::pair<int, std::u16string> SelectedNode(const TreeView& view) {
  for (int n = 1; n <= view.NodeCount(); ++n) {
    if (view.NodeSelected(n)) return {n, view.NodeKey(n)};
  }
  return {0, {}};
}

}  // namespace

RunOutcome ExecObjDiff(const Settings& settings, const ObjSide& side1, const TreeView& view1,
                       const ObjSide& side2, const TreeView& view2, WindowOps& window) {
  window.SetStatusText(u"");
  const std::u16string outFolder = WithTrailingSeparator(settings.OUTPUT_PATH);
  if (!ValidateInputs(settings, 2, window)) return RunOutcome::Rejected;
  auto reject = [&](std::u16string_view message) {
    window.ShowMessage(message, MessageIcon::Warning);
    return RunOutcome::Rejected;
  };
  if (!IsFolder(outFolder)) return reject(u"出力先フォルダが見つかりません");
  if (settings.OUTPUT_FILE.empty()) return reject(u"結果出力ファイル名を入力してください");
  if (side1.ObjNodeCount <= 1 || side2.ObjNodeCount <= 1) {
    return reject(u"オブジェクト・リスト・レポートファイルをドロップしてください。");
  }
  const auto [s1, k1] = SelectedNode(view1);
  const auto [s2, k2] = SelectedNode(view2);
  if (s1 == 0 || s2 == 0 || k1 == kRootKey || k2 == kRootKey) {
    return reject(u"比較するオブジェクトを選択してください。");
  }
  const std::u16string resultPath = PagePathIn(outFolder, settings.OUTPUT_FILE, true);
  if (auto page = PageOverwritingInput({resultPath}, {side1.ObjFile, side2.ObjFile})) {
    return reject(OverwriteWarning(*page));
  }

  std::u16string stage;
  const RunOutcome outcome = GuardRun(window, stage, [&] {
    auto pathText = [](const ObjSide& side, int number) -> const std::u16string& {
      if (number > static_cast<int>(side.ObjPathTexts.size())) {
        throw Error(kGeneralErrorNumber, u"選択されたノードのパスがありません。");
      }
      return side.ObjPathTexts[static_cast<std::size_t>(number - 1)];
    };
    stage = u"フォーム文章の差分作成中に、";
    HTMLTblCls table;
    bool diffFound = false;
    MakeObjDiffTable(side1.ObjTree, side2.ObjTree, side1.ObjFile, side2.ObjFile,
                     pathText(side1, s1), pathText(side2, s2), k1, k2, table, diffFound,
                     settings.DIFF_OBJ_ONLY);
    stage = u"ファイル[" + resultPath + u"]の出力中に、";
    WritePage(resultPath, kComparisonPageHead, table.sStr());
    stage.clear();
  });
  if (outcome != RunOutcome::Finished) return outcome;
  window.SetWaitCursor(false);
  window.ShowMessage(kFinishedMessage, MessageIcon::Information);
  if (settings.OUTPUT_AUTOOPEN) window.OpenResult(resultPath);
  return RunOutcome::Finished;
}

}  // namespace tarnwick
