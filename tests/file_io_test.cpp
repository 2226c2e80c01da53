#include "files/file_io.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "base/error.h"
#include "text/utf8.h"

namespace tarnwick {
namespace {

class FileIo : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = std::filesystem::temp_directory_path() /
              ("tarnwick_file_io_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
               "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  std::u16string In(std::u16string_view name) const { return PathText(folder_) + u"/" + std::u16string(name); }

  std::filesystem::path folder_;
};

TEST_F(FileIo, WritesAndReadsBytesUnderAJapaneseName) {
  const std::u16string path = In(u"帳票①.txt");
  const std::string bytes("\x82\xA0\0\r\nend", 7);
  WriteFileBytes(path, bytes);
  EXPECT_TRUE(std::filesystem::exists(folder_ / "帳票①.txt"));
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

TEST_F(FileIo, FailuresThrowTheFileErrorNamingThePath) {
  const std::u16string missing = In(u"無い.txt");
  try {
    ReadFileBytes(missing);
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.Number(), kFileErrorNumber);
    EXPECT_NE(e.Description().find(missing), std::u16string::npos);
    EXPECT_NE(e.Description().find(u"No such file"), std::u16string::npos);
  }
  EXPECT_THROW(ReadFileBytes(PathText(folder_)), Error);
  EXPECT_THROW(WriteFileBytes(In(u"no/such/folder.txt"), "x"), Error);
  EXPECT_THROW(WriteFileBytes(PathText(folder_), "x"), Error);
}

TEST(FilePaths, ConvertThroughUtf8BothWays) {
  const std::u16string text = u"/tmp/ﾌｫｰﾑ/帳票 1.txt";
  EXPECT_EQ(NativePath(text).native(), ToUtf8(text));
  EXPECT_EQ(PathText(NativePath(text)), text);
}

}  // namespace
}  // namespace tarnwick
