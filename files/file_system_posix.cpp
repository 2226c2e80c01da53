// POSIX: hidden means a name starting with "."; a file is its device and inode.
#include <sys/stat.h>

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

}  // namespace tarnwick
