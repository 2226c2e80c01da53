#include "app/list_tree_view.h"

namespace tarnwick {

void ListTreeView::Clear() {
  nodes_.clear();
  selected_ = 0;
}

void ListTreeView::AddNode(std::u16string_view parentKey, std::u16string_view key,
                           std::u16string_view text) {
  nodes_.push_back({std::u16string(parentKey), std::u16string(key), std::u16string(text)});
}

std::u16string ListTreeView::NodeKey(int number) const {
  return nodes_.at(static_cast<std::size_t>(number - 1)).key;
}

bool ListTreeView::Select(std::u16string_view key) {
  selected_ = 0;
  for (std::size_t i = 0; i < nodes_.size(); ++i) {
    if (nodes_[i].key == key) {
      selected_ = static_cast<int>(i + 1);
      return true;
    }
  }
  return false;
}

}  // namespace tarnwick
