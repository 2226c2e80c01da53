// The line difference against the documented procedure written out plainly
// (tests/str_diff_reference.h): the same blocks in the same storage order,
// and the same records. An input whose first byte is below 0x80 spells two
// texts over two to five distinct lines, split at a 0xFF byte, each byte one
// to four copies of a line: runs repeat so much that StrDiff2 leaves its
// candidate search for its suffix-array index. Any other input is two texts
// in code page 932, cut at the first NUL byte. The reference is slow, so
// texts stop at a few hundred lines.
#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "diff/str_diff.h"
#include "fuzz/fuzz_support.h"
#include "tests/str_diff_reference.h"
#include "text/cp932.h"

namespace tarnwick::fuzz {
namespace {

constexpr std::size_t kMaxLines = 400;

// "\u0001" and "\u0200" share a line hash, so only the strings tell them apart.
constexpr std::array<std::u16string_view, 6> kLines = {u"a",       u"b",      u"",
                                                       u"END IF;", u"\u0001", u"\u0200"};

// Bits 0-2 of a byte pick the line, bits 3-4 how many copies.
std::u16string SpelledText(std::string_view bytes, unsigned distinct, unsigned first) {
  std::u16string text;
  std::size_t lines = 0;
  for (const char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    for (unsigned copies = 1 + (b >> 3 & 3); copies > 0 && lines < kMaxLines; --copies) {
      if (lines++ > 0) text += u"\r\n";
      text += kLines[(first + (b & 7) % distinct) % kLines.size()];
    }
  }
  return text;
}

bool SameBlock(const DiffBlock& a, const DiffBlock& b) {
  return a.bChanged == b.bChanged && a.nStart1 == b.nStart1 && a.nStart2 == b.nStart2 &&
         a.nLen1 == b.nLen1 && a.nLen2 == b.nLen2 && a.nNext == b.nNext;
}

bool SameRecord(const LineRecord& a, const LineRecord& b) {
  return a.kind == b.kind && a.idx1 == b.idx1 && a.idx2 == b.idx2 && a.line1 == b.line1 &&
         a.line2 == b.line2;
}

}  // namespace
}  // namespace tarnwick::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tarnwick;
  using namespace tarnwick::fuzz;
  if (size == 0) return 0;
  const auto mode = static_cast<unsigned char>(data[0]);
  const auto [bytes1, bytes2] = SplitInTwo(Bytes(data + 1, size - 1), mode < 0x80 ? '\xFF' : '\0');
  std::u16string text1, text2;
  if (mode < 0x80) {
    const unsigned distinct = 2 + mode % 4;
    text1 = SpelledText(bytes1, distinct, mode / 4);
    text2 = SpelledText(bytes2, distinct, mode / 4);
  } else {
    text1 = DecodeCp932(bytes1);
    text2 = DecodeCp932(bytes2);
    auto lines = [](std::u16string_view text) {
      return static_cast<std::size_t>(std::count(text.begin(), text.end(), u'\n'));
    };
    if (lines(text1) >= kMaxLines || lines(text2) >= kMaxLines) return 0;
  }

  StrDiff2 diff;
  diff.SetText1(text1);
  diff.SetText2(text2);
  diff.BuildDiff();
  const ReferenceStrDiff reference(text1, text2);
  const std::vector<DiffBlock>& blocks = StrDiff2Inspector::Blocks(diff);
  Require(blocks.size() == reference.Blocks().size(), "as many blocks as the reference");
  for (std::size_t k = 0; k < blocks.size(); ++k)
    Require(SameBlock(blocks[k], reference.Blocks()[k]), "the reference's blocks, in its order");

  diff.Rewind();
  LineRecord record;
  for (const LineRecord& expected : reference.Records()) {
    Require(diff.NextDiffLine(record) && SameRecord(record, expected), "the reference's records");
  }
  Require(!diff.NextDiffLine(record), "no record after the reference's last");
  return 0;
}
