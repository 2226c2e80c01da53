// Reading, decoding and parsing a 20 MB report, in report bytes per second,
// with the peak resident memory while the parsed tree is held.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <sys/resource.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "report/report_parser.h"
#include "text/cp932.h"
#include "text/file_io.h"

namespace tarnwick {
namespace {

constexpr std::size_t kReportBytes = 20u << 20;

std::u16string Number(std::size_t n) {
  std::u16string digits;
  for (char c : std::to_string(n)) digits += static_cast<char16_t>(c);
  return digits;
}

// A block with a trigger body, list elements and a query column list.
void AppendBlock(std::u16string& text, std::size_t n) {
  const std::u16string id = Number(n);
  text += u"   * 名前                                             BLOCK" + id + u"\r\n";
  text += u"   - 問合せデータ・ソースの名前                       EMP" + id + u"\r\n";
  text += u"   - 1 ブロックに表示されるレコード数                 10\r\n";
  text += u"   - WHERE句                                          DEPTNO = :PARAMETER.P_DEPT\r\n";
  text += u"   - ORDER BY句                                       EMPNO\r\n";
  text += u"   - オプティマイザ・ヒント                           \r\n";
  text += u"   - バッファ・レコード                               20\r\n";
  text += u"   * トリガー\r\n";
  text += u"     * 名前                                           WHEN-NEW-RECORD-INSTANCE\r\n";
  text += u"     - トリガー・スタイル                             PL/SQLトリガー\r\n";
  text += u"     - トリガー・テキスト                             \r\n";
  text += u"DECLARE\r\n  v_count NUMBER := 0; -- 件数\r\nBEGIN\r\n";
  text += u"  IF :EMP.EMPNO IS NULL THEN\r\n    MESSAGE('社員番号を入力してください。');\r\n  END IF;\r\n";
  text += u"  SELECT COUNT(*) INTO v_count FROM EMP WHERE DEPTNO = :EMP.DEPTNO;\r\n\r\nEND;\r\n";
  text += u"     - 問合せ入力モードで起動                         いいえ\r\n";
  text += u"   * 項目\r\n";
  for (int item = 0; item < 4; ++item) {
    const std::u16string itemId = Number(static_cast<std::size_t>(item));
    text += u"     * 名前                                           ITEM" + itemId + u"\r\n";
    text += u"     - 項目タイプ                                     リスト項目\r\n";
    text += u"     - プロンプト                                     項目" + itemId + u"\r\n";
    text += u"     - プロンプト表示スタイル                         先頭レコード\r\n";
    text += u"     - 幅                                             120\r\n";
    text += u"     - 高さ                                           14\r\n";
    text += u"     - データ型                                       文字\r\n";
    text += u"     - 最大長                                         30\r\n";
    text += u"     * リスト内の要素\r\n";
    text += u"       - ラベル                                       はい\r\n";
    text += u"       - リスト項目値                                 Y\r\n";
    text += u"       - ラベル                                       いいえ\r\n";
    text += u"       - リスト項目値                                 N\r\n";
    text += u"     - リスト形式                                     ポップリスト\r\n";
    text += u"     - 参照情報                                       <Not Referenced>\r\n";
  }
  text += u"   * 問合せデータ・ソースの列\r\n";
  text += u"     - 列名                                           EMPNO\r\n";
  text += u"     - データ型                                       NUMBER\r\n";
  text += u"     - 列名                                           ENAME\r\n";
  text += u"     - データ型                                       VARCHAR2\r\n";
  text += u"   - 問合せデータ・ソースの引数                       \r\n";
  text += u"   - 別名                                           \r\n";
}

std::size_t EncodedSize(std::u16string_view text) {
  std::size_t bytes = 0;
  for (char16_t c : text) bytes += c < 0x80 || (c >= 0xFF61 && c <= 0xFF9F) ? 1 : 2;
  return bytes;
}

std::u16string SynthesizedReport(std::size_t bytes) {
  std::u16string text = u" * 名前                                               FORM1\r\n";
  text += u" - タイトル                                           受注入力\r\n";
  text += u" * ブロック\r\n";
  std::u16string block;
  AppendBlock(block, 0);
  const std::size_t blocks = bytes / EncodedSize(block);
  for (std::size_t n = 0; n < blocks; ++n) AppendBlock(text, n);
  return text;
}

std::filesystem::path ReportFile() {
  const std::filesystem::path path = std::filesystem::temp_directory_path() / "tarnwick_parse_bench.txt";
  const std::string bytes = EncodeCp932(SynthesizedReport(kReportBytes));
  std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
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
    CollectionPtr tree;
    GetBlockStruct(text, tree);
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
    CollectionPtr tree;
    GetBlockStruct(text, tree);
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
  const std::u16string text = SynthesizedReport(kReportBytes);
  const double fileBytes = static_cast<double>(EncodedSize(text));
  for (auto _ : state) {
    CollectionPtr tree;
    GetBlockStruct(text, tree);
    benchmark::DoNotOptimize(tree.get());
    state.PauseTiming();
    tree.reset();
    state.ResumeTiming();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * fileBytes));
}
BENCHMARK(BM_ParseOnly)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_DestroyParsedTree(benchmark::State& state) {
  const std::u16string text = SynthesizedReport(kReportBytes);
  const double fileBytes = static_cast<double>(EncodedSize(text));
  for (auto _ : state) {
    state.PauseTiming();
    CollectionPtr tree;
    GetBlockStruct(text, tree);
    state.ResumeTiming();
    tree.reset();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * fileBytes));
}
BENCHMARK(BM_DestroyParsedTree)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace
}  // namespace tarnwick
