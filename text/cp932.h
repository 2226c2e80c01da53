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

// Decodes a text that arrives in pieces (a file read a piece at a time)
// exactly as DecodeCp932 decodes the whole: a lead byte that ends one piece
// pairs with the first byte of the next. `text` is cleared and must be able
// to take one unit for each byte of all the pieces.
class Cp932PieceDecoder {
 public:
  Cp932PieceDecoder(RawBuffer<char16_t>& text, std::size_t totalBytes);
  void Append(std::string_view piece);
  // Decodes a lead byte left at the very end, and cuts `text` to its length.
  void Finish();

 private:
  RawBuffer<char16_t>& text_;
  char16_t* out_;
  int lead_ = -1;  // a lead byte carried over to the next piece
};

std::string EncodeCp932(std::u16string_view text);
// Appends the encoding of `text` to `bytes`.
void AppendCp932(std::u16string_view text, RawBuffer<char>& bytes);
// The same for HTML text, losing no character: one that code page 932
// cannot hold becomes its numeric character reference ("é" is "&#233;", a
// surrogate pair one reference). U+FFFD stays "?" (it stands for bytes a
// report had no character for), as does half a surrogate pair.
void AppendCp932Html(std::u16string_view text, RawBuffer<char>& bytes);

// True when code page 932 holds the character (U+FFFD and surrogates it does not).
bool Cp932Holds(char16_t c);

}  // namespace tarnwick
