// Forms XML modules through tarnwick-cli, as a user runs it: the tree, a
// comparison's JSON counts, a folder search over reports and modules, and a
// module that is not well-formed.
#include <gtest/gtest.h>

#include <string>

#include "cli_runner.h"
#include "runs_fixture.h"
#include "text/utf8.h"
#include "tools/generator/forms_xml_generator.h"

namespace tarnwick {
namespace {

using testing::CliResult;
using testing::RunCli;
using testing::ScratchFolder;

// A module with one block, one item and one trigger, its attributes in the
// order given by `reversed`, the trigger's third line as `line3`.
std::string OrdersModule(bool reversed, std::string_view line3 = "  :ORD.STATUS := 'A';") {
  const std::string trigger = "BEGIN&amp;#10;  IF :ORD.ID IS NULL THEN&amp;#10;" +
                              std::string(line3) + "&amp;#10;  END IF;&amp;#10;END;";
  const std::string attributes =
      reversed ? R"(TriggerText=")" + trigger +
                     R"(" FireInQueryMode="false" Name="WHEN-NEW-RECORD-INSTANCE")"
               : R"(Name="WHEN-NEW-RECORD-INSTANCE" FireInQueryMode="false" TriggerText=")" +
                     trigger + "\"";
  return "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\n"
         "<Module version=\"101020002\" xmlns=\"http://xmlns.oracle.com/Forms\">\n"
         "   <FormModule " +
         std::string(reversed ? R"(Title="受注" Name="ORDERS")" : R"(Name="ORDERS" Title="受注")") +
         ">\n"
         "      <Block Name=\"ORD\">\n"
         "         <Item " +
         (reversed ? R"(DataType="Number" Name="ID")" : R"(Name="ID" DataType="Number")") +
         "/>\n"
         "         <Trigger " +
         attributes +
         "/>\n"
         "      </Block>\n"
         "   </FormModule>\n"
         "</Module>\n";
}

class FormsXmlRuns : public ::testing::Test {
 protected:
  // A file comparison of m1/NAME1 and m2/NAME2 with its JSON summary.
  std::string CompareFiles(std::u16string_view name1, std::u16string_view name2) {
    const std::u16string json = scratch.Folder() + u"diff.json";
    const CliResult result = RunCli(
        {u"diff", u"--set", u"MODE=FILE", u"--set", u"SRC_PATH1=" + scratch.Folder(u"m1"), u"--set",
         u"SRC_FILE1=" + std::u16string(name1), u"--set", u"SRC_PATH2=" + scratch.Folder(u"m2"),
         u"--set", u"SRC_FILE2=" + std::u16string(name2), u"--set",
         u"OUTPUT_PATH=" + scratch.Folder(u"out"), u"--set", u"OUTPUT_FILE=diff", u"--json", json});
    EXPECT_EQ(result.status, 0) << result.err;
    return ScratchFolder::Read(json);
  }

  ScratchFolder scratch;
};

TEST_F(FormsXmlRuns, ShuffledAttributesCompareEqualAndOneChangedTriggerLineCountsOnce) {
  scratch.Write(u"m1", u"ORDERS_fmb.xml", OrdersModule(false));
  scratch.Write(u"m2", u"ORDERS_fmb.xml", OrdersModule(true));
  scratch.Write(u"m2", u"CHANGED_fmb.xml", OrdersModule(true, "  :ORD.STATUS := 'B';"));
  EXPECT_NE(CompareFiles(u"ORDERS_fmb.xml", u"ORDERS_fmb.xml").find("\"status\":\"same\""),
            std::string::npos);
  const std::string changed = CompareFiles(u"ORDERS_fmb.xml", u"CHANGED_fmb.xml");
  EXPECT_NE(changed.find("\"status\":\"different\""), std::string::npos) << changed;
  EXPECT_NE(changed.find("\"counts\":{\"objectsAdded\":0,\"objectsRemoved\":0,\"objectsChanged\":1,"
                         "\"linesAdded\":1,\"linesRemoved\":1,\"objectsMoved\":0}"),
            std::string::npos)
      << changed;
}

TEST_F(FormsXmlRuns, AGeneratedModuleWrittenAgainComparesEqual) {
  GeneratorOptions options;
  options.targetBytes = 200000;
  const std::string module = GenerateFormsXml(options);
  scratch.Write(u"m1", u"GEN_fmb.xml", module);
  scratch.Write(u"m2", u"GEN_fmb.xml", MutateFormsXml(module, 0, 9));
  scratch.Write(u"m2", u"EDITED_fmb.xml", MutateFormsXml(module, 0.02, 9));
  EXPECT_NE(CompareFiles(u"GEN_fmb.xml", u"GEN_fmb.xml").find("\"status\":\"same\""),
            std::string::npos);
  EXPECT_NE(CompareFiles(u"GEN_fmb.xml", u"EDITED_fmb.xml").find("\"status\":\"different\""),
            std::string::npos);
}

TEST_F(FormsXmlRuns, AFolderSearchOverReportsAndModulesFindsItsHitsInBoth) {
  scratch.WriteText(u"src", u"report.txt", u"* 名前 FORM1\r\n* タイトル 受注入力\r\n");
  scratch.Write(u"src", u"ORDERS_fmb.xml", OrdersModule(false));
  scratch.Write(u"src", u"OTHER_fmb.xml", OrdersModule(false, "  NULL;"));
  scratch.Write(u"src", u"notes.md", "受注");
  const std::u16string json = scratch.Folder() + u"search.json";
  const CliResult result =
      RunCli({u"search", u"--set", u"SRC_PATH=" + scratch.Folder(u"src"), u"--set",
              u"SRC_FILE=*.txt;*.xml", u"--set", u"OUTPUT_PATH=" + scratch.Folder(u"out"), u"--set",
              u"OUTPUT_FILE=found", u"--set", u"SEARCH_STRING1=受注", u"--set",
              u"SEARCH_STRING2=STATUS", u"--set", u"COND_AND=False", u"--json", json});
  ASSERT_EQ(result.status, 0) << result.err;
  const std::string summary = ScratchFolder::Read(json);
  for (const char* match : {"\"name\":\"ORDERS_FMB.XML\",\"status\":\"match\"",
                            "\"name\":\"OTHER_FMB.XML\",\"status\":\"match\"",
                            "\"name\":\"REPORT.TXT\",\"status\":\"match\""}) {
    EXPECT_NE(summary.find(match), std::string::npos) << match << "\n" << summary;
  }
  EXPECT_EQ(summary.find("NOTES.MD"), std::string::npos) << summary;
  // A trigger's hit is its own line, numbered within the text.
  const std::u16string page = ScratchFolder::ReadText(scratch.Folder(u"out") + u"ORDERS_FMB.html");
  EXPECT_NE(page.find(u"<td>3</td><td></td><td></td><td bgcolor=\"pink\">&nbsp;&nbsp;:ORD.STATUS"),
            std::u16string::npos)
      << ToUtf8(page);
}

TEST_F(FormsXmlRuns, AModuleThatIsNotWellFormedIsTheRunsErrorNamingFileLineAndColumn) {
  const std::u16string bad =
      scratch.Write(u"", u"BAD_fmb.xml",
                    "<Module xmlns=\"http://xmlns.oracle.com/Forms\">\n  <FormModule Name=\"A\">\n"
                    "    <Block Name=\"B\" Title=\"x\"\n  </FormModule>\n</Module>\n");
  const CliResult result = RunCli({u"tree", bad});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.err,
            "フォーム文章[" + ToUtf8(bad) +
                "]の解析中に、エラーが発生しました。\r\n"
                "4行目3文字目でXMLが整形式ではありません。開始タグが正しくありません。\n");
}

}  // namespace
}  // namespace tarnwick
