// A tree view without a window: the nodes as a list in order of addition,
// each with its parent's key, and one node selected by its key. The command
// line's object comparison and the tests use it in the Qt view's place.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "app/tree_view.h"

namespace tarnwick {

class ListTreeView : public TreeView {
 public:
  struct Node {
    std::u16string parentKey;
    std::u16string key;
    std::u16string text;
    bool operator==(const Node&) const = default;
  };

  void Clear() override;
  void AddNode(std::u16string_view parentKey, std::u16string_view key,
               std::u16string_view text) override;
  int NodeCount() const override { return static_cast<int>(nodes_.size()); }
  // Throws std::out_of_range for a number outside 1..NodeCount().
  std::u16string NodeKey(int number) const override;
  bool NodeSelected(int number) const override { return number == selected_; }

  // Selects the node with this key; a key that does not exist selects
  // nothing and gives false.
  bool Select(std::u16string_view key);
  const std::vector<Node>& Nodes() const { return nodes_; }

 private:
  std::vector<Node> nodes_;
  int selected_ = 0;  // node number, 0 for none
};

}  // namespace tarnwick
