#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QSocketNotifier>
#include <QWidget>
#include <array>
#include <cerrno>

#include "gui/termination_signals.h"

namespace tarnwick {
namespace {

constexpr std::array<int, 2> kSignals = {SIGTERM, SIGHUP};

// The handler may do next to nothing: it writes one byte into a pipe that the
// event loop watches. The write end is all it knows.
int handlerPipe = -1;

extern "C" void OnTerminationSignal(int) {
  const int saved = errno;
  const char byte = 1;
  // A full pipe holds a signal not yet handled: this one adds nothing.
  [[maybe_unused]] const ssize_t written = ::write(handlerPipe, &byte, 1);
  errno = saved;
}

}  // namespace

struct TerminationSignals::State {
  int readEnd = -1;
  int writeEnd = -1;
  std::unique_ptr<QSocketNotifier> notifier;
};

TerminationSignals::TerminationSignals() : state_(std::make_unique<State>()) {
  int ends[2];
  if (::pipe(ends) != 0) return;  // without a pipe the signals keep their default
  for (const int end : ends) {
    ::fcntl(end, F_SETFD, FD_CLOEXEC);
    ::fcntl(end, F_SETFL, ::fcntl(end, F_GETFL) | O_NONBLOCK);
  }
  state_->readEnd = ends[0];
  state_->writeEnd = ends[1];
  handlerPipe = ends[1];
  struct sigaction action {};
  action.sa_handler = OnTerminationSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;  // reads and writes under way go on
  for (const int signal : kSignals) sigaction(signal, &action, nullptr);
}

TerminationSignals::~TerminationSignals() {
  if (state_->readEnd < 0) return;
  struct sigaction action {};
  action.sa_handler = SIG_DFL;
  sigemptyset(&action.sa_mask);
  for (const int signal : kSignals) sigaction(signal, &action, nullptr);
  handlerPipe = -1;
  state_->notifier.reset();
  ::close(state_->readEnd);
  ::close(state_->writeEnd);
}

void TerminationSignals::CloseOnSignal(QWidget& window) {
  if (state_->readEnd < 0) return;
  state_->notifier = std::make_unique<QSocketNotifier>(state_->readEnd, QSocketNotifier::Read);
  State& state = *state_;
  QObject::connect(state.notifier.get(), &QSocketNotifier::activated, &window, [&state, &window] {
    char bytes[64];
    while (::read(state.readEnd, bytes, sizeof bytes) > 0) {
    }
    // Closing during a run cancels it, unasked; the window closes once it has stopped.
    window.setProperty(kClosingBySignal, true);
    window.close();
    if (!window.isVisible()) QCoreApplication::quit();
  });
}

}  // namespace tarnwick
