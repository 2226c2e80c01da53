// Line cutting speed over a decoded report-like text of about 20 MB
// (about 120,000 lines of 30 to 140 characters).
#include <benchmark/benchmark.h>

#include <string>

#include "text/line_reader.h"

namespace {

std::u16string MakeText(std::size_t size) {
  std::u16string text;
  text.reserve(size + 200);
  for (std::size_t i = 0; text.size() < size; ++i) {
    text.append(4 + i % 9 * 4, u' ');
    text += u"- プロンプト    ";
    text.append(10 + i * 7 % 90, u'X');
    text += u"\r\n";
  }
  return text;
}

void BM_ReadLines(benchmark::State& state) {
  const std::u16string text = MakeText(static_cast<std::size_t>(state.range(0)) / 2);
  std::int64_t lines = 0;
  for (auto _ : state) {
    std::int64_t position = 1;
    while (position != -1) {
      benchmark::DoNotOptimize(tarnwick::ReadLine(text, position).size());
      ++lines;
    }
  }
  state.SetItemsProcessed(lines);
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(text.size()) * 2);
}
BENCHMARK(BM_ReadLines)->Arg(20 << 20)->Unit(benchmark::kMillisecond);

}  // namespace
