// The window operations on Qt widgets: modal message boxes titled "Tarnwick"
// with an OK button, the status label, the progress bar, the wait cursor over
// the whole application, the structure viewer shown modally and results
// opened with the desktop's default application. A run on a worker thread
// may call any operation: the call is carried out on the window's thread and
// the run waits for it (for a message box, until it is closed); a call on the
// window's thread itself is carried out at once. Tests replace the modal
// parts through GuiHooks so that nothing blocks.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <atomic>
#include <functional>
#include <string_view>
#include <utility>

#include "app/settings.h"
#include "app/window_ops.h"
#include "messages/message_catalog.h"

class QAction;
class QLabel;
class QProgressBar;
class QWidget;

namespace tarnwick {

// What the window asks a file dialog for.
struct FileDialogRequest {
  QString title;
  QString folder;  // where it opens
  QString filter;  // ";;"-separated name filters; empty when choosing a folder
  bool folderWanted = false;
  bool many = false;  // several files may be chosen
};

// Each hook, when set, replaces the modal or external step it is named after
// (a message with the text its box would show). Hooks are called on the
// window's thread.
struct GuiHooks {
  std::function<void(std::u16string_view text, MessageIcon icon)> message;
  std::function<bool(std::u16string_view question)> confirm;
  std::function<void(const Collection& tree)> structure;
  std::function<void(std::u16string_view path)> openResult;
  // The system's interface languages a first start chooses by.
  std::function<QStringList()> systemLanguages;
  // A file dialog: what the user chose (nothing when cancelled).
  std::function<QStringList(const FileDialogRequest& request)> fileDialog;
};

// The catalog of a window language's messages.
MessageCatalog CatalogOf(UiLanguage language);

inline constexpr char16_t kProgramTitle[] = u"Tarnwick";

class QtWindowOps : public WindowOps {
 public:
  QtWindowOps(QWidget* window, QLabel* status, QAction* structureItem, const GuiHooks& hooks,
              QProgressBar* progress = nullptr);
  ~QtWindowOps() override;
  QtWindowOps(const QtWindowOps&) = delete;
  QtWindowOps& operator=(const QtWindowOps&) = delete;

  void ShowMessage(const Message& message, MessageIcon icon) override;
  MessageCatalog Catalog() const override { return catalog_; }
  // A Yes/No box; No is the default, so that Enter keeps the page.
  bool ConfirmOverwrite(const Message& question) override;
  void SetStatusText(const Message& status) override;
  void Repaint() override;
  void SetWaitCursor(bool wait) override;
  bool StructureViewerEnabled() const override;
  void ShowStructure(const Collection& tree) override;
  void OpenResult(std::u16string_view path) override;
  void SetProgress(std::size_t done, std::size_t total) override;
  bool CancelRequested() const override { return cancel_.load(); }
  // The summary page lists them; the window has nothing to add.
  void ShowNotReached(const std::vector<std::u16string>&) override {}
  // Handed to the window's result list, on the window's thread.
  void PairFinished(const PairResult& result) override;
  void OnPairFinished(std::function<void(const PairResult&)> receiver) {
    pairFinished_ = std::move(receiver);
  }

  // The window's side of a run: a new run starts uncancelled; "中止" asks it
  // to stop. While the window is closing, a cancelled run ends without the
  // "中止しました。" notice.
  void StartRun();
  void RequestCancel() { cancel_.store(true); }
  void SetClosing(bool closing) { closing_ = closing; }
  // The language messages and status texts are shown in from now on; the
  // status text shown changes with it.
  void SetLanguage(UiLanguage language);

 private:
  // Runs `call` on the window's thread and returns its result.
  template <typename Call>
  auto OnWindowThread(Call call) const -> decltype(call());
  void ApplyCursor(bool wait, bool busy);

  QObject context_;  // lives on the window's thread
  QPointer<QWidget> window_;
  QPointer<QLabel> status_;
  QPointer<QAction> structureItem_;
  QPointer<QProgressBar> progress_;
  const GuiHooks& hooks_;
  bool waiting_ = false;
  bool busyShape_ = false;
  bool closing_ = false;
  MessageCatalog catalog_ = JapaneseCatalog;
  Message statusShown_{MessageId::NoStatus};
  std::atomic<bool> cancel_{false};
  std::function<void(const PairResult&)> pairFinished_;
};

}  // namespace tarnwick
