// The search's "like" rules read as plainly as possible, to check LikePattern
// against: the pattern becomes a list of steps (a star, or a test of one code
// unit), and a table over pattern and text positions says which rests match.
// Time is pattern length times text length, with no shortcuts to get wrong.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

namespace tarnwick::fuzz {

// Nothing for a pattern with a "[" that has no "]".
inline std::optional<bool> ReferenceLike(std::u16string_view text, std::u16string_view pattern) {
  struct Step {
    bool star = false;
    std::u16string_view list;  // for a list: the characters between its brackets
    enum { kOne, kAny, kDigit, kList } kind = kOne;
    char16_t one = 0;
  };
  auto inList = [](std::u16string_view list, char16_t c) {
    const bool negated = !list.empty() && list[0] == u'!';
    if (negated) list.remove_prefix(1);
    bool found = false;
    for (std::size_t k = 0; k < list.size(); ++k) {
      // "x-y" between two characters is a range, lower bound first; a dash
      // at either end is itself.
      if (k + 2 < list.size() && list[k + 1] == u'-') {
        found = found || (list[k] <= c && c <= list[k + 2]);
        k += 2;
      } else {
        found = found || list[k] == c;
      }
    }
    return found != negated;
  };

  std::vector<Step> steps;
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    Step step;
    switch (pattern[i]) {
      case u'*':
        step.star = true;
        break;
      case u'?':
        step.kind = Step::kAny;
        break;
      case u'#':
        step.kind = Step::kDigit;
        break;
      case u'[': {
        const std::size_t close = pattern.find(u']', i + 1);
        if (close == std::u16string_view::npos) return std::nullopt;
        step.kind = Step::kList;
        step.list = pattern.substr(i + 1, close - i - 1);
        i = close;
        break;
      }
      default:
        step.one = pattern[i];
    }
    steps.push_back(step);
  }

  // rest[t]: steps s.. match text t..; built from the last step backwards.
  std::vector<char> rest(text.size() + 1, 0), next(text.size() + 1);
  rest[text.size()] = 1;
  for (std::size_t s = steps.size(); s-- > 0;) {
    const Step& step = steps[s];
    next.assign(text.size() + 1, 0);
    for (std::size_t t = text.size() + 1; t-- > 0;) {
      if (step.star) {
        next[t] = rest[t] || (t < text.size() && next[t + 1]);
        continue;
      }
      if (t == text.size()) continue;
      const char16_t c = text[t];
      const bool fits = step.kind == Step::kAny     ? true
                        : step.kind == Step::kDigit ? (c >= u'0' && c <= u'9')
                        : step.kind == Step::kList  ? inList(step.list, c)
                                                    : c == step.one;
      next[t] = fits && rest[t + 1];
    }
    rest.swap(next);
  }
  return rest[0] != 0;
}

}  // namespace tarnwick::fuzz
