// UTF-16 files, as Windows editors save "Unicode" text and PowerShell 5
// redirects output: known by their byte-order mark, little- or big-endian.
// Decoding keeps every unit as it is (an unpaired surrogate included) and an
// odd last byte as a Windows-1252 character, so no byte is lost.
#pragma once

#include <optional>
#include <string_view>

#include "text/raw_buffer.h"

namespace tarnwick {

enum class Utf16Order { kLittleEndian, kBigEndian };

// The byte order `bytes` declare by their byte-order mark, if they start with one.
std::optional<Utf16Order> Utf16OrderOfMark(std::string_view bytes);

// Decodes `bytes` (their byte-order mark dropped) into `text`, replacing what it held.
void DecodeUtf16(std::string_view bytes, Utf16Order order, RawBuffer<char16_t>& text);

}  // namespace tarnwick
