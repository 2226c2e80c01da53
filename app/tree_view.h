// The tree views of the object comparison page, as the runs see them: nodes
// numbered 1..count in order of addition, unique keys, at most one selected.
// The Qt tree view, the command line's list and the tests implement it.
#pragma once

#include <string>
#include <string_view>

namespace tarnwick {

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

}  // namespace tarnwick
