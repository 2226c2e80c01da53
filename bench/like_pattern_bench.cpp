// Wildcard matching cost: the adversarial many-star pattern must stay linear
// in the text, and the ordinary "*word*" search runs at string-search speed.
#include <benchmark/benchmark.h>

#include <string>

#include "search/like_pattern.h"

namespace tarnwick {
namespace {

void BM_LikeManyStarsOnLongRun(benchmark::State& state) {
  const std::u16string text(static_cast<std::size_t>(state.range(0)), u'a');
  const LikePattern pattern(u"*a*a*a*a*a*a*b*");
  for (auto _ : state) benchmark::DoNotOptimize(pattern.Matches(text));
  state.SetBytesProcessed(state.iterations() * state.range(0) * 2);
}
BENCHMARK(BM_LikeManyStarsOnLongRun)->Arg(100000)->Unit(benchmark::kMicrosecond);

void BM_LikeListsOnLongRun(benchmark::State& state) {
  const std::u16string text(static_cast<std::size_t>(state.range(0)), u'a');
  const LikePattern pattern(u"*[a-c]?a*#*[!a]a*");
  for (auto _ : state) benchmark::DoNotOptimize(pattern.Matches(text));
  state.SetBytesProcessed(state.iterations() * state.range(0) * 2);
}
BENCHMARK(BM_LikeListsOnLongRun)->Arg(100000)->Unit(benchmark::kMicrosecond);

void BM_LikeWordInCodeLines(benchmark::State& state) {
  const std::u16string line = u"    IF :BLK1.ITEM_CODE IS NULL THEN SELECT NAME INTO :X FROM EMP;";
  const LikePattern pattern(u"*WHERE*");
  for (auto _ : state) benchmark::DoNotOptimize(pattern.Matches(line));
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(line.size()) * 2);
}
BENCHMARK(BM_LikeWordInCodeLines);

// A word that is not there, over 1 MB of code lines: the whole text is read.
void BM_LikeAbsentWordInLongText(benchmark::State& state) {
  std::u16string text;
  while (text.size() < (std::size_t{1} << 19)) {
    text += u"    SELECT CUSTOMER_NAME INTO :BLK1.NAME FROM CUSTOMERS WHERE ID = :P_ID;\r\n";
  }
  const LikePattern pattern(u"*CUSTOMER_CODE*");
  for (auto _ : state) benchmark::DoNotOptimize(pattern.Matches(text));
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()) * 2);
}
BENCHMARK(BM_LikeAbsentWordInLongText)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tarnwick
