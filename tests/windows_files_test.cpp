// What only Windows has: hidden and system attributes, devices with names
// (NUL, CON), names that fold letter case, and the wide-character API.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>

#include "base/error.h"
#include "cli_runner.h"
#include "files/file_io.h"
#include "files/file_system.h"
#include "files/long_path_windows.h"
#include "files/paths.h"
#include "runs_fixture.h"
#include "sample_reports.h"
#include "text/cp932.h"
#include "text/upper_case.h"
#include "text/utf8.h"

namespace tarnwick {
namespace {

using testing::RunCli;
using testing::ScratchFolder;
using testing::SmallReport;

std::wstring Wide(std::u16string_view text) {
  return std::wstring(text.begin(), text.end());
}

// Creates a file by its long-path form itself, as another program could.
void CreateRaw(std::u16string_view path, std::string_view bytes) {
  const HANDLE file = ::CreateFileW((L"\\\\?\\" + Wide(path)).c_str(), GENERIC_WRITE, 0, nullptr,
                                    CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE) << ::GetLastError();
  DWORD put = 0;
  EXPECT_TRUE(::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &put, nullptr));
  ::CloseHandle(file);
}

// Removes what CreateRaw and long folders leave, which the standard library
// cannot reach.
void RemoveTreeRaw(const std::wstring& folder) {
  WIN32_FIND_DATAW found{};
  const HANDLE search = ::FindFirstFileW((L"\\\\?\\" + folder + L"*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = found.cFileName;
      if (name == L"." || name == L"..") continue;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTreeRaw(folder + name + L"\\");
      } else {
        ::DeleteFileW((L"\\\\?\\" + folder + name).c_str());
      }
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
  }
  ::RemoveDirectoryW((L"\\\\?\\" + folder).c_str());
}

std::u16string Description(const auto& action) {
  try {
    action();
  } catch (const Error& e) {
    return e.Description();
  }
  return u"(no error)";
}

TEST(WindowsFiles, HiddenAndSystemFilesAreNoPlainFiles) {
  ScratchFolder scratch;
  const std::u16string folder = scratch.Folder();
  const std::u16string hidden = scratch.Write(u"", u"hidden.txt", "h");
  const std::u16string system = scratch.Write(u"", u"system.txt", "s");
  const std::u16string plain = scratch.Write(u"", u".dot.txt", "d");  // no attribute: plain
  ASSERT_TRUE(::SetFileAttributesW(NativePath(hidden).c_str(), FILE_ATTRIBUTE_HIDDEN));
  ASSERT_TRUE(::SetFileAttributesW(NativePath(system).c_str(), FILE_ATTRIBUTE_SYSTEM));
  EXPECT_FALSE(IsPlainFile(hidden));
  EXPECT_FALSE(IsPlainFile(system));
  EXPECT_TRUE(IsPlainFile(plain));
  const std::vector<FilePath> listed = ListPlainFiles(folder, u"*.txt");
  ASSERT_EQ(listed.size(), 1u);
  EXPECT_EQ(listed[0].text, u".dot.txt");
}

TEST(WindowsFiles, DevicesAreRefusedAsNoRegularFiles) {
  EXPECT_EQ(Description([] { ReadFileBytes(u"NUL"); }), u"通常のファイルではありません: NUL");
  const testing::CliResult tree = RunCli({u"tree", u"NUL"});
  EXPECT_EQ(tree.status, 1);
  EXPECT_NE(tree.err.find("通常のファイルではありません: NUL"), std::string::npos) << tree.err;
}

TEST(WindowsFiles, JapaneseNamesThroughTheWideApiAndTheCommandLine) {
  ScratchFolder scratch;
  const std::u16string report =
      scratch.WriteText(u"帳票①", u"受注入力～.txt", SmallReport(u"F", u"受注"));
  const std::vector<FilePath> listed = ListPlainFiles(scratch.Folder(u"帳票①"), u"受注*");
  ASSERT_EQ(listed.size(), 1u);
  EXPECT_EQ(listed[0].text, u"受注入力～.txt");
  EXPECT_EQ(ReadFileBytes(report), EncodeCp932(SmallReport(u"F", u"受注")));
  const testing::CliResult tree = RunCli({u"tree", report});
  EXPECT_EQ(tree.status, 0) << tree.err;
  EXPECT_NE(tree.out.find("受注"), std::string::npos);
}

TEST(WindowsFiles, OneFileHoweverItsLettersAreCased) {
  ScratchFolder scratch;
  const std::u16string path = scratch.Write(u"", u"Form.txt", "x");
  EXPECT_EQ(FileIdOf(scratch.Folder() + u"FORM.TXT"), FileIdOf(path));
  EXPECT_TRUE(FileIdOf(path).has_value());
}

TEST(WindowsFiles, CommonFailuresAreDescribedFromWindowsCodes) {
  ScratchFolder scratch;
  const std::u16string missing = scratch.Folder() + u"無い.txt";
  EXPECT_EQ(Description([&] { ReadFileBytes(missing); }),
            u"ファイルまたはフォルダが見つかりません: " + missing);
  const std::u16string folder = scratch.Folder(u"dir");
  EXPECT_EQ(Description([&] { ReadFileBytes(folder); }),
            u"ファイルではなくフォルダです: " + folder);
  EXPECT_EQ(Description([&] { WriteFileBytes(folder, "x"); }),
            u"ファイルではなくフォルダです: " + folder);
}

TEST(WindowsFiles, LongPathFormsLeaveNothingToTheApisOwnCleanUp) {
  EXPECT_EQ(LongPathForm(L"C:\\forms\\CON.txt"), L"\\\\?\\C:\\forms\\CON.txt");
  EXPECT_EQ(LongPathForm(L"c:/forms//a\\.\\b\\..\\x.txt. "), L"\\\\?\\c:\\forms\\a\\x.txt. ");
  EXPECT_EQ(LongPathForm(L"C:\\forms\\"), L"\\\\?\\C:\\forms\\");
  EXPECT_EQ(LongPathForm(L"C:\\..\\"), L"\\\\?\\C:\\");
  EXPECT_EQ(LongPathForm(L"\\\\server\\share\\f\\a.txt"), L"\\\\?\\UNC\\server\\share\\f\\a.txt");
  EXPECT_EQ(LongPathForm(L"\\\\server\\share"), L"\\\\?\\UNC\\server\\share\\");
  // Relative paths, and device or long forms, pass as they are.
  for (const wchar_t* kept : {L"NUL", L"forms\\a.txt", L"\\forms\\a.txt", L"C:a.txt",
                              L"\\\\?\\C:\\x\\..", L"\\\\.\\COM1", L"\\\\server"}) {
    EXPECT_EQ(LongPathForm(kept), kept);
  }
}

// Device names with an extension, and names ending in a dot or a space, are
// ordinary files to the file system; only the API's path clean-up hides them.
TEST(WindowsFiles, NamesTheApiWouldTakeApartAreListedReadAndCompared) {
  ScratchFolder scratch;
  const std::u16string folder = scratch.Folder(u"odd");
  const std::u16string out = scratch.Folder(u"out");
  const std::vector<std::u16string> names = {u"COM1.txt", u"CON.txt", u"LPT1.txt",  u"PRN.txt",
                                             u"a.txt.",   u"aux.txt", u"b.txt ",    u"con.v2.txt",
                                             u"dot.",     u"nul.txt", u"plain.txt", u"space "};
  for (const std::u16string& name : names) {
    CreateRaw(folder + name, EncodeCp932(SmallReport(u"F", name)));
  }
  const std::vector<FilePath> listed = ListPlainFiles(folder, u"*");
  std::vector<std::u16string> texts;
  for (const FilePath& name : listed) {
    texts.push_back(name.text);
    EXPECT_EQ(ReadFileBytes(folder + name.text), EncodeCp932(SmallReport(u"F", name.text)));
  }
  EXPECT_EQ(texts, names);
  EXPECT_TRUE(IsPlainFile(folder + u"CON.txt"));

  const testing::CliResult diff =
      RunCli({u"diff", u"--set", u"SRC_PATH1=" + folder, u"--set", u"SRC_PATH2=" + folder, u"--set",
              u"SRC_FILE1=*", u"--set", u"SRC_FILE2=*", u"--set", u"OUTPUT_PATH=" + out, u"--set",
              u"OUTPUT_FILE=index"});
  EXPECT_EQ(diff.status, 0) << diff.err;
  const std::u16string summary = DecodeCp932(ReadFileBytes(out + u"index.html"));
  for (const std::u16string& name : names) {
    std::u16string cell;  // as the summary's table writes it
    for (const char16_t c : UpperCase(name)) cell += c == u' ' ? u"&nbsp;" : std::u16string(1, c);
    EXPECT_NE(summary.find(cell + u"<"), std::u16string::npos) << ToUtf8(name);
  }
  EXPECT_EQ(ReadFileBytes(out + u"CON_2.html").substr(0, 6), "<HTML>");  // con.v2.txt's page
  RemoveTreeRaw(Wide(folder));
  RemoveTreeRaw(Wide(out));
}

// Past the 260 characters of the API's ordinary paths.
TEST(WindowsFiles, ReportsDeepInLongPathsAreListedReadAndCompared) {
  ScratchFolder scratch;
  std::u16string folder = scratch.Folder(u"long");
  for (const char16_t letter : {u'a', u'b', u'c'}) {
    folder += std::u16string(100, letter) + u"\\";
    ASSERT_TRUE(::CreateDirectoryW((L"\\\\?\\" + Wide(folder)).c_str(), nullptr))
        << ::GetLastError();
  }
  ASSERT_GT(folder.size() + 7, 300u);
  CreateRaw(folder + u"受注.txt", EncodeCp932(SmallReport(u"F", u"1")));
  const std::vector<FilePath> listed = ListPlainFiles(folder, u"*.txt");
  ASSERT_EQ(listed.size(), 1u);
  EXPECT_EQ(ReadFileBytes(folder + u"受注.txt"), EncodeCp932(SmallReport(u"F", u"1")));
  EXPECT_TRUE(IsFolder(folder));
  EXPECT_TRUE(IsPlainFile(folder + u"受注.txt"));

  const testing::CliResult tree = RunCli({u"tree", folder + u"受注.txt"});
  EXPECT_EQ(tree.status, 0) << tree.err;
  // Pages land in a long folder too, replaced in place the second time.
  for (int run = 0; run < 2; ++run) {
    const testing::CliResult diff =
        RunCli({u"diff", u"--set", u"SRC_PATH1=" + folder, u"--set", u"SRC_PATH2=" + folder,
                u"--set", u"SRC_FILE1=*.txt", u"--set", u"SRC_FILE2=*.txt", u"--set",
                u"OUTPUT_PATH=" + folder, u"--set", u"OUTPUT_FILE=index"});
    EXPECT_EQ(diff.status, 0) << diff.err;
  }
  EXPECT_NE(DecodeCp932(ReadFileBytes(folder + u"index.html")).find(u"受注.TXT"),
            std::u16string::npos);
  EXPECT_EQ(ReadFileBytes(folder + u"受注.html").substr(0, 6), "<HTML>");
  RemoveTreeRaw(Wide(scratch.Folder(u"long")));
}

TEST(WindowsFiles, PathsTakeTheWindowsFlavourByDefault) {
  std::u16string folder, name, extension;
  SplitPath(u"C:\\FORMS\\FORM1.TXT", folder, name, extension);
  EXPECT_EQ(folder, u"C:\\FORMS\\");
  EXPECT_EQ(JoinPath(u"C:\\OUT", u"FORM1", u"html"), u"C:\\OUT\\FORM1.html");
}

}  // namespace
}  // namespace tarnwick
