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
