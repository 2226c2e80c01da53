#include "tools/generator/trigger_report.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "report/report_parser.h"
#include "text/line_reader.h"

namespace tarnwick {
namespace {

// The trigger text of a generated report, read back through the parser, as
// lines.
std::vector<std::u16string> TriggerLines(std::u16string_view report) {
  CollectionPtr tree = ParseReport(report);
  const clsItem* node = &tree->At(1);
  for (std::u16string_view key :
       {u"TRIGGER_FORM", u"トリガー", u"WHEN-NEW-FORM-INSTANCE", u"トリガー・テキスト"}) {
    node = node->Children().Find(key);
    if (node == nullptr) return {};
  }
  std::vector<std::u16string> lines;
  for (std::int64_t position = 1; position != -1;)
    lines.emplace_back(ReadLine(node->Text(), position));
  return lines;
}

TEST(TriggerReport, SecondVersionDiffersInEveryKthBodyLineOnly) {
  for (std::size_t every : {1, 2, 3}) {
    const TriggerReportPair pair = GenerateTriggerReports(300, every, 4);
    const std::vector<std::u16string> lines1 = TriggerLines(pair.report1);
    const std::vector<std::u16string> lines2 = TriggerLines(pair.report2);
    // The first line is the empty value on the property's own line.
    ASSERT_EQ(lines1.size(), 301u);
    ASSERT_EQ(lines2.size(), 301u);
    EXPECT_EQ(lines1[0], u"");
    for (std::size_t k = 1; k <= 300; ++k) {
      EXPECT_EQ(lines1[k] != lines2[k], k % every == 0) << "every " << every << ", line " << k;
    }
  }
}

TEST(TriggerReport, BodyMixesDistinctAndRepeatedLinesAndDependsOnTheSeed) {
  const TriggerReportPair pair = GenerateTriggerReports(2000, 0, 1);
  EXPECT_EQ(pair.report1, pair.report2);
  const std::vector<std::u16string> lines = TriggerLines(pair.report1);
  std::size_t endIf = 0, blank = 0;
  for (const std::u16string& line : lines) {
    endIf += line.ends_with(u"END IF;");
    blank += line.empty();
  }
  EXPECT_GT(endIf, 20u);
  EXPECT_GT(blank, 20u);
  EXPECT_EQ(GenerateTriggerReports(50, 2, 1).report2, GenerateTriggerReports(50, 2, 1).report2);
  EXPECT_NE(GenerateTriggerReports(50, 2, 1).report1, GenerateTriggerReports(50, 2, 2).report1);
}

}  // namespace
}  // namespace tarnwick
