// Code page 932 both ways. The input as bytes: each single byte and each lead
// byte with its trail byte decodes to exactly the one character documented
// for it (U+FFFD for an unmapped pair or a lead byte standing alone, never
// U+001A unless the byte was 0x1A), and every decoded character other than
// U+FFFD encodes back to itself. The input as UTF-16 code units: each unit
// decodes back from its encoding as itself or as "?" (U+FFFD always as "?"),
// the NEC-selected lead bytes 0xED and 0xEE are never written, and encoding
// what was decoded gives the same bytes again. Decoded in pieces, the bytes
// give the same text as decoded whole.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>

#include "fuzz/fuzz_support.h"
#include "text/cp932.h"

namespace tarnwick::fuzz {
namespace {

bool IsLead(unsigned char b) {
  return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}
bool IsTrail(unsigned char b) {
  return b >= 0x40 && b <= 0xFC && b != 0x7F;
}

// What a byte that is no lead byte stands for.
char16_t SingleByte(unsigned char b) {
  if (b < 0x80) return b;
  if (b >= 0xA1 && b <= 0xDF) return static_cast<char16_t>(0xFF61 + (b - 0xA1));
  switch (b) {
    case 0x80:
      return 0x0080;
    case 0xA0:
      return 0xF8F0;
    case 0xFD:
      return 0xF8F1;
    case 0xFE:
      return 0xF8F2;
    case 0xFF:
      return 0xF8F3;
  }
  Require(false, "every byte is a lead byte or a single byte");
  return 0;
}

void CheckDecoding(std::string_view bytes) {
  const std::u16string text = DecodeCp932(bytes);
  std::size_t at = 0;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    Require(at < text.size(), "one character per single byte or pair");
    const char16_t c = text[at++];
    const auto b = static_cast<unsigned char>(bytes[i]);
    if (!IsLead(b)) {
      Require(c == SingleByte(b), "a single byte decodes to its own character");
    } else if (i + 1 < bytes.size() && IsTrail(static_cast<unsigned char>(bytes[i + 1]))) {
      ++i;
      Require(c != 0x001A, "a pair never decodes to the end-of-file mark");
    } else {
      Require(c == 0xFFFD, "a lead byte without its trail byte decodes to U+FFFD alone");
    }
  }
  Require(at == text.size(), "nothing decodes from nothing");
  // Pieces cut at every third byte (between a lead and its trail byte too),
  // as a file is read, decode to the same text.
  RawBuffer<char16_t> pieced;
  Cp932PieceDecoder decoder(pieced, bytes.size());
  for (std::size_t cut = 0; cut < bytes.size(); cut += 3) decoder.Append(bytes.substr(cut, 3));
  decoder.Finish();
  Require(pieced.View() == text, "decoding in pieces gives the text decoded whole");
  std::u16string survived = text;
  std::replace(survived.begin(), survived.end(), u'\uFFFD', u'?');
  Require(DecodeCp932(EncodeCp932(text)) == survived,
          "decoded text survives encoding, U+FFFD as \"?\"");
}

void CheckEncoding(std::u16string_view text) {
  const std::string bytes = EncodeCp932(text);
  const std::u16string back = DecodeCp932(bytes);
  Require(back.size() == text.size(), "each code unit encodes to one character");
  for (std::size_t i = 0; i < text.size(); ++i) {
    Require(back[i] == text[i] || back[i] == u'?', "a character survives or becomes \"?\"");
    Require(text[i] != 0xFFFD || back[i] == u'?', "U+FFFD is written as \"?\"");
  }
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const auto b = static_cast<unsigned char>(bytes[i]);
    Require(b != 0xED && b != 0xEE, "the NEC-selected IBM extensions are never written");
    if (IsLead(b)) ++i;
  }
  Require(EncodeCp932(back) == bytes, "encoding what was decoded gives the same bytes");
}

}  // namespace
}  // namespace tarnwick::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tarnwick::fuzz;
  CheckDecoding(Bytes(data, size));
  std::u16string units(size / 2, u'\0');
  std::memcpy(units.data(), data, units.size() * 2);
  CheckEncoding(units);
  return 0;
}
