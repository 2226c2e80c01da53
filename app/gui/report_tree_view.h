// The Qt tree view behind tvSrc1, tvSrc2 and the structure viewer's tree: a
// QTreeWidget that numbers its nodes in order of addition, finds them by
// their unique keys, allows at most one selected node and, when asked,
// accepts files dropped from the desktop.
#pragma once

#include <QStringList>
#include <QTreeWidget>
#include <string>
#include <unordered_map>
#include <vector>

#include "app/runs.h"

namespace tarnwick {

class ReportTreeView : public QTreeWidget, public TreeView {
  Q_OBJECT

 public:
  explicit ReportTreeView(QWidget* parent = nullptr);

  void Clear() override;
  // A parent key that names no node adds nothing.
  void AddNode(std::u16string_view parentKey, std::u16string_view key,
               std::u16string_view text) override;
  int NodeCount() const override;
  std::u16string NodeKey(int number) const override;
  bool NodeSelected(int number) const override;

  // The node with that key, or null.
  QTreeWidgetItem* NodeByKey(std::u16string_view key) const;
  // The key of the first selected node in order of addition; empty when none.
  std::u16string SelectedKey() const;
  void SelectNode(std::u16string_view key);

  void SetFileDropsEnabled(bool enabled);

 signals:
  // Local paths in drop order (empty for anything that is not a local file).
  void filesDropped(const QStringList& paths);

 protected:
  bool viewportEvent(QEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  std::vector<QTreeWidgetItem*> nodes_;
  std::unordered_map<std::u16string, QTreeWidgetItem*> byKey_;
  bool fileDrops_ = false;
};

}  // namespace tarnwick
