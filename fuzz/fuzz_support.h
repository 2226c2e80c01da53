// What the fuzz targets share: a property check that stops the process, so
// that libFuzzer keeps the input and a replay of it fails, and ways to cut a
// fuzz input into the arguments of the unit under test.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <utility>

namespace tarnwick::fuzz {

inline void Require(bool holds, const char* property) {
  if (holds) return;
  std::fprintf(stderr, "property broken: %s\n", property);
  std::abort();
}

inline std::string_view Bytes(const std::uint8_t* data, std::size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

// The bytes before the first `separator` and those after it; without one,
// the first half and the second half.
inline std::pair<std::string_view, std::string_view> SplitInTwo(std::string_view bytes,
                                                                char separator) {
  std::size_t cut = bytes.find(separator);
  std::size_t skip = 1;
  if (cut == std::string_view::npos) {
    cut = bytes.size() / 2;
    skip = 0;
  }
  return {bytes.substr(0, cut), bytes.substr(cut + skip)};
}

}  // namespace tarnwick::fuzz
