#include "app/drops.h"

#include "files/file_io.h"
#include "files/file_system.h"

namespace tarnwick {
namespace {

struct Parts {
  std::u16string folder;
  std::u16string name;
  std::u16string extension;
};

Parts Split(std::u16string_view path, PathFlavour flavour) {
  Parts parts;
  SplitPath(path, parts.folder, parts.name, parts.extension, flavour);
  return parts;
}

// The folder of a dropped file: its text as split, its native spelling the
// parent of the file's, so that a folder named in bytes is found too.
FilePath FolderOf(const FilePath& file, std::u16string_view folderText) {
  return {file.native.parent_path(), std::u16string(folderText)};
}

}  // namespace

PathKind QueryPathKind(const FilePath& path) {
  switch (NativeKindOf(path.native)) {
    case NativeKind::Missing:
      return PathKind::Missing;
    case NativeKind::Folder:
      return PathKind::Folder;
    case NativeKind::RegularFile:
    case NativeKind::Other:
      break;
  }
  return PathKind::File;
}

std::optional<std::u16string> DropOnFolderBox(const std::vector<FilePath>& paths,
                                              const PathKindQuery& query, PathFlavour flavour) {
  if (paths.empty() || paths.front().text.empty()) return std::nullopt;
  const FilePath& path = paths.front();
  switch (query(path)) {
    case PathKind::Missing:
      return std::nullopt;
    case PathKind::Folder:
      return WithTrailingSeparator(path.text, flavour);
    case PathKind::File:
      break;
  }
  const Parts parts = Split(path.text, flavour);
  if (parts.folder.empty() || query(FolderOf(path, parts.folder)) != PathKind::Folder) {
    return std::nullopt;
  }
  return WithTrailingSeparator(parts.folder, flavour);
}

FileBoxTexts DropOnFileBox(const std::vector<FilePath>& paths, FileBoxTexts boxes,
                           const PathKindQuery& query, PathFlavour flavour) {
  boxes.otherFolder = false;
  bool first = true;
  for (const FilePath& path : paths) {
    if (path.text.empty()) continue;
    const PathKind kind = query(path);
    if (kind == PathKind::Missing) break;
    if (kind == PathKind::Folder) {
      first = false;
      continue;
    }
    const Parts parts = Split(path.text, flavour);
    if (parts.folder.empty()) break;  // no folder to check: as for a vanished path
    const PathKind folderKind = query(FolderOf(path, parts.folder));
    if (folderKind == PathKind::Missing) break;
    if (folderKind != PathKind::Folder) {
      first = false;
      continue;
    }
    const std::u16string folder = WithTrailingSeparator(parts.folder, flavour);
    if (first) {
      boxes.folder = folder;
    } else if (folder != boxes.folder) {
      boxes.otherFolder = true;
      break;
    }
    const std::u16string fileName =
        parts.extension.empty() ? parts.name : parts.name + u"." + parts.extension;
    boxes.files = first ? fileName : boxes.files + u";" + fileName;
    first = false;
  }
  return boxes;
}

}  // namespace tarnwick
