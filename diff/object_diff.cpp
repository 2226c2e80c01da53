#include "diff/object_diff.h"

#include <string>
#include <vector>

#include "base/error.h"
#include "diff/tree_compare.h"

namespace tarnwick {

namespace {

[[noreturn]] void ThrowUnresolvedKey(std::u16string_view key) {
  throw Error(kGeneralErrorNumber,
              u"ノード[" + std::u16string(key) + u"]はオブジェクト構造にありません。");
}

// ResolveNodeKey, also giving the keys of the nodes on the way when `path`
// is given: the tree's first entry, ..., the node itself.
const clsItem& ResolveNodeKeyPath(const CollectionPtr& tree, std::u16string_view key,
                                  std::vector<std::u16string_view>* path) {
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
    if (path != nullptr) path->push_back(node->Key);
    node = &collection->At(position);
    collection = node->IsCollection() ? &node->Children() : nullptr;
  }
  if (path != nullptr) {
    // The first position names the first entry again; keys from there on.
    if (!path->empty()) path->erase(path->begin());
    path->push_back(node->Key);
  }
  return *node;
}

}  // namespace

const clsItem& ResolveNodeKey(const CollectionPtr& tree, std::u16string_view key) {
  return ResolveNodeKeyPath(tree, key, nullptr);
}

ComparisonResult MakeObjDiff(const CollectionPtr& tree1, const CollectionPtr& tree2,
                             std::u16string_view file1, std::u16string_view file2,
                             std::u16string_view pathText1, std::u16string_view pathText2,
                             std::u16string_view key1, std::u16string_view key2,
                             CompareEvents& events, bool diffOnly, const CompareOptions& options) {
  // Rules see side 1's objects by their paths in its tree.
  std::vector<std::u16string_view> basePath;
  const clsItem& node1 = ResolveNodeKeyPath(tree1, key1, &basePath);
  const clsItem& node2 = ResolveNodeKey(tree2, key2);
  ChangeCounter counter(events);
  counter.Title(file1, 1);
  counter.Title(pathText1, 1);
  counter.Title(file2, 2);
  counter.Title(pathText2, 2);
  PathStacks stacks;
  ComparisonResult result;
  result.differs = CompareNodes(node1, node2, stacks, counter, diffOnly, options, basePath);
  result.counts = counter.Counts();
  return result;
}

}  // namespace tarnwick
