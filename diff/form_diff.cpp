#include "diff/form_diff.h"

#include <array>
#include <charconv>
#include <variant>

#include "diff/str_diff.h"
#include "diff/tree_compare.h"
#include "base/error.h"
#include "text/line_reader.h"
#include "text/decimal.h"

namespace tarnwick {
namespace {

constexpr std::u16string_view kBlocksKey = u"ブロック";
constexpr std::u16string_view kItemsKey = u"項目";
constexpr std::u16string_view kItemIndent = u"    ";

const Collection* CollectionOf(const clsItem& node) {
  const auto* children = std::get_if<CollectionPtr>(&node.Item);
  return children != nullptr ? children->get() : nullptr;
}

// The tree's first entry (for a parsed report the node "ﾌｫｰﾑ").
const clsItem& FirstEntry(const Collection& tree) {
  if (tree.Empty()) throw Error(kGeneralErrorNumber, u"オブジェクト・ツリーが空です。");
  return tree.At(1);
}

// The first form module under the first entry.
const clsItem& FirstModule(const clsItem& entry) {
  const Collection* modules = CollectionOf(entry);
  if (modules == nullptr || modules->Empty()) {
    throw Error(kGeneralErrorNumber, u"「" + entry.Key + u"」にフォーム・モジュールがありません。");
  }
  return modules->At(1);
}

void WriteTitleRow(HTMLTblCls& table, std::u16string_view path, std::u16string_view attributes) {
  table.StartRow();
  for (int i = 0; i < 4; ++i) table.AddCell(u"", u"");
  table.AddCell(path, attributes);
}

void WriteSeparatorRow(HTMLTblCls& table) {
  table.StartRow();
  for (int i = 0; i < 4; ++i) table.AddCell(u"", u"");
  table.AddCell(RuleLine(), u"colspan=\"2\"");
}

}  // namespace

std::int64_t FindChild(const clsItem& node, std::u16string_view key) {
  const Collection* children = CollectionOf(node);
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
  const clsItem& child = CollectionOf(node)->At(static_cast<std::size_t>(position));
  if (child.IsText()) return ChildKind::kText;
  if (child.IsCollection()) return ChildKind::kCollection;
  return ChildKind::kNothing;
}

std::u16string BlockItemOutline(const Collection& tree) {
  const clsItem& entry = FirstEntry(tree);
  if (entry.IsNothing()) return {};
  const clsItem& module = FirstModule(entry);
  if (ChildTypeName(module, kBlocksKey) != ChildKind::kCollection) return {};

  std::u16string outline;
  // Track the first line apart: a block may have an empty key.
  bool first = true;
  const auto addLine = [&](std::u16string_view indent, std::u16string_view key) {
    if (!first) outline += u"\r\n";
    first = false;
    outline += indent;
    outline += key;
  };

  const clsItem& blocks = CollectionOf(module)->At(static_cast<std::size_t>(FindChild(module, kBlocksKey)));
  for (const clsItem& block : *CollectionOf(blocks)) {
    addLine(u"", block.Key);
    if (ChildTypeName(block, kItemsKey) != ChildKind::kCollection) continue;
    const clsItem& items = CollectionOf(block)->At(static_cast<std::size_t>(FindChild(block, kItemsKey)));
    for (const clsItem& item : *CollectionOf(items)) addLine(kItemIndent, item.Key);
  }
  return outline;
}

void CompareOutline(std::u16string_view outline1, std::u16string_view outline2,
                    HTMLTblCls& resultTable, bool& diffFound, bool diffOnly) {
  const bool equal = outline1 == outline2;
  if (equal && diffOnly) return;
  WriteSeparatorRow(resultTable);

  bool nameWritten = false;
  const auto row = [&](std::u16string_view mark1, std::u16string_view mark2, std::u16string_view idx1,
                       std::u16string_view idx2, std::u16string_view line, std::u16string_view attributes) {
    resultTable.StartRow();
    resultTable.AddCell(mark1, u"");
    resultTable.AddCell(mark2, u"");
    resultTable.AddCell(idx1, u"");
    resultTable.AddCell(idx2, u"");
    resultTable.AddCell(nameWritten ? std::u16string_view() : kOutlineSectionName, u"");
    nameWritten = true;
    resultTable.AddCell(line, attributes);
  };

  if (equal) {
    std::int64_t position = 1;
    while (position != -1) row(u"", u"", u"", u"", ReadLine(outline1, position), u"");
    return;
  }

  diffFound = true;
  StrDiff2 diff;
  diff.SetText1(outline1);
  diff.SetText2(outline2);
  diff.BuildDiff();
  diff.Rewind();
  for (;;) {
    const DiffRecord record = diff.NextDiffLine();
    if (diff.IsDiffEnd()) break;
    switch (record.kind) {
      case 0:
        row(u"", u"", DecimalText(record.idx1), DecimalText(record.idx2), record.line1, u"");
        break;
      case 1:
        row(u"*", u"", DecimalText(record.idx1), u"", record.line1, kSide1Colour);
        break;
      case 2:
        row(u"", u"*", u"", DecimalText(record.idx2), record.line2, kSide2Colour);
        break;
      default:
        break;
    }
  }
}

void MakeFormDiffTable(const Collection& tree1, const Collection& tree2, [[maybe_unused]] bool in1,
                       [[maybe_unused]] bool in2, std::u16string_view path1, std::u16string_view path2,
                       HTMLTblCls& resultTable, bool& diffFound, bool diffOnly) {
  PathStacks stacks;
  WriteTitleRow(resultTable, path1, u"colspan=\"2\" bgcolor=\"yellow\"");
  WriteTitleRow(resultTable, path2, u"colspan=\"2\" bgcolor=\"cyan\"");

  const std::u16string outline1 = BlockItemOutline(tree1);
  const std::u16string outline2 = BlockItemOutline(tree2);
  CompareOutline(outline1, outline2, resultTable, diffFound, diffOnly);

  CompareNodes(FirstEntry(tree1), FirstEntry(tree2), stacks, resultTable, diffFound, diffOnly);
}

}  // namespace tarnwick
