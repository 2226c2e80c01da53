// The search of one parsed report. Only property values are searched, line by
// line: a value matches when one of its lines satisfies the combined
// condition of the used search strings (contain or not contain, all or any,
// optionally ignoring letter case). What it finds goes out as search events:
// the report path and the conditions, then the properties object by object,
// each line marked when it satisfies the condition. The walk is iterative,
// so no nesting depth overflows the stack.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "diff/path_stacks.h"
#include "report/object_tree.h"
#include "search/like_pattern.h"

namespace tarnwick {

// The label of the conditions under AND and under OR.
inline constexpr std::u16string_view kLabelAll = u"検索文字列(全てを満たす)";
inline constexpr std::u16string_view kLabelAny = u"検索文字列(いずれかを満たす)";

// What follows a search string in its condition row.
constexpr std::u16string_view ConditionWord(bool contain) {
  return contain ? u"を含む" : u"を含まない";
}

// One of the three search strings as the run captured it.
struct SearchTerm {
  std::u16string text;  // as entered; shown in the condition row
  bool contain = true;  // "を含む"; false for "を含まない"
  bool used = false;    // the string is not empty
  LikePattern pattern;  // "*" + text + "*", text upper-cased under NO_CASE
};

// The search settings of one run, with the patterns compiled once.
struct SearchQuery {
  std::array<SearchTerm, 3> terms;
  bool condAnd = true;     // all used strings must hold on one line; else any one
  bool noCase = false;     // compare upper-cased text with upper-cased patterns
  bool foundOnly = false;  // render only the matching properties
};

// One search string as entered, with its condition.
struct SearchString {
  std::u16string text;  // empty when unused
  bool contain = true;  // "を含む"; false for "を含まない"
};

// Compiles the three strings: each used one becomes the pattern "*" + text +
// "*", its text upper-cased under noCase.
SearchQuery MakeSearchQuery(const std::array<SearchString, 3>& strings, bool condAnd, bool noCase,
                            bool foundOnly);

// Applies one search string to one line. AND: a still-true result becomes
// false when the line's hit differs from `contain`. OR: a still-false result
// becomes true when it equals `contain`. An unused string changes nothing.
void ApplyCondition(bool condAnd, bool& result, bool used, std::u16string_view line,
                    const LikePattern& pattern, bool contain);

// Whether some line of `text` satisfies the query's condition. Throws
// tarnwick::Error for an invalid pattern once it is evaluated.
bool MatchValue(const SearchQuery& query, std::u16string_view text);

// One line of a listed property value, and whether it satisfies the condition
// (only lines of a matching value do).
struct SearchLine {
  std::u16string_view text;
  bool hit = false;
};

// What the search of one report finds, in order; a renderer turns it into a
// page (the classic table or the review page) and a counter tallies it.
class SearchEvents {
 public:
  virtual ~SearchEvents() = default;
  // The report's path and the used search strings, before anything else.
  virtual void Header(std::u16string_view reportPath, const SearchQuery& query) = 0;
  // The pending headings of the objects on the path are due; the receiver
  // clears the flags.
  virtual void Headings(PathStacks& stacks) = 0;
  // A listed property (every one, or only the matching ones under
  // FOUND_ONLY) with its lines.
  virtual void Property(const PathStacks& stacks, std::u16string_view name, bool matched,
                        std::span<const SearchLine> lines) = 0;
};

// The tally of one report's search: matching property values and the lines
// that satisfy the condition.
struct SearchCounts {
  std::int64_t properties = 0;
  std::int64_t lines = 0;
};

// Counts the events and hands each on to `next` unchanged.
class SearchCounter final : public SearchEvents {
 public:
  explicit SearchCounter(SearchEvents& next) : next_(next) {}
  const SearchCounts& Counts() const { return counts_; }
  void Header(std::u16string_view reportPath, const SearchQuery& query) override {
    next_.Header(reportPath, query);
  }
  void Headings(PathStacks& stacks) override { next_.Headings(stacks); }
  void Property(const PathStacks& stacks, std::u16string_view name, bool matched,
                std::span<const SearchLine> lines) override {
    if (matched) ++counts_.properties;
    for (const SearchLine& line : lines) counts_.lines += line.hit ? 1 : 0;
    next_.Property(stacks, name, matched, lines);
  }

 private:
  SearchEvents& next_;
  SearchCounts counts_;
};

// What the search of one report found.
struct SearchResult {
  bool found = false;  // some property value matches
  SearchCounts hits;
};

// Reports the properties of `node` and, below them, its objects, to any depth.
// Returns whether a property value matches.
bool SearchItem(const SearchQuery& query, const clsItem& node, PathStacks& stacks,
                SearchEvents& events);

// The whole search of one report: the header (path and strings), then the
// search of the first top-level entry. A missing or empty tree throws
// tarnwick::Error after the header is reported.
SearchResult MakeSearch(const SearchQuery& query, const Collection* tree,
                        std::u16string_view reportPath, SearchEvents& events);

}  // namespace tarnwick
