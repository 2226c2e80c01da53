#include "text/upper_case.h"

#include <gtest/gtest.h>

namespace tarnwick {
namespace {

TEST(UpperCase, FoldsAsciiFullWidthAndAccentedLettersPerCodeUnit) {
  EXPECT_EQ(UpperCase(u"form1.txt"), u"FORM1.TXT");
  EXPECT_EQ(UpperCase(u"ａｂｃ"), u"ＡＢＣ");
  EXPECT_EQ(UpperCase(u"éñ"), u"ÉÑ");
  // Kana, kanji, digits and signs stay.
  EXPECT_EQ(UpperCase(u"ﾌﾞﾛｯｸ名称_1#"), u"ﾌﾞﾛｯｸ名称_1#");
}

TEST(UpperCase, NeverChangesTheLength) {
  // Full case mapping would turn ß into SS and ŉ into two letters.
  EXPECT_EQ(UpperCase(u"ßŉ"), u"ßŉ");
  EXPECT_EQ(UpperCase(u"ÿ"), u"Ÿ");
  // Surrogate halves stay as they are, paired or not.
  const std::u16string astral = u"\U00010428x";  // Deseret small letter
  EXPECT_EQ(UpperCase(astral), u"\U00010428X");
  EXPECT_EQ(UpperCase(std::u16string(1, char16_t(0xDC00))), std::u16string(1, char16_t(0xDC00)));
}

// Expects every step-th unit from lower to lastLower to fold to the unit at
// the same place from upper, and the units in between to stay.
void ExpectAlphabetFolds(char16_t lower, char16_t lastLower, char16_t upper, int step) {
  for (char16_t c = lower; c <= lastLower; ++c) {
    const int offset = c - lower;
    const char16_t expected = offset % step == 0 ? static_cast<char16_t>(upper + offset) : c;
    EXPECT_EQ(UpperCase(c), expected) << std::hex << "U+" << int(c);
  }
}

TEST(UpperCase, WholeAlphabetsFold) {
  ExpectAlphabetFolds(u'a', u'z', u'A', 1);
  ExpectAlphabetFolds(u'à', u'ö', u'À', 1);
  ExpectAlphabetFolds(u'ø', u'þ', u'Ø', 1);
  // Latin Extended-A and Additional, Cyrillic: upper and lower alternate.
  ExpectAlphabetFolds(0x0101, 0x012F, 0x0100, 2);
  ExpectAlphabetFolds(0x014B, 0x0177, 0x014A, 2);
  ExpectAlphabetFolds(0x1E01, 0x1E95, 0x1E00, 2);
  ExpectAlphabetFolds(0x0461, 0x0481, 0x0460, 2);
  ExpectAlphabetFolds(u'α', u'ρ', u'Α', 1);
  ExpectAlphabetFolds(u'σ', u'ω', u'Σ', 1);
  EXPECT_EQ(UpperCase(u'ς'), u'Σ');
  ExpectAlphabetFolds(u'а', u'я', u'А', 1);
  ExpectAlphabetFolds(u'ѐ', u'џ', u'Ѐ', 1);
  ExpectAlphabetFolds(0x0561, 0x0586, 0x0531, 1);  // Armenian
  ExpectAlphabetFolds(0xAB70, 0xABBF, 0x13A0, 1);  // Cherokee
  // Small roman numerals and circled letters, both in code page 932.
  ExpectAlphabetFolds(u'ⅰ', u'ⅿ', u'Ⅰ', 1);
  ExpectAlphabetFolds(u'ⓐ', u'ⓩ', u'Ⓐ', 1);
  ExpectAlphabetFolds(u'ａ', u'ｚ', u'Ａ', 1);
  // Letters whose capital lies far away.
  EXPECT_EQ(UpperCase(u'µ'), u'Μ');
  EXPECT_EQ(UpperCase(u'ı'), u'I');
  EXPECT_EQ(UpperCase(u'ſ'), u'S');
}

TEST(UpperCase, UpperCaseIsStableAndLeavesCaselessBlocks) {
  for (unsigned u = 0; u < 0x10000; ++u) {
    const char16_t c = static_cast<char16_t>(u);
    ASSERT_EQ(UpperCase(UpperCase(c)), UpperCase(c)) << std::hex << "U+" << u;
    // Kana, ideographs, surrogates and the private use area have no case.
    const bool caseless = (u >= 0x3040 && u <= 0x9FFF) || (u >= 0xD800 && u <= 0xF8FF);
    if (caseless) {
      ASSERT_EQ(UpperCase(c), c) << std::hex << "U+" << u;
    }
  }
}

TEST(UpperCase, EqualityIgnoresCaseButNotWidthOrLength) {
  EXPECT_TRUE(EqualsIgnoringCase(u"Block1", u"BLOCK1"));
  EXPECT_TRUE(EqualsIgnoringCase(u"ｆｏｒｍ", u"ＦＯＲＭ"));
  EXPECT_TRUE(EqualsIgnoringCase(u"", u""));
  EXPECT_FALSE(EqualsIgnoringCase(u"form", u"ＦＯＲＭ"));
  EXPECT_FALSE(EqualsIgnoringCase(u"ITEM", u"ITEM "));
  EXPECT_FALSE(EqualsIgnoringCase(u"A_B", u"A-B"));
}

}  // namespace
}  // namespace tarnwick
