// What counts as equal when two property values are compared. Both options
// are off by default, and values are then compared exactly. An option only
// changes the comparison: the pages always show the original text.
//  - ignoreBlanks: a run of blanks (spaces and tabs) counts as one blank,
//    trailing blanks are ignored, and so are blank-only lines.
//  - ignoreCase: letters compare without regard to case, except inside
//    quoted literals ('...' and "..."); quotes inside "--" and "/* */"
//    comments open no literal.
// Ignore rules (diff/ignore_rules.h) go further: a difference they match is
// still a difference of the values, but none of the comparison.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "messages/page_words.h"

namespace tarnwick {

class IgnoreRules;

struct CompareOptions {
  bool ignoreBlanks = false;
  bool ignoreCase = false;
  const IgnoreRules* ignoreRules = nullptr;  // none when null; outlives the comparison

  bool Any() const { return ignoreBlanks || ignoreCase; }
  bool operator==(const CompareOptions&) const = default;
};

// The names of the options that are on ("空白の違いを無視" ...), joined by
// "、", as every page style lists them; empty when none is.
std::u16string OptionNames(const CompareOptions& options,
                           const PageWords& words = JapanesePageWords());

// The lines of a value as the comparison sees them. Lines are cut as the line
// reader cuts them; each kept line is normalised, and origin[i] is the 1-based
// number of the original line that key line i + 1 stands for. Blank-only lines
// are dropped under ignoreBlanks, so a value may have no key line at all.
struct ComparisonLines {
  std::u16string text;               // the key lines joined by LF
  std::vector<std::int32_t> origin;  // one entry per key line
};

// Fills `lines` (reusing its storage) for `value`.
void MakeComparisonLines(std::u16string_view value, const CompareOptions& options,
                         ComparisonLines& lines);

// Whether two values are equal under the options. Exact comparison when no
// option is on.
bool ValuesEqual(std::u16string_view value1, std::u16string_view value2,
                 const CompareOptions& options);

}  // namespace tarnwick
