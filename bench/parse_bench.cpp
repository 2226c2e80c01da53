// Reading, decoding and parsing a 20 MB report, in report bytes per second,
// with the peak resident memory while the parsed tree is held; and the same
// report in English (Windows-1252), whose labels hold blanks.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <sys/resource.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "files/file_io.h"
#include "report/report_encoding.h"
#include "report/report_parser.h"
#include "text/cp932.h"
#include "tools/generator/english_report.h"
#include "tools/generator/report_generator.h"

namespace tarnwick {
namespace {

constexpr std::size_t kReportBytes = 20u << 20;

// The generated report: CR LF, code page 932, about kReportBytes bytes.
std::u16string Report() {
  GeneratorOptions options;
  options.targetBytes = kReportBytes;
  return GenerateReportText(options);
}

std::filesystem::path ReportFile() {
  const std::filesystem::path path =
      std::filesystem::temp_directory_path() / "tarnwick_parse_bench.txt";
  WriteReportFile(PathText(path), Report());
  return path;
}

// Sets the peak resident set back to the current one, so that the peak
// counted is the parse's and not the generation's.
void ResetPeakMemory() {
  if (std::FILE* f = std::fopen("/proc/self/clear_refs", "w")) {
    std::fputs("5", f);
    std::fclose(f);
  }
}

double PeakMemoryBytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) * 1024.0;
}

void BM_ReadDecodeParse(benchmark::State& state) {
  const std::filesystem::path path = ReportFile();
  const auto fileBytes = static_cast<double>(std::filesystem::file_size(path));
  const std::u16string pathText = PathText(path);
  for (auto _ : state) {
    std::u16string text = DecodeCp932(ReadFileBytes(pathText));
    CollectionPtr tree = ParseReport(text);
    benchmark::DoNotOptimize(tree.get());
    state.PauseTiming();  // destruction is timed on its own below
    tree.reset();
    text = std::u16string();
    state.ResumeTiming();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * fileBytes));
  state.counters["file_MB"] = fileBytes / 1e6;
  std::filesystem::remove(path);
}

// One parse in a process whose heap holds nothing else: the peak resident
// memory while the tree and the text are held, per byte of the report file.
void BM_ParsePeakMemory(benchmark::State& state) {
  const std::filesystem::path path = ReportFile();
  const auto fileBytes = static_cast<double>(std::filesystem::file_size(path));
  const std::u16string pathText = PathText(path);
  malloc_trim(0);
  ResetPeakMemory();
  const double before = PeakMemoryBytes();
  for (auto _ : state) {
    std::u16string text = DecodeCp932(ReadFileBytes(pathText));
    CollectionPtr tree = ParseReport(text);
    benchmark::DoNotOptimize(tree.get());
    state.counters["peak_MB"] = PeakMemoryBytes() / 1e6;
    state.counters["peak_per_file_byte"] = PeakMemoryBytes() / fileBytes;
    state.counters["before_MB"] = before / 1e6;
  }
  state.counters["file_MB"] = fileBytes / 1e6;
  std::filesystem::remove(path);
}
BENCHMARK(BM_ParsePeakMemory)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadDecodeParse)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_ParseOnly(benchmark::State& state) {
  const std::u16string text = Report();
  const double fileBytes = static_cast<double>(ReportBytes(text).size());
  for (auto _ : state) {
    CollectionPtr tree = ParseReport(text);
    benchmark::DoNotOptimize(tree.get());
    state.PauseTiming();
    tree.reset();
    state.ResumeTiming();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * fileBytes));
}
BENCHMARK(BM_ParseOnly)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The English report of the same form: decoding (automatic: the encoding
// recognised from the bytes) and parsing, per byte of the English file.
void BM_DecodeParseEnglish(benchmark::State& state) {
  const std::string bytes =
      EnglishReportBytes(EnglishReportText(Report()), EnglishEncoding::kWindows1252);
  RawBuffer<char16_t> text;
  for (auto _ : state) {
    DecodeReportBytes(bytes, ReportTextEncoding::kAutomatic, text);
    CollectionPtr tree = ParseReport(text.View());
    benchmark::DoNotOptimize(tree.get());
    state.PauseTiming();
    tree.reset();
    state.ResumeTiming();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
  state.counters["file_MB"] = static_cast<double>(bytes.size()) / 1e6;
}
BENCHMARK(BM_DecodeParseEnglish)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_DestroyParsedTree(benchmark::State& state) {
  const std::u16string text = Report();
  const double fileBytes = static_cast<double>(ReportBytes(text).size());
  for (auto _ : state) {
    state.PauseTiming();
    CollectionPtr tree = ParseReport(text);
    state.ResumeTiming();
    tree.reset();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * fileBytes));
}
BENCHMARK(BM_DestroyParsedTree)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace
}  // namespace tarnwick
