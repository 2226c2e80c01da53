// Raw storage on Windows: the heap, which hands large blocks back itself.
#include <new>

#include "text/raw_buffer.h"

namespace tarnwick::raw_memory {

void* Allocate(std::size_t bytes) {
  return ::operator new(bytes == 0 ? 1 : bytes);
}

void Free(void* data, std::size_t) noexcept {
  ::operator delete(data);
}

}  // namespace tarnwick::raw_memory
