#include "gui/file_dialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

#include "gui/qt_text.h"

namespace tarnwick {

QStringList ChooseFiles(const GuiHooks& hooks, QWidget* parent, const FileDialogRequest& request) {
  QStringList chosen;
  if (hooks.fileDialog) {
    chosen = hooks.fileDialog(request);
  } else if (request.folderWanted) {
    const QString folder = QFileDialog::getExistingDirectory(parent, request.title, request.folder);
    if (!folder.isEmpty()) chosen << folder;
  } else if (request.many) {
    chosen = QFileDialog::getOpenFileNames(parent, request.title, request.folder, request.filter);
  } else {
    const QString file =
        QFileDialog::getOpenFileName(parent, request.title, request.folder, request.filter);
    if (!file.isEmpty()) chosen << file;
  }
  for (QString& path : chosen) path = QDir::toNativeSeparators(path);
  return chosen;
}

bool AskYesNo(const GuiHooks& hooks, QWidget* parent, const QString& question, const QString& yes,
              const QString& no) {
  if (hooks.confirm) return hooks.confirm(FromQString(question));
  QMessageBox box(QMessageBox::Question, ToQString(kProgramTitle), question,
                  QMessageBox::Yes | QMessageBox::No, parent);
  box.setDefaultButton(QMessageBox::No);
  box.button(QMessageBox::Yes)->setText(yes);
  box.button(QMessageBox::No)->setText(no);
  box.setWindowModality(Qt::ApplicationModal);
  return box.exec() == QMessageBox::Yes;
}

}  // namespace tarnwick
