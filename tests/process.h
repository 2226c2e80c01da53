// Runs a program built beside the tests (tarnwick-cli, tarnwick-gen) the way
// a script would: arguments as given, standard input empty, standard output
// and standard error captured. One source file per platform
// (process_posix.cpp, process_windows.cpp).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick::testing {

struct ProcessResult {
  int status = -1;  // the exit status; -1 when the process did not exit normally
  std::string out;
  std::string err;
};

struct ProcessOptions {
  std::string outputFile;       // standard output goes here instead (e.g. /dev/full)
  std::size_t memoryLimit = 0;  // bytes of address space, 0 for none (POSIX only)
};

// `program` without extension; the arguments as UTF-8, or on POSIX as the
// bytes a file name may have.
ProcessResult RunBuiltProgram(std::string_view program, const std::vector<std::string>& args,
                              const ProcessOptions& options = {});

}  // namespace tarnwick::testing
