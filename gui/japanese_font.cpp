#include "gui/japanese_font.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>

namespace tarnwick {

bool UseJapaneseFont(QApplication& app) {
  const QStringList families = QFontDatabase::families(QFontDatabase::Japanese);
  const QStringList preferred = {
      QStringLiteral("IPAPGothic"),       QStringLiteral("IPAGothic"),
      QStringLiteral("Noto Sans CJK JP"), QStringLiteral("Yu Gothic UI"),
      QStringLiteral("Meiryo UI"),        QStringLiteral("MS UI Gothic"),
  };
  for (const QString& family : preferred) {
    if (families.contains(family)) {
      QFont font = QApplication::font();
      font.setFamily(family);
      app.setFont(font);
      return true;
    }
  }
  if (families.isEmpty()) return false;
  QFont font = QApplication::font();
  font.setFamilies({QApplication::font().family(), families.front()});
  app.setFont(font);
  return true;
}

}  // namespace tarnwick
