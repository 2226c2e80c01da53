// SIGINT and SIGTERM (and SIGHUP on POSIX) during a run: the first one asks the run to stop before
// its next pair or report, as the window's "中止" does; a second one stops it
// where it is, for a run that does not get to its next pair soon enough, so
// that it still removes its temporary files and writes its JSON; a third one
// ends the process at once, as if no handler were there.
#pragma once

namespace tarnwick::cli {

// Installs the handlers for the rest of the process. `atOnce`: the first
// signal already stops where the run is (a run of one comparison).
void CancelOnSignals(bool atOnce = false);
// True once SIGINT or SIGTERM arrived. Safe from any thread.
bool CancelSignalled();

// Per platform (interrupt_posix.cpp, interrupt_windows.cpp): makes `handler`
// the handler of SIGINT and SIGTERM, and of SIGHUP where there is one.
void InstallCancelHandler(void (*handler)(int));

}  // namespace tarnwick::cli
