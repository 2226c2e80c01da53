// UTF-8 <-> UTF-16 at the edges: console output, JSON, file system paths.
// Invalid input never throws: unpaired surrogates and bad UTF-8 sequences
// become U+FFFD.
#pragma once

#include <string>
#include <string_view>

#include "text/raw_buffer.h"

namespace tarnwick {

std::string ToUtf8(std::u16string_view text);
// Appends the UTF-8 of `text` to `bytes`.
void AppendUtf8(std::u16string_view text, RawBuffer<char>& bytes);
std::u16string FromUtf8(std::string_view bytes);

}  // namespace tarnwick
