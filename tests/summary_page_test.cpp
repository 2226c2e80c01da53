#include "app/summary_page.h"

#include <gtest/gtest.h>

#include "base/error.h"
#include "classic/summary_table.h"
#include "runs_fixture.h"
#include "text/utf8.h"

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

TEST(SummaryPage, NamesThePatternsOnlyWhereTheSidesDifferAndTheCancel) {
  RunSummary summary = Comparison(u"S", u"/1/", u"/2/");
  summary.patterns1 = summary.patterns2 = u"*.txt";
  summary.rows = {{u"A.TXT", FileStatus::Same, u"/o/A.html", {}, {}, {}}};
  const std::u16string rows =
      u"<tr><td>ファイル名</td><td>結果</td></tr>\r\n"
      u"<tr><td>A.TXT</td><td>一致</td></tr>\r\n";
  // Equal patterns hide no report of one side: the classic rows stay as they were.
  EXPECT_EQ(SummaryTableBody(summary),
            u"<tr><td colspan=\"3\">フォルダ１:/1/</td></tr>\r\n"
            u"<tr><td colspan=\"3\">フォルダ２:/2/</td></tr>\r\n"
            u"<tr><td colspan=\"3\">S</td></tr>\r\n" +
                rows);

  summary.patterns1 = u"ORDER_ENTRY.txt";
  summary.rows.push_back({u"B.TXT", FileStatus::OutsidePattern1, u"", {}, {}, {}});
  summary.cancelled = u"中止しました：2008/05/01  14:05:10";
  EXPECT_EQ(SummaryTableBody(summary),
            u"<tr><td colspan=\"3\">フォルダ１:/1/</td></tr>\r\n"
            u"<tr><td colspan=\"3\">フォルダ２:/2/</td></tr>\r\n"
            u"<tr><td colspan=\"3\">ファイル名パターン１:ORDER_ENTRY.txt</td></tr>\r\n"
            u"<tr><td colspan=\"3\">ファイル名パターン２:*.txt</td></tr>\r\n"
            u"<tr><td colspan=\"3\">S</td></tr>\r\n"
            u"<tr><td colspan=\"3\">中止しました：2008/05/01&nbsp;&nbsp;14:05:10</td></tr>\r\n" +
                rows +
                u"<tr><td>B.TXT</td><td>対象外（フォルダ１のファイル名パターン外）</td></tr>\r\n");

  // A search has one folder, so its patterns never hide a report.
  RunSummary search = Comparison(u"S", u"/src/", u"");
  search.kind = SummaryKind::kSearch;
  search.patterns1 = u"A*.txt";
  EXPECT_EQ(SummaryTableBody(search),
            u"<tr><td colspan=\"3\">フォルダ:/src/</td></tr>\r\n"
            u"<tr><td colspan=\"3\">S</td></tr>\r\n"
            u"<tr><td>ファイル名</td><td>結果</td></tr>\r\n");
}

TEST(SummaryPage, AReadErrorSaysWhyInAThirdCellOfItsRow) {
  RunSummary summary = Comparison(u"S", u"/1/", u"/2/");
  summary.rows = {{u"B.TXT",
                   FileStatus::ReadError,
                   u"/o/B.html",
                   {},
                   {},
                   {{1, u"/1/b.txt", 3,
                     u"ソース１のフォーム文章[/1/b.txt]の解析中に、エラーが発生しました。3行目"},
                    {2, u"/2/b.txt", 0,
                     u"ソース２のファイル文章[/2/b.txt]の読み込み中に、エラーが発生しました。"}}}};
  const std::u16string body = SummaryTableBody(summary);
  // No link: the pair has no page.
  EXPECT_NE(
      body.find(u"<tr><td>B.TXT</td><td>読込エラー</td><td>"
                u"ソース１のフォーム文章[/1/b.txt]の解析中に、エラーが発生しました。3行目"
                u"&nbsp;ソース２のファイル文章[/2/b.txt]の読み込み中に、エラーが発生しました。"
                u"</td></tr>\r\n"),
      std::u16string::npos)
      << ToUtf8(body);
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
