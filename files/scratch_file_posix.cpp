// Scratch files on POSIX: O_TMPFILE where the system and the file system
// have it, else a hidden name unlinked at once.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <memory>
#include <system_error>

#include "files/file_io.h"
#include "files/posix_file_tools.h"
#include "files/scratch_file.h"

namespace tarnwick {

namespace {

constexpr std::size_t kDrainChunk = 256 * 1024;

// A descriptor for a file without a name in `folder`, or -1 with errno set.
int OpenNameless(const std::string& folder) {
  const std::string where = folder.empty() ? "." : folder;
#ifdef O_TMPFILE
  const int fd = ::open(where.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
  if (fd >= 0) return fd;
#endif
  // Hidden, and gone from the folder at once.
  const FreshFile named = CreateFreshFile(folder + ".scratch.", O_RDWR, 0600);
  if (named.fd >= 0) ::unlink(named.name.c_str());
  return named.fd;
}

}  // namespace

ScratchFile::ScratchFile(std::u16string path) : path_(std::move(path)) {
  const std::string native = NativePath(path_).native();
  const std::size_t slash = native.rfind('/');
  const int fd = OpenNameless(slash == std::string::npos ? "" : native.substr(0, slash + 1));
  if (fd < 0) ThrowErrno(errno, path_);
  handle_ = fd;
}

ScratchFile::~ScratchFile() {
  if (handle_ >= 0) ::close(static_cast<int>(handle_));
}

void ScratchFile::Write(std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t put = ::write(static_cast<int>(handle_), bytes.data(), bytes.size());
    if (put < 0) {
      if (errno == EINTR) continue;
      ThrowErrno(errno, path_);
    }
    bytes.remove_prefix(static_cast<std::size_t>(put));
  }
}

void ScratchFile::Drain(const std::function<void(std::string_view)>& take) {
  const int fd = static_cast<int>(handle_);
  const std::unique_ptr<char[]> buffer(new char[kDrainChunk]);
  for (off_t at = 0;;) {
    const ssize_t got = ::pread(fd, buffer.get(), kDrainChunk, at);
    if (got < 0) {
      if (errno == EINTR) continue;
      ThrowErrno(errno, path_);
    }
    if (got == 0) break;
    take(std::string_view(buffer.get(), static_cast<std::size_t>(got)));
    at += got;
  }
  if (::ftruncate(fd, 0) != 0 || ::lseek(fd, 0, SEEK_SET) != 0) ThrowErrno(errno, path_);
}

}  // namespace tarnwick
