#include "report/forms_xml.h"

#include <gtest/gtest.h>

#include <string>

#include "base/error.h"
#include "messages/message_catalog.h"
#include "messages/message_error.h"
#include "report/report_parser.h"
#include "report/tree_json.h"
#include "text/decimal.h"
#include "text/utf8.h"

namespace tarnwick {
namespace {

// A module whose Module element holds `body`.
std::string Module(std::string_view body) {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\n"
         "<Module version=\"101020002\" xmlns=\"http://xmlns.oracle.com/Forms\">\n" +
         std::string(body) + "\n</Module>\n";
}

std::string Tree(std::string_view xml) {
  return TreeToJson(ParseFormsXml(xml));
}

// The description of the error the document raises.
std::string ErrorOf(std::string_view xml) {
  try {
    ParseFormsXml(xml);
  } catch (const Error& error) {
    EXPECT_EQ(error.Number(), kGrammarErrorNumber);
    // The line the description starts with is the error's own, for runs to show.
    EXPECT_GT(error.Line(), 0u);
    EXPECT_TRUE(error.Description().starts_with(
        DecimalText(static_cast<std::int64_t>(error.Line())) + u"行目"))
        << error.Line();
    return ToUtf8(error.Description());
  }
  return "(parsed)";
}

TEST(FormsXml, ElementsAreObjectsWithSortedPropertiesThenSectionsInOrderOfFirstAppearance) {
  EXPECT_EQ(
      Tree(Module(R"(
   <FormModule Name="ORDERS" Title="受注" ConsoleWindow="WINDOW1" xmlns:x="urn:x" x:Mark="m">
      <Coordinate CoordinateSystem="Real" CharacterCellWidth="7"/>
      <Block Name="ORD" QueryDataSourceName="ORDERS">
         <Item Name="ORDER_ID" DataType="Number"/>
         <Trigger Name="POST-QUERY" TriggerText="NULL;"/>
         <Item Name="STATUS"/>
      </Block>
      <Block Name="LINES"/>
   </FormModule>)")),
      R"([["FormModule",[["ORDERS",[["ConsoleWindow","WINDOW1"],["Mark","m"],["Title","受注"],)"
      R"(["Coordinate",[["Coordinate",[["CharacterCellWidth","7"],["CoordinateSystem","Real"]]]]],)"
      R"(["Block",[["ORD",[["QueryDataSourceName","ORDERS"],)"
      R"(["Item",[["ORDER_ID",[["DataType","Number"]]],["STATUS",[]]]],)"
      R"(["Trigger",[["POST-QUERY",[["TriggerText","NULL;"]]]]]]],["LINES",[]]]]]]]]])");
  // Module's own attributes belong to no object; an empty module is an empty tree.
  EXPECT_EQ(Tree(Module("")), "[]");
  EXPECT_EQ(Tree(Module(R"(<ObjectLibrary Name="LIB"/><MenuModule Name="M"/>)")),
            R"([["ObjectLibrary",[["LIB",[]]]],["MenuModule",[["M",[]]]]])");
}

TEST(FormsXml, KeysComeFromNameThenDscNameThenDsaNameThenTheElementsOwnName) {
  EXPECT_EQ(Tree(Module(R"(<Block Name="B" DSCName="not the key">
      <DataSourceColumn DSCName="ID" DSCType="NUMBER"/>
      <DataSourceArgument DSAName="P_KEY" DSAType="NUMBER" DSCName="C"/>
      <Coordinate RealUnit="Pixel"/>
    </Block>)")),
            R"([["Block",[["B",[["DSCName","not the key"],)"
            R"(["DataSourceColumn",[["ID",[["DSCType","NUMBER"]]]]],)"
            R"(["DataSourceArgument",[["C",[["DSAName","P_KEY"],["DSAType","NUMBER"]]]]],)"
            R"(["Coordinate",[["Coordinate",[["RealUnit","Pixel"]]]]]]]]]])");
}

TEST(FormsXml, SameKeysInOneSectionGetABlankEachIgnoringLetterCase) {
  EXPECT_EQ(
      Tree(Module(R"(<Item Name="ID"/><Item Name="id"/><Item Name="Id"/>
    <Item/><Item/><Item Name="Item"/>)")),
      R"([["Item",[["ID",[]],["id ",[]],["Id  ",[]],["Item",[]],["Item ",[]],["Item  ",[]]]]])");
  // A type spelled in other letter case joins the first section; a section
  // whose name a property holds goes beside it, not lost.
  EXPECT_EQ(Tree(Module(R"(<Block Name="B" Item="x"><Item Name="A"/><ITEM Name="a"/></Block>)")),
            R"([["Block",[["B",[["Item","x"],["Item ",[["A",[]],["a ",[]]]]]]]]])");
}

TEST(FormsXml, AttributeOrderNeverShows) {
  const std::string one = Module(
      R"(<Item Name="A" b="2" a="1" B="3" p:a="4" xmlns:p="urn:p" xmlns:q="urn:q" q:a="5"/>)");
  const std::string two = Module(
      R"(<Item xmlns:q="urn:q" q:a="5" B="3" xmlns:p="urn:p" a="1" p:a="4" Name="A" b="2"/>)");
  // Keys ignore letter case, so of "B" and "b" the first in ordinal order
  // stays, as of three attributes with one local name.
  EXPECT_EQ(Tree(one), R"([["Item",[["A",[["B","3"],["a","1"]]]]]])");
  EXPECT_EQ(Tree(two), Tree(one));
  // Two spellings of one attribute are no well-formed XML.
  EXPECT_EQ(ErrorOf(Module(R"(<Item Name="A" a="1" a="1"/>)")),
            "3行目2文字目でXMLが整形式ではありません。属性aが重複しています。");
}

TEST(FormsXml, EachLineBreakReferenceLeftInAValueBecomesCrLf) {
  EXPECT_EQ(
      Tree(Module(
          R"(<Trigger Name="T&amp;#10;X" TriggerText="BEGIN&amp;#10;  IF :A &lt; 1 THEN&amp;#10;&amp;#10;END;&amp;#10;"/>)")),
      R"([["Trigger",[["T\r\nX",[["TriggerText","BEGIN\r\n  IF :A < 1 THEN\r\n\r\nEND;\r\n"]]]]]])");
  // Only the reference the converter leaves: a character reference is the
  // character, a line break written as it is a blank (as XML has it), and an
  // escaped ampersand before "#10;" is text.
  EXPECT_EQ(
      Tree(Module(
          "<Item Name=\"A\" a=\"1&#10;2\" b=\"1\r\n2\" c=\"&amp;amp;#10;\" d=\"&#38;#10;\"/>")),
      R"([["Item",[["A",[["a","1\n2"],["b","1 2"],["c","&amp;#10;"],["d","\r\n"]]]]]])");
}

TEST(FormsXml, TextIsUtf8WithEachInvalidByteTakenAsWindows1252) {
  EXPECT_EQ(Tree(Module("<Item Name=\"caf\xE9\" a=\"\x93quoted\x94 \xE2\x82\xAC \x80 \x81\" "
                        "b=\"\xE3\x81\x82\xE3\x81\" c=\"\xC0\xAF \xED\xA0\x80\"/>")),
            "[[\"Item\",[[\"café\",[[\"a\",\"“quoted” € € \xC2\x81\"],"
            "[\"b\",\"あã\xC2\x81\"],[\"c\",\"À¯ í\xC2\xA0\xE2\x82\xAC\"]]]]]]");
  // A four-byte character becomes a surrogate pair; a BOM is no text.
  EXPECT_EQ(Tree("\xEF\xBB\xBF" + Module(R"(<Item Name="😀"/>)")), R"([["Item",[["😀",[]]]]])");
}

TEST(FormsXml, ADeclaredEncodingOtherThanUtf8IsHonoured) {
  const std::string body = "\n<Module xmlns=\"http://xmlns.oracle.com/Forms\"><Item Name=\"";
  EXPECT_EQ(
      Tree("<?xml version=\"1.0\" encoding=\"windows-1252\"?>" + body + "\xC3\xA9\"/></Module>"),
      R"([["Item",[["Ã©",[]]]]])");
  EXPECT_EQ(
      Tree("<?xml version='1.0' encoding='Shift_JIS'?>" + body + "\x8E\xF3\x92\x8D\"/></Module>"),
      R"([["Item",[["受注",[]]]]])");
  // UTF-16 with its byte-order mark, either way round.
  const std::u16string text =
      u"<Module xmlns='http://xmlns.oracle.com/Forms'><Item Name='受注'/></Module>";
  std::string little = "\xFF\xFE", big = "\xFE\xFF";
  for (char16_t c : text) {
    little += {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
    big += {static_cast<char>(c >> 8), static_cast<char>(c & 0xFF)};
  }
  EXPECT_TRUE(IsFormsXml(little));
  EXPECT_TRUE(IsFormsXml(big));
  EXPECT_EQ(Tree(little), R"([["Item",[["受注",[]]]]])");
  EXPECT_EQ(Tree(big), Tree(little));
}

TEST(FormsXml, ADocumentThatIsNotWellFormedNamesItsLineAndColumn) {
  EXPECT_EQ(ErrorOf(Module("<FormModule Name=\"A\">\n  <Block Name=\"B\">\n</FormModule>")),
            "5行目3文字目でXMLが整形式ではありません。開始タグと終了タグが対応していません。");
  // Columns count characters, whatever their bytes; CR LF and CR end lines too.
  EXPECT_EQ(
      ErrorOf("<Module xmlns=\"http://xmlns.oracle.com/Forms\">\r\n\r<Item Name=\"受注\" a=1/>"),
      "3行目19文字目でXMLが整形式ではありません。属性が正しくありません。");
  EXPECT_EQ(ErrorOf(Module("<Item Name=\"A\">")),
            "4行目3文字目でXMLが整形式ではありません。開始タグと終了タグが対応していません。");
  EXPECT_EQ(ErrorOf(Module("") + "<Module xmlns=\"http://xmlns.oracle.com/Forms\"/>"),
            "5行目2文字目でXMLが整形式ではありません。ルート要素の後に要素があります。");
  EXPECT_EQ(ErrorOf("<Module xmlns=\"urn:other\"/>"),
            "1行目2文字目のルート要素はFormsのModuleではありません。");
  // The same in English, and the line for the run's own record.
  try {
    ParseFormsXml(Module("<Item Name=\"A\" a=\"1\" a=\"1\"/>"));
    ADD_FAILURE() << "a duplicate attribute must not pass";
  } catch (const Error& error) {
    EXPECT_EQ(error.Line(), 3u);
    EXPECT_EQ(ToUtf8(DescriptionText(error, EnglishCatalog)),
              "Line 3, column 2: the XML is not well-formed: the attribute a stands twice.");
  }
}

TEST(FormsXml, DepthAndSameNamedObjectsAreBounded) {
  std::string deep;
  for (int i = 0; i <= kMaxSectionDepth; ++i) deep += "<Item>";
  for (int i = 0; i <= kMaxSectionDepth; ++i) deep += "</Item>";
  EXPECT_EQ(ErrorOf(Module(deep)), "3行目" + std::to_string(6 * kMaxSectionDepth + 2) +
                                       "文字目で要素の入れ子が1000階層を超えました。");
  deep.erase(0, 6);
  deep.erase(deep.size() - 7);
  const CollectionPtr tree = ParseFormsXml(Module(deep));
  EXPECT_NE(tree, nullptr);

  // As a report's: the name, then up to 1000 blanks added.
  std::string same;
  for (int i = 0; i <= 1000; ++i) same += "<Item/>";
  EXPECT_NO_THROW(ParseFormsXml(Module(same)));
  EXPECT_EQ(ErrorOf(Module(same + "<Item/>")),
            "3行目7009文字目で同じ名前のオブジェクトが多すぎます。");
}

TEST(FormsXml, RecognisedByItsRootElementAndNamespaceAlone) {
  EXPECT_TRUE(IsFormsXml(Module("")));
  EXPECT_TRUE(
      IsFormsXml("\xEF\xBB\xBF\r\n<!-- converted --><!DOCTYPE Module [<!ENTITY a 'b'>]>"
                 "<f:Module xmlns:f='http://xmlns.oracle.com/Forms'"));
  // Cut short after the start tag, as the first piece of a large file is.
  EXPECT_TRUE(IsFormsXml(Module("<FormModule Name=\"A\" Title=\"unfinis")));
  EXPECT_FALSE(IsFormsXml("<Module xmlns=\"http://xmlns.oracle.com/Forms/\"/>"));
  EXPECT_FALSE(IsFormsXml("<f:Module xmlns=\"http://xmlns.oracle.com/Forms\"/>"));
  EXPECT_FALSE(IsFormsXml("<Modules xmlns=\"http://xmlns.oracle.com/Forms\"/>"));
  EXPECT_FALSE(IsFormsXml("<FormModule xmlns=\"http://xmlns.oracle.com/Forms\"/>"));
  EXPECT_FALSE(IsFormsXml("<Module version=\"1\""));
  EXPECT_FALSE(IsFormsXml("* 名前 <Module xmlns=\"http://xmlns.oracle.com/Forms\"/>"));
  EXPECT_FALSE(IsFormsXml(""));
}

}  // namespace
}  // namespace tarnwick
