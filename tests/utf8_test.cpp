#include "text/utf8.h"

#include <gtest/gtest.h>

namespace tarnwick {
namespace {

TEST(Utf8, RoundTripsJapaneseAndAstralCharacters) {
  const std::u16string text = u"ﾌｫｰﾑ＼～①\U0001F600";
  EXPECT_EQ(FromUtf8(ToUtf8(text)), text);
  EXPECT_EQ(ToUtf8(u"ﾌ"), "\xEF\xBE\x8C");
}

TEST(Utf8, BrokenInputBecomesReplacementCharacters) {
  EXPECT_EQ(ToUtf8(std::u16string(1, char16_t(0xD800))), "\xEF\xBF\xBD");
  EXPECT_EQ(FromUtf8("a\xE3\x81z"), u"a\uFFFDz");
  EXPECT_EQ(FromUtf8("\xFF"), u"\uFFFD");
  EXPECT_EQ(FromUtf8("\xC0\x80"), u"\uFFFD");  // overlong NUL
}

}  // namespace
}  // namespace tarnwick
