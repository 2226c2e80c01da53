#include <unistd.h>

#include <cerrno>
#include <system_error>

#include "cli/console_io.h"
#include "files/file_error.h"
#include "messages/message_catalog.h"

namespace tarnwick::cli {

namespace {

// Writes everything or returns the errno of the failure (0 on success).
int WriteAll(int fd, std::string_view text) {
  while (!text.empty()) {
    const ssize_t put = ::write(fd, text.data(), text.size());
    if (put < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    text.remove_prefix(static_cast<std::size_t>(put));
  }
  return 0;
}

}  // namespace

std::vector<std::string> Utf8Arguments(int argc, char** argv) {
  return std::vector<std::string>(argv + 1, argv + argc);
}

void WriteOutput(std::string_view text) {
  if (const int error = WriteAll(STDOUT_FILENO, text)) {
    ThrowFileError(std::error_code(error, std::system_category()),
                   MessageText(MessageId::StandardOutput));
  }
}

void WriteErrorOutput(std::string_view text) {
  (void)WriteAll(STDERR_FILENO, text);
}

bool ErrorOutputIsTerminal() {
  return ::isatty(STDERR_FILENO) == 1;
}

bool OutputIsTerminal() {
  return ::isatty(STDOUT_FILENO) == 1;
}

}  // namespace tarnwick::cli
