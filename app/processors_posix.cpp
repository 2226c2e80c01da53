// Usable processors on POSIX: the affinity mask where Linux gives one, so that
// `taskset -c 0` counts as one processor.
#include <thread>

#include "app/processors.h"

#ifdef __linux__
#include <sched.h>
#endif

namespace tarnwick {

int UsableProcessors() {
#ifdef __linux__
  cpu_set_t set;
  CPU_ZERO(&set);
  if (::sched_getaffinity(0, sizeof set, &set) == 0) {
    const int count = CPU_COUNT(&set);
    if (count > 0) return count;
  }
#endif
  const unsigned count = std::thread::hardware_concurrency();
  return count > 0 ? static_cast<int>(count) : 1;
}

}  // namespace tarnwick
