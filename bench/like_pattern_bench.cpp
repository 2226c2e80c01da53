// Wildcard matching cost: the adversarial many-star pattern must stay linear
// in the text, and the ordinary "*word*" search runs at string-search speed.
#include <benchmark/benchmark.h>

#include <string>

#include "app/like_pattern.h"

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

}  // namespace
}  // namespace tarnwick
