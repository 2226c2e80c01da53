// POSIX file I/O: descriptors, and paths as bytes.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>

#include "base/error.h"
#include "base/stop_request.h"
#include "files/file_error.h"
#include "files/file_io.h"
#include "files/posix_file_tools.h"
#include "text/cp932.h"
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
  int Release() { return std::exchange(fd_, -1); }
  int Close() {
    const int result = ::close(fd_);
    fd_ = -1;
    return result;
  }

 private:
  int fd_;
};

}  // namespace

FileFailure SystemFileFailure(int code) {
  if (code == EDQUOT) return FileFailure::DiskFull;
  return FileFailureOf(std::error_code(code, std::generic_category()));
}

std::u16string SystemErrorText(int code) {
  return FromUtf8(std::strerror(code));
}

std::filesystem::path NativePath(std::u16string_view path) {
  return std::filesystem::path(ToUtf8(path));
}

namespace {

std::u16string NameText(std::string_view bytes) {
  std::u16string text = FromUtf8(bytes);
  if (ToUtf8(text) == bytes) return text;
  // Not UTF-8: a name from a Japanese archive is most likely code page 932.
  std::u16string cp932 = DecodeCp932(bytes);
  if (cp932.find(u'\uFFFD') == std::u16string::npos) return cp932;
  return text;
}

}  // namespace

std::u16string PathText(const std::filesystem::path& path) {
  const std::string_view bytes = path.native();
  std::u16string text = FromUtf8(bytes);
  if (ToUtf8(text) == bytes) return text;
  // Name by name: a Shift_JIS name unzipped into a UTF-8 folder shows both.
  // "/" is never part of a multi-byte character in either encoding.
  text.clear();
  for (std::size_t start = 0;;) {
    const std::size_t slash = bytes.find('/', start);
    text += NameText(bytes.substr(start, slash - start));
    if (slash == std::string_view::npos) break;
    text += u'/';
    start = slash + 1;
  }
  return text;
}

FilePath FilePathOfBytes(std::string_view bytes) {
  std::filesystem::path native{std::string(bytes)};
  std::u16string text = PathText(native);
  return {std::move(native), std::move(text)};
}

FileReader::FileReader(const FilePath& path, std::size_t limit) : text_(path.text) {
  // Non-blocking, so that opening a FIFO cannot wait for a writer.
  FileDescriptor file(::open(path.native.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
  if (file.Get() < 0) ThrowErrno(errno, text_);
  struct stat info {};
  if (::fstat(file.Get(), &info) != 0) ThrowErrno(errno, text_);
  if (S_ISDIR(info.st_mode)) ThrowFileError(FileFailure::IsFolder, text_);
  if (!S_ISREG(info.st_mode)) ThrowFileError(FileFailure::NotRegular, text_);
  size_ = static_cast<std::size_t>(info.st_size);
  if (size_ > limit) ThrowFileError(FileFailure::TooLarge, text_);
  handle_ = file.Release();
  opened_ = CurrentStamp();
}

namespace {

std::int64_t Nanoseconds(const struct timespec& time) {
  return static_cast<std::int64_t>(time.tv_sec) * 1'000'000'000 + time.tv_nsec;
}

}  // namespace

FileReader::Stamp FileReader::CurrentStamp() const {
  struct stat info {};
  if (::fstat(static_cast<int>(handle_), &info) != 0) ThrowErrno(errno, text_);
  return {static_cast<std::uint64_t>(info.st_size), Nanoseconds(info.st_mtim)};
}

FileReader::~FileReader() {
  ::close(static_cast<int>(handle_));
}

std::size_t FileReader::Read(char* into, std::size_t room) {
  ThrowIfStopRequested();
  const std::size_t wanted = std::min(room, size_ - read_);
  if (wanted == 0) {
    CheckUnchanged();
    return 0;
  }
  for (;;) {
    const ssize_t got = ::read(static_cast<int>(handle_), into, wanted);
    if (got > 0) {
      read_ += static_cast<std::size_t>(got);
      // Checked with the last piece, so a caller that stops at Size() is covered.
      if (read_ == size_) CheckUnchanged();
      return static_cast<std::size_t>(got);
    }
    // The end before the size it had when opened: cut short meanwhile.
    if (got == 0) ThrowFileError(FileFailure::ChangedWhileRead, text_);
    if (errno != EINTR) ThrowErrno(errno, text_);
  }
}

void WriteFileBytes(std::u16string_view path, std::string_view bytes) {
  const std::string native = ToUtf8(path);
  // Overwrite in place and cut to length afterwards: truncating to zero first
  // makes ext4 flush the file on close, which costs milliseconds per page and
  // the summary page is rewritten after every report.
  FileDescriptor file(::open(native.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666));
  if (file.Get() < 0) ThrowErrno(errno, path);
  std::size_t written = 0;
  while (written < bytes.size()) {
    const ssize_t put = ::write(file.Get(), bytes.data() + written, bytes.size() - written);
    if (put < 0) {
      if (errno == EINTR) continue;
      const int error = errno;
      // Leave only what was written, as a truncating writer would.
      (void)::ftruncate(file.Get(), static_cast<off_t>(written));
      ThrowErrno(error, path);
    }
    written += static_cast<std::size_t>(put);
  }
  if (::ftruncate(file.Get(), static_cast<off_t>(bytes.size())) != 0) ThrowErrno(errno, path);
  if (file.Close() != 0) ThrowErrno(errno, path);
}

}  // namespace tarnwick
