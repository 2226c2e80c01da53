// The window operations that the runs need, and nothing more. The Qt main
// window, the CLI's console and the tests' fakes implement it; the runs never
// see a widget. Messages and status texts travel as values (messages/); each
// implementation turns them into words through a catalog.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "app/pair_result.h"
#include "messages/message.h"
#include "messages/message_catalog.h"

namespace tarnwick {

class Collection;

enum class MessageIcon { Information, Warning, Critical };

class WindowOps {
 public:
  virtual ~WindowOps() = default;

  // Modal, titled "Tarnwick", OK only; returns when closed.
  virtual void ShowMessage(const Message& message, MessageIcon icon) = 0;
  // A question before a run replaces what another run left; true to go on.
  virtual bool ConfirmOverwrite(const Message& question) = 0;
  // The catalog the window words messages in: what is worded before it is
  // shown (an error's description) uses it too.
  virtual MessageCatalog Catalog() const { return JapaneseCatalog; }
  // MessageId::NoStatus empties the status line.
  virtual void SetStatusText(const Message& status) = 0;
  virtual void Repaint() = 0;
  virtual void SetWaitCursor(bool wait) = 0;
  // The state of the debug menu's check item "構造の表示".
  virtual bool StructureViewerEnabled() const = 0;
  // Shows the structure viewer for one parsed tree, modally.
  virtual void ShowStructure(const Collection& tree) = 0;
  // Opens a result page in the desktop's default application.
  virtual void OpenResult(std::u16string_view path) = 0;
  // Pairs or reports done of `total`; total 0 means busy without a count.
  virtual void SetProgress(std::size_t done, std::size_t total) = 0;
  // True once the user asked the run to stop. The runs ask before each next
  // pair or report, so a page is never left half written. Any thread.
  virtual bool CancelRequested() const = 0;
  // After a cancel: what the run did not reach (the names the summary page
  // shows, still "未処理" there), in run order.
  virtual void ShowNotReached(const std::vector<std::u16string>& names) = 0;
  // A pair or report is done: its summary row is settled as `result` says.
  // Called in run order, once for each pair compared (or report searched);
  // a window without a result list ignores it.
  virtual void PairFinished(const PairResult& result) { static_cast<void>(result); }
};

}  // namespace tarnwick
