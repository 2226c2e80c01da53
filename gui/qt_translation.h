// Qt's own texts (the text boxes' context menu, the standard dialogs) in
// Japanese, from the translation that Qt installs beside itself.
#pragma once

class QApplication;

namespace tarnwick {

// Installs Qt's Japanese translation; false when it is not installed, and
// the window then starts with Qt's English texts.
bool UseJapaneseQtTexts(QApplication& app);

}  // namespace tarnwick
