// Ignore rule files, which users write by hand. The input, as UTF-8, is a
// rule file up to its first NUL and an object path after it ("/"-separated
// levels, the last one the property's name). Parsing never throws and names
// a line the file has; the wildcard matcher agrees with a plain table-filling
// reference; a rule of a name alone matches that name in every object.
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "diff/ignore_rules.h"
#include "fuzz/fuzz_support.h"
#include "text/upper_case.h"
#include "text/utf8.h"

namespace tarnwick::fuzz {
namespace {

// "*" any run, "?" one code unit, the rest itself.
bool ReferenceWildcard(std::u16string_view pattern, std::u16string_view text) {
  // matches[j]: pattern[0, i) matches text[0, j).
  std::vector<char> matches(text.size() + 1, 0), next(text.size() + 1, 0);
  matches[0] = 1;
  for (const char16_t p : pattern) {
    std::fill(next.begin(), next.end(), 0);
    for (std::size_t j = 0; j <= text.size(); ++j) {
      if (p == u'*') {
        next[j] = matches[j] || (j > 0 && next[j - 1]);
      } else if (j > 0 && matches[j - 1] && (p == u'?' || p == text[j - 1])) {
        next[j] = 1;
      }
    }
    matches.swap(next);
  }
  return matches[text.size()] != 0;
}

std::size_t LineCount(std::u16string_view text) {
  std::size_t lines = 1;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'\n' || (text[i] == u'\r' && (i + 1 == text.size() || text[i + 1] != u'\n'))) {
      ++lines;
    }
  }
  return lines;
}

}  // namespace
}  // namespace tarnwick::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tarnwick;
  using namespace tarnwick::fuzz;
  const auto [ruleBytes, pathBytes] = SplitInTwo(Bytes(data, size), '\0');
  const std::u16string ruleText = FromUtf8(ruleBytes);
  const std::u16string pathText = FromUtf8(pathBytes);

  const ParsedIgnoreRules parsed = ParseIgnoreRules(ruleText);
  Require(parsed.badLine <= LineCount(ruleText), "a bad line is a line of the file");
  Require(parsed.badLine != 0 || parsed.badText.empty(), "a file of rules names no bad text");

  std::vector<std::u16string_view> levels;
  std::u16string_view rest = pathText;
  for (std::size_t cut; (cut = rest.find(u'/')) != std::u16string_view::npos;) {
    levels.push_back(rest.substr(0, cut));
    rest.remove_prefix(cut + 1);
  }
  const std::u16string_view name = rest;
  if (parsed.badLine == 0) (void)parsed.rules.Matches(levels, name);

  // The matcher on the first line as a pattern and the name as text.
  const std::u16string_view pattern =
      std::u16string_view(ruleText).substr(0, std::min(ruleText.find(u'\n'), ruleText.size()));
  Require(MatchesWildcard(pattern, name) == ReferenceWildcard(pattern, name),
          "wildcards match as the reference does");

  // A name alone, without wildcards or what a rule gives a meaning, is a
  // rule that holds in every object.
  const bool plain = !name.empty() &&
                     name.find_first_of(u"*?:：#/ \t\r\n\u3000\uFEFF") == name.npos &&
                     name.find_first_not_of(u' ') != name.npos;
  if (plain) {
    const ParsedIgnoreRules alone = ParseIgnoreRules(name);
    Require(alone.badLine == 0, "a name alone is a rule");
    Require(alone.rules.Matches(levels, name), "a name alone matches itself anywhere");
    Require(alone.rules.Matches(levels, UpperCase(name)), "letter case does not count");
  }
  return 0;
}
