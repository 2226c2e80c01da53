#include "review/review_renderers.h"

#include "review/review_summary.h"

namespace tarnwick {

CompareEvents& ReviewComparisonRenderer::Start(TextSink& page) {
  out_ = &page;
  return page_;
}

void ReviewComparisonRenderer::Finish(const ComparisonVerdict& verdict) {
  out_->Write(page_.Page(verdict.heading, verdict.result.counts, verdict.result.differs));
}

SearchEvents& ReviewSearchRenderer::Start(TextSink& page) {
  out_ = &page;
  return page_;
}

void ReviewSearchRenderer::Finish(std::u16string_view heading, const SearchResult& result) {
  out_->Write(page_.Page(heading, result.hits));
}

void ReviewSummaryRenderer::Render(const RunSummary& summary, TextSink& page) const {
  page.Write(ReviewSummaryText(summary));
}

}  // namespace tarnwick
