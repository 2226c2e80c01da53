// Runs the built tarnwick-cli as a process, the way a script would: the
// arguments as UTF-8, standard input empty, and what it printed captured.
// (cli_process_posix.h starts it in the background for tests that send it
// signals.)
#pragma once

#include <string>
#include <vector>

#include "test_platform.h"
#include "text/utf8.h"

namespace tarnwick::testing {

using CliResult = ProcessResult;

inline CliResult RunCli(const std::vector<std::u16string>& args,
                        const ProcessOptions& options = {}) {
  std::vector<std::string> utf8;
  for (const std::u16string& arg : args) utf8.push_back(ToUtf8(arg));
  return RunBuiltProgram("tarnwick-cli", utf8, options);
}

}  // namespace tarnwick::testing
