// The wildcard "like" matcher of the search: "*" any run, "?" one code unit,
// "#" one digit 0-9, "[list]" and "[!list]" one code unit in or not in the
// list (ranges by code unit), anything else itself, compared code unit by code
// unit. The whole text must match the whole pattern. A pattern is compiled
// once; matching takes time bounded by pattern length times text length.
//
//   const LikePattern pattern(u"*WHEN-#*");
//   pattern.Matches(u"ON WHEN-1 X");  // true: "*" any run, "#" one digit
//   pattern.Occurrences(u"WHEN-1 WHEN-2");  // {{0, 6}, {7, 13}}: the part between the stars
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tarnwick {

class LikePattern {
 public:
  // Never throws: an invalid pattern (a "[" without its "]") is remembered and
  // reported by the first Matches.
  explicit LikePattern(std::u16string_view pattern = {});

  bool Valid() const { return valid_; }
  const std::u16string& Source() const { return source_; }

  // Throws tarnwick::Error when the pattern is invalid.
  bool Matches(std::u16string_view text) const;

  // Where the part between the pattern's leading and trailing "*" occurs in
  // `text`, as [begin, end) ranges: leftmost first, not overlapping, each
  // ending as early as its start allows. Empty for an invalid pattern or one
  // that does not start and end with "*". For pointing at search hits.
  std::vector<std::pair<std::size_t, std::size_t>> Occurrences(std::u16string_view text) const;

 private:
  enum class Kind : std::uint8_t { Literal, AnyChar, Digit, Set, NegatedSet };
  struct Token {
    Kind kind;
    char16_t literal;     // Literal
    std::uint32_t first;  // Set, NegatedSet: the ranges [first, first + count)
    std::uint32_t count;
  };
  struct Range {
    char16_t low;
    char16_t high;
  };
  // A run of tokens between two stars; each token takes exactly one code unit.
  struct Segment {
    std::uint32_t first;
    std::uint32_t count;
    bool literalOnly;
    std::int32_t skipTable = -1;  // index into skips_ for literal runs of 2 or more
  };
  // Horspool shifts keyed by the low byte of a code unit; a shared bucket
  // keeps the smallest shift, so a skip never passes over a match.
  using SkipTable = std::array<std::uint8_t, 256>;

  bool TokenMatches(const Token& token, char16_t c) const;
  bool SegmentMatchesAt(const Segment& segment, std::u16string_view text, std::size_t at) const;
  // Leftmost position >= from where segment `index` fits before `limit`, or npos.
  std::size_t FindSegment(std::size_t index, std::u16string_view text, std::size_t from,
                          std::size_t limit) const;

  std::u16string source_;
  bool valid_ = true;
  bool leadingStar_ = false;
  bool trailingStar_ = false;
  std::vector<Token> tokens_;
  std::vector<Range> ranges_;
  std::vector<Segment> segments_;
  std::u16string literals_;  // the code units of literal-only segments, back to back
  std::vector<std::uint32_t> literalStart_;  // per segment, its offset in literals_
  std::vector<SkipTable> skips_;
};

}  // namespace tarnwick
