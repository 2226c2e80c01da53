#include "review/review_renderers.h"

#include "review/review_summary.h"

namespace tarnwick {

CompareEvents& ReviewComparisonRenderer::Start(TextSink& page) {
  out_ = &page;
  page_.StreamTo(page);
  return page_;
}

void ReviewComparisonRenderer::Finish(const ComparisonVerdict& verdict) {
  page_.WritePage(verdict.heading, verdict.result.counts, verdict.result.differs, *out_);
}

SearchEvents& ReviewSearchRenderer::Start(TextSink& page) {
  out_ = &page;
  page_.StreamTo(page);
  return page_;
}

void ReviewSearchRenderer::Finish(std::u16string_view heading, const SearchResult& result) {
  page_.WritePage(heading, result.hits, *out_);
}

void ReviewSummaryRenderer::Render(const RunSummary& summary, TextSink& page) const {
  page.Write(ReviewSummaryText(summary, words_));
}

}  // namespace tarnwick
