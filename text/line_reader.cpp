#include "text/line_reader.h"

namespace tarnwick {

std::u16string_view ReadLine(std::u16string_view text, std::int64_t& position) {
  if (position == -1) return {};
  // A position outside the text has nothing left to give.
  if (position < 1 || static_cast<std::uint64_t>(position) > text.size() + 1) {
    position = -1;
    return {};
  }
  const std::size_t start = static_cast<std::size_t>(position - 1);
  std::size_t stop = start;
  while (stop < text.size() && text[stop] != u'\n') ++stop;
  std::u16string_view line = text.substr(start, stop - start);
  position = stop < text.size() ? static_cast<std::int64_t>(stop) + 2 : -1;
  if (!line.empty() && (line.back() == u'\r' || line.back() == u'\x1A')) line.remove_suffix(1);
  return line;
}

}  // namespace tarnwick
