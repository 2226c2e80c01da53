#include "gui/qt_translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QPointer>
#include <QTranslator>

namespace tarnwick {
namespace {

// Owned by the application, so that they live as long as the texts are used.
QPointer<QTranslator> installedOwn;
QPointer<QTranslator> installedQt;

void Remove(QPointer<QTranslator>& translator) {
  if (!translator) return;
  QCoreApplication::removeTranslator(translator);
  delete translator;
}

bool Install(QPointer<QTranslator>& slot, const QString& name, const QString& folder) {
  auto* translator = new QTranslator(QCoreApplication::instance());
  if (!translator->load(name, folder) || !QCoreApplication::installTranslator(translator)) {
    delete translator;
    return false;
  }
  slot = translator;
  return true;
}

}  // namespace

bool UseWindowLanguage(UiLanguage language) {
  Remove(installedOwn);
  Remove(installedQt);
  if (language == UiLanguage::English) {
    return Install(installedOwn, QStringLiteral("tarnwick_en"), QStringLiteral(":/i18n"));
  }
  return Install(installedQt, QStringLiteral("qtbase_ja"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

}  // namespace tarnwick
