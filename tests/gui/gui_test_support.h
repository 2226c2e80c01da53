// Shared by the window tests: a recorder for message boxes and hooks that
// keep every modal step from blocking, temporary folders, and code page 932
// files.
#pragma once

#include <QDir>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <ostream>
#include <string>
#include <vector>

#include "app/settings.h"
#include "files/file_io.h"
#include "gui/qt_window_ops.h"
#include "text/cp932.h"
#include "text/utf8.h"

// Failures show texts as text.
inline void PrintTo(const QString& text, std::ostream* out) {
  *out << '"' << text.toStdString() << '"';
}

namespace tarnwick {

// Failures show a settings record as the lines of its file.
inline void PrintTo(const Settings& settings, std::ostream* out) {
  *out << "\n"
       << ToUtf8(IniText(settings)) << "MODE is "
       << (settings.MODE == CompareMode::None ? "none" : "set") << "\n";
}

}  // namespace tarnwick

namespace tarnwick::testing {

struct ShownMessage {
  std::u16string text;
  MessageIcon icon;
  bool operator==(const ShownMessage&) const = default;
};

// Hooks that record messages, questions, viewer showings and opened
// results, and stand in for the file dialogs.
struct Recorder {
  std::vector<ShownMessage> messages;
  std::vector<std::u16string> questions;  // each answered `answer`
  bool answer = true;
  int structures = 0;
  std::vector<std::u16string> opened;
  std::vector<FileDialogRequest> dialogs;  // each answered with `chosen`
  QStringList chosen;

  GuiHooks Hooks() {
    GuiHooks hooks;
    hooks.message = [this](std::u16string_view text, MessageIcon icon) {
      messages.push_back({std::u16string(text), icon});
    };
    hooks.structure = [this](const Collection&) { ++structures; };
    hooks.openResult = [this](std::u16string_view path) { opened.emplace_back(path); };
    hooks.confirm = [this](std::u16string_view question) {
      questions.emplace_back(question);
      return answer;
    };
    hooks.fileDialog = [this](const FileDialogRequest& request) {
      dialogs.push_back(request);
      return chosen;
    };
    return hooks;
  }
};

// A caption as specified, without the mnemonic the window appends to it in
// the Japanese way: "終了(&X)" is "終了".
inline QString Specified(const QString& caption) {
  static const QRegularExpression mnemonic(QStringLiteral("\\(&[A-Z0-9]\\)$"));
  QString text = caption;
  return text.remove(mnemonic);
}

inline std::u16string U(const QString& text) {
  return text.toStdU16String();
}

// A path inside the folder, in the platform's notation.
inline std::u16string PathIn(const QTemporaryDir& dir, const QString& relative) {
  return U(QDir::toNativeSeparators(QDir(dir.path()).filePath(relative)));
}

inline std::u16string FolderOf(const QTemporaryDir& dir, const QString& relative = {}) {
  const QString path = relative.isEmpty() ? dir.path() : QDir(dir.path()).filePath(relative);
  return U(QDir::toNativeSeparators(path + QLatin1Char('/')));
}

inline void WriteCp932(const std::u16string& path, std::u16string_view text) {
  WriteFileBytes(path, EncodeCp932(text));
}

inline std::u16string ReadCp932(const std::u16string& path) {
  return DecodeCp932(ReadFileBytes(path));
}

}  // namespace tarnwick::testing
