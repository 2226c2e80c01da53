// The window's entry point. Besides the plain start it knows one option,
// --screenshots FOLDER, which writes pictures of the windows and ends.
#include <QApplication>
#include <QStringList>

#include "app/settings.h"
#include "gui/japanese_font.h"
#include "gui/main_window.h"
#include "gui/qt_translation.h"
#include "gui/screenshots.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  tarnwick::UseJapaneseFont(app);
  tarnwick::UseJapaneseQtTexts(app);

  const QStringList arguments = QApplication::arguments();
  const qsizetype shots = arguments.indexOf(QStringLiteral("--screenshots"));
  if (shots > 0 && shots + 1 < arguments.size()) {
    return tarnwick::TakeScreenshots(arguments[shots + 1]) ? 0 : 1;
  }

  tarnwick::frmMain window;
  window.Initialize(
      tarnwick::SetIniPath(QApplication::applicationDirPath().toStdU16String(), u"Tarnwick.ini"));
  window.show();
  return app.exec();
}
