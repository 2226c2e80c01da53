#include "text/cp932.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

namespace tarnwick {
namespace {

TEST(Cp932, DecodesAndEncodesTheCharactersWindowsMapsDifferently) {
  // Wave dash and backslash are the full-width forms, as on Windows.
  EXPECT_EQ(DecodeCp932("\x81\x60\x81\x5F"), u"～＼");
  EXPECT_EQ(EncodeCp932(u"～＼"), "\x81\x60\x81\x5F");
  // NEC row 13.
  EXPECT_EQ(DecodeCp932("\x87\x40\x87\x54"), u"①Ⅰ");
  EXPECT_EQ(EncodeCp932(u"①Ⅰ"), "\x87\x40\x87\x54");
  // Half-width katakana are single bytes, the full range.
  EXPECT_EQ(DecodeCp932("\xA1\xB1\xCC\xDF"), u"｡ｱﾌﾟ");
  EXPECT_EQ(EncodeCp932(u"｡ｱﾌﾟ"), "\xA1\xB1\xCC\xDF");
  // ASCII keeps backslash and tilde.
  EXPECT_EQ(DecodeCp932("C:\\A~B"), u"C:\\A~B");
  // User-defined area.
  EXPECT_EQ(DecodeCp932("\xF0\x40\xF9\xFC"), u"\uE000\uE757");
  EXPECT_EQ(EncodeCp932(u"\uE000\uE757"), "\xF0\x40\xF9\xFC");
}

TEST(Cp932, DuplicatesEncodeToTheFormWindowsChooses) {
  // Both forms decode to the same character...
  EXPECT_EQ(DecodeCp932("\xFA\x4A"), u"Ⅰ");
  EXPECT_EQ(DecodeCp932("\xED\x40\xFA\x5C"), u"\u7E8A\u7E8A");
  EXPECT_EQ(DecodeCp932("\xEE\xEF\xFA\x40"), u"ⅰⅰ");
  // ...and encode to one: JIS rows before NEC row 13 before IBM, never NEC-selected IBM.
  EXPECT_EQ(EncodeCp932(u"\u7E8A"), "\xFA\x5C");
  EXPECT_EQ(EncodeCp932(u"ⅰ"), "\xFA\x40");
  EXPECT_EQ(EncodeCp932(u"￢"), "\x81\xCA");
  EXPECT_EQ(EncodeCp932(u"∵"), "\x81\xE6");
  EXPECT_EQ(EncodeCp932(u"≒"), "\x81\xE0");
  EXPECT_EQ(EncodeCp932(u"№"), "\x87\x82");
  EXPECT_EQ(EncodeCp932(u"￤"), "\xFA\x55");
  EXPECT_EQ(EncodeCp932(u"\u9ED1"), "\xFC\x4B");
}

TEST(Cp932, ControlAndSingleBytesMapAsWindowsDoes) {
  const std::string controls("\x00\x1A\x1C\x7F", 4);
  EXPECT_EQ(DecodeCp932(controls), std::u16string(u"\0\x1A\x1C\x7F", 4));
  EXPECT_EQ(EncodeCp932(std::u16string(u"\0\x1A\x1C\x7F", 4)), controls);

  EXPECT_EQ(DecodeCp932("\x80\xA0\xFD\xFE\xFF"), u"\u0080\uF8F0\uF8F1\uF8F2\uF8F3");
  EXPECT_EQ(EncodeCp932(u"\u0080\uF8F0\uF8F1\uF8F2\uF8F3"), "\x80\xA0\xFD\xFE\xFF");
}

TEST(Cp932, BadBytesBecomeReplacementCharactersAndDecodingGoesOn) {
  // A lead byte at the end.
  EXPECT_EQ(DecodeCp932("AB\x82"), u"AB\uFFFD");
  // A lead byte before a byte that cannot trail: the next byte starts afresh.
  EXPECT_EQ(DecodeCp932("\x82 X"), u"\uFFFD X");
  EXPECT_EQ(DecodeCp932("\x81\x7F"), u"\uFFFD\x7F");
  EXPECT_EQ(DecodeCp932("\x81\x81\x40"), u"＝@");  // a lead byte may trail another
  // A well-formed pair with no character gives one replacement for both bytes.
  EXPECT_EQ(DecodeCp932("\x85\xA0X"), u"\uFFFDX");
  EXPECT_EQ(DecodeCp932("\xFC\x4C"), u"\uFFFD");
  // The same after and before long ASCII runs.
  const std::string ascii(37, 'a');
  EXPECT_EQ(DecodeCp932(ascii + "\x82"), std::u16string(37, u'a') + u"\uFFFD");
  EXPECT_EQ(DecodeCp932(ascii + "\x82\xA0" + ascii + "\x85\xA0" + ascii),
            std::u16string(37, u'a') + u"あ" + std::u16string(37, u'a') + u"\uFFFD" +
                std::u16string(37, u'a'));
}

TEST(Cp932, NoInputDecodesToTheEndOfFileMarkUnlessItHoldsOne) {
  for (unsigned first = 0; first < 0x100; ++first) {
    for (unsigned second = 0; second < 0x100; ++second) {
      if (first == 0x1A || second == 0x1A) continue;
      // A blank never trails a lead byte, so it always ends the text.
      const char bytes[3] = {static_cast<char>(first), static_cast<char>(second), ' '};
      const std::u16string text = DecodeCp932(std::string_view(bytes, 3));
      ASSERT_EQ(text.find(u'\x1A'), std::u16string::npos) << std::hex << first << ' ' << second;
      ASSERT_EQ(text.back(), u' ') << std::hex << first << ' ' << second;
    }
  }
}

TEST(Cp932, EveryEncodableCharacterRoundTrips) {
  int encodable = 0;
  for (unsigned c = 0; c < 0x10000; ++c) {
    const std::u16string one(1, static_cast<char16_t>(c));
    const std::string bytes = EncodeCp932(one);
    if (bytes == "?" && c != u'?') continue;
    ++encodable;
    ASSERT_EQ(DecodeCp932(bytes), one) << std::hex << c;
  }
  // 128 ASCII, 63 katakana, 5 single bytes, 7,326 double-byte characters
  // (7,724 pairs less 398 duplicates) and 1,880 user-defined ones.
  EXPECT_EQ(encodable, 128 + 63 + 5 + 7326 + 1880);
}

// The rank of a lead byte among several forms of one character: JIS rows,
// NEC row 13, IBM extensions, NEC-selected IBM extensions.
int FormRank(unsigned lead) {
  if (lead == 0xED || lead == 0xEE) return 3;
  if (lead >= 0xFA) return 2;
  return lead == 0x87 ? 1 : 0;
}

TEST(Cp932, EveryMappedPairEncodesBackToTheFormWindowsWrites) {
  int mapped = 0;
  int duplicates = 0;
  for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
    if (lead >= 0xA0 && lead <= 0xDF) continue;
    for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
      if (trail == 0x7F) continue;
      const std::string pair{static_cast<char>(lead), static_cast<char>(trail)};
      const std::u16string text = DecodeCp932(pair);
      ASSERT_EQ(text.size(), 1u) << std::hex << lead << ' ' << trail;
      if (text[0] == u'\uFFFD') continue;
      ++mapped;
      const std::string written = EncodeCp932(text);
      ASSERT_EQ(written.size(), 2u) << std::hex << lead << ' ' << trail;
      ASSERT_EQ(DecodeCp932(written), text) << std::hex << lead << ' ' << trail;
      if (written == pair) continue;
      // Another form of the same character, the one of the best rank.
      ++duplicates;
      const unsigned writtenLead = static_cast<unsigned char>(written[0]);
      ASSERT_LT(FormRank(writtenLead), FormRank(lead)) << std::hex << lead << ' ' << trail;
      ASSERT_NE(FormRank(writtenLead), 3) << std::hex << lead << ' ' << trail;
    }
  }
  EXPECT_EQ(mapped, 7724 + 1880);
  EXPECT_EQ(duplicates, 398);
}

TEST(Cp932, UserDefinedAreaMapsInOrderToPrivateUse) {
  char16_t expected = 0xE000;
  for (unsigned lead = 0xF0; lead <= 0xF9; ++lead) {
    for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
      if (trail == 0x7F) continue;
      const std::string pair{static_cast<char>(lead), static_cast<char>(trail)};
      ASSERT_EQ(DecodeCp932(pair), std::u16string(1, expected)) << std::hex << lead << ' ' << trail;
      ASSERT_EQ(EncodeCp932(std::u16string(1, expected)), pair) << std::hex << lead << ' ' << trail;
      ++expected;
    }
  }
  EXPECT_EQ(expected, 0xE758);
}

TEST(Cp932, UnmappableCharactersEncodeAsQuestionMarks) {
  EXPECT_EQ(EncodeCp932(u"a\uFFFDb"), "a?b");
  EXPECT_EQ(EncodeCp932(u"\u0E01\u20AC"), "??");
  EXPECT_EQ(EncodeCp932(u""), "");
}

TEST(Cp932, MixedReportTextDecodesAcrossTheAsciiFastPath) {
  // Runs of ASCII longer and shorter than eight bytes around double-byte text.
  const std::string bytes =
      "  * \x96\xBC\x8F\xCC                         EMP_BLOCK\r\n"
      "    - \x83\x76\x83\x8D\x83\x93\x83\x76\x83\x67 ok\r\n";
  const std::u16string text =
      u"  * 名称                         EMP_BLOCK\r\n"
      u"    - プロンプト ok\r\n";
  EXPECT_EQ(DecodeCp932(bytes), text);
  EXPECT_EQ(EncodeCp932(text), bytes);
}

TEST(Cp932, BuffersAndPiecesDecodeAndEncodeLikeTheWholeStringsAtEveryAlignment) {
  // Pieces with their known text; a lone lead byte is followed by ASCII.
  struct Piece {
    std::string_view bytes;
    std::u16string_view text;
  };
  const Piece pieces[] = {{"a", u"a"},         {"    ", u"    "},     {"\x82\xA0", u"あ"},
                          {"\xB1", u"ｱ"},      {"\x82 ", u"\uFFFD "}, {"\xFF", u"\uF8F3"},
                          {"\x81\x60", u"～"}, {"\xFA\x4A", u"Ⅰ"},    {"\x85\xA0", u"\uFFFD"}};
  std::mt19937 random(3);
  RawBuffer<char16_t> text;
  RawBuffer<char> bytes;
  for (int round = 0; round < 3000; ++round) {
    std::string input;
    std::u16string expected;
    const auto count = random() % 60;
    for (std::size_t k = 0; k < count; ++k) {
      const Piece& piece = pieces[random() % std::size(pieces)];
      input += piece.bytes;
      expected += piece.text;
    }
    if (round % 3 == 0) {  // a lead byte with nothing after it
      input += '\x82';
      expected += u'\uFFFD';
    }
    DecodeCp932(input, text);  // reused: longer and shorter texts than before
    ASSERT_EQ(text.View(), expected) << input;
    ASSERT_EQ(DecodeCp932(input), expected) << input;

    // Read in pieces, cut anywhere: between a lead and its trail byte too.
    Cp932PieceDecoder decoder(text, input.size());
    for (std::size_t at = 0; at < input.size();) {
      const std::size_t length = std::min<std::size_t>(random() % 40, input.size() - at);
      decoder.Append(std::string_view(input).substr(at, length));
      at += length;
    }
    decoder.Finish();
    ASSERT_EQ(text.View(), expected) << input;

    // Appending keeps what the buffer held.
    bytes.Clear();
    AppendCp932(u"前", bytes);
    AppendCp932(expected, bytes);
    ASSERT_EQ(std::string(bytes.View()), "\x91\x4F" + EncodeCp932(expected));
  }
}

}  // namespace
}  // namespace tarnwick
