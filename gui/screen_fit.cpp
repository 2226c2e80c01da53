#include "gui/screen_fit.h"

#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace tarnwick {

void FitToScreen(QWidget& window, QSize preferred) {
  QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
  if (!screen) {
    window.resize(preferred);
    return;
  }
  const QRect available = screen->availableGeometry();
  // The frame is not known before the window is shown; leave room for a
  // usual title bar and border.
  const QSize room = (available.size() - QSize(16, 48)).expandedTo(QSize(200, 150));
  const QSize size = preferred.boundedTo(room).expandedTo(window.minimumSize().boundedTo(room));
  window.resize(size);
  // Keep the whole window on the available area.
  QRect frame(window.pos(), size + QSize(16, 48));
  const int x = std::clamp(frame.x(), available.left(),
                           std::max(available.left(), available.right() + 1 - frame.width()));
  const int y = std::clamp(frame.y(), available.top(),
                           std::max(available.top(), available.bottom() + 1 - frame.height()));
  if (x != frame.x() || y != frame.y()) window.move(x, y);
}

}  // namespace tarnwick
