// Raw storage on POSIX: large buffers are mapped, in huge pages where the
// system grants them, and given back to the system when freed.
#include <sys/mman.h>

#include <new>

#include "text/raw_buffer.h"

namespace tarnwick::raw_memory {

namespace {

// From this size on, storage is mapped rather than taken from the heap.
constexpr std::size_t kMappedBytes = std::size_t{1} << 20;

}  // namespace

void* Allocate(std::size_t bytes) {
  if (bytes >= kMappedBytes) {
    void* data = ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (data == MAP_FAILED) throw std::bad_alloc();
#ifdef MADV_HUGEPAGE
    (void)::madvise(data, bytes, MADV_HUGEPAGE);  // a hint; refused means small pages
#endif
    return data;
  }
  return ::operator new(bytes == 0 ? 1 : bytes);
}

void Free(void* data, std::size_t bytes) noexcept {
  if (bytes >= kMappedBytes) {
    ::munmap(data, bytes);
    return;
  }
  ::operator delete(data);
}

}  // namespace tarnwick::raw_memory
