// tarnwick-screenshots FOLDER: pictures of the windows for documentation and
// review (tools/screenshots.sh). A tool beside the window, never shipped
// with it.
#include <QApplication>
#include <QStringList>
#include <cstdio>

#include "gui/japanese_font.h"
#include "gui/qt_translation.h"
#include "gui/screenshots.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  tarnwick::UseJapaneseFont(app);
  tarnwick::UseWindowLanguage(tarnwick::UiLanguage::Japanese);

  const QStringList arguments = QApplication::arguments();
  const bool english = arguments.size() == 3 && arguments[2] == QLatin1String("EN");
  if (arguments.size() != 2 && !english) {
    std::fputs("usage: tarnwick-screenshots FOLDER [EN]\n", stderr);
    return 64;
  }
  return tarnwick::TakeScreenshots(
             arguments[1], english ? tarnwick::UiLanguage::English : tarnwick::UiLanguage::Japanese)
             ? 0
             : 1;
}
