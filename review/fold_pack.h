// The unchanged lines that a review page folds away travel packed: otherwise
// they would be most of the page. All folded lines of a page are gathered in
// one text (lines joined by LF), encoded as UTF-8, compressed as an LZ4-style
// block and written as base64. The page's script unpacks it the first time a
// fold is opened.
//
// Block format: sequences of a token byte (high nibble: literal count, low
// nibble: match length - 4; 15 means more follows as bytes of 255 and a last
// byte below 255), the literal count's extra bytes, the literals, then - for
// every sequence but the last - a 2-byte little-endian offset back (1..65535)
// and the match length's extra bytes. The last sequence has literals only.
#pragma once

#include <string>
#include <string_view>

namespace tarnwick {

// The compressed block of `bytes`.
std::string PackBlock(std::string_view bytes);
// The standard base64 alphabet with "=" padding.
std::u16string Base64(std::string_view bytes);

}  // namespace tarnwick
