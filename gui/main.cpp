// The window's entry point.
#include <QApplication>
#include <QDir>
#include <QStandardPaths>

#include "app/settings.h"
#include "gui/japanese_font.h"
#include "gui/main_window.h"
#include "gui/qt_translation.h"
#include "gui/termination_signals.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  // From here on SIGTERM and SIGHUP close the window instead of ending the
  // program unsaved.
  tarnwick::TerminationSignals terminationSignals;
  tarnwick::UseJapaneseFont(app);
  // The window's language, Qt's texts included, comes with its settings.

  // The user's copy of the settings, for when the program's folder cannot be
  // written: %APPDATA%\Tarnwick on Windows, ~/.local/share/Tarnwick elsewhere.
  QApplication::setApplicationName(QStringLiteral("Tarnwick"));
  const QString userFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
  tarnwick::frmMain window;
  window.Initialize(tarnwick::SettingsHome{
      tarnwick::SetIniPath(QApplication::applicationDirPath().toStdU16String(), u"Tarnwick.ini"),
      userFolder.isEmpty()
          ? std::u16string()
          : tarnwick::SetIniPath(QDir::toNativeSeparators(userFolder).toStdU16String(),
                                 u"Tarnwick.ini")});
  terminationSignals.CloseOnSignal(window);
  window.show();
  return app.exec();
}
