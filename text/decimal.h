// Whole numbers as text: decimal, no padding, "-" before a negative number.
// Line numbers, node keys, status texts and messages all use this form.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace tarnwick {

// Room for any 64-bit number, sign included.
using DecimalBuffer = std::array<char16_t, 20>;

std::u16string DecimalText(std::int64_t n);
// The same written into `buffer`, for rows that should cost no allocation;
// the view lives as long as the buffer is not reused.
std::u16string_view DecimalText(std::int64_t n, DecimalBuffer& buffer);

}  // namespace tarnwick
