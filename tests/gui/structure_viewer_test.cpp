#include "gui/structure_viewer.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "gui/about_box.h"
#include "gui/report_tree_view.h"
#include "gui_test_support.h"
#include "report/object_tree.h"

namespace tarnwick {
namespace {

using testing::Specified;

// ﾌｫｰﾑ > FORM1 with two properties and a block section holding B1.
CollectionPtr Report() {
  auto block = NewCollection();
  block->Add(TextNode(u"問合せデータ・ソース名", u"ORDERS"));
  auto blocks = NewCollection();
  blocks->Add(CollectionNode(u"B1", block));
  auto module = NewCollection();
  module->Add(TextNode(u"タイトル", u"受注入力"));
  module->Add(TextNode(u"コメント", u"一行目\r\n二行目"));
  module->Add(CollectionNode(u"ブロック", blocks));
  auto form = NewCollection();
  form->Add(CollectionNode(u"FORM1", module));
  auto top = NewCollection();
  top->Add(CollectionNode(u"ﾌｫｰﾑ", form));
  return top;
}

class StructureViewerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    viewer_.Init(*tree_);
    viewer_.show();
    Tree()->expandAll();
  }

  template <typename Widget>
  Widget* W(const char* name) {
    auto* widget = viewer_.findChild<Widget*>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }
  ReportTreeView* Tree() { return W<ReportTreeView>("TreeView1"); }
  QListWidget* List() { return W<QListWidget>("List1"); }
  QString Text(const char* name) {
    if (auto* line = viewer_.findChild<QLineEdit*>(QString::fromLatin1(name))) return line->text();
    return W<QPlainTextEdit>(name)->toPlainText();
  }

  // Mouse clicks on a node, as the user makes them.
  void Click(std::u16string_view key) {
    QTreeWidgetItem* item = Tree()->NodeByKey(key);
    ASSERT_NE(item, nullptr);
    QTest::mouseClick(Tree()->viewport(), Qt::LeftButton, {},
                      Tree()->visualItemRect(item).center());
  }
  void DoubleClick(std::u16string_view key) {
    QTreeWidgetItem* item = Tree()->NodeByKey(key);
    ASSERT_NE(item, nullptr);
    const QPoint at = Tree()->visualItemRect(item).center();
    QTest::mouseClick(Tree()->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(Tree()->viewport(), Qt::LeftButton, {}, at);
  }
  void RightPressOnList() {
    QTest::mousePress(List()->viewport(), Qt::RightButton, {}, QPoint(5, 5));
  }

  CollectionPtr tree_ = Report();
  frmConstract viewer_;
};

TEST_F(StructureViewerTest, ShowsObjectsWithPropertyFoldersUnderTheirKeys) {
  EXPECT_EQ(viewer_.windowTitle(), QStringLiteral("内部構造参照"));
  EXPECT_EQ(Specified(W<QPushButton>("Command1")->text()), QStringLiteral("終了"));
  const std::vector<std::pair<std::u16string, QString>> expected = {
      {u"1-1K", QStringLiteral("ﾌｫｰﾑ")},
      {u"1-1K-1K", QStringLiteral("ﾌｫｰﾑ")},
      {u"1-1K-1K-1K", QStringLiteral("FORM1")},
      {u"1-1K-1K-1P", QStringLiteral("<プロパティ>")},
      {u"1-1K-1K-1-1S", QStringLiteral("タイトル")},
      {u"1-1K-1K-1-2S", QStringLiteral("コメント")},
      {u"1-1K-1K-1K-3K", QStringLiteral("ブロック")},
      {u"1-1K-1K-1K-3K-1K", QStringLiteral("B1")},
      {u"1-1K-1K-1K-3K-1P", QStringLiteral("<プロパティ>")},
      {u"1-1K-1K-1K-3K-1-1S", QStringLiteral("問合せデータ・ソース名")},
  };
  ASSERT_EQ(Tree()->NodeCount(), static_cast<int>(expected.size()));
  for (std::size_t n = 0; n < expected.size(); ++n) {
    EXPECT_EQ(Tree()->NodeKey(static_cast<int>(n) + 1), expected[n].first);
    EXPECT_EQ(Tree()->NodeByKey(expected[n].first)->text(0), expected[n].second);
  }
  EXPECT_EQ(Tree()->NodeByKey(u"1-1K-1K-1-1S")->parent(), Tree()->NodeByKey(u"1-1K-1K-1P"));
  EXPECT_EQ(Tree()->NodeByKey(u"1-1K-1K-1P")->parent(), Tree()->NodeByKey(u"1-1K-1K-1K"));
}

TEST_F(StructureViewerTest, ClickShowsAPropertyValueAndIgnoresOtherNodes) {
  Click(u"1-1K-1K-1-2S");
  EXPECT_EQ(Text("Text3"), QStringLiteral("一行目\n二行目"));
  Click(u"1-1K-1K-1K");
  EXPECT_EQ(Text("Text3"), QStringLiteral("一行目\n二行目"));
  EXPECT_EQ(List()->count(), 0);
}

TEST_F(StructureViewerTest, DoubleClickPicksAPropertyOnceUntilARightClickRemovesIt) {
  DoubleClick(u"1-1K-1K-1-1S");
  EXPECT_EQ(Text("Text1"), QStringLiteral("受注入力"));
  EXPECT_EQ(Text("Text2"), QStringLiteral("タイトル >ﾌｫｰﾑ>FORM1"));
  DoubleClick(u"1-1K-1K-1-1S");
  DoubleClick(u"1-1K-1K-1K-3K-1-1S");
  ASSERT_EQ(List()->count(), 2);
  EXPECT_EQ(List()->item(0)->text(), QStringLiteral("1\tタイトル >ﾌｫｰﾑ>FORM1\t受注入力"));
  EXPECT_EQ(List()->item(1)->text(),
            QStringLiteral("3\t問合せデータ・ソース名 >ﾌｫｰﾑ>FORM1>ブロック>B1\tORDERS"));

  // A right click with nothing selected does nothing.
  RightPressOnList();
  EXPECT_EQ(List()->count(), 2);

  // Double-clicking an entry shows its record again.
  const QPoint first = List()->visualItemRect(List()->item(0)).center();
  QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, first);
  QTest::mouseDClick(List()->viewport(), Qt::LeftButton, {}, first);
  EXPECT_EQ(Text("Text1"), QStringLiteral("受注入力"));
  EXPECT_EQ(Text("Text2"), QStringLiteral("タイトル >ﾌｫｰﾑ>FORM1"));

  // A right click removes the selected entry, wherever it lands.
  RightPressOnList();
  ASSERT_EQ(List()->count(), 1);
  EXPECT_TRUE(List()->item(0)->text().startsWith(QStringLiteral("3\t")));

  DoubleClick(u"1-1K-1K-1-1S");
  ASSERT_EQ(List()->count(), 2);
  EXPECT_EQ(List()->item(1)->text(), QStringLiteral("1\tタイトル >ﾌｫｰﾑ>FORM1\t受注入力"));
}

TEST_F(StructureViewerTest, InitStartsAfreshAndTheButtonCloses) {
  DoubleClick(u"1-1K-1K-1-1S");
  viewer_.Init(*tree_);
  EXPECT_EQ(List()->count(), 0);
  EXPECT_EQ(Text("Text1"), QString());
  EXPECT_EQ(Text("Text2"), QString());
  EXPECT_FALSE(viewer_.Model().Record(1).Listed);
  QTest::mouseClick(W<QPushButton>("Command1"), Qt::LeftButton);
  EXPECT_FALSE(viewer_.isVisible());
  EXPECT_EQ(viewer_.result(), QDialog::Accepted);
}

TEST(AboutBox, CaptionAndVersionComeFromTheProject) {
  frmAbout about;
  EXPECT_EQ(about.windowTitle(), QStringLiteral("Tarnwickのﾊﾞｰｼﾞｮﾝ情報"));
  EXPECT_TRUE(about.isModal());
  QStringList texts;
  for (const QLabel* label : about.findChildren<QLabel*>()) texts << label->text();
  EXPECT_TRUE(texts.contains(QStringLiteral("Tarnwick")));
  EXPECT_TRUE(texts.contains(QStringLiteral("ﾊﾞｰｼﾞｮﾝ ") + QStringLiteral(TARNWICK_VERSION)));
}

}  // namespace
}  // namespace tarnwick
