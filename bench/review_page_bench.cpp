// One comparison page of a generated 3 MB report pair with 2% of its lines
// edited, rendered in each page style from the same parsed trees and turned
// into the bytes a run writes: the classic table in code page 932, the review
// page in UTF-8. Reports the time and the page's size, so that the two
// styles can be set side by side.
#include <benchmark/benchmark.h>

#include <cstddef>
#include <memory>

#include "classic/classic_renderers.h"
#include "diff/form_diff.h"
#include "report/report_parser.h"
#include "review/review_renderers.h"
#include "text/cp932.h"
#include "text/utf8.h"
#include "tools/generator/report_generator.h"

namespace tarnwick {
namespace {

constexpr std::size_t kReportBytes = 3'000'000;

struct Pair {
  CollectionPtr tree1;
  CollectionPtr tree2;
};

const Pair& GeneratedPair() {
  static const Pair pair = [] {
    GeneratorOptions options;
    options.seed = 11;
    options.targetBytes = kReportBytes;
    const std::u16string text1 = GenerateReportText(options);
    const std::u16string text2 = MutateReportText(text1, 0.02, 12);
    Pair p;
    p.tree1 = ParseReport(text1);
    p.tree2 = ParseReport(text2);
    return p;
  }();
  return pair;
}

void BM_ComparisonPage(benchmark::State& state) {
  const bool review = state.range(0) != 0;
  const Pair& pair = GeneratedPair();
  if (!pair.tree1 || !pair.tree2) {
    state.SkipWithError("the generated report gave no tree");
    return;
  }
  std::size_t pageBytes = 0;
  for (auto _ : state) {
    std::unique_ptr<ComparisonRenderer> renderer;
    if (review) {
      renderer = std::make_unique<ReviewComparisonRenderer>(CompareOptions{});
    } else {
      renderer = std::make_unique<ClassicComparisonRenderer>();
    }
    StringSink page;
    const ComparisonResult result =
        MakeFormDiff(*pair.tree1, *pair.tree2, u"/old/FORM1.txt", u"/new/FORM1.txt",
                     renderer->Start(page), true, {});
    renderer->Finish({u"FORM1.TXT", result});
    const std::string bytes = review ? ToUtf8(page.Text()) : EncodeCp932(page.Text());
    pageBytes = bytes.size();
    benchmark::DoNotOptimize(bytes.data());
  }
  state.counters["page_KB"] = static_cast<double>(pageBytes) / 1024.0;
}

BENCHMARK(BM_ComparisonPage)->ArgName("review")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tarnwick
