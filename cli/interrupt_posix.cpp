#include <signal.h>

#include "cli/interrupt.h"

namespace tarnwick::cli {

void InstallCancelHandler(void (*handler)(int)) {
  struct sigaction action {};
  action.sa_handler = handler;
  sigemptyset(&action.sa_mask);
  // Interrupted reads and writes go on; the run looks at the flag between pairs.
  action.sa_flags = SA_RESTART;
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
  // A closed terminal or a stopped CI job: the same request.
  sigaction(SIGHUP, &action, nullptr);
}

}  // namespace tarnwick::cli
