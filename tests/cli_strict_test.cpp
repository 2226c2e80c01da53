// tarnwick-cli refusing what a script most likely got wrong: a --set value
// its key does not take, a pattern that finds no report, a page of another
// kind of run in the way; and what it prints for a script: --json -, --quiet,
// the totals line. Also objdiff's objects named by their paths.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/object_path.h"
#include "cli_runner.h"
#include "runs_fixture.h"
#include "sample_reports.h"
#include "text/cp932.h"
#include "text/json_string.h"

namespace tarnwick {
namespace {

using testing::CliResult;
using testing::RunCli;
using testing::ScratchFolder;
using testing::SmallReport;

class CliStrict : public ::testing::Test {
 protected:
  CliStrict() {
    v1 = scratch.Folder(u"v1");
    v2 = scratch.Folder(u"v2");
    out = scratch.Folder(u"out");
    scratch.WriteText(u"v1", u"a.txt", SmallReport(u"A", u"1"));
    scratch.WriteText(u"v2", u"a.txt", SmallReport(u"A", u"2"));
    scratch.WriteText(u"v2", u"b.txt", SmallReport(u"B", u"1"));
    r1 = v1 + u"a.txt";
    r2 = v2 + u"a.txt";
  }

  // A folder comparison into out/Result.html, with `extra` after the settings.
  CliResult Diff(std::vector<std::u16string> extra = {}) {
    std::vector<std::u16string> args = {u"diff",
                                        u"--set",
                                        u"SRC_PATH1=" + v1,
                                        u"--set",
                                        u"SRC_FILE1=*.txt",
                                        u"--set",
                                        u"SRC_PATH2=" + v2,
                                        u"--set",
                                        u"SRC_FILE2=*.txt",
                                        u"--set",
                                        u"OUTPUT_PATH=" + out,
                                        u"--set",
                                        u"OUTPUT_FILE=Result"};
    args.insert(args.end(), extra.begin(), extra.end());
    return RunCli(args);
  }

  // A search into found/Result.html, apart from the comparisons' pages,
  // unless `extra` sets another OUTPUT_PATH.
  CliResult Search(std::vector<std::u16string> extra = {}) {
    std::vector<std::u16string> args = {u"search",
                                        u"--set",
                                        u"SRC_PATH=" + v2,
                                        u"--set",
                                        u"SRC_FILE=*.txt",
                                        u"--set",
                                        u"SEARCH_STRING1=はい",
                                        u"--set",
                                        u"OUTPUT_PATH=" + scratch.Folder(u"found"),
                                        u"--set",
                                        u"OUTPUT_FILE=Result"};
    args.insert(args.end(), extra.begin(), extra.end());
    return RunCli(args);
  }

  // The object comparison into out/Result.html; `objects` are the operands
  // after the two reports' places.
  CliResult ObjDiff(std::u16string_view object1, std::u16string_view object2,
                    std::vector<std::u16string> extra = {}, std::u16string_view report1 = u"",
                    std::u16string_view report2 = u"") {
    std::vector<std::u16string> args = {u"objdiff", u"--set", u"OUTPUT_PATH=" + out, u"--set",
                                        u"OUTPUT_FILE=Result"};
    args.insert(args.end(), extra.begin(), extra.end());
    args.push_back(report1.empty() ? r1 : std::u16string(report1));
    args.emplace_back(object1);
    args.push_back(report2.empty() ? r2 : std::u16string(report2));
    args.emplace_back(object2);
    return RunCli(args);
  }

  std::string Summary() const { return ScratchFolder::Read(out + u"Result.html"); }

  ScratchFolder scratch;
  std::u16string v1, v2, out, r1, r2;
};

TEST_F(CliStrict, SetRefusesAValueItsKeyDoesNotTakeNamingTheKeyAndTheValuesItTakes) {
  const struct {
    std::u16string_view set;
    std::string problem;
  } cases[] = {
      {u"PAGE_STYLE=revieww", "PAGE_STYLE takes CLASSIC or REVIEW (in any case)"},
      {u"DIFF_ONLY=yes", "DIFF_ONLY takes False or True (in any case)"},
      {u"IGNORE_BLANKS=1", "IGNORE_BLANKS takes False or True (in any case)"},
      {u"MODE=folders", "MODE takes FOLDER or FILE (in any case)"},
      {u"REPORT_ENCODING=sjis", "REPORT_ENCODING takes AUTO, CP932, WINDOWS-1252 or UTF-8"},
      {u"search_string2_cond=contains", "SEARCH_STRING2_COND takes CONTAIN or NOT_CONTAIN"},
      // A blank after the value is part of it, as the settings reader sees it.
      {u"DIFF_ONLY=True ", "DIFF_ONLY takes False or True"},
  };
  for (const auto& c : cases) {
    const CliResult result = Diff({u"--set", std::u16string(c.set)});
    EXPECT_EQ(result.status, 64) << ToUtf8(c.set);
    EXPECT_EQ(result.err.rfind("tarnwick-cli: --set " + ToUtf8(c.set) + ": " + c.problem, 0), 0u)
        << result.err;
    EXPECT_EQ(result.out, "");
  }
  EXPECT_EQ(ScratchFolder::Names(out).size(), 0u);  // nothing was run

  // Every spelling of an allowed value is taken, in any case; free text is free.
  const CliResult result = Diff({u"--set", u"diff_only=TRUE", u"--set", u"Page_Style=review",
                                 u"--set", u"SEARCH_STRING1=anything at all"});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(Summary().rfind("<!DOCTYPE html>", 0), 0u);
}

TEST_F(CliStrict, ASettingsFileKeepsItsLenientReading) {
  // What the window would read from its file: unknown values give the defaults.
  const auto ini =
      scratch.Write(u"", u"t.ini", "PAGE_STYLE=revieww\r\nDIFF_ONLY=yes\r\nMODE=folders\r\n");
  const CliResult result = Diff({u"--ini", ini});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(Summary().rfind("<HTML><TABLE border=\"1\"", 0), 0u);  // classic, folder mode
  // DIFF_ONLY false: the unchanged property is listed too.
  EXPECT_NE(ScratchFolder::ReadText(out + u"A.html").find(u"問合せ可能"), std::u16string::npos);
}

TEST_F(CliStrict, APatternMatchingNoReportWarnsAndWithExitCodeExitsTwo) {
  const std::string warning = "フォルダ[" + ToUtf8(v2) +
                              "]にファイル名[*.fmb]に一致するレポートがありません。 "
                              "(SRC_FILE2=*.fmb)\n";
  CliResult result = Diff({u"--set", u"SRC_FILE2=*.fmb"});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.err, "終了しました。\n" + warning);

  const std::u16string json = out + u"run.json";
  result = Diff({u"--set", u"SRC_FILE2=*.fmb", u"--exit-code", u"--json", json});
  EXPECT_EQ(result.status, 2);
  const std::string written = ScratchFolder::Read(json);
  EXPECT_NE(written.find("\"outcome\":\"finished\",\"exitStatus\":2"), std::string::npos);
  // In the JSON the warning is a string: a Windows path's backslashes doubled.
  std::string quoted;
  AppendJsonString(quoted, FromUtf8(warning.substr(0, warning.size() - 1)));
  EXPECT_NE(written.find(quoted), std::string::npos) << written;

  // Both sides empty: one warning each, in side order.
  result = Diff({u"--set", u"SRC_FILE1=*.fmb", u"--set", u"SRC_FILE2=*.fmx", u"--exit-code"});
  EXPECT_EQ(result.status, 2);
  EXPECT_LT(result.err.find("(SRC_FILE1=*.fmb)"), result.err.find("(SRC_FILE2=*.fmx)"));

  // The search's one pattern; a pattern that matches is no warning.
  result = Search({u"--set", u"SRC_FILE=*.fmb", u"--exit-code"});
  EXPECT_EQ(result.status, 2);
  EXPECT_NE(result.err.find("(SRC_FILE=*.fmb)"), std::string::npos) << result.err;
  result = Search({u"--exit-code"});
  EXPECT_EQ(result.status, 3) << result.err;
  EXPECT_EQ(result.err, "終了しました。\n");
}

TEST_F(CliStrict, JsonDashWritesTheSummaryAloneOnStandardOutput) {
  const CliResult result = Diff({u"--json", u"-"});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out.rfind("{\"command\":\"diff\",\"outcome\":\"finished\"", 0), 0u)
      << result.out;
  EXPECT_EQ(result.out.find('\n'), result.out.size() - 1);  // one line, nothing after it
  EXPECT_NE(result.out.find("\"name\":\"B.TXT\",\"status\":\"only2\""), std::string::npos);
  // The totals step aside to standard error.
  EXPECT_EQ(result.err.rfind("終了しました。\n2 pairs: ", 0), 0u) << result.err;
  EXPECT_FALSE(ScratchFolder::Exists(scratch.Folder() + u"-"));

  // Two things cannot share standard output.
  EXPECT_EQ(Diff({u"--json", u"-", u"--format", u"text"}).status, 64);
}

TEST_F(CliStrict, TheLastLineGivesTheTotalsAndWhereTheSummaryIs) {
  CliResult result = Diff();
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out,
            "2 pairs: 1 different, 0 same, 1 only in folder 2; objects: 1 added, 0 removed, 1 "
            "changed; lines: 3 added, 1 removed; summary: " +
                ToUtf8(out) + "Result.html\n");

  result = Search();
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, "2 reports: 2 match, 0 no match; hits: 2 properties, 2 lines; summary: " +
                            ToUtf8(scratch.Folder(u"found")) + "Result.html\n");

  // One page and no summary: the line names the page.
  result = ObjDiff(u"ROOT-1-1", u"ROOT-1-1", {u"--force"});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out,
            "1 pair: 1 different, 0 same; objects: 0 added, 0 removed, 1 changed; lines: 1 added, "
            "1 removed; page: " +
                ToUtf8(out) + "Result.html\n");

  // A run stopped by its input check has no totals.
  result = Diff({u"--set", u"OUTPUT_PATH=" + out + u"none/"});
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(result.out, "");
}

TEST_F(CliStrict, QuietPrintsNothingButWarningsAndErrors) {
  CliResult result = Diff({u"--quiet"});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.err, "");
  result = Diff({u"--quiet", u"--json", u"-"});
  EXPECT_EQ(result.err, "");  // the JSON still keeps every message
  EXPECT_NE(result.out.find("\"messages\":[\"終了しました。\"]"), std::string::npos);

  result = Diff({u"--quiet", u"--set", u"SRC_FILE2=*.fmb"});
  EXPECT_NE(result.err.find("に一致するレポートがありません。"), std::string::npos);
  result = Diff({u"--quiet", u"--set", u"OUTPUT_PATH=" + out + u"none/"});
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(result.err.rfind("出力先フォルダが見つかりません", 0), 0u);
  scratch.WriteText(u"v1", u"b.txt", testing::kUnparsableReport);
  result = Diff({u"--quiet"});
  EXPECT_EQ(result.status, 1);
  EXPECT_NE(result.err.find("エラーが発生しました。"), std::string::npos);
}

// Each kind of run keeps to pages of its own kinds, in either page style; a
// page of another kind (here always out/Result.html) is written over only
// with --force.
TEST_F(CliStrict, APageOfAnotherKindOfRunIsReplacedOnlyWithForce) {
  for (const std::u16string_view style : {u"PAGE_STYLE=CLASSIC", u"PAGE_STYLE=REVIEW"}) {
    SCOPED_TRACE(ToUtf8(style));
    const std::vector<std::u16string> set = {u"--set", std::u16string(style)};
    std::filesystem::remove_all(NativePath(out));
    scratch.Folder(u"out");

    ASSERT_EQ(Diff(set).status, 0);
    const std::string summary = Summary();
    // The object comparison would replace the folder comparison's summary.
    CliResult result = ObjDiff(u"ROOT-1-1", u"ROOT-1-1", set);
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.err, "出力ファイル[" + ToUtf8(out) +
                              "Result.html]は別の種類の実行が出力したページです。"
                              "上書きしませんでした。 (OUTPUT_PATH=" +
                              ToUtf8(out) + ", OUTPUT_FILE=Result)\n");
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(Summary(), summary);
    const std::vector<std::u16string> intoOut = {u"--set", u"OUTPUT_PATH=" + out, u"--set",
                                                 std::u16string(style)};
    EXPECT_EQ(Search(intoOut).status, 2);
    EXPECT_EQ(Summary(), summary);
    // A rerun of the same kind writes over its own pages as always.
    EXPECT_EQ(Diff(set).status, 0);

    result = ObjDiff(u"ROOT-1-1", u"ROOT-1-1", {u"--force", u"--set", std::u16string(style)});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_NE(Summary(), summary);
    EXPECT_EQ(ObjDiff(u"ROOT-1-1", u"ROOT-1-1", set).status, 0);
    // Now the folder comparison's summary is what would replace another's page.
    EXPECT_EQ(Diff(set).status, 2);

    // The search's summary, and a search's page in the way of a comparison's.
    std::vector<std::u16string> forced = intoOut;
    forced.push_back(u"--force");
    EXPECT_EQ(Search(forced).status, 0);
    EXPECT_EQ(Search(intoOut).status, 0);
    EXPECT_EQ(
        Diff({u"--force", u"--set", std::u16string(style), u"--set", u"OUTPUT_FILE=Index"}).status,
        0);
    EXPECT_TRUE(ScratchFolder::Exists(out + u"Index.html"));
  }

  // A file of one's own, or no page at all, is written over as before; so is a
  // folder comparison's pair page by a file comparison, which nothing tells apart.
  scratch.Write(u"out", u"Result.html", "<html><body>mine</body></html>");
  EXPECT_EQ(ObjDiff(u"ROOT-1-1", u"ROOT-1-1").status, 0);
  EXPECT_EQ(Diff({u"--set", u"OUTPUT_FILE=Other"}).status, 0);
  const CliResult file =
      RunCli({u"diff", u"--set", u"MODE=FILE", u"--set", u"SRC_PATH1=" + v1, u"--set",
              u"SRC_FILE1=a.txt", u"--set", u"SRC_PATH2=" + v2, u"--set", u"SRC_FILE2=a.txt",
              u"--set", u"OUTPUT_PATH=" + out, u"--set", u"OUTPUT_FILE=A.html"});
  EXPECT_EQ(file.status, 0) << file.err;
}

TEST_F(CliStrict, ObjDiffNamesAnObjectByItsPathAsTheTreeViewShowsIt) {
  ASSERT_EQ(ObjDiff(u"ROOT-1-1-2-1", u"ROOT-1-1-2-1").status, 0);
  const std::string byKey = Summary();
  CliResult result = ObjDiff(u"ﾌｫｰﾑ/A/ブロック/BLK1", u"/ﾌｫｰﾑ/a/ブロック/blk1");
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(Summary(), byKey);

  // "/" and "\" inside a name, escaped.
  const auto slashed = scratch.WriteText(
      u"", u"S.txt",
      u"* 名前 F\r\n  ブロック\r\n  * 名前 A/B\r\n    問合せ可能 はい\r\n  * 名前 C\\D\r\n"
      u"    問合せ可能 いいえ\r\n");
  result = ObjDiff(u"ﾌｫｰﾑ/F/ブロック/A\\/B", u"ﾌｫｰﾑ/F/ブロック/C\\\\D", {}, slashed, slashed);
  EXPECT_EQ(result.status, 0) << result.err;
  const std::u16string page = ScratchFolder::ReadText(out + u"Result.html");
  EXPECT_NE(page.find(u"&nbsp;ブロック&nbsp;A/B</td>"), std::u16string::npos);
  EXPECT_NE(page.find(u"&nbsp;ブロック&nbsp;C\\D</td>"), std::u16string::npos);
  EXPECT_EQ(ObjDiff(u"ﾌｫｰﾑ/F/ブロック/A/B", u"ROOT-1", {}, slashed, slashed).status, 2);
}

TEST_F(CliStrict, AKeyOrPathThatNamesNoObjectNamesItself) {
  CliResult result = ObjDiff(u"ﾌｫｰﾑ/A/ブロック/NOPE", u"ROOT-1");
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(result.err,
            "ソース１のレポートにオブジェクト[ﾌｫｰﾑ/A/ブロック/NOPE]がありません。 "
            "(<NODEKEY1>)\n");
  result = ObjDiff(u"ROOT-1-9", u"ROOT-1-1-1");  // position 1 is a property, no node
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(result.err,
            "ソース１のレポートにオブジェクト[ROOT-1-9]がありません。 (<NODEKEY1>)\n"
            "ソース２のレポートにオブジェクト[ROOT-1-1-1]がありません。 (<NODEKEY2>)\n");

  // The root exists but cannot be compared: the run's own message.
  result = ObjDiff(u"ROOT", u"ROOT-1");
  EXPECT_EQ(result.err, "比較するオブジェクトを選択してください。 (<NODEKEY1>, <NODEKEY2>)\n");
  // The run's earlier checks come first.
  result = ObjDiff(u"ROOT-1-9", u"ROOT-1", {u"--set", u"OUTPUT_FILE="});
  EXPECT_EQ(result.err, "結果出力ファイル名を入力してください (OUTPUT_FILE=)\n");
  // A text that is no path is wrong usage, before any report is read.
  for (const std::u16string_view wrong : {u"ﾌｫｰﾑ//A", u"ﾌｫｰﾑ/A/", u"A\\B", u"/"}) {
    result = ObjDiff(wrong, u"ROOT-1", {}, scratch.Folder() + u"missing.txt");
    EXPECT_EQ(result.status, 64) << ToUtf8(wrong);
    EXPECT_NE(result.err.find("NODEKEY1 is neither a node key nor an object path"),
              std::string::npos);
  }
}

TEST(ObjectPath, KeysAndPathsAreToldApartAndPathsSpellTheirNames) {
  for (const std::u16string_view key : {u"ROOT", u"ROOT-1", u"ROOT-1-12-3"}) {
    EXPECT_TRUE(IsNodeKey(key)) << ToUtf8(key);
  }
  for (const std::u16string_view path :
       {u"ROOT-", u"ROOT-01", u"ROOT-1-", u"ROOT1", u"root-1", u"/ROOT-1", u"ROOT-1-a", u"ﾌｫｰﾑ"}) {
    EXPECT_FALSE(IsNodeKey(path)) << ToUtf8(path);
  }
  using Names = std::vector<std::u16string>;
  EXPECT_EQ(ObjectPathNames(u"ﾌｫｰﾑ/F/ブロック"), (Names{u"ﾌｫｰﾑ", u"F", u"ブロック"}));
  EXPECT_EQ(ObjectPathNames(u"/ROOT-1"), (Names{u"ROOT-1"}));
  EXPECT_EQ(ObjectPathNames(u"a\\/b/c\\\\/\\\\"), (Names{u"a/b", u"c\\", u"\\"}));
  EXPECT_EQ(ObjectPathNames(u" a / b "), (Names{u" a ", u" b "}));  // blanks are names' own
  for (const std::u16string_view wrong : {u"", u"/", u"a//b", u"a/", u"a\\", u"a\\b"}) {
    EXPECT_FALSE(ObjectPathNames(wrong).has_value()) << ToUtf8(wrong);
  }
}

}  // namespace
}  // namespace tarnwick
