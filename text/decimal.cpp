#include "text/decimal.h"

namespace tarnwick {

std::u16string_view DecimalText(std::int64_t n, DecimalBuffer& buffer) {
  char16_t* const end = buffer.data() + buffer.size();
  char16_t* p = end;
  // Work on the magnitude as unsigned so that the smallest value does not overflow.
  std::uint64_t magnitude = n < 0 ? 0 - static_cast<std::uint64_t>(n) : static_cast<std::uint64_t>(n);
  do {
    *--p = static_cast<char16_t>(u'0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  if (n < 0) *--p = u'-';
  return std::u16string_view(p, static_cast<std::size_t>(end - p));
}

std::u16string DecimalText(std::int64_t n) {
  DecimalBuffer buffer;
  return std::u16string(DecimalText(n, buffer));
}

}  // namespace tarnwick
