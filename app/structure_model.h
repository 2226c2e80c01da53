// What the structure viewer shows for one parsed report, without any widget:
// the tree nodes with their keys (objects 1-1K, property folders 1-1P,
// properties 1-1-1S), one PropRecord per property in creation order, and the
// pick list rules (a property is listed at most once). Built iteratively, so
// the deepest tree the parser accepts cannot overflow the stack.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick {

class Collection;

struct StructureNode {
  std::u16string ParentKey;  // empty for the top-level node
  std::u16string Key;
  std::u16string Text;
};

struct PropRecord {
  std::u16string NodeKey;
  std::u16string NamePath;  // property name, a space, the object path (>ﾌｫｰﾑ>FORM1)
  std::u16string Value;
  bool Listed = false;  // currently an entry of the pick list
};

class StructureModel {
 public:
  // Replaces nodes, records and listing state with those of `tree`.
  void Init(const Collection& tree);

  // Nodes in order of addition; a parent always precedes its children.
  const std::vector<StructureNode>& Nodes() const { return nodes_; }
  const std::vector<PropRecord>& Records() const { return records_; }

  // 1-based number of the record of a property node; 0 for any other key.
  int FindRecord(std::u16string_view nodeKey) const;
  // 1-based; throws tarnwick::Error when out of range.
  const PropRecord& Record(int number) const;

  // Marks the record listed and returns its entry: number, Tab, NamePath,
  // Tab, Value. Nothing when it is listed already.
  std::optional<std::u16string> PickRecord(int number);
  // The record an entry stands for: the number before its first Tab; 0 when
  // the entry has no Tab or names no record.
  int EntryRecord(std::u16string_view entry) const;
  // Makes the record listable again.
  void Unlist(int number);

 private:
  std::vector<StructureNode> nodes_;
  std::vector<PropRecord> records_;
};

}  // namespace tarnwick
