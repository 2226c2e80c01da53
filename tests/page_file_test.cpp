#include "pages/page_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>

#include "base/error.h"
#ifndef _WIN32
#include "file_size_limit.h"  // a full disk, as POSIX lets a test make one
#endif
#include "runs_fixture.h"
#include "text/utf8.h"

namespace tarnwick {
namespace {

#ifndef _WIN32
using testing::FileSizeLimit;
#endif
using testing::ScratchFolder;

// The names in a folder, hidden ones included.
std::vector<std::string> Names(const std::u16string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(NativePath(folder))) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

TEST(PageFile, ThreeLinesInCodePage932WithCrLf) {
  ScratchFolder scratch;
  const std::u16string path = scratch.Folder() + u"p.html";
  WritePage(path, kComparisonPageHead, u"<tr><td>～①ｱ</td></tr>\r\n");
  EXPECT_EQ(ScratchFolder::Read(path),
            "<HTML><TABLE>\r\n<tr><td>\x81\x60\x87\x40\xb1</td></tr>\r\n\r\n</TABLE></HTML>\r\n");
  EXPECT_EQ(ScratchFolder::Read(path),
            PageBytes(kComparisonPageHead, u"<tr><td>～①ｱ</td></tr>\r\n"));
  // An empty table body still gives its own (empty) line.
  WritePage(path, kSummaryPageHead, u"");
  EXPECT_EQ(ScratchFolder::Read(path),
            "<HTML><TABLE border=\"1\" bordercolor=\"black\">\r\n\r\n</TABLE></HTML>\r\n");
  EXPECT_EQ(Names(scratch.Folder()), std::vector<std::string>{"p.html"});
}

// A table of `rows` rows of varied cells, built into `table`.
void BuildTable(HTMLTblCls& table, int rows, std::uint32_t seed) {
  std::mt19937 random(seed);
  const std::u16string alphabet = u"a \t&<>\"\r\nア①～\U0002000B";
  for (int row = 0; row < rows; ++row) {
    table.StartRow();
    if (random() % 7 == 0) continue;  // a row without cells
    std::u16string text;
    const auto length = random() % (random() % 50 == 0 ? 300000 : 40);
    for (std::size_t k = 0; k < length; ++k) text += alphabet[random() % alphabet.size()];
    table.AddCell(text, random() % 2 ? u"" : u"bgcolor=\"cyan\"");
    if (random() % 3 == 0) table.AddLinkCell(u"x y", u"", u"a.html");
  }
}

TEST(PageFile, AStreamedTableGivesTheBytesOfTheWholeTable) {
  ScratchFolder scratch;
  for (const PageEncoding encoding : {PageEncoding::kCp932, PageEncoding::kUtf8}) {
    const std::u16string path = scratch.Folder() + u"big.html";
    TablePage page(path, kComparisonPageHead, encoding);
    BuildTable(page.Table(), 400, 5);
    page.Commit();

    HTMLTblCls whole;
    BuildTable(whole, 400, 5);
    const std::u16string text = u"<HTML><TABLE>\r\n" + whole.sStr() + u"\r\n</TABLE></HTML>\r\n";
    ASSERT_GT(text.size(), 4 * kTableChunk);
    // Surrogate pairs cut between pieces are written whole in UTF-8.
    EXPECT_TRUE(ScratchFolder::Read(path) ==
                (encoding == PageEncoding::kCp932 ? EncodeCp932(text) : ToUtf8(text)));
  }
}

TEST(PageFile, APageReplacedMidWayStaysWholeAndLeavesNoTemporaryFile) {
  ScratchFolder scratch;
  const std::u16string folder = scratch.Folder();
  const std::u16string path = scratch.Write(u"", u"p.html", "old page");
  {
    PageWriter abandoned(path);
    abandoned.Write(std::u16string(600000, u'x'));  // some of it reached the disk
    EXPECT_EQ(Names(folder).size(), 2u);            // the page and the temporary file
    EXPECT_EQ(ScratchFolder::Read(path), "old page");
  }
  EXPECT_EQ(ScratchFolder::Read(path), "old page");
  EXPECT_EQ(Names(folder), std::vector<std::string>{"p.html"});
}

#ifndef _WIN32  // POSIX file limits, links and permissions
TEST(PageFile, AFullDiskLeavesTheOldPageWholeAndFailsAtCommit) {
  ScratchFolder scratch;
  const std::u16string folder = scratch.Folder();
  const std::u16string path = scratch.Write(u"", u"p.html", "old page");
  PageWriter writer(path);
  {
    FileSizeLimit limit(100000);
    // The write fails inside; the error waits for Commit.
    EXPECT_NO_THROW(writer.Write(std::u16string(400000, u'x')));
    try {
      writer.Commit();
      ADD_FAILURE() << "a failed write must fail the page";
    } catch (const Error& error) {
      EXPECT_EQ(error.Number(), kFileErrorNumber);
      EXPECT_NE(error.Description().find(path), std::u16string::npos);
    }
  }
  EXPECT_EQ(ScratchFolder::Read(path), "old page");
  EXPECT_EQ(Names(folder), std::vector<std::string>{"p.html"});
}
#endif

TEST(PageFile, AFolderThatCannotTakeThePageFailsAtCommit) {
  ScratchFolder scratch;
  PageWriter nowhere(scratch.Folder() + u"no/such/folder.html");
  nowhere.Write(u"text");
  EXPECT_THROW(nowhere.Commit(), Error);

  // A folder in the page's place is left alone.
  const std::u16string folder = scratch.Folder(u"dir.html");
  PageWriter ontoFolder(scratch.Folder() + u"dir.html");
  ontoFolder.Write(u"text");
  EXPECT_THROW(ontoFolder.Commit(), Error);
  EXPECT_TRUE(std::filesystem::is_directory(NativePath(folder)));
  EXPECT_EQ(Names(scratch.Folder()), std::vector<std::string>{"dir.html"});
}

#ifndef _WIN32  // POSIX file limits, links and permissions
TEST(PageFile, ALinkInThePagesPlaceIsReplacedAndItsTargetUntouched) {
  ScratchFolder scratch;
  const std::u16string target = scratch.Write(u"elsewhere", u"precious.txt", "precious");
  const std::u16string link = scratch.Folder(u"out") + u"p.html";
  std::filesystem::create_symlink(NativePath(target), NativePath(link));

  WritePage(link, kComparisonPageHead, u"");
  EXPECT_EQ(ScratchFolder::Read(target), "precious");
  EXPECT_FALSE(std::filesystem::is_symlink(NativePath(link)));
  EXPECT_EQ(ScratchFolder::Read(link), "<HTML><TABLE>\r\n\r\n</TABLE></HTML>\r\n");

  // A dangling link is replaced as well, and nothing is created where it pointed.
  const std::u16string dangling = scratch.Folder(u"out") + u"q.html";
  const std::u16string nowhere = scratch.Folder(u"elsewhere") + u"missing.txt";
  std::filesystem::create_symlink(NativePath(nowhere), NativePath(dangling));
  WritePage(dangling, kComparisonPageHead, u"");
  EXPECT_FALSE(ScratchFolder::Exists(nowhere));
  EXPECT_EQ(Names(scratch.Folder(u"out")), (std::vector<std::string>{"p.html", "q.html"}));
}
#endif

#ifndef _WIN32  // POSIX file limits, links and permissions
TEST(PageFile, AReplacedPageKeepsItsPermissions) {
  ScratchFolder scratch;
  const std::u16string path = scratch.Write(u"", u"p.html", "old");
  namespace fs = std::filesystem;
  fs::permissions(NativePath(path),
                  fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  WritePage(path, kComparisonPageHead, u"");
  EXPECT_EQ(fs::status(NativePath(path)).permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}
#endif

}  // namespace
}  // namespace tarnwick
