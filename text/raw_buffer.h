// Growable storage whose new elements are left uninitialised: for buffers
// that are written over at once (a file's bytes, its decoded text), where a
// zero fill would only cost time and page faults. Reused from one file to the
// next, it keeps its capacity. Large buffers are mapped from the system
// directly (in huge pages where it allows), so that filling a fresh one costs
// few page faults and freeing it gives the memory back at once.
#pragma once

#include <cstddef>
#include <cstring>
#include <string_view>
#include <type_traits>
#include <utility>

namespace tarnwick {

namespace raw_memory {
// Uninitialised storage of `bytes` bytes, suitably aligned for any element
// type; throws std::bad_alloc.
void* Allocate(std::size_t bytes);
// Gives back what Allocate(bytes) gave.
void Free(void* data, std::size_t bytes) noexcept;
}  // namespace raw_memory

template <typename T>
class RawBuffer {
  static_assert(std::is_trivially_copyable_v<T>);

 public:
  RawBuffer() = default;
  ~RawBuffer() { Release(); }
  RawBuffer(const RawBuffer&) = delete;
  RawBuffer& operator=(const RawBuffer&) = delete;
  RawBuffer(RawBuffer&& other) noexcept
      : data_(std::exchange(other.data_, nullptr)),
        size_(std::exchange(other.size_, 0)),
        capacity_(std::exchange(other.capacity_, 0)) {}
  RawBuffer& operator=(RawBuffer&& other) noexcept {
    if (this != &other) {
      Release();
      data_ = std::exchange(other.data_, nullptr);
      size_ = std::exchange(other.size_, 0);
      capacity_ = std::exchange(other.capacity_, 0);
    }
    return *this;
  }

  T* data() { return data_; }
  const T* data() const { return data_; }
  std::size_t size() const { return size_; }
  std::size_t capacity() const { return capacity_; }
  bool empty() const { return size_ == 0; }
  std::basic_string_view<T> View() const { return {data_, size_}; }

  // Makes room for `count` elements without touching the new ones; keeps
  // the first min(size(), count).
  void Resize(std::size_t count) {
    Reserve(count);
    size_ = count;
  }
  void Reserve(std::size_t count) {
    if (count <= capacity_) return;
    const std::size_t grown = capacity_ + capacity_ / 2;
    const std::size_t capacity = count > grown ? count : grown;
    T* fresh = static_cast<T*>(raw_memory::Allocate(capacity * sizeof(T)));
    if (size_ != 0) std::memcpy(fresh, data_, size_ * sizeof(T));
    const std::size_t size = size_;
    Release();
    data_ = fresh;
    size_ = size;
    capacity_ = capacity;
  }
  void Clear() { size_ = 0; }
  // Gives the memory back, for a buffer that held something unusually large.
  void Release() {
    if (data_ != nullptr) raw_memory::Free(data_, capacity_ * sizeof(T));
    data_ = nullptr;
    size_ = capacity_ = 0;
  }

 private:
  T* data_ = nullptr;
  std::size_t size_ = 0;
  std::size_t capacity_ = 0;
};

}  // namespace tarnwick
