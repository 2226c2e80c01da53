#include "text/line_reader.h"

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace tarnwick {

namespace {

// Index of the first LF at or after `from`, or text.size(). Eight code units
// at a time: every reader of every report goes through here.
std::size_t FindLineFeed(std::u16string_view text, std::size_t from) {
  const char16_t* const data = text.data();
  const std::size_t size = text.size();
  std::size_t i = from;
#ifdef __SSE2__
  const __m128i lineFeed = _mm_set1_epi16(u'\n');
  for (; i + 8 <= size; i += 8) {
    const __m128i units = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i));
    const int mask = _mm_movemask_epi8(_mm_cmpeq_epi16(units, lineFeed));
    if (mask != 0)
      return i + static_cast<std::size_t>(__builtin_ctz(static_cast<unsigned>(mask))) / 2;
  }
#endif
  while (i < size && data[i] != u'\n') ++i;
  return i;
}

}  // namespace

std::u16string_view ReadLine(std::u16string_view text, std::int64_t& position) {
  if (position == -1) return {};
  // A position outside the text has nothing left to give.
  if (position < 1 || static_cast<std::uint64_t>(position) > text.size() + 1) {
    position = -1;
    return {};
  }
  const std::size_t start = static_cast<std::size_t>(position - 1);
  const std::size_t stop = FindLineFeed(text, start);
  std::u16string_view line = text.substr(start, stop - start);
  position = stop < text.size() ? static_cast<std::int64_t>(stop) + 2 : -1;
  if (!line.empty() && (line.back() == u'\r' || line.back() == u'\x1A')) line.remove_suffix(1);
  return line;
}

}  // namespace tarnwick
