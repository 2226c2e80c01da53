// The search of one parsed report and its result table. Only property values
// are searched, line by line: a value matches when one of its lines satisfies
// the combined condition of the used search strings (contain or not contain,
// all or any, optionally ignoring letter case). The table lists the report
// path, the conditions, then the properties object by object, matching lines
// marked "*" and highlighted pink, under the object header rows of the tree
// comparison. The walk is iterative, so no nesting depth overflows the stack.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "diff/html_table.h"
#include "diff/table_rows.h"
#include "report/object_tree.h"
#include "search/like_pattern.h"

namespace tarnwick {

inline constexpr std::u16string_view kHitColour = u"bgcolor=\"pink\"";

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

// Renders the properties of `node` and, below them, its objects, to any depth.
// `found` is set when a property value matches and never cleared.
void SearchItem(const SearchQuery& query, const clsItem& node, PathStacks& stacks,
                HTMLTblCls& resultTable, bool& found);

// The whole result table of one report: the path row, one row per used
// search string, then the search of the first top-level entry. A missing or
// empty tree throws tarnwick::Error after the header rows are written.
void MakeSearchTable(const SearchQuery& query, const Collection* tree,
                     std::u16string_view reportPath, HTMLTblCls& resultTable, bool& found);

}  // namespace tarnwick
