#include "files/file_io.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>

#include "base/error.h"
#include "files/file_error.h"
#include "files/paths.h"
#include "messages/message_catalog.h"
#include "messages/message_error.h"
#include "text/utf8.h"

namespace tarnwick {
namespace {

class FileIo : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ =
        std::filesystem::temp_directory_path() /
        ("tarnwick_file_io_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
         "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  std::u16string In(std::u16string_view name) const {
    return PathText(folder_) + NativeSeparator() + std::u16string(name);
  }

  std::filesystem::path folder_;
};

TEST_F(FileIo, WritesAndReadsBytesUnderAJapaneseName) {
  const std::u16string path = In(u"帳票①.txt");
  const std::string bytes("\x82\xA0\0\r\nend", 7);
  WriteFileBytes(path, bytes);
  EXPECT_TRUE(std::filesystem::exists(folder_ / NativePath(u"帳票①.txt")));
  EXPECT_EQ(ReadFileBytes(path), bytes);

  // Writing again truncates.
  WriteFileBytes(path, "x");
  EXPECT_EQ(ReadFileBytes(path), "x");
  WriteFileBytes(path, "");
  EXPECT_EQ(ReadFileBytes(path), "");
}

TEST_F(FileIo, ReadsAFileLargerThanOneBufferWhole) {
  std::string bytes;
  for (int i = 0; i < 100000; ++i) bytes += static_cast<char>(i * 7);
  WriteFileBytes(In(u"big"), bytes);
  EXPECT_EQ(ReadFileBytes(In(u"big")), bytes);
}

// The description of the error that `action` throws.
template <typename Action>
std::u16string FailureOf(Action action) {
  try {
    action();
  } catch (const Error& e) {
    EXPECT_EQ(e.Number(), kFileErrorNumber);
    return e.Description();
  }
  ADD_FAILURE() << "no error";
  return {};
}

TEST_F(FileIo, CommonFailuresAreDescribedInJapaneseNamingThePath) {
  const std::u16string missing = In(u"無い.txt");
  EXPECT_EQ(FailureOf([&] { ReadFileBytes(missing); }),
            u"ファイルまたはフォルダが見つかりません: " + missing);
  const std::u16string folder = PathText(folder_);
  EXPECT_EQ(FailureOf([&] { ReadFileBytes(folder); }), u"ファイルではなくフォルダです: " + folder);
  EXPECT_EQ(FailureOf([&] { WriteFileBytes(folder, "x"); }),
            u"ファイルではなくフォルダです: " + folder);
  const std::u16string nowhere = In(u"無い") + NativeSeparator() + u"a.html";
  EXPECT_EQ(FailureOf([&] { WriteFileBytes(nowhere, "x"); }),
            u"ファイルまたはフォルダが見つかりません: " + nowhere);

  RawBuffer<char> bytes;
  WriteFileBytes(In(u"big.ini"), std::string(101, 'x'));
  EXPECT_EQ(FailureOf([&] { ReadFileBytes(FilePathOf(In(u"big.ini")), bytes, 100); }),
            u"ファイルが大きすぎます: " + In(u"big.ini"));
  ReadFileBytes(FilePathOf(In(u"big.ini")), bytes, 101);
  EXPECT_EQ(bytes.size(), 101u);
}

// A file cut short, grown or written over while it is read gives no bytes of
// no one version: the read fails naming the file, whichever piece notices.
TEST_F(FileIo, AFileChangedWhileItIsReadFailsNamingIt) {
  const std::u16string path = In(u"帳票.txt");
  const std::string bytes(1000, 'a');
  const std::u16string changed = u"読み込み中にファイルが変更されました: " + path;
  char piece[300];
  const auto readRest = [&](FileReader& file) {
    while (file.Read(piece, sizeof piece) != 0) {
    }
  };

  WriteFileBytes(path, bytes);
  {
    FileReader file(FilePathOf(path));
    ASSERT_EQ(file.Read(piece, sizeof piece), sizeof piece);
    std::filesystem::resize_file(NativePath(path), 500);
    EXPECT_EQ(FailureOf([&] { readRest(file); }), changed);
  }
  WriteFileBytes(path, bytes);
  {
    FileReader file(FilePathOf(path));
    ASSERT_EQ(file.Read(piece, sizeof piece), sizeof piece);
    std::filesystem::resize_file(NativePath(path), 2000);
    EXPECT_EQ(FailureOf([&] { readRest(file); }), changed);
  }
  // Written over at the same size: the modification time tells.
  WriteFileBytes(path, bytes);
  {
    const auto opened = std::filesystem::last_write_time(NativePath(path));
    FileReader file(FilePathOf(path));
    ASSERT_EQ(file.Read(piece, sizeof piece), sizeof piece);
    WriteFileBytes(path, std::string(1000, 'b'));
    std::filesystem::last_write_time(NativePath(path), opened + std::chrono::seconds(5));
    EXPECT_EQ(FailureOf([&] { readRest(file); }), changed);
  }
  // Whole-file reading stops at the size it opened with and still checks.
  WriteFileBytes(path, bytes);
  {
    FileReader file(FilePathOf(path));
    std::string whole(1000, '\0');
    std::filesystem::resize_file(NativePath(path), 1001);
    EXPECT_EQ(FailureOf([&] { (void)file.Read(whole.data(), whole.size()); }), changed);
  }
  // Left alone, it reads whole.
  WriteFileBytes(path, bytes);
  RawBuffer<char> read;
  ReadFileBytes(FilePathOf(path), read);
  EXPECT_EQ(read.View(), bytes);
}

TEST(FileErrors, SystemCodesMapToTheCommonFailuresOrKeepTheirWords) {
  const auto generic = [](std::errc code) { return std::make_error_code(code); };
  EXPECT_EQ(FileErrorDescription(generic(std::errc::permission_denied), u"p"),
            u"アクセスする権限がありません: p");
  EXPECT_EQ(FileErrorDescription(generic(std::errc::no_space_on_device), u"p"),
            u"ディスクの空き容量が足りません: p");
  EXPECT_EQ(FileErrorDescription(generic(std::errc::read_only_file_system), u"p"),
            u"読み取り専用のファイルシステムです: p");
  EXPECT_EQ(FileErrorDescription(generic(std::errc::filename_too_long), u"p"),
            u"ファイル名が長すぎます: p");
  EXPECT_EQ(FileErrorDescription(generic(std::errc::not_a_directory), u"p"),
            u"パスの途中にフォルダではないファイルがあります: p");
  EXPECT_EQ(FileErrorDescription(generic(std::errc::device_or_resource_busy), u"p"),
            u"ファイルが他のプログラムで使用中です: p");
  EXPECT_EQ(FileErrorDescription(generic(std::errc::too_many_files_open), u"p"),
            u"開いているファイルが多すぎます: p");
  // Anything else keeps the system's own words.
  const std::error_code crossDevice = generic(std::errc::cross_device_link);
  EXPECT_EQ(FileErrorDescription(crossDevice, u"p"), FromUtf8(crossDevice.message()) + u": p");
}

TEST(FileErrors, ReadInTheRunsLanguageWhenShown) {
  // What each language says of one failure, with what it left behind.
  const auto thrown = [](auto&& fail) -> Error {
    try {
      fail();
    } catch (const Error& error) {
      return error;
    }
    return Error(0, u"(nothing thrown)");
  };
  const Error missing = thrown([] { ThrowFileError(FileFailure::Missing, u"/r/A.txt", u"/r/~t"); });
  EXPECT_EQ(missing.Number(), kFileErrorNumber);
  EXPECT_EQ(missing.Description(),
            u"ファイルまたはフォルダが見つかりません: /r/A.txt\r\n"
            u"一時ファイルを削除できませんでした: /r/~t");
  EXPECT_EQ(DescriptionText(missing, JapaneseCatalog), missing.Description());
  EXPECT_EQ(DescriptionText(missing, EnglishCatalog),
            u"The file or folder was not found: /r/A.txt\r\n"
            u"The temporary file could not be removed: /r/~t");
  // The system's own words stay as the system gave them.
  const std::error_code crossDevice = std::make_error_code(std::errc::cross_device_link);
  const Error other = thrown([&] { ThrowFileError(crossDevice, u"p"); });
  EXPECT_EQ(DescriptionText(other, EnglishCatalog), FromUtf8(crossDevice.message()) + u": p");
  // A plain error has no words but its own.
  EXPECT_EQ(DescriptionText(Error(kGeneralErrorNumber, u"固有"), EnglishCatalog), u"固有");
}

TEST_F(FileIo, ABufferKeepsItsRoom) {
  RawBuffer<char> bytes;
  WriteFileBytes(In(u"long"), std::string(5000, 'a'));
  WriteFileBytes(In(u"short"), "bc");
  ReadFileBytes(In(u"long"), bytes);
  const std::size_t room = bytes.capacity();
  ReadFileBytes(In(u"short"), bytes);
  EXPECT_EQ(bytes.View(), "bc");
  EXPECT_EQ(bytes.capacity(), room);
}

TEST(FilePaths, JapaneseTextSurvivesTheNativeSpelling) {
  const std::u16string text = u"ﾌｫｰﾑ/帳票 1\U0002000B.txt";
  EXPECT_EQ(PathText(NativePath(text)), text);
}

}  // namespace
}  // namespace tarnwick
