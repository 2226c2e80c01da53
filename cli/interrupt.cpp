#include "cli/interrupt.h"

#include <atomic>
#include <csignal>

#ifndef _WIN32
#include <signal.h>
#endif

namespace tarnwick::cli {
namespace {

// The one piece of process state: a signal handler can reach nothing else.
// Lock-free, so that the handler may set it.
std::atomic<bool> signalled{false};
static_assert(std::atomic<bool>::is_always_lock_free);

void OnCancelSignal(int number) {
  if (signalled.exchange(true)) {
    // Asked twice: end as the signal would have without a handler.
    std::signal(number, SIG_DFL);
    std::raise(number);
  }
}

}  // namespace

void CancelOnSignals() {
#ifdef _WIN32
  // The C runtime restores the default before it calls the handler, so a
  // second Ctrl+C ends the process there too.
  std::signal(SIGINT, OnCancelSignal);
  std::signal(SIGTERM, OnCancelSignal);
#else
  struct sigaction action {};
  action.sa_handler = OnCancelSignal;
  sigemptyset(&action.sa_mask);
  // Interrupted reads and writes go on; the run looks at the flag between pairs.
  action.sa_flags = SA_RESTART;
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
#endif
}

bool CancelSignalled() {
  return signalled.load();
}

}  // namespace tarnwick::cli
