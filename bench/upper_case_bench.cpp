// Upper-casing speed, in UTF-16 units per second: a generated report (mostly
// ASCII and Japanese, about 4 MB) and a text of letters that all leave ASCII
// (accented, Greek, Cyrillic, full-width), where every unit takes the table.
#include <benchmark/benchmark.h>

#include <string>

#include "text/upper_case.h"
#include "tools/generator/report_generator.h"

namespace tarnwick {
namespace {

void BM_UpperCaseReport(benchmark::State& state) {
  GeneratorOptions options;
  options.targetBytes = static_cast<std::size_t>(state.range(0));
  const std::u16string text = GenerateReportText(options);
  for (auto _ : state) {
    std::u16string upper = UpperCase(text);
    benchmark::DoNotOptimize(upper.data());
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_UpperCaseReport)->Arg(4 << 20)->Unit(benchmark::kMillisecond);

void BM_UpperCaseLetters(benchmark::State& state) {
  const std::u16string letters = u"éñÿçàüßŉαβγδεζηθкириллицаｆｏｒｍｂｌｏｃｋＡＢＣ";
  std::u16string text;
  while (text.size() < static_cast<std::size_t>(state.range(0))) text += letters;
  for (auto _ : state) {
    std::u16string upper = UpperCase(text);
    benchmark::DoNotOptimize(upper.data());
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_UpperCaseLetters)->Arg(1 << 20)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tarnwick
