// Runs the built tarnwick-cli as a process, the way a script would: the
// arguments as UTF-8, standard input empty, and what it printed captured.
#pragma once

#include <sys/wait.h>

#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "runs_fixture.h"
#include "text/utf8.h"

namespace tarnwick::testing {

struct CliResult {
  int status = -1;  // the exit status; -1 when the process did not exit normally
  std::string out;
  std::string err;
};

// The argument in single quotes for the shell.
inline std::string ShellQuoted(std::string_view arg) {
  std::string quoted = "'";
  for (char c : arg) {
    if (c == '\'') {
      quoted += "'\\''";
    } else {
      quoted += c;
    }
  }
  quoted += '\'';
  return quoted;
}

inline CliResult RunCli(const std::vector<std::u16string>& args) {
  const ScratchFolder capture;
  const std::string out = ToUtf8(capture.Folder()) + "out";
  const std::string err = ToUtf8(capture.Folder()) + "err";
  std::string line = ShellQuoted(TARNWICK_CLI_PATH);
  for (const std::u16string& arg : args) {
    line += ' ';
    line += ShellQuoted(ToUtf8(arg));
  }
  line += " >" + ShellQuoted(out) + " 2>" + ShellQuoted(err) + " </dev/null";
  const int raw = std::system(line.c_str());
  CliResult result;
  result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  result.out = ScratchFolder::Read(FromUtf8(out));
  result.err = ScratchFolder::Read(FromUtf8(err));
  return result;
}

}  // namespace tarnwick::testing
