#include "files/file_system.h"

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "files/paths.h"
#include "base/error.h"
#include "files/file_io.h"
#include "text/upper_case.h"
#include "text/utf8.h"

namespace tarnwick {

namespace fs = std::filesystem;

namespace {

bool IsHiddenName(std::u16string_view name) {
  return !name.empty() && name.front() == u'.';
}

[[noreturn]] void ThrowListingError(std::u16string_view folder, const std::error_code& ec) {
  throw Error(kFileErrorNumber, FromUtf8(ec.message()) + u" (" + std::u16string(folder) + u")");
}

}  // namespace

bool IsFolder(std::u16string_view path) {
  if (path.empty()) return false;
  std::error_code ec;
  return fs::is_directory(NativePath(path), ec);
}

bool IsPlainFile(std::u16string_view path) {
  if (path.empty()) return false;
  const fs::path native = NativePath(path);
  std::error_code ec;
  if (!fs::is_regular_file(native, ec)) return false;
  return !IsHiddenName(PathText(native.filename()));
}

bool MatchFilePattern(std::u16string_view pattern, std::u16string_view name) {
  // Greedy match with one backtrack point: the last "*" seen. Time is bounded
  // by pattern length times name length.
  std::size_t p = 0;
  std::size_t n = 0;
  std::size_t starP = std::u16string_view::npos;
  std::size_t starN = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == u'*') {
      starP = p++;
      starN = n;
    } else if (p < pattern.size() &&
               (pattern[p] == u'?' || UpperCase(pattern[p]) == UpperCase(name[n]))) {
      ++p;
      ++n;
    } else if (starP != std::u16string_view::npos) {
      p = starP + 1;
      n = ++starN;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == u'*') ++p;
  return p == pattern.size();
}

std::vector<std::u16string> ListPlainFiles(std::u16string_view folder,
                                           std::u16string_view pattern) {
  std::vector<std::u16string> names;
  if (pattern.find(NativeSeparator()) != std::u16string_view::npos) {
    return names;
  }
  std::error_code ec;
  fs::directory_iterator it(NativePath(folder), ec);
  if (ec) ThrowListingError(folder, ec);
  const fs::directory_iterator end;
  while (it != end) {
    std::u16string name = PathText(it->path().filename());
    std::error_code typeEc;
    // Regular files only: folders, devices and broken links are skipped.
    if (!IsHiddenName(name) && MatchFilePattern(pattern, name) && it->is_regular_file(typeEc)) {
      names.push_back(std::move(name));
    }
    it.increment(ec);
    if (ec) ThrowListingError(folder, ec);
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::optional<FileId> FileIdOf(std::u16string_view path) {
  if (path.empty()) return std::nullopt;
  struct stat info {};
  if (::stat(NativePath(path).c_str(), &info) != 0) return std::nullopt;
  return FileId{static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino)};
}

}  // namespace tarnwick
