// What only Windows has: hidden and system attributes, devices with names
// (NUL, CON), names that fold letter case, and the wide-character API.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>

#include "base/error.h"
#include "cli_runner.h"
#include "files/file_io.h"
#include "files/file_system.h"
#include "files/paths.h"
#include "runs_fixture.h"
#include "sample_reports.h"

namespace tarnwick {
namespace {

using testing::RunCli;
using testing::ScratchFolder;
using testing::SmallReport;

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

TEST(WindowsFiles, PathsTakeTheWindowsFlavourByDefault) {
  std::u16string folder, name, extension;
  SplitPath(u"C:\\FORMS\\FORM1.TXT", folder, name, extension);
  EXPECT_EQ(folder, u"C:\\FORMS\\");
  EXPECT_EQ(JoinPath(u"C:\\OUT", u"FORM1", u"html"), u"C:\\OUT\\FORM1.html");
}

}  // namespace
}  // namespace tarnwick
