// The generator's English reports: the same objects and lines as the
// Japanese report they come from, so the English parser reads them into a
// tree of the same shape, in whichever encoding they are written.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "app/report_loader.h"
#include "report/report_encoding.h"
#include "report/report_parser.h"
#include "runs_fixture.h"
#include "text/raw_buffer.h"
#include "tools/generator/english_report.h"
#include "tools/generator/report_generator.h"
#include "tools/generator/trigger_report.h"

namespace tarnwick {
namespace {

// The tree without its labels: "t" for a text, "(...)" for a collection,
// and the keys made of upper-case letters, digits, "_" and "-" (object
// names; a label has other characters in either language).
void Shape(const Collection& collection, std::string& out) {
  out += '(';
  for (const clsItem& node : collection) {
    const bool name =
        !node.Key.empty() && std::all_of(node.Key.begin(), node.Key.end(), [](char16_t c) {
          return (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || c == u'_' || c == u'-';
        });
    if (name) {
      for (char16_t c : node.Key) out += static_cast<char>(c);
    }
    if (node.IsCollection()) {
      Shape(node.Children(), out);
    } else {
      out += 't';
    }
  }
  out += ')';
}

std::string Shape(const CollectionPtr& tree) {
  std::string out;
  if (tree) Shape(*tree, out);
  return out;
}

// The English report as read back from its bytes.
CollectionPtr ReadBack(std::u16string_view english, EnglishEncoding encoding) {
  const std::string bytes = EnglishReportBytes(english, encoding);
  RawBuffer<char16_t> text;
  DecodeReportBytes(bytes, ReportTextEncoding::kAutomatic, text);
  return ParseReport(text.View());
}

TEST(EnglishReportGenerator, GivesTheTreeOfTheJapaneseReportInEveryEncoding) {
  for (const std::uint64_t seed : {1u, 2u, 3u}) {
    GeneratorOptions options;
    options.seed = seed;
    options.targetBytes = 120 << 10;
    const std::u16string japanese = GenerateReportText(options);
    const std::u16string mutated = MutateReportText(japanese, 0.05, seed);
    for (const std::u16string& text : {japanese, mutated}) {
      const std::string expected = Shape(ParseReport(text));
      const std::u16string english = EnglishReportText(text);
      ASSERT_EQ(english.find(u"名前"), std::u16string::npos);
      for (const EnglishEncoding encoding : {EnglishEncoding::kWindows1252, EnglishEncoding::kUtf8,
                                             EnglishEncoding::kUtf8WithMark}) {
        const CollectionPtr tree = ReadBack(english, encoding);
        ASSERT_TRUE(tree);
        EXPECT_EQ(tree->At(1).Key, u"Form");
        EXPECT_EQ(Shape(tree), expected) << "seed " << seed;
      }
    }
  }
}

TEST(EnglishReportGenerator, WritesWesternTextThatOnlyTheRightEncodingReadsBack) {
  const std::u16string english = EnglishReportText(
      u"* 名前 F\r\n* タイトル 受注入力\r\n* コメント\r\n-- 明細\r\n* 有効 はい\r\n");
  EXPECT_EQ(english.substr(0, 42), u"* Name" + std::u16string(33, u' ') + u"F\r\n");
  const std::string latin = EnglishReportBytes(english, EnglishEncoding::kWindows1252);
  const std::string utf8 = EnglishReportBytes(english, EnglishEncoding::kUtf8);
  EXPECT_EQ(latin.find('?'), std::string::npos);
  EXPECT_TRUE(
      EnglishReportBytes(english, EnglishEncoding::kUtf8WithMark).starts_with("\xEF\xBB\xBF"));
  RawBuffer<char16_t> back;
  DecodeReportBytes(latin, ReportTextEncoding::kAutomatic, back);
  EXPECT_EQ(std::u16string(back.View()), english);
  DecodeReportBytes(utf8, ReportTextEncoding::kAutomatic, back);
  EXPECT_EQ(std::u16string(back.View()), english);
  EXPECT_NE(english.find(u"* Enabled" + std::u16string(30, u' ') + u"Yes"), std::u16string::npos)
      << utf8;
}

TEST(EnglishReportGenerator, AReportLargerThanOnePieceIsReadWholeInItsEncoding) {
  GeneratorOptions options;
  options.targetBytes = 700 << 10;  // well past the loader's first piece
  const std::u16string japanese = GenerateReportText(options);
  const std::u16string english = EnglishReportText(japanese);
  const std::string expected = Shape(ParseReport(japanese));
  testing::ScratchFolder scratch;
  for (const EnglishEncoding encoding : {EnglishEncoding::kWindows1252, EnglishEncoding::kUtf8}) {
    const std::u16string path =
        scratch.Write(u"", u"big.txt", EnglishReportBytes(english, encoding));
    std::u16string stage;
    ReportBuffers buffers;
    const CollectionPtr tree = ParseReportFile(FilePathOf(path), stage, buffers);
    EXPECT_EQ(Shape(tree), expected);
    EXPECT_TRUE(ReadReportText(FilePathOf(path)) == english);
  }
}

}  // namespace
}  // namespace tarnwick
