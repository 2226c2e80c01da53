#include "review/inline_diff.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <unordered_map>

#include "diff/str_diff.h"

namespace tarnwick {
namespace {

bool IsDigit(char16_t c) {
  return (c >= u'0' && c <= u'9') || (c >= u'０' && c <= u'９');
}

bool IsWordUnit(char16_t c) {
  return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') ||
         c == u'_' || c == u'$' || c == u'#' || (c >= u'０' && c <= u'９') ||
         (c >= u'Ａ' && c <= u'Ｚ') || (c >= u'ａ' && c <= u'ｚ') ||
         (c >= 0x00C0 && c <= 0x024F && c != 0x00D7 && c != 0x00F7);  // accented Latin letters
}

bool IsBlankUnit(char16_t c) {
  return c == u' ' || c == u'\t' || c == u'\u3000';
}

bool IsQuote(char16_t c) {
  return c == u'\'' || c == u'"';
}

bool IsSign(char16_t c) {
  return c > u' ' && c < 0x7F && !IsWordUnit(c) && !IsQuote(c);
}

// The end of the literal opened by the quote at `begin`, or 0 when it is
// never closed; a doubled quote stands for one inside.
std::size_t StringEnd(std::u16string_view line, std::size_t begin) {
  const char16_t quote = line[begin];
  for (std::size_t k = begin + 1; k < line.size(); ++k) {
    if (line[k] != quote) continue;
    if (k + 1 < line.size() && line[k + 1] == quote) {
      ++k;
      continue;
    }
    return k + 1;
  }
  return 0;
}

bool IsString(std::u16string_view line, TextSpan token) {
  return token.end - token.begin >= 2 && IsQuote(line[token.begin]);
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

// Each token as one line of a text for the line difference: its number
// among the distinct tokens of both lines, in three code units that are
// never a line end.
void AppendTokenLine(std::u16string& text, std::uint32_t id) {
  if (!text.empty()) text += u'\n';
  text += static_cast<char16_t>(0x100 + (id & 0x7FFF));
  text += static_cast<char16_t>(0x100 + ((id >> 15) & 0x7FFF));
  text += static_cast<char16_t>(0x100 + (id >> 30));
}

bool Similar(std::size_t common, std::size_t length1, std::size_t length2) {
  return common * 5 >= std::max(length1, length2) * 2;
}

// Marks the changed tokens of line1 and line2 into `out`, the spans shifted
// by base1 and base2; returns how many characters the lines keep in common.
// With `refineStrings`, two strings that take each other's place are
// compared by the tokens inside them (one level deep only).
std::size_t MarkChangedTokens(std::u16string_view line1, std::u16string_view line2,
                              std::size_t base1, std::size_t base2, bool refineStrings,
                              InlineDifference& out) {
  const std::vector<TextSpan> tokens1 = LineTokens(line1);
  const std::vector<TextSpan> tokens2 = LineTokens(line2);
  if (tokens1.empty() || tokens2.empty()) {
    AddSpan(out.changed1, base1, base1 + line1.size());
    AddSpan(out.changed2, base2, base2 + line2.size());
    return 0;
  }

  std::unordered_map<std::u16string_view, std::uint32_t> ids;
  std::u16string text1, text2;
  const auto encode = [&](std::u16string_view line, const std::vector<TextSpan>& tokens,
                          std::u16string& text) {
    text.reserve(tokens.size() * 4);
    for (const TextSpan& token : tokens) {
      const auto [at, added] =
          ids.try_emplace(Text(line, token), static_cast<std::uint32_t>(ids.size()));
      AppendTokenLine(text, at->second);
    }
  };
  encode(line1, tokens1, text1);
  encode(line2, tokens2, text2);

  std::size_t common = 0;
  std::vector<std::size_t> region1, region2;  // token numbers of one changed region
  const auto closeRegion = [&] {
    if (refineStrings && region1.size() == 1 && region2.size() == 1) {
      const TextSpan string1 = tokens1[region1[0]], string2 = tokens2[region2[0]];
      if (IsString(line1, string1) && IsString(line2, string2) &&
          line1[string1.begin] == line2[string2.begin]) {
        // Compared without their quotes: the inside of 'A''B' holds ''.
        const std::u16string_view inner1 =
            line1.substr(string1.begin + 1, string1.end - string1.begin - 2);
        const std::u16string_view inner2 =
            line2.substr(string2.begin + 1, string2.end - string2.begin - 2);
        InlineDifference inner;
        const std::size_t kept = MarkChangedTokens(inner1, inner2, base1 + string1.begin + 1,
                                                   base2 + string2.begin + 1, false, inner);
        if (Similar(kept, inner1.size(), inner2.size())) {
          for (const TextSpan& span : inner.changed1) AddSpan(out.changed1, span.begin, span.end);
          for (const TextSpan& span : inner.changed2) AddSpan(out.changed2, span.begin, span.end);
          common += kept + 2;
          region1.clear();
          region2.clear();
          return;
        }
      }
    }
    for (const std::size_t k : region1) {
      AddSpan(out.changed1, base1 + tokens1[k].begin, base1 + tokens1[k].end);
    }
    for (const std::size_t k : region2) {
      AddSpan(out.changed2, base2 + tokens2[k].begin, base2 + tokens2[k].end);
    }
    region1.clear();
    region2.clear();
  };
  for (const LineRecord& record : DiffLines(text1, text2)) {
    switch (record.kind) {
      case LineKind::kCommon: {
        closeRegion();
        const TextSpan token = tokens1[static_cast<std::size_t>(record.idx1) - 1];
        common += token.end - token.begin;
        break;
      }
      case LineKind::kOnly1:
        region1.push_back(static_cast<std::size_t>(record.idx1) - 1);
        break;
      case LineKind::kOnly2:
        region2.push_back(static_cast<std::size_t>(record.idx2) - 1);
        break;
    }
  }
  closeRegion();
  return common;
}

}  // namespace

std::vector<TextSpan> LineTokens(std::u16string_view line) {
  std::vector<TextSpan> tokens;
  std::size_t i = 0;
  while (i < line.size()) {
    const char16_t c = line[i];
    std::size_t end = i + 1;
    if (IsWordUnit(c)) {
      const bool number = IsDigit(c);
      while (end < line.size()) {
        if (IsWordUnit(line[end])) {
          ++end;
        } else if (number && line[end] == u'.' && end + 1 < line.size() && IsDigit(line[end + 1])) {
          end += 2;  // 1.5 is one number
        } else {
          break;
        }
      }
    } else if (IsBlankUnit(c)) {
      while (end < line.size() && IsBlankUnit(line[end])) ++end;
    } else if (IsQuote(c)) {
      // A quote never closed is a sign of its own.
      if (const std::size_t close = StringEnd(line, i); close != 0) end = close;
    } else if (IsSign(c)) {
      while (end < line.size() && IsSign(line[end])) ++end;
    } else if (c >= 0xD800 && c < 0xDC00 && end < line.size() && line[end] >= 0xDC00 &&
               line[end] < 0xE000) {
      ++end;  // a surrogate pair is one character
    }
    tokens.push_back({i, end});
    i = end;
  }
  return tokens;
}

InlineDifference DiffWithinLine(std::u16string_view line1, std::u16string_view line2) {
  InlineDifference out;
  const std::size_t common = MarkChangedTokens(line1, line2, 0, 0, true, out);
  out.similar = Similar(common, line1.size(), line2.size());
  return out;
}

}  // namespace tarnwick
