#include "files/file_system.h"

#include <algorithm>
#include <system_error>

#include "files/file_error.h"
#include "files/paths.h"
#include "text/upper_case.h"

namespace tarnwick {

namespace fs = std::filesystem;

bool IsFolder(std::u16string_view path) {
  if (path.empty()) return false;
  std::error_code ec;
  return fs::is_directory(NativePath(path), ec);
}

bool IsPlainFile(std::u16string_view path) {
  if (path.empty()) return false;
  const fs::path native = NativePath(path);
  std::error_code ec;
  return fs::is_regular_file(native, ec) && !IsHiddenFile(native);
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

std::vector<FilePath> ListPlainFiles(std::u16string_view folder, std::u16string_view pattern) {
  std::vector<FilePath> names;
  if (pattern.find(NativeSeparator()) != std::u16string_view::npos) {
    return names;
  }
  std::error_code ec;
  fs::directory_iterator it(NativePath(folder), ec);
  if (ec) ThrowFileError(ec, folder);
  const fs::directory_iterator end;
  while (it != end) {
    fs::path native = it->path().filename();
    std::u16string name = PathText(native);
    std::error_code typeEc;
    // Regular files only: folders, devices and broken links are skipped.
    if (MatchFilePattern(pattern, name) && it->is_regular_file(typeEc) &&
        !IsHiddenFile(it->path())) {
      names.push_back({std::move(native), std::move(name)});
    }
    it.increment(ec);
    if (ec) ThrowFileError(ec, folder);
  }
  std::sort(names.begin(), names.end(),
            [](const FilePath& a, const FilePath& b) { return a.text < b.text; });
  return names;
}

std::optional<FileId> FileIdOf(std::u16string_view path) {
  if (path.empty()) return std::nullopt;
  return NativeFileId(NativePath(path));
}

}  // namespace tarnwick
