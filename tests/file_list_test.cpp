#include "app/file_list.h"

#include <gtest/gtest.h>

#include "runs_fixture.h"

namespace tarnwick {
namespace {

using testing::ScratchFolder;

std::vector<std::u16string> Names(const std::vector<FileEntry>& files) {
  std::vector<std::u16string> names;
  for (const auto& entry : files) names.push_back(entry.name);
  return names;
}

TEST(CollectFiles, PairsUpperCasedNamesOfBothFolders) {
  ScratchFolder scratch;
  scratch.Write(u"1", u"a.txt", "");
  scratch.Write(u"1", u"b.txt", "");
  scratch.Write(u"2", u"B.TXT", "");
  scratch.Write(u"2", u"c.txt", "");
  std::vector<FileEntry> files;
  CollectFiles(scratch.Folder(u"1"), u"*.txt", ListSide::First, files);
  CollectFiles(scratch.Folder(u"2"), u"*.txt", ListSide::Second, files);
  SortFiles(files);

  ASSERT_EQ(Names(files), (std::vector<std::u16string>{u"A.TXT", u"B.TXT", u"C.TXT"}));
  EXPECT_TRUE(files[0].in1 && !files[0].in2);
  EXPECT_TRUE(files[1].in1 && files[1].in2);
  EXPECT_TRUE(!files[2].in1 && files[2].in2);
  // Each side opens the name it listed.
  EXPECT_EQ(files[1].listedName1, u"b.txt");
  EXPECT_EQ(files[1].listedName2, u"B.TXT");
  EXPECT_EQ(files[0].listedName2, u"");
  for (const auto& entry : files) EXPECT_EQ(entry.status, FileStatus::Unprocessed);
}

TEST(CollectFiles, PatternListSkipsEmptyPartsAndListsEachFileOnce) {
  ScratchFolder scratch;
  scratch.Write(u"", u"a1.txt", "");
  scratch.Write(u"", u"b.txt", "");
  scratch.Write(u"", u"a.old", "");
  std::vector<FileEntry> files;
  CollectFiles(scratch.Folder(), u";*.txt;;a*.txt;", ListSide::First, files);
  EXPECT_EQ(Names(files), (std::vector<std::u16string>{u"A1.TXT", u"B.TXT"}));
  // Parts are not trimmed: " *.old" asks for a name starting with a blank.
  CollectFiles(scratch.Folder(), u" *.old", ListSide::First, files);
  EXPECT_EQ(files.size(), 2u);
}

TEST(CollectFiles, NamesThatFoldAlikeKeepTheOrdinalFirst) {
  ScratchFolder scratch;
  scratch.Write(u"", u"form.txt", "");
  scratch.Write(u"", u"FORM.txt", "");
  std::vector<FileEntry> files;
  CollectFiles(scratch.Folder(), u"f*;F*", ListSide::First, files);
  ASSERT_EQ(files.size(), 1u);
  EXPECT_EQ(files[0].name, u"FORM.TXT");
  EXPECT_EQ(files[0].listedName1, u"FORM.txt");
}

TEST(SortFiles, OrdersByCodeUnitOfTheUpperCasedNames) {
  std::vector<FileEntry> files(4);
  const char16_t* names[] = {u"_A.TXT", u"FORM2.TXT", u"Z.TXT", u"FORM10.TXT"};
  for (int i = 0; i < 4; ++i) {
    files[i].name = names[i];
    files[i].in1 = i % 2 == 0;
  }
  SortFiles(files);
  EXPECT_EQ(Names(files),
            (std::vector<std::u16string>{u"FORM10.TXT", u"FORM2.TXT", u"Z.TXT", u"_A.TXT"}));
  EXPECT_FALSE(files[0].in1);  // flags travel with their names
  EXPECT_TRUE(files[3].in1);
}

TEST(SummaryPage, ListsFoldersStampHeadingAndEveryStatus) {
  std::vector<FileEntry> files(3);
  files[0].name = u"FORM1.TXT";
  files[0].status = FileStatus::Different;
  files[0].resultPath = u"C:\\OUT\\FORM1.html";
  files[1].name = u"FORM2.TXT";
  files[1].status = FileStatus::OnlyIn1;
  files[2].name = u"FORM3.TXT";
  const char16_t* stamp = u"ファイル比較：開始日時：2008/05/01  14:03:09";
  EXPECT_EQ(SummaryTableBody(stamp, u"C:\\A\\", u"C:\\B\\", files),
            u"<tr><td colspan=\"3\">フォルダ１:C:\\A\\</td></tr>\r\n"
            u"<tr><td colspan=\"3\">フォルダ２:C:\\B\\</td></tr>\r\n"
            u"<tr><td colspan=\"3\">ファイル比較：開始日時：2008/05/01&nbsp;&nbsp;14:03:09</td></tr>\r\n"
            u"<tr><td>ファイル名</td><td>結果</td></tr>\r\n"
            u"<tr><td>FORM1.TXT</td><td><a href=\"C:\\OUT\\FORM1.html\">差異あり</a></td></tr>\r\n"
            u"<tr><td>FORM2.TXT</td><td>フォルダ１のみ存在</td></tr>\r\n"
            u"<tr><td>FORM3.TXT</td><td>未処理</td></tr>\r\n");
}

TEST(SummaryPage, SearchShowsOneFolderAndLinksOnlyMatches) {
  std::vector<FileEntry> files(2);
  files[0].name = u"A.TXT";
  files[0].status = FileStatus::Match;
  files[0].resultPath = u"/out/A.html";
  files[1].name = u"B.TXT";
  files[1].status = FileStatus::NoMatch;
  files[1].resultPath = u"/out/B.html";
  EXPECT_EQ(SummaryTableBody(u"S", u"/src/", u"", files),
            u"<tr><td colspan=\"3\">フォルダ:/src/</td></tr>\r\n"
            u"<tr><td colspan=\"3\">S</td></tr>\r\n"
            u"<tr><td>ファイル名</td><td>結果</td></tr>\r\n"
            u"<tr><td>A.TXT</td><td><a href=\"/out/A.html\">該当</a></td></tr>\r\n"
            u"<tr><td>B.TXT</td><td>該当しない</td></tr>\r\n");
}

TEST(SummaryPage, LinksEscapeMarkupAndUrlCharacters) {
  EXPECT_EQ(EscapeLinkTarget(u"/out/plain name.html"), u"/out/plain name.html");
  EXPECT_EQ(EscapeLinkTarget(u"/o&u\"t<1>/a#b%20.html"),
            u"/o&amp;u&quot;t&lt;1&gt;/a%23b%2520.html");
  std::vector<FileEntry> files(1);
  files[0].name = u"A#B.TXT";
  files[0].status = FileStatus::Different;
  files[0].resultPath = u"/o\"ut/A#B.html";
  const std::u16string body = SummaryTableBody(u"S", u"/1/", u"/2/", files);
  EXPECT_NE(body.find(u"<a href=\"/o&quot;ut/A%23B.html\">差異あり</a>"), std::u16string::npos);
}

TEST(SummaryPage, IsWrittenInCodePage932WithTheBorderedTable) {
  ScratchFolder scratch;
  const std::u16string page = scratch.Folder() + u"sum.html";
  std::vector<FileEntry> files(1);
  files[0].name = u"A.TXT";
  WriteSummaryPage(page, u"S", u"/1/", u"/2/", files);
  EXPECT_EQ(ScratchFolder::Read(page),
            "<HTML><TABLE border=\"1\" bordercolor=\"black\">\r\n"
            "<tr><td colspan=\"3\">\x83t\x83H\x83\x8b\x83_\x82P:/1/</td></tr>\r\n"
            "<tr><td colspan=\"3\">\x83t\x83H\x83\x8b\x83_\x82Q:/2/</td></tr>\r\n"
            "<tr><td colspan=\"3\">S</td></tr>\r\n"
            "<tr><td>\x83t\x83@\x83""C\x83\x8b\x96\xbc</td><td>\x8c\x8b\x89\xca</td></tr>\r\n"
            "<tr><td>A.TXT</td><td>\x96\xa2\x8f\x88\x97\x9d</td></tr>\r\n"
            "\r\n</TABLE></HTML>\r\n");
}

}  // namespace
}  // namespace tarnwick
