// The generated Forms XML modules read back as the reader reads a
// converter's: whole texts, attributes in no fixed order, edits that show.
#include "tools/generator/forms_xml_generator.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "report/forms_xml.h"
#include "report/tree_json.h"
#include "text/utf8.h"

namespace tarnwick {
namespace {

std::string Json(std::string_view xml) {
  return TreeToJson(ParseFormsXml(xml));
}

TEST(FormsXmlGenerator, WritesAWellFormedModuleOfAboutTheTargetSize) {
  GeneratorOptions options;
  options.targetBytes = 300000;
  options.moduleName = u"ORDERS";
  const std::string xml = GenerateFormsXml(options);
  EXPECT_TRUE(IsFormsXml(xml));
  EXPECT_GE(xml.size(), options.targetBytes);
  EXPECT_LT(xml.size(), options.targetBytes * 13 / 10);
  EXPECT_EQ(xml, GenerateFormsXml(options)) << "the seed gives the module";
  // Line breaks are written as the converter writes them, never raw.
  EXPECT_NE(xml.find("&amp;#10;"), std::string::npos);
  const std::string json = Json(xml);
  EXPECT_TRUE(json.starts_with(R"([["FormModule",[["ORDERS",[)")) << json.substr(0, 80);
  EXPECT_NE(json.find(R"(["TriggerText","\r\nBEGIN\r\n)"), std::string::npos);
  EXPECT_EQ(json.find("&#10;"), std::string::npos);
}

TEST(FormsXmlGenerator, AttributeOrdersDifferButNeverShowInTheTree) {
  GeneratorOptions options;
  options.targetBytes = 100000;
  const std::string xml = GenerateFormsXml(options);
  const std::string again = MutateFormsXml(xml, 0, 3);
  EXPECT_NE(again, xml);
  EXPECT_EQ(Json(again), Json(xml));
  options.seed = 2;
  const std::string other = GenerateFormsXml(options);
  EXPECT_NE(Json(other), Json(xml));
}

TEST(FormsXmlGenerator, EditsChangeAboutTheirShareOfTextLines) {
  GeneratorOptions options;
  options.targetBytes = 400000;
  const std::string xml = GenerateFormsXml(options);
  const std::string edited = MutateFormsXml(xml, 0.05, 4);
  // Names stay, so every object pairs with its twin; lines are counted in
  // the texts that hold line breaks.
  const CollectionPtr before = ParseFormsXml(xml), after = ParseFormsXml(edited);
  std::size_t lines = 0, marked = 0;
  const std::function<void(const Collection&)> count = [&](const Collection& collection) {
    for (const clsItem& node : collection) {
      if (node.IsCollection()) count(node.Children());
      if (!node.IsText() || node.Text().find(u"\r\n") == std::u16string_view::npos) continue;
      const std::u16string_view text = node.Text();
      for (std::size_t at = 0; at != std::u16string_view::npos; at = text.find(u"\r\n", at + 2)) {
        ++lines;
      }
      for (std::size_t at = text.find(u" -- 変更"); at != std::u16string_view::npos;
           at = text.find(u" -- 変更", at + 1)) {
        ++marked;
      }
    }
  };
  count(*after);
  EXPECT_GT(marked, lines / 100);
  EXPECT_LT(marked, lines / 20);
  EXPECT_NE(TreeToJson(before), TreeToJson(after));
}

}  // namespace
}  // namespace tarnwick
