#include "gui/report_tree_view.h"

#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QHeaderView>
#include <QStyledItemDelegate>
#include <algorithm>

#include "gui/file_drops.h"
#include "gui/qt_text.h"

namespace tarnwick {
namespace {

// QTreeView measures rows without regard to the column's width, so wrapped
// texts would keep one line's height; this measures them at the width left
// beside the branch indentation.
class WrappingDelegate : public QStyledItemDelegate {
 public:
  explicit WrappingDelegate(QTreeView* view) : QStyledItemDelegate(view), view_(view) {}

  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    if (!view_->wordWrap()) return QStyledItemDelegate::sizeHint(option, index);
    QStyleOptionViewItem item = option;
    initStyleOption(&item, index);
    int depth = view_->rootIsDecorated() ? 1 : 0;
    for (QModelIndex up = index.parent(); up.isValid(); up = up.parent()) ++depth;
    // The style wraps only within a valid rectangle; its height plays no part.
    item.rect = QRect(0, 0, std::max(1, view_->columnWidth(0) - depth * view_->indentation()), 1);
    item.features |= QStyleOptionViewItem::WrapText;
    return view_->style()->sizeFromContents(QStyle::CT_ItemViewItem, &item, QSize(), view_);
  }

 private:
  QTreeView* view_;
};

}  // namespace

ReportTreeView::ReportTreeView(QWidget* parent) : QTreeWidget(parent) {
  setItemDelegate(new WrappingDelegate(this));
  setColumnCount(1);
  setHeaderHidden(true);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setDragDropMode(QAbstractItemView::NoDragDrop);
  // Long names scroll sideways instead of being cut off; short ones still
  // get a selection bar across the whole view (see viewportEvent).
  header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  header()->setStretchLastSection(false);
}

ReportTreeView::~ReportTreeView() {
  qDeleteAll(pendingTop_);
}

void ReportTreeView::Clear() {
  clear();
  qDeleteAll(pendingTop_);
  pendingTop_.clear();
  nodes_.clear();
  keys_.clear();
}

int ReportTreeView::NumberOf(const QTreeWidgetItem* item) const {
  return item->data(0, Qt::UserRole).toInt();
}

QTreeWidgetItem* ReportTreeView::FindParent(std::u16string_view key) const {
  // Trees are filled depth first, so the parent is nearly always the last
  // node added or one of its ancestors.
  if (!nodes_.empty()) {
    for (QTreeWidgetItem* item = nodes_.back(); item != nullptr; item = item->parent()) {
      if (keys_[static_cast<std::size_t>(NumberOf(item)) - 1] == key) return item;
    }
  }
  return NodeByKey(key);
}

void ReportTreeView::AddNode(std::u16string_view parentKey, std::u16string_view key,
                             std::u16string_view text) {
  QTreeWidgetItem* parent = nullptr;
  if (!parentKey.empty()) {
    parent = FindParent(parentKey);
    if (parent == nullptr) return;
  }
  auto* item = new QTreeWidgetItem(QStringList(ToQString(text)));
  keys_.emplace_back(key);
  nodes_.push_back(item);
  item->setData(0, Qt::UserRole, NodeCount());
  if (parent == nullptr && batching_) {
    pendingTop_.push_back(item);
  } else if (parent == nullptr) {
    addTopLevelItem(item);
  } else {
    parent->addChild(item);
  }
}

int ReportTreeView::NodeCount() const {
  return static_cast<int>(nodes_.size());
}

std::u16string ReportTreeView::NodeKey(int number) const {
  if (number < 1 || number > NodeCount()) return {};
  return keys_[static_cast<std::size_t>(number) - 1];
}

bool ReportTreeView::NodeSelected(int number) const {
  if (number < 1 || number > NodeCount()) return false;
  return nodes_[static_cast<std::size_t>(number) - 1]->isSelected();
}

QTreeWidgetItem* ReportTreeView::NodeByKey(std::u16string_view key) const {
  for (std::size_t n = keys_.size(); n > 0; --n) {
    if (keys_[n - 1] == key) return nodes_[n - 1];
  }
  return nullptr;
}

std::u16string ReportTreeView::SelectedKey() const {
  // At most one node is selected, so the first in any order is the one.
  const QList<QTreeWidgetItem*> selected = selectedItems();
  return selected.isEmpty() ? std::u16string() : NodeKey(NumberOf(selected.front()));
}

void ReportTreeView::SelectNode(std::u16string_view key) {
  if (QTreeWidgetItem* item = NodeByKey(key)) {
    setCurrentItem(item);
    scrollToItem(item);
  }
}

void ReportTreeView::BeginBatch() {
  batching_ = true;
}

void ReportTreeView::EndBatch() {
  batching_ = false;
  if (pendingTop_.empty()) return;
  addTopLevelItems(QList<QTreeWidgetItem*>(pendingTop_.begin(), pendingTop_.end()));
  pendingTop_.clear();
}

void ReportTreeView::SetFileDropsEnabled(bool enabled) {
  fileDrops_ = enabled;
  setAcceptDrops(enabled);
  viewport()->setAcceptDrops(enabled);
}

void ReportTreeView::SetTextWrapped(bool wrapped) {
  setWordWrap(wrapped);
  header()->setSectionResizeMode(wrapped ? QHeaderView::Stretch : QHeaderView::ResizeToContents);
  setHorizontalScrollBarPolicy(wrapped ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
  scheduleDelayedItemsLayout();
}

bool ReportTreeView::viewportEvent(QEvent* event) {
  if (event->type() == QEvent::Resize) {
    header()->setMinimumSectionSize(viewport()->width());
    // Wrapped rows change height with the width.
    if (wordWrap()) scheduleDelayedItemsLayout();
  }
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
