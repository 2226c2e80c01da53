// Code page 932 (Windows-31J) as Windows itself applies it.
// Decoding never fails: undecodable pairs become U+FFFD, a lead byte without
// a trail byte becomes U+FFFD alone, and the single bytes 0x80, 0xA0, 0xFD,
// 0xFE, 0xFF become U+0080, U+F8F0..U+F8F2 and U+F8F3. Encoding writes IBM
// extensions as 0xFA40-0xFC4B and "?" for anything the code page cannot hold.
#pragma once

#include <string>
#include <string_view>

#include "text/raw_buffer.h"

namespace tarnwick {

std::u16string DecodeCp932(std::string_view bytes);
// Decodes into `text`, replacing what it held; a buffer reused from one
// report to the next keeps its capacity, and nothing is filled in advance.
void DecodeCp932(std::string_view bytes, RawBuffer<char16_t>& text);

std::string EncodeCp932(std::u16string_view text);
// Appends the encoding of `text` to `bytes`.
void AppendCp932(std::u16string_view text, RawBuffer<char>& bytes);

// True when code page 932 holds the character (U+FFFD and surrogates it does not).
bool Cp932Holds(char16_t c);

}  // namespace tarnwick
