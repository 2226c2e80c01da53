#include "gui/qt_window_ops.h"

#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QLabel>
#include <QMessageBox>
#include <QUrl>
#include <string>

#include "gui/qt_text.h"
#include "gui/structure_viewer.h"

namespace tarnwick {
QtWindowOps::QtWindowOps(QWidget* window, QLabel* status, QAction* structureItem,
                         const GuiHooks& hooks)
    : window_(window), status_(status), structureItem_(structureItem), hooks_(hooks) {}

QtWindowOps::~QtWindowOps() {
  SetWaitCursor(false);
}

void QtWindowOps::ShowMessage(std::u16string_view text, MessageIcon icon) {
  if (hooks_.message) {
    hooks_.message(text, icon);
    return;
  }
  QMessageBox::Icon boxIcon = QMessageBox::Information;
  if (icon == MessageIcon::Warning) boxIcon = QMessageBox::Warning;
  if (icon == MessageIcon::Critical) boxIcon = QMessageBox::Critical;
  QString shown = ToQString(text);
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  // A box shown while the wait cursor is on must still show the arrow.
  const bool wasWaiting = waiting_;
  SetWaitCursor(false);
  QMessageBox box(boxIcon, ToQString(kProgramTitle), shown, QMessageBox::Ok, window_);
  box.setWindowModality(Qt::ApplicationModal);
  box.exec();
  SetWaitCursor(wasWaiting);
}

void QtWindowOps::SetStatusText(std::u16string_view text) {
  if (status_) status_->setText(ToQString(text));
}

void QtWindowOps::Repaint() {
  if (window_) window_->repaint();
}

void QtWindowOps::SetWaitCursor(bool wait) {
  if (wait == waiting_) return;
  waiting_ = wait;
  if (wait) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
  } else {
    QApplication::restoreOverrideCursor();
  }
}

bool QtWindowOps::StructureViewerEnabled() const {
  return structureItem_ && structureItem_->isChecked();
}

void QtWindowOps::ShowStructure(const Collection& tree) {
  if (hooks_.structure) {
    hooks_.structure(tree);
    return;
  }
  const bool wasWaiting = waiting_;
  SetWaitCursor(false);
  frmConstract viewer(window_);
  viewer.Init(tree);
  viewer.exec();
  SetWaitCursor(wasWaiting);
}

void QtWindowOps::OpenResult(std::u16string_view path) {
  if (hooks_.openResult) {
    hooks_.openResult(path);
    return;
  }
  QDesktopServices::openUrl(QUrl::fromLocalFile(ToQString(path)));
}

}  // namespace tarnwick
