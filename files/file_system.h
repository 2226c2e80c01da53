// The few file-system questions the runs ask: is this a folder, is this a
// plain file, which plain files of a folder match a pattern. A plain file is
// a regular file that is not hidden (on POSIX: its name starts with "."; on
// Windows: it has the hidden or system attribute); patterns know only "*"
// and "?" and match names ignoring letter case. Listing failures throw
// tarnwick::Error with the description of file_error.h.
#pragma once

#include <compare>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "files/file_io.h"

namespace tarnwick {

// True when `path` names an existing directory (links followed).
bool IsFolder(std::u16string_view path);
// True when `path` names an existing regular file that is not hidden.
bool IsPlainFile(std::u16string_view path);

// "*" matches any run (also empty), "?" one code unit; everything else
// matches itself ignoring case. "*.*" thus needs a dot in the name.
bool MatchFilePattern(std::u16string_view pattern, std::u16string_view name);

// The names (as listed, without folder) of the plain files in `folder` that
// match `pattern`, in ordinal order of their texts. Each keeps its native
// spelling for opening; the pattern is matched against the text. A pattern
// holding a folder separator matches nothing.
std::vector<FilePath> ListPlainFiles(std::u16string_view folder, std::u16string_view pattern);

// Identifies an existing file however its path is spelled (links, "..",
// letter case on a folding file system).
struct FileId {
  std::uint64_t device = 0;
  std::uint64_t inode = 0;
  auto operator<=>(const FileId&) const = default;
};
// Nothing when the path does not name an existing file.
std::optional<FileId> FileIdOf(std::u16string_view path);
// The same for a native path; per platform.
std::optional<FileId> NativeFileId(const std::filesystem::path& path);

// Per platform: whether an existing file counts as hidden.
bool IsHiddenFile(const std::filesystem::path& path);

// What a native path names, links followed.
enum class NativeKind { Missing, Folder, RegularFile, Other };
// Per platform.
NativeKind NativeKindOf(const std::filesystem::path& path);

// Per platform: the regular files of `folder` (links followed) that are not
// hidden and whose name text `wanted` accepts, unsorted. Every such file is
// listed, whatever its name. Throws when the folder cannot be listed.
std::vector<FilePath> ListRegularFiles(std::u16string_view folder,
                                       const std::function<bool(std::u16string_view)>& wanted);

}  // namespace tarnwick
