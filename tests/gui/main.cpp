// The window tests need one QApplication for the whole run; they run on the
// offscreen platform unless the environment names another.
#include <gtest/gtest.h>

#include <QApplication>

#include "gui/japanese_font.h"
#include "gui/qt_translation.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  tarnwick::UseJapaneseFont(app);
  tarnwick::UseWindowLanguage(tarnwick::UiLanguage::Japanese);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
