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
  if (arguments.size() != 2) {
    std::fputs("usage: tarnwick-screenshots FOLDER\n", stderr);
    return 64;
  }
  return tarnwick::TakeScreenshots(arguments[1]) ? 0 : 1;
}
