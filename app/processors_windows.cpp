// Usable processors on Windows: the bits of the process's affinity mask.
#include <windows.h>

#include <bitset>
#include <thread>

#include "app/processors.h"

namespace tarnwick {

int UsableProcessors() {
  DWORD_PTR process = 0;
  DWORD_PTR system = 0;
  if (::GetProcessAffinityMask(::GetCurrentProcess(), &process, &system) && process != 0) {
    return static_cast<int>(std::bitset<sizeof(DWORD_PTR) * 8>(process).count());
  }
  const unsigned count = std::thread::hardware_concurrency();
  return count > 0 ? static_cast<int>(count) : 1;
}

}  // namespace tarnwick
