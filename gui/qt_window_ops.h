// The window operations on Qt widgets: modal message boxes titled "Tarnwick"
// with an OK button, the status label repainted at once, the wait cursor over
// the whole application, the structure viewer shown modally and results
// opened with the desktop's default application. Tests replace the modal
// parts through GuiHooks so that nothing blocks.
#pragma once

#include <QPointer>
#include <functional>
#include <string_view>

#include "app/window_ops.h"

class QAction;
class QLabel;
class QWidget;

namespace tarnwick {

// Each hook, when set, replaces the modal or external step it is named after.
struct GuiHooks {
  std::function<void(std::u16string_view text, MessageIcon icon)> message;
  std::function<void(const Collection& tree)> structure;
  std::function<void(std::u16string_view path)> openResult;
};

inline constexpr char16_t kProgramTitle[] = u"Tarnwick";

class QtWindowOps : public WindowOps {
 public:
  QtWindowOps(QWidget* window, QLabel* status, QAction* structureItem, const GuiHooks& hooks);
  ~QtWindowOps() override;
  QtWindowOps(const QtWindowOps&) = delete;
  QtWindowOps& operator=(const QtWindowOps&) = delete;

  void ShowMessage(std::u16string_view text, MessageIcon icon) override;
  void SetStatusText(std::u16string_view text) override;
  void Repaint() override;
  void SetWaitCursor(bool wait) override;
  bool StructureViewerEnabled() const override;
  void ShowStructure(const Collection& tree) override;
  void OpenResult(std::u16string_view path) override;

 private:
  QPointer<QWidget> window_;
  QPointer<QLabel> status_;
  QPointer<QAction> structureItem_;
  const GuiHooks& hooks_;
  bool waiting_ = false;
};

}  // namespace tarnwick
