#include <gtest/gtest.h>

#include "app/validation.h"
#include "fake_window.h"

namespace tarnwick {
namespace {

using testing::FakeWindow;

Settings AllFilled() {
  Settings s;
  s.SRC_PATH1 = s.SRC_FILE1 = s.SRC_PATH2 = s.SRC_FILE2 = u"x";
  s.SRC_PATH = s.SRC_FILE = s.OUTPUT_PATH = u"x";
  return s;
}

// Empties the boxes one after another and records which message each run of
// the check shows first.
std::vector<std::u16string> MessagesInOrder(int page,
                                            std::vector<std::u16string Settings::*> fields) {
  std::vector<std::u16string> shown;
  Settings s = AllFilled();
  for (auto field : fields) s.*field = u"";
  for (std::size_t i = 0; i <= fields.size(); ++i) {
    FakeWindow window;
    const bool ok = ValidateInputs(s, page, window);
    EXPECT_EQ(ok, window.messages.empty());
    if (ok) break;
    EXPECT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0].icon, MessageIcon::Critical);
    shown.push_back(window.messages[0].text);
    s.*fields[i] = u"x";
  }
  return shown;
}

TEST(ValidateInputs, EachPageChecksItsBoxesInOrder) {
  EXPECT_EQ(MessagesInOrder(1, {&Settings::SRC_PATH1, &Settings::SRC_FILE1, &Settings::SRC_PATH2,
                                &Settings::SRC_FILE2, &Settings::OUTPUT_PATH}),
            (std::vector<std::u16string>{
                u"ソース１のフォルダを指定してください",
                u"ソース１のオブジェクト・リスト・レポート ファイル名を指定してください",
                u"ソース２のフォルダを指定してください",
                u"ソース２のオブジェクト・リスト・レポート ファイル名を指定してください",
                u"出力先フォルダを指定してください"}));
  EXPECT_EQ(MessagesInOrder(3, {&Settings::SRC_PATH, &Settings::SRC_FILE, &Settings::OUTPUT_PATH}),
            (std::vector<std::u16string>{
                u"ソースのフォルダを指定してください",
                u"ソースのオブジェクト・リスト・レポート ファイル名を指定してください",
                u"出力先フォルダを指定してください"}));
  EXPECT_EQ(MessagesInOrder(2, {&Settings::OUTPUT_PATH}),
            std::vector<std::u16string>{u"出力先フォルダを指定してください"});
}

TEST(ValidateInputs, OtherPagesBoxesAndBlanksDoNotCount) {
  Settings s;
  s.OUTPUT_PATH = u" ";
  FakeWindow window;
  EXPECT_TRUE(ValidateInputs(s, 2, window));  // page 2 ignores the empty source boxes
  s.SRC_PATH1 = s.SRC_FILE1 = s.SRC_PATH2 = s.SRC_FILE2 = u" ";
  EXPECT_TRUE(ValidateInputs(s, 1, window));
  EXPECT_TRUE(window.messages.empty());
}

}  // namespace
}  // namespace tarnwick
