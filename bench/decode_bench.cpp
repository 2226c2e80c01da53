// Decoding speed of code page 932 report text: mostly ASCII indentation and
// names with Japanese labels, prompts and comments, about 20 MB.
#include <benchmark/benchmark.h>

#include <string>

#include "text/cp932.h"

namespace {

std::string MakeReportBytes(std::size_t size) {
  // Lines shaped like report lines: label (Japanese), padding, value.
  const char* const lines[] = {
      "   * \x96\xBC\x91\x4F                                       EMP_ID\r\n",  // 名前
      // プロンプト 社員番号
      ("   - \x83\x76\x83\x8D\x83\x93\x83\x76\x83\x67                             "
       "\x8E\xD0\x88\xF5\x94\xD4\x8D\x86\r\n"),
      "   - \x83\x66\x81\x5B\x83\x5E\x8C\x5E                                 NUMBER\r\n",  // データ型
      "        IF :EMP.SAL > 1000 THEN\r\n",
      "          -- \x8B\x8B\x97\x5E\x82\xF0\x8D\x58\x90\x56\x82\xB7\x82\xE9\r\n",  // 給与を更新する
      "          UPDATE EMP SET SAL = SAL * 1.1 WHERE EMPNO = :EMP.EMPNO;\r\n",
      "        END IF;\r\n",
      "\r\n",
      // half-width kana, はい
      "   - \xB8\xDE\xD8\xAF\xC4\xDE                                 \x82\xCD\x82\xA2\r\n",
  };
  std::string bytes;
  bytes.reserve(size + 200);
  std::size_t i = 0;
  while (bytes.size() < size) bytes += lines[i++ % std::size(lines)];
  return bytes;
}

void BM_DecodeCp932Report(benchmark::State& state) {
  const std::string bytes = MakeReportBytes(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) {
    std::u16string text = tarnwick::DecodeCp932(bytes);
    benchmark::DoNotOptimize(text.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(bytes.size()));
}
BENCHMARK(BM_DecodeCp932Report)->Arg(20 << 20)->Unit(benchmark::kMillisecond);

void BM_EncodeCp932Report(benchmark::State& state) {
  const std::u16string text =
      tarnwick::DecodeCp932(MakeReportBytes(static_cast<std::size_t>(state.range(0))));
  for (auto _ : state) {
    std::string bytes = tarnwick::EncodeCp932(text);
    benchmark::DoNotOptimize(bytes.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(text.size()) * 2);
}
BENCHMARK(BM_EncodeCp932Report)->Arg(20 << 20)->Unit(benchmark::kMillisecond);

}  // namespace
