#include "messages/message_catalog.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace tarnwick {
namespace {

std::u16string_view Pattern(MessageId) {
  return u"[{1}|{2}|{10}|{x}|{}|{1]";
}

TEST(MessageText, ParametersFillTheirPlaceholdersOnce) {
  EXPECT_EQ(MessageText({MessageId::OverwritesInput, {u"/out/A.html"}}),
            u"出力ファイル[/out/A.html]は入力のレポートファイルです。上書きできません。");
  EXPECT_EQ(MessageText({MessageId::Progress, {u"2", u"10", u"FORM1.TXT"}}), u"2/10:FORM1.TXT");
  // A parameter is not read again: a path may hold braces.
  EXPECT_EQ(MessageText({MessageId::RunFailed, {u"ファイル[{2}]の出力中に、", u"D"}}),
            u"ファイル[{2}]の出力中に、エラーが発生しました。\r\nD");
  // Missing parameters say nothing; what is no placeholder stays as written.
  EXPECT_EQ(MessageText({MessageId::Finished, {u"a"}}, Pattern), u"[a|||{x}|{}|{1]");
  std::vector<std::u16string> ten(10, u"p");
  ten[0] = u"a";
  ten[9] = u"j";
  EXPECT_EQ(MessageText({MessageId::Finished, ten}, Pattern), u"[a|p|j|{x}|{}|{1]");
}

TEST(MessageText, RunErrorsJoinTheStageTheFixedWordsAndTheDescription) {
  EXPECT_EQ(MessageText({MessageId::RunFailed, {u"フォーム文章[A.TXT]の解析中に、", u"理由"}}),
            u"フォーム文章[A.TXT]の解析中に、エラーが発生しました。\r\n理由");
  EXPECT_EQ(MessageText({MessageId::LoadFailed, {u"", u"理由"}}), u"エラーが発生しました。理由");
  EXPECT_EQ(MessageText({MessageId::SettingsWriteFailed, {u"理由"}}),
            u"iniファイルの書き込み中にエラーが発生しました。\r\n理由");
  EXPECT_EQ(MessageText({MessageId::JsonWriteFailed, {u"/r.json", u"理由"}}),
            u"JSON[/r.json]の出力中に、エラーが発生しました。\r\n理由");
}

TEST(JapaneseCatalog, EveryIdButTheEmptyStatusHasWordsOfItsOwn) {
  std::vector<std::u16string_view> seen;
  for (int n = 0; n <= static_cast<int>(MessageId::Progress); ++n) {
    const auto id = static_cast<MessageId>(n);
    const std::u16string_view text = JapaneseCatalog(id);
    if (id == MessageId::NoStatus) {
      EXPECT_TRUE(text.empty());
      continue;
    }
    EXPECT_FALSE(text.empty()) << n;
    EXPECT_EQ(std::count(seen.begin(), seen.end(), text), 0) << n;
    seen.push_back(text);
  }
}

}  // namespace
}  // namespace tarnwick
