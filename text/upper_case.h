// Upper-casing per UTF-16 code unit with the simple Unicode mapping, so that
// full-width letters fold too and a text never changes its length. Keys of
// the object tree and file names are matched through this mapping.
#pragma once

#include <string>
#include <string_view>

namespace tarnwick {

char16_t UpperCase(char16_t c);
std::u16string UpperCase(std::u16string_view text);
bool EqualsIgnoringCase(std::u16string_view a, std::u16string_view b);

}  // namespace tarnwick
