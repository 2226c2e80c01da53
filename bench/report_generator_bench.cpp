// Speed of the report generator and the mutator on a 20 MB report (code page
// 932 bytes), so that benchmarks and demos can make their inputs on the fly.
#include <benchmark/benchmark.h>

#include <string>

#include "tools/generator/report_generator.h"

namespace {

constexpr std::size_t kReportBytes = 20'000'000;

void BM_GenerateReport(benchmark::State& state) {
  tarnwick::GeneratorOptions options;
  options.targetBytes = kReportBytes;
  for (auto _ : state) {
    benchmark::DoNotOptimize(tarnwick::GenerateReportText(options).size());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kReportBytes));
}
BENCHMARK(BM_GenerateReport)->Unit(benchmark::kMillisecond);

void BM_MutateReport(benchmark::State& state) {
  tarnwick::GeneratorOptions options;
  options.targetBytes = kReportBytes;
  const std::u16string text = tarnwick::GenerateReportText(options);
  for (auto _ : state) {
    benchmark::DoNotOptimize(tarnwick::MutateReportText(text, 0.01, 1).size());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kReportBytes));
}
BENCHMARK(BM_MutateReport)->Unit(benchmark::kMillisecond);

void BM_EncodeReport(benchmark::State& state) {
  tarnwick::GeneratorOptions options;
  options.targetBytes = kReportBytes;
  const std::u16string text = tarnwick::GenerateReportText(options);
  for (auto _ : state) {
    benchmark::DoNotOptimize(tarnwick::ReportBytes(text).size());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kReportBytes));
}
BENCHMARK(BM_EncodeReport)->Unit(benchmark::kMillisecond);

}  // namespace
