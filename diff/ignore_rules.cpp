#include "diff/ignore_rules.h"

#include "text/upper_case.h"

namespace tarnwick {
namespace {

constexpr std::u16string_view kAnyLevels = u"**";

bool IsSpace(char16_t c) {
  return c == u' ' || c == u'\t' || c == u'\u3000';
}

std::u16string_view Trim(std::u16string_view text) {
  while (!text.empty() && IsSpace(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsSpace(text.back())) text.remove_suffix(1);
  return text;
}

bool IsColon(char16_t c) {
  return c == u':' || c == u'\uFF1A';
}

std::size_t FindColon(std::u16string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (IsColon(text[i])) return i;
  }
  return std::u16string_view::npos;
}

// The rule a line holds, or false when it holds none.
bool ParseRule(std::u16string_view line, IgnoreRules::Rule& rule) {
  const std::size_t colon = FindColon(line);
  const std::u16string_view property =
      Trim(colon == std::u16string_view::npos ? line : line.substr(colon + 1));
  if (property.empty() || FindColon(property) != std::u16string_view::npos) return false;
  rule.property = UpperCase(property);
  if (colon == std::u16string_view::npos) return true;

  std::u16string_view limit = Trim(line.substr(0, colon));
  if (limit.empty()) return false;
  if (limit.find(u'/') == std::u16string_view::npos) {
    // An object type: the objects listed in that section, wherever it is.
    rule.path = {std::u16string(kAnyLevels), UpperCase(limit), u"*"};
    return true;
  }
  // Unanchored, the pattern's levels are the path's last ones.
  if (limit.front() == u'/') {
    limit.remove_prefix(1);
  } else {
    rule.path.emplace_back(kAnyLevels);
  }
  while (true) {
    const std::size_t slash = limit.find(u'/');
    const std::u16string_view level = Trim(limit.substr(0, slash));
    if (level.empty()) return false;
    rule.path.push_back(UpperCase(level));
    if (slash == std::u16string_view::npos) return true;
    limit.remove_prefix(slash + 1);
  }
}

// Whether the pattern levels match the path levels, "**" any run of levels;
// the same backtracking as for characters.
bool MatchesLevels(std::span<const std::u16string> pattern,
                   std::span<const std::u16string> levels) {
  std::size_t p = 0, l = 0;
  std::size_t starP = std::u16string_view::npos, starL = 0;
  while (l < levels.size()) {
    if (p < pattern.size() && pattern[p] == kAnyLevels) {
      starP = p++;
      starL = l;
    } else if (p < pattern.size() && MatchesWildcard(pattern[p], levels[l])) {
      ++p;
      ++l;
    } else if (starP != std::u16string_view::npos) {
      p = starP + 1;
      l = ++starL;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == kAnyLevels) ++p;
  return p == pattern.size();
}

}  // namespace

bool MatchesWildcard(std::u16string_view pattern, std::u16string_view text) {
  std::size_t p = 0, t = 0;
  std::size_t starP = std::u16string_view::npos, starT = 0;
  while (t < text.size()) {
    if (p < pattern.size() && pattern[p] == u'*') {
      starP = p++;
      starT = t;
    } else if (p < pattern.size() && (pattern[p] == u'?' || pattern[p] == text[t])) {
      ++p;
      ++t;
    } else if (starP != std::u16string_view::npos) {
      p = starP + 1;
      t = ++starT;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == u'*') ++p;
  return p == pattern.size();
}

bool IgnoreRules::Matches(std::span<const std::u16string_view> path,
                          std::u16string_view name) const {
  if (rules_.empty()) return false;
  const std::u16string upperName = UpperCase(name);
  std::vector<std::u16string> levels;  // upper-cased when first needed
  for (const Rule& rule : rules_) {
    if (!MatchesWildcard(rule.property, upperName)) continue;
    if (rule.path.empty()) return true;
    if (levels.empty()) {
      for (const std::u16string_view level : path) levels.push_back(UpperCase(level));
    }
    if (MatchesLevels(rule.path, levels)) return true;
  }
  return false;
}

ParsedIgnoreRules ParseIgnoreRules(std::u16string_view text) {
  ParsedIgnoreRules parsed;
  std::vector<IgnoreRules::Rule> rules;
  std::size_t number = 0;
  while (!text.empty()) {
    const std::size_t end = text.find_first_of(u"\r\n");
    const std::u16string_view raw = text.substr(0, end);
    if (end == std::u16string_view::npos) {
      text = {};
    } else {
      const bool crlf = text[end] == u'\r' && end + 1 < text.size() && text[end + 1] == u'\n';
      text.remove_prefix(end + (crlf ? 2 : 1));
    }
    ++number;
    const std::u16string_view line = Trim(raw);
    if (line.empty() || line.front() == u'#') continue;
    IgnoreRules::Rule rule;
    if (!ParseRule(line, rule)) {
      parsed.badLine = number;
      parsed.badText = raw;
      return parsed;
    }
    rules.push_back(std::move(rule));
  }
  parsed.rules = IgnoreRules(std::move(rules));
  return parsed;
}

}  // namespace tarnwick
