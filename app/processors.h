// How many processors this process may run on (its affinity, where the
// system tells), at least 1. The runs load reports on threads of their own
// only when a second processor can take them: on one, threads would only
// hold more reports in memory at once.
#pragma once

namespace tarnwick {

int UsableProcessors();

}  // namespace tarnwick
