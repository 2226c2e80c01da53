// Replacing a file on POSIX: a temporary file beside it, then an exchange of
// the two names (or a rename) in one step.
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <map>
#include <unordered_set>

#include "files/file_io.h"
#include "files/posix_file_tools.h"
#include "files/replace_file.h"

namespace tarnwick {

namespace {

// Keeps "." + name + ".12345678.tmp" within the 255 bytes a name may have.
constexpr std::size_t kNameBytesKept = 200;

// The name part of a native path, cut to `limit` bytes at a character start.
std::string ShortName(std::string_view name, std::size_t limit) {
  if (name.size() <= limit) return std::string(name);
  std::size_t cut = limit;
  while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80) --cut;
  return std::string(name.substr(0, cut));
}

// Puts `from` in place of `to`. Replacing by rename makes ext4 write the new
// file out at once (its guard for files replaced this way), which costs
// milliseconds each time the summary page is rewritten. Exchanging the two
// names and then removing the old file avoids that, and a reader of `to`
// still sees one whole file or the other. Where the exchange is not
// available (another system, a file system without it), rename does it.
int ReplacePath(const std::filesystem::path& fromPath, const std::filesystem::path& toPath) {
  const char* const from = fromPath.c_str();
  const char* const to = toPath.c_str();
#ifdef RENAME_EXCHANGE
  struct stat old {};
  if (::lstat(to, &old) == 0 && !S_ISDIR(old.st_mode) &&
      ::renameat2(AT_FDCWD, from, AT_FDCWD, to, RENAME_EXCHANGE) == 0) {
    if (::unlink(from) == 0) return 0;
    const int error = errno;
    // A folder swapped in meanwhile: put it back rather than leave it renamed.
    if (error == EISDIR && ::renameat2(AT_FDCWD, from, AT_FDCWD, to, RENAME_EXCHANGE) == 0) {
      return EISDIR;
    }
    return 0;  // the page is in place; only the old file's removal failed
  }
#endif
  return ::rename(from, to) == 0 ? 0 : errno;
}

// The name kept in a temporary name, or nothing for another name:
// "." + name + "." + 8 hex digits + ".tmp".
std::string_view KeptNameOf(std::string_view entry) {
  constexpr std::size_t kTail = 1 + 8 + 4;  // ".12345678.tmp"
  if (entry.size() < 1 + 1 + kTail || entry.front() != '.' || !entry.ends_with(".tmp")) return {};
  const std::string_view digits = entry.substr(entry.size() - 12, 8);
  if (entry[entry.size() - kTail] != '.') return {};
  for (const char c : digits) {
    if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return {};
  }
  return entry.substr(1, entry.size() - 1 - kTail);
}

// A file just made may not be held yet: only older ones can be stale.
constexpr std::time_t kStaleAfterSeconds = 2;

void RemoveIfStale(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) return;
  struct stat info {};
  if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) &&
      info.st_mtime + kStaleAfterSeconds < std::time(nullptr) &&
      ::flock(fd, LOCK_EX | LOCK_NB) == 0) {
    ::unlink(path.c_str());
  }
  ::close(fd);
}

}  // namespace

void RemoveStaleReplacements(const std::vector<std::u16string>& paths) {
  std::map<std::string, std::unordered_set<std::string>> keptNames;  // by folder
  for (const std::u16string& path : paths) {
    const std::string native = NativePath(path).native();
    const std::size_t slash = native.rfind('/');
    const std::string folder = slash == std::string::npos ? "./" : native.substr(0, slash + 1);
    keptNames[folder].insert(ShortName(std::string_view(native).substr(slash + 1), kNameBytesKept));
  }
  for (const auto& [folder, names] : keptNames) {
    DIR* const listing = ::opendir(folder.c_str());
    if (listing == nullptr) continue;
    while (const dirent* entry = ::readdir(listing)) {
      const std::string_view kept = KeptNameOf(entry->d_name);
      if (!kept.empty() && names.contains(std::string(kept))) {
        RemoveIfStale(folder + entry->d_name);
      }
    }
    ::closedir(listing);
  }
}

FileReplacement::FileReplacement(std::u16string path)
    : path_(std::move(path)), native_(NativePath(path_)) {
  const std::string& final = native_.native();
  const std::size_t slash = final.rfind('/');
  const std::string folder = slash == std::string::npos ? "" : final.substr(0, slash + 1);
  const std::string_view name = std::string_view(final).substr(folder.size());
  // Hidden, so that no listing of reports takes it up.
  const std::string stem = folder + "." + ShortName(name, kNameBytesKept) + ".";
  FreshFile temporary = CreateFreshFile(stem, O_WRONLY, 0666);
  if (temporary.fd < 0) ThrowErrno(errno, path_);
  handle_ = temporary.fd;
  temporary_ = std::move(temporary.name);
  // Held while it lives: a file no one holds is one a killed run left.
  (void)::flock(temporary.fd, LOCK_EX | LOCK_NB);
  // A page written before keeps its permissions.
  struct stat old {};
  if (::lstat(final.c_str(), &old) == 0 && S_ISREG(old.st_mode)) {
    (void)::fchmod(static_cast<int>(handle_), old.st_mode & 07777);
  }
}

FileReplacement::~FileReplacement() {
  Discard();
}

void FileReplacement::Write(std::string_view bytes) {
  if (handle_ < 0) ThrowErrno(EBADF, path_);
  while (!bytes.empty()) {
    const ssize_t put = ::write(static_cast<int>(handle_), bytes.data(), bytes.size());
    if (put < 0) {
      if (errno == EINTR) continue;
      const int error = errno;
      const std::u16string leftover = Discard();
      ThrowFileError(std::error_code(error, std::system_category()), path_, leftover);
    }
    bytes.remove_prefix(static_cast<std::size_t>(put));
  }
}

void FileReplacement::Commit() {
  if (handle_ < 0) ThrowErrno(EBADF, path_);
  const int closed = ::close(static_cast<int>(handle_));
  handle_ = -1;
  int error = closed == 0 ? 0 : errno;
  if (error == 0) error = ReplacePath(temporary_, native_);
  if (error != 0) {
    const std::u16string leftover = Discard();
    ThrowFileError(std::error_code(error, std::system_category()), path_, leftover);
  }
  temporary_.clear();
}

std::u16string FileReplacement::Discard() {
  if (handle_ >= 0) {
    ::close(static_cast<int>(handle_));
    handle_ = -1;
  }
  std::u16string leftover;
  if (!temporary_.empty()) {
    if (::unlink(temporary_.c_str()) != 0 && errno != ENOENT) leftover = PathText(temporary_);
    temporary_.clear();
  }
  return leftover;
}

}  // namespace tarnwick
