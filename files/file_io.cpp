#include "files/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "base/error.h"
#include "text/utf8.h"

namespace tarnwick {

namespace {

// Closes the descriptor on every way out; Close() reports a failed close.
class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  int Get() const { return fd_; }
  int Close() {
    const int result = ::close(fd_);
    fd_ = -1;
    return result;
  }

 private:
  int fd_;
};

[[noreturn]] void ThrowFileError(int errorNumber, std::u16string_view path) {
  std::u16string description = FromUtf8(std::strerror(errorNumber));
  description += u": ";
  description += path;
  throw Error(kFileErrorNumber, std::move(description));
}

}  // namespace

std::filesystem::path NativePath(std::u16string_view path) {
  return std::filesystem::path(ToUtf8(path));
}

std::u16string PathText(const std::filesystem::path& path) { return FromUtf8(path.native()); }

std::string ReadFileBytes(std::u16string_view path) {
  const std::string native = ToUtf8(path);
  FileDescriptor file(::open(native.c_str(), O_RDONLY | O_CLOEXEC));
  if (file.Get() < 0) ThrowFileError(errno, path);
  struct stat info {};
  if (::fstat(file.Get(), &info) != 0) ThrowFileError(errno, path);
  if (S_ISDIR(info.st_mode)) ThrowFileError(EISDIR, path);

  std::string bytes;
  // The size is a hint only: a growing or special file is read to its end.
  bytes.resize(S_ISREG(info.st_mode) && info.st_size > 0 ? static_cast<std::size_t>(info.st_size) : 0);
  std::size_t filled = 0;
  char spill[4096];
  for (;;) {
    const bool room = filled < bytes.size();
    char* target = room ? bytes.data() + filled : spill;
    const std::size_t wanted = room ? bytes.size() - filled : sizeof spill;
    const ssize_t got = ::read(file.Get(), target, wanted);
    if (got < 0) {
      if (errno == EINTR) continue;
      ThrowFileError(errno, path);
    }
    if (got == 0) break;
    if (room) {
      filled += static_cast<std::size_t>(got);
    } else {
      bytes.append(spill, static_cast<std::size_t>(got));
      filled = bytes.size();
    }
  }
  bytes.resize(filled);
  return bytes;
}

void WriteFileBytes(std::u16string_view path, std::string_view bytes) {
  const std::string native = ToUtf8(path);
  // Overwrite in place and cut to length afterwards: truncating to zero first
  // makes ext4 flush the file on close, which costs milliseconds per page and
  // the summary page is rewritten after every report.
  FileDescriptor file(::open(native.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666));
  if (file.Get() < 0) ThrowFileError(errno, path);
  std::size_t written = 0;
  while (written < bytes.size()) {
    const ssize_t put = ::write(file.Get(), bytes.data() + written, bytes.size() - written);
    if (put < 0) {
      if (errno == EINTR) continue;
      const int error = errno;
      // Leave only what was written, as a truncating writer would.
      (void)::ftruncate(file.Get(), static_cast<off_t>(written));
      ThrowFileError(error, path);
    }
    written += static_cast<std::size_t>(put);
  }
  if (::ftruncate(file.Get(), static_cast<off_t>(bytes.size())) != 0) ThrowFileError(errno, path);
  if (file.Close() != 0) ThrowFileError(errno, path);
}

}  // namespace tarnwick
