// Windows-1252, the code page Western Windows writes text in, one byte at a
// time: 0x00-0x7F and 0xA0-0xFF as themselves (Latin-1), 0x80-0x9F as
// Windows maps them (0x80 the euro sign, 0x93 and 0x94 curly quotes, ...).
// The five bytes the code page leaves undefined (0x81, 0x8D, 0x8F, 0x90,
// 0x9D) map to U+0081 etc., as Windows itself decodes them, so that no byte
// is ever lost. Encoding is the same table backwards.
#pragma once

namespace tarnwick {

inline constexpr char16_t kWindows1252High[32] = {
    u'\u20AC', u'\u0081', u'\u201A', u'\u0192', u'\u201E', u'\u2026', u'\u2020', u'\u2021',
    u'\u02C6', u'\u2030', u'\u0160', u'\u2039', u'\u0152', u'\u008D', u'\u017D', u'\u008F',
    u'\u0090', u'\u2018', u'\u2019', u'\u201C', u'\u201D', u'\u2022', u'\u2013', u'\u2014',
    u'\u02DC', u'\u2122', u'\u0161', u'\u203A', u'\u0153', u'\u009D', u'\u017E', u'\u0178'};

constexpr char16_t Windows1252Char(unsigned char byte) {
  return byte >= 0x80 && byte < 0xA0 ? kWindows1252High[byte - 0x80] : static_cast<char16_t>(byte);
}

// The byte that decodes to `c`, or -1 when the code page has none.
constexpr int Windows1252Byte(char16_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return c;
  for (int i = 0; i < 32; ++i) {
    if (kWindows1252High[i] == c) return 0x80 + i;
  }
  return -1;
}

}  // namespace tarnwick
