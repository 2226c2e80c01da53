#include "classic/classic_renderers.h"

#include "classic/classic_page.h"
#include "classic/summary_table.h"

namespace tarnwick {

CompareEvents& ClassicComparisonRenderer::Start(TextSink& page) {
  page_ = &page;
  WritePageHead(page, kComparisonPageHead);
  table_.emplace(page);
  return rows_.emplace(*table_, words_);
}

void ClassicComparisonRenderer::Finish(const ComparisonVerdict&) {
  table_->Finish();
  WritePageTail(*page_);
}

SearchEvents& ClassicSearchRenderer::Start(TextSink& page) {
  page_ = &page;
  WritePageHead(page, kComparisonPageHead);
  table_.emplace(page);
  return rows_.emplace(*table_, words_);
}

void ClassicSearchRenderer::Finish(std::u16string_view, const SearchResult&) {
  table_->Finish();
  WritePageTail(*page_);
}

void ClassicSummaryRenderer::Render(const RunSummary& summary, TextSink& page) const {
  WritePageHead(page, kSummaryPageHead);
  HTMLTblCls table(page);
  WriteSummaryTable(summary, table, words_);
  table.Finish();
  WritePageTail(page);
}

}  // namespace tarnwick
