#include "gui/file_drops.h"

#include <QDir>
#include <QMimeData>
#include <QUrl>

#include "gui/qt_text.h"

namespace tarnwick {

bool HoldsFiles(const QMimeData* data) {
  return data != nullptr && data->hasUrls();
}

FilePath DroppedPath(const QUrl& url) {
  if (!url.isLocalFile()) return {};
  // toLocalFile() turns bytes that are no UTF-8 into U+FFFD; the encoded
  // path still holds them, and they are what opens the file.
  QByteArray bytes = QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1());
  if (QString::fromUtf8(bytes).toUtf8() == bytes) {
    return FilePathOf(FromQString(QDir::toNativeSeparators(url.toLocalFile())));
  }
  if (!url.host().isEmpty()) bytes.prepend("//" + url.host(QUrl::FullyEncoded).toUtf8());
  return FilePathOfBytes(bytes.toStdString());
}

std::vector<FilePath> DroppedPaths(const QMimeData* data) {
  std::vector<FilePath> paths;
  if (data == nullptr) return paths;
  for (const QUrl& url : data->urls()) paths.push_back(DroppedPath(url));
  return paths;
}

std::vector<FilePath> ToPathList(const QStringList& paths) {
  std::vector<FilePath> list;
  list.reserve(static_cast<std::size_t>(paths.size()));
  for (const QString& path : paths) list.push_back(FilePathOf(FromQString(path)));
  return list;
}

}  // namespace tarnwick
