// What a drop of files from the desktop does to the folder and file boxes of
// the main window, as pure functions over the boxes' current texts and a
// file-system query. A directory counts as a folder whatever its attributes;
// a path that does not exist ends the handling silently, keeping what the
// earlier paths of the drop did. Paths are asked about by their native
// spelling; the boxes get their texts.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "files/file_io.h"
#include "files/paths.h"

namespace tarnwick {

enum class PathKind { Missing, Folder, File };
using PathKindQuery = std::function<PathKind(const FilePath& path)>;

// Asks the real file system.
PathKind QueryPathKind(const FilePath& path);

// A drop on a folder box: the new text of the box, or nothing when the box
// stays as it is. Only the first path counts: a folder gives itself, a file
// its folder, each ending in the flavour's separator.
std::optional<std::u16string> DropOnFolderBox(const std::vector<FilePath>& paths,
                                              const PathKindQuery& query = QueryPathKind,
                                              PathFlavour flavour = NativePathFlavour());

struct FileBoxTexts {
  std::u16string folder;     // the paired folder box
  std::u16string files;      // the file box: one name, or names joined by ";"
  bool otherFolder = false;  // the drop stopped at a file of another folder
};

// A drop on a file box paired with a folder box. The first accepted file sets
// the folder box and replaces the file box; later ones of the same folder are
// appended after ";". Folders are skipped (and what follows them is appended).
FileBoxTexts DropOnFileBox(const std::vector<FilePath>& paths, FileBoxTexts boxes,
                           const PathKindQuery& query = QueryPathKind,
                           PathFlavour flavour = NativePathFlavour());

}  // namespace tarnwick
