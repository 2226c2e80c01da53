// The search run over a folder of generated reports against a bare read,
// decode and parse of the same files, timed side by side in one loop. The
// counters "ratio" (wall time) and "cpu_ratio" (process CPU time) are search
// over parse; the goal is 1.5 or less.
//   build/tarnwick_bench --benchmark_filter=SearchVersusParse
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include "app/report_loader.h"
#include "app/runs.h"
#include "classic/search_rows.h"
#include "files/file_io.h"
#include "report/report_parser.h"
#include "search/search_table.h"
#include "text/cp932.h"
#include "text/utf8.h"
#include "tools/generator/report_generator.h"

namespace tarnwick {
namespace {

double ProcessCpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// The window of a CLI run with --quiet: it shows nothing.
class SilentWindow : public WindowOps {
 public:
  void ShowMessage(const Message&, MessageIcon) override {}
  bool ConfirmOverwrite(const Message&) override { return true; }
  void SetStatusText(const Message&) override {}
  void Repaint() override {}
  void SetWaitCursor(bool) override {}
  bool StructureViewerEnabled() const override { return false; }
  void ShowStructure(const Collection&) override {}
  void OpenResult(std::u16string_view) override {}
  void SetProgress(std::size_t, std::size_t) override {}
  bool CancelRequested() const override { return false; }
  void ShowNotReached(const std::vector<std::u16string>&) override {}
};

// Three strings, FOUND_ONLY on. Per generated 1 MB report, query 0 renders a
// table of about 130,000 characters, query 1 (whole trigger texts) about
// 400,000, so that page writing weighs in.
void SetQuery(int query, Settings& settings) {
  settings.COND_AND = true;
  settings.FOUND_ONLY = true;
  settings.SEARCH_STRING1 = query == 0 ? u"WHERE" : u"SELECT";
  settings.SEARCH_STRING1_COND = true;
  settings.SEARCH_STRING2 = query == 0 ? u"CUSTOMER_ID" : u"_NAME";
  settings.SEARCH_STRING2_COND = true;
  settings.SEARCH_STRING3 = u"DUAL";
  settings.SEARCH_STRING3_COND = false;
}

// `count` generated reports of about `bytes` each in a temporary folder, and
// an empty output folder beside it; both are removed afterwards.
class ReportFolder {
 public:
  ReportFolder(int count, std::size_t bytes) {
    root_ = std::filesystem::temp_directory_path() /
            ("tarnwick-search-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(root_ / "src");
    std::filesystem::create_directories(root_ / "out");
    for (int i = 1; i <= count; ++i) {
      GeneratorOptions options;
      options.seed = static_cast<std::uint64_t>(i);
      options.targetBytes = bytes;
      options.moduleName = u"FORM" + FromUtf8(std::to_string(i));
      const std::string encoded = EncodeCp932(GenerateReportText(options));
      totalBytes_ += static_cast<std::int64_t>(encoded.size());
      const std::u16string path = Source() + u"FORM" + FromUtf8(std::to_string(i)) + u".TXT";
      WriteFileBytes(path, encoded);
      paths_.push_back(path);
    }
  }
  ~ReportFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
  }
  ReportFolder(const ReportFolder&) = delete;
  ReportFolder& operator=(const ReportFolder&) = delete;

  std::u16string Source() const { return PathText(root_ / "src") + u"/"; }
  std::u16string Output() const { return PathText(root_ / "out") + u"/"; }
  const std::vector<std::u16string>& Paths() const { return paths_; }
  std::int64_t TotalBytes() const { return totalBytes_; }

 private:
  std::filesystem::path root_;
  std::vector<std::u16string> paths_;
  std::int64_t totalBytes_ = 0;
};

void BM_SearchVersusParse(benchmark::State& state) {
  const ReportFolder folder(static_cast<int>(state.range(0)), std::size_t{1} << 20);
  Settings settings;
  settings.SRC_PATH = folder.Source();
  settings.SRC_FILE = u"*.TXT";
  settings.OUTPUT_PATH = folder.Output();
  settings.OUTPUT_FILE = u"Result";
  SetQuery(static_cast<int>(state.range(1)), settings);
  SilentWindow window;

  // Wall time says what the user waits; process CPU time (all threads) what
  // the run costs, which a machine shared with other work shows more fairly.
  using Clock = std::chrono::steady_clock;
  double parseSeconds = 0;
  double searchSeconds = 0;
  double parseCpu = 0;
  double searchCpu = 0;
  for (auto _ : state) {
    const auto start = Clock::now();
    const double startCpu = ProcessCpuSeconds();
    for (const std::u16string& path : folder.Paths()) {
      CollectionPtr tree = ParseReport(ReadReportText(FilePathOf(path)));
      benchmark::DoNotOptimize(tree.get());
    }
    const auto parsed = Clock::now();
    const double parsedCpu = ProcessCpuSeconds();
    if (ExecSearch(settings, window) != RunOutcome::Finished) {
      state.SkipWithError("the search run did not finish");
      break;
    }
    const auto searched = Clock::now();
    const double search = std::chrono::duration<double>(searched - parsed).count();
    parseSeconds += std::chrono::duration<double>(parsed - start).count();
    searchSeconds += search;
    parseCpu += parsedCpu - startCpu;
    searchCpu += ProcessCpuSeconds() - parsedCpu;
    state.SetIterationTime(search);
  }
  const double runs = static_cast<double>(state.iterations());
  state.counters["parse_s"] = parseSeconds / runs;
  state.counters["search_s"] = searchSeconds / runs;
  state.counters["ratio"] = searchSeconds / parseSeconds;
  state.counters["parse_cpu_s"] = parseCpu / runs;
  state.counters["search_cpu_s"] = searchCpu / runs;
  state.counters["cpu_ratio"] = searchCpu / parseCpu;
  state.SetBytesProcessed(state.iterations() * folder.TotalBytes());
}
BENCHMARK(BM_SearchVersusParse)
    ->Args({200, 0})
    ->Args({200, 1})
    ->UseManualTime()
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);

// The search of one parsed 1 MB report into its table, without any file work.
void BM_SearchTableOfOneReport(benchmark::State& state) {
  GeneratorOptions options;
  options.targetBytes = std::size_t{1} << 20;
  const std::u16string text = GenerateReportText(options);
  CollectionPtr tree = ParseReport(text);
  const int which = static_cast<int>(state.range(0));
  const SearchQuery query = MakeSearchQuery({{{which == 0 ? u"WHERE" : u"SELECT", true},
                                              {which == 0 ? u"CUSTOMER_ID" : u"_NAME", true},
                                              {u"DUAL", false}}},
                                            true, false, true);
  std::size_t tableSize = 0;
  for (auto _ : state) {
    HTMLTblCls table;
    ClassicSearchRows rows(table);
    MakeSearch(query, tree.get(), u"FORM1.TXT", rows);
    tableSize = table.sStr().size();
  }
  state.counters["table_chars"] = static_cast<double>(tableSize);
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(EncodeCp932(text).size()));
}
BENCHMARK(BM_SearchTableOfOneReport)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tarnwick
