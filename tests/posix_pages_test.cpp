// Pages and the summary under what POSIX lets a test arrange: a full disk,
// symbolic links in a page's place, permissions to keep.
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "app/summary_page.h"
#include "base/error.h"
#include "classic/summary_table.h"
#include "classic_tables.h"
#include "diff_run_fixture.h"
#include "file_size_limit.h"
#include "files/paths.h"
#include "files/replace_file.h"
#include "pages/page_file.h"
#include "runs_fixture.h"
#include "sample_reports.h"
#include "test_platform.h"
#include "text/utf8.h"

namespace tarnwick {
namespace {

namespace fs = std::filesystem;

using testing::DiffRun;
using testing::FakeWindow;
using testing::FileSizeLimit;
using testing::Head;
using testing::kTail;
using testing::LinkedFile;
using testing::ScratchFolder;
using testing::SmallReport;
using testing::WritePage;

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
  EXPECT_EQ(ScratchFolder::Names(folder), std::vector<std::string>{"p.html"});
}

TEST(PageFile, AFolderMadeReadOnlyBeforeCommitNamesTheTemporaryFileLeft) {
  ScratchFolder scratch;
  const std::u16string folder = scratch.Folder(u"ro");
  const std::string native = NativePath(folder).native();
  // Root passes any permission: the writing is done by a child that is not.
  if (::geteuid() == 0) {
    ASSERT_EQ(::chown(native.c_str(), 65534, 65534), 0);
  }
  int pipeEnds[2];
  ASSERT_EQ(::pipe(pipeEnds), 0);
  const pid_t child = ::fork();
  if (child == 0) {
    if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(2);
    std::string description;
    try {
      FileReplacement page(folder + u"p.html");
      page.Write("new");
      ::chmod(native.c_str(), 0555);
      page.Commit();
    } catch (const Error& error) {
      description = ToUtf8(error.Description());
    }
    (void)!::write(pipeEnds[1], description.data(), description.size());
    ::_exit(0);
  }
  ::close(pipeEnds[1]);
  std::string description;
  char buffer[4096];
  for (ssize_t got; (got = ::read(pipeEnds[0], buffer, sizeof buffer)) > 0;) {
    description.append(buffer, static_cast<std::size_t>(got));
  }
  ::close(pipeEnds[0]);
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ::chmod(native.c_str(), 0755);
  ASSERT_EQ(WEXITSTATUS(status), 0);

  const std::vector<std::string> left = ScratchFolder::Names(folder);
  ASSERT_EQ(left.size(), 1u);
  EXPECT_TRUE(left[0].starts_with(".p.html.") && left[0].ends_with(".tmp")) << left[0];
  EXPECT_NE(description.find("一時ファイルを削除できませんでした: " + ToUtf8(folder) + left[0]),
            std::string::npos)
      << description;
}

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
  EXPECT_EQ(ScratchFolder::Names(scratch.Folder(u"out")),
            (std::vector<std::string>{"p.html", "q.html"}));
}

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

TEST(SummaryPage, ARewriteThatFailsLeavesTheLastGoodPageWhole) {
  ScratchFolder scratch;
  const std::u16string page = scratch.Folder() + u"sum.html";
  std::vector<FileEntry> files(5000);
  for (FileEntry& entry : files) entry.name = u"FORM.TXT";
  const Settings settings = BaseDefaults();
  WriteRunSummary(settings, page, u"S", u"/1/", u"/2/", files, {});
  const std::string good = ScratchFolder::Read(page);
  ASSERT_GT(good.size(), 200000u);

  files[0].status = FileStatus::Same;
  {
    FileSizeLimit limit(100000);
    EXPECT_THROW(WriteRunSummary(settings, page, u"S", u"/1/", u"/2/", files, {}), Error);
  }
  EXPECT_EQ(ScratchFolder::Read(page), good);
  EXPECT_EQ(ScratchFolder::Names(scratch.Folder()), std::vector<std::string>{"sum.html"});
}

TEST_F(DiffRun, AFullDiskStopsTheRunUnderTheWritingStageAndTearsNoPage) {
  scratch.WriteText(u"v1", u"a.txt", SmallReport(u"A", u"1"));
  scratch.WriteText(u"v2", u"a.txt", SmallReport(u"A", u"2"));
  scratch.WriteText(u"v1", u"b.txt", SmallReport(u"B", std::u16string(200000, u'x')));
  scratch.WriteText(u"v2", u"b.txt", SmallReport(u"B", u"short"));
  ASSERT_EQ(ExecDiff(settings, window), RunOutcome::Finished);
  const std::string oldPage = ScratchFolder::Read(Out(u"B.html"));

  scratch.WriteText(u"v2", u"b.txt", SmallReport(u"B", std::u16string(200000, u'y')));
  FakeWindow full;
  {
    FileSizeLimit limit(100000);
    EXPECT_EQ(ExecDiff(settings, full), RunOutcome::Failed);
  }
  ASSERT_EQ(full.messages.size(), 1u);
  EXPECT_EQ(full.messages[0].text.rfind(
                u"ファイル[" + Out(u"B.html") + u"]の出力中に、エラーが発生しました。\r\n", 0),
            0u)
      << ToUtf8(full.messages[0].text);
  EXPECT_EQ(ScratchFolder::Read(Out(u"B.html")), oldPage);
  EXPECT_EQ(Summary(), Head(settings.SRC_PATH1, settings.SRC_PATH2) +
                           u"<tr><td>A.TXT</td><td><a href=\"" + Out(u"A.html") +
                           u"\">差異あり</a></td></tr>\r\n"
                           u"<tr><td>B.TXT</td><td>未処理</td></tr>\r\n" +
                           std::u16string(kTail));
  EXPECT_EQ(ScratchFolder::Names(settings.OUTPUT_PATH),
            (std::vector<std::string>{"A.html", "B.html", "Result.html"}));
}

TEST_F(DiffRun, APageThatIsALinkIsReplacedAndWhatItPointsToKept) {
  scratch.WriteText(u"v1", u"a.txt", SmallReport(u"A", u"1"));
  scratch.WriteText(u"v2", u"a.txt", SmallReport(u"A", u"2"));
  const std::u16string target = scratch.Write(u"keep", u"notes.txt", "notes");
  std::filesystem::create_symlink(NativePath(target), NativePath(Out(u"A.html")));
  std::filesystem::create_symlink(NativePath(target), NativePath(Out(u"Result.html")));

  EXPECT_EQ(ExecDiff(settings, window), RunOutcome::Finished);
  EXPECT_EQ(ScratchFolder::Read(target), "notes");
  EXPECT_FALSE(std::filesystem::is_symlink(NativePath(Out(u"A.html"))));
  EXPECT_NE(ScratchFolder::ReadText(Out(u"A.html")).find(u"<HTML><TABLE>"), std::u16string::npos);
  EXPECT_NE(Summary().find(u"差異あり"), std::u16string::npos);
}

// "?" cannot be in a Windows file name, but a browser takes it for a query.
TEST_F(DiffRun, SummaryLinksEncodeAQuestionMarkInAName) {
  scratch.WriteText(u"v1", u"A?B.txt", SmallReport(u"F", u"1"));
  scratch.WriteText(u"v2", u"A?B.txt", SmallReport(u"F", u"2"));
  ASSERT_EQ(ExecDiff(settings, window), RunOutcome::Finished);
  EXPECT_EQ(SummaryLinks(), std::vector<std::u16string>{Out(u"A%3FB.html")});
  EXPECT_TRUE(ScratchFolder::Exists(LinkedFile(Out(u"A%3FB.html"))));
}

// Names a browser would mangle in a link: its whitespace, a backslash, and
// the bytes that are single characters in the code page but not in a
// browser's Shift_JIS.
TEST_F(DiffRun, SummaryLinksLeadToPagesOfNamesABrowserWouldMangle) {
  const std::string names[] = {
      "a\tb", "a\nb", "a\rb", "a\\b", "a\xA0", "a\xFD", "a\xFE", "a\xFF", "\xA0\xFD\xFE\xFF"};
  for (const std::string& name : names) {
    for (const std::u16string& folder : {settings.SRC_PATH1, settings.SRC_PATH2}) {
      std::ofstream(NativePath(folder).native() + name + ".txt", std::ios::binary)
          << EncodeCp932(SmallReport(u"F", folder));
    }
  }
  ASSERT_EQ(ExecDiff(settings, window), RunOutcome::Finished);
  const std::vector<std::u16string> links = SummaryLinks();
  ASSERT_EQ(links.size(), std::size(names));
  for (const std::u16string& link : links) {
    EXPECT_TRUE(ScratchFolder::Exists(LinkedFile(link))) << ToUtf8(link);
  }
  // An ordinary name's link keeps its bytes.
  EXPECT_EQ(EscapeLinkTarget(u"/out/注文 A_1.html"), u"/out/注文 A_1.html");
}

}  // namespace
}  // namespace tarnwick
