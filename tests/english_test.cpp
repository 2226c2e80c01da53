// The English user interface: every message has English words, and a run
// with UI_LANGUAGE=EN writes pages, messages and JSON without a Japanese
// word of its own (what the reports themselves say aside).
#include <gtest/gtest.h>

#include <array>
#include <cstddef>
#include <cstring>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "cli_runner.h"
#include "messages/message_catalog.h"
#include "messages/page_words.h"
#include "runs_fixture.h"
#include "text/utf8.h"

namespace tarnwick {
namespace {

using testing::CliResult;
using testing::RunCli;
using testing::ScratchFolder;

bool IsJapanese(char16_t c) {
  return (c >= 0x3000 && c <= 0x30FF) || (c >= 0x31F0 && c <= 0x31FF) ||
         (c >= 0x3400 && c <= 0x4DBF) || (c >= 0x4E00 && c <= 0x9FFF) ||
         (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFF00 && c <= 0xFFEF);
}

// The text around the first Japanese character, empty when there is none.
std::u16string FirstJapanese(std::u16string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (!IsJapanese(text[i])) continue;
    const std::size_t from = i > 60 ? i - 60 : 0;
    return std::u16string(text.substr(from, 120));
  }
  return {};
}

// The placeholders {1}, {2}, ... a text uses.
std::set<std::u16string> Placeholders(std::u16string_view text) {
  std::set<std::u16string> found;
  for (std::size_t i = text.find(u'{'); i != text.npos; i = text.find(u'{', i + 1)) {
    const std::size_t close = text.find(u'}', i);
    if (close != text.npos) found.insert(std::u16string(text.substr(i, close - i + 1)));
  }
  return found;
}

TEST(EnglishCatalog, EveryMessageHasEnglishWordsWithTheSameParameters) {
  for (int n = 0; n <= static_cast<int>(MessageId::Progress); ++n) {
    const auto id = static_cast<MessageId>(n);
    const std::u16string_view ja = JapaneseCatalog(id);
    const std::u16string_view en = EnglishCatalog(id);
    EXPECT_EQ(en.empty(), ja.empty()) << "message " << n << " has no English words";
    EXPECT_EQ(FirstJapanese(en), u"") << n;
    EXPECT_EQ(Placeholders(en), Placeholders(ja)) << n;
  }
  EXPECT_EQ(CatalogFor(UiLanguage::English), &EnglishCatalog);
  EXPECT_EQ(CatalogFor(UiLanguage::Japanese), &JapaneseCatalog);
}

TEST(EnglishCatalog, StagesAndRunErrorsReadInEitherLanguage) {
  const auto stage = [](MessageId id, MessageCatalog catalog) {
    return MessageText({MessageId::RunFailed, {MessageText({id, {u"/r/A.txt"}}, catalog), u"D"}},
                       catalog);
  };
  // The Japanese stages are the classic ones, word for word.
  EXPECT_EQ(stage(MessageId::StageReading, JapaneseCatalog),
            u"ファイル文章[/r/A.txt]の読み込み中に、エラーが発生しました。\r\nD");
  EXPECT_EQ(stage(MessageId::StageParsing, JapaneseCatalog),
            u"フォーム文章[/r/A.txt]の解析中に、エラーが発生しました。\r\nD");
  EXPECT_EQ(stage(MessageId::StageComparing, JapaneseCatalog),
            u"フォーム文章の差分作成中に、エラーが発生しました。\r\nD");
  EXPECT_EQ(stage(MessageId::StageComparingPair, JapaneseCatalog),
            u"フォーム文章[/r/A.txt]の差分作成中に、エラーが発生しました。\r\nD");
  EXPECT_EQ(stage(MessageId::StageSearching, JapaneseCatalog),
            u"フォーム文章[/r/A.txt]の検索中に、エラーが発生しました。\r\nD");
  EXPECT_EQ(stage(MessageId::StageWriting, JapaneseCatalog),
            u"ファイル[/r/A.txt]の出力中に、エラーが発生しました。\r\nD");
  EXPECT_EQ(stage(MessageId::StageReading, EnglishCatalog),
            u"Reading the report [/r/A.txt]: An error occurred.\r\nD");
  // Without a stage the English message still starts as a sentence.
  EXPECT_EQ(MessageText({MessageId::RunFailed, {u"", u"D"}}, EnglishCatalog),
            u"An error occurred.\r\nD");
}

// The tables as arrays of their words, to look at every one.
constexpr std::size_t kWordCount = sizeof(PageWords) / sizeof(std::u16string_view);
static_assert(sizeof(PageWords) == kWordCount * sizeof(std::u16string_view));

std::array<std::u16string_view, kWordCount> WordsOf(const PageWords& words) {
  std::array<std::u16string_view, kWordCount> all;
  std::memcpy(static_cast<void*>(all.data()), &words, sizeof words);
  return all;
}

TEST(PageWords, EveryWordHasEnglishAndTheStylesMarkerIsInNone) {
  const auto ja = WordsOf(JapanesePageWords());
  const auto en = WordsOf(EnglishPageWords());
  // English numbers its places without a suffix; every other word is there.
  const std::size_t ordinal = offsetof(PageWords, ordinalSuffix) / sizeof(std::u16string_view);
  for (std::size_t i = 0; i < kWordCount; ++i) {
    EXPECT_FALSE(ja[i].empty()) << "word " << i << " has no Japanese";
    if (i != ordinal) {
      EXPECT_FALSE(en[i].empty()) << "word " << i << " has no English";
    }
    EXPECT_EQ(FirstJapanese(en[i]), u"") << i;
    EXPECT_EQ(en[i].find(u"@@"), en[i].npos) << i;
    EXPECT_EQ(ja[i].find(u"@@"), ja[i].npos) << i;
  }
  EXPECT_EQ(&PageWordsFor(UiLanguage::English), &EnglishPageWords());
  EXPECT_EQ(&PageWordsFor(UiLanguage::Japanese), &JapanesePageWords());
}

// A form module with two blocks, whose values are ASCII: only the labels of
// the report are Japanese. `swapped` lists BLK2 first.
std::u16string TwoBlockReport(std::u16string_view title, std::u16string_view query, bool swapped) {
  const std::u16string blk1 = u"  * 名前 BLK1\r\n    問合せ可能 " + std::u16string(query) + u"\r\n";
  const std::u16string blk2 = u"  * 名前 BLK2\r\n    問合せ可能 Yes\r\n";
  return u"* 名前 ORDERS\r\n  タイトル " + std::u16string(title) + u"\r\n  ブロック\r\n" +
         (swapped ? blk2 + blk1 : blk1 + blk2);
}

// What the reports and the parser's tree call things: the only Japanese a
// page may hold.
std::u16string WithoutReportWords(std::u16string text) {
  for (const std::u16string_view word :
       {u"名前", u"タイトル", u"ブロック", u"問合せ可能", u"ﾌｫｰﾑ"}) {
    for (std::size_t at = text.find(word); at != text.npos; at = text.find(word, at)) {
      text.erase(at, word.size());
    }
  }
  return text;
}

class EnglishRun : public ::testing::TestWithParam<const char16_t*> {
 protected:
  EnglishRun() {
    in1 = scratch.Folder(u"v1");
    in2 = scratch.Folder(u"v2");
    out = scratch.Folder(u"out");
    scratch.WriteText(u"v1", u"A.txt", TwoBlockReport(u"Orders", u"Yes", false));
    scratch.WriteText(u"v2", u"A.txt", TwoBlockReport(u"Orders 2", u"No", true));
    scratch.WriteText(u"v1", u"B.txt", TwoBlockReport(u"Only", u"Yes", false));
    scratch.WriteText(u"v2", u"C.txt", TwoBlockReport(u"Only", u"Yes", false));
    scratch.WriteText(u"v1", u"D.txt", TwoBlockReport(u"Same", u"Yes", false));
    scratch.WriteText(u"v2", u"D.txt", TwoBlockReport(u"Same", u"Yes", false));
    rules = scratch.Write(u"", u"rules.txt", "タイトル\n");
  }

  std::vector<std::u16string> Args(std::vector<std::u16string> args) const {
    for (const std::u16string& setting :
         std::vector<std::u16string>{u"UI_LANGUAGE=EN", u"OUTPUT_PATH=" + out, u"OUTPUT_FILE=index",
                                     std::u16string(u"PAGE_STYLE=") + GetParam()}) {
      args.push_back(u"--set");
      args.push_back(setting);
    }
    args.push_back(u"--json");
    args.push_back(out + u"run.json");
    return args;
  }

  // Every page written (classic ones decoded from code page 932), the JSON
  // and what the command printed, with what came from the reports taken out.
  void ExpectNoJapanese(const CliResult& result) const {
    EXPECT_EQ(FirstJapanese(WithoutReportWords(FromUtf8(result.err))), u"") << result.err;
    EXPECT_EQ(FirstJapanese(WithoutReportWords(FromUtf8(result.out))), u"");
    std::size_t pages = 0;
    for (const auto& entry : std::filesystem::directory_iterator(NativePath(out))) {
      const std::u16string path = PathText(entry.path());
      const std::string bytes = ScratchFolder::Read(path);
      const bool utf8 = std::u16string_view(GetParam()) == u"REVIEW" || path.ends_with(u".json");
      const std::u16string text = WithoutReportWords(utf8 ? FromUtf8(bytes) : DecodeCp932(bytes));
      EXPECT_EQ(FirstJapanese(text), u"") << ToUtf8(path);
      ++pages;
    }
    EXPECT_GT(pages, 1u);
  }

  ScratchFolder scratch;
  std::u16string in1, in2, out, rules;
};

TEST_P(EnglishRun, AFolderComparisonSpeaksEnglish) {
  const CliResult result =
      RunCli(Args({u"diff", u"--set", u"SRC_PATH1=" + in1, u"--set", u"SRC_FILE1=*.txt", u"--set",
                   u"SRC_PATH2=" + in2, u"--set", u"SRC_FILE2=*.txt", u"--set",
                   u"IGNORE_BLANKS=True", u"--set", u"IGNORE_CASE=True", u"--ignore", rules}));
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.err, "Finished.\n");
  const std::string json = ScratchFolder::Read(out + u"run.json");
  EXPECT_NE(json.find("\"messages\":[\"Finished.\"]"), json.npos) << json;
  EXPECT_NE(json.find("\"statusText\":\"Different\""), json.npos) << json;
  EXPECT_NE(json.find("\"statusText\":\"Only in folder 1\""), json.npos) << json;
  EXPECT_NE(json.find("\"statusText\":\"Same\""), json.npos) << json;
  std::u16string summary = ScratchFolder::ReadText(out + u"index.html");
  if (std::u16string_view(GetParam()) == u"REVIEW") {
    summary = FromUtf8(ScratchFolder::Read(out + u"index.html"));
  }
  // Classic cells write their blanks as &nbsp;.
  for (std::size_t at = summary.find(u"&nbsp;"); at != summary.npos; at = summary.find(u"&nbsp;")) {
    summary.replace(at, 6, u" ");
  }
  EXPECT_NE(summary.find(u"File comparison started: "), summary.npos);
  EXPECT_NE(summary.find(u"blank differences ignored, letter case ignored"), summary.npos);
  ExpectNoJapanese(result);
  // An English summary is still known for a comparison's: a search does not replace it.
  const CliResult search = RunCli(Args({u"search", u"--set", u"SRC_PATH=" + in1, u"--set",
                                        u"SRC_FILE=*.txt", u"--set", u"SEARCH_STRING1=yes"}));
  EXPECT_NE(search.err.find("another kind of run wrote"), search.err.npos) << search.err;
}

TEST_P(EnglishRun, TheTextViewSpeaksEnglish) {
  const CliResult result =
      RunCli(Args({u"diff", u"--format", u"text", u"--set", u"SRC_PATH1=" + in1, u"--set",
                   u"SRC_FILE1=*.txt", u"--set", u"SRC_PATH2=" + in2, u"--set", u"SRC_FILE2=*.txt",
                   u"--ignore", rules, u"--color=never"}));
  EXPECT_EQ(result.status, 0) << result.err;
  const std::u16string view = WithoutReportWords(FromUtf8(result.out));
  EXPECT_NE(view.find(u" (moved: 1 → 2)"), view.npos) << result.out;
  EXPECT_NE(view.find(u"(ignored) : Orders → Orders 2"), view.npos) << result.out;
  EXPECT_NE(
      view.find(u"Objects: added 0, removed 0, changed 1, moved 1; lines: added 1, removed 1"),
      view.npos)
      << result.out;
  ExpectNoJapanese(result);
}

TEST_P(EnglishRun, TheMarkdownViewSpeaksEnglish) {
  const CliResult result =
      RunCli(Args({u"diff", u"--format", u"markdown", u"--set", u"SRC_PATH1=" + in1, u"--set",
                   u"SRC_FILE1=*.txt", u"--set", u"SRC_PATH2=" + in2, u"--set", u"SRC_FILE2=*.txt",
                   u"--ignore", rules}));
  EXPECT_EQ(result.status, 0) << result.err;
  const std::u16string view = WithoutReportWords(FromUtf8(result.out));
  EXPECT_TRUE(
      view.starts_with(u"### Comparison result\n\n"
                       u"Pairs compared **4**, different **3**, same **1**\n\n"))
      << result.out;
  EXPECT_NE(view.find(u"| Report | Status | Added | Removed | Changed | Lines |"), view.npos);
  EXPECT_NE(view.find(u"| `B.TXT` | Only in folder 1 |"), view.npos) << result.out;
  EXPECT_NE(view.find(u" _(ignored)_"), view.npos) << result.out;
  ExpectNoJapanese(result);
}

TEST_P(EnglishRun, ASearchSpeaksEnglish) {
  const CliResult result =
      RunCli(Args({u"search", u"--set", u"SRC_PATH=" + in1, u"--set", u"SRC_FILE=*.txt", u"--set",
                   u"SEARCH_STRING1=yes", u"--set", u"SEARCH_STRING2=Zzz", u"--set",
                   u"SEARCH_STRING2_COND=NOT_CONTAIN", u"--set", u"NO_CASE=True", u"--set",
                   u"FOUND_ONLY=True"}));
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.err, "Finished.\n");
  const std::string json = ScratchFolder::Read(out + u"run.json");
  EXPECT_NE(json.find("\"statusText\":\"Match\""), json.npos) << json;
  ExpectNoJapanese(result);
}

TEST_P(EnglishRun, AnObjectComparisonSpeaksEnglish) {
  const CliResult result = RunCli(
      Args({u"objdiff", in1 + u"A.txt", u"ROOT-1", in2 + u"A.txt", u"ROOT-1", u"--ignore", rules}));
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.err, "Finished.\n");
  ExpectNoJapanese(result);
}

TEST_P(EnglishRun, InputChecksAndRunErrorsSpeakEnglish) {
  CliResult result =
      RunCli(Args({u"diff", u"--set", u"SRC_PATH1=" + in1 + u"none/", u"--set", u"SRC_FILE1=*.txt",
                   u"--set", u"SRC_PATH2=" + in2, u"--set", u"SRC_FILE2=*.txt"}));
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(result.err,
            "The folder of source 1 was not found (SRC_PATH1=" + ToUtf8(in1) + "none/)\n");
  // A report that does not parse: the stage and the fixed words are English.
  scratch.WriteText(u"v2", u"E.txt", u"* 名前 B\r\n  ブロック\r\n    * 不明 X\r\n");
  result = RunCli(Args({u"search", u"--set", u"SRC_PATH=" + in2, u"--set", u"SRC_FILE=E.txt",
                        u"--set", u"SEARCH_STRING1=X"}));
  EXPECT_EQ(result.status, 1);
  EXPECT_TRUE(result.err.starts_with("Parsing the report [" + ToUtf8(in2) +
                                     "E.txt] of the source folder: An error occurred.\r\n"
                                     "Line 3: the line does not fit the report's grammar. "
                                     "[    * 不明 X]\n"))
      << result.err;
  // Going on past it: the end, the row's status and why, in English.
  result = RunCli(Args({u"search", u"--set", u"SRC_PATH=" + in2, u"--set", u"SRC_FILE=E.txt",
                        u"--set", u"SEARCH_STRING1=X", u"--set", u"ON_ERROR=CONTINUE"}));
  EXPECT_EQ(result.status, 1);
  EXPECT_TRUE(result.err.starts_with(
      "Finished.\r\nRead errors, where a report could not be read: 1 (see the list).\n"
      "Parsing the report [" +
      ToUtf8(in2) +
      "E.txt] of the source folder: An error occurred. "
      "Line 3: the line does not fit the report's grammar. [    * 不明 X]"))
      << result.err;
  const std::string json = ScratchFolder::Read(out + u"run.json");
  EXPECT_NE(json.find("\"status\":\"error\",\"statusText\":\"Read error\""), json.npos) << json;
  // An ignore rules file that cannot be read says why in English.
  result = RunCli(
      Args({u"diff", u"--set", u"SRC_PATH1=" + in1, u"--set", u"SRC_FILE1=*.txt", u"--set",
            u"SRC_PATH2=" + in2, u"--set", u"SRC_FILE2=*.txt", u"--ignore", in1 + u"none.txt"}));
  EXPECT_NE(result.err.find("The file or folder was not found: " + ToUtf8(in1) + "none.txt"),
            std::string::npos)
      << result.err;
  EXPECT_EQ(FirstJapanese(FromUtf8(result.err)), u"") << result.err;
  // A report of blank lines has no module to compare.
  scratch.WriteText(u"v2", u"G.txt", u"\r\n\r\n");
  result = RunCli(Args({u"diff", u"--set", u"MODE=FILE", u"--set", u"SRC_PATH1=" + in2, u"--set",
                        u"SRC_FILE1=G.txt", u"--set", u"SRC_PATH2=" + in2, u"--set",
                        u"SRC_FILE2=G.txt", u"--force"}));
  EXPECT_EQ(result.status, 1);
  EXPECT_NE(result.err.find("\u201C\uFF8C\uFF6B\uFF70\uFF91\u201D holds no form module."),
            std::string::npos)
      << result.err;
  // What the file system says of a report that cannot be read is English too.
  result = RunCli(Args({u"objdiff", in2 + u"none.txt", u"ROOT-1", in2 + u"none.txt", u"ROOT-1"}));
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err, "Reading the report [" + ToUtf8(in2) +
                            "none.txt]: An error occurred. The file or folder was not found: " +
                            ToUtf8(in2) + "none.txt\n");
}

INSTANTIATE_TEST_SUITE_P(BothStyles, EnglishRun, ::testing::Values(u"REVIEW", u"CLASSIC"));

}  // namespace
}  // namespace tarnwick
