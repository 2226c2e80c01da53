#include "gui/qt_translation.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace tarnwick {

bool UseJapaneseQtTexts(QApplication& app) {
  // Owned by the application, so it lives as long as the texts are used.
  auto* translator = new QTranslator(&app);
  if (!translator->load(QStringLiteral("qtbase_ja"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    delete translator;
    return false;
  }
  return QApplication::installTranslator(translator);
}

}  // namespace tarnwick
