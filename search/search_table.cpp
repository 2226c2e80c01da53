#include "search/search_table.h"

#include <vector>

#include "base/error.h"
#include "base/stop_request.h"
#include "report/tree_walk.h"
#include "text/line_reader.h"
#include "text/upper_case.h"

namespace tarnwick {
namespace {

// A line of `text` matches a term that must be contained only if the whole
// text contains it, since every line is a piece of the text. So when such a
// term decides the condition and the whole text misses it, no line can match.
bool CannotMatch(const SearchQuery& query, std::u16string_view text) {
  bool anyUsed = false;
  for (const SearchTerm& term : query.terms) {
    if (!term.used) continue;
    // An invalid pattern must raise its error where the lines would.
    if (!term.pattern.Valid()) return false;
    anyUsed = true;
  }
  if (!anyUsed) return false;
  if (query.condAnd) {
    for (const SearchTerm& term : query.terms) {
      if (term.used && term.contain && !term.pattern.Matches(text)) return true;
    }
    return false;
  }
  for (const SearchTerm& term : query.terms) {
    if (term.used && (!term.contain || term.pattern.Matches(text))) return false;
  }
  return true;
}

bool MatchLines(const SearchQuery& query, std::u16string_view text, bool prefilter) {
  if (prefilter && CannotMatch(query, text)) return false;
  bool result = false;
  std::int64_t position = 1;
  while (position != -1) {
    const std::u16string_view line = ReadLine(text, position);
    result = query.condAnd;
    for (const SearchTerm& term : query.terms) {
      ApplyCondition(query.condAnd, result, term.used, line, term.pattern, term.contain);
    }
    if (result) break;
  }
  return result;
}

// MatchValue with the pre-check optional: it pays off for whole values, not
// for the single lines of a value already known to match.
bool MatchText(const SearchQuery& query, std::u16string_view text, bool prefilter) {
  if (!query.noCase) return MatchLines(query, text, prefilter);
  const std::u16string upper = UpperCase(text);
  return MatchLines(query, upper, prefilter);
}

// The depth-first walk of SearchItem with an explicit stack of open objects.
// A collection never holds two children under one key (keys are unique even
// ignoring case), so the merged key lists of the comparison reduce to the
// children in position order, without those of empty key: texts are the
// properties, everything else the objects.
class SearchWalk {
 public:
  SearchWalk(const SearchQuery& query, PathStacks& stacks, SearchEvents& events, bool& found)
      : query_(query), stacks_(stacks), events_(events), found_(found) {}

  void Run(const clsItem& top) {
    Enter(top);
    walk_.Run(
        [this](Frame& frame) {
          const clsItem* child = NextObject(frame);
          if (child == nullptr) return false;
          const std::size_t level = static_cast<std::size_t>(stacks_.depth);
          stacks_.headPending[level] = true;
          stacks_.pathKeys[level] = child->Key;
          stacks_.mark1[level].clear();
          stacks_.mark2[level].clear();
          if (!query_.foundOnly) events_.Headings(stacks_);
          Enter(*child);  // opens a level: `frame` is not used after this
          return true;
        },
        [this](Frame&) { --stacks_.depth; });
  }

 private:
  struct Frame {
    const Collection* children;
    std::size_t next;  // 0-based index of the next child to look at
  };

  static const clsItem* NextObject(Frame& frame) {
    if (frame.children == nullptr) return nullptr;
    while (frame.next < frame.children->Count()) {
      const clsItem& child = frame.children->At(++frame.next);
      if (!child.IsText() && !child.Key.empty()) return &child;
    }
    return nullptr;
  }

  // Renders the node's properties and opens the level of its objects.
  void Enter(const clsItem& node) {
    ThrowIfStopRequested();
    const Collection* children = node.ChildrenOrNull();
    if (children != nullptr) {
      for (const clsItem& child : *children) {
        if (child.IsText() && !child.Key.empty()) WriteProperty(child.Key, child.Text());
      }
    }
    walk_.Open() = {children, 0};
    ++stacks_.depth;
    stacks_.Resize();
  }

  void WriteProperty(std::u16string_view name, std::u16string_view value) {
    const bool match = MatchValue(query_, value);
    if (!match && query_.foundOnly) return;
    if (match) {
      found_ = true;
      events_.Headings(stacks_);
    }
    lines_.clear();
    std::int64_t position = 1;
    while (position != -1) {
      const std::u16string_view line = ReadLine(value, position);
      lines_.push_back({line, match && MatchText(query_, line, false)});
    }
    events_.Property(stacks_, name, match, lines_);
  }

  const SearchQuery& query_;
  PathStacks& stacks_;
  SearchEvents& events_;
  bool& found_;
  TreeWalk<Frame> walk_;           // the objects being walked, outermost first
  std::vector<SearchLine> lines_;  // the lines of the property being reported
};

}  // namespace

SearchQuery MakeSearchQuery(const std::array<SearchString, 3>& strings, bool condAnd, bool noCase,
                            bool foundOnly) {
  SearchQuery query;
  query.condAnd = condAnd;
  query.noCase = noCase;
  query.foundOnly = foundOnly;
  for (std::size_t k = 0; k < strings.size(); ++k) {
    SearchTerm& term = query.terms[k];
    term.text = strings[k].text;
    term.contain = strings[k].contain;
    term.used = !term.text.empty();
    if (term.used) {
      // Appended, not added to a literal: GCC 12 at -O3 warns falsely on that.
      std::u16string pattern = u"*";
      pattern += noCase ? UpperCase(term.text) : term.text;
      pattern += u'*';
      term.pattern = LikePattern(pattern);
    }
  }
  return query;
}

void ApplyCondition(bool condAnd, bool& result, bool used, std::u16string_view line,
                    const LikePattern& pattern, bool contain) {
  if (!used) return;
  if (condAnd) {
    if (result && pattern.Matches(line) != contain) result = false;
  } else {
    if (!result && pattern.Matches(line) == contain) result = true;
  }
}

bool MatchValue(const SearchQuery& query, std::u16string_view text) {
  return MatchText(query, text, true);
}

bool SearchItem(const SearchQuery& query, const clsItem& node, PathStacks& stacks,
                SearchEvents& events) {
  bool found = false;
  SearchWalk(query, stacks, events, found).Run(node);
  return found;
}

SearchResult MakeSearch(const SearchQuery& query, const Collection* tree,
                        std::u16string_view reportPath, SearchEvents& events) {
  SearchCounter counter(events);
  PathStacks stacks;
  counter.Header(reportPath, query);
  if (tree == nullptr || tree->Empty()) {
    throw Error(kGeneralErrorNumber, u"レポートにオブジェクトがありません（空のレポートです）。");
  }
  SearchResult result;
  result.found = SearchItem(query, tree->At(1), stacks, counter);
  result.hits = counter.Counts();
  return result;
}

}  // namespace tarnwick
