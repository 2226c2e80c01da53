#include "tools/generator/report_generator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "files/file_io.h"
#include "test_platform.h"
#include "text/utf8.h"
#include "tools/generator/report_writer.h"
#include "tools/generator/sample_forms.h"

namespace tarnwick {
namespace {

std::vector<std::u16string> Lines(std::u16string_view text) {
  std::vector<std::u16string> lines;
  std::size_t start = 0;
  for (std::size_t lf = text.find(u"\r\n"); lf != text.npos; lf = text.find(u"\r\n", start)) {
    lines.emplace_back(text.substr(start, lf - start));
    start = lf + 2;
  }
  if (start < text.size()) lines.emplace_back(text.substr(start));
  return lines;
}

// Lines of one text missing from the other, counted with repetition: a
// changed line counts twice, an inserted or deleted one once.
std::size_t LinesNotShared(std::u16string_view a, std::u16string_view b) {
  std::map<std::u16string, long> count;
  for (auto& line : Lines(a)) ++count[line];
  for (auto& line : Lines(b)) --count[line];
  std::size_t differing = 0;
  for (auto& [line, n] : count) differing += static_cast<std::size_t>(n < 0 ? -n : n);
  return differing;
}

GeneratorOptions Options(std::size_t bytes, std::uint64_t seed) {
  GeneratorOptions options;
  options.targetBytes = bytes;
  options.seed = seed;
  return options;
}

TEST(ReportWriter, LaysOutMarkersIndentationAndAValueColumn) {
  gen::ReportWriter out;
  out.Header(0, u"FORM1");
  out.Property(1, u"ORDER BY句", u"ORDER_ID", u'o');
  out.Property(1, u"サブクラス情報");
  out.Property(2, u"レコード・グループの取出しサイズ・フォーマット", u"20");
  out.TextProperty(1, u"トリガー・テキスト", {u"", u"BEGIN", u"  NULL;", u"END;"});
  out.Separator(1);
  const std::size_t bytes = out.Bytes();
  const std::u16string text = out.Take();
  EXPECT_EQ(text,
            u"* 名前                                  FORM1\r\n"
            u"   o ORDER BY句                            ORDER_ID\r\n"
            u"   - サブクラス情報\r\n"
            u"      - レコード・グループの取出しサイズ・フォーマット 20\r\n"
            u"   - トリガー・テキスト\r\n"
            u"BEGIN\r\n"
            u"  NULL;\r\n"
            u"END;\r\n"
            u"   ----------\r\n");
  EXPECT_EQ(bytes, gen::Cp932Length(text));
}

TEST(ReportGenerator, SameSeedGivesSameReportOtherSeedAnother) {
  const std::u16string a = GenerateReportText(Options(200'000, 42));
  EXPECT_EQ(a, GenerateReportText(Options(200'000, 42)));
  EXPECT_NE(a, GenerateReportText(Options(200'000, 43)));
}

TEST(ReportGenerator, SizeInCodePage932IsCloseToTheTarget) {
  for (std::size_t target : {50'000u, 300'000u, 2'000'000u}) {
    const std::size_t bytes = gen::Cp932Length(GenerateReportText(Options(target, 7)));
    EXPECT_GE(bytes, target) << target;
    EXPECT_LE(bytes, target + target / 10 + 10'000) << target;
  }
}

TEST(ReportGenerator, ModuleStartsTheReportAndLinesEndWithCrLf) {
  GeneratorOptions options = Options(100'000, 3);
  options.moduleName = u"ORDER_ENTRY";
  const std::u16string text = GenerateReportText(options);
  EXPECT_TRUE(text.starts_with(u"* 名前                                  ORDER_ENTRY\r\n"));
  EXPECT_TRUE(text.ends_with(u"\r\n"));
  for (std::size_t lf = text.find(u'\n'); lf != text.npos; lf = text.find(u'\n', lf + 1)) {
    ASSERT_EQ(text[lf - 1], u'\r') << "at " << lf;
  }
}

TEST(ReportGenerator, ReportHoldsTheObjectsOfARealForm) {
  const std::u16string text = GenerateReportText(Options(400'000, 5));
  for (std::u16string_view expected : {u"\r\n- 連結ライブラリ\r\n   * 名前",
                                       u"\r\n- ブロック\r\n   * 名前",
                                       u"\r\n   - 項目\r\n      * 名前",
                                       u"トリガー・テキスト\r\n",
                                       u"\r\nEND IF;\r\n",
                                       u"\r\nEND;\r\n",
                                       u"NULL;\r\n",
                                       u"\r\n\r\n",
                                       u"- プログラム・ユニット\r\n",
                                       u"レコード・グループ問合せ\r\n",
                                       u"- リスト内の要素\r\n",
                                       u"- 問合せデータ・ソースの列\r\n      o 列名",
                                       u"参照情報                              <Not Referenced>",
                                       u"座標情報\r\n",
                                       u"o メニュー項目コード",
                                       u"- メニューのアイコン",
                                       u"- キャンバス\r\n",
                                       u"- ウィンドウ\r\n",
                                       u"o プロンプト",
                                       u"\r\n----------\r\n"}) {
    EXPECT_NE(text.find(expected), text.npos) << ToUtf8(expected);
  }
}

TEST(ReportGenerator, GeneratedTextFitsCodePage932) {
  // Every character is one a Japanese Windows report can hold: ASCII,
  // full-width and kanji from the BMP, never a replacement or a surrogate.
  const std::u16string text = GenerateReportText(Options(300'000, 11));
  for (char16_t c : text) {
    ASSERT_FALSE(c >= 0xD800 && c <= 0xDFFF);
    ASSERT_NE(c, u'\uFFFD');
    ASSERT_TRUE(c == u'\r' || c == u'\n' || c >= 0x20);
  }
}

TEST(ReportMutator, EditsAboutTheRequestedShareOfLines) {
  const std::u16string text = GenerateReportText(Options(1'000'000, 9));
  const std::size_t lines = Lines(text).size();
  for (double fraction : {0.002, 0.01, 0.05}) {
    const std::u16string mutated = MutateReportText(text, fraction, 1);
    const double differing = static_cast<double>(LinesNotShared(text, mutated));
    EXPECT_GE(differing, 0.5 * fraction * static_cast<double>(lines)) << fraction;
    EXPECT_LE(differing, 3.0 * fraction * static_cast<double>(lines)) << fraction;
  }
}

TEST(ReportMutator, DeterministicBySeedAndZeroFractionChangesNothing) {
  const std::u16string text = GenerateReportText(Options(200'000, 2));
  EXPECT_EQ(MutateReportText(text, 0.01, 5), MutateReportText(text, 0.01, 5));
  EXPECT_NE(MutateReportText(text, 0.01, 5), MutateReportText(text, 0.01, 6));
  EXPECT_EQ(MutateReportText(text, 0.0, 5), text);
}

TEST(ReportMutator, EditsStayInsideTextsAndKeepTheirClosingLines) {
  // Properties without values cannot be edited: every edit must fall on the
  // trigger body, and the closing line must follow it unchanged.
  const std::u16string report =
      u"* 名前  FORM1\r\n"
      u"- トリガー\r\n"
      u"   * 名前  WHEN-NEW-FORM-INSTANCE\r\n"
      u"   - トリガー・スタイル\r\n"
      u"   - トリガー・テキスト\r\n"
      u"BEGIN\r\n"
      u"  GO_BLOCK('ORDERS');\r\n"
      u"  EXECUTE_QUERY;\r\n"
      u"  :GLOBAL.MODE := 'A';\r\n"
      u"  MESSAGE('開始しました。');\r\n"
      u"  NULL;\r\n"
      u"END;\r\n"
      u"   - 問合せ入力モードで起動\r\n"
      u"   - 実行階層\r\n";
  const std::vector<std::u16string> before = Lines(report);
  for (std::uint64_t seed = 1; seed <= 20; ++seed) {
    const std::vector<std::u16string> after = Lines(MutateReportText(report, 0.3, seed));
    ASSERT_GE(after.size(), 11u);
    EXPECT_EQ(std::vector(after.begin(), after.begin() + 5),
              std::vector(before.begin(), before.begin() + 5));
    EXPECT_EQ(std::vector(after.end() - 2, after.end()),
              std::vector(before.end() - 2, before.end()));
    EXPECT_NE(after, before) << seed;
  }
}

TEST(ReportMutator, ChangesValuesButNeverNamesOrColumns) {
  const std::u16string report =
      u"* 名前  FORM1\r\n"
      u"- 最大長                  10\r\n"
      u"- 必須                    はい\r\n"
      u"- 挿入可能                いいえ\r\n"
      u"o ヒント                  受注番号を入力してください。\r\n"
      u"o X位置                   120\r\n";
  const std::vector<std::u16string> before = Lines(report);
  for (std::uint64_t seed = 1; seed <= 10; ++seed) {
    const std::vector<std::u16string> after = Lines(MutateReportText(report, 0.5, seed));
    ASSERT_EQ(after.size(), before.size());
    EXPECT_EQ(after[0], before[0]);
    for (std::size_t i = 1; i < before.size(); ++i) {
      // Values hold no blank: all up to the last blank is marker, name and padding.
      const std::size_t valueAt = before[i].rfind(u' ') + 1;
      EXPECT_EQ(after[i].substr(0, valueAt), before[i].substr(0, valueAt));
    }
    EXPECT_NE(after, before);
  }
}

TEST(ReportMutator, LeavesLinesWhosePlaceCarriesMeaningAlone) {
  // Library lines, the four reference lines, joined coordinate lines and a
  // menu code sharing its line with the icon property: the reader gives each
  // a fixed meaning, so the mutator only edits the trigger body.
  const std::u16string report =
      u"* 名前  FORM1\r\n"
      u"- 連結ライブラリ\r\n"
      u"   * 名前                 COMMON_LIB\r\n"
      u"   o PL/SQLライブラリの位置  C:\\lib\\COMMON_LIB.pll\r\n"
      u"- 参照情報                COMMON_OLB\r\n"
      u"   o 参照元モジュール     COMMON_OLB\r\n"
      u"   o 参照元オブジェクト   12\r\n"
      u"   o 参照元モジュールのタイプ  はい\r\n"
      u"   o 参照元オブジェクトのタイプ 項目名\r\n"
      u"- 座標情報\r\n"
      u"   - 幅                   640\r\n"
      u"   - 高さ                 480\r\n"
      u"o メニュー項目コード      CALL_FORM('A'); - メニューのアイコン  いいえ\r\n"
      u"- トリガー・テキスト\r\n"
      u"GO_BLOCK('ORDERS');\r\n"
      u"EXECUTE_QUERY;\r\n"
      u"MESSAGE('開始しました。');\r\n"
      u"- 問合せ入力モードで起動\r\n";
  const std::vector<std::u16string> before = Lines(report);
  for (std::uint64_t seed = 1; seed <= 20; ++seed) {
    const std::vector<std::u16string> after = Lines(MutateReportText(report, 0.3, seed));
    ASSERT_GE(after.size(), 15u);
    EXPECT_EQ(std::vector(after.begin(), after.begin() + 14),
              std::vector(before.begin(), before.begin() + 14));
    EXPECT_EQ(after.back(), before.back());
  }
}

TEST(ReportMutator, TextsWithoutReportLinesComeBackUnharmed) {
  EXPECT_EQ(MutateReportText(u"", 0.5, 1), u"");
  EXPECT_EQ(MutateReportText(u"\r\n\r\n", 0.5, 1), u"\r\n\r\n");
  // Lines without CR get it; a text that is no report still gives a text.
  EXPECT_EQ(MutateReportText(u"a\nb", 0.0, 1), u"a\r\nb\r\n");
  std::u16string garbage;
  for (char16_t c = 1; c < 3000; ++c) garbage += static_cast<char16_t>(c * 7919 % 0xD000);
  EXPECT_FALSE(MutateReportText(garbage, 0.5, 1).empty());
}

TEST(ReportMutator, AddsOrRemovesWholeItems) {
  const std::u16string text = GenerateReportText(Options(500'000, 4));
  auto headers = [](std::u16string_view t) {
    std::size_t n = 0;
    for (auto& line : Lines(t)) n += line.starts_with(u"      * 名前");
    return n;
  };
  std::size_t changedCounts = 0;
  for (std::uint64_t seed = 1; seed <= 6; ++seed) {
    changedCounts += headers(MutateReportText(text, 0.01, seed)) != headers(text);
  }
  EXPECT_GE(changedCounts, 3u);
}

TEST(ReportFile, WritesCodePage932WithCrLf) {
  EXPECT_EQ(
      ReportBytes(u"* 名前  FORM1\r\n- コメント  ～①\nEND;"),
      "* \x96\xBC\x91\x4F  FORM1\r\n- \x83\x52\x83\x81\x83\x93\x83\x67  \x81\x60\x87\x40\r\nEND;");
}

TEST(SampleReports, CommittedFilesAreWhatTheSourceWrites) {
  // The demo's files under samples/ are data made by `tarnwick-gen samples`;
  // this keeps them in step with the forms described in the source.
  for (int release : {1, 2}) {
    const std::vector<SampleReport> reports = SampleReports(release);
    ASSERT_EQ(reports.size(), 4u);
    for (const SampleReport& report : reports) {
      const std::u16string path = FromUtf8(std::string(TARNWICK_SOURCE_DIR) + "/samples/v" +
                                           std::to_string(release) + "/") +
                                  report.fileName;
      EXPECT_EQ(ReadFileBytes(path), ReportBytes(report.text)) << ToUtf8(path);
    }
  }
}

TEST(SampleReports, ReleaseTwoDropsOneFormAndAddsAnother) {
  auto names = [](int release) {
    std::vector<std::u16string> result;
    for (const SampleReport& report : SampleReports(release)) result.push_back(report.fileName);
    return result;
  };
  EXPECT_EQ(names(1), (std::vector<std::u16string>{u"ORDER_ENTRY.txt", u"CUSTOMER_MASTER.txt",
                                                   u"MAIN_MENU.txt", u"PASSWORD_CHANGE.txt"}));
  EXPECT_EQ(names(2), (std::vector<std::u16string>{u"ORDER_ENTRY.txt", u"CUSTOMER_MASTER.txt",
                                                   u"MAIN_MENU.txt", u"SHIPMENT_INQUIRY.txt"}));
}

// The arguments are separated by single blanks.
int RunGen(const std::string& arguments) {
  std::vector<std::string> args;
  for (std::size_t start = 0; start <= arguments.size();) {
    const std::size_t blank = std::min(arguments.find(' ', start), arguments.size());
    args.push_back(arguments.substr(start, blank - start));
    start = blank + 1;
  }
  return testing::RunBuiltProgram("tarnwick-gen", args).status;
}

TEST(TarnwickGen, WritesReportsVersionsAndFolderPairs) {
  const std::filesystem::path dir = std::filesystem::temp_directory_path() / "tarnwick_gen_test";
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  const std::string d = dir.string();

  ASSERT_EQ(RunGen("report --size 60000 --seed 4 --name ORDERS " + d + "/a.txt"), 0);
  GeneratorOptions options = Options(60'000, 4);
  options.moduleName = u"ORDERS";
  EXPECT_EQ(ReadFileBytes(FromUtf8(d + "/a.txt")), ReportBytes(GenerateReportText(options)));

  ASSERT_EQ(RunGen("mutate --edits 0.02 --seed 3 " + d + "/a.txt " + d + "/b.txt"), 0);
  EXPECT_EQ(ReadFileBytes(FromUtf8(d + "/b.txt")),
            ReportBytes(MutateReportText(GenerateReportText(options), 0.02, 3)));

  ASSERT_EQ(RunGen("folders --pairs 3 --size 20000 " + d + "/v1 " + d + "/v2"), 0);
  for (const char* name : {"FORM0001.txt", "FORM0002.txt", "FORM0003.txt"}) {
    EXPECT_TRUE(std::filesystem::exists(dir / "v1" / name)) << name;
    EXPECT_TRUE(std::filesystem::exists(dir / "v2" / name)) << name;
  }
  EXPECT_FALSE(std::filesystem::exists(dir / "v1" / "FORM0004.txt"));

  EXPECT_EQ(RunGen("report " + d + "/c.txt"), 64);  // no --size
  EXPECT_EQ(RunGen("report --size 12x " + d + "/c.txt"), 64);
  EXPECT_EQ(RunGen("mutate --edits 2 " + d + "/a.txt " + d + "/c.txt"), 64);
  EXPECT_EQ(RunGen("shuffle " + d), 64);
  EXPECT_EQ(RunGen("mutate " + d + "/missing.txt " + d + "/c.txt"), 1);
  EXPECT_FALSE(std::filesystem::exists(dir / "c.txt"));
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace tarnwick
