// What the tests do differently per platform, one source file each
// (test_platform_posix.cpp, test_platform_windows.cpp): running a program
// built beside the tests, and hiding a file.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick::testing {

struct ProcessResult {
  int status = -1;  // the exit status; -1 when the process did not exit normally
  int signal = 0;   // the signal that ended it (POSIX), if one did
  std::string out;
  std::string err;
};

struct ProcessOptions {
  std::string outputFile;        // standard output goes here instead (e.g. /dev/full)
  std::size_t memoryLimit = 0;   // bytes of address space, 0 for none (POSIX only)
  std::u16string workingFolder;  // the current folder of the program; empty: the tests'
};

// Runs `program` (tarnwick-cli, tarnwick-gen; no extension) the way a script
// would: the arguments as UTF-8, or on POSIX as the bytes a file name may
// have; standard input empty; standard output and standard error captured.
ProcessResult RunBuiltProgram(std::string_view program, const std::vector<std::string>& args,
                              const ProcessOptions& options = {});

// Hides an existing file whose name starts with "." (hidden by that on
// POSIX; on Windows the attribute is set).
void HideFile(std::u16string_view path);

}  // namespace tarnwick::testing
