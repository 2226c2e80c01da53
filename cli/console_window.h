// The console standing in for the window: message boxes go to standard error
// (UTF-8, the text as is, then a newline); status texts too, but only when
// standard error is a terminal and --quiet is absent; the structure viewer is
// never shown; a result is opened (xdg-open) only when --open was given.
// ListTreeView stands in for a tree view of the object comparison page.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "app/runs.h"
#include "app/window_ops.h"

namespace tarnwick::cli {

class ConsoleWindow : public WindowOps {
 public:
  ConsoleWindow(bool open, bool quiet);

  void ShowMessage(std::u16string_view text, MessageIcon icon) override;
  void SetStatusText(std::u16string_view text) override;
  void Repaint() override {}
  void SetWaitCursor(bool) override {}
  bool StructureViewerEnabled() const override { return false; }
  void ShowStructure(const Collection&) override {}
  void OpenResult(std::u16string_view path) override;

 private:
  bool open_;
  bool showStatus_;
};

class ListTreeView : public TreeView {
 public:
  struct Node {
    std::u16string key;
    std::u16string text;
  };

  void Clear() override;
  void AddNode(std::u16string_view parentKey, std::u16string_view key,
               std::u16string_view text) override;
  int NodeCount() const override { return static_cast<int>(nodes_.size()); }
  std::u16string NodeKey(int number) const override;
  bool NodeSelected(int number) const override { return number == selected_; }

  // Selects the node with this key; a key that does not exist selects nothing.
  void Select(std::u16string_view key);
  const std::vector<Node>& Nodes() const { return nodes_; }

 private:
  std::vector<Node> nodes_;
  int selected_ = 0;
};

}  // namespace tarnwick::cli
