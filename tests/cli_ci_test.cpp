// tarnwick-cli as CI uses it: --exit-code, --json, each command's --help,
// and relative paths resolved against the working directory.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/ignore_file.h"
#include "cli/run_options.h"
#include "cli/setting_keys.h"
#include "cli_runner.h"
#include "files/paths.h"
#include "runs_fixture.h"
#include "sample_reports.h"
#include "text/json_string.h"

namespace tarnwick {
namespace {

using testing::CliResult;
using testing::RunCli;
using testing::ScratchFolder;
using testing::SmallReport;

// `path` with "/" made the platform's separator.
std::u16string Native(std::u16string_view path) {
  std::u16string native(path);
  for (char16_t& c : native) {
    if (c == u'/') c = NativeSeparator();
  }
  return native;
}

// The command line run from `folder` as its working directory.
CliResult RunIn(std::u16string_view folder, const std::vector<std::u16string>& args) {
  testing::ProcessOptions options;
  options.workingFolder = folder;
  return RunCli(args, options);
}

class CliForCi : public ::testing::Test {
 protected:
  CliForCi() {
    root = scratch.Folder();
    scratch.WriteText(u"v1", u"a.txt", SmallReport(u"A", u"1"));
    scratch.WriteText(u"v2", u"a.txt", SmallReport(u"A", u"2"));
    scratch.WriteText(u"v1", u"same.txt", SmallReport(u"S", u"1"));
    scratch.WriteText(u"v2", u"same.txt", SmallReport(u"S", u"1"));
    scratch.WriteText(u"v2", u"new.txt", SmallReport(u"N", u"1"));
    scratch.Folder(u"out");
    scratch.Folder(u"found");  // a search's pages, apart from a comparison's
  }

  // A folder comparison from the scratch folder with relative folders.
  CliResult Diff(std::vector<std::u16string> extra, std::u16string_view files = u"*.txt") {
    std::vector<std::u16string> args = {u"diff",
                                        u"--set",
                                        u"SRC_PATH1=v1",
                                        u"--set",
                                        u"SRC_FILE1=" + std::u16string(files),
                                        u"--set",
                                        u"SRC_PATH2=./v2/",
                                        u"--set",
                                        u"SRC_FILE2=" + std::u16string(files),
                                        u"--set",
                                        u"OUTPUT_PATH=out/../out/",
                                        u"--set",
                                        u"OUTPUT_FILE=index"};
    args.insert(args.end(), extra.begin(), extra.end());
    return RunIn(root, args);
  }

  CliResult Search(std::u16string_view string, std::vector<std::u16string> extra = {}) {
    std::vector<std::u16string> args = {u"search",
                                        u"--set",
                                        u"SRC_PATH=v2",
                                        u"--set",
                                        u"SRC_FILE=*.txt",
                                        u"--set",
                                        u"OUTPUT_PATH=found",
                                        u"--set",
                                        u"OUTPUT_FILE=found",
                                        u"--set",
                                        u"SEARCH_STRING1=" + std::u16string(string)};
    args.insert(args.end(), extra.begin(), extra.end());
    return RunIn(root, args);
  }

  ScratchFolder scratch;
  std::u16string root;
};

TEST_F(CliForCi, TheJsonCountsObjectsThatMovedAmongTheirSiblings) {
  const auto blocks = [](std::u16string_view first, std::u16string_view second) {
    std::u16string text = u"* 名前 M\r\n  ブロック\r\n";
    for (const std::u16string_view block : {first, second}) {
      text.append(u"  * 名前 ").append(block).append(u"\r\n    問合せ可能 はい\r\n");
    }
    return text;
  };
  scratch.WriteText(u"m1", u"m.txt", blocks(u"B1", u"B2"));
  scratch.WriteText(u"m2", u"m.txt", blocks(u"B2", u"B1"));
  const CliResult result =
      RunIn(root, {u"diff", u"--set", u"MODE=FILE", u"--set", u"SRC_PATH1=m1", u"--set",
                   u"SRC_FILE1=m.txt", u"--set", u"SRC_PATH2=m2", u"--set", u"SRC_FILE2=m.txt",
                   u"--set", u"OUTPUT_PATH=out", u"--set", u"OUTPUT_FILE=m", u"--json", u"m.json"});
  ASSERT_EQ(result.status, 0) << result.err;
  const std::string json = ScratchFolder::Read(root + u"m.json");
  // The outline lists the blocks in their order, so the pair differs; the
  // blocks themselves are one move, no change.
  EXPECT_NE(json.find("\"status\":\"different\""), std::string::npos) << json;
  EXPECT_NE(
      json.find("\"objectsChanged\":0,\"linesAdded\":0,\"linesRemoved\":0,\"objectsMoved\":1"),
      std::string::npos)
      << json;
}

TEST_F(CliForCi, ExitCodeThreeSaysAFinishedRunFoundSomething) {
  EXPECT_EQ(Diff({}).status, 0) << "without --exit-code a difference is no failure";
  EXPECT_EQ(Diff({u"--exit-code"}).status, 3);
  EXPECT_EQ(Diff({u"--exit-code"}, u"same.txt").status, 0);
  // A one-sided report is a difference too.
  EXPECT_EQ(Diff({u"--exit-code"}, u"a.txt;new.txt").status, 3);
  EXPECT_EQ(Diff({u"--exit-code", u"--set", u"OUTPUT_PATH=nowhere"}).status, 2);

  EXPECT_EQ(Search(u"はい", {u"--exit-code"}).status, 3);
  EXPECT_EQ(Search(u"no such text", {u"--exit-code"}).status, 0);
  EXPECT_EQ(Search(u"a[b", {u"--exit-code"}).status, 2) << "an input check";
}

TEST_F(CliForCi, EveryInputCheckNamesItsSettingsAndTheirValues) {
  const std::string at = ToUtf8(root);
  const std::string sep = ToUtf8(Native(u"/"));
  struct Check {
    CliResult result;
    std::string message;
  };
  // Each --set after the fixture's own replaces its value.
  auto diff = [&](std::vector<std::u16string> sets) {
    std::vector<std::u16string> args;
    for (std::u16string& set : sets) args.insert(args.end(), {u"--set", std::move(set)});
    return Diff(args);
  };
  auto search = [&](std::vector<std::u16string> sets) {
    std::vector<std::u16string> args;
    for (std::u16string& set : sets) args.insert(args.end(), {u"--set", std::move(set)});
    return Search(u"x", args);
  };
  scratch.WriteText(u"v1", u"A.html", SmallReport(u"H", u"1"));
  const Check checks[] = {
      {diff({u"SRC_PATH1="}), "ソース１のフォルダを指定してください (SRC_PATH1=)"},
      {diff({u"SRC_FILE1="}),
       "ソース１のオブジェクト・リスト・レポート ファイル名を指定してください (SRC_FILE1=)"},
      {diff({u"SRC_PATH2="}), "ソース２のフォルダを指定してください (SRC_PATH2=)"},
      {diff({u"SRC_FILE2="}),
       "ソース２のオブジェクト・リスト・レポート ファイル名を指定してください (SRC_FILE2=)"},
      {diff({u"OUTPUT_PATH="}), "出力先フォルダを指定してください (OUTPUT_PATH=)"},
      {diff({u"SRC_PATH1=gone1"}),
       "ソース１のフォルダが見つかりません (SRC_PATH1=" + at + "gone1)"},
      {diff({u"SRC_PATH2=gone2"}),
       "ソース２のフォルダが見つかりません (SRC_PATH2=" + at + "gone2)"},
      {diff({u"OUTPUT_PATH=gone3"}),
       "出力先フォルダが見つかりません (OUTPUT_PATH=" + at + "gone3)"},
      {diff({u"MODE=FILE", u"SRC_FILE1=none.txt"}),
       "ソースファイル１が見つかりません (SRC_PATH1=" + at + "v1, SRC_FILE1=none.txt)"},
      {diff({u"MODE=FILE", u"SRC_FILE1=a.txt", u"SRC_FILE2=none.txt"}),
       "ソースファイル２が見つかりません (SRC_PATH2=" + at + "v2" + sep + ", SRC_FILE2=none.txt)"},
      {diff({u"OUTPUT_FILE="}), "結果出力ファイル名を入力してください (OUTPUT_FILE=)"},
      {diff({u"OUTPUT_PATH=v1", u"SRC_FILE1=*.html", u"OUTPUT_FILE=r"}),
       "出力ファイル[" + at + "v1" + sep +
           "A.html]は入力のレポートファイルです。上書きできません。 (OUTPUT_PATH=" + at +
           "v1, OUTPUT_FILE=r)"},
      {search({u"SRC_PATH="}), "ソースのフォルダを指定してください (SRC_PATH=)"},
      {search({u"SRC_FILE="}),
       "ソースのオブジェクト・リスト・レポート ファイル名を指定してください (SRC_FILE=)"},
      {search({u"OUTPUT_PATH="}), "出力先フォルダを指定してください (OUTPUT_PATH=)"},
      {search({u"SRC_PATH=gone4"}), "ソースのフォルダが見つかりません (SRC_PATH=" + at + "gone4)"},
      {search({u"OUTPUT_PATH=gone5"}),
       "出力先フォルダが見つかりません (OUTPUT_PATH=" + at + "gone5)"},
      {search({u"OUTPUT_FILE="}), "結果出力ファイル名を入力してください (OUTPUT_FILE=)"},
      {search({u"SEARCH_STRING1="}),
       "検索条件を入力してください (SEARCH_STRING1=, SEARCH_STRING2=, SEARCH_STRING3=)"},
      // The string that holds only asterisks is the one named.
      {search({u"SEARCH_STRING2=***", u"SEARCH_STRING3=*"}),
       "検索条件に * のみは入力できません (SEARCH_STRING2=***)"},
      {search({u"SEARCH_STRING3=A[B"}),
       "検索条件の [ に対応する ] がありません (SEARCH_STRING3=A[B)"},
      {RunIn(root, {u"objdiff", u"--set", u"OUTPUT_PATH=gone6", u"--set", u"OUTPUT_FILE=o",
                    u"v1/a.txt", u"ROOT-1", u"v2/a.txt", u"ROOT-1"}),
       "出力先フォルダが見つかりません (OUTPUT_PATH=" + at + "gone6)"},
      {RunIn(root, {u"objdiff", u"--set", u"OUTPUT_PATH=out", u"--set", u"OUTPUT_FILE=",
                    u"v1/a.txt", u"ROOT-1", u"v2/a.txt", u"ROOT-1"}),
       "結果出力ファイル名を入力してください (OUTPUT_FILE=)"},
      {RunIn(root, {u"objdiff", u"--set", u"OUTPUT_PATH=out", u"--set", u"OUTPUT_FILE=o",
                    u"v1/a.txt", u"ROOT", u"v2/a.txt", u"ROOT-1"}),
       "比較するオブジェクトを選択してください。 (<NODEKEY1>, <NODEKEY2>)"},
      {RunIn(root, {u"objdiff", u"--set", u"OUTPUT_PATH=out", u"--set", u"OUTPUT_FILE=o",
                    u"v1/a.txt", u"ROOT-1", u"v2/a.txt", u"NO-SUCH-KEY"}),
       "ソース２のレポートにオブジェクト[NO-SUCH-KEY]がありません。 (<NODEKEY2>)"},
  };
  for (const Check& check : checks) {
    EXPECT_EQ(check.result.status, 2) << check.message;
    EXPECT_EQ(check.result.err, check.message + "\n");
  }
}

TEST_F(CliForCi, JsonSummarisesEveryPairWithItsCounts) {
  const CliResult result = Diff({u"--json", u"out/run.json", u"--exit-code"});
  ASSERT_EQ(result.status, 3) << result.err;
  const std::string json = ScratchFolder::Read(root + u"out/run.json");
  // A path as a JSON string: the backslashes of Windows paths doubled.
  auto jsonPath = [&](std::u16string_view relative) {
    std::string text;
    for (const char c : ToUtf8(root + Native(relative))) {
      text += c == '\\' ? std::string(2, c) : std::string(1, c);
    }
    return text;
  };
  const std::string out = jsonPath(u"out/");
  EXPECT_EQ(
      json,
      "{\"command\":\"diff\",\"outcome\":\"finished\",\"exitStatus\":3,"
      "\"pageStyle\":\"classic\",\"differs\":true,\"summary\":\"" +
          out +
          "index.html\",\"patterns\":[\"*.txt\",\"*.txt\"],"
          "\"messages\":[\"終了しました。\"],\"pairs\":["
          "{\"name\":\"A.TXT\",\"status\":\"different\",\"statusText\":\"差異あり\","
          "\"path1\":\"" +
          jsonPath(u"v1/a.txt") + "\",\"path2\":\"" + jsonPath(u"v2/a.txt") +
          "\","
          "\"page\":\"" +
          out +
          "A.html\",\"counts\":{\"objectsAdded\":0,\"objectsRemoved\":0,"
          "\"objectsChanged\":1,\"linesAdded\":1,\"linesRemoved\":1,\"objectsMoved\":0}},"
          "{\"name\":\"NEW.TXT\",\"status\":\"only2\",\"statusText\":\"フォルダ２のみ存在\","
          "\"path1\":null,\"path2\":\"" +
          jsonPath(u"v2/new.txt") +
          "\","
          "\"page\":\"" +
          out +
          "NEW.html\",\"counts\":{\"objectsAdded\":1,\"objectsRemoved\":0,"
          "\"objectsChanged\":0,\"linesAdded\":2,\"linesRemoved\":0,\"objectsMoved\":0}},"
          "{\"name\":\"SAME.TXT\",\"status\":\"same\",\"statusText\":\"一致\","
          "\"path1\":\"" +
          jsonPath(u"v1/same.txt") + "\",\"path2\":\"" + jsonPath(u"v2/same.txt") +
          "\","
          "\"page\":\"" +
          out +
          "SAME.html\",\"counts\":{\"objectsAdded\":0,\"objectsRemoved\":0,"
          "\"objectsChanged\":0,\"linesAdded\":0,\"linesRemoved\":0,\"objectsMoved\":0}}]}\n");
}

TEST_F(CliForCi, OnErrorContinueComparesTheRestAndTellsEachFailureInTheJsonAndOnStandardError) {
  scratch.WriteText(u"v1", u"bad.txt", testing::kUnparsableReport);
  scratch.WriteText(u"v2", u"bad.txt", SmallReport(u"B", u"1"));
  const std::string bad = ToUtf8(root + Native(u"v1/bad.txt"));
  const std::string why = "ソース１のフォーム文章[" + bad +
                          "]の解析中に、エラーが発生しました。3行目の書式を解析できません。"
                          "[    * 不明 X]";
  std::string jsonWhy;  // the same, as a JSON string
  AppendJsonString(jsonWhy, FromUtf8(why));
  std::string jsonBad;
  AppendJsonString(jsonBad, FromUtf8(bad));
  for (const std::u16string style : {u"CLASSIC", u"REVIEW"}) {
    SCOPED_TRACE(ToUtf8(style));
    const CliResult result = Diff({u"--set", u"ON_ERROR=CONTINUE", u"--set", u"PAGE_STYLE=" + style,
                                   u"--json", u"out/run.json", u"--exit-code"});
    EXPECT_EQ(result.status, 1) << "a failure outweighs the differences";
    EXPECT_EQ(result.err,
              "終了しました。\r\n読み込めないレポートがあり、1件を読込エラーとしました（一覧を参照"
              "）。\n" +
                  why + "\n");
    EXPECT_TRUE(
        result.out.starts_with("4 pairs: 1 different, 1 same, 1 only in folder 2, "
                               "1 read error; objects: "))
        << result.out;
    const std::string json = ScratchFolder::Read(root + u"out/run.json");
    EXPECT_NE(json.find("\"outcome\":\"failed\",\"exitStatus\":1,"), std::string::npos) << json;
    EXPECT_NE(json.find("{\"name\":\"BAD.TXT\",\"status\":\"error\",\"statusText\":\"読込エラー\""),
              std::string::npos)
        << json;
    EXPECT_NE(json.find(",\"errors\":[{\"side\":1,\"path\":" + jsonBad +
                        ",\"line\":3,\"message\":" + jsonWhy + "}],\"counts\":null}"),
              std::string::npos)
        << json;
    // The pairs after it were compared.
    EXPECT_NE(json.find("\"name\":\"SAME.TXT\",\"status\":\"same\""), std::string::npos);
    const std::u16string summary = style == u"CLASSIC"
                                       ? ScratchFolder::ReadText(root + u"out/index.html")
                                       : FromUtf8(ScratchFolder::Read(root + u"out/index.html"));
    EXPECT_NE(summary.find(u"読込エラー"), std::u16string::npos);
  }

  // A search goes on alike; its reports have no side.
  scratch.WriteText(u"v2", u"broken.txt", testing::kUnparsableReport);
  const CliResult search = Search(u"はい", {u"--set", u"ON_ERROR=CONTINUE", u"--json", u"s.json"});
  EXPECT_EQ(search.status, 1) << search.err;
  std::string brokenPath;
  AppendJsonString(brokenPath, root + Native(u"v2/broken.txt"));
  const std::string searched = ScratchFolder::Read(root + u"s.json");
  EXPECT_NE(searched.find("{\"name\":\"BROKEN.TXT\",\"status\":\"error\""), std::string::npos)
      << searched;
  EXPECT_NE(searched.find(",\"errors\":[{\"path\":" + brokenPath + ",\"line\":3,\"message\":"),
            std::string::npos)
      << searched;
  EXPECT_NE(searched.find("\"name\":\"SAME.TXT\",\"status\":\"match\""), std::string::npos);

  // Without the option the first bad report stops the run, naming its side.
  const CliResult stopped = Diff({u"--json", u"out/run.json"});
  EXPECT_EQ(stopped.status, 1);
  EXPECT_TRUE(stopped.err.starts_with("ソース１のフォーム文章[" + bad + "]の解析中に、"))
      << stopped.err;
  const std::string json = ScratchFolder::Read(root + u"out/run.json");
  EXPECT_NE(json.find("{\"name\":\"BAD.TXT\",\"status\":\"unprocessed\""), std::string::npos);
}

TEST_F(CliForCi, TheJsonNamesThePatternsAndAReportOutsideItsSidesPatterns) {
  CliResult result = Diff({u"--set", u"SRC_FILE1=a.txt", u"--json", u"out/run.json"});
  ASSERT_EQ(result.status, 0) << result.err;
  std::string json = ScratchFolder::Read(root + u"out/run.json");
  EXPECT_NE(json.find("\"patterns\":[\"a.txt\",\"*.txt\"]"), std::string::npos) << json;
  // same.txt is in folder 1 too, outside its pattern; new.txt only in folder 2.
  EXPECT_NE(json.find("{\"name\":\"SAME.TXT\",\"status\":\"set-aside1\",\"statusText\":"
                      "\"対象外（フォルダ１のファイル名パターン外）\",\"path1\":\""),
            std::string::npos)
      << json;
  EXPECT_NE(json.find("\"page\":null,\"reason\":\"outside-pattern\",\"counts\":null}"),
            std::string::npos)
      << json;
  EXPECT_NE(json.find("{\"name\":\"NEW.TXT\",\"status\":\"only2\""), std::string::npos);
  EXPECT_NE(result.out.find(", 1 set aside;"), std::string::npos) << result.out;

  ASSERT_EQ(Search(u"はい", {u"--json", u"s.json"}).status, 0);
  EXPECT_NE(ScratchFolder::Read(root + u"s.json").find("\"patterns\":[\"*.txt\"]"),
            std::string::npos);
  const CliResult file =
      RunIn(root, {u"diff", u"--set", u"MODE=FILE", u"--set", u"SRC_PATH1=v1", u"--set",
                   u"SRC_FILE1=a.txt", u"--set", u"SRC_PATH2=v2", u"--set", u"SRC_FILE2=a.txt",
                   u"--set", u"OUTPUT_PATH=out", u"--set", u"OUTPUT_FILE=f", u"--json", u"f.json"});
  ASSERT_EQ(file.status, 0) << file.err;
  EXPECT_NE(ScratchFolder::Read(root + u"f.json").find("\"patterns\":null"), std::string::npos);
}

// One item of a form module at a place and size of its own.
std::u16string PlacedItemReport(std::u16string_view x, std::u16string_view width) {
  std::u16string text =
      u"* 名前 ORDERS\r\n  ブロック\r\n  * 名前 EMP\r\n    問合せ可能 はい\r\n"
      u"    項目\r\n    * 名前 ENAME\r\n      データ型 CHAR\r\n      X位置 ";
  text.append(x).append(u"\r\n      Y位置 20\r\n      幅 ").append(width);
  return text + u"\r\n      高さ 14\r\n";
}

std::u16string ShippedRules(std::u16string_view name) {
  return FromUtf8(std::string(TARNWICK_SOURCE_DIR) + "/docs/ignore/") + std::u16string(name);
}

TEST_F(CliForCi, AnIgnoreFileOfTheCoordinatesMakesAMovedItemNoDifference) {
  scratch.WriteText(u"m1", u"f.txt", PlacedItemReport(u"10", u"80"));
  scratch.WriteText(u"m2", u"f.txt", PlacedItemReport(u"16", u"96"));
  const std::vector<std::u16string> moved = {u"--set",        u"SRC_PATH1=m1", u"--set",
                                             u"SRC_PATH2=m2", u"--exit-code",  u"--json",
                                             u"out/run.json"};
  EXPECT_EQ(Diff(moved).status, 3) << "without rules a move is a difference";

  std::vector<std::u16string> ignoring = moved;
  // A copy beside the run: under Wine the child reads a POSIX path on its own drive.
  const std::u16string rules = scratch.Write(
      u"", u"coordinates-ja.txt", ScratchFolder::Read(ShippedRules(u"coordinates-ja.txt")));
  ignoring.insert(ignoring.end(), {u"--ignore", rules});
  const CliResult result = Diff(ignoring);
  EXPECT_EQ(result.status, 0) << result.err;
  const std::string json = ScratchFolder::Read(root + u"out/run.json");
  EXPECT_NE(json.find("\"differs\":false"), std::string::npos) << json;
  EXPECT_NE(json.find("\"status\":\"same\""), std::string::npos) << json;
  EXPECT_NE(json.find("\"propertiesIgnored\":2}"), std::string::npos) << json;
  // The text view, a renderer beside the pages, shows them marked.
  std::vector<std::u16string> viewed = ignoring;
  viewed.insert(viewed.end(), {u"--format", u"text"});
  const CliResult view = Diff(viewed);
  EXPECT_EQ(view.status, 0) << view.err;
  EXPECT_NE(view.out.find("ENAME\n    （無視） X位置: 10 → 16\n    （無視） 幅: 80 → 96\n"),
            std::string::npos)
      << view.out;
  std::vector<std::u16string> unruled = moved;
  unruled.insert(unruled.end(), {u"--format", u"text"});
  EXPECT_NE(Diff(unruled).out.find("X位置"), std::string::npos) << "shown without the rules";

  // Another property's change still counts; a relative file is found from
  // the working directory, as --set IGNORE_FILE gives it.
  scratch.WriteText(u"m2", u"f.txt", PlacedItemReport(u"16", u"96") + u"      必須 はい\r\n");
  scratch.Write(u"", u"rules.txt", "X位置\n幅\n");
  EXPECT_EQ(Diff({u"--set", u"SRC_PATH1=m1", u"--set", u"SRC_PATH2=m2", u"--exit-code", u"--set",
                  u"IGNORE_FILE=rules.txt"})
                .status,
            3);
}

TEST_F(CliForCi, ARuleFileThatCannotBeReadOrHoldsNoRuleStopsTheRunNamingFileAndLine) {
  const std::string at = ToUtf8(root);
  scratch.Write(u"", u"bad.txt", "# coordinates\nX位置\n項目:\n");
  CliResult result = Diff({u"--ignore", u"bad.txt", u"--json", u"out/run.json"});
  EXPECT_EQ(result.status, 2);
  EXPECT_NE(result.err.find("無視ルールファイル[" + at +
                            "bad.txt]の3行目はルールではありません: 項目: "
                            "(IGNORE_FILE=" +
                            at + "bad.txt)"),
            std::string::npos)
      << result.err;
  EXPECT_FALSE(ScratchFolder::Exists(root + u"out/A.html")) << "checked before any page";
  EXPECT_NE(ScratchFolder::Read(root + u"out/run.json").find("\"outcome\":\"rejected\""),
            std::string::npos);

  scratch.Write(u"", u"sjis.txt", "\xEF\xBB\xBFX\n\x83\x58\x83\x4C\n");  // a BOM, then Shift_JIS
  result = Diff({u"--ignore", u"sjis.txt"});
  EXPECT_EQ(result.status, 2);
  EXPECT_NE(result.err.find("[" + at + "sjis.txt]の2行目はUTF-8ではありません。"),
            std::string::npos)
      << result.err;

  result = Diff({u"--ignore", u"missing.txt"});
  EXPECT_EQ(result.status, 2);
  EXPECT_NE(result.err.find("無視ルールファイル[" + at + "missing.txt]を読み込めません。"),
            std::string::npos)
      << result.err;
  EXPECT_EQ(Diff({u"--ignore"}).status, 64);
}

TEST(ShippedIgnoreRules, EveryExampleFileIsRules) {
  for (const std::u16string_view name :
       {u"coordinates-ja.txt", u"visual-ja.txt", u"coordinates-en.txt", u"visual-en.txt",
        u"coordinates-xml.txt", u"visual-xml.txt"}) {
    Settings settings;
    settings.IGNORE_FILE = ShippedRules(name);
    IgnoreRules rules;
    EXPECT_EQ(LoadIgnoreRules(settings, rules), std::nullopt) << ToUtf8(name);
    EXPECT_GT(rules.Count(), 3u) << ToUtf8(name);
  }
}

TEST_F(CliForCi, JsonOfASearchAndOfARejectedRun) {
  ASSERT_EQ(Search(u"はい", {u"--json", u"s.json", u"--set", u"PAGE_STYLE=REVIEW"}).status, 0);
  const std::string json = ScratchFolder::Read(root + u"s.json");
  EXPECT_NE(json.find("\"pageStyle\":\"review\""), std::string::npos);
  EXPECT_NE(json.find("\"reports\":[{\"name\":\"A.TXT\",\"status\":\"match\""), std::string::npos)
      << json;
  EXPECT_NE(json.find("\"hits\":{\"properties\":1,\"lines\":1}"), std::string::npos) << json;

  ASSERT_EQ(Search(u"**", {u"--json", u"r.json"}).status, 2);
  const std::string rejected = ScratchFolder::Read(root + u"r.json");
  EXPECT_NE(rejected.find("\"outcome\":\"rejected\",\"exitStatus\":2"), std::string::npos);
  EXPECT_NE(
      rejected.find("\"messages\":[\"検索条件に * のみは入力できません (SEARCH_STRING1=**)\"]"),
      std::string::npos)
      << rejected;
  EXPECT_NE(rejected.find("\"reports\":[]"), std::string::npos);

  EXPECT_EQ(Search(u"1", {u"--json", u"no/such/folder/x.json"}).status, 1)
      << "a summary that cannot be written fails the command";
}

TEST_F(CliForCi, TheJsonFileIsNeverWrittenOverAnInputReport) {
  const std::string report = ScratchFolder::Read(root + Native(u"v1/a.txt"));
  const std::string searched = ScratchFolder::Read(root + Native(u"v2/a.txt"));

  CliResult diff = Diff({u"--json", u"v1/a.txt"});
  EXPECT_EQ(diff.status, 2);
  EXPECT_EQ(diff.err, "出力ファイル[v1/a.txt]は入力のレポートファイルです。上書きできません。\n");
  EXPECT_EQ(ScratchFolder::Read(root + Native(u"v1/a.txt")), report);
  EXPECT_FALSE(std::filesystem::exists(NativePath(root + Native(u"out/index.html"))))
      << "nothing is written";

  EXPECT_EQ(Search(u"はい", {u"--json", u"./v2/a.txt"}).status, 2);
  EXPECT_EQ(ScratchFolder::Read(root + Native(u"v2/a.txt")), searched);

  const std::vector<std::u16string> objdiff = {
      u"objdiff",  u"--set",    u"OUTPUT_PATH=out", u"--set",    u"OUTPUT_FILE=obj", u"--json",
      u"v1/a.txt", u"v1/a.txt", u"ROOT-1-1",        u"v2/a.txt", u"ROOT-1-1"};
  EXPECT_EQ(RunIn(root, objdiff).status, 2);
  EXPECT_EQ(ScratchFolder::Read(root + Native(u"v1/a.txt")), report);
}

TEST_F(CliForCi, ANulInASettingStopsTheRunAtItsInputCheck) {
  // Read from a settings file: a shell cannot pass a NUL in an argument.
  const std::string nul("\0", 1);
  // Any setting, also one the run does not use.
  scratch.Write(u"", u"zero.ini", "SEARCH_STRING3=a" + nul + "_IGNORED\r\n");
  CliResult diff = Diff({u"--ini", u"zero.ini"});
  EXPECT_EQ(diff.status, 2);
  EXPECT_EQ(diff.err, "設定値[SEARCH_STRING3]にNUL文字が含まれています。\n");

  scratch.Write(u"", u"zero.ini", "OUTPUT_FILE=r" + nul + ".html\r\n");
  const std::vector<std::u16string> search = {
      u"search",         u"--ini", u"zero.ini",        u"--set", u"SRC_PATH=v2",     u"--set",
      u"SRC_FILE=*.txt", u"--set", u"OUTPUT_PATH=out", u"--set", u"SEARCH_STRING1=1"};
  EXPECT_EQ(RunIn(root, search).status, 2);
  EXPECT_FALSE(std::filesystem::exists(NativePath(root + Native(u"out/r"))));
}

TEST_F(CliForCi, EachCommandsHelpListsItsSettingKeysAndExitCodes) {
  for (const std::u16string command : {u"diff", u"search", u"objdiff"}) {
    const CliResult result = RunCli({command, u"--help"});
    EXPECT_EQ(result.status, 0);
    EXPECT_NE(result.out.find("setting keys:"), std::string::npos) << ToUtf8(command);
    EXPECT_NE(result.out.find("PAGE_STYLE"), std::string::npos);
    EXPECT_NE(result.out.find("exit codes:"), std::string::npos);
    EXPECT_NE(result.out.find("  3    with --exit-code"), std::string::npos);
  }
  const CliResult diff = RunCli({u"diff", u"--set", u"MODE=FILE", u"--help"});
  EXPECT_NE(diff.out.find("IGNORE_BLANKS"), std::string::npos);
  EXPECT_NE(diff.out.find("SRC_PATH1"), std::string::npos);
  EXPECT_NE(RunCli({u"search", u"--help"}).out.find("SEARCH_STRING1_COND"), std::string::npos);
  EXPECT_EQ(RunCli({u"tree", u"--help"}).status, 0);
  EXPECT_EQ(RunCli({u"nodes", u"--help"}).status, 0);
}

TEST_F(CliForCi, RelativeOutputFolderGivesSummaryLinksThatLeadToThePages) {
  ASSERT_EQ(Diff({}).status, 0);
  // The classic summary links by full path, now the resolved one.
  const std::u16string summary = ScratchFolder::ReadText(root + u"out/index.html");
  EXPECT_NE(summary.find(u"<a href=\"" + root + Native(u"out/A.html\">")), std::u16string::npos);
  EXPECT_NE(summary.find(u"フォルダ１:" + root + Native(u"v1/")), std::u16string::npos);
  EXPECT_FALSE(ScratchFolder::Exists(root + u"out/out/A.html"));
  EXPECT_TRUE(ScratchFolder::Exists(root + u"out/A.html"));
}

TEST(SettingKeysOf, NamesTheMessagesSettingsWithTheirValuesAndObjdiffsOperands) {
  Settings settings = BaseDefaults();
  settings.OUTPUT_PATH = u"/out/";
  settings.OUTPUT_FILE = u"index";
  EXPECT_EQ(cli::SettingKeysOf(
                {MessageId::OverwritesInput, {u"/out/a.html"}, {u"OUTPUT_PATH", u"OUTPUT_FILE"}},
                settings),
            u" (OUTPUT_PATH=/out/, OUTPUT_FILE=index)");
  // The window's drops and selections are the command's operands.
  EXPECT_EQ(cli::SettingKeysOf(MessageId::ReportsNotDropped, settings), u" (<REPORT1>, <REPORT2>)");
  EXPECT_EQ(cli::SettingKeysOf(MessageId::ObjectsNotSelected, settings),
            u" (<NODEKEY1>, <NODEKEY2>)");
  // Messages about no setting get nothing, whatever their words.
  EXPECT_EQ(cli::SettingKeysOf(MessageId::Finished, settings), u"");
  EXPECT_EQ(cli::SettingKeysOf({MessageId::RunFailed, {u"出力先フォルダが見つかりません", u""}},
                               settings),
            u"");
}

TEST(ResolvedPath, JoinsTheWorkingDirectoryAndNormalises) {
  const std::u16string here = PathText(std::filesystem::current_path());
  const std::u16string base = here.size() == 1 ? u"" : here;
  const std::u16string absolute =
      PathText(std::filesystem::current_path().root_path()) + Native(u"abs/./x/");
  EXPECT_EQ(cli::ResolvedPath(u""), u"") << "an empty value stays for the input checks";
  EXPECT_EQ(cli::ResolvedPath(absolute), absolute) << "absolute: as given";
  EXPECT_EQ(cli::ResolvedPath(u"out"), base + Native(u"/out"));
  EXPECT_EQ(cli::ResolvedPath(u"out/"), base + Native(u"/out/"));
  EXPECT_EQ(cli::ResolvedPath(u"./a/../b/./c/"), base + Native(u"/b/c/"));
  EXPECT_EQ(cli::ResolvedPath(u"a/.."), here);
}

}  // namespace
}  // namespace tarnwick
