#include "review/inline_diff.h"

#include <algorithm>
#include <cstdint>

namespace tarnwick {
namespace {

// Above this many token pairs the common subsequence is not searched.
constexpr std::size_t kMaxCells = 250'000;

bool IsWordUnit(char16_t c) {
  return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') ||
         c == u'_';
}

bool IsBlankUnit(char16_t c) {
  return c == u' ' || c == u'\t' || c == u'\u3000';
}

std::vector<TextSpan> Tokens(std::u16string_view line) {
  std::vector<TextSpan> tokens;
  std::size_t i = 0;
  while (i < line.size()) {
    std::size_t end = i + 1;
    if (IsWordUnit(line[i])) {
      while (end < line.size() && IsWordUnit(line[end])) ++end;
    } else if (IsBlankUnit(line[i])) {
      while (end < line.size() && IsBlankUnit(line[end])) ++end;
    } else if (line[i] >= 0xD800 && line[i] < 0xDC00 && end < line.size() && line[end] >= 0xDC00 &&
               line[end] < 0xE000) {
      ++end;  // a surrogate pair is one character
    }
    tokens.push_back({i, end});
    i = end;
  }
  return tokens;
}

std::u16string_view Text(std::u16string_view line, TextSpan span) {
  return line.substr(span.begin, span.end - span.begin);
}

void AddSpan(std::vector<TextSpan>& spans, std::size_t begin, std::size_t end) {
  if (begin >= end) return;
  if (!spans.empty() && spans.back().end == begin) {
    spans.back().end = end;
  } else {
    spans.push_back({begin, end});
  }
}

// Narrows a pair of changed regions by their common leading and trailing
// characters and records what is left; returns the characters kept in common.
std::size_t AddRegionPair(std::u16string_view line1, std::u16string_view line2, TextSpan region1,
                          TextSpan region2, InlineDifference& out) {
  std::size_t b1 = region1.begin, e1 = region1.end, b2 = region2.begin, e2 = region2.end;
  while (b1 < e1 && b2 < e2 && line1[b1] == line2[b2]) ++b1, ++b2;
  while (b1 < e1 && b2 < e2 && line1[e1 - 1] == line2[e2 - 1]) --e1, --e2;
  AddSpan(out.changed1, b1, e1);
  AddSpan(out.changed2, b2, e2);
  return (b1 - region1.begin) + (region1.end - e1);
}

}  // namespace

InlineDifference DiffWithinLine(std::u16string_view line1, std::u16string_view line2) {
  InlineDifference out;
  const std::vector<TextSpan> tokens1 = Tokens(line1);
  const std::vector<TextSpan> tokens2 = Tokens(line2);
  const std::size_t n = tokens1.size(), m = tokens2.size();

  // Common leading and trailing tokens need no table.
  std::size_t head = 0;
  while (head < n && head < m && Text(line1, tokens1[head]) == Text(line2, tokens2[head])) ++head;
  std::size_t tail = 0;
  while (tail < n - head && tail < m - head &&
         Text(line1, tokens1[n - 1 - tail]) == Text(line2, tokens2[m - 1 - tail])) {
    ++tail;
  }
  const std::size_t rows = n - head - tail, cols = m - head - tail;
  std::size_t common = 0;
  for (std::size_t k = 0; k < head; ++k) common += tokens1[k].end - tokens1[k].begin;
  for (std::size_t k = 0; k < tail; ++k)
    common += tokens1[n - 1 - k].end - tokens1[n - 1 - k].begin;

  // The matched token pairs of the middle, in order.
  std::vector<std::pair<std::size_t, std::size_t>> matches;
  if (rows > 0 && cols > 0 && rows * cols <= kMaxCells) {
    // lcs[i][j]: length of the common subsequence of the middle's suffixes.
    std::vector<std::uint32_t> lcs((rows + 1) * (cols + 1), 0);
    const auto at = [cols](std::size_t i, std::size_t j) { return i * (cols + 1) + j; };
    for (std::size_t i = rows; i-- > 0;) {
      for (std::size_t j = cols; j-- > 0;) {
        lcs[at(i, j)] = Text(line1, tokens1[head + i]) == Text(line2, tokens2[head + j])
                            ? lcs[at(i + 1, j + 1)] + 1
                            : std::max(lcs[at(i + 1, j)], lcs[at(i, j + 1)]);
      }
    }
    for (std::size_t i = 0, j = 0; i < rows && j < cols;) {
      if (Text(line1, tokens1[head + i]) == Text(line2, tokens2[head + j])) {
        matches.emplace_back(head + i++, head + j++);
      } else if (lcs[at(i + 1, j)] >= lcs[at(i, j + 1)]) {
        ++i;
      } else {
        ++j;
      }
    }
  }
  matches.emplace_back(n - tail, m - tail);  // the common tail closes the last region

  // Between consecutive matches lies one changed region on each side.
  std::size_t next1 = head, next2 = head;
  for (const auto& [i, j] : matches) {
    const TextSpan region1{next1 < n ? tokens1[next1].begin : line1.size(),
                           i < n ? tokens1[i].begin : line1.size()};
    const TextSpan region2{next2 < m ? tokens2[next2].begin : line2.size(),
                           j < m ? tokens2[j].begin : line2.size()};
    common += AddRegionPair(line1, line2, region1, region2, out);
    if (i < n - tail) common += tokens1[i].end - tokens1[i].begin;
    next1 = i + 1;
    next2 = j + 1;
  }
  out.similar = common * 5 >= std::max(line1.size(), line2.size()) * 2;
  return out;
}

}  // namespace tarnwick
