// The console standing in for the window: message boxes go to standard error
// (UTF-8, the catalog's text as is, then a newline); status texts too, but only when
// standard error is a terminal and --quiet is absent; the structure viewer is
// never shown; a result is opened with the desktop's application only when
// --open was given. A run is cancelled by SIGINT or SIGTERM (cli/interrupt.h),
// after which what it did not reach is listed on standard error. Nobody is
// there to be asked: a page that another kind of run wrote is replaced only
// with --force, else the run is refused with a warning.
#pragma once

#include <string_view>

#include "app/window_ops.h"
#include "messages/ui_language.h"

namespace tarnwick::cli {

class ConsoleWindow : public WindowOps {
 public:
  // Messages and status texts are in `language`.
  ConsoleWindow(bool open, bool quiet, bool force = false,
                UiLanguage language = UiLanguage::Japanese);

  void ShowMessage(const Message& message, MessageIcon icon) override;
  MessageCatalog Catalog() const override { return CatalogFor(language_); }
  bool ConfirmOverwrite(const Message& question) override;
  void SetStatusText(const Message& status) override;
  void Repaint() override {}
  void SetWaitCursor(bool) override {}
  bool StructureViewerEnabled() const override { return false; }
  void ShowStructure(const Collection&) override {}
  void OpenResult(std::u16string_view path) override;
  void SetProgress(std::size_t, std::size_t) override {}
  bool CancelRequested() const override;
  void ShowNotReached(const std::vector<std::u16string>& names) override;

 private:
  bool open_;
  bool showStatus_;
  bool force_;

 protected:
  UiLanguage language_;
};

}  // namespace tarnwick::cli
