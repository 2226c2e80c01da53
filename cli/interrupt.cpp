#include "cli/interrupt.h"

#include <atomic>
#include <csignal>

#include "base/stop_request.h"

namespace tarnwick::cli {
namespace {

// The one piece of process state: a signal handler can reach nothing else.
// Lock-free, so that the handler may set it.
std::atomic<bool> signalled{false};
std::atomic<bool> stopAtOnce{false};
static_assert(std::atomic<bool>::is_always_lock_free);

std::atomic<int> signals{0};
static_assert(std::atomic<int>::is_always_lock_free);

void OnCancelSignal(int number) {
  signalled.store(true);
  const int count = ++signals;
  // Asked twice: stop mid-pair, unwinding as from an error.
  if (count == 2 || (count == 1 && stopAtOnce.load())) RequestStopNow();
  // Asked again: end as the signal would have without a handler.
  if (count >= 3) {
    std::signal(number, SIG_DFL);
    std::raise(number);
  }
}

}  // namespace

void CancelOnSignals(bool atOnce) {
  stopAtOnce.store(atOnce);
  InstallCancelHandler(OnCancelSignal);
}

bool CancelSignalled() {
  return signalled.load();
}

}  // namespace tarnwick::cli
