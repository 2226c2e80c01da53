// The exit statuses of tarnwick-cli, which scripts rely on.
#pragma once

#include "app/run_guard.h"

namespace tarnwick::cli {

inline constexpr int kExitFinished = 0;
inline constexpr int kExitRunError = 1;
inline constexpr int kExitRejected = 2;     // an input check stopped the run
inline constexpr int kExitDifferences = 3;  // --exit-code: finished, found differences or hits
inline constexpr int kExitUsage = 64;
inline constexpr int kExitCancelled = 130;  // SIGINT or SIGTERM stopped the run

constexpr int ExitStatus(RunOutcome outcome) {
  switch (outcome) {
    case RunOutcome::Finished:
      return kExitFinished;
    case RunOutcome::Rejected:
      return kExitRejected;
    case RunOutcome::Failed:
      return kExitRunError;
    case RunOutcome::Cancelled:
      return kExitCancelled;
  }
  return kExitRunError;
}

}  // namespace tarnwick::cli
