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
  std::vector<FileEntry> files, setAside;
  CollectFiles(scratch.Folder(u"1"), u"*.txt", ListSide::First, files, setAside);
  CollectFiles(scratch.Folder(u"2"), u"*.txt", ListSide::Second, files, setAside);
  SortFiles(files);

  ASSERT_EQ(Names(files), (std::vector<std::u16string>{u"A.TXT", u"B.TXT", u"C.TXT"}));
  EXPECT_TRUE(files[0].in1 && !files[0].in2);
  EXPECT_TRUE(files[1].in1 && files[1].in2);
  EXPECT_TRUE(!files[2].in1 && files[2].in2);
  // Each side opens the name it listed.
  EXPECT_EQ(files[1].listed1.text, u"b.txt");
  EXPECT_EQ(files[1].listed2.text, u"B.TXT");
  EXPECT_EQ(files[0].listed2.text, u"");
  for (const auto& entry : files) EXPECT_EQ(entry.status, FileStatus::Unprocessed);
}

TEST(CollectFiles, PatternListSkipsEmptyPartsAndListsEachFileOnce) {
  ScratchFolder scratch;
  scratch.Write(u"", u"a1.txt", "");
  scratch.Write(u"", u"b.txt", "");
  scratch.Write(u"", u"a.old", "");
  std::vector<FileEntry> files, setAside;
  CollectFiles(scratch.Folder(), u";*.txt;;a*.txt;", ListSide::First, files, setAside);
  EXPECT_EQ(Names(files), (std::vector<std::u16string>{u"A1.TXT", u"B.TXT"}));
  // Parts are not trimmed: " *.old" asks for a name starting with a blank.
  CollectFiles(scratch.Folder(), u" *.old", ListSide::First, files, setAside);
  EXPECT_EQ(files.size(), 2u);
  EXPECT_TRUE(setAside.empty());
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

}  // namespace
}  // namespace tarnwick
