// Files dragged from the desktop arrive as URLs; the window works with local
// paths in the platform's own notation, in drop order. A name that is no
// UTF-8 (a Shift_JIS name unzipped from a Japanese archive) keeps its bytes
// for opening and is shown decoded.
#pragma once

#include <QStringList>
#include <vector>

#include "files/file_io.h"

class QMimeData;
class QUrl;

namespace tarnwick {

// True when the data holds at least one URL.
bool HoldsFiles(const QMimeData* data);
// The local file a URL names; an empty path for a URL that is no local file.
FilePath DroppedPath(const QUrl& url);
// One entry per URL, as DroppedPath gives it.
std::vector<FilePath> DroppedPaths(const QMimeData* data);
// Paths chosen in a file dialog, which hands them over as text.
std::vector<FilePath> ToPathList(const QStringList& paths);

}  // namespace tarnwick
