#include <csignal>

#include "cli/interrupt.h"

namespace tarnwick::cli {

void InstallCancelHandler(void (*handler)(int)) {
  // The C runtime restores the default before it calls the handler, so a
  // second Ctrl+C ends the process here too.
  std::signal(SIGINT, handler);
  std::signal(SIGTERM, handler);
}

}  // namespace tarnwick::cli
