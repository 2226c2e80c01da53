// Growable storage whose new elements are left uninitialised: for buffers
// that are written over at once (a file's bytes, its decoded text), where a
// zero fill would only cost time and page faults. Reused from one file to the
// next, it keeps its capacity.
#pragma once

#include <cstddef>
#include <cstring>
#include <memory>
#include <string_view>
#include <type_traits>

namespace tarnwick {

template <typename T>
class RawBuffer {
  static_assert(std::is_trivially_copyable_v<T>);

 public:
  RawBuffer() = default;
  RawBuffer(const RawBuffer&) = delete;
  RawBuffer& operator=(const RawBuffer&) = delete;
  RawBuffer(RawBuffer&&) noexcept = default;
  RawBuffer& operator=(RawBuffer&&) noexcept = default;

  T* data() { return data_.get(); }
  const T* data() const { return data_.get(); }
  std::size_t size() const { return size_; }
  std::size_t capacity() const { return capacity_; }
  bool empty() const { return size_ == 0; }
  std::basic_string_view<T> View() const { return {data_.get(), size_}; }

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
    std::unique_ptr<T[]> fresh(new T[capacity]);  // default-initialised: no fill
    if (size_ != 0) std::memcpy(fresh.get(), data_.get(), size_ * sizeof(T));
    data_ = std::move(fresh);
    capacity_ = capacity;
  }
  void Clear() { size_ = 0; }
  // Gives the memory back, for a buffer that held something unusually large.
  void Release() {
    data_.reset();
    size_ = capacity_ = 0;
  }

 private:
  std::unique_ptr<T[]> data_;
  std::size_t size_ = 0;
  std::size_t capacity_ = 0;
};

}  // namespace tarnwick
