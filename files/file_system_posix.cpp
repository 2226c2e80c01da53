// POSIX: hidden means a name starting with "."; a file is its device and inode;
// listing is the standard library's.
#include <sys/stat.h>

#include <system_error>

#include "files/file_error.h"
#include "files/file_system.h"

namespace tarnwick {

bool IsHiddenFile(const std::filesystem::path& path) {
  const std::string name = path.filename().native();
  return !name.empty() && name.front() == '.';
}

std::optional<FileId> NativeFileId(const std::filesystem::path& path) {
  struct stat info {};
  if (path.empty() || ::stat(path.c_str(), &info) != 0) return std::nullopt;
  return FileId{static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino)};
}

NativeKind NativeKindOf(const std::filesystem::path& path) {
  struct stat info {};
  if (path.empty() || ::stat(path.c_str(), &info) != 0) return NativeKind::Missing;
  if (S_ISDIR(info.st_mode)) return NativeKind::Folder;
  return S_ISREG(info.st_mode) ? NativeKind::RegularFile : NativeKind::Other;
}

std::vector<FilePath> ListRegularFiles(std::u16string_view folder,
                                       const std::function<bool(std::u16string_view)>& wanted) {
  namespace fs = std::filesystem;
  std::vector<FilePath> names;
  std::error_code ec;
  fs::directory_iterator it(NativePath(folder), ec);
  if (ec) ThrowFileError(ec, folder);
  const fs::directory_iterator end;
  while (it != end) {
    fs::path native = it->path().filename();
    std::u16string name = PathText(native);
    std::error_code typeEc;
    // Regular files only: folders, devices and broken links are skipped.
    if (wanted(name) && it->is_regular_file(typeEc) && !IsHiddenFile(it->path())) {
      names.push_back({std::move(native), std::move(name)});
    }
    it.increment(ec);
    if (ec) ThrowFileError(ec, folder);
  }
  return names;
}

}  // namespace tarnwick
