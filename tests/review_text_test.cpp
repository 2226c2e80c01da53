#include <gtest/gtest.h>

#include <string>

#include "review/fold_pack.h"
#include "review/html_text.h"
#include "review/inline_diff.h"
#include "search/like_pattern.h"
#include "text/utf8.h"

namespace tarnwick {
namespace {

TEST(HtmlText, EscapesEverythingThatCouldOpenMarkup) {
  EXPECT_EQ(Html(u"<a href=\"x\">&amp;'</a>"), u"&lt;a href=&quot;x&quot;&gt;&amp;amp;'&lt;/a&gt;");
  EXPECT_EQ(Html(u"a\tb\x01\x1B\x7F"), u"a\tb\u2401\u241B\u2421") << "controls as pictures";
  EXPECT_EQ(Html(u"全角　テキスト"), u"全角　テキスト");
}

TEST(HtmlText, MarkedSpansWrapTheirTextOnly) {
  std::u16string out;
  const TextSpan spans[] = {{0, 1}, {3, 5}, {9, 12}};
  AppendHtmlMarked(out, u"a<bcdef", spans, u"em");
  EXPECT_EQ(out, u"<em>a</em>&lt;b<em>cd</em>ef") << "a span past the end is cut";
}

TEST(HtmlText, HrefsPercentEncodeWhatWouldBreakOrRedirectALink) {
  EXPECT_EQ(HrefOf(u"FORM1.html", u'/'), u"FORM1.html");
  EXPECT_EQ(HrefOf(u"../out/A B#1?%.html", u'/'), u"../out/A%20B%231%3F%25.html");
  EXPECT_EQ(HrefOf(u"a\"<b>&'.html", u'/'), u"a%22%3Cb%3E%26%27.html");
  EXPECT_EQ(HrefOf(u"受注.html", u'/'), u"%E5%8F%97%E6%B3%A8.html");
  EXPECT_EQ(HrefOf(u"sub\\x.html", u'\\'), u"sub/x.html");
  EXPECT_EQ(HrefOf(u"javascript:alert(1).html", u'/'), u"./javascript:alert(1).html")
      << "a colon in the first segment would read as a scheme";
}

std::string Marked(std::u16string_view line, const std::vector<TextSpan>& spans) {
  std::u16string out;
  AppendHtmlMarked(out, line, spans, u"b");
  return ToUtf8(out);
}

// Both lines with their changed parts in <b>, joined by " | ".
std::string BothMarked(std::u16string_view line1, std::u16string_view line2) {
  const InlineDifference d = DiffWithinLine(line1, line2);
  return Marked(line1, d.changed1) + " | " + Marked(line2, d.changed2);
}

std::string Cut(std::u16string_view line) {
  std::string out;
  for (const TextSpan& token : LineTokens(line)) {
    if (!out.empty()) out += '|';
    out += ToUtf8(line.substr(token.begin, token.end - token.begin));
  }
  return out;
}

TEST(InlineDiff, LinesAreCutIntoTheTokensAReaderSees) {
  EXPECT_EQ(Cut(u"IF :B.X$1 >= 1.5 THEN MESSAGE('a''b');"),
            "IF| |:|B|.|X$1| |>=| |1.5| |THEN| |MESSAGE|(|'a''b'|);");
  EXPECT_EQ(Cut(u"x\t \u3000:=-12.5e3,\"q\"\"\""), "x|\t \u3000|:=-|12.5e3|,|\"q\"\"\"")
      << "blanks, a sign run, a number with its letters, a doubled double quote";
  EXPECT_EQ(Cut(u"MESSAGE('open"), "MESSAGE|(|'|open") << "a quote never closed is a sign";
  EXPECT_EQ(Cut(u"受注ＩＤ１２。𠮷野"), "受|注|ＩＤ１２|。|𠮷|野")
      << "Japanese by character, full-width letters and digits as one word";
  EXPECT_EQ(Cut(u"1.2.3 v1.5 Café"), "1.2.3| |v1|.|5| |Café");
  EXPECT_EQ(Cut(u""), "");
}

TEST(InlineDiff, MarksChangedTokensWhole) {
  EXPECT_EQ(BothMarked(u"v VARCHAR2(100);", u"v VARCHAR2(200);"),
            "v VARCHAR2(<b>100</b>); | v VARCHAR2(<b>200</b>);")
      << "a number, not the digit that differs";
  EXPECT_EQ(BothMarked(u"IF a = 1 THEN", u"IF a = 1 AND b = 2 THEN"),
            "IF a = 1 THEN | IF a = 1 <b>AND b = 2 </b>THEN");
  EXPECT_EQ(BothMarked(u"WHERE :ORDERS.ORDER_ID = ID", u"WHERE :ORDERS.CUSTOMER_ID = ID"),
            "WHERE :ORDERS.<b>ORDER_ID</b> = ID | WHERE :ORDERS.<b>CUSTOMER_ID</b> = ID")
      << "an identifier, not its common ending";
  EXPECT_EQ(BothMarked(u"X := 1;", u"X = 1;"), "X <b>:=</b> 1; | X <b>=</b> 1;");
  EXPECT_EQ(BothMarked(u"CALL(a);", u"CALL(a)"), "CALL(a<b>);</b> | CALL(a<b>)</b>")
      << "a run of signs is one token";
  EXPECT_EQ(BothMarked(u"A := B || C;", u"A := B || C || D;"),
            "A := B || C; | A := B || C<b> || D</b>;");
  EXPECT_EQ(BothMarked(u"納期を入力", u"希望納期を入力"), "納期を入力 | <b>希望</b>納期を入力");
  EXPECT_EQ(BothMarked(u"X位置 = 1.5", u"X位置 = 1.25"),
            "X位置 = <b>1.5</b> | X位置 = <b>1.25</b>");
}

TEST(InlineDiff, StringsInEachOthersPlaceAreComparedInside) {
  EXPECT_EQ(BothMarked(u"MESSAGE('Customer not found');", u"MESSAGE('Customer was not found');"),
            "MESSAGE('Customer not found'); | MESSAGE('Customer <b>was </b>not found');");
  EXPECT_EQ(BothMarked(u"MESSAGE('納期は必須です');", u"MESSAGE('希望納期は必須です');"),
            "MESSAGE('納期は必須です'); | MESSAGE('<b>希望</b>納期は必須です');");
  EXPECT_EQ(BothMarked(u"X := 'abc';", u"X := 'xyz';"), "X := <b>'abc'</b>; | X := <b>'xyz'</b>;")
      << "strings with nothing in common are marked whole, quotes and all";
  EXPECT_EQ(BothMarked(u"Y := 'it''s';", u"Y := 'it''s ok';"),
            "Y := 'it''s'; | Y := 'it''s<b> ok</b>';")
      << "a doubled quote does not end the string";
  EXPECT_EQ(BothMarked(u"P('a', 'b');", u"P('a', 'c', 'b');"),
            "P('a', 'b'); | P('a', <b>'c', </b>'b');")
      << "a string added beside others is marked whole";
}

TEST(InlineDiff, UnrelatedLinesAreNotMarkedPieceByPiece) {
  EXPECT_FALSE(DiffWithinLine(u"BEGIN", u"  RAISE FORM_TRIGGER_FAILURE;").similar);
  EXPECT_FALSE(DiffWithinLine(u"510", u"580").similar) << "one number for another";
  EXPECT_FALSE(DiffWithinLine(u"", u"x").similar);
  EXPECT_TRUE(DiffWithinLine(u"", u"").similar);
  EXPECT_TRUE(DiffWithinLine(u"same", u"same").changed1.empty());
}

TEST(InlineDiff, LongAndHostileLinesStayBounded) {
  const std::u16string a = std::u16string(20000, u'a') + u" x " + std::u16string(20000, u'b');
  std::u16string b = a;
  b[20001] = u'y';
  EXPECT_EQ(DiffWithinLine(a, b).changed1, (std::vector<TextSpan>{{20001, 20002}}));
  std::u16string words1, words2;
  for (int i = 0; i < 2000; ++i) {
    words1 += u"w" + FromUtf8(std::to_string(i)) + u" ";
    words2 += u"w" + FromUtf8(std::to_string(i * 7 % 2000)) + u" ";
  }
  EXPECT_FALSE(DiffWithinLine(words1, words2).changed1.empty());
  // Quotes within quotes within quotes: compared one level deep, no deeper.
  const std::u16string quotes1(200000, u'\'');
  const std::u16string quotes2 = u"''" + quotes1;
  EXPECT_FALSE(DiffWithinLine(quotes1, quotes2).changed2.empty());
  // A million characters of Japanese, one token each.
  std::u16string kana1(1'000'000, u'あ'), kana2 = kana1;
  kana2[500'000] = u'い';
  EXPECT_EQ(DiffWithinLine(kana1, kana2).changed2, (std::vector<TextSpan>{{500'000, 500'001}}));
}

// The page script's unpacking, in C++, to prove the packed block round trips.
std::string Unpack(const std::string& block) {
  std::string out;
  std::size_t i = 0;
  const auto length = [&](std::size_t n) {
    if (n != 15) return n;
    unsigned char x;
    do {
      x = static_cast<unsigned char>(block[i++]);
      n += x;
    } while (x == 255);
    return n;
  };
  while (i < block.size()) {
    const auto token = static_cast<unsigned char>(block[i++]);
    const std::size_t literals = length(token >> 4);
    out.append(block, i, literals);
    i += literals;
    if (i >= block.size()) break;
    const std::size_t offset = static_cast<unsigned char>(block[i]) |
                               static_cast<std::size_t>(static_cast<unsigned char>(block[i + 1]))
                                   << 8;
    i += 2;
    std::size_t match = length(token & 15) + 4;
    std::size_t from = out.size() - offset;
    while (match-- > 0) out += out[from++];
  }
  return out;
}

TEST(FoldPack, PackedLinesComeBackWhole) {
  std::string text;
  for (int i = 0; i < 3000; ++i) {
    text += "  IF :BLOCK.ITEM_" + std::to_string(i % 37) + " IS NULL THEN\n    MESSAGE('入力');\n";
  }
  for (const std::string& sample : {text, std::string(), std::string("abc"),
                                    std::string(70000, 'z'), std::string("\0\xff\x01", 3)}) {
    const std::string packed = PackBlock(sample);
    EXPECT_EQ(Unpack(packed), sample);
  }
  EXPECT_LT(PackBlock(text).size() * 5, text.size()) << "repetitive code packs well";
}

TEST(FoldPack, Base64) {
  EXPECT_EQ(Base64(""), u"");
  EXPECT_EQ(Base64("f"), u"Zg==");
  EXPECT_EQ(Base64("fo"), u"Zm8=");
  EXPECT_EQ(Base64("foo"), u"Zm9v");
  EXPECT_EQ(Base64("\xff\xfe\xfd"), u"//79");
}

TEST(LikePattern, OccurrencesAreLeftmostAndDoNotOverlap) {
  using Spans = std::vector<std::pair<std::size_t, std::size_t>>;
  EXPECT_EQ(LikePattern(u"*ab*").Occurrences(u"xabyabab"), (Spans{{1, 3}, {4, 6}, {6, 8}}));
  EXPECT_EQ(LikePattern(u"*IF*THEN*").Occurrences(u"IF a THEN IF b THEN"),
            (Spans{{0, 9}, {10, 19}}));
  EXPECT_EQ(LikePattern(u"*[A-C]#*").Occurrences(u"x A1 D2 C3"), (Spans{{2, 4}, {8, 10}}));
  EXPECT_EQ(LikePattern(u"*aa*").Occurrences(u"aaa"), (Spans{{0, 2}}));
  EXPECT_TRUE(LikePattern(u"ab*").Occurrences(u"ab").empty()) << "only a contained string";
  EXPECT_TRUE(LikePattern(u"*a[b*").Occurrences(u"ab").empty()) << "invalid: nothing, no error";
}

}  // namespace
}  // namespace tarnwick
