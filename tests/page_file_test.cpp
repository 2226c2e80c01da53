#include "pages/page_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <memory>
#include <random>

#include "base/error.h"
#include "classic_tables.h"
#include "files/replace_file.h"
#include "runs_fixture.h"
#include "text/utf8.h"

namespace tarnwick {
namespace {

using testing::PageBytes;
using testing::ScratchFolder;
using testing::WritePage;
namespace fs = std::filesystem;

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
  EXPECT_EQ(ScratchFolder::Names(scratch.Folder()), std::vector<std::string>{"p.html"});
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

// A classic page's bytes: code page 932, a character reference for what it
// cannot hold.
std::string Cp932Html(std::u16string_view text) {
  RawBuffer<char> bytes;
  AppendCp932Html(text, bytes);
  return std::string(bytes.View());
}

TEST(PageFile, AStreamedTableGivesTheBytesOfTheWholeTable) {
  ScratchFolder scratch;
  for (const PageEncoding encoding : {PageEncoding::kCp932, PageEncoding::kUtf8}) {
    const std::u16string path = scratch.Folder() + u"big.html";
    PageWriter page(path, encoding);
    WritePageHead(page, kComparisonPageHead);
    HTMLTblCls streamed(page);
    BuildTable(streamed, 400, 5);
    streamed.Finish();
    WritePageTail(page);
    page.Commit();

    HTMLTblCls whole;
    BuildTable(whole, 400, 5);
    const std::u16string text = u"<HTML><TABLE>\r\n" + whole.sStr() + u"\r\n</TABLE></HTML>\r\n";
    ASSERT_GT(text.size(), 4 * kTableChunk);
    // Surrogate pairs cut between pieces are written whole in either encoding.
    EXPECT_TRUE(ScratchFolder::Read(path) ==
                (encoding == PageEncoding::kCp932 ? Cp932Html(text) : ToUtf8(text)));
  }
}

TEST(PageFile, APageReplacedMidWayStaysWholeAndLeavesNoTemporaryFile) {
  ScratchFolder scratch;
  const std::u16string folder = scratch.Folder();
  const std::u16string path = scratch.Write(u"", u"p.html", "old page");
  {
    PageWriter abandoned(path);
    abandoned.Write(std::u16string(600000, u'x'));       // some of it reached the disk
    EXPECT_EQ(ScratchFolder::Names(folder).size(), 2u);  // the page and the temporary file
    EXPECT_EQ(ScratchFolder::Read(path), "old page");
  }
  EXPECT_EQ(ScratchFolder::Read(path), "old page");
  EXPECT_EQ(ScratchFolder::Names(folder), std::vector<std::string>{"p.html"});
}

TEST(PageFile, ASpoolPlacesItsTextAfterWhatWasWrittenLaterAndLeavesNothingBehind) {
  ScratchFolder scratch;
  const std::u16string path = scratch.Folder() + u"spooled.html";
  // Past the spool's memory, so that most of the body goes through the
  // scratch file; a surrogate pair is cut between two pieces.
  std::u16string body;
  for (int i = 0; body.size() < 6'000'000; ++i) body += u"<p>行 " + std::u16string(i % 50, u'x');
  body += u"\U0002000B";
  for (const PageEncoding encoding : {PageEncoding::kCp932, PageEncoding::kUtf8}) {
    PageWriter page(path, encoding);
    page.Write(u"<html>");
    std::unique_ptr<TextSpool> spool = page.Spool();
    for (std::size_t at = 0; at < body.size(); at += 70001) {
      spool->Write(std::u16string_view(body).substr(at, 70001));
    }
    page.Write(u"<head>");
    spool->Place();
    spool->Write(u"tail");  // a spool takes more after it was placed
    spool->Place();
    page.Write(u"</html>");
    // While it is written, the folder shows the page's temporary file only;
    // on Windows the scratch file too, which goes when it is closed.
    const std::vector<std::string> names = ScratchFolder::Names(scratch.Folder());
    EXPECT_EQ(std::count_if(names.begin(), names.end(),
                            [](const std::string& name) { return name != "spooled.html"; }),
              NativeSeparator() == u'\\' ? 2 : 1);
    page.Commit();
    const std::u16string text = u"<html><head>" + body + u"tail</html>";
    EXPECT_TRUE(ScratchFolder::Read(path) ==
                (encoding == PageEncoding::kCp932 ? Cp932Html(text) : ToUtf8(text)));
  }
  EXPECT_EQ(ScratchFolder::Names(scratch.Folder()), std::vector<std::string>{"spooled.html"});
}

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
  EXPECT_EQ(ScratchFolder::Names(scratch.Folder()), std::vector<std::string>{"dir.html"});
}

TEST(PageFile, StaleTemporaryFilesOfTheGivenPagesGoAndLivingOnesStay) {
  ScratchFolder scratch;
  const std::u16string folder = scratch.Folder();
  const auto old = [&](const char16_t* name) {
    const std::u16string path = scratch.Write(u"", name, "left");
    const fs::path native = NativePath(path);
    fs::last_write_time(native, fs::last_write_time(native) - std::chrono::minutes(5));
    return path;
  };
  old(u".index.html.0123abcd.tmp");      // a killed run's summary
  old(u".FORM1.html.89abcdef.tmp");      // and one of its pages
  old(u".OTHER.html.0123abcd.tmp");      // another page's: not this run's
  old(u".index.html.0123abcd.tmp.bak");  // not the pattern
  old(u".index.html.0123abcg.tmp");      // not the pattern
  old(u"index.html.0123abcd.tmp");       // not hidden
  // A living writer's file, however old, is held.
  FileReplacement living(folder + u"FORM2.html");
  std::vector<std::string> before = ScratchFolder::Names(folder);
  std::string livingName;
  for (const std::string& name : before) {
    if (name.starts_with(".FORM2.html.")) livingName = name;
  }
  ASSERT_FALSE(livingName.empty());
  const fs::path livingPath = NativePath(folder) / livingName;
  // Where the writer holds it unshared (Windows), it cannot even be aged.
  std::error_code unshared;
  fs::last_write_time(livingPath, fs::last_write_time(livingPath) - std::chrono::minutes(5),
                      unshared);

  RemoveStaleReplacements({folder + u"index.html", folder + u"FORM1.html", folder + u"FORM2.html"});
  std::vector<std::string> expected = {".OTHER.html.0123abcd.tmp", ".index.html.0123abcg.tmp",
                                       ".index.html.0123abcd.tmp.bak", "index.html.0123abcd.tmp",
                                       livingName};
  std::sort(expected.begin(), expected.end());
  std::vector<std::string> after = ScratchFolder::Names(folder);
  std::sort(after.begin(), after.end());
  EXPECT_EQ(after, expected);
}

}  // namespace
}  // namespace tarnwick
