// The form comparison of two generated 20 MB reports that differ in about 1%
// of their lines, as a folder comparison run does it for one pair: build the
// whole table body, then take it out of the builder. Reports the report bytes
// compared per second, the size of the table and the process's peak memory
// (which includes both parsed trees, as in a real run).
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <cstddef>

#include "classic/compare_rows.h"
#include "classic/html_table.h"
#include "diff/form_diff.h"
#include "report/report_parser.h"
#include "text/cp932.h"
#include "tools/generator/report_generator.h"

namespace tarnwick {
namespace {

constexpr std::size_t kReportBytes = 20u << 20;

double PeakRssMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;  // ru_maxrss is in KiB on Linux
}

void BM_ClassicFormDiff(benchmark::State& state) {
  const bool diffOnly = state.range(0) != 0;
  GeneratorOptions options;
  options.seed = 20;
  options.targetBytes = kReportBytes;
  const std::u16string text1 = GenerateReportText(options);
  const std::u16string text2 = MutateReportText(text1, 0.01, 21);
  const std::size_t bytes = EncodeCp932(text1).size() + EncodeCp932(text2).size();
  CollectionPtr tree1 = ParseReport(text1);
  CollectionPtr tree2 = ParseReport(text2);
  if (!tree1 || !tree2) {
    state.SkipWithError("the generated report gave no tree");
    return;
  }

  std::size_t tableChars = 0;
  bool diffFound = false;
  for (auto _ : state) {
    HTMLTblCls table;
    ClassicCompareRows rows(table);
    diffFound = MakeFormDiff(*tree1, *tree2, u"C:\\old\\FORM1.txt", u"C:\\new\\FORM1.txt", rows,
                             diffOnly, {})
                    .differs;
    const std::u16string body = table.sStr();
    tableChars = body.size();
    benchmark::DoNotOptimize(body.data());
  }
  if (!diffFound) state.SkipWithError("the edited report compared equal");
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
  state.counters["report_MB"] = static_cast<double>(bytes) / 2.0 / (1 << 20);
  state.counters["table_Mchars"] = static_cast<double>(tableChars) / 1e6;
  state.counters["peak_rss_MB"] = PeakRssMegabytes();
}

// Few fixed iterations: each setup generates and parses 40 MB of reports.
BENCHMARK(BM_ClassicFormDiff)
    ->ArgName("diff_only")
    ->Arg(1)
    ->Arg(0)
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tarnwick
