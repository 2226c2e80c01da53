#include "gui/file_drops.h"

#include <QDir>
#include <QMimeData>
#include <QUrl>

namespace tarnwick {

bool HoldsFiles(const QMimeData* data) {
  return data != nullptr && data->hasUrls();
}

QStringList DroppedPaths(const QMimeData* data) {
  QStringList paths;
  if (data == nullptr) return paths;
  for (const QUrl& url : data->urls()) {
    paths << (url.isLocalFile() ? QDir::toNativeSeparators(url.toLocalFile()) : QString());
  }
  return paths;
}

std::vector<std::u16string> ToPathList(const QStringList& paths) {
  std::vector<std::u16string> list;
  list.reserve(static_cast<std::size_t>(paths.size()));
  for (const QString& path : paths) list.push_back(path.toStdU16String());
  return list;
}

}  // namespace tarnwick
