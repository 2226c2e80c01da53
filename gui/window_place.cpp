// The window's place and size between starts: restored from the settings
// on a screen that still shows it, and kept once the user has moved or
// resized the window (never for where the window manager first put it).
#include <QShowEvent>
#include <QTimer>

#include "gui/main_window.h"
#include "gui/window_geometry.h"

namespace tarnwick {
namespace {

// How long a window manager may take to place a new window.
constexpr int kPlacingTimeMs = 500;

}  // namespace

void frmMain::RestoreGeometry() {
  const std::optional<QRect> stored = ParseGeometry(settings_.WINDOW_GEOMETRY);
  if (const std::optional<QRect> placed = stored ? OnSomeScreen(*stored) : std::nullopt) {
    setGeometry(*placed);
  }
  if (settings_.WINDOW_MAXIMIZED) setWindowState(windowState() | Qt::WindowMaximized);
}

bool frmMain::GeometryToKeep() const {
  if (!settings_.WINDOW_GEOMETRY.empty() || settings_.WINDOW_MAXIMIZED) return true;
  // Never shown (or not yet placed): nothing the user chose.
  return shownGeometry_ && (normalGeometry() != *shownGeometry_ || isMaximized());
}

void frmMain::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (shownGeometry_ || event->spontaneous()) return;
  // Where the window manager put it, once it has (it may place a window a
  // moment after it is shown): any other place or size later is the user's.
  QTimer::singleShot(kPlacingTimeMs, this, [this] {
    if (!shownGeometry_) shownGeometry_ = normalGeometry();
  });
}

}  // namespace tarnwick
