#include "app/run_guard.h"

#include <gtest/gtest.h>

#include <new>

#include "base/error.h"
#include "fake_window.h"

namespace tarnwick {
namespace {

using testing::FakeWindow;
using testing::ShownMessage;

TEST(RunErrors, StageTextFixedWordsAndDescription) {
  FakeWindow window;
  std::u16string stage;
  const RunOutcome outcome = GuardRun(window, stage, [&] {
    stage = u"ファイル文章[/a/F.TXT]の読み込み中に、";
    throw Error(kFileErrorNumber, u"No such file or directory");
  });
  EXPECT_EQ(outcome, RunOutcome::Failed);
  EXPECT_EQ(window.messages,
            (std::vector<ShownMessage>{
                {u"ファイル文章[/a/F.TXT]の読み込み中に、エラーが発生しました。\r\n"
                 u"No such file or directory",
                 MessageIcon::Critical}}));
  EXPECT_EQ(window.cursorChanges, std::vector<bool>{false});
}

TEST(RunErrors, OutsideAStepTheMessageStartsWithTheFixedWords) {
  FakeWindow window;
  std::u16string stage;
  EXPECT_EQ(GuardRun(window, stage, [] { throw std::bad_alloc(); }), RunOutcome::Failed);
  EXPECT_EQ(window.messages.at(0).text, u"エラーが発生しました。\r\nメモリが不足しています。");
  EXPECT_EQ(MessageText(RunErrorMessage(u"S、", u"D", false)), u"S、エラーが発生しました。D");
}

TEST(RunErrors, ASuccessfulRunShowsNothingItself) {
  FakeWindow window;
  std::u16string stage;
  EXPECT_EQ(GuardRun(window, stage, [] {}), RunOutcome::Finished);
  EXPECT_TRUE(window.messages.empty());
}

}  // namespace
}  // namespace tarnwick
