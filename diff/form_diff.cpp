#include "diff/form_diff.h"

#include <array>

#include "base/error.h"
#include "diff/tree_compare.h"
#include "messages/message_error.h"
#include "report/outline_sections.h"

namespace tarnwick {
namespace {

constexpr std::u16string_view kItemIndent = u"    ";

// The tree's first entry (for a parsed report the node "ﾌｫｰﾑ").
const clsItem& FirstEntry(const Collection& tree) {
  if (tree.Empty()) throw MessageError(kGeneralErrorNumber, {MessageId::TreeEmpty});
  return tree.At(1);
}

// The first form module under the first entry.
const clsItem& FirstModule(const clsItem& entry) {
  const Collection* modules = entry.ChildrenOrNull();
  if (modules == nullptr || modules->Empty()) {
    throw MessageError(kGeneralErrorNumber,
                       {{MessageId::NoFormModule, {std::u16string(entry.Key)}}});
  }
  return modules->At(1);
}

}  // namespace

std::int64_t FindChild(const clsItem& node, std::u16string_view key) {
  const Collection* children = node.ChildrenOrNull();
  if (children == nullptr) return -1;
  std::int64_t position = 0;
  for (const clsItem& child : *children) {
    ++position;
    if (child.Key == key) return position;
  }
  return -1;
}

ChildKind ChildTypeName(const clsItem& node, std::u16string_view key) {
  const std::int64_t position = FindChild(node, key);
  if (position == -1) return ChildKind::kAbsent;
  const clsItem& child = node.ChildrenOrNull()->At(static_cast<std::size_t>(position));
  if (child.IsText()) return ChildKind::kText;
  if (child.IsCollection()) return ChildKind::kCollection;
  return ChildKind::kNothing;
}

namespace {

// The first of `keys` that names a section of `node`, or nullptr.
template <std::size_t N>
const clsItem* SectionOf(const clsItem& node, const std::array<std::u16string_view, N>& keys) {
  for (const std::u16string_view key : keys) {
    if (ChildTypeName(node, key) == ChildKind::kCollection) {
      return &node.ChildrenOrNull()->At(static_cast<std::size_t>(FindChild(node, key)));
    }
  }
  return nullptr;
}

}  // namespace

std::u16string BlockItemOutline(const Collection& tree) {
  const clsItem& entry = FirstEntry(tree);
  if (entry.IsNothing()) return {};
  const clsItem* blocks = SectionOf(FirstModule(entry), kBlockSectionKeys);
  if (blocks == nullptr) return {};

  std::u16string outline;
  // Track the first line apart: a block may have an empty key.
  bool first = true;
  const auto addLine = [&](std::u16string_view indent, std::u16string_view key) {
    if (!first) outline += u"\r\n";
    first = false;
    outline += indent;
    outline += key;
  };

  for (const clsItem& block : *blocks->ChildrenOrNull()) {
    addLine(u"", block.Key);
    const clsItem* items = SectionOf(block, kItemSectionKeys);
    if (items == nullptr) continue;
    for (const clsItem& item : *items->ChildrenOrNull()) addLine(kItemIndent, item.Key);
  }
  return outline;
}

bool CompareOutline(std::u16string_view outline1, std::u16string_view outline2,
                    CompareEvents& events, bool diffOnly) {
  if (outline1 == outline2) {
    if (!diffOnly) events.OutlineEqual(outline1);
    return false;
  }
  LineDiffer differ;
  events.OutlineChanged(differ.Compare(outline1, outline2));
  return true;
}

ComparisonResult MakeFormDiff(const Collection& tree1, const Collection& tree2,
                              std::u16string_view path1, std::u16string_view path2,
                              CompareEvents& events, bool diffOnly, const CompareOptions& options) {
  ChangeCounter counter(events);
  PathStacks stacks;
  counter.Title(path1, 1);
  counter.Title(path2, 2);

  const std::u16string outline1 = BlockItemOutline(tree1);
  const std::u16string outline2 = BlockItemOutline(tree2);
  ComparisonResult result;
  result.differs = CompareOutline(outline1, outline2, counter, diffOnly);
  // The outline's difference stands even when the trees compare equal.
  // Object paths start at the top entry: "ﾌｫｰﾑ" in a report.
  const std::u16string_view basePath[] = {FirstEntry(tree1).Key};
  if (CompareNodes(FirstEntry(tree1), FirstEntry(tree2), stacks, counter, diffOnly, options,
                   basePath)) {
    result.differs = true;
  }
  result.counts = counter.Counts();
  return result;
}

}  // namespace tarnwick
