#include "cli/interrupt.h"

#include <atomic>
#include <csignal>

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
  InstallCancelHandler(OnCancelSignal);
}

bool CancelSignalled() {
  return signalled.load();
}

}  // namespace tarnwick::cli
