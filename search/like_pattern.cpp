#include "search/like_pattern.h"

#include <algorithm>

#include "base/error.h"

namespace tarnwick {

LikePattern::LikePattern(std::u16string_view pattern) : source_(pattern) {
  std::vector<bool> starBefore;  // per token: a star stands right before it
  bool pendingStar = false;
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    const char16_t c = pattern[i];
    if (c == u'*') {
      pendingStar = true;
      continue;
    }
    Token token{Kind::Literal, c, 0, 0};
    if (c == u'?') {
      token.kind = Kind::AnyChar;
    } else if (c == u'#') {
      token.kind = Kind::Digit;
    } else if (c == u'[') {
      const std::size_t close = pattern.find(u']', i + 1);
      if (close == std::u16string_view::npos) {
        valid_ = false;
        return;
      }
      std::u16string_view list = pattern.substr(i + 1, close - i - 1);
      token.kind = Kind::Set;
      if (!list.empty() && list.front() == u'!') {
        token.kind = Kind::NegatedSet;
        list.remove_prefix(1);
      }
      token.first = static_cast<std::uint32_t>(ranges_.size());
      // "x-y" is a range; a "-" with nothing before or after it is itself.
      for (std::size_t k = 0; k < list.size();) {
        if (k + 2 < list.size() && list[k + 1] == u'-') {
          ranges_.push_back({list[k], list[k + 2]});
          k += 3;
        } else {
          ranges_.push_back({list[k], list[k]});
          k += 1;
        }
      }
      token.count = static_cast<std::uint32_t>(ranges_.size()) - token.first;
      i = close;
    }
    tokens_.push_back(token);
    starBefore.push_back(pendingStar);
    pendingStar = false;
  }
  trailingStar_ = pendingStar;
  leadingStar_ = !starBefore.empty() ? starBefore.front() : pendingStar;

  for (std::size_t t = 0; t < tokens_.size(); ++t) {
    if (t == 0 || starBefore[t]) {
      segments_.push_back({static_cast<std::uint32_t>(t), 0, true});
      literalStart_.push_back(static_cast<std::uint32_t>(literals_.size()));
    }
    Segment& segment = segments_.back();
    ++segment.count;
    if (tokens_[t].kind == Kind::Literal) {
      literals_.push_back(tokens_[t].literal);
    } else {
      segment.literalOnly = false;
    }
  }
  for (std::size_t s = 0; s < segments_.size(); ++s) {
    Segment& segment = segments_[s];
    if (!segment.literalOnly || segment.count < 2) continue;
    const std::u16string_view needle(literals_.data() + literalStart_[s], segment.count);
    SkipTable table;
    table.fill(static_cast<std::uint8_t>(std::min<std::size_t>(needle.size(), 255)));
    for (std::size_t i = 0; i + 1 < needle.size(); ++i) {
      const std::size_t shift = std::min<std::size_t>(needle.size() - 1 - i, 255);
      std::uint8_t& slot = table[needle[i] & 0xFF];
      slot = static_cast<std::uint8_t>(std::min<std::size_t>(slot, shift));
    }
    segment.skipTable = static_cast<std::int32_t>(skips_.size());
    skips_.push_back(table);
  }
}

bool LikePattern::TokenMatches(const Token& token, char16_t c) const {
  switch (token.kind) {
    case Kind::Literal:
      return c == token.literal;
    case Kind::AnyChar:
      return true;
    case Kind::Digit:
      return c >= u'0' && c <= u'9';
    case Kind::Set:
    case Kind::NegatedSet: {
      bool inList = false;
      for (std::uint32_t r = token.first; r < token.first + token.count; ++r) {
        // A range with reversed bounds holds nothing.
        if (ranges_[r].low <= c && c <= ranges_[r].high) {
          inList = true;
          break;
        }
      }
      return inList == (token.kind == Kind::Set);
    }
  }
  return false;
}

bool LikePattern::SegmentMatchesAt(const Segment& segment, std::u16string_view text,
                                   std::size_t at) const {
  for (std::uint32_t k = 0; k < segment.count; ++k) {
    if (!TokenMatches(tokens_[segment.first + k], text[at + k])) return false;
  }
  return true;
}

std::size_t LikePattern::FindSegment(std::size_t index, std::u16string_view text, std::size_t from,
                                     std::size_t limit) const {
  const std::size_t npos = std::u16string_view::npos;
  const Segment& segment = segments_[index];
  if (limit < from || limit - from < segment.count) return npos;
  const std::u16string_view window = text.substr(0, limit);
  if (segment.literalOnly) {
    const std::u16string_view needle(literals_.data() + literalStart_[index], segment.count);
    if (segment.skipTable < 0) return window.find(needle, from);
    const SkipTable& skip = skips_[static_cast<std::size_t>(segment.skipTable)];
    const std::size_t m = needle.size();
    const char16_t lastUnit = needle[m - 1];
    for (std::size_t p = from; p + m <= limit;) {
      const char16_t c = text[p + m - 1];
      if (c == lastUnit && text.compare(p, m - 1, needle.substr(0, m - 1)) == 0) return p;
      p += skip[c & 0xFF];
    }
    return npos;
  }
  const Token& head = tokens_[segment.first];
  const std::size_t last = limit - segment.count;
  for (std::size_t p = from; p <= last; ++p) {
    if (head.kind == Kind::Literal) {
      p = window.find(head.literal, p);
      if (p == npos || p > last) return npos;
    }
    if (SegmentMatchesAt(segment, text, p)) return p;
  }
  return npos;
}

bool LikePattern::Matches(std::u16string_view text) const {
  if (!valid_) {
    throw Error(kGeneralErrorNumber,
                u"パターン文字列が不正です（\"[\" に対応する \"]\" がありません）：" + source_);
  }
  const std::size_t n = text.size();
  if (!leadingStar_ && !trailingStar_ && segments_.size() <= 1) {
    if (segments_.empty()) return n == 0;
    return n == segments_[0].count && SegmentMatchesAt(segments_[0], text, 0);
  }
  // With at least one star, each segment fits at its leftmost place: every
  // token takes exactly one code unit, so an earlier place never loses.
  std::size_t pos = 0;
  std::size_t end = n;
  std::size_t firstMiddle = 0;
  std::size_t lastMiddle = segments_.size();
  if (!leadingStar_) {
    const Segment& head = segments_.front();
    if (head.count > n || !SegmentMatchesAt(head, text, 0)) return false;
    pos = head.count;
    firstMiddle = 1;
  }
  if (!trailingStar_) {
    const Segment& tail = segments_.back();
    if (tail.count > end - pos || !SegmentMatchesAt(tail, text, n - tail.count)) return false;
    end = n - tail.count;
    --lastMiddle;
  }
  for (std::size_t s = firstMiddle; s < lastMiddle; ++s) {
    const std::size_t at = FindSegment(s, text, pos, end);
    if (at == std::u16string_view::npos) return false;
    pos = at + segments_[s].count;
  }
  return true;
}

std::vector<std::pair<std::size_t, std::size_t>> LikePattern::Occurrences(
    std::u16string_view text) const {
  std::vector<std::pair<std::size_t, std::size_t>> found;
  if (!valid_ || !leadingStar_ || !trailingStar_ || segments_.empty()) return found;
  const std::size_t npos = std::u16string_view::npos;
  std::size_t from = 0;
  while (from < text.size()) {
    const std::size_t begin = FindSegment(0, text, from, text.size());
    if (begin == npos) break;
    // Each later segment at its leftmost place after the one before: the
    // earliest end for this start. When one does not fit, no later start can.
    std::size_t end = begin + segments_[0].count;
    for (std::size_t s = 1; s < segments_.size() && end != npos; ++s) {
      const std::size_t at = FindSegment(s, text, end, text.size());
      end = at == npos ? npos : at + segments_[s].count;
    }
    if (end == npos) break;
    found.emplace_back(begin, end);
    from = end;
  }
  return found;
}

}  // namespace tarnwick
