#include "gui/qt_window_ops.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include "app/run_guard.h"
#include "gui/report_tree_view.h"
#include "gui/structure_viewer.h"
#include "report/object_tree.h"

namespace tarnwick {
namespace {

struct SeenBox {
  QString title;
  QString text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QMessageBox::StandardButtons buttons;
  bool modal = false;
  bool waitCursor = false;
};

// Closes the modal window that the next call opens, noting what it showed.
template <typename Inspect>
void CloseNextModal(Inspect inspect) {
  QTimer::singleShot(0, [inspect] {
    QWidget* modal = QApplication::activeModalWidget();
    ASSERT_NE(modal, nullptr);
    inspect(modal);
    modal->close();
  });
}

class QtWindowOpsTest : public ::testing::Test {
 protected:
  QMainWindow window_;
  QLabel* status_ = new QLabel(&window_);
  QAction* item_ = new QAction(&window_);
  GuiHooks hooks_;
  QtWindowOps ops_{&window_, status_, item_, hooks_};
};

TEST_F(QtWindowOpsTest, MessageBoxesAreModalTitledWithOkOnlyAndTheirIcon) {
  window_.show();
  const std::pair<MessageIcon, QMessageBox::Icon> icons[] = {
      {MessageIcon::Information, QMessageBox::Information},
      {MessageIcon::Warning, QMessageBox::Warning},
      {MessageIcon::Critical, QMessageBox::Critical}};
  ops_.SetWaitCursor(true);
  for (const auto& [icon, expected] : icons) {
    SeenBox seen;
    CloseNextModal([&seen](QWidget* modal) {
      auto* box = qobject_cast<QMessageBox*>(modal);
      ASSERT_NE(box, nullptr);
      seen = {box->windowTitle(),     box->text(),    box->icon(),
              box->standardButtons(), box->isModal(), QApplication::overrideCursor() != nullptr};
    });
    ops_.ShowMessage(RunErrorMessage(u"読み込み中に、", u"理由"), icon);
    EXPECT_EQ(seen.title, QStringLiteral("Tarnwick"));
    EXPECT_EQ(seen.text, QStringLiteral("読み込み中に、エラーが発生しました。\n理由"));
    EXPECT_EQ(seen.icon, expected);
    EXPECT_EQ(seen.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    EXPECT_TRUE(seen.modal);
    EXPECT_FALSE(seen.waitCursor);  // the arrow while the box is up
  }
  // ... and the wait cursor back afterwards.
  ASSERT_NE(QApplication::overrideCursor(), nullptr);
  EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
  ops_.SetWaitCursor(false);
}

TEST_F(QtWindowOpsTest, AnOverwriteQuestionIsAYesNoBoxThatKeepsThePageByDefault) {
  window_.show();
  const Message question{MessageId::ReplacesOtherRunsPage, {u"/out/index.html"}};
  for (const bool yes : {true, false}) {
    SeenBox seen;
    QMessageBox::StandardButton preset = QMessageBox::NoButton;
    QTimer::singleShot(0, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      ASSERT_NE(box, nullptr);
      seen = {box->windowTitle(),     box->text(),    box->icon(),
              box->standardButtons(), box->isModal(), false};
      preset = box->standardButton(box->defaultButton());
      box->button(yes ? QMessageBox::Yes : QMessageBox::No)->click();
    });
    EXPECT_EQ(ops_.ConfirmOverwrite(question), yes);
    EXPECT_EQ(seen.title, QStringLiteral("Tarnwick"));
    EXPECT_EQ(seen.text, QStringLiteral("出力ファイル[/out/index.html]は別の種類の実行が"
                                        "出力したページです。上書きしますか？"));
    EXPECT_EQ(seen.icon, QMessageBox::Question);
    EXPECT_EQ(seen.buttons, QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(preset, QMessageBox::No);
    EXPECT_TRUE(seen.modal);
  }
}

TEST_F(QtWindowOpsTest, WaitCursorIsBalancedAndStatusTextShows) {
  ops_.SetWaitCursor(true);
  ops_.SetWaitCursor(true);
  ops_.SetWaitCursor(false);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  ops_.SetWaitCursor(false);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);

  ops_.SetStatusText({MessageId::Progress, {u"2", u"5", u"FORM1.TXT"}});
  ops_.Repaint();
  EXPECT_EQ(status_->text(), QStringLiteral("2/5:FORM1.TXT"));
  ops_.SetStatusText(MessageId::NoStatus);
  EXPECT_EQ(status_->text(), QString());
}

TEST_F(QtWindowOpsTest, StructureViewerFollowsTheMenuItemAndShowsModally) {
  item_->setCheckable(true);
  EXPECT_FALSE(ops_.StructureViewerEnabled());
  item_->setChecked(true);
  EXPECT_TRUE(ops_.StructureViewerEnabled());

  auto inner = NewCollection();
  inner->Add(TextNode(u"タイトル", u"T"));
  auto tree = NewCollection();
  tree->Add(CollectionNode(u"ﾌｫｰﾑ", inner));
  QString title;
  int nodes = 0;
  CloseNextModal([&](QWidget* modal) {
    title = modal->windowTitle();
    nodes = modal->findChild<ReportTreeView*>(QStringLiteral("TreeView1"))->NodeCount();
  });
  ops_.ShowStructure(*tree);
  EXPECT_EQ(title, QStringLiteral("内部構造参照"));
  EXPECT_EQ(nodes, 4);  // 1-1K, 1-1K-1K, 1-1K-1P, 1-1K-1-1S
}

TEST_F(QtWindowOpsTest, HooksReplaceTheModalSteps) {
  std::u16string said;
  std::u16string opened;
  hooks_.message = [&said](std::u16string_view text, MessageIcon) { said = text; };
  hooks_.openResult = [&opened](std::u16string_view path) { opened = path; };
  ops_.ShowMessage(MessageId::Finished, MessageIcon::Information);
  ops_.OpenResult(u"/out/Result.html");
  EXPECT_EQ(said, u"終了しました。");
  EXPECT_EQ(opened, u"/out/Result.html");
}

}  // namespace
}  // namespace tarnwick
