#include "search/like_pattern.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <utility>
#include <vector>

#include "base/error.h"
#include "text/utf8.h"

namespace tarnwick {
namespace {

bool Like(std::u16string_view text, std::u16string_view pattern) {
  return LikePattern(pattern).Matches(text);
}

TEST(LikePattern, WildcardsStandForRunsCharactersAndDigits) {
  EXPECT_TRUE(Like(u"", u"*"));
  EXPECT_TRUE(Like(u"abc", u"*"));
  EXPECT_TRUE(Like(u"", u""));
  EXPECT_FALSE(Like(u"a", u""));
  EXPECT_TRUE(Like(u"abc", u"a*c"));
  EXPECT_TRUE(Like(u"ac", u"a*c"));
  EXPECT_FALSE(Like(u"acb", u"a*c"));
  EXPECT_TRUE(Like(u"abc", u"a?c"));
  EXPECT_FALSE(Like(u"ac", u"a?c"));
  EXPECT_FALSE(Like(u"abbc", u"a?c"));
  EXPECT_TRUE(Like(u"x0y", u"x#y"));
  EXPECT_TRUE(Like(u"x9y", u"x#y"));
  EXPECT_FALSE(Like(u"xay", u"x#y"));
  EXPECT_FALSE(Like(u"x１y", u"x#y"));  // full-width digits are not 0-9
}

TEST(LikePattern, TheHeaderExampleHolds) {
  const LikePattern pattern(u"*WHEN-#*");
  EXPECT_TRUE(pattern.Matches(u"ON WHEN-1 X"));
  EXPECT_EQ(pattern.Occurrences(u"WHEN-1 WHEN-2"),
            (std::vector<std::pair<std::size_t, std::size_t>>{{0, 6}, {7, 13}}));
}

TEST(LikePattern, WholeTextMustMatchSoContainmentNeedsStarsAround) {
  EXPECT_FALSE(Like(u"SELECT * FROM T", u"FROM"));
  EXPECT_TRUE(Like(u"SELECT * FROM T", u"*FROM*"));
  EXPECT_TRUE(Like(u"FROM", u"*FROM*"));
  EXPECT_FALSE(Like(u"FRO", u"*FROM*"));
  EXPECT_TRUE(Like(u"abcabd", u"*abd"));
  EXPECT_TRUE(Like(u"abab", u"ab*ab"));
  EXPECT_FALSE(Like(u"aba", u"ab*ab"));  // prefix and suffix may not overlap
  EXPECT_TRUE(Like(u"aXbYc", u"*a*b*c*"));
  EXPECT_FALSE(Like(u"cba", u"*a*b*c*"));
}

TEST(LikePattern, ComparisonIsOrdinalByCodeUnit) {
  EXPECT_FALSE(Like(u"abc", u"*B*"));
  EXPECT_TRUE(Like(u"ｱｲｳ", u"*ｲ*"));
  EXPECT_FALSE(Like(u"アイウ", u"*ｲ*"));
  EXPECT_TRUE(Like(u"\U0001F600", u"??"));  // one astral character is two code units
  EXPECT_FALSE(Like(u"\U0001F600", u"?"));
}

TEST(LikePattern, ListsMatchOneCodeUnitInOrNotInTheList) {
  EXPECT_TRUE(Like(u"b", u"[abc]"));
  EXPECT_FALSE(Like(u"d", u"[abc]"));
  EXPECT_FALSE(Like(u"bc", u"[abc]"));
  EXPECT_TRUE(Like(u"m", u"[a-z]"));
  EXPECT_FALSE(Like(u"M", u"[a-z]"));
  EXPECT_TRUE(Like(u"M", u"[a-zA-Z]"));
  EXPECT_TRUE(Like(u"か", u"[ぁ-ん]"));
  EXPECT_FALSE(Like(u"カ", u"[ぁ-ん]"));
  EXPECT_TRUE(Like(u"d", u"[!abc]"));
  EXPECT_FALSE(Like(u"b", u"[!abc]"));
  EXPECT_FALSE(Like(u"m", u"[!a-z]"));
  EXPECT_FALSE(Like(u"", u"[!a]"));  // a list always takes one code unit
}

TEST(LikePattern, DashAtEitherEndOfAListStandsForItself) {
  EXPECT_TRUE(Like(u"-", u"[-a]"));
  EXPECT_TRUE(Like(u"a", u"[-a]"));
  EXPECT_FALSE(Like(u"b", u"[-a]"));
  EXPECT_TRUE(Like(u"-", u"[a-]"));
  EXPECT_FALSE(Like(u"b", u"[a-]"));
  EXPECT_FALSE(Like(u"-", u"[!a-]"));
  EXPECT_TRUE(Like(u"x", u"[!-]"));
  EXPECT_FALSE(Like(u"-", u"[!-]"));
  EXPECT_TRUE(Like(u"-", u"[a-c-]"));
  EXPECT_TRUE(Like(u"b", u"[a-c-]"));
}

TEST(LikePattern, OddListsMatchNothingOrAnything) {
  EXPECT_FALSE(Like(u"m", u"[z-a]"));  // reversed bounds hold nothing
  EXPECT_FALSE(Like(u"z", u"[z-a]"));
  EXPECT_FALSE(Like(u"a", u"[z-a]"));
  EXPECT_TRUE(Like(u"m", u"[!z-a]"));
  EXPECT_TRUE(Like(u"q", u"[z-aq]"));
  EXPECT_FALSE(Like(u"", u"[]"));
  EXPECT_FALSE(Like(u"a", u"[]"));
  EXPECT_FALSE(Like(u"]", u"[]]"));  // the first "]" closes the list
  EXPECT_TRUE(Like(u"x", u"[!]"));
  EXPECT_TRUE(Like(u"]", u"[!]"));
  EXPECT_FALSE(Like(u"", u"[!]"));
  EXPECT_FALSE(Like(u"xy", u"[!]"));
}

TEST(LikePattern, SpecialCharactersAreFoundLiterallyInBrackets) {
  EXPECT_TRUE(Like(u"a*b", u"*[*]*"));
  EXPECT_FALSE(Like(u"ab", u"*[*]*"));
  EXPECT_TRUE(Like(u"?", u"[?]"));
  EXPECT_FALSE(Like(u"x", u"[?]"));
  EXPECT_TRUE(Like(u"#", u"[#]"));
  EXPECT_FALSE(Like(u"1", u"[#]"));
  EXPECT_TRUE(Like(u"[", u"[[]"));
  EXPECT_FALSE(Like(u"!", u"[!!]"));
  EXPECT_TRUE(Like(u"a]", u"a]"));  // "]" and "!" outside brackets are themselves
  EXPECT_TRUE(Like(u"!x", u"!x"));
  EXPECT_FALSE(Like(u"x", u"!x"));
}

TEST(LikePattern, OpenBracketWithoutCloseIsAnErrorWhenMatched) {
  for (std::u16string_view pattern : {u"*a[b*", u"[", u"a[", u"[!", u"]["}) {
    SCOPED_TRACE(ToUtf8(pattern));
    const LikePattern like(pattern);  // compiling never throws
    EXPECT_FALSE(like.Valid());
    try {
      like.Matches(u"a[b");
      ADD_FAILURE() << "no error";
    } catch (const Error& error) {
      EXPECT_NE(error.Description().find(std::u16string(pattern)), std::u16string::npos);
    }
  }
  EXPECT_TRUE(LikePattern(u"]").Valid());
  EXPECT_TRUE(LikePattern(u"[]").Valid());
}

// A direct recursive reading of the rules, exponential but obviously right.
bool ReferenceLike(std::u16string_view text, std::u16string_view pattern) {
  if (pattern.empty()) return text.empty();
  if (pattern[0] == u'*') {
    for (std::size_t k = 0; k <= text.size(); ++k) {
      if (ReferenceLike(text.substr(k), pattern.substr(1))) return true;
    }
    return false;
  }
  if (text.empty()) return false;
  const char16_t c = text[0];
  std::size_t used = 1;
  bool ok = false;
  if (pattern[0] == u'?') {
    ok = true;
  } else if (pattern[0] == u'#') {
    ok = c >= u'0' && c <= u'9';
  } else if (pattern[0] == u'[') {
    const std::size_t close = pattern.find(u']');
    std::u16string_view list = pattern.substr(1, close - 1);
    const bool negated = !list.empty() && list[0] == u'!';
    if (negated) list.remove_prefix(1);
    bool in = false;
    for (std::size_t k = 0; k < list.size(); ++k) {
      if (k + 2 < list.size() && list[k + 1] == u'-') {
        in = in || (list[k] <= c && c <= list[k + 2]);
        k += 2;
      } else {
        in = in || list[k] == c;
      }
    }
    ok = in != negated;
    used = close + 1;
  } else {
    ok = pattern[0] == c;
  }
  return ok && ReferenceLike(text.substr(1), pattern.substr(used));
}

bool ReferenceValid(std::u16string_view pattern) {
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] != u'[') continue;
    i = pattern.find(u']', i + 1);
    if (i == std::u16string_view::npos) return false;
  }
  return true;
}

TEST(LikePattern, AgreesWithTheRecursiveReadingOnRandomShortInputs) {
  std::mt19937 random(20261207);
  auto make = [&](std::u16string_view alphabet, int maxLength) {
    std::u16string s(random() % (maxLength + 1), u' ');
    for (char16_t& c : s) c = alphabet[random() % alphabet.size()];
    return s;
  };
  // The second alphabet mixes code units that share their low byte (A and
  // U+0141, B and U+0142), which the skip tables of long words bucket together.
  const std::u16string_view alphabets[][2] = {{u"ab-!][*?#1", u"ab-!][1x"},
                                              {u"AB\u0141\u0142*?", u"AB\u0141\u0142"}};
  for (const auto& [patternAlphabet, textAlphabet] : alphabets) {
    int matched = 0;
    for (int round = 0; round < 20000; ++round) {
      const std::u16string pattern = make(patternAlphabet, 8);
      const std::u16string text = make(textAlphabet, 12);
      const LikePattern like(pattern);
      if (!ReferenceValid(pattern)) {
        EXPECT_THROW(like.Matches(text), Error) << ToUtf8(pattern);
        continue;
      }
      const bool expected = ReferenceLike(text, pattern);
      ASSERT_EQ(like.Matches(text), expected) << ToUtf8(text) << " like " << ToUtf8(pattern);
      matched += expected ? 1 : 0;
    }
    EXPECT_GT(matched, 500);  // the sample exercises matches, not only misses
  }
}

}  // namespace
}  // namespace tarnwick
