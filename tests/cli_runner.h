// Runs the built tarnwick-cli as a process, the way a script would: the
// arguments as UTF-8, standard input empty, and what it printed captured;
// or starts it in the background for a test that sends it signals.
#pragma once

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "runs_fixture.h"
#include "text/utf8.h"

namespace tarnwick::testing {

struct CliResult {
  int status = -1;  // the exit status; -1 when the process did not exit normally
  int signal = 0;   // the signal that ended it, if one did
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

// Polls `done` until it holds or `timeout` has passed; true when it held.
// For conditions on a loaded machine: wait generously, never assert speed.
inline bool WaitUntil(const std::function<bool()>& done,
                      std::chrono::milliseconds timeout = std::chrono::seconds(120)) {
  const auto end = std::chrono::steady_clock::now() + timeout;
  while (!done()) {
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return true;
}

// The built tarnwick-cli running in the background; killed if still running
// when the object goes.
class CliProcess {
 public:
  explicit CliProcess(const std::vector<std::u16string>& args) {
    std::vector<std::string> words = {TARNWICK_CLI_PATH};
    for (const std::u16string& arg : args) words.push_back(ToUtf8(arg));
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    outPath_ = ToUtf8(capture_.Folder()) + "out";
    errPath_ = ToUtf8(capture_.Folder()) + "err";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, outPath_.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errPath_.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ) != 0) pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
  }
  ~CliProcess() {
    if (pid_ > 0) {
      ::kill(pid_, SIGKILL);
      ::waitpid(pid_, nullptr, 0);
    }
  }
  CliProcess(const CliProcess&) = delete;
  CliProcess& operator=(const CliProcess&) = delete;

  bool Started() const { return pid_ > 0; }
  void Signal(int number) const { ::kill(pid_, number); }
  // True while it has not ended (a stopped process has not).
  bool Running() const {
    siginfo_t info{};
    return ::waitid(P_PID, static_cast<id_t>(pid_), &info, WEXITED | WNOHANG | WNOWAIT) == 0 &&
           info.si_pid == 0;
  }
  CliResult Wait() {
    int raw = 0;
    ::waitpid(pid_, &raw, 0);
    pid_ = -1;
    CliResult result;
    result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    result.signal = WIFSIGNALED(raw) ? WTERMSIG(raw) : 0;
    result.out = ScratchFolder::Read(FromUtf8(outPath_));
    result.err = ScratchFolder::Read(FromUtf8(errPath_));
    return result;
  }

 private:
  ScratchFolder capture_;
  std::string outPath_;
  std::string errPath_;
  pid_t pid_ = -1;
};

}  // namespace tarnwick::testing
