// Hostile surroundings that only POSIX has: file names that are bytes and
// no text, FIFOs and devices where a report should be, a full device as
// standard output, and a memory limit.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <utility>

#include "app/file_list.h"
#include "app/runs.h"
#include "app/settings.h"
#include "base/error.h"
#include "cli_runner.h"
#include "diff_run_fixture.h"
#include "fake_window.h"
#include "files/file_io.h"
#include "files/file_system.h"
#include "pages/page_names.h"
#include "runs_fixture.h"
#include "sample_reports.h"
#include "text/utf8.h"

namespace tarnwick {
namespace {

using testing::FakeWindow;
using testing::RunCli;
using testing::ScratchFolder;
using testing::ShownMessage;
using testing::SmallReport;

// "帳票.txt" in code page 932, as unzipping a Japanese archive leaves it.
const std::string kShiftJisName = "\x92\xA0\x95\x5B.txt";

// Writes `bytes` to a file whose name is `name` byte for byte.
void WriteRaw(std::u16string_view folder, const std::string& name, std::string_view bytes) {
  std::ofstream(NativePath(folder).native() + name, std::ios::binary) << bytes;
}

std::u16string Description(const auto& action) {
  try {
    action();
  } catch (const Error& e) {
    return e.Description();
  }
  return u"(no error)";
}

TEST(RawFileNames, ShowAsUtf8ElseCodePage932ElseWithReplacement) {
  EXPECT_EQ(PathText(std::filesystem::path("帳票.txt")), u"帳票.txt");
  EXPECT_EQ(PathText(std::filesystem::path(kShiftJisName)), u"帳票.txt");
  EXPECT_EQ(PathText(std::filesystem::path("/data/\x83\x74\x83\x48\x81\x5B\x83\x80")),
            u"/data/フォーム");
  // A lead byte without its trail byte is neither.
  EXPECT_EQ(PathText(std::filesystem::path("a\x81")), u"a\uFFFD");
  // Name by name, so that a UTF-8 folder and a Shift_JIS name both show.
  EXPECT_EQ(PathText(std::filesystem::path("/データ/" + kShiftJisName)), u"/データ/帳票.txt");
  EXPECT_EQ(PathText(std::filesystem::path("/データ/a\x81/" + kShiftJisName)),
            u"/データ/a\uFFFD/帳票.txt");
}

TEST(RawFileNames, AListedNameOpensByItsBytes) {
  ScratchFolder scratch;
  const std::u16string folder = scratch.Folder(u"src");
  WriteRaw(folder, kShiftJisName, "report");
  const std::vector<FilePath> listed = ListPlainFiles(folder, u"帳*.TXT");
  ASSERT_EQ(listed.size(), 1u);
  EXPECT_EQ(listed[0].text, u"帳票.txt");
  EXPECT_EQ(listed[0].native.native(), kShiftJisName);
  const FilePath path = FilePathIn(folder, listed[0]);
  EXPECT_EQ(path.text, folder + u"帳票.txt");
  RawBuffer<char> bytes;
  ReadFileBytes(path, bytes);
  EXPECT_EQ(bytes.View(), "report");
}

TEST(RawFileNames, FolderComparisonAndSearchShowDecodedNamesAndGoOn) {
  ScratchFolder scratch;
  Settings settings = FolderComparisonIn(scratch);
  WriteRaw(settings.SRC_PATH1, kShiftJisName, EncodeCp932(SmallReport(u"F", u"旧")));
  WriteRaw(settings.SRC_PATH2, kShiftJisName, EncodeCp932(SmallReport(u"F", u"新")));
  scratch.WriteText(u"v1", u"z.txt", SmallReport(u"Z", u"x"));
  scratch.WriteText(u"v2", u"z.txt", SmallReport(u"Z", u"x"));

  FakeWindow window;
  EXPECT_EQ(ExecDiff(settings, window), RunOutcome::Finished);
  EXPECT_EQ(window.messages,
            (std::vector<ShownMessage>{{u"終了しました。", MessageIcon::Information}}));
  const std::u16string page = settings.OUTPUT_PATH + u"帳票.html";
  const std::u16string summary = ScratchFolder::ReadText(settings.OUTPUT_PATH + u"Result.html");
  EXPECT_NE(summary.find(u"<tr><td>帳票.TXT</td><td><a href=\"" + page + u"\">差異あり</a>"),
            std::u16string::npos);
  EXPECT_NE(summary.find(u"<tr><td>Z.TXT</td><td>一致</td></tr>"), std::u16string::npos);
  // The heading shows the decoded path of each side.
  const std::u16string compared = ScratchFolder::ReadText(page);
  EXPECT_NE(compared.find(settings.SRC_PATH1 + u"帳票.txt"), std::u16string::npos);
  EXPECT_NE(compared.find(settings.SRC_PATH2 + u"帳票.txt"), std::u16string::npos);
  EXPECT_NE(compared.find(u"新"), std::u16string::npos);

  settings.SRC_PATH = settings.SRC_PATH2;
  settings.SRC_FILE = u"*.txt";
  settings.SEARCH_STRING1 = u"新";
  FakeWindow searching;
  searching.overwriteAnswer = true;  // the comparison's pages stand where its pages go
  EXPECT_EQ(ExecSearch(settings, searching), RunOutcome::Finished);
  EXPECT_EQ(searching.statusTexts.back(), u"2/2:帳票.TXT");
  const std::u16string found = ScratchFolder::ReadText(settings.OUTPUT_PATH + u"Result.html");
  EXPECT_NE(found.find(u"<tr><td>帳票.TXT</td><td><a href=\"" + page + u"\">該当</a>"),
            std::u16string::npos);
}

// Names near the 255 bytes a file name may have, and Shift_JIS names that
// grow by half as UTF-8: their pages are cut before a hash of the whole name
// instead of stopping the run with the system's English words.
TEST(LongNames, PagesTooLongForAFileAreShortenedAndLinkedInEveryRun) {
  ScratchFolder scratch;
  Settings settings = FolderComparisonIn(scratch);
  const std::u16string ascii = std::u16string(251, u'A') + u".txt";  // 255 bytes
  std::string shiftJis;
  for (int i = 0; i < 120; ++i) shiftJis += "\x92\xA0";  // "帳", 360 bytes as UTF-8
  shiftJis += ".txt";
  for (const auto& [folder, title] :
       {std::pair{settings.SRC_PATH1, u"1"}, {settings.SRC_PATH2, u"2"}}) {
    WriteRaw(folder, ToUtf8(ascii), EncodeCp932(SmallReport(u"F", title)));
    WriteRaw(folder, shiftJis, EncodeCp932(SmallReport(u"F", title)));
  }
  const std::vector<std::u16string> pages = {
      settings.OUTPUT_PATH + std::u16string(241, u'A') + u"~543E134A.html",
      settings.OUTPUT_PATH + std::u16string(80, u'帳') + u"~70EA603D.html"};

  FakeWindow window;
  EXPECT_EQ(ExecDiff(settings, window), RunOutcome::Finished);
  EXPECT_EQ(window.messages,
            (std::vector<ShownMessage>{{u"終了しました。", MessageIcon::Information}}));
  const std::u16string summary = ScratchFolder::ReadText(settings.OUTPUT_PATH + u"Result.html");
  for (const std::u16string& page : pages) {
    EXPECT_NE(summary.find(u"<a href=\"" + page + u"\">差異あり</a>"), std::u16string::npos)
        << ToUtf8(summary);
    EXPECT_NE(ScratchFolder::ReadText(page).find(u"<HTML><TABLE>"), std::u16string::npos);
  }

  settings.SRC_PATH = settings.SRC_PATH2;
  settings.SRC_FILE = u"*.txt";
  settings.SEARCH_STRING1 = u"2";
  FakeWindow searching;
  searching.overwriteAnswer = true;  // the comparison's pages stand where its pages go
  EXPECT_EQ(ExecSearch(settings, searching), RunOutcome::Finished);
  for (const std::u16string& page : pages) EXPECT_TRUE(ScratchFolder::Exists(page));

  // A summary name chosen too long is the user's: refused, in Japanese.
  settings.OUTPUT_FILE = std::u16string(300, u'R');
  FakeWindow refused;
  refused.overwriteAnswer = true;  // over the search's pages
  EXPECT_EQ(ExecDiff(settings, refused), RunOutcome::Failed);
  ASSERT_EQ(refused.messages.size(), 1u);
  EXPECT_NE(refused.messages[0].text.find(u"ファイル名が長すぎます: " + settings.OUTPUT_PATH),
            std::u16string::npos)
      << ToUtf8(refused.messages[0].text);
}

TEST(RawFileNames, TreeTakesAReportNamedInBytes) {
  ScratchFolder scratch;
  const std::u16string folder = scratch.Folder();
  WriteRaw(folder, kShiftJisName, EncodeCp932(SmallReport(u"F", u"帳票")));
  const std::u16string copy = scratch.WriteText(u"", u"copy.txt", SmallReport(u"F", u"帳票"));
  const testing::ProcessResult raw =
      testing::RunBuiltProgram("tarnwick-cli", {"tree", ToUtf8(folder) + kShiftJisName});
  EXPECT_EQ(raw.status, 0) << raw.err;
  EXPECT_EQ(raw.out, RunCli({u"tree", copy}).out);
}

TEST(RawFileNames, NodesTakeAReportNamedInBytesWithinAUtf8Folder) {
  ScratchFolder scratch;
  const std::u16string folder = scratch.Folder(u"データ");
  WriteRaw(folder, kShiftJisName, EncodeCp932(SmallReport(u"F", u"帳票")));
  const std::u16string copy = scratch.WriteText(u"写し", u"帳票.txt", SmallReport(u"F", u"帳票"));
  const testing::ProcessResult raw =
      testing::RunBuiltProgram("tarnwick-cli", {"nodes", ToUtf8(folder) + kShiftJisName});
  EXPECT_EQ(raw.status, 0) << raw.err;
  EXPECT_EQ(raw.out.substr(0, raw.out.find('\n')), "ROOT\t帳票\t 帳票");
  EXPECT_EQ(raw.out, RunCli({u"nodes", copy}).out);
}

TEST(RawFileNames, ObjDiffPagesNameReportsNamedInBytesAsTheirUtf8Twins) {
  ScratchFolder scratch;
  // Each side holds its report twice: named in Shift_JIS bytes and in UTF-8.
  const std::u16string v1 = scratch.Folder(u"v1");
  const std::u16string v2 = scratch.Folder(u"v2");
  const std::u16string out = scratch.Folder(u"out");
  for (const auto& [folder, title] : {std::pair{v1, u"旧"}, std::pair{v2, u"新"}}) {
    WriteRaw(folder, kShiftJisName, EncodeCp932(SmallReport(u"F", title)));
    WriteRaw(folder, "帳票.txt", EncodeCp932(SmallReport(u"F", title)));
  }
  auto objdiff = [&](const std::string& report1, const std::string& report2, const char* page) {
    testing::ProcessOptions options;
    options.workingFolder = scratch.Folder();
    return testing::RunBuiltProgram(
        "tarnwick-cli",
        {"objdiff", "--set", "OUTPUT_PATH=" + ToUtf8(out), "--set",
         std::string("OUTPUT_FILE=") + page, report1, "ROOT-1-1", report2, "ROOT-1-1"},
        options);
  };
  // Relative, so that the bytes also go through the working folder.
  const testing::ProcessResult raw = objdiff("v1/" + kShiftJisName, "v2/" + kShiftJisName, "raw");
  EXPECT_EQ(raw.status, 0) << raw.err;
  EXPECT_EQ(raw.err, "終了しました。\n");
  const testing::ProcessResult utf8 =
      objdiff(ToUtf8(v1) + "帳票.txt", ToUtf8(v2) + "帳票.txt", "utf8");
  ASSERT_EQ(utf8.status, 0) << utf8.err;

  const std::u16string page = ScratchFolder::ReadText(out + u"raw.html");
  EXPECT_EQ(page, ScratchFolder::ReadText(out + u"utf8.html"));
  EXPECT_NE(page.find(v1 + u"帳票.txt"), std::u16string::npos);
  EXPECT_NE(page.find(v2 + u"帳票.txt"), std::u16string::npos);
  EXPECT_NE(page.find(u"新"), std::u16string::npos);
}

TEST(RawFileNames, ASettingsFileNamedInBytesIsReadByEveryRunCommand) {
  ScratchFolder scratch;
  const std::u16string folder = scratch.Folder();
  const std::u16string out = scratch.Folder(u"out");
  const std::u16string report1 = scratch.WriteText(u"v1", u"A.txt", SmallReport(u"A", u"旧"));
  scratch.WriteText(u"v2", u"A.txt", SmallReport(u"A", u"新"));
  WriteRaw(folder, EncodeCp932(u"設定.ini"),
           EncodeCp932(u"SRC_PATH1=" + scratch.Folder(u"v1") + u"\r\nSRC_FILE1=*.txt\r\n" +
                       u"SRC_PATH2=" + scratch.Folder(u"v2") + u"\r\nSRC_FILE2=*.txt\r\n" +
                       u"SRC_PATH=" + scratch.Folder(u"v2") + u"\r\nSRC_FILE=*.txt\r\n" +
                       u"SEARCH_STRING1=新\r\nOUTPUT_PATH=" + out + u"\r\nOUTPUT_FILE=Result\r\n"));
  const std::string ini = ToUtf8(folder) + EncodeCp932(u"設定.ini");

  // Without the file every command would stop at an empty box.
  // Each writes over the one before it: --force.
  for (const char* command : {"diff", "search"}) {
    const testing::ProcessResult run =
        testing::RunBuiltProgram("tarnwick-cli", {command, "--ini", ini, "--force"});
    EXPECT_EQ(run.status, 0) << command << ": " << run.err;
  }
  const testing::ProcessResult objdiff =
      testing::RunBuiltProgram("tarnwick-cli", {"objdiff", "--ini", ini, "--force", ToUtf8(report1),
                                                "ROOT-1-1", ToUtf8(report1), "ROOT-1-1"});
  EXPECT_EQ(objdiff.status, 0) << objdiff.err;
  EXPECT_TRUE(ScratchFolder::Exists(out + u"A.html"));

  // A settings file that is missing is named decoded.
  const testing::ProcessResult missing = testing::RunBuiltProgram(
      "tarnwick-cli", {"diff", "--ini", ToUtf8(folder) + EncodeCp932(u"無し.ini")});
  EXPECT_EQ(missing.status, 64);
  EXPECT_NE(missing.err.find("cannot read the settings file " + ToUtf8(folder) + "無し.ini ("),
            std::string::npos)
      << missing.err;
}

class SpecialFiles : public ::testing::Test {
 protected:
  SpecialFiles() : fifo(scratch.Folder() + u"fifo.txt"), zeroLink(scratch.Folder() + u"zero.txt") {
    EXPECT_EQ(::mkfifo(NativePath(fifo).c_str(), 0600), 0);
    std::filesystem::create_symlink("/dev/zero", NativePath(zeroLink));
  }
  ScratchFolder scratch;
  const std::u16string fifo;
  const std::u16string zeroLink;
};

TEST_F(SpecialFiles, AreRefusedAtOnceWhereverAReportIsRead) {
  for (const std::u16string& path : {fifo, zeroLink, std::u16string(u"/dev/zero")}) {
    EXPECT_EQ(Description([&] { ReadFileBytes(path); }), u"通常のファイルではありません: " + path);
  }
  // Not listed, so a folder run never meets them.
  scratch.WriteText(u"", u"real.txt", SmallReport(u"R", u"x"));
  ASSERT_EQ(ListPlainFiles(scratch.Folder(), u"*.txt").size(), 1u);
  EXPECT_FALSE(IsPlainFile(fifo));

  for (const std::u16string& path : {fifo, std::u16string(u"/dev/zero")}) {
    for (const char16_t* command : {u"tree", u"nodes"}) {
      const testing::CliResult result = RunCli({command, path});
      EXPECT_EQ(result.status, 1) << ToUtf8(command);
      EXPECT_NE(result.err.find("通常のファイルではありません: " + ToUtf8(path)), std::string::npos)
          << result.err;
    }
  }
  const testing::CliResult fileMode =
      RunCli({u"diff", u"--set", u"MODE=FILE", u"--set", u"SRC_PATH1=" + scratch.Folder(), u"--set",
              u"SRC_FILE1=fifo.txt", u"--set", u"SRC_PATH2=" + scratch.Folder(), u"--set",
              u"SRC_FILE2=real.txt", u"--set", u"OUTPUT_PATH=" + scratch.Folder(u"out"), u"--set",
              u"OUTPUT_FILE=r.html"});
  EXPECT_EQ(fileMode.status, 2);
  EXPECT_EQ(fileMode.err.rfind("ソースファイル１が見つかりません", 0), 0u) << fileMode.err;
}

TEST_F(SpecialFiles, AreNoSettingsFile) {
  for (const std::u16string& path : {fifo, zeroLink}) {
    Settings settings;
    EXPECT_FALSE(ReadIni(path, settings));
    EXPECT_EQ(settings, Settings());
    const testing::CliResult result = RunCli({u"tree", u"--ini", path});
    EXPECT_EQ(result.status, 64);
    const testing::CliResult diff = RunCli({u"diff", u"--ini", path});
    EXPECT_EQ(diff.status, 64);
    EXPECT_NE(diff.err.find("cannot read the settings file " + ToUtf8(path) +
                            " (通常のファイルではありません: " + ToUtf8(path) + ")"),
              std::string::npos)
        << diff.err;
  }
}

TEST(StandardOutput, AFailedWriteIsARunErrorForEveryCommand) {
  ScratchFolder scratch;
  const std::u16string report = scratch.WriteText(u"", u"r.txt", SmallReport(u"R", u"x"));
  testing::ProcessOptions full;
  full.outputFile = "/dev/full";
  for (const std::vector<std::u16string>& args : {std::vector<std::u16string>{u"tree", report},
                                                  {u"nodes", report},
                                                  {u"--help"},
                                                  {u"--version"}}) {
    const testing::CliResult result = RunCli(args, full);
    EXPECT_EQ(result.status, 1) << ToUtf8(args[0]);
    EXPECT_EQ(result.err, "エラーが発生しました。\r\nディスクの空き容量が足りません: 標準出力\n");
  }
  EXPECT_EQ(Description([] { WriteFileBytes(u"/dev/full", "page"); }),
            u"ディスクの空き容量が足りません: /dev/full");
}

#if defined(__SANITIZE_ADDRESS__)
#define TARNWICK_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TARNWICK_ADDRESS_SANITIZER 1
#endif
#endif

TEST(MemoryLimit, RunningOutIsTheRunErrorOfEveryCommandNeverAnAbort) {
#ifdef TARNWICK_ADDRESS_SANITIZER
  GTEST_SKIP() << "AddressSanitizer reserves terabytes of address space: no limit on it can hold";
#endif
  ScratchFolder scratch;
  // A sparse gigabyte: a regular file that no 512 MB process can hold.
  const std::u16string folder = scratch.Folder(u"big");
  const std::u16string big = folder + u"big.txt";
  std::ofstream(NativePath(big)).close();
  std::filesystem::resize_file(NativePath(big), std::uintmax_t{1} << 30);
  const std::u16string out = scratch.Folder(u"out");
  testing::ProcessOptions limited;
  limited.memoryLimit = std::size_t{512} << 20;
  auto set = [](std::u16string_view key, std::u16string_view value) {
    return std::vector<std::u16string>{u"--set",
                                       std::u16string(key) + u"=" + std::u16string(value)};
  };
  auto run = [&](std::vector<std::u16string> args,
                 std::initializer_list<std::vector<std::u16string>> sets) {
    for (const auto& pair : sets) args.insert(args.end(), pair.begin(), pair.end());
    return RunCli(args, limited);
  };

  const std::vector<testing::CliResult> results = {
      run({u"tree", big}, {}),
      run({u"nodes", big}, {}),
      run({u"objdiff", big, u"ROOT-1", big, u"ROOT-1"},
          {set(u"OUTPUT_PATH", out), set(u"OUTPUT_FILE", u"o.html")}),
      run({u"diff"},
          {set(u"MODE", u"FILE"), set(u"SRC_PATH1", folder), set(u"SRC_FILE1", u"big.txt"),
           set(u"SRC_PATH2", folder), set(u"SRC_FILE2", u"big.txt"), set(u"OUTPUT_PATH", out),
           set(u"OUTPUT_FILE", u"d.html")}),
      run({u"search"},
          {set(u"SRC_PATH", folder), set(u"SRC_FILE", u"*.txt"), set(u"OUTPUT_PATH", out),
           set(u"OUTPUT_FILE", u"s.html"), set(u"SEARCH_STRING1", u"x")}),
  };
  for (const testing::CliResult& result : results) {
    EXPECT_EQ(result.status, 1) << result.err;
    EXPECT_NE(result.err.find("メモリが不足しています。"), std::string::npos) << result.err;
  }

  // A settings file of that size is refused unread, with no memory to spare.
  const testing::CliResult ini = run({u"diff", u"--ini", big}, {});
  EXPECT_EQ(ini.status, 64);
  EXPECT_NE(ini.err.find("ファイルが大きすぎます"), std::string::npos) << ini.err;
}

TEST(CaseSensitiveNames, NamesFoldingAlikeOpenTheOrdinalFirstAndShowItsListedName) {
  ScratchFolder scratch;
  const std::u16string upper = scratch.WriteText(u"v1", u"FORM.txt", SmallReport(u"U", u"1"));
  scratch.WriteText(u"v1", u"form.txt", SmallReport(u"L", u"1"));
  std::vector<FileEntry> files, setAside;
  CollectFiles(scratch.Folder(u"v1"), u"f*;F*", ListSide::First, files, setAside);
  ASSERT_EQ(files.size(), 1u);
  EXPECT_EQ(files[0].name, u"FORM.TXT");
  EXPECT_EQ(files[0].listed1.text, u"FORM.txt");
  ASSERT_EQ(setAside.size(), 1u);
  EXPECT_EQ(setAside[0].listed1.text, u"form.txt");

  Settings settings = FolderComparisonIn(scratch);
  FakeWindow window;
  EXPECT_EQ(ExecDiff(settings, window), RunOutcome::Finished);
  const std::u16string page = ScratchFolder::ReadText(settings.OUTPUT_PATH + u"FORM.html");
  EXPECT_NE(page.find(upper), std::u16string::npos);
  EXPECT_NE(page.find(u"U"), std::u16string::npos);
}

TEST(CaseSensitiveNames, NamesFoldingOntoAPairedOneAreListedAsSetAside) {
  ScratchFolder scratch;
  scratch.WriteText(u"v1", u"Order.txt", SmallReport(u"A", u"1"));
  scratch.WriteText(u"v1", u"ORDER.txt", SmallReport(u"A", u"1"));
  scratch.WriteText(u"v2", u"order.txt", SmallReport(u"A", u"1"));
  scratch.WriteText(u"v2", u"oRdEr.txt", SmallReport(u"A", u"2"));
  Settings settings = FolderComparisonIn(scratch);
  settings.SRC_FILE1 = settings.SRC_FILE2 = u"*.txt;o*";  // a name matched twice is listed once

  FakeWindow window;
  RunResult result;
  ASSERT_EQ(ExecDiff(settings, window, &result), RunOutcome::Finished);
  const std::u16string summary = ScratchFolder::ReadText(settings.OUTPUT_PATH + u"Result.html");
  EXPECT_NE(summary.find(u"<tr><td>ORDER.TXT</td><td><a href=\""), std::u16string::npos);
  EXPECT_NE(
      summary.find(u"<tr><td>Order.txt</td><td>対象外（フォルダ１に大文字小文字だけ違う同名あり）"
                   u"</td></tr>\r\n<tr><td>order.txt</td><td>"
                   u"対象外（フォルダ２に大文字小文字だけ違う同名あり）</td></tr>"),
      std::u16string::npos)
      << ToUtf8(summary);
  ASSERT_EQ(result.items.size(), 3u);
  EXPECT_EQ(result.items[1].status, FileStatus::SetAside1);
  EXPECT_EQ(result.items[1].path1, settings.SRC_PATH1 + u"Order.txt");
  EXPECT_EQ(result.items[2].status, FileStatus::SetAside2);
  EXPECT_EQ(result.items[2].path2, settings.SRC_PATH2 + u"order.txt");
  ASSERT_EQ(window.messages.size(), 1u);
  EXPECT_NE(window.messages[0].text.find(u"対象外としました"), std::u16string::npos);
  EXPECT_NE(window.messages[0].text.find(u"2件"), std::u16string::npos);

  // The search lists them too, and the JSON says why.
  const std::u16string json = scratch.Folder(u"out") + u"s.json";
  const testing::CliResult search =
      RunCli({u"search", u"--set", u"SRC_PATH=" + settings.SRC_PATH1, u"--set", u"SRC_FILE=*",
              u"--set", u"OUTPUT_PATH=" + settings.OUTPUT_PATH, u"--set", u"OUTPUT_FILE=s",
              u"--set", u"SEARCH_STRING1=A", u"--json", json, u"--force"});
  EXPECT_EQ(search.status, 0) << search.err;
  EXPECT_NE(search.err.find("1件は対象外"), std::string::npos) << search.err;
  const std::string data = ScratchFolder::Read(json);
  EXPECT_NE(data.find("{\"name\":\"Order.txt\",\"status\":\"set-aside\""), std::string::npos)
      << data;
  EXPECT_NE(data.find("\"reason\":\"name-differs-only-in-case\",\"hits\":null"), std::string::npos)
      << data;
  const std::u16string searchSummary = ScratchFolder::ReadText(settings.OUTPUT_PATH + u"s.html");
  EXPECT_NE(searchSummary.find(u"<tr><td>Order.txt</td><td>対象外（大文字小文字だけ違う同名あり）"),
            std::u16string::npos);
}

TEST(Links, ABrokenLinkIsNotListedAndALinkedPageIsItsTarget) {
  ScratchFolder scratch;
  const std::u16string folder = scratch.Folder(u"src");
  scratch.Write(u"src", u"a.txt", "a");
  std::filesystem::create_symlink("missing", NativePath(folder + u"broken.txt"));
  ASSERT_EQ(ListPlainFiles(folder, u"*.txt").size(), 1u);

  const std::u16string report = scratch.Write(u"src", u"FORM1.html", "report");
  const std::u16string link = scratch.Folder(u"out") + u"LINK.html";
  std::filesystem::create_symlink(NativePath(report), NativePath(link));
  EXPECT_EQ(PageOverwritingInput({link}, {report}), link);
}

TEST(HiddenFiles, ANameStartingWithADotIsHidden) {
  ScratchFolder scratch;
  const std::u16string hidden = scratch.Write(u"", u".form.txt", "x");
  EXPECT_FALSE(IsPlainFile(hidden));
  EXPECT_TRUE(ListPlainFiles(scratch.Folder(), u"*").empty());
}

}  // namespace
}  // namespace tarnwick
