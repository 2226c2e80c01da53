#include "files/file_system.h"

#include <algorithm>

#include "files/paths.h"
#include "text/upper_case.h"

namespace tarnwick {

namespace fs = std::filesystem;

bool IsFolder(std::u16string_view path) {
  if (path.empty()) return false;
  return NativeKindOf(NativePath(path)) == NativeKind::Folder;
}

bool IsPlainFile(std::u16string_view path) {
  if (path.empty()) return false;
  const fs::path native = NativePath(path);
  return NativeKindOf(native) == NativeKind::RegularFile && !IsHiddenFile(native);
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
  if (pattern.find(NativeSeparator()) != std::u16string_view::npos) return {};
  std::vector<FilePath> names = ListRegularFiles(
      folder, [pattern](std::u16string_view name) { return MatchFilePattern(pattern, name); });
  std::sort(names.begin(), names.end(),
            [](const FilePath& a, const FilePath& b) { return a.text < b.text; });
  return names;
}

std::optional<FileId> FileIdOf(std::u16string_view path) {
  if (path.empty()) return std::nullopt;
  return NativeFileId(NativePath(path));
}

}  // namespace tarnwick
