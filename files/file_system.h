// The few file-system questions the runs ask: is this a folder, is this a
// plain file, which plain files of a folder match a pattern. A plain file is
// a regular file whose name does not start with "." (hidden); patterns know
// only "*" and "?" and match names ignoring letter case. Listing failures
// throw tarnwick::Error with the system's description.
#pragma once

#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick {

// True when `path` names an existing directory (links followed).
bool IsFolder(std::u16string_view path);
// True when `path` names an existing regular file that is not hidden.
bool IsPlainFile(std::u16string_view path);

// "*" matches any run (also empty), "?" one code unit; everything else
// matches itself ignoring case. "*.*" thus needs a dot in the name.
bool MatchFilePattern(std::u16string_view pattern, std::u16string_view name);

// The names (as listed, without folder) of the plain files in `folder` that
// match `pattern`, in ordinal order of the names. A pattern holding a folder
// separator matches nothing.
std::vector<std::u16string> ListPlainFiles(std::u16string_view folder, std::u16string_view pattern);

// Identifies an existing file however its path is spelled (links, "..",
// letter case on a folding file system).
struct FileId {
  std::uint64_t device = 0;
  std::uint64_t inode = 0;
  auto operator<=>(const FileId&) const = default;
};
// Nothing when the path does not name an existing file.
std::optional<FileId> FileIdOf(std::u16string_view path);

}  // namespace tarnwick
