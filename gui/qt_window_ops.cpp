#include "gui/qt_window_ops.h"

#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QThread>
#include <QUrl>
#include <algorithm>
#include <limits>
#include <string>
#include <type_traits>

#include "gui/qt_text.h"
#include "gui/structure_viewer.h"
#include "messages/message_catalog.h"

namespace tarnwick {

QtWindowOps::QtWindowOps(QWidget* window, QLabel* status, QAction* structureItem,
                         const GuiHooks& hooks, QProgressBar* progress)
    : window_(window),
      status_(status),
      structureItem_(structureItem),
      progress_(progress),
      hooks_(hooks) {}

QtWindowOps::~QtWindowOps() {
  SetWaitCursor(false);
}

template <typename Call>
auto QtWindowOps::OnWindowThread(Call call) const -> decltype(call()) {
  using Result = decltype(call());
  if (QThread::currentThread() == context_.thread()) return call();
  // The worker waits until the window's thread has carried out the call, so
  // references into the run's own data stay valid throughout.
  auto* context = const_cast<QObject*>(&context_);
  if constexpr (std::is_void_v<Result>) {
    QMetaObject::invokeMethod(context, std::move(call), Qt::BlockingQueuedConnection);
  } else {
    Result result{};
    QMetaObject::invokeMethod(
        context, [&result, &call] { result = call(); }, Qt::BlockingQueuedConnection);
    return result;
  }
}

MessageCatalog CatalogOf(UiLanguage language) {
  return CatalogFor(language);
}

void QtWindowOps::SetLanguage(UiLanguage language) {
  OnWindowThread([this, language] {
    catalog_ = CatalogOf(language);
    if (status_) status_->setText(ToQString(MessageText(statusShown_, catalog_)));
  });
}

void QtWindowOps::StartRun() {
  cancel_.store(false);
}

void QtWindowOps::ShowMessage(const Message& message, MessageIcon icon) {
  OnWindowThread([this, &message, icon] {
    // Closing the window during a run stops it; saying so would only delay the close.
    if (closing_ && message.id == MessageId::Cancelled) return;
    const std::u16string text = MessageText(message, catalog_);
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
    const bool wasBusy = busyShape_;
    ApplyCursor(false, false);
    QMessageBox box(boxIcon, ToQString(kProgramTitle), shown, QMessageBox::Ok, window_);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
    ApplyCursor(wasWaiting, wasBusy);
  });
}

bool QtWindowOps::ConfirmOverwrite(const Message& question) {
  return OnWindowThread([this, &question] {
    const std::u16string text = MessageText(question, catalog_);
    if (hooks_.confirm) return hooks_.confirm(text);
    const bool wasWaiting = waiting_;
    const bool wasBusy = busyShape_;
    ApplyCursor(false, false);
    QMessageBox box(QMessageBox::Question, ToQString(kProgramTitle), ToQString(text),
                    QMessageBox::Yes | QMessageBox::No, window_);
    box.setDefaultButton(QMessageBox::No);
    box.button(QMessageBox::Yes)->setText(QCoreApplication::translate("QtWindowOps", "上書きする"));
    box.button(QMessageBox::No)
        ->setText(QCoreApplication::translate("QtWindowOps", "上書きしない"));
    box.setWindowModality(Qt::ApplicationModal);
    const bool yes = box.exec() == QMessageBox::Yes;
    ApplyCursor(wasWaiting, wasBusy);
    return yes;
  });
}

void QtWindowOps::SetStatusText(const Message& status) {
  OnWindowThread([this, &status] {
    statusShown_ = status;
    if (status_) status_->setText(ToQString(MessageText(status, catalog_)));
  });
}

void QtWindowOps::Repaint() {
  // A run on a worker leaves the window's thread free to paint by itself.
  if (QThread::currentThread() != context_.thread()) return;
  if (window_) window_->repaint();
}

void QtWindowOps::SetWaitCursor(bool wait) {
  // The window stays usable during a run on a worker: the busy arrow says so.
  const bool busy = QThread::currentThread() != context_.thread();
  OnWindowThread([this, wait, busy] { ApplyCursor(wait, busy); });
}

void QtWindowOps::ApplyCursor(bool wait, bool busy) {
  if (wait == waiting_ && (!wait || busy == busyShape_)) return;
  if (waiting_) QApplication::restoreOverrideCursor();
  waiting_ = wait;
  busyShape_ = wait && busy;
  if (wait) QApplication::setOverrideCursor(busy ? Qt::BusyCursor : Qt::WaitCursor);
}

bool QtWindowOps::StructureViewerEnabled() const {
  return OnWindowThread([this] { return structureItem_ && structureItem_->isChecked(); });
}

void QtWindowOps::ShowStructure(const Collection& tree) {
  OnWindowThread([this, &tree] {
    if (hooks_.structure) {
      hooks_.structure(tree);
      return;
    }
    const bool wasWaiting = waiting_;
    const bool wasBusy = busyShape_;
    ApplyCursor(false, false);
    frmConstract viewer(window_);
    viewer.Init(tree);
    viewer.exec();
    ApplyCursor(wasWaiting, wasBusy);
  });
}

void QtWindowOps::OpenResult(std::u16string_view path) {
  OnWindowThread([this, path] {
    if (hooks_.openResult) {
      hooks_.openResult(path);
      return;
    }
    QDesktopServices::openUrl(QUrl::fromLocalFile(ToQString(path)));
  });
}

void QtWindowOps::PairFinished(const PairResult& result) {
  OnWindowThread([this, &result] {
    if (pairFinished_) pairFinished_(result);
  });
}

void QtWindowOps::SetProgress(std::size_t done, std::size_t total) {
  OnWindowThread([this, done, total] {
    if (!progress_) return;
    constexpr std::size_t kMax = std::numeric_limits<int>::max();
    // A range of 0..0 makes the bar a busy indicator.
    progress_->setRange(0, static_cast<int>(std::min(total, kMax)));
    progress_->setValue(static_cast<int>(std::min(done, kMax)));
    progress_->setVisible(true);
  });
}

}  // namespace tarnwick
