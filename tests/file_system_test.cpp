#include "files/file_system.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "base/error.h"
#include "files/paths.h"
#include "runs_fixture.h"
#include "test_platform.h"

namespace tarnwick {
namespace {

using testing::ScratchFolder;

TEST(FilePattern, StarAndQuestionMarkMatchIgnoringCase) {
  EXPECT_TRUE(MatchFilePattern(u"*.txt", u"FORM1.TXT"));
  EXPECT_TRUE(MatchFilePattern(u"form?.txt", u"FORM1.TXT"));
  EXPECT_FALSE(MatchFilePattern(u"form?.txt", u"FORM10.TXT"));
  EXPECT_TRUE(MatchFilePattern(u"*", u"anything"));
  EXPECT_TRUE(MatchFilePattern(u"a*b*c", u"aXbYbc"));
  EXPECT_FALSE(MatchFilePattern(u"a*b*c", u"aXbYbcd"));
  EXPECT_TRUE(MatchFilePattern(u"ｆｏｒｍ*", u"ＦＯＲＭ１.TXT"));  // full-width letters fold too
}

TEST(FilePattern, StarDotStarNeedsADot) {
  EXPECT_FALSE(MatchFilePattern(u"*.*", u"README"));
  EXPECT_TRUE(MatchFilePattern(u"*.*", u"README."));
  EXPECT_TRUE(MatchFilePattern(u"*.*", u"a.b.c"));
  EXPECT_FALSE(MatchFilePattern(u"?", u""));
  EXPECT_TRUE(MatchFilePattern(u"*", u""));
}

TEST(FilePattern, LongNamesAgainstManyStarsStayFast) {
  const std::u16string name(20000, u'a');
  EXPECT_FALSE(MatchFilePattern(u"*a*a*a*a*a*a*b*", name));
}

// The texts of the listed names.
std::vector<std::u16string> ListedTexts(std::u16string_view folder, std::u16string_view pattern) {
  std::vector<std::u16string> texts;
  for (const FilePath& name : ListPlainFiles(folder, pattern)) texts.push_back(name.text);
  return texts;
}

TEST(ListPlainFiles, ListsMatchingRegularVisibleFilesInOrdinalOrder) {
  ScratchFolder scratch;
  const std::u16string folder = scratch.Folder(u"src");
  scratch.Write(u"src", u"b.txt", "b");
  scratch.Write(u"src", u"A.TXT", "a");
  scratch.Write(u"src", u"c.old", "c");
  testing::HideFile(scratch.Write(u"src", u".hidden.txt", "h"));
  scratch.Folder(u"src/dir.txt");

  EXPECT_EQ(ListedTexts(folder, u"*.txt"), (std::vector<std::u16string>{u"A.TXT", u"b.txt"}));
  EXPECT_EQ(ListedTexts(folder, u"B.TXT"), (std::vector<std::u16string>{u"b.txt"}));
  EXPECT_TRUE(ListPlainFiles(folder, u"*/x").empty());  // a separator matches nothing
  EXPECT_TRUE(ListPlainFiles(folder, u"nothing*").empty());
}

TEST(ListPlainFiles, AMissingFolderIsAnError) {
  ScratchFolder scratch;
  EXPECT_THROW(ListPlainFiles(scratch.Folder() + u"gone/", u"*"), Error);
}

TEST(FileKinds, FoldersPlainFilesAndHiddenFiles) {
  ScratchFolder scratch;
  const std::u16string plain = scratch.Write(u"", u"form.txt", "x");
  EXPECT_TRUE(IsFolder(scratch.Folder()));
  EXPECT_FALSE(IsFolder(plain));
  EXPECT_FALSE(IsFolder(u""));
  EXPECT_TRUE(IsPlainFile(plain));
  EXPECT_FALSE(IsPlainFile(scratch.Folder()));
  EXPECT_FALSE(IsPlainFile(scratch.Folder() + u"missing.txt"));
}

TEST(FileKinds, OneFileHasOneIdentityHoweverSpelled) {
  ScratchFolder scratch;
  const std::u16string path = scratch.Write(u"a", u"f.txt", "x");
  scratch.Folder(u"b");
  const auto id = FileIdOf(path);
  ASSERT_TRUE(id.has_value());
  const std::u16string sep(1, NativeSeparator());
  EXPECT_EQ(FileIdOf(scratch.Folder(u"b") + u".." + sep + u"a" + sep + u"f.txt"), id);
  EXPECT_NE(FileIdOf(scratch.Write(u"a", u"g.txt", "x")), id);
  EXPECT_FALSE(FileIdOf(scratch.Folder() + u"missing").has_value());
}

}  // namespace
}  // namespace tarnwick
