// The review page style: UTF-8 pages whose counts head them, so the changes
// of a comparison or search go ahead into a spool of the page as they come
// and are placed after the head once it has ended. A summary page is built
// whole: a short row a report.
#pragma once

#include "diff/comparison_renderer.h"
#include "review/review_compare.h"
#include "review/review_search.h"
#include "search/run_summary.h"
#include "search/search_renderer.h"

namespace tarnwick {

class ReviewComparisonRenderer final : public ComparisonRenderer {
 public:
  explicit ReviewComparisonRenderer(const CompareOptions& options,
                                    const PageWords& words = JapanesePageWords())
      : page_(options, words) {}
  PageEncoding Encoding() const override { return PageEncoding::kUtf8; }
  CompareEvents& Start(TextSink& page) override;
  void Finish(const ComparisonVerdict& verdict) override;

 private:
  TextSink* out_ = nullptr;
  ReviewComparePage page_;
};

class ReviewSearchRenderer final : public SearchRenderer {
 public:
  explicit ReviewSearchRenderer(const PageWords& words = JapanesePageWords()) : page_(words) {}
  PageEncoding Encoding() const override { return PageEncoding::kUtf8; }
  SearchEvents& Start(TextSink& page) override;
  void Finish(std::u16string_view heading, const SearchResult& result) override;

 private:
  TextSink* out_ = nullptr;
  ReviewSearchPage page_;
};

class ReviewSummaryRenderer final : public SummaryRenderer {
 public:
  explicit ReviewSummaryRenderer(const PageWords& words = JapanesePageWords()) : words_(words) {}
  PageEncoding Encoding() const override { return PageEncoding::kUtf8; }
  void Render(const RunSummary& summary, TextSink& page) const override;

 private:
  const PageWords& words_;
};

}  // namespace tarnwick
