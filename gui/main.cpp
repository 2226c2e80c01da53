// The window's entry point.
#include <QApplication>

#include "app/settings.h"
#include "gui/japanese_font.h"
#include "gui/main_window.h"
#include "gui/qt_translation.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  tarnwick::UseJapaneseFont(app);
  tarnwick::UseJapaneseQtTexts(app);

  tarnwick::frmMain window;
  window.Initialize(
      tarnwick::SetIniPath(QApplication::applicationDirPath().toStdU16String(), u"Tarnwick.ini"));
  window.show();
  return app.exec();
}
