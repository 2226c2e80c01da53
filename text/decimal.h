// Whole numbers as text: decimal, no padding, "-" before a negative number.
// Line numbers, node keys, status texts and messages all use this form.
#pragma once

#include <cstdint>
#include <string>

namespace tarnwick {

std::u16string DecimalText(std::int64_t n);

}  // namespace tarnwick
