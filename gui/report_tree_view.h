// The Qt tree view behind tvSrc1, tvSrc2 and the structure viewer's tree: a
// QTreeWidget that numbers its nodes in order of addition, finds them by
// their unique keys, allows at most one selected node and, when asked,
// accepts files dropped from the desktop.
#pragma once

#include <QStringList>
#include <QTreeWidget>
#include <string>
#include <vector>

#include "app/tree_view.h"
#include "files/file_io.h"

namespace tarnwick {

class ReportTreeView : public QTreeWidget, public TreeView {
  Q_OBJECT

 public:
  explicit ReportTreeView(QWidget* parent = nullptr);
  ~ReportTreeView() override;

  void Clear() override;
  // A parent key that names no node adds nothing. Keys must be unique.
  void AddNode(std::u16string_view parentKey, std::u16string_view key,
               std::u16string_view text) override;
  int NodeCount() const override;
  std::u16string NodeKey(int number) const override;
  bool NodeSelected(int number) const override;

  // The node with that key, or null; a scan, for occasional use.
  QTreeWidgetItem* NodeByKey(std::u16string_view key) const;
  // The key of the first selected node in order of addition; empty when none.
  std::u16string SelectedKey() const;
  void SelectNode(std::u16string_view key);

  void SetFileDropsEnabled(bool enabled);
  // Wrapped, node texts break into lines at the view's width (for a hint
  // alone in the view); otherwise long texts scroll sideways.
  void SetTextWrapped(bool wrapped);

  // Between these, top-level nodes (and so their subtrees) are built apart
  // from the view and shown at the end: much faster for large trees. Node
  // numbers and keys work as usual meanwhile.
  void BeginBatch();
  void EndBatch();

 signals:
  // Local paths in drop order (empty for anything that is not a local file).
  void filesDropped(const std::vector<tarnwick::FilePath>& paths);

 protected:
  bool viewportEvent(QEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  // The node number (1-based) is stored in each item's Qt::UserRole data.
  int NumberOf(const QTreeWidgetItem* item) const;
  QTreeWidgetItem* FindParent(std::u16string_view key) const;

  std::vector<QTreeWidgetItem*> nodes_;
  std::vector<std::u16string> keys_;
  std::vector<QTreeWidgetItem*> pendingTop_;
  bool batching_ = false;
  bool fileDrops_ = false;
};

// Batches the additions to a view for the length of a scope.
class TreeBatch {
 public:
  explicit TreeBatch(ReportTreeView& view) : view_(view) { view_.BeginBatch(); }
  ~TreeBatch() { view_.EndBatch(); }
  TreeBatch(const TreeBatch&) = delete;
  TreeBatch& operator=(const TreeBatch&) = delete;

 private:
  ReportTreeView& view_;
};

}  // namespace tarnwick
