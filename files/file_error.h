// The description of a failed file operation. The common failures read in
// Japanese (missing, no permission, a folder, disk full, read-only file
// system, not a regular file, too large, a name too long or not allowed, a
// file in use, ...); any other keeps the system's own words. The path
// follows after ": ", so that the message says which file it was.
#pragma once

#include <string>
#include <string_view>
#include <system_error>

namespace tarnwick {

enum class FileFailure {
  Missing,
  NoPermission,
  IsFolder,
  DiskFull,
  ReadOnly,
  NotRegular,
  TooLarge,
  NameTooLong,
  InvalidName,
  NotFolder,    // a folder of the path is a file
  LinkLoop,     // too many symbolic links
  InUse,        // busy, or locked by another program
  TooManyOpen,  // the process or the system is out of file handles
  Exists,
  InputOutput,  // the device failed
  ChangedWhileRead,
  Other,
};

// The Japanese text of a common failure; empty for Other.
std::u16string_view FileFailureText(FileFailure failure);

// A failure told by errno values (std::generic_category) or by the system's
// own codes (std::system_category: errno on POSIX, GetLastError on Windows).
FileFailure FileFailureOf(const std::error_code& error);

std::u16string FileErrorDescription(const std::error_code& error, std::u16string_view path);
[[noreturn]] void ThrowFileError(const std::error_code& error, std::u16string_view path);
[[noreturn]] void ThrowFileError(FileFailure failure, std::u16string_view path);
// The same for a failure that left a temporary file behind, which could not
// be removed (a folder made read-only meanwhile): the description names it,
// so that the user can remove it. An empty `leftover` adds nothing.
[[noreturn]] void ThrowFileError(const std::error_code& error, std::u16string_view path,
                                 std::u16string_view leftover);
[[noreturn]] void ThrowFileError(FileFailure failure, std::u16string_view path,
                                 std::u16string_view leftover);

// Implemented per platform: a system code as a failure, and the system's
// own words for it.
FileFailure SystemFileFailure(int code);
std::u16string SystemErrorText(int code);

}  // namespace tarnwick
