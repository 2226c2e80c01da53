// A request to stop the run at once, wherever it is: the command line's
// second interrupt, for a run whose current pair would take too long to wait
// for. The long loops (reading, parsing, comparing, searching, writing pages)
// look at it and throw RunStopped, so that the run unwinds as from any error:
// its temporary files go, the summary shows what was done, the JSON is written.
#pragma once

#include <exception>

namespace tarnwick {

class RunStopped : public std::exception {
 public:
  const char* what() const noexcept override { return "run stopped on request"; }
};

// Safe in a signal handler and from any thread.
void RequestStopNow() noexcept;
bool StopNowRequested() noexcept;
// Withdraws the request, for the next run of a process that goes on.
void ClearStopRequest() noexcept;

// Throws RunStopped once a stop was requested. Cheap enough for every line.
inline void ThrowIfStopRequested() {
  if (StopNowRequested()) throw RunStopped();
}

}  // namespace tarnwick
