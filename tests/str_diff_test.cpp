#include "diff/str_diff.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "tests/str_diff_reference.h"
#include "text/line_reader.h"
#include "text/utf8.h"

namespace tarnwick {
namespace {

// A record as "kind|line|idx1|idx2" (kind 0 common, 1 or 2 one side only),
// the line being the one the kind fills.
std::string Show(const LineRecord& r) {
  const std::u16string_view line = r.kind == LineKind::kOnly2 ? r.line2 : r.line1;
  const char* const kinds[] = {"0", "1", "2"};
  return kinds[static_cast<int>(r.kind)] + ("|" + ToUtf8(line)) + "|" + std::to_string(r.idx1) +
         "|" + std::to_string(r.idx2);
}

std::vector<std::string> Show(const std::vector<LineRecord>& records) {
  std::vector<std::string> out;
  for (const LineRecord& r : records) out.push_back(Show(r));
  return out;
}

std::vector<std::string> Records(StrDiff2& diff) {
  std::vector<std::string> out;
  diff.Rewind();
  for (LineRecord r; diff.NextDiffLine(r);) out.push_back(Show(r));
  return out;
}

std::vector<std::string> Diff(std::u16string_view text1, std::u16string_view text2) {
  return Show(DiffLines(text1, text2));
}

const std::vector<DiffBlock>& Blocks(const StrDiff2& diff) {
  return StrDiff2Inspector::Blocks(diff);
}

using Lines = std::vector<std::string>;

TEST(LineHash, RotatesFifteenBitsOverLittleEndianBytes) {
  EXPECT_EQ(LineHash(u""), 0);
  EXPECT_EQ(LineHash(u"a"), 0xC2);   // 0x61, rotate, then 0x00
  EXPECT_EQ(LineHash(u"あ"), 0xB4);  // U+3042: 0x42, rotate, then 0x30
  // Bit 0 set by the second byte travels up 14 places, then wraps to bit 0.
  EXPECT_EQ(LineHash(std::u16string(u"\u0100") + std::u16string(7, u'\0')), 0x4000);
  EXPECT_EQ(LineHash(std::u16string(u"\u0100") + std::u16string(8, u'\0')), 0x0002);
  // Different lines may share a hash; the difference still tells them apart.
  EXPECT_EQ(LineHash(u"\u0001"), LineHash(u"\u0200"));
  EXPECT_EQ(Diff(u"\u0001", u"\u0200"), (Lines{"1|\x01|1|0", "2|\xC8\x80|0|1"}));
}

TEST(StrDiff, IdenticalTextsAreOneUnchangedBlock) {
  StrDiff2 diff;
  diff.SetText1(u"x\r\ny\r\nz");
  diff.SetText2(u"x\r\ny\r\nz");
  diff.BuildDiff();
  ASSERT_EQ(Blocks(diff).size(), 1u);
  EXPECT_FALSE(Blocks(diff)[0].bChanged);
  EXPECT_EQ(Blocks(diff)[0].nLen1, 3);
  EXPECT_EQ(Blocks(diff)[0].nNext, -1);
  EXPECT_EQ(Records(diff), (Lines{"0|x|1|1", "0|y|2|2", "0|z|3|3"}));
}

TEST(StrDiff, ChangedLinesComeTextOneFirst) {
  EXPECT_EQ(Diff(u"a\nb\nc", u"a\nc\nd"), (Lines{"0|a|1|1", "1|b|2|0", "0|c|3|2", "2|d|0|3"}));
  EXPECT_EQ(Diff(u"a\nb\nc", u"a\nx\nc"), (Lines{"0|a|1|1", "1|b|2|0", "2|x|0|2", "0|c|3|3"}));
  EXPECT_EQ(Diff(u"a\nb\nc\nd", u"a\nx\ny\nd"),
            (Lines{"0|a|1|1", "1|b|2|0", "1|c|3|0", "2|x|0|2", "2|y|0|3", "0|d|4|4"}));
  // The empty text is one empty line.
  EXPECT_EQ(Diff(u"", u"x"), (Lines{"1||1|0", "2|x|0|1"}));
  EXPECT_EQ(Diff(u"", u""), (Lines{"0||1|1"}));
}

TEST(StrDiff, ExtraLinesAtTheEndFormAOneSidedBlock) {
  StrDiff2 diff;
  diff.SetText1(u"a\nb");
  diff.SetText2(u"a\nb\nc\nd");
  diff.BuildDiff();
  const std::vector<DiffBlock>& blocks = Blocks(diff);
  ASSERT_EQ(blocks.size(), 2u);
  EXPECT_FALSE(blocks[0].bChanged);
  EXPECT_EQ(blocks[0].nLen1, 2);
  EXPECT_EQ(blocks[0].nNext, 2);
  EXPECT_TRUE(blocks[1].bChanged);
  EXPECT_EQ(blocks[1].nStart1, 3);
  EXPECT_EQ(blocks[1].nLen1, 0);
  EXPECT_EQ(blocks[1].nStart2, 3);
  EXPECT_EQ(blocks[1].nLen2, 2);
  EXPECT_EQ(blocks[1].nNext, -1);
  EXPECT_EQ(Records(diff), (Lines{"0|a|1|1", "0|b|2|2", "2|c|0|3", "2|d|0|4"}));

  EXPECT_EQ(Diff(u"a\nb\nc", u"a"), (Lines{"0|a|1|1", "1|b|2|0", "1|c|3|0"}));
}

TEST(StrDiff, LongestRunWinsThenNearestToTheStartThenFirstFound) {
  // b, a is the longest run.
  EXPECT_EQ(Diff(u"a\nb\na\nb", u"b\na"), (Lines{"1|a|1|0", "0|b|2|1", "0|a|3|2", "1|b|4|0"}));
  // a at (1, 3) and b at (3, 1) tie on length and distance: a is found first.
  EXPECT_EQ(Diff(u"a\nx\nb", u"b\ny\na"),
            (Lines{"2|b|0|1", "2|y|0|2", "0|a|1|3", "1|x|2|0", "1|b|3|0"}));
  // Equal lengths: the run nearer to the start of both texts wins.
  EXPECT_EQ(Diff(u"p\nq\nr\np", u"x\np\ny"),
            (Lines{"2|x|0|1", "0|p|1|2", "1|q|2|0", "1|r|3|0", "1|p|4|0", "2|y|0|3"}));
}

TEST(StrDiff, PiecesAreLinkedInTextOrderNotStorageOrder) {
  StrDiff2 diff;
  diff.SetText1(u"a\nb\nx\nc\nd\ne");
  diff.SetText2(u"b\na\ny\nc\nd\ne");
  diff.BuildDiff();
  struct Shape {
    bool changed;
    std::int32_t start1, start2, len1, len2, next;
  };
  const std::vector<Shape> expected = {{true, 1, 1, 0, 1, 3},
                                       {false, 4, 4, 3, 3, -1},
                                       {false, 1, 2, 1, 1, 4},
                                       {true, 2, 3, 2, 1, 2}};
  ASSERT_EQ(Blocks(diff).size(), expected.size());
  for (std::size_t k = 0; k < expected.size(); ++k) {
    const DiffBlock& b = Blocks(diff)[k];
    SCOPED_TRACE("block " + std::to_string(k + 1));
    EXPECT_EQ(b.bChanged, expected[k].changed);
    EXPECT_EQ(b.nStart1, expected[k].start1);
    EXPECT_EQ(b.nStart2, expected[k].start2);
    EXPECT_EQ(b.nLen1, expected[k].len1);
    EXPECT_EQ(b.nLen2, expected[k].len2);
    EXPECT_EQ(b.nNext, expected[k].next);
  }
  EXPECT_EQ(Records(diff), (Lines{"2|b|0|1", "0|a|1|2", "1|b|2|0", "1|x|3|0", "2|y|0|3", "0|c|4|4",
                                  "0|d|5|5", "0|e|6|6"}));
}

TEST(StrDiff, LinesCompareExactlyAfterDroppingOneCarriageReturn) {
  EXPECT_EQ(Diff(u"a\r\nb\r\n", u"a\nb\n"), (Lines{"0|a|1|1", "0|b|2|2", "0||3|3"}));
  EXPECT_EQ(Diff(u"a\x1A\nb", u"a\nb"), (Lines{"0|a|1|1", "0|b|2|2"}));
  EXPECT_EQ(Diff(u"A", u"a"), (Lines{"1|A|1|0", "2|a|0|1"}));
  // Only one CR goes; a CR inside the line stays.
  EXPECT_EQ(Diff(u"a\r\r\nb\rc", u"a\r\nb\rc"), (Lines{"1|a\r|1|0", "2|a|0|1", "0|b\rc|2|2"}));
}

TEST(StrDiff, ReadingPastTheEndKeepsAnsweringEndAndRewindStartsOver) {
  StrDiff2 diff;
  diff.SetText1(u"a\nb");
  diff.SetText2(u"b");
  diff.BuildDiff();
  const Lines first = Records(diff);
  EXPECT_EQ(first, (Lines{"1|a|1|0", "0|b|2|1"}));
  LineRecord r;
  r.idx1 = 7;
  for (int n = 0; n < 3; ++n) {
    EXPECT_FALSE(diff.NextDiffLine(r));
    EXPECT_EQ(r.idx1, 7) << "the record is left alone";
  }
  EXPECT_EQ(Records(diff), first);

  // Without BuildDiff there are no blocks and no records.
  StrDiff2 fresh;
  fresh.Rewind();
  EXPECT_FALSE(fresh.NextDiffLine(r));
}

TEST(StrDiff, OneObjectServesManyComparisons) {
  StrDiff2 diff;
  diff.SetText1(u"a\nb");
  diff.SetText2(u"a\nc");
  diff.BuildDiff();
  EXPECT_EQ(Records(diff), (Lines{"0|a|1|1", "1|b|2|0", "2|c|0|2"}));
  diff.SetText2(u"b");
  diff.BuildDiff();
  EXPECT_EQ(Records(diff), (Lines{"1|a|1|0", "0|b|2|1"}));
  // New texts void the old blocks until the next BuildDiff.
  diff.SetText1(u"");
  EXPECT_EQ(Records(diff), Lines{});
  diff.BuildDiff();
  EXPECT_EQ(Records(diff), (Lines{"1||1|0", "2|b|0|1"}));
}

std::u16string Join(const std::vector<std::u16string>& lines) {
  std::u16string text;
  for (std::size_t k = 0; k < lines.size(); ++k) {
    if (k > 0) text += u"\r\n";
    text += lines[k];
  }
  return text;
}

// In list order the blocks cover both texts from the first line to the last,
// and an unchanged block pairs equal lines.
void ExpectBlocksCoverBothTexts(const StrDiff2& diff, const std::u16string& text1,
                                const std::u16string& text2) {
  std::vector<std::u16string_view> lines1{{}}, lines2{{}};
  for (std::int64_t p = 1; p != -1;) lines1.push_back(ReadLine(text1, p));
  for (std::int64_t p = 1; p != -1;) lines2.push_back(ReadLine(text2, p));
  const std::vector<DiffBlock>& blocks = Blocks(diff);
  std::int32_t next1 = 1, next2 = 1;
  std::size_t visited = 0;
  for (std::int32_t k = 1; k != -1; k = blocks[k - 1].nNext) {
    ASSERT_TRUE(k >= 1 && static_cast<std::size_t>(k) <= blocks.size());
    ASSERT_LT(visited++, blocks.size()) << "the list loops";
    const DiffBlock& b = blocks[k - 1];
    ASSERT_EQ(b.nStart1, next1);
    ASSERT_EQ(b.nStart2, next2);
    if (!b.bChanged) {
      ASSERT_EQ(b.nLen1, b.nLen2);
      for (std::int32_t t = 0; t < b.nLen1; ++t) {
        ASSERT_EQ(lines1[b.nStart1 + t], lines2[b.nStart2 + t]);
      }
    }
    next1 += b.nLen1;
    next2 += b.nLen2;
  }
  EXPECT_EQ(visited, blocks.size());
  EXPECT_EQ(next1, static_cast<std::int32_t>(lines1.size()));
  EXPECT_EQ(next2, static_cast<std::int32_t>(lines2.size()));
}

void ExpectSameAsReference(const std::u16string& text1, const std::u16string& text2) {
  StrDiff2 diff;
  diff.SetText1(text1);
  diff.SetText2(text2);
  diff.BuildDiff();
  ExpectBlocksCoverBothTexts(diff, text1, text2);
  const ReferenceStrDiff reference(text1, text2);
  ASSERT_EQ(Blocks(diff).size(), reference.Blocks().size());
  for (std::size_t k = 0; k < Blocks(diff).size(); ++k) {
    const DiffBlock& a = Blocks(diff)[k];
    const DiffBlock& b = reference.Blocks()[k];
    ASSERT_TRUE(a.bChanged == b.bChanged && a.nStart1 == b.nStart1 && a.nStart2 == b.nStart2 &&
                a.nLen1 == b.nLen1 && a.nLen2 == b.nLen2 && a.nNext == b.nNext)
        << "block " << k + 1;
  }
  Lines expected;
  for (const LineRecord& r : reference.Records()) expected.push_back(Show(r));
  ASSERT_EQ(Records(diff), expected);
}

// Random texts over a tiny alphabet (with two lines of equal hash) and
// random edits of them: many repeats, many ties, long and short runs. The
// last rounds are long texts of two or three distinct lines, where candidate
// runs are too many to visit one by one.
TEST(StrDiff, AgreesWithTheChainWalkingProcedureOnRandomTexts) {
  const std::vector<std::u16string> alphabet = {u"a", u"b", u"", u"END IF;", u"\u0001", u"\u0200"};
  std::mt19937 rng(20261207);
  auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
  for (int round = 0; round < 3030; ++round) {
    const bool long_texts = round >= 3000;
    const int letters = long_texts ? 2 + pick(2) : 2 + pick(static_cast<int>(alphabet.size()) - 1);
    const int max_lines = round < 2000 ? 12 : round < 3000 ? 60 : 300;
    auto random_lines = [&](int n) {
      std::vector<std::u16string> lines;
      for (int k = 0; k < n; ++k) lines.push_back(alphabet[pick(letters)]);
      return lines;
    };
    std::vector<std::u16string> lines1 = random_lines(1 + pick(max_lines));
    std::vector<std::u16string> lines2;
    if (round % 2 == 0 || long_texts) {
      lines2 = random_lines(1 + pick(max_lines));
    } else {
      // An edited copy with some unique lines, so that long runs occur.
      for (std::u16string& line : lines1) {
        if (pick(4) == 0) line = u"u" + std::u16string(1, char16_t(u'0' + pick(40)));
      }
      lines2 = lines1;
      for (int edits = pick(6); edits > 0 && !lines2.empty(); --edits) {
        const std::size_t at = pick(static_cast<int>(lines2.size()));
        switch (pick(3)) {
          case 0:
            lines2.erase(lines2.begin() + at);
            break;
          case 1:
            lines2.insert(lines2.begin() + at, alphabet[pick(letters)]);
            break;
          default:
            lines2[at] = alphabet[pick(letters)];
            break;
        }
      }
    }
    SCOPED_TRACE("round " + std::to_string(round) + ": " + ToUtf8(Join(lines1)) + " / " +
                 ToUtf8(Join(lines2)));
    ExpectSameAsReference(Join(lines1), Join(lines2));
    if (HasFatalFailure()) return;
  }
}

// A line found nowhere else: a letter for its kind and a number.
std::u16string Numbered(char16_t kind, int n) {
  const std::string digits = std::to_string(n);
  return kind + std::u16string(digits.begin(), digits.end());
}

// Every first, second or third line changed, now and then a line inserted or
// dropped, with repeated lines among the kept and the changed ones: runs are
// short and many, so one block takes hundreds of searches.
TEST(StrDiff, AgreesWithTheChainWalkingProcedureWhereChangesAreDense) {
  const std::vector<std::u16string> repeated = {u"END IF;", u"", u"NULL;", u"END;"};
  std::mt19937 rng(7);
  auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
  for (int round = 0; round < 80; ++round) {
    const int count = 20 + pick(700);
    const int every = 1 + pick(3);
    const int repeatedShare = pick(4);  // in eighths
    auto line = [&](char16_t kind, int n) {
      return pick(8) < repeatedShare ? repeated[pick(4)] : Numbered(kind, n);
    };
    std::vector<std::u16string> lines1, lines2;
    for (int k = 1; k <= count; ++k) {
      lines1.push_back(line(u's', k));
      if (pick(30) == 0) continue;  // dropped
      if (pick(30) == 0) lines2.push_back(line(u'i', k));
      lines2.push_back(k % every == 0 ? line(u't', k) : lines1.back());
    }
    SCOPED_TRACE("round " + std::to_string(round));
    ExpectSameAsReference(Join(lines1), Join(lines2));
    if (HasFatalFailure()) return;
  }
}

// Runs of distinct lines that shorten from left to right, each after a
// changed line, so that every search of the block finds a shorter run than
// the one before; in some rounds text 2 holds the runs in another order or
// with repeated lines inside.
TEST(StrDiff, AgreesWithTheChainWalkingProcedureWhenRunsShortenLeftToRight) {
  std::mt19937 rng(11);
  auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
  for (int round = 0; round < 6; ++round) {
    const int runs = 70 + pick(15);
    std::vector<std::vector<std::u16string>> bodies;
    for (int m = runs; m >= 1; --m) {
      std::vector<std::u16string> body;
      for (int t = 0; t < m; ++t) {
        body.push_back(round % 3 == 2 && pick(5) == 0 ? u"END IF;" : Numbered(u'r', m * 1000 + t));
      }
      bodies.push_back(std::move(body));
    }
    std::vector<int> order2(runs);
    for (int m = 0; m < runs; ++m) order2[m] = m;
    if (round % 3 == 1) {
      for (int swaps = 0; swaps < runs / 4; ++swaps)
        std::swap(order2[pick(runs)], order2[pick(runs)]);
    }
    std::vector<std::u16string> lines1, lines2;
    for (int m = 0; m < runs; ++m) {
      lines1.push_back(Numbered(u'x', m));
      lines1.insert(lines1.end(), bodies[m].begin(), bodies[m].end());
      lines2.push_back(Numbered(u'y', m));
      lines2.insert(lines2.end(), bodies[order2[m]].begin(), bodies[order2[m]].end());
    }
    SCOPED_TRACE("round " + std::to_string(round));
    ExpectSameAsReference(Join(lines1), Join(lines2));
    if (HasFatalFailure()) return;
  }
}

// Texts made of long runs of one repeated line, the second with some runs
// lengthened, shortened or replaced: equal runs of many lengths overlap
// everywhere.
TEST(StrDiff, AgreesWithTheChainWalkingProcedureOnLongRepeatedRuns) {
  const std::vector<std::u16string> alphabet = {u"a", u"b", u"", u"END IF;"};
  std::mt19937 rng(5);
  auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
  for (int round = 0; round < 40; ++round) {
    const int letters = 2 + pick(3);
    std::vector<std::pair<int, int>> runs1;  // (letter, length)
    for (int r = 1 + pick(12); r > 0; --r) runs1.emplace_back(pick(letters), 1 + pick(40));
    std::vector<std::pair<int, int>> runs2 = runs1;
    for (auto& [letter, length] : runs2) {
      if (pick(3) == 0) length = std::max(1, length + pick(11) - 5);
      if (pick(6) == 0) letter = pick(letters);
    }
    auto expand = [&](const std::vector<std::pair<int, int>>& runs) {
      std::vector<std::u16string> lines;
      for (const auto& [letter, length] : runs) lines.insert(lines.end(), length, alphabet[letter]);
      return lines;
    };
    SCOPED_TRACE("round " + std::to_string(round));
    ExpectSameAsReference(Join(expand(runs1)), Join(expand(runs2)));
    if (HasFatalFailure()) return;
  }
}

}  // namespace
}  // namespace tarnwick
