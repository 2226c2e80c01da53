#include "app/gui/report_tree_view.h"

#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QHeaderView>

#include "app/gui/file_drops.h"

namespace tarnwick {

ReportTreeView::ReportTreeView(QWidget* parent) : QTreeWidget(parent) {
  setColumnCount(1);
  setHeaderHidden(true);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setDragDropMode(QAbstractItemView::NoDragDrop);
  // Long names scroll sideways instead of being cut off; short ones still
  // get a selection bar across the whole view (see viewportEvent).
  header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  header()->setStretchLastSection(false);
}

void ReportTreeView::Clear() {
  clear();
  nodes_.clear();
  byKey_.clear();
}

void ReportTreeView::AddNode(std::u16string_view parentKey, std::u16string_view key,
                             std::u16string_view text) {
  QTreeWidgetItem* parent = nullptr;
  if (!parentKey.empty()) {
    parent = NodeByKey(parentKey);
    if (parent == nullptr) return;
  }
  if (byKey_.contains(std::u16string(key))) return;
  auto* item = new QTreeWidgetItem(QStringList(QString::fromStdU16String(std::u16string(text))));
  item->setData(0, Qt::UserRole, QString::fromStdU16String(std::u16string(key)));
  if (parent == nullptr) {
    addTopLevelItem(item);
  } else {
    parent->addChild(item);
  }
  nodes_.push_back(item);
  byKey_.emplace(key, item);
}

int ReportTreeView::NodeCount() const {
  return static_cast<int>(nodes_.size());
}

std::u16string ReportTreeView::NodeKey(int number) const {
  if (number < 1 || number > NodeCount()) return {};
  return nodes_[static_cast<std::size_t>(number) - 1]->data(0, Qt::UserRole).toString().toStdU16String();
}

bool ReportTreeView::NodeSelected(int number) const {
  if (number < 1 || number > NodeCount()) return false;
  return nodes_[static_cast<std::size_t>(number) - 1]->isSelected();
}

QTreeWidgetItem* ReportTreeView::NodeByKey(std::u16string_view key) const {
  const auto found = byKey_.find(std::u16string(key));
  return found == byKey_.end() ? nullptr : found->second;
}

std::u16string ReportTreeView::SelectedKey() const {
  for (int n = 1; n <= NodeCount(); ++n) {
    if (NodeSelected(n)) return NodeKey(n);
  }
  return {};
}

void ReportTreeView::SelectNode(std::u16string_view key) {
  if (QTreeWidgetItem* item = NodeByKey(key)) {
    setCurrentItem(item);
    scrollToItem(item);
  }
}

void ReportTreeView::SetFileDropsEnabled(bool enabled) {
  fileDrops_ = enabled;
  setAcceptDrops(enabled);
  viewport()->setAcceptDrops(enabled);
}

bool ReportTreeView::viewportEvent(QEvent* event) {
  if (event->type() == QEvent::Resize) header()->setMinimumSectionSize(viewport()->width());
  return QTreeWidget::viewportEvent(event);
}

void ReportTreeView::dragEnterEvent(QDragEnterEvent* event) {
  if (fileDrops_ && HoldsFiles(event->mimeData())) {
    event->acceptProposedAction();
  } else {
    event->ignore();
  }
}

void ReportTreeView::dragMoveEvent(QDragMoveEvent* event) {
  if (fileDrops_ && HoldsFiles(event->mimeData())) {
    event->acceptProposedAction();
  } else {
    event->ignore();
  }
}

void ReportTreeView::dropEvent(QDropEvent* event) {
  if (!fileDrops_ || !HoldsFiles(event->mimeData())) {
    event->ignore();
    return;
  }
  event->acceptProposedAction();
  emit filesDropped(DroppedPaths(event->mimeData()));
}

}  // namespace tarnwick
