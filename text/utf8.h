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

// The length (1 to 4) of the well-formed UTF-8 character that starts at `s`
// (`left` bytes from there), or 0 when the byte there starts none: no
// overlong forms, no surrogates, nothing past U+10FFFF.
std::size_t Utf8SequenceLength(const unsigned char* s, std::size_t left);
// Whether every byte is part of a well-formed UTF-8 character.
bool IsWellFormedUtf8(std::string_view bytes);
// Decodes into `text` (replacing what it held): UTF-8, and each byte that
// is no part of a UTF-8 character as Windows-1252, so no byte is lost.
void DecodeUtf8OrWindows1252(std::string_view bytes, RawBuffer<char16_t>& text);

}  // namespace tarnwick
