#include "app/drops.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "files/file_io.h"
#include "files/paths.h"

namespace tarnwick {
namespace {

namespace fs = std::filesystem;

// Two real folders A and B (A holding x.txt, y.txt and README), and a
// read-only hidden folder .locked.
class DropsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() /
            ("tarnwick_drops_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(root_);
    fs::create_directories(root_ / "A");
    fs::create_directories(root_ / "B");
    fs::create_directories(root_ / ".locked");
    for (const char* name : {"A/x.txt", "A/y.txt", "A/README", "B/y.txt", ".locked/z.txt"}) {
      std::ofstream(root_ / name) << "x";
    }
    fs::permissions(root_ / ".locked", fs::perms::owner_read | fs::perms::owner_exec);
  }
  void TearDown() override {
    fs::permissions(root_ / ".locked", fs::perms::owner_all);
    fs::remove_all(root_);
  }

  // "/" in `relative` separates folders on every platform.
  FilePath P(const char* relative) const {
    return FilePathOf(PathText((root_ / relative).make_preferred()));
  }
  std::u16string Dir(const char* relative) const { return P(relative).text + NativeSeparator(); }

  fs::path root_;
};

TEST_F(DropsTest, FolderBoxTakesTheFirstFolderOrTheFolderOfAFile) {
  EXPECT_EQ(DropOnFolderBox({P("A")}), Dir("A"));
  EXPECT_EQ(DropOnFolderBox({FilePathOf(Dir("A"))}), Dir("A"));  // no second separator
  EXPECT_EQ(DropOnFolderBox({P("A/x.txt")}), Dir("A"));
  EXPECT_EQ(DropOnFolderBox({P("B/y.txt"), P("A")}), Dir("B"));
  // A read-only hidden directory is still a folder.
  EXPECT_EQ(DropOnFolderBox({P(".locked")}), Dir(".locked"));
  // Nothing happens for an empty first path, a vanished path or no path.
  EXPECT_EQ(DropOnFolderBox({FilePath{}, P("A")}), std::nullopt);
  EXPECT_EQ(DropOnFolderBox({P("A/gone.txt")}), std::nullopt);
  EXPECT_EQ(DropOnFolderBox({}), std::nullopt);
}

TEST_F(DropsTest, FileBoxTakesFilesOfOneFolderJoinedBySemicolons) {
  const FileBoxTexts result = DropOnFileBox({P("A/x.txt"), P("A/y.txt")}, {u"old/", u"old.txt"});
  EXPECT_EQ(result.folder, Dir("A"));
  EXPECT_EQ(result.files, u"x.txt;y.txt");
  EXPECT_FALSE(result.otherFolder);

  // A name without extension gets no trailing dot; empty paths are skipped.
  const FileBoxTexts bare = DropOnFileBox({FilePath{}, P("A/README")}, {u"", u""});
  EXPECT_EQ(bare.folder, Dir("A"));
  EXPECT_EQ(bare.files, u"README");

  // A file in a read-only hidden folder is accepted like any other.
  EXPECT_EQ(DropOnFileBox({P(".locked/z.txt")}, {}).files, u"z.txt");
}

TEST_F(DropsTest, FileBoxStopsAtAFileOfAnotherFolder) {
  const FileBoxTexts result =
      DropOnFileBox({P("A/x.txt"), P("B/y.txt"), P("A/y.txt")}, {u"", u"old.txt"});
  EXPECT_EQ(result.folder, Dir("A"));
  EXPECT_EQ(result.files, u"x.txt");
  EXPECT_TRUE(result.otherFolder);
}

TEST_F(DropsTest, AFolderFirstMakesTheFilesAppendToTheCurrentBoxes) {
  const FileBoxTexts result = DropOnFileBox({P("B"), P("A/x.txt")}, {Dir("A"), u"old.txt"});
  EXPECT_EQ(result.folder, Dir("A"));
  EXPECT_EQ(result.files, u"old.txt;x.txt");
  EXPECT_FALSE(result.otherFolder);

  // ... and compare against the folder box as it stands.
  const FileBoxTexts other = DropOnFileBox({P("B"), P("A/x.txt")}, {Dir("B"), u"old.txt"});
  EXPECT_EQ(other.files, u"old.txt");
  EXPECT_TRUE(other.otherFolder);
}

TEST_F(DropsTest, AVanishedPathEndsTheDropSilently) {
  const FileBoxTexts result =
      DropOnFileBox({P("A/x.txt"), P("A/gone.txt"), P("A/y.txt")}, {u"", u""});
  EXPECT_EQ(result.folder, Dir("A"));
  EXPECT_EQ(result.files, u"x.txt");
  EXPECT_FALSE(result.otherFolder);
}

TEST(Drops, WindowsPathsWithAStandInFileSystem) {
  const auto W = [](std::u16string_view text) { return FilePathOf(text); };
  // C:\A and C:\B are folders holding x.txt and y.txt; C:\C is a plain file.
  const PathKindQuery query = [](const FilePath& asked) {
    const std::u16string_view path = asked.text;
    for (std::u16string_view folder : {u"C:\\A", u"C:\\A\\", u"C:\\B", u"C:\\B\\"}) {
      if (path == folder) return PathKind::Folder;
    }
    for (std::u16string_view file :
         {u"C:\\A\\x.txt", u"C:\\A\\y.txt", u"C:\\B\\y.txt", u"C:\\C\\", u"C:\\C\\f.txt"}) {
      if (path == file) return PathKind::File;
    }
    return PathKind::Missing;
  };
  constexpr PathFlavour windows = PathFlavour::Windows;

  EXPECT_EQ(DropOnFolderBox({W(u"C:\\A")}, query, windows), u"C:\\A\\");
  EXPECT_EQ(DropOnFolderBox({W(u"C:\\A\\x.txt")}, query, windows), u"C:\\A\\");

  const FileBoxTexts same =
      DropOnFileBox({W(u"C:\\A\\x.txt"), W(u"C:\\A\\y.txt")}, {}, query, windows);
  EXPECT_EQ(same.folder, u"C:\\A\\");
  EXPECT_EQ(same.files, u"x.txt;y.txt");

  const FileBoxTexts mixed =
      DropOnFileBox({W(u"C:\\A\\x.txt"), W(u"C:\\B\\y.txt")}, {}, query, windows);
  EXPECT_EQ(mixed.files, u"x.txt");
  EXPECT_TRUE(mixed.otherFolder);

  const FileBoxTexts appended =
      DropOnFileBox({W(u"C:\\B"), W(u"C:\\A\\x.txt")}, {u"C:\\A\\", u"old.txt"}, query, windows);
  EXPECT_EQ(appended.files, u"old.txt;x.txt");

  // A file whose folder part is not a folder is skipped; later files append.
  const FileBoxTexts skipped = DropOnFileBox({W(u"C:\\C\\f.txt"), W(u"C:\\A\\x.txt")},
                                             {u"C:\\A\\", u"old.txt"}, query, windows);
  EXPECT_EQ(skipped.folder, u"C:\\A\\");
  EXPECT_EQ(skipped.files, u"old.txt;x.txt");
}

}  // namespace
}  // namespace tarnwick
