#include "gui/window_geometry.h"

#include <QGuiApplication>
#include <QScreen>
#include <QString>
#include <QStringList>

#include "gui/qt_text.h"

namespace tarnwick {

std::u16string GeometryText(const QRect& geometry) {
  return FromQString(QStringLiteral("%1,%2,%3,%4")
                         .arg(geometry.x())
                         .arg(geometry.y())
                         .arg(geometry.width())
                         .arg(geometry.height()));
}

std::optional<QRect> ParseGeometry(std::u16string_view text) {
  const QStringList parts = ToQString(text).split(QLatin1Char(','));
  if (parts.size() != 4) return std::nullopt;
  int values[4];
  for (int i = 0; i < 4; ++i) {
    bool ok = false;
    values[i] = parts[i].trimmed().toInt(&ok);
    if (!ok) return std::nullopt;
  }
  if (values[2] <= 0 || values[3] <= 0) return std::nullopt;
  return QRect(values[0], values[1], values[2], values[3]);
}

std::optional<QRect> OnSomeScreen(const QRect& geometry) {
  // The strip a title bar takes above the client area must be reachable.
  const QRect titleBar(geometry.x(), geometry.y() - 24, geometry.width(), 24 + 16);
  for (QScreen* screen : QGuiApplication::screens()) {
    const QRect available = screen->availableGeometry();
    if (!available.intersects(titleBar)) continue;
    QRect fitted(geometry.topLeft(), geometry.size().boundedTo(available.size() - QSize(16, 48)));
    return fitted;
  }
  return std::nullopt;
}

}  // namespace tarnwick
