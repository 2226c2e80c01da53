// Ending the window from outside as its close box ends it. On POSIX, SIGTERM
// (kill, a service manager, the end of a session) and SIGHUP (the terminal
// gone) close the window: a run in progress is cancelled first, the settings
// are written and the program exits 0. Windows sends a window program no such
// signal; it asks with WM_CLOSE, which Qt already turns into the same close.
// One source file per platform (termination_signals_posix.cpp,
// termination_signals_windows.cpp) implements this header.
#pragma once

#include <memory>

class QWidget;

namespace tarnwick {

// The window's property, set true before a signal closes it: a close that
// nobody is there to answer a question about.
inline constexpr char kClosingBySignal[] = "closingBySignal";

// One per process: catches the signals from construction on, so that one
// arriving while the window starts waits for CloseOnSignal instead of ending
// the program unsaved. The signals get their default action back when it is
// destroyed.
class TerminationSignals {
 public:
  TerminationSignals();
  ~TerminationSignals();
  TerminationSignals(const TerminationSignals&) = delete;
  TerminationSignals& operator=(const TerminationSignals&) = delete;

  // From the event loop on, each signal (and one caught before) closes
  // `window`; once it has closed, the application quits, leaving any dialog
  // that was still open.
  void CloseOnSignal(QWidget& window);

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace tarnwick
