#include "gui/drop_line_edit.h"

#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>

#include "gui/file_drops.h"

namespace tarnwick {

DropLineEdit::DropLineEdit(QWidget* parent) : QLineEdit(parent) {
  setAcceptDrops(true);
}

void DropLineEdit::dragEnterEvent(QDragEnterEvent* event) {
  if (HoldsFiles(event->mimeData())) {
    event->acceptProposedAction();
  } else {
    QLineEdit::dragEnterEvent(event);
  }
}

void DropLineEdit::dragMoveEvent(QDragMoveEvent* event) {
  if (HoldsFiles(event->mimeData())) {
    event->acceptProposedAction();
  } else {
    QLineEdit::dragMoveEvent(event);
  }
}

void DropLineEdit::dropEvent(QDropEvent* event) {
  if (!HoldsFiles(event->mimeData())) {
    QLineEdit::dropEvent(event);
    return;
  }
  event->acceptProposedAction();
  emit filesDropped(DroppedPaths(event->mimeData()));
}

}  // namespace tarnwick
