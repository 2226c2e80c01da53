// The classic page style: code page 932 pages holding one HTML table each,
// the comparison and search pages streamed while their tables grow, so that
// a large table never exists whole in memory.
#pragma once

#include <optional>

#include "classic/compare_rows.h"
#include "classic/html_table.h"
#include "classic/search_rows.h"
#include "diff/comparison_renderer.h"
#include "search/run_summary.h"
#include "search/search_renderer.h"

namespace tarnwick {

// The six-column comparison table; values compare as the options say, but
// the rows are the classic ones whatever the options.
class ClassicComparisonRenderer final : public ComparisonRenderer {
 public:
  explicit ClassicComparisonRenderer(const PageWords& words = JapanesePageWords())
      : words_(words) {}
  PageEncoding Encoding() const override { return PageEncoding::kCp932; }
  CompareEvents& Start(TextSink& page) override;
  void Finish(const ComparisonVerdict& verdict) override;

 private:
  const PageWords& words_;
  TextSink* page_ = nullptr;
  std::optional<HTMLTblCls> table_;
  std::optional<ClassicCompareRows> rows_;
};

// The search table: the conditions, then the properties with their hits.
class ClassicSearchRenderer final : public SearchRenderer {
 public:
  explicit ClassicSearchRenderer(const PageWords& words = JapanesePageWords()) : words_(words) {}
  PageEncoding Encoding() const override { return PageEncoding::kCp932; }
  SearchEvents& Start(TextSink& page) override;
  void Finish(std::u16string_view heading, const SearchResult& result) override;

 private:
  const PageWords& words_;
  TextSink* page_ = nullptr;
  std::optional<HTMLTblCls> table_;
  std::optional<ClassicSearchRows> rows_;
};

// The bordered summary table.
class ClassicSummaryRenderer final : public SummaryRenderer {
 public:
  explicit ClassicSummaryRenderer(const PageWords& words = JapanesePageWords()) : words_(words) {}
  PageEncoding Encoding() const override { return PageEncoding::kCp932; }
  void Render(const RunSummary& summary, TextSink& page) const override;

 private:
  const PageWords& words_;
};

}  // namespace tarnwick
