// Files dragged from the desktop arrive as URLs; the window works with local
// paths in the platform's own notation, in drop order.
#pragma once

#include <QStringList>
#include <string>
#include <vector>

class QMimeData;

namespace tarnwick {

// True when the data holds at least one URL.
bool HoldsFiles(const QMimeData* data);
// One entry per URL: its local path, or empty for a URL that is no local file.
QStringList DroppedPaths(const QMimeData* data);
std::vector<std::u16string> ToPathList(const QStringList& paths);

}  // namespace tarnwick
