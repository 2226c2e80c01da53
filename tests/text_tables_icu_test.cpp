// One-off check before ICU leaves the build: the compiled-in tables decode,
// encode and upper-case exactly as the implementation that asked ICU at run
// time did. That implementation is kept here, as it was, for the comparison.
#include <unicode/uchar.h>
#include <unicode/ucnv.h>

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "text/cp932.h"
#include "text/upper_case.h"

namespace tarnwick {
namespace {

namespace icu_based {

constexpr char16_t kReplacement = 0xFFFD;

bool IsLeadByte(unsigned b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }
bool IsTrailByte(unsigned b) { return b >= 0x40 && b <= 0xFC && b != 0x7F; }

constexpr std::array<std::pair<unsigned char, char16_t>, 5> kExtraSingles = {{
    {0x80, 0x0080}, {0xA0, 0xF8F0}, {0xFD, 0xF8F1}, {0xFE, 0xF8F2}, {0xFF, 0xF8F3}}};

struct ConverterCloser {
  void operator()(UConverter* c) const { ucnv_close(c); }
};
using ConverterPtr = std::unique_ptr<UConverter, ConverterCloser>;

int EncodePriority(unsigned lead) {
  if (lead == 0xED || lead == 0xEE) return 3;
  if (lead >= 0xFA) return 2;
  if (lead == 0x87) return 1;
  return 0;
}

struct Tables {
  std::array<char16_t, 256> single{};
  std::array<std::int8_t, 256> leadIndex{};
  std::array<std::array<char16_t, 256>, 60> pairs{};
  std::array<std::uint16_t, 0x10000> encode{};

  Tables() {
    for (unsigned b = 0; b < 0x80; ++b) single[b] = static_cast<char16_t>(b);
    for (unsigned b = 0x80; b < 0x100; ++b) single[b] = kReplacement;
    for (unsigned b = 0xA1; b <= 0xDF; ++b) single[b] = static_cast<char16_t>(0xFF61 + (b - 0xA1));
    for (const auto& [b, c] : kExtraSingles) single[b] = c;
    for (unsigned b = 0x80; b < 0x100; ++b) {
      if (!IsLeadByte(b) && single[b] != kReplacement) encode[single[b]] = static_cast<std::uint16_t>(b);
    }

    UErrorCode status = U_ZERO_ERROR;
    ConverterPtr converter(ucnv_open("windows-31j", &status));
    if (U_FAILURE(status)) throw std::runtime_error("code page 932 converter unavailable");
    ucnv_setToUCallBack(converter.get(), UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);

    std::vector<int> chosenPriority(0x10000, 4);
    int row = 0;
    for (unsigned lead = 0; lead < 0x100; ++lead) {
      leadIndex[lead] = -1;
      if (!IsLeadByte(lead)) continue;
      leadIndex[lead] = static_cast<std::int8_t>(row);
      for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
        if (!IsTrailByte(trail)) continue;
        const char bytes[2] = {static_cast<char>(lead), static_cast<char>(trail)};
        UChar out[4];
        status = U_ZERO_ERROR;
        ucnv_reset(converter.get());
        const int length = ucnv_toUChars(converter.get(), out, 4, bytes, 2, &status);
        char16_t c = kReplacement;
        if (U_SUCCESS(status) && length == 1 && out[0] != 0x1A && out[0] != kReplacement) {
          c = static_cast<char16_t>(out[0]);
        }
        pairs[row][trail] = c;
        if (c == kReplacement) continue;
        const int priority = EncodePriority(lead);
        if (priority < chosenPriority[c]) {
          chosenPriority[c] = priority;
          encode[c] = static_cast<std::uint16_t>(lead << 8 | trail);
        }
      }
      ++row;
    }
  }
};

const Tables& GetTables() {
  static const Tables tables;
  return tables;
}

std::u16string DecodeCp932(std::string_view bytes) {
  const Tables& t = GetTables();
  std::u16string text;
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  const auto* end = p + bytes.size();
  while (p < end) {
    const unsigned b = *p;
    const int row = t.leadIndex[b];
    if (row < 0) {
      text += t.single[b];
      ++p;
      continue;
    }
    const char16_t c = (p + 1 < end) ? t.pairs[row][p[1]] : char16_t(0);
    if (c == 0) {
      text += kReplacement;
      ++p;
    } else {
      text += c;
      p += 2;
    }
  }
  return text;
}

std::string EncodeCp932(std::u16string_view text) {
  const Tables& t = GetTables();
  std::string bytes;
  for (const char16_t c : text) {
    if (c < 0x80) {
      bytes += static_cast<char>(c);
      continue;
    }
    const std::uint16_t code = t.encode[c];
    if (code == 0) {
      bytes += '?';
    } else if (code < 0x100) {
      bytes += static_cast<char>(code);
    } else {
      bytes += static_cast<char>(code >> 8);
      bytes += static_cast<char>(code & 0xFF);
    }
  }
  return bytes;
}

char16_t UpperCase(char16_t c) {
  if (c < 0x80) return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - 0x20) : c;
  if (c >= 0xD800 && c <= 0xDFFF) return c;
  const UChar32 upper = u_toupper(c);
  return upper <= 0xFFFF ? static_cast<char16_t>(upper) : c;
}

}  // namespace icu_based

TEST(TextTablesAgainstIcu, DecodeEverySingleByteAndEveryPairFromALeadByteOn) {
  int checked = 0;
  for (unsigned b = 0; b < 0x100; ++b) {
    const std::string one(1, static_cast<char>(b));
    ASSERT_EQ(DecodeCp932(one), icu_based::DecodeCp932(one)) << std::hex << b;
    ++checked;
  }
  for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
    for (unsigned trail = 0; trail < 0x100; ++trail) {
      const char bytes[2] = {static_cast<char>(lead), static_cast<char>(trail)};
      const std::string_view pair(bytes, 2);
      ASSERT_EQ(DecodeCp932(pair), icu_based::DecodeCp932(pair)) << std::hex << lead << ' ' << trail;
      ++checked;
    }
  }
  EXPECT_EQ(checked, 256 + 124 * 256);
}

TEST(TextTablesAgainstIcu, EncodeAndUpperCaseEveryCodeUnit) {
  int encodable = 0;
  int folding = 0;
  for (unsigned c = 0; c < 0x10000; ++c) {
    const std::u16string one(1, static_cast<char16_t>(c));
    const std::string bytes = EncodeCp932(one);
    ASSERT_EQ(bytes, icu_based::EncodeCp932(one)) << std::hex << c;
    ASSERT_EQ(UpperCase(static_cast<char16_t>(c)), icu_based::UpperCase(static_cast<char16_t>(c))) << std::hex << c;
    encodable += bytes != "?";
    folding += UpperCase(static_cast<char16_t>(c)) != c;
  }
  std::printf("compared 65536 code units: %d encodable, %d upper-case differently\n", encodable, folding);
}

}  // namespace
}  // namespace tarnwick
