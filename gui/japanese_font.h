// Picks an installed font that holds Japanese glyphs, so that captions render
// the same on a fresh machine as on a developer's desktop.
#pragma once

class QApplication;

namespace tarnwick {

// Sets the application font to the first Japanese family found; keeps the
// platform's choice when none is installed. Returns whether one was found.
bool UseJapaneseFont(QApplication& app);

}  // namespace tarnwick
