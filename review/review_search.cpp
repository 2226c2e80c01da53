#include "review/review_search.h"

#include <algorithm>

#include "review/html_text.h"
#include "review/object_headings.h"
#include "review/review_compare.h"
#include "text/decimal.h"
#include "text/upper_case.h"

namespace tarnwick {
namespace {

constexpr std::size_t kShortestFold = 3;

std::u16string Number(std::size_t n) {
  return DecimalText(static_cast<std::int64_t>(n));
}

}  // namespace

void ReviewSearchPage::Header(std::u16string_view reportPath, const SearchQuery& query) {
  query_ = &query;
  header_.append(u"<table class=\"t\"><tr><th>").append(words_.report);
  header_ += u"</th><td class=\"v\">";
  AppendHtml(header_, reportPath);
  header_ += u"</td></tr><tr><th>";
  header_ += query.condAnd ? words_.searchAll : words_.searchAny;
  header_ += u"</th><td>";
  bool first = true;
  for (const SearchTerm& term : query.terms) {
    if (term.text.empty()) continue;
    if (!first) header_ += u"<br>";
    first = false;
    header_ += u"<mark class=\"v\">";
    AppendHtml(header_, term.text);
    header_ += u"</mark> ";
    header_ += term.contain ? words_.contains : words_.containsNot;
  }
  header_ += u"</td></tr>";
  if (query.noCase || query.foundOnly) {
    header_.append(u"<tr><th>").append(words_.settings).append(u"</th><td>");
    if (query.noCase) header_ += words_.noCase;
    if (query.noCase && query.foundOnly) header_ += words_.listSeparator;
    if (query.foundOnly) header_ += words_.foundOnly;
    header_ += u"</td></tr>";
  }
  header_ += u"</table>\n";
}

// The hits gather in memory up to about this many characters before they go
// to the page's spool.
constexpr std::size_t kSpillAt = 64 * 1024;

void ReviewSearchPage::StreamTo(TextSink& page) {
  spooled_ = page.Spool();
}

void ReviewSearchPage::Spill() {
  if (!spooled_ || main_.size() < kSpillAt) return;
  spooled_->Write(main_);
  main_.clear();
}

void ReviewSearchPage::CloseOtherGroup() {
  if (!otherGroupOpen_) return;
  main_ += u"</details>\n";
  otherGroupOpen_ = false;
}

void ReviewSearchPage::Headings(PathStacks& stacks) {
  const std::size_t depth = TakeDueHeading(stacks);
  if (depth == 0) return;
  CloseOtherGroup();
  const std::u16string line = enclosing_.Next(stacks, depth);
  if (!line.empty()) main_ += u"<h2>" + line + u"</h2>\n";
  main_ += u"<h3 class=s id=o" + Number(++objects_) + u">";
  AppendHtml(main_, stacks.pathKeys[depth]);
  main_ += u"</h3>\n";
  Spill();
}

// Where the strings to be contained occur in the line; a line that holds by
// not containing a string has nothing to point at.
std::vector<TextSpan> ReviewSearchPage::Hits(std::u16string_view line) const {
  std::vector<TextSpan> spans;
  if (query_ == nullptr) return spans;
  const std::u16string upper = query_->noCase ? UpperCase(line) : std::u16string();
  const std::u16string_view searched = query_->noCase ? std::u16string_view(upper) : line;
  for (const SearchTerm& term : query_->terms) {
    if (!term.used || !term.contain) continue;
    for (const auto& [begin, end] : term.pattern.Occurrences(searched))
      spans.push_back({begin, end});
  }
  std::sort(spans.begin(), spans.end(),
            [](const TextSpan& a, const TextSpan& b) { return a.begin < b.begin; });
  std::vector<TextSpan> merged;
  for (const TextSpan& span : spans) {
    if (!merged.empty() && span.begin <= merged.back().end) {
      merged.back().end = std::max(merged.back().end, span.end);
    } else {
      merged.push_back(span);
    }
  }
  return merged;
}

void ReviewSearchPage::Property(const PathStacks&, std::u16string_view name, bool matched,
                                std::span<const SearchLine> lines) {
  if (!matched) {
    if (!otherGroupOpen_) {
      main_.append(u"<details class=\"u\"><summary>")
          .append(words_.notMatchingProperties)
          .append(u"</summary>");
      otherGroupOpen_ = true;
    }
    main_ += u"<div class=\"q\"><b>";
    AppendHtml(main_, name);
    main_ += u"</b> <span class=\"v\">";
    for (std::size_t k = 0; k < lines.size(); ++k) {
      if (k > 0) main_ += u'\n';
      AppendHtml(main_, lines[k].text);
    }
    main_ += u"</span></div>";
    Spill();
    return;
  }
  CloseOtherGroup();
  main_ += u"<div class=\"h g\"><b>";
  AppendHtml(main_, name);
  main_ += u"</b>";
  const std::size_t n = lines.size();
  std::vector<char> visible(n, 0);
  for (std::size_t i = 0; i < n; ++i) {
    if (!lines[i].hit) continue;
    const std::size_t from = i > kContextLines ? i - kContextLines : 0;
    for (std::size_t k = from; k < std::min(n, i + kContextLines + 1); ++k) visible[k] = 1;
  }
  std::vector<std::u16string_view> folded;
  const std::vector<TextSpan> none;
  for (std::size_t i = 0; i < n;) {
    if (!visible[i]) {
      std::size_t j = i;
      while (j < n && !visible[j]) ++j;
      if (j - i >= kShortestFold) {
        folded.clear();
        for (std::size_t k = i; k < j; ++k) folded.push_back(lines[k].text);
        AppendFold(main_, folds_, folded);
        i = j;
        continue;
      }
    }
    if (lines[i].hit) {
      const std::vector<TextSpan> spans = Hits(lines[i].text);
      AppendListingLine(main_, u"mark", u"", Number(++hits_), lines[i].text, spans);
    } else {
      AppendListingLine(main_, u"span", u"", u"", lines[i].text, none);
    }
    ++i;
  }
  main_ += u"</div>\n";
  Spill();
}

std::u16string ReviewSearchPage::Page(std::u16string_view heading, const SearchCounts& counts) {
  StringSink page;
  WritePage(heading, counts, page);
  return page.Text();
}

void ReviewSearchPage::WritePage(std::u16string_view heading, const SearchCounts& counts,
                                 TextSink& page) {
  CloseOtherGroup();
  ReviewDocument document;
  document.words = &words_;
  document.title = std::u16string(words_.searchTitle) + std::u16string(heading);
  std::u16string& header = document.header;
  header.append(u"<h1>").append(words_.searchHeading).append(u" <span class=\"path\">");
  AppendHtml(header, heading);
  header += u"</span></h1>\n";
  header += header_;
  header.append(u"<p class=\"counts\">").append(words_.matchingProperties).append(u" <b>");
  header.append(GroupedNumber(counts.properties)).append(u"</b>").append(words_.matchingLines);
  header.append(u" <b>").append(GroupedNumber(counts.lines)).append(u"</b></p>\n");
  header.append(u"<p class=\"legend\"><mark class=\"v\">&gt; ").append(words_.lineMeetsCondition);
  header.append(u"</mark><mark class=\"v\"><em>").append(words_.searchString);
  header.append(u"</em></mark><span>\u22EF ").append(words_.notMatchingLines);
  header.append(u"</span></p>\n<details class=\"toc\" id=\"toc\" hidden><summary>");
  header.append(words_.matchingObjects).append(u"</summary></details>\n");
  document.folds = folds_.Packed();
  page.Write(ReviewPageHead(document));
  if (counts.properties == 0) {
    page.Write(u"<p class=\"same\">");
    page.Write(words_.nothingMatches);
    page.Write(u"</p>\n");
  }
  if (spooled_) spooled_->Place();
  page.Write(main_);
  page.Write(ReviewPageTail(document));
}

}  // namespace tarnwick
