// The window in English and in Japanese: every text it writes follows
// UI_LANGUAGE at once, the Japanese texts stay as they were, a first start
// picks the system's language, and every button and label has a mnemonic of
// its own on its page.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeWidget>
#include <map>
#include <memory>

#include "gui/about_box.h"
#include "gui/main_window.h"
#include "gui/qt_translation.h"
#include "gui/report_tree_view.h"
#include "gui/structure_viewer.h"
#include "gui_test_support.h"
#include "report/object_tree.h"

namespace tarnwick {
namespace {

using testing::PathIn;
using testing::Recorder;
using testing::WriteCp932;

bool HasJapanese(const QString& text) {
  for (const QChar c : text) {
    const char16_t u = c.unicode();
    if ((u >= 0x3000 && u <= 0x30FF) || (u >= 0x4E00 && u <= 0x9FFF) ||
        (u >= 0xFF00 && u <= 0xFFEF))
      return true;
  }
  return false;
}

// Every text a widget or action under `root` shows, by where it is shown.
std::map<QString, QString> TextsOf(const QWidget& root) {
  std::map<QString, QString> texts;
  int n = 0;
  auto add = [&](const QObject* owner, const char* what, const QString& text) {
    if (!text.isEmpty())
      texts[owner->objectName() + QLatin1Char('/') + QLatin1String(what) + QString::number(++n)] =
          text;
  };
  add(&root, "title", root.windowTitle());
  for (const QWidget* w : root.findChildren<QWidget*>()) {
    add(w, "tip", w->toolTip());
    add(w, "title", w->windowTitle());
    if (auto* button = qobject_cast<const QAbstractButton*>(w)) add(w, "text", button->text());
    if (auto* label = qobject_cast<const QLabel*>(w)) add(w, "text", label->text());
    if (auto* group = qobject_cast<const QGroupBox*>(w)) add(w, "title", group->title());
    if (auto* menu = qobject_cast<const QMenu*>(w)) add(w, "title", menu->title());
    if (auto* box = qobject_cast<const QLineEdit*>(w)) add(w, "hint", box->placeholderText());
    if (auto* tabs = qobject_cast<const QTabWidget*>(w)) {
      for (int i = 0; i < tabs->count(); ++i) add(w, "tab", tabs->tabText(i));
    }
    if (auto* list = qobject_cast<const QComboBox*>(w)) {
      for (int i = 0; i < list->count(); ++i) add(w, "item", list->itemText(i));
    }
    if (auto* tree = qobject_cast<const QTreeWidget*>(w)) {
      for (int i = 0; i < tree->topLevelItemCount(); ++i)
        add(w, "node", tree->topLevelItem(i)->text(0));
    }
  }
  for (const QAction* action : root.findChildren<QAction*>()) {
    add(action, "text", action->text());
    add(action, "tip", action->toolTip());
  }
  return texts;
}

std::vector<QString> JapaneseTexts(const std::map<QString, QString>& texts) {
  std::vector<QString> found;
  for (const auto& [where, text] : texts) {
    if (HasJapanese(text)) found.push_back(where + QStringLiteral(": ") + text);
  }
  return found;
}

class WindowLanguageTest : public ::testing::Test {
 protected:
  void SetUp() override { ini_ = PathIn(dir_, QStringLiteral("Tarnwick.ini")); }
  void TearDown() override {
    window_.reset();
    UseWindowLanguage(UiLanguage::Japanese);  // the other tests' window
  }

  frmMain& Start(QStringList systemLanguages = {QStringLiteral("ja-JP")}) {
    GuiHooks hooks = recorder_.Hooks();
    hooks.systemLanguages = [systemLanguages] { return systemLanguages; };
    window_ = std::make_unique<frmMain>(hooks);
    window_->Initialize(ini_);
    return *window_;
  }
  QAction* Item(const char* name) {
    return window_->findChild<QAction*>(QString::fromLatin1(name));
  }
  std::string IniBytes() const { return ReadFileBytes(ini_); }

  QTemporaryDir dir_;
  std::u16string ini_;
  Recorder recorder_;
  std::unique_ptr<frmMain> window_;
};

TEST(FirstStartLanguage, JapaneseOnlyWhenTheSystemsFirstLanguageIsJapanese) {
  using L = QStringList;
  EXPECT_EQ(FirstStartLanguage(L{"ja-JP", "en-US"}), UiLanguage::Japanese);
  EXPECT_EQ(FirstStartLanguage(L{"ja"}), UiLanguage::Japanese);
  EXPECT_EQ(FirstStartLanguage(L{"ja_JP"}), UiLanguage::Japanese);
  EXPECT_EQ(FirstStartLanguage(L{"en-US", "ja-JP"}), UiLanguage::English);
  EXPECT_EQ(FirstStartLanguage(L{"de-DE"}), UiLanguage::English);
  EXPECT_EQ(FirstStartLanguage(L{"jv-ID"}), UiLanguage::English);  // Javanese
  EXPECT_EQ(FirstStartLanguage(L{}), UiLanguage::Japanese);
}

TEST_F(WindowLanguageTest, InEnglishNoTextOfTheWindowIsJapanese) {
  WriteCp932(ini_, u"UI_LANGUAGE=EN\r\nTAB_PAGE=DIFFOBJ\r\n");
  frmMain& window = Start();
  const auto texts = TextsOf(window);
  EXPECT_EQ(JapaneseTexts(texts), std::vector<QString>());
  EXPECT_GT(texts.size(), 60u);
  EXPECT_EQ(window.findChild<QTabWidget*>(QStringLiteral("tabMain"))->tabText(2),
            QStringLiteral("Search"));
  EXPECT_EQ(window.findChild<QPushButton*>(QStringLiteral("cmdExec"))->text(),
            QStringLiteral("&Start comparison"));
  EXPECT_TRUE(Item("mnuEnglish")->isChecked());
  EXPECT_FALSE(Item("mnuJapanese")->isChecked());

  // The same walk finds the Japanese texts of the Japanese window.
  window.SetLanguage(UiLanguage::Japanese);
  EXPECT_GT(JapaneseTexts(TextsOf(window)).size(), 50u);
}

TEST_F(WindowLanguageTest, TheSubWindowsAndQtsOwnTextsFollowTheLanguage) {
  WriteCp932(ini_, u"UI_LANGUAGE=EN\r\n");
  frmMain& window = Start();
  frmAbout about(&window);
  EXPECT_EQ(JapaneseTexts(TextsOf(about)), std::vector<QString>());
  EXPECT_EQ(about.windowTitle(), QStringLiteral("About Tarnwick"));

  auto module = NewCollection();
  module->Add(TextNode(u"TITLE", u"Orders"));
  auto forms = NewCollection();
  forms->Add(CollectionNode(u"ORDERS", module));
  Collection tree;
  tree.Add(CollectionNode(u"FORM", forms));
  frmConstract viewer(&window);
  viewer.Init(tree);
  EXPECT_EQ(JapaneseTexts(TextsOf(viewer)), std::vector<QString>());
  auto* nodes = viewer.findChild<ReportTreeView*>(QStringLiteral("TreeView1"));
  nodes->expandAll();
  const QTreeWidgetItem* folder = nodes->NodeByKey(u"1-1K-1K-1P");
  ASSERT_NE(folder, nullptr);
  EXPECT_EQ(folder->text(0), QStringLiteral("<Properties>"));

  // Qt's own context menu of a text box: English in English.
  std::unique_ptr<QMenu> menu(
      window.findChild<QLineEdit*>(QStringLiteral("txtPutFile"))->createStandardContextMenu());
  ASSERT_FALSE(menu->actions().isEmpty());
  EXPECT_TRUE(menu->actions().front()->text().startsWith(QStringLiteral("&Undo")));
}

TEST_F(WindowLanguageTest, SwitchingRetranslatesAtOnceAndBackToTheSameJapanese) {
  WriteCp932(ini_, u"TAB_PAGE=SEARCH\r\n");
  frmMain& window = Start();
  const auto japanese = TextsOf(window);
  // Qt's own texts, in a context menu made for the moment.
  auto undoText = [&window] {
    std::unique_ptr<QMenu> menu(
        window.findChild<QLineEdit*>(QStringLiteral("txtPutFile"))->createStandardContextMenu());
    return menu->actions().front()->text();
  };
  const QString japaneseUndo = undoText();

  Item("mnuEnglish")->trigger();
  EXPECT_EQ(JapaneseTexts(TextsOf(window)), std::vector<QString>());
  EXPECT_EQ(window.findChild<QPushButton*>(QStringLiteral("cmdExec"))->text(),
            QStringLiteral("&Start search"));
  EXPECT_EQ(window.findChild<QComboBox*>(QStringLiteral("cmbSearch2"))->itemText(1),
            QStringLiteral("does not contain"));
  EXPECT_TRUE(undoText().startsWith(QStringLiteral("&Undo")));
  // A new caption resets a button's shortcut: 中止 keeps Escape.
  EXPECT_EQ(window.findChild<QPushButton*>(QStringLiteral("cmdCancel"))->shortcut(),
            QKeySequence(Qt::Key_Escape));

  Item("mnuJapanese")->trigger();
  EXPECT_EQ(TextsOf(window), japanese);
  EXPECT_EQ(undoText(), japaneseUndo);
  EXPECT_FALSE(japaneseUndo.startsWith(QStringLiteral("&Undo")));
}

TEST_F(WindowLanguageTest, TheMenuWritesTheSettingAndTheFileHoldsItOnlyForEnglish) {
  WriteCp932(ini_, u"OUTPUT_FILE=a.html\r\n");
  Start();
  Item("mnuEnglish")->trigger();
  window_->close();
  EXPECT_NE(IniBytes().find("\r\nUI_LANGUAGE=EN\r\n"), std::string::npos);

  // The next start is English; back to Japanese leaves no trace in the file.
  Start();
  EXPECT_TRUE(Item("mnuEnglish")->isChecked());
  EXPECT_EQ(window_->CurrentSettings().UI_LANGUAGE, UiLanguage::English);
  Item("mnuJapanese")->trigger();
  window_->close();
  EXPECT_EQ(IniBytes().find("UI_LANGUAGE"), std::string::npos);
}

TEST_F(WindowLanguageTest, AFirstStartPicksTheSystemsLanguage) {
  WriteCp932(ini_, u"INITIAL\r\n");
  Start({QStringLiteral("en-GB"), QStringLiteral("ja-JP")});
  EXPECT_TRUE(Item("mnuEnglish")->isChecked());
  EXPECT_EQ(JapaneseTexts(TextsOf(*window_)), std::vector<QString>());
  window_->close();
  EXPECT_NE(IniBytes().find("\r\nUI_LANGUAGE=EN\r\n"), std::string::npos);

  WriteCp932(ini_, u"INITIAL\r\n");
  Start({QStringLiteral("ja-JP")});
  EXPECT_TRUE(Item("mnuJapanese")->isChecked());
  window_->close();
  EXPECT_EQ(IniBytes().find("UI_LANGUAGE"), std::string::npos);

  // Only a first start guesses: a user's Japanese stays on any system.
  Start({QStringLiteral("en-GB")});
  EXPECT_TRUE(Item("mnuJapanese")->isChecked());
}

TEST_F(WindowLanguageTest, EveryButtonAndLabelHasAMnemonicOfItsOwnOnItsPage) {
  for (const UiLanguage language : {UiLanguage::Japanese, UiLanguage::English}) {
    frmMain& window = Start();
    window.SetLanguage(language);
    window.show();
    for (int page = 1; page <= 3; ++page) {
      window.SelectPage(page);
      std::map<QKeySequence, QString> taken;
      auto take = [&](const QString& text) {
        const QKeySequence key = QKeySequence::mnemonic(text);
        EXPECT_FALSE(key.isEmpty()) << "page " << page << ": " << text.toStdString();
        if (key.isEmpty()) return;
        const auto [at, fresh] = taken.emplace(key, text);
        EXPECT_TRUE(fresh) << "page " << page << ": " << text.toStdString() << " and "
                           << at->second.toStdString();
      };
      for (const QAction* menu : window.menuBar()->actions()) {
        if (!QKeySequence::mnemonic(menu->text()).isEmpty()) take(menu->text());
      }
      for (const QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
        // "…" buttons are reached from their box; 中止 (Stop) by Escape.
        if (!button->isVisibleTo(&window) || qobject_cast<const QToolButton*>(button) ||
            button->objectName() == QLatin1String("cmdCancel"))
          continue;
        take(button->text());
      }
      for (const QLabel* label : window.findChildren<QLabel*>()) {
        // The status, the result lists' totals and the object page's report
        // names and paths are no captions.
        if (!label->isVisibleTo(&window) || label->objectName() == QLatin1String("lblStatus") ||
            label->objectName().startsWith(QLatin1String("lblSrc")) ||
            label->objectName().endsWith(QLatin1String("Totals")))
          continue;
        EXPECT_NE(label->buddy(), nullptr) << label->text().toStdString();
        take(label->text());
      }
      EXPECT_GE(taken.size(), 13u) << "page " << page;  // the menus, the page, the common area
    }
    window_->close();
  }
}

}  // namespace
}  // namespace tarnwick
