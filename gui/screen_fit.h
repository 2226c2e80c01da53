// Windows sized to the screen they open on: as large as they would like to
// be, but never beyond the screen's available area (at any scale factor),
// so that no button ends up off-screen.
#pragma once

#include <QSize>

class QWidget;

namespace tarnwick {

// Resizes `window` to `preferred`, bounded by the available area of its
// screen less room for the window frame, and keeps it on that area.
void FitToScreen(QWidget& window, QSize preferred);

}  // namespace tarnwick
