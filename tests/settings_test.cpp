#include "app/settings.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "base/error.h"
#include "fake_window.h"
#include "files/file_io.h"
#include "files/paths.h"
#include "messages/message_error.h"
#include "text/cp932.h"
#include "text/utf8.h"

namespace tarnwick {
namespace {

Settings Read(std::u16string_view text) {
  Settings settings;
  ApplyIniText(text, settings);
  return settings;
}

TEST(SettingsLines, KeyIsTrimmedOfBlanksAndUpperCasedValueIsKeptWhole) {
  EXPECT_EQ(Read(u"output_path = C:\\OUT").OUTPUT_PATH, u" C:\\OUT");
  EXPECT_EQ(Read(u"SEARCH_STRING2=a = b ").SEARCH_STRING2, u"a = b ");
  EXPECT_EQ(Read(u"OUTPUT_FILE=a\r\nOUTPUT_FILE=b").OUTPUT_FILE, u"b");  // the last one wins
  EXPECT_EQ(Read(u"SRC_PATH=").SRC_PATH, u"");

  Settings settings = BaseDefaults();
  EXPECT_TRUE(ApplyIniLine(u"src_file1=*.txt;*.TXT", settings));
  EXPECT_EQ(settings.SRC_FILE1, u"*.txt;*.TXT");
  // A tab is no blank, so the key is unknown; lines without "=" are skipped.
  EXPECT_FALSE(ApplyIniLine(u"\tSRC_FILE1=x", settings));
  EXPECT_FALSE(ApplyIniLine(u"SRC_FILE1", settings));
  EXPECT_FALSE(ApplyIniLine(u"SRC_FILE9=x", settings));
  EXPECT_FALSE(ApplyIniLine(u"", settings));
  EXPECT_EQ(settings.SRC_FILE1, u"*.txt;*.TXT");
}

TEST(SettingsLines, HashStartsACommentOnlyAtLineStartOrAfterABlankOrTab) {
  EXPECT_EQ(Read(u"OUTPUT_PATH=C:\\A#B\\").OUTPUT_PATH, u"C:\\A#B\\");
  EXPECT_EQ(Read(u"SEARCH_STRING1=#x").SEARCH_STRING1, u"#x");
  EXPECT_EQ(Read(u"OUTPUT_PATH=C:\\A #B").OUTPUT_PATH, u"C:\\A ");
  EXPECT_EQ(Read(u"OUTPUT_PATH=C:\\A\t# note").OUTPUT_PATH, u"C:\\A\t");
  EXPECT_EQ(Read(u"#OUTPUT_PATH=C:\\A").OUTPUT_PATH, u"");
  EXPECT_EQ(Read(u"NO_CASE=True # yes").NO_CASE, false);  // "True " is not "TRUE"
  EXPECT_EQ(Read(u"NO_CASE=True# yes").NO_CASE, false);   // "#" belongs to the value
}

TEST(SettingsLines, ValueWordsAreMatchedExactlyAfterUpperCasing) {
  EXPECT_TRUE(Read(u"OUTPUT_AUTOOPEN=true").OUTPUT_AUTOOPEN);
  EXPECT_TRUE(Read(u"OUTPUT_AUTOOPEN=TRUE").OUTPUT_AUTOOPEN);
  EXPECT_FALSE(Read(u"OUTPUT_AUTOOPEN=yes").OUTPUT_AUTOOPEN);
  EXPECT_FALSE(Read(u"OUTPUT_AUTOOPEN=True ").OUTPUT_AUTOOPEN);
  EXPECT_FALSE(
      Read(u"OUTPUT_AUTOOPEN=ｔｒｕｅ").OUTPUT_AUTOOPEN);  // full-width letters fold to full width

  EXPECT_EQ(Read(u"MODE=file").MODE, CompareMode::File);
  EXPECT_EQ(Read(u"MODE=FILES").MODE, CompareMode::Folder);
  EXPECT_EQ(Read(u"MODE=").MODE, CompareMode::Folder);

  EXPECT_EQ(Read(u"TAB_PAGE=diff").TAB_PAGE, 1);
  EXPECT_EQ(Read(u"TAB_PAGE=DiffObj").TAB_PAGE, 2);
  EXPECT_EQ(Read(u"TAB_PAGE=SEARCH").TAB_PAGE, 3);
  EXPECT_EQ(Read(u"TAB_PAGE=x").TAB_PAGE, 3);
  EXPECT_EQ(Read(u"TAB_PAGE=").TAB_PAGE, 3);

  EXPECT_TRUE(Read(u"SEARCH_STRING2_COND=contain").SEARCH_STRING2_COND);
  EXPECT_FALSE(Read(u"SEARCH_STRING2_COND=NOT_CONTAIN").SEARCH_STRING2_COND);
  EXPECT_FALSE(Read(u"SEARCH_STRING3_COND=").SEARCH_STRING3_COND);
  EXPECT_FALSE(Read(u"COND_AND=False").COND_AND);
}

TEST(SettingsText, ReadingStartsFromTheBaseDefaultsAndKeepsOtherFields) {
  Settings settings;
  settings.OUTPUT_PATH = u"kept";
  settings.DIFF_ONLY = true;
  EXPECT_FALSE(ApplyIniText(u"", settings));
  Settings expected = BaseDefaults();
  expected.OUTPUT_PATH = u"kept";
  expected.DIFF_ONLY = true;
  EXPECT_EQ(settings, expected);

  EXPECT_EQ(BaseDefaults().MODE, CompareMode::Folder);
  EXPECT_EQ(BaseDefaults().TAB_PAGE, 1);
  EXPECT_TRUE(BaseDefaults().COND_AND && BaseDefaults().SEARCH_STRING1_COND &&
              BaseDefaults().SEARCH_STRING2_COND && BaseDefaults().SEARCH_STRING3_COND);
  EXPECT_EQ(Settings().MODE, CompareMode::None);
  EXPECT_EQ(Settings().TAB_PAGE, 0);
}

TEST(SettingsText, LinesEndAtCrLfLoneCrOrLoneLf) {
  const Settings settings =
      Read(u"SRC_PATH1=a\r\nSRC_PATH2=b\rSRC_PATH=c\nSRC_FILE=d\r\n\r\nOUTPUT_FILE=e");
  EXPECT_EQ(settings.SRC_PATH1, u"a");
  EXPECT_EQ(settings.SRC_PATH2, u"b");
  EXPECT_EQ(settings.SRC_PATH, u"c");
  EXPECT_EQ(settings.SRC_FILE, u"d");
  EXPECT_EQ(settings.OUTPUT_FILE, u"e");
}

TEST(SettingsText, InitialFirstLineMarksAFreshInstallationAndStopsReading) {
  Settings settings;
  EXPECT_TRUE(ApplyIniText(u"INITIAL\r\nOUTPUT_PATH=C:\\OUT\r\nDIFF_ONLY=False", settings));
  Settings expected = BaseDefaults();
  expected.DIFF_ONLY = true;
  expected.FOUND_ONLY = true;
  expected.NO_CASE = true;
  expected.OUTPUT_FILE = u"Result.html";
  EXPECT_EQ(settings, expected);

  Settings other;
  EXPECT_TRUE(ApplyIniText(u"INITIAL\nOUTPUT_FILE=x", other));
  EXPECT_EQ(other.OUTPUT_FILE, u"Result.html");
  EXPECT_FALSE(ApplyIniText(u"INITIAL# first", other));  // a "#" after a letter is no comment
  EXPECT_FALSE(ApplyIniText(u"INITIAL #note", other));   // the blank before the comment stays
  EXPECT_TRUE(ApplyIniText(u"INITIAL", other));
  EXPECT_FALSE(ApplyIniText(u"initial", other));
  EXPECT_FALSE(ApplyIniText(u" INITIAL", other));
  EXPECT_FALSE(ApplyIniText(u"TAB_PAGE=DIFF\r\nINITIAL", other));  // only the first line counts
  EXPECT_EQ(other.TAB_PAGE, 1);
}

TEST(SettingsText, IsWrittenInFixedOrderWithValueWords) {
  Settings settings;
  settings.OUTPUT_PATH = u"C:\\OUT\\";
  settings.OUTPUT_FILE = u"Result.html";
  settings.OUTPUT_AUTOOPEN = true;
  settings.DIFF_ONLY = true;
  settings.MODE = CompareMode::Folder;
  settings.SRC_PATH1 = u"C:\\旧\\";
  settings.SRC_FILE1 = u"*.txt";
  settings.SRC_PATH2 = u"C:\\新\\";
  settings.SRC_FILE2 = u"*.txt";
  settings.COND_AND = true;
  settings.SEARCH_STRING1 = u"ｶﾅ";
  settings.SEARCH_STRING1_COND = true;
  settings.TAB_PAGE = 2;
  EXPECT_EQ(IniText(settings),
            u"OUTPUT_PATH=C:\\OUT\\\r\n"
            u"OUTPUT_FILE=Result.html\r\n"
            u"OUTPUT_AUTOOPEN=True\r\n"
            u"DIFF_ONLY=True\r\n"
            u"MODE=FOLDER\r\n"
            u"SRC_PATH1=C:\\旧\\\r\n"
            u"SRC_FILE1=*.txt\r\n"
            u"SRC_PATH2=C:\\新\\\r\n"
            u"SRC_FILE2=*.txt\r\n"
            u"FOUND_ONLY=False\r\n"
            u"NO_CASE=False\r\n"
            u"COND_AND=True\r\n"
            u"SRC_PATH=\r\n"
            u"SRC_FILE=\r\n"
            u"SEARCH_STRING1=ｶﾅ\r\n"
            u"SEARCH_STRING1_COND=CONTAIN\r\n"
            u"SEARCH_STRING2=\r\n"
            u"SEARCH_STRING2_COND=NOT_CONTAIN\r\n"
            u"SEARCH_STRING3=\r\n"
            u"SEARCH_STRING3_COND=NOT_CONTAIN\r\n"
            u"DIFF_OBJ_ONLY=False\r\n"
            u"TAB_PAGE=DIFFOBJ\r\n");

  // The start values: no mode is written as FILE, page 0 as SEARCH.
  const std::u16string start = IniText(Settings());
  EXPECT_NE(start.find(u"\r\nMODE=FILE\r\n"), std::u16string::npos);
  EXPECT_TRUE(start.ends_with(u"\r\nTAB_PAGE=SEARCH\r\n"));
  settings.MODE = CompareMode::File;
  settings.TAB_PAGE = 1;
  EXPECT_NE(IniText(settings).find(u"\r\nMODE=FILE\r\n"), std::u16string::npos);
  EXPECT_TRUE(IniText(settings).ends_with(u"\r\nTAB_PAGE=DIFF\r\n"));
}

TEST(SettingsText, OptionsBeyondTheClassicAreWrittenOnlyWhenNotAtTheirDefault) {
  // A file written by the classic program reads and writes back unchanged.
  Settings settings;
  const std::u16string classic = IniText([] {
    Settings s = BaseDefaults();
    s.OUTPUT_PATH = u"C:\\OUT\\";
    s.DIFF_ONLY = true;
    return s;
  }());
  ApplyIniText(classic, settings);
  EXPECT_EQ(IniText(settings), classic);
  EXPECT_EQ(classic.find(u"PAGE_STYLE"), std::u16string::npos);

  ASSERT_TRUE(ApplyIniLine(u"page_style=review", settings));
  ASSERT_TRUE(ApplyIniLine(u"IGNORE_BLANKS=true", settings));
  ASSERT_TRUE(ApplyIniLine(u"ignore_file=C:\\rules\\座標.txt", settings));
  EXPECT_EQ(settings.PAGE_STYLE, PageStyle::Review);
  EXPECT_TRUE(settings.IGNORE_BLANKS);
  EXPECT_FALSE(settings.IGNORE_CASE);
  EXPECT_EQ(settings.IGNORE_FILE, u"C:\\rules\\座標.txt");
  EXPECT_EQ(IniText(settings), classic +
                                   u"PAGE_STYLE=REVIEW\r\nIGNORE_BLANKS=True\r\n"
                                   u"IGNORE_FILE=C:\\rules\\座標.txt\r\n");

  // Read back, and back to the defaults: the file is the classic one again.
  Settings again;
  ApplyIniText(IniText(settings), again);
  EXPECT_EQ(again, settings);
  ApplyIniLine(u"PAGE_STYLE=CLASSIC", again);
  ApplyIniLine(u"IGNORE_BLANKS=False", again);
  ApplyIniLine(u"IGNORE_CASE=yes", again);  // only TRUE is true
  ApplyIniLine(u"IGNORE_FILE=", again);
  EXPECT_EQ(IniText(again), classic);
  ApplyIniLine(u"PAGE_STYLE=fancy", again);
  EXPECT_EQ(again.PAGE_STYLE, PageStyle::Classic);
}

TEST(SettingsOptions, LanguageEncodingAndErrorChoicesRoundTripAndFallBackToTheirDefault) {
  Settings settings = BaseDefaults();
  const std::u16string classic = IniText(settings);
  ASSERT_TRUE(ApplyIniLine(u"ui_language=en", settings));
  ASSERT_TRUE(ApplyIniLine(u"REPORT_ENCODING=windows-1252", settings));
  ASSERT_TRUE(ApplyIniLine(u"ON_ERROR=Continue", settings));
  EXPECT_EQ(settings.UI_LANGUAGE, UiLanguage::English);
  EXPECT_EQ(settings.REPORT_ENCODING, ReportEncoding::Windows1252);
  EXPECT_EQ(settings.ON_ERROR, OnError::Continue);
  EXPECT_EQ(IniText(settings),
            classic + u"UI_LANGUAGE=EN\r\nREPORT_ENCODING=WINDOWS-1252\r\nON_ERROR=CONTINUE\r\n");

  // The file is read leniently: a value that is none of the spellings is the default.
  ApplyIniLine(u"UI_LANGUAGE=english", settings);
  ApplyIniLine(u"REPORT_ENCODING=utf8", settings);
  ApplyIniLine(u"ON_ERROR=", settings);
  EXPECT_EQ(IniText(settings), classic);
  ApplyIniLine(u"REPORT_ENCODING=UTF-8", settings);
  EXPECT_EQ(settings.REPORT_ENCODING, ReportEncoding::Utf8);

  EXPECT_EQ(AllowedValues(u"on_error"), (std::vector<std::u16string_view>{u"STOP", u"CONTINUE"}));
  EXPECT_EQ(AllowedValues(u"DIFF_ONLY"), (std::vector<std::u16string_view>{u"False", u"True"}));
  EXPECT_TRUE(AllowedValues(u"SRC_PATH1").empty());
  EXPECT_TRUE(AllowedValues(u"NO_SUCH_KEY").empty());
}

class SettingsFile : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = std::filesystem::temp_directory_path() /
              ("tarnwick_settings_" + std::to_string(::getpid()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
    iniPath_ = SetIniPath(PathText(folder_), u"Tarnwick.ini");
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  std::filesystem::path folder_;
  std::u16string iniPath_;
  testing::FakeWindow window_;
};

TEST_F(SettingsFile, PathIsTheFileBesideTheExecutable) {
  const std::u16string sep(1, NativeSeparator());
  EXPECT_EQ(iniPath_, PathText(folder_) + sep + u"Tarnwick.ini");
  EXPECT_EQ(SetIniPath(sep + u"opt" + sep, u"Tarnwick.ini"), sep + u"opt" + sep + u"Tarnwick.ini");
}

TEST_F(SettingsFile, WriteThenReadGivesEveryValueBackIncludingHashes) {
  Settings written;
  written.OUTPUT_PATH = u"/out/A#B/";
  written.OUTPUT_FILE = u"結果#1.html";
  written.OUTPUT_AUTOOPEN = true;
  written.MODE = CompareMode::File;
  written.SRC_PATH1 = u"/data/帳票①/";
  written.SRC_FILE1 = u"FORM1.txt";
  written.SRC_PATH2 = u" leading blank";
  written.SRC_FILE2 = u"a=b";
  written.FOUND_ONLY = true;
  written.NO_CASE = true;
  written.COND_AND = false;
  written.SRC_PATH = u"/src/～＼/";
  written.SRC_FILE = u"*.TXT;ｶﾅ*.txt";
  written.SEARCH_STRING1 = u"A#B";
  written.SEARCH_STRING1_COND = false;
  written.SEARCH_STRING2 = u"#x";
  written.SEARCH_STRING2_COND = true;
  written.SEARCH_STRING3 = u"trailing blank ";
  written.SEARCH_STRING3_COND = false;
  written.DIFF_OBJ_ONLY = true;
  written.TAB_PAGE = 3;

  ASSERT_TRUE(WriteIni(iniPath_, written, window_));
  EXPECT_TRUE(window_.messages.empty());
  const std::string bytes = ReadFileBytes(iniPath_);
  EXPECT_TRUE(
      bytes.starts_with("OUTPUT_PATH=/out/A#B/\r\nOUTPUT_FILE=\x8C\x8B\x89\xCA#1.html\r\n"));

  Settings read;
  EXPECT_FALSE(ReadIni(iniPath_, read));
  EXPECT_EQ(read, written);
}

TEST_F(SettingsFile, ReadingAMissingFileChangesNothing) {
  Settings settings;
  EXPECT_FALSE(ReadIni(iniPath_, settings));
  EXPECT_EQ(settings, Settings());
  EXPECT_FALSE(ReadIni(PathText(folder_), settings));  // a folder is no file either
  EXPECT_EQ(settings, Settings());
}

TEST_F(SettingsFile, IsReadAsCodePage932) {
  WriteFileBytes(iniPath_, "INITIAL\r\n");
  Settings fresh;
  EXPECT_TRUE(ReadIni(iniPath_, fresh));
  EXPECT_EQ(fresh.OUTPUT_FILE, u"Result.html");

  WriteFileBytes(iniPath_, "SEARCH_STRING1=\x8C\x9F\x8D\xF5\x81\x60\nMODE=file\n");
  Settings settings;
  EXPECT_FALSE(ReadIni(iniPath_, settings));
  EXPECT_EQ(settings.SEARCH_STRING1, u"検索～");
  EXPECT_EQ(settings.MODE, CompareMode::File);
}

// The bytes of the base defaults with TAB_PAGE 2 and this SRC_PATH1.
std::string BaseFileWith(std::string_view srcPath1) {
  return "OUTPUT_PATH=\r\nOUTPUT_FILE=\r\nOUTPUT_AUTOOPEN=False\r\nDIFF_ONLY=False\r\n"
         "MODE=FOLDER\r\nSRC_PATH1=" +
         std::string(srcPath1) +
         "\r\nSRC_FILE1=\r\nSRC_PATH2=\r\nSRC_FILE2=\r\nFOUND_ONLY=False\r\n"
         "NO_CASE=False\r\nCOND_AND=True\r\nSRC_PATH=\r\nSRC_FILE=\r\n"
         "SEARCH_STRING1=\r\nSEARCH_STRING1_COND=CONTAIN\r\nSEARCH_STRING2=\r\n"
         "SEARCH_STRING2_COND=CONTAIN\r\nSEARCH_STRING3=\r\nSEARCH_STRING3_COND=CONTAIN\r\n"
         "DIFF_OBJ_ONLY=False\r\nTAB_PAGE=DIFFOBJ\r\n";
}

TEST_F(SettingsFile, ValuesCodePage932CannotHoldAreWrittenAsUtf8AfterAByteOrderMark) {
  Settings settings = BaseDefaults();
  settings.TAB_PAGE = 2;
  settings.SRC_PATH1 = u"/srv/旧①/";  // code page 932 holds it: the classic file
  ASSERT_TRUE(WriteIni(iniPath_, settings, window_));
  EXPECT_EQ(ReadFileBytes(iniPath_), BaseFileWith("/srv/\x8B\x8C\x87\x40/"));

  settings.SRC_PATH1 = u"/srv/café-ü-Ω-①/";
  ASSERT_TRUE(WriteIni(iniPath_, settings, window_));
  EXPECT_EQ(ReadFileBytes(iniPath_), "\xEF\xBB\xBF" + BaseFileWith("/srv/café-ü-Ω-①/"));
  Settings read;
  ReadIni(iniPath_, read);
  EXPECT_EQ(read, settings);

  // A character beyond U+FFFF and a value longer than a text box's default
  // limit come back whole.
  settings.SEARCH_STRING1 = std::u16string(70000, u'x') + u"\U0001F600";
  ASSERT_TRUE(WriteIni(iniPath_, settings, window_));
  ReadIni(iniPath_, read);
  EXPECT_EQ(read, settings);
  EXPECT_TRUE(window_.messages.empty());
}

TEST_F(SettingsFile, AByteOrderMarkIsReadAsUtf8FromTheFirstKeyOn) {
  WriteFileBytes(iniPath_, "\xEF\xBB\xBFOUTPUT_PATH=/out/Ω/\r\nMODE=file\r\n");
  Settings settings;
  EXPECT_FALSE(ReadIni(iniPath_, settings));
  EXPECT_EQ(settings.OUTPUT_PATH, u"/out/Ω/");
  EXPECT_EQ(settings.MODE, CompareMode::File);
  EXPECT_EQ(ReadIniText(iniPath_), u"OUTPUT_PATH=/out/Ω/\r\nMODE=file\r\n");

  WriteFileBytes(iniPath_, "\xEF\xBB\xBFINITIAL\r\n");
  EXPECT_TRUE(ReadIni(iniPath_, settings));
}

TEST_F(SettingsFile, SettingsTheReaderWouldRefuseAreNotWritten) {
  WriteFileBytes(iniPath_, "OUTPUT_PATH=/out/\r\n");
  Settings settings = BaseDefaults();
  settings.SEARCH_STRING1 = std::u16string(kMaxIniBytes, u'x');
  EXPECT_FALSE(WriteIni(iniPath_, settings, window_));
  ASSERT_EQ(window_.messages.size(), 1u);
  EXPECT_EQ(window_.messages[0].text,
            u"iniファイルの書き込み中にエラーが発生しました。\r\n"
            u"設定値が長すぎます。設定ファイルは1048576バイトまでです。");
  EXPECT_EQ(ReadFileBytes(iniPath_), "OUTPUT_PATH=/out/\r\n");

  settings.SEARCH_STRING1.resize(kMaxIniBytes - IniText(BaseDefaults()).size());
  ASSERT_TRUE(WriteIni(iniPath_, settings, window_));  // exactly the most the reader takes
  Settings read;
  ReadIni(iniPath_, read);
  EXPECT_EQ(read, settings);
}

TEST(SettingsBytes, TellTextFromBytesThatAreNoText) {
  const IniDecoding cp932 = DecodeIniBytes("SRC_PATH=\x8B\x8C\x87\x90\r\n");
  EXPECT_EQ(cp932.text, u"SRC_PATH=旧≒\r\n");
  // 0x8790 is written back as 0x81E0, the same character: nothing is lost.
  EXPECT_TRUE(cp932.lossless);
  for (const std::string_view noText :
       {"SRC_PATH=\x81 /\r\n", "SRC_PATH=\x85\x40", "SRC_PATH=/a/\x81",
        "\xEF\xBB\xBFSRC_PATH=\xC3(", "\xEF\xBB\xBFSRC_PATH=\xED\xA0\x80"}) {
    EXPECT_FALSE(DecodeIniBytes(noText).lossless) << noText;
  }
  EXPECT_TRUE(DecodeIniBytes("\xEF\xBB\xBFSRC_PATH=\xEF\xBF\xBD").lossless);  // U+FFFD itself

  EXPECT_EQ(EncodeIniBytes(u"A=ｶﾅ\r\n"), "A=\xB6\xC5\r\n");
  EXPECT_EQ(EncodeIniBytes(u"A=ｶﾅ\u00A0\r\n"),
            "\xEF\xBB\xBF"
            "A=\xEF\xBD\xB6\xEF\xBE\x85\xC2\xA0\r\n");
}

TEST_F(SettingsFile, AFileThatWasNotReadWholeIsToBeKept) {
  // Why, in the words of the language the window speaks.
  const auto why = [](const IniReading& reading, MessageCatalog catalog = JapaneseCatalog) {
    return MessagesText(reading.keepReason, catalog);
  };
  Settings settings;
  EXPECT_EQ(why(ReadIniFile(iniPath_, settings)), u"");  // none yet: a first start
  EXPECT_EQ(settings, Settings());

  WriteFileBytes(iniPath_, "INITIAL\r\n");
  const IniReading fresh = ReadIniFile(iniPath_, settings);
  EXPECT_TRUE(fresh.freshInstallation);
  EXPECT_TRUE(fresh.keepReason.empty());

  WriteFileBytes(iniPath_, "SRC_PATH=/a/\x81 /\r\nMODE=FILE\r\n");
  Settings noText;
  const IniReading partly = ReadIniFile(iniPath_, noText);
  EXPECT_EQ(why(partly), u"コードページ932の文字として読めないバイトが含まれています。");
  EXPECT_EQ(why(partly, EnglishCatalog), u"It holds bytes that are not code page 932 text.");
  EXPECT_EQ(noText.SRC_PATH, u"/a/\uFFFD /");  // read as far as it goes, for this session
  EXPECT_EQ(noText.MODE, CompareMode::File);

  WriteFileBytes(iniPath_, "\xEF\xBB\xBFSRC_PATH=\xFF\r\n");
  EXPECT_EQ(why(ReadIniFile(iniPath_, noText)), u"UTF-8として読めないバイトが含まれています。");

  WriteFileBytes(iniPath_, "MODE=FILE\r\n" + std::string(kMaxIniBytes, '#'));
  Settings tooLarge;
  const IniReading large = ReadIniFile(iniPath_, tooLarge);
  EXPECT_NE(why(large), u"");
  EXPECT_TRUE(why(large, EnglishCatalog).starts_with(u"The file is too large"))
      << ToUtf8(why(large, EnglishCatalog));
  EXPECT_EQ(tooLarge, Settings());

  std::filesystem::remove(NativePath(iniPath_));
  std::filesystem::create_directory(NativePath(iniPath_));
  EXPECT_FALSE(ReadIniFile(iniPath_, tooLarge).keepReason.empty());
  EXPECT_EQ(tooLarge, Settings());
}

TEST_F(SettingsFile, AValueWithALineBreakIsRefusedAndTheFileKeepsItsLines) {
  WriteFileBytes(iniPath_, "OUTPUT_PATH=/out/\r\n");
  for (const std::u16string bad : {u"/data/\n", u"/a\rOUTPUT_PATH=/etc/", u"x\r\ny"}) {
    Settings settings = BaseDefaults();
    settings.SRC_PATH2 = bad;
    EXPECT_THROW(IniText(settings), Error);
    window_.messages.clear();
    EXPECT_FALSE(WriteIni(iniPath_, settings, window_));
    ASSERT_EQ(window_.messages.size(), 1u);
    EXPECT_EQ(window_.messages[0].icon, MessageIcon::Critical);
    EXPECT_EQ(window_.messages[0].text,
              u"iniファイルの書き込み中にエラーが発生しました。\r\n"
              u"設定値[SRC_PATH2]に改行が含まれています。");
    EXPECT_EQ(ReadFileBytes(iniPath_), "OUTPUT_PATH=/out/\r\n");  // untouched
  }
}

TEST_F(SettingsFile, WriteFailureIsShownAsACriticalMessage) {
  const std::u16string badPath = PathText(folder_) + u"/missing/Tarnwick.ini";
  EXPECT_FALSE(WriteIni(badPath, BaseDefaults(), window_));
  ASSERT_EQ(window_.messages.size(), 1u);
  const auto& [text, icon] = window_.messages[0];
  EXPECT_EQ(icon, MessageIcon::Critical);
  const std::u16string head = u"iniファイルの書き込み中にエラーが発生しました。\r\n";
  EXPECT_TRUE(text.starts_with(head));
  EXPECT_GT(text.size(), head.size());  // the system's description follows
  EXPECT_NE(text.find(badPath), std::u16string::npos);
}

TEST(SettingValueText, GivesAValueAsTheFileWouldHoldIt) {
  Settings settings = BaseDefaults();
  settings.SRC_PATH1 = u"C:\\旧\\";
  EXPECT_EQ(SettingValueText(settings, u"SRC_PATH1"), u"C:\\旧\\");
  EXPECT_EQ(SettingValueText(settings, u"src_path1"), u"C:\\旧\\");
  EXPECT_EQ(SettingValueText(settings, u"COND_AND"), u"True");
  EXPECT_EQ(SettingValueText(settings, u"SEARCH_STRING2_COND"), u"CONTAIN");
  EXPECT_EQ(SettingValueText(settings, u"PAGE_STYLE"), u"CLASSIC");
  EXPECT_EQ(SettingValueText(settings, u"<REPORT1>"), std::nullopt);
  for (const std::u16string_view key : SettingKeys()) {
    EXPECT_TRUE(SettingValueText(settings, key).has_value()) << ToUtf8(key);
  }
}

TEST_F(SettingsFile, AHomeThatCannotBeWrittenMovesToTheUsersCopyAndSaysSo) {
  // The program's folder is a file here, so nothing can be written into it.
  const std::u16string sep(1, NativeSeparator());
  WriteFileBytes(PathText(folder_) + sep + u"program", "not a folder");
  const SettingsHome home{
      PathText(folder_) + sep + u"program" + sep + u"Tarnwick.ini",
      PathText(folder_) + sep + u"user" + sep + u"Tarnwick" + sep + u"Tarnwick.ini"};
  EXPECT_EQ(home.FileToRead(), home.besideExecutable);
  Settings settings = BaseDefaults();
  settings.SRC_PATH1 = u"/forms/v1/";

  EXPECT_EQ(WriteIniHome(home, settings, window_), home.userCopy);
  ASSERT_EQ(window_.messageValues.size(), 1u);
  EXPECT_EQ(window_.messages[0].icon, MessageIcon::Information);
  EXPECT_EQ(window_.messages[0].text, u"設定ファイル[" + home.besideExecutable +
                                          u"]に書き込めないため、設定を[" + home.userCopy +
                                          u"]に保存しました。次回からはこちらを読み込みます。");
  // From now on the copy is read, and written without a word.
  EXPECT_EQ(home.FileToRead(), home.userCopy);
  Settings read;
  ReadIni(home.FileToRead(), read);
  EXPECT_EQ(read, settings);
  settings.SRC_PATH1 = u"/forms/v2/";
  EXPECT_EQ(WriteIniHome(home, settings, window_), home.userCopy);
  EXPECT_EQ(window_.messageValues.size(), 1u);
  ReadIni(home.FileToRead(), read);
  EXPECT_EQ(read.SRC_PATH1, u"/forms/v2/");
}

TEST_F(SettingsFile, AWritableHomeKeepsItsFileAndAFailureWithoutACopyIsShown) {
  const std::u16string sep(1, NativeSeparator());
  const SettingsHome home{iniPath_, PathText(folder_) + sep + u"user" + sep + u"Tarnwick.ini"};
  EXPECT_EQ(WriteIniHome(home, BaseDefaults(), window_), iniPath_);
  EXPECT_TRUE(window_.messages.empty());
  EXPECT_FALSE(std::filesystem::exists(folder_ / "user"));

  const SettingsHome nowhere{PathText(folder_) + sep + u"missing" + sep + u"Tarnwick.ini", u""};
  EXPECT_EQ(WriteIniHome(nowhere, BaseDefaults(), window_), u"");
  ASSERT_EQ(window_.messageValues.size(), 1u);
  EXPECT_EQ(window_.messageValues[0].id, MessageId::SettingsWriteFailed);
  EXPECT_EQ(window_.messages[0].icon, MessageIcon::Critical);

  // A value with a line break goes to neither file.
  Settings bad = BaseDefaults();
  bad.SRC_PATH2 = u"a\nb";
  const SettingsHome unwritable{nowhere.besideExecutable, home.userCopy};
  EXPECT_EQ(WriteIniHome(unwritable, bad, window_), u"");
  EXPECT_EQ(window_.messageValues.back().id, MessageId::SettingsWriteFailed);
  EXPECT_FALSE(std::filesystem::exists(folder_ / "user"));
}

}  // namespace
}  // namespace tarnwick
