#include "text/cp932.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <string>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace tarnwick {

namespace {

constexpr char16_t kReplacement = 0xFFFD;

// kPairRows: the double-byte characters, taken once from ICU's "windows-31j".
#include "text/cp932_table.inc"

constexpr bool IsLeadByte(unsigned b) {
  return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}
constexpr bool IsTrailByte(unsigned b) {
  return b >= 0x40 && b <= 0xFC && b != 0x7F;
}

// Single bytes that Windows maps outside ASCII and half-width katakana.
constexpr std::array<std::pair<unsigned char, char16_t>, 5> kExtraSingles = {
    {{0x80, 0x0080}, {0xA0, 0xF8F0}, {0xFD, 0xF8F1}, {0xFE, 0xF8F2}, {0xFF, 0xF8F3}}};

// Which of several byte forms of one character Windows writes: the JIS X 0208
// rows first, then NEC row 13, then the IBM extensions; the NEC-selected copies
// of the IBM extensions (0xED, 0xEE) never.
constexpr int EncodePriority(unsigned lead) {
  if (lead == 0xED || lead == 0xEE) return 3;
  if (lead >= 0xFA) return 2;
  if (lead == 0x87) return 1;
  return 0;
}

// Laid out for lookup and built by the compiler, so nothing runs at start-up.
struct Tables {
  // single[b]: the character of a byte that is not a lead byte.
  std::array<char16_t, 256> single{};
  // leadIndex[b]: row of a lead byte in `pairs`, or -1.
  std::array<std::int8_t, 256> leadIndex{};
  // pairs[row][trail]: 0 for a byte that is no trail byte, U+FFFD for an unmapped pair.
  std::array<std::array<char16_t, 256>, 60> pairs{};
  // encode[c]: 0 when unmappable, a byte below 0x100, or lead << 8 | trail.
  std::array<std::uint16_t, 0x10000> encode{};
};

constexpr Tables MakeTables() {
  Tables t;
  for (unsigned b = 0; b < 0x80; ++b) t.single[b] = static_cast<char16_t>(b);
  for (unsigned b = 0x80; b < 0x100; ++b) t.single[b] = kReplacement;
  for (unsigned b = 0xA1; b <= 0xDF; ++b) t.single[b] = static_cast<char16_t>(0xFF61 + (b - 0xA1));
  for (const auto& [b, c] : kExtraSingles) t.single[b] = c;
  for (unsigned b = 0x80; b < 0x100; ++b) {
    if (!IsLeadByte(b) && t.single[b] != kReplacement)
      t.encode[t.single[b]] = static_cast<std::uint16_t>(b);
  }

  // The first form of the best priority wins, in byte order.
  std::array<std::uint8_t, 0x10000> chosenPriority{};
  for (auto& p : chosenPriority) p = 4;
  int row = 0;
  for (unsigned lead = 0; lead < 0x100; ++lead) {
    t.leadIndex[lead] = -1;
    if (!IsLeadByte(lead)) continue;
    t.leadIndex[lead] = static_cast<std::int8_t>(row);
    for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
      if (!IsTrailByte(trail)) continue;
      const char16_t c = kPairRows[row][trail - 0x40];
      t.pairs[row][trail] = c;
      if (c == kReplacement) continue;
      const int priority = EncodePriority(lead);
      if (priority < chosenPriority[c]) {
        chosenPriority[c] = static_cast<std::uint8_t>(priority);
        t.encode[c] = static_cast<std::uint16_t>(lead << 8 | trail);
      }
    }
    ++row;
  }
  return t;
}

constexpr Tables kTables = MakeTables();

// The decoder widens ASCII sixteen bytes at a time and stops at the first
// byte with its high bit set; report text is mostly ASCII with Japanese
// words between. The widened bytes past that stop are written over later:
// the output never runs ahead of the input, so they stay inside the buffer.
// With `more`, more bytes follow: a lead byte ending `bytes` is left undecoded
// and `used` says where decoding stopped.
std::size_t DecodeInto(std::string_view bytes, char16_t* const begin, bool more,
                       std::size_t& used) {
  const Tables& t = kTables;
  char16_t* out = begin;
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  const auto* end = p + bytes.size();
  while (p < end) {
#ifdef __SSE2__
    while (end - p >= 16) {
      const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
      const __m128i zero = _mm_setzero_si128();
      _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm_unpacklo_epi8(chunk, zero));
      _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 8), _mm_unpackhi_epi8(chunk, zero));
      const unsigned high = static_cast<unsigned>(_mm_movemask_epi8(chunk));
      if (high == 0) {
        p += 16;
        out += 16;
        continue;
      }
      const int ascii = __builtin_ctz(high);
      p += ascii;
      out += ascii;
      break;
    }
#endif
    if (p == end) break;
    // One character, then the rest of a run of non-ASCII ones.
    do {
      const unsigned b = *p;
      if (b < 0x80) {
        *out++ = static_cast<char16_t>(b);
        ++p;
        continue;
      }
      const int row = t.leadIndex[b];
      if (row < 0) {
        *out++ = t.single[b];
        ++p;
        continue;
      }
      if (more && p + 1 == end) break;  // its trail byte is in the next piece
      const char16_t c = (p + 1 < end) ? t.pairs[row][p[1]] : char16_t(0);
      if (c == 0) {
        // A lead byte without a trail byte stands alone; the next byte starts afresh.
        *out++ = kReplacement;
        ++p;
      } else {
        *out++ = c;
        p += 2;
      }
    } while (p < end && (*p >= 0x80 || end - p < 16));
    if (more && p + 1 == end && *p >= 0x80 && t.leadIndex[*p] >= 0) break;
  }
  used = static_cast<std::size_t>(p - reinterpret_cast<const unsigned char*>(bytes.data()));
  return static_cast<std::size_t>(out - begin);
}

std::size_t DecodeInto(std::string_view bytes, char16_t* const begin) {
  std::size_t used = 0;
  return DecodeInto(bytes, begin, false, used);
}

// Writes the bytes of `text` from `out` on (at most two per unit) and
// returns where they end. ASCII goes through sixteen units at a time. With
// `stoppedAt`, a character the code page cannot hold (but U+FFFD) ends the
// writing there instead of becoming "?", and `*stoppedAt` tells where; it is
// the end of the text when none came.
char* EncodeInto(std::u16string_view text, char* out, const char16_t** stoppedAt = nullptr) {
  const Tables& t = kTables;
  const char16_t* p = text.data();
  const char16_t* const end = p + text.size();
  while (p < end) {
#ifdef __SSE2__
    const __m128i nonAscii = _mm_set1_epi16(static_cast<short>(0xFF80));
    while (end - p >= 16) {
      const __m128i low = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
      const __m128i high = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 8));
      const __m128i any = _mm_and_si128(_mm_or_si128(low, high), nonAscii);
      if (_mm_movemask_epi8(_mm_cmpeq_epi16(any, _mm_setzero_si128())) != 0xFFFF) break;
      _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm_packus_epi16(low, high));
      p += 16;
      out += 16;
    }
#endif
    const char16_t* const stop = std::min(end, p + 16);
    for (; p < stop; ++p) {
      const char16_t c = *p;
      if (c < 0x80) {
        *out++ = static_cast<char>(c);
        continue;
      }
      const std::uint16_t code = t.encode[c];
      if (code == 0) {
        if (stoppedAt != nullptr && c != kReplacement) {
          *stoppedAt = p;
          return out;
        }
        *out++ = '?';
      } else if (code < 0x100) {
        *out++ = static_cast<char>(code);
      } else {
        *out++ = static_cast<char>(code >> 8);
        *out++ = static_cast<char>(code & 0xFF);
      }
    }
  }
  if (stoppedAt != nullptr) *stoppedAt = end;
  return out;
}

bool IsHighSurrogate(char16_t c) {
  return c >= 0xD800 && c <= 0xDBFF;
}

bool IsLowSurrogate(char16_t c) {
  return c >= 0xDC00 && c <= 0xDFFF;
}

}  // namespace

std::u16string DecodeCp932(std::string_view bytes) {
  std::u16string text(bytes.size(), u'\0');
  text.resize(DecodeInto(bytes, text.data()));
  return text;
}

void DecodeCp932(std::string_view bytes, RawBuffer<char16_t>& text) {
  text.Clear();               // nothing of the old text is kept when the buffer grows
  text.Resize(bytes.size());  // never more units than bytes
  text.Resize(DecodeInto(bytes, text.data()));
}

Cp932PieceDecoder::Cp932PieceDecoder(RawBuffer<char16_t>& text, std::size_t totalBytes)
    : text_(text) {
  text_.Clear();  // nothing of the old text is kept when the buffer grows
  text_.Resize(totalBytes);
  out_ = text_.data();
}

void Cp932PieceDecoder::Append(std::string_view piece) {
  if (piece.empty()) return;
  if (lead_ >= 0) {
    const char16_t c =
        kTables.pairs[kTables.leadIndex[lead_]][static_cast<unsigned char>(piece[0])];
    *out_++ = c == 0 ? kReplacement : c;
    if (c != 0) piece.remove_prefix(1);
    lead_ = -1;
  }
  std::size_t used = 0;
  out_ += DecodeInto(piece, out_, true, used);
  if (used < piece.size()) lead_ = static_cast<unsigned char>(piece[used]);
}

void Cp932PieceDecoder::Finish() {
  if (lead_ >= 0) *out_++ = kReplacement;
  lead_ = -1;
  text_.Resize(static_cast<std::size_t>(out_ - text_.data()));
}

std::string EncodeCp932(std::u16string_view text) {
  std::string bytes(2 * text.size(), '\0');
  bytes.resize(static_cast<std::size_t>(EncodeInto(text, bytes.data()) - bytes.data()));
  return bytes;
}

void AppendCp932(std::u16string_view text, RawBuffer<char>& bytes) {
  const std::size_t start = bytes.size();
  bytes.Resize(start + 2 * text.size());  // never more than two bytes a unit
  bytes.Resize(static_cast<std::size_t>(EncodeInto(text, bytes.data() + start) - bytes.data()));
}

void AppendCp932Html(std::u16string_view text, RawBuffer<char>& bytes) {
  while (!text.empty()) {
    const std::size_t start = bytes.size();
    bytes.Resize(start + 2 * text.size());
    const char16_t* stop = nullptr;
    char* end = EncodeInto(text, bytes.data() + start, &stop);
    bytes.Resize(static_cast<std::size_t>(end - bytes.data()));
    text.remove_prefix(static_cast<std::size_t>(stop - text.data()));
    if (text.empty()) return;
    char32_t c = text.front();
    std::size_t units = 1;
    if (IsHighSurrogate(text.front()) && text.size() > 1 && IsLowSurrogate(text[1])) {
      c = 0x10000 + ((c - 0xD800) << 10) + (text[1] - 0xDC00);
      units = 2;
    }
    text.remove_prefix(units);
    std::string reference;
    if (units == 1 &&
        (IsHighSurrogate(static_cast<char16_t>(c)) || IsLowSurrogate(static_cast<char16_t>(c)))) {
      reference = "?";  // half a character has no number
    } else {
      reference = "&#" + std::to_string(static_cast<std::uint32_t>(c)) + ";";
    }
    const std::size_t at = bytes.size();
    bytes.Resize(at + reference.size());
    std::memcpy(bytes.data() + at, reference.data(), reference.size());
  }
}

bool Cp932Holds(char16_t c) {
  return c < 0x80 || kTables.encode[c] != 0;
}

}  // namespace tarnwick
