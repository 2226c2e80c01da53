// Recording stand-ins for the window in tests: FakeWindow keeps every message
// box, status text, cursor change and opened result in order; FakeTreeView
// keeps its nodes with their parents and lets a test select one.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/runs.h"
#include "app/window_ops.h"
#include "report/object_tree.h"

namespace tarnwick::testing {

struct ShownMessage {
  std::u16string text;
  MessageIcon icon;
  bool operator==(const ShownMessage&) const = default;
};

class FakeWindow : public WindowOps {
 public:
  void ShowMessage(std::u16string_view text, MessageIcon icon) override {
    messages.push_back({std::u16string(text), icon});
  }
  void SetStatusText(std::u16string_view text) override { statusTexts.emplace_back(text); }
  void Repaint() override { ++repaints; }
  void SetWaitCursor(bool wait) override {
    cursorChanges.push_back(wait);
    waitCursor = wait;
  }
  bool StructureViewerEnabled() const override { return structureViewer; }
  void ShowStructure(const Collection& tree) override {
    structuresShown.push_back(tree.Count());
    if (onShowStructure) onShowStructure();
  }
  void OpenResult(std::u16string_view path) override { opened.emplace_back(path); }

  std::u16string LastStatus() const { return statusTexts.empty() ? u"" : statusTexts.back(); }

  bool structureViewer = false;
  std::vector<ShownMessage> messages;
  std::vector<std::u16string> statusTexts;
  int repaints = 0;
  std::vector<bool> cursorChanges;
  bool waitCursor = false;
  std::vector<std::size_t> structuresShown;  // top-level entry count of each tree shown
  std::function<void()> onShowStructure;     // lets a test act while the viewer is open
  std::vector<std::u16string> opened;
};

class FakeTreeView : public TreeView {
 public:
  struct Node {
    std::u16string parentKey;
    std::u16string key;
    std::u16string text;
    bool operator==(const Node&) const = default;
  };

  void Clear() override {
    nodes.clear();
    selected = 0;
  }
  void AddNode(std::u16string_view parentKey, std::u16string_view key,
               std::u16string_view text) override {
    nodes.push_back({std::u16string(parentKey), std::u16string(key), std::u16string(text)});
  }
  int NodeCount() const override { return static_cast<int>(nodes.size()); }
  std::u16string NodeKey(int number) const override { return nodes.at(number - 1).key; }
  bool NodeSelected(int number) const override { return number == selected; }

  // Selects the node with this key; nothing when there is none.
  void Select(std::u16string_view key) {
    selected = 0;
    for (std::size_t i = 0; i < nodes.size(); ++i) {
      if (nodes[i].key == key) selected = static_cast<int>(i + 1);
    }
  }

  std::vector<Node> nodes;
  int selected = 0;  // node number, 0 for none
};

}  // namespace tarnwick::testing
