// Blanks as reports and settings files use them: U+0020 only. Tabs and the
// full-width space U+3000 are ordinary characters.
#pragma once

#include <string_view>

namespace tarnwick {

// `text` without leading and trailing blanks.
inline std::u16string_view TrimBlanks(std::u16string_view text) {
  const std::size_t first = text.find_first_not_of(u' ');
  if (first == std::u16string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(u' ') - first + 1);
}

}  // namespace tarnwick
