// What the POSIX file seams share: the file error of an errno, and a file
// made under a name that was free. Included by *_posix.cpp files only.
#pragma once

#include <fcntl.h>
#include <sys/types.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <system_error>

#include "files/file_error.h"

namespace tarnwick {

[[noreturn]] inline void ThrowErrno(int errorNumber, std::u16string_view path) {
  ThrowFileError(std::error_code(errorNumber, std::system_category()), path);
}

struct FreshFile {
  int fd = -1;  // -1 with errno set when no file could be made
  std::string name;
};

// Opens a file that did not exist, named `stem` + 8 hex digits + ".tmp", with
// `flags` (O_CREAT | O_EXCL added) and `mode`. Names need not be
// unpredictable, only free: O_EXCL refuses a taken one.
inline FreshFile CreateFreshFile(const std::string& stem, int flags, mode_t mode) {
  std::uint64_t seed = static_cast<std::uint64_t>(
      std::chrono::steady_clock::now().time_since_epoch().count() ^ ::getpid());
  for (int attempt = 0;; ++attempt) {
    seed = seed * 6364136223846793005ull + 1442695040888963407ull;
    char suffix[16];
    std::snprintf(suffix, sizeof suffix, "%08x", static_cast<unsigned>(seed >> 32));
    std::string candidate = stem + suffix + ".tmp";
    const int fd = ::open(candidate.c_str(), flags | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, mode);
    if (fd >= 0) return {fd, std::move(candidate)};
    if (errno != EEXIST || attempt == 100) return {};
  }
}

}  // namespace tarnwick
