// English reports through the whole of tarnwick-cli: a comparison counted in
// its JSON, a search over a folder, the tree, and the encoding setting.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli_runner.h"
#include "runs_fixture.h"

namespace tarnwick {
namespace {

using testing::CliResult;
using testing::RunCli;
using testing::ScratchFolder;

// An English report as Windows-1252 bytes: a form trigger and a block with
// an item trigger; `line` is the item trigger's second body line.
std::string EnglishReport(std::string_view line) {
  std::string report =
      " * Name                                   ORDERS\r\n"
      " * Title                                  Commandes \xE9t\xE9 \x80\r\n"
      " * Triggers\r\n"
      "   * Name                                 WHEN-NEW-FORM-INSTANCE\r\n"
      "   * Trigger Text\r\n"
      "BEGIN\r\n"
      "  GO_BLOCK('ORDERS');\r\n"
      "END;\r\n"
      "   - Fire in Enter-Query Mode             No\r\n"
      " * Blocks\r\n"
      "   * Name                                 ORDERS\r\n"
      "   * Items\r\n"
      "     * Name                               ORDER_ID\r\n"
      "     * Triggers\r\n"
      "       * Name                             WHEN-VALIDATE-ITEM\r\n"
      "       * Trigger Text\r\n"
      "BEGIN\r\n";
  report.append(line).append("\r\n");
  report +=
      "  check_order(:ORDERS.ORDER_ID);\r\n"
      "END;\r\n"
      "       - Fire in Enter-Query Mode         No\r\n"
      "       - Display in 'Keyboard Help'       No\r\n"
      "     - Data Type                          Number\r\n";
  return report;
}

class CliEnglish : public ::testing::Test {
 protected:
  CliEnglish() : root(scratch.Folder()) {
    scratch.Write(u"v1", u"orders.txt", EnglishReport("  :GLOBAL.status := 'OPEN';"));
    scratch.Write(u"v2", u"orders.txt", EnglishReport("  :GLOBAL.status := 'CLOS\xC9 \x80';"));
    scratch.Write(u"v2", u"same.txt", EnglishReport("  :GLOBAL.status := 'OPEN';"));
    scratch.Folder(u"out");
  }

  CliResult Diff(std::vector<std::u16string> extra) {
    std::vector<std::u16string> args = {u"diff",
                                        u"--set",
                                        u"MODE=FILE",
                                        u"--set",
                                        u"SRC_PATH1=" + root + u"v1",
                                        u"--set",
                                        u"SRC_FILE1=orders.txt",
                                        u"--set",
                                        u"SRC_PATH2=" + root + u"v2",
                                        u"--set",
                                        u"SRC_FILE2=orders.txt",
                                        u"--set",
                                        u"OUTPUT_PATH=" + root + u"out",
                                        u"--set",
                                        u"OUTPUT_FILE=orders",
                                        u"--json",
                                        root + u"run.json"};
    args.insert(args.end(), extra.begin(), extra.end());
    return RunCli(args);
  }

  ScratchFolder scratch;
  std::u16string root;
};

TEST_F(CliEnglish, OneChangedTriggerLineIsOneChangedObjectOneLineEachWay) {
  const CliResult result = Diff({u"--exit-code"});
  ASSERT_EQ(result.status, 3) << result.err;
  const std::string json = ScratchFolder::Read(root + u"run.json");
  EXPECT_NE(json.find("\"objectsChanged\":1,\"linesAdded\":1,\"linesRemoved\":1"),
            std::string::npos)
      << json;
  // The classic page keeps what code page 932 cannot hold as references.
  const std::string page = ScratchFolder::Read(root + u"out/orders.html");
  EXPECT_NE(page.find(":GLOBAL.status&nbsp;:=&nbsp;'CLOS&#201;&nbsp;&#8364;';"), std::string::npos)
      << page;
  EXPECT_NE(page.find("WHEN-VALIDATE-ITEM"), std::string::npos);
}

TEST_F(CliEnglish, AFolderSearchFindsItsHitsInEnglishReports) {
  const CliResult result =
      RunCli({u"search", u"--set", u"SRC_PATH=" + root + u"v2", u"--set", u"SRC_FILE=*.txt",
              u"--set", u"OUTPUT_PATH=" + root + u"out", u"--set", u"OUTPUT_FILE=found", u"--set",
              u"SEARCH_STRING1=CLOS\u00C9", u"--json", root + u"search.json", u"--exit-code"});
  ASSERT_EQ(result.status, 3) << result.err;
  const std::string json = ScratchFolder::Read(root + u"search.json");
  EXPECT_NE(json.find("{\"name\":\"ORDERS.TXT\",\"status\":\"match\""), std::string::npos) << json;
  EXPECT_NE(json.find("{\"name\":\"SAME.TXT\",\"status\":\"no-match\""), std::string::npos) << json;
}

TEST_F(CliEnglish, TheTreeIsReadInTheEncodingTheBytesAreIn) {
  const std::string utf8 = "\xEF\xBB\xBF * Name  F\r\n * Title  Caf\xC3\xA9\r\n";
  const std::u16string path = scratch.Write(u"enc", u"bom.txt", utf8);
  const CliResult tree = RunCli({u"tree", path});
  ASSERT_EQ(tree.status, 0) << tree.err;
  EXPECT_EQ(tree.out, "[[\"Form\",[[\"F\",[[\"Title\",\"Caf\xC3\xA9\"]]]]]]\n");

  // Read as Windows-1252 by choice, the same bytes keep each byte a character.
  scratch.Write(u"enc", u"b.txt", " * Name  F\r\n * Title  Caf\xC3\xA9\r\n");
  const auto diff = [&](std::u16string_view encoding) {
    return RunCli({u"diff", u"--set", u"MODE=FILE", u"--set", u"SRC_PATH1=" + root + u"enc",
                   u"--set", u"SRC_FILE1=b.txt", u"--set", u"SRC_PATH2=" + root + u"enc", u"--set",
                   u"SRC_FILE2=b.txt", u"--set", u"OUTPUT_PATH=" + root + u"out", u"--set",
                   u"OUTPUT_FILE=b", u"--set", u"PAGE_STYLE=REVIEW", u"--set",
                   u"REPORT_ENCODING=" + std::u16string(encoding)});
  };
  ASSERT_EQ(diff(u"WINDOWS-1252").status, 0);
  EXPECT_NE(ScratchFolder::Read(root + u"out/b.html").find("Caf\xC3\x83\xC2\xA9"),
            std::string::npos);
  ASSERT_EQ(diff(u"AUTO").status, 0);
  EXPECT_NE(ScratchFolder::Read(root + u"out/b.html").find("Caf\xC3\xA9"), std::string::npos);

  // A report saved as "Unicode" (UTF-16 with its mark) reads as its text,
  // in either language.
  const auto utf16 = [](std::u16string_view text) {
    std::string bytes = "\xFF\xFE";
    for (const char16_t c : text) bytes += {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
    return bytes;
  };
  const struct {
    std::u16string_view report;
    std::string tree;
  } saved[] = {
      {u" * Name  F\r\n * Title  Caf\u00E9\r\n",
       "[[\"Form\",[[\"F\",[[\"Title\",\"Caf\xC3\xA9\"]]]]]]\n"},
      {u"* 名前 F\r\n* タイトル 受注\r\n",
       "[[\"\xEF\xBE\x8C\xEF\xBD\xAB\xEF\xBD\xB0\xEF\xBE\x91\",[[\"F\",[[\""
       "\xE3\x82\xBF\xE3\x82\xA4\xE3\x83\x88\xE3\x83\xAB\",\""
       "\xE5\x8F\x97\xE6\xB3\xA8\"]]]]]]\n"},
  };
  for (const auto& [report, expected] : saved) {
    const CliResult read = RunCli({u"tree", scratch.Write(u"enc", u"u16.txt", utf16(report))});
    ASSERT_EQ(read.status, 0) << read.err;
    EXPECT_EQ(read.out, expected);
  }

  // The object comparison reads its reports in the chosen encoding too.
  scratch.Write(u"enc", u"c.txt", " * Name  F\r\n * Title  Tea\r\n");
  const CliResult objects =
      RunCli({u"objdiff", root + u"enc/b.txt", u"ROOT-1", root + u"enc/c.txt", u"ROOT-1", u"--set",
              u"OUTPUT_PATH=" + root + u"out", u"--set", u"OUTPUT_FILE=o", u"--set",
              u"PAGE_STYLE=REVIEW", u"--set", u"REPORT_ENCODING=WINDOWS-1252"});
  ASSERT_EQ(objects.status, 0) << objects.err;
  EXPECT_NE(ScratchFolder::Read(root + u"out/o.html").find("Caf\xC3\x83\xC2\xA9"),
            std::string::npos);
}

}  // namespace
}  // namespace tarnwick
