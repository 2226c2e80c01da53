// The window's place and size as the settings file keeps them
// (WINDOW_GEOMETRY, "x,y,width,height" of the window without its frame, as
// QWidget::normalGeometry gives it).
#pragma once

#include <QRect>
#include <optional>
#include <string>
#include <string_view>

namespace tarnwick {

std::u16string GeometryText(const QRect& geometry);
// Nothing for a text that is no four integers or an empty size.
std::optional<QRect> ParseGeometry(std::u16string_view text);
// `geometry` when its title bar shows on one of the screens (a monitor
// unplugged since, a changed layout), shrunk to that screen's available
// area; nothing when it shows on none.
std::optional<QRect> OnSomeScreen(const QRect& geometry);

}  // namespace tarnwick
