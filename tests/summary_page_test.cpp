#include "app/summary_page.h"

#include <gtest/gtest.h>

#include "base/error.h"
#include "classic/summary_table.h"
#include "runs_fixture.h"

namespace tarnwick {
namespace {

using testing::ScratchFolder;

std::u16string SummaryTableBody(const RunSummary& summary) {
  HTMLTblCls table;
  WriteSummaryTable(summary, table);
  return table.sStr();
}

RunSummary Comparison(std::u16string stamp, std::u16string folder1, std::u16string folder2) {
  RunSummary summary;
  summary.stamp = std::move(stamp);
  summary.folder1 = std::move(folder1);
  summary.folder2 = std::move(folder2);
  return summary;
}

TEST(SummaryPage, ListsFoldersStampHeadingAndEveryStatus) {
  RunSummary summary =
      Comparison(u"ファイル比較：開始日時：2008/05/01  14:03:09", u"C:\\A\\", u"C:\\B\\");
  summary.rows = {{u"FORM1.TXT", FileStatus::Different, u"/OUT/FORM1.html", {}, {}, {}},
                  {u"FORM2.TXT", FileStatus::OnlyIn1, u"", {}, {}, {}},
                  {u"FORM3.TXT", FileStatus::Unprocessed, u"", {}, {}, {}}};
  EXPECT_EQ(
      SummaryTableBody(summary),
      u"<tr><td colspan=\"3\">フォルダ１:C:\\A\\</td></tr>\r\n"
      u"<tr><td colspan=\"3\">フォルダ２:C:\\B\\</td></tr>\r\n"
      u"<tr><td colspan=\"3\">ファイル比較：開始日時：2008/05/01&nbsp;&nbsp;14:03:09</td></tr>\r\n"
      u"<tr><td>ファイル名</td><td>結果</td></tr>\r\n"
      u"<tr><td>FORM1.TXT</td><td><a href=\"/OUT/FORM1.html\">差異あり</a></td></tr>\r\n"
      u"<tr><td>FORM2.TXT</td><td>フォルダ１のみ存在</td></tr>\r\n"
      u"<tr><td>FORM3.TXT</td><td>未処理</td></tr>\r\n");
}

TEST(SummaryPage, SearchShowsOneFolderAndLinksOnlyMatches) {
  RunSummary summary = Comparison(u"S", u"/src/", u"");
  summary.kind = SummaryKind::kSearch;
  // Options never show on a search's summary.
  summary.options.ignoreCase = true;
  summary.rows = {{u"A.TXT", FileStatus::Match, u"/out/A.html", {}, {}, {}},
                  {u"B.TXT", FileStatus::NoMatch, u"/out/B.html", {}, {}, {}}};
  EXPECT_EQ(SummaryTableBody(summary),
            u"<tr><td colspan=\"3\">フォルダ:/src/</td></tr>\r\n"
            u"<tr><td colspan=\"3\">S</td></tr>\r\n"
            u"<tr><td>ファイル名</td><td>結果</td></tr>\r\n"
            u"<tr><td>A.TXT</td><td><a href=\"/out/A.html\">該当</a></td></tr>\r\n"
            u"<tr><td>B.TXT</td><td>該当しない</td></tr>\r\n");
}

TEST(SummaryPage, LinksAreEscaped) {
  RunSummary summary = Comparison(u"S", u"/1/", u"/2/");
  summary.rows = {{u"A#B.TXT", FileStatus::Different, u"/o\"ut/A#B.html", {}, {}, {}}};
  const std::u16string body = SummaryTableBody(summary);
  EXPECT_NE(body.find(u"<a href=\"/o&quot;ut/A%23B.html\">差異あり</a>"), std::u16string::npos);
}

TEST(SummaryPage, IsWrittenInCodePage932WithTheBorderedTable) {
  ScratchFolder scratch;
  const std::u16string page = scratch.Folder() + u"sum.html";
  std::vector<FileEntry> files(1);
  files[0].name = u"A.TXT";
  WriteRunSummary(BaseDefaults(), page, u"S", u"/1/", u"/2/", files, {});
  EXPECT_EQ(ScratchFolder::Read(page),
            "<HTML><TABLE border=\"1\" bordercolor=\"black\">\r\n"
            "<tr><td colspan=\"3\">\x83t\x83H\x83\x8b\x83_\x82P:/1/</td></tr>\r\n"
            "<tr><td colspan=\"3\">\x83t\x83H\x83\x8b\x83_\x82Q:/2/</td></tr>\r\n"
            "<tr><td colspan=\"3\">S</td></tr>\r\n"
            "<tr><td>\x83t\x83@\x83"
            "C\x83\x8b\x96\xbc</td><td>\x8c\x8b\x89\xca</td></tr>\r\n"
            "<tr><td>A.TXT</td><td>\x96\xa2\x8f\x88\x97\x9d</td></tr>\r\n"
            "\r\n</TABLE></HTML>\r\n");
}

}  // namespace
}  // namespace tarnwick
