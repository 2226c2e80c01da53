// SIGINT and SIGTERM during a run of the first or third page: the first one
// asks the run to stop before its next pair or report, as the window's
// "中止" does; a second one ends the process at once, as if no handler were
// there, for a run that does not get to its next pair soon enough.
#pragma once

namespace tarnwick::cli {

// Installs the handlers for the rest of the process.
void CancelOnSignals();
// True once SIGINT or SIGTERM arrived. Safe from any thread.
bool CancelSignalled();

}  // namespace tarnwick::cli
