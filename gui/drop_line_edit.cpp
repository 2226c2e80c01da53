#include "gui/drop_line_edit.h"

#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <limits>

#include "gui/file_drops.h"

namespace tarnwick {

OneLineEdit::OneLineEdit(QWidget* parent) : QLineEdit(parent) {
  // A box holds whatever the settings file held; Qt's own limit would cut
  // a value at 32,767 characters and write it back cut.
  setMaxLength(std::numeric_limits<int>::max());
  connect(this, &QLineEdit::textChanged, this, &OneLineEdit::StripLineBreaks);
}

void OneLineEdit::StripLineBreaks() {
  const QString current = text();
  if (!current.contains(QLatin1Char('\r')) && !current.contains(QLatin1Char('\n'))) return;
  // The cursor stays behind the same character it followed.
  const int cursor = cursorPosition();
  const int removedBefore = static_cast<int>(current.left(cursor).count(QLatin1Char('\r')) +
                                             current.left(cursor).count(QLatin1Char('\n')));
  QString stripped = current;
  stripped.remove(QLatin1Char('\r'));
  stripped.remove(QLatin1Char('\n'));
  setText(stripped);  // emits textChanged again, now without line breaks
  setCursorPosition(cursor - removedBefore);
}

// Files belong to the drop targets only; a box for a name or a search string
// would insert their URLs as text.
void OneLineEdit::dragEnterEvent(QDragEnterEvent* event) {
  if (HoldsFiles(event->mimeData())) {
    event->ignore();
  } else {
    QLineEdit::dragEnterEvent(event);
  }
}

void OneLineEdit::dragMoveEvent(QDragMoveEvent* event) {
  if (HoldsFiles(event->mimeData())) {
    event->ignore();
  } else {
    QLineEdit::dragMoveEvent(event);
  }
}

void OneLineEdit::dropEvent(QDropEvent* event) {
  if (HoldsFiles(event->mimeData())) {
    event->ignore();
  } else {
    QLineEdit::dropEvent(event);
  }
}

DropLineEdit::DropLineEdit(QWidget* parent) : OneLineEdit(parent) {
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
