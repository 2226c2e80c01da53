#include "gui/main_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSysInfo>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <QUrl>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <string>
#include <typeinfo>

#include "gui/report_tree_view.h"
#include "gui/structure_viewer.h"
#include "gui_test_support.h"

namespace tarnwick {
namespace {

using testing::FolderOf;
using testing::PathIn;
using testing::Recorder;
using testing::ShownMessage;
using testing::Specified;
using testing::U;
using testing::WriteCp932;

// A small report: the module FORM1 with a trigger and a block of two items.
constexpr char16_t kReport[] =
    u"* 名前                           FORM1\r\n"
    u"* タイトル                       受注入力\r\n"
    u"* トリガー\r\n"
    u"  * 名前                         WHEN-NEW-FORM-INSTANCE\r\n"
    u"  * トリガー・テキスト           BEGIN\r\n"
    u"    GO_BLOCK('B_ORDER');\r\n"
    u"END;\r\n"
    u"  * 問合せ入力モードで起動       いいえ\r\n"
    u"* ブロック\r\n"
    u"  * 名前                         B_ORDER\r\n"
    u"  * 問合せデータ・ソース名       ORDERS\r\n"
    u"  * 項目\r\n"
    u"    * 名前                       ORDER_NO\r\n"
    u"    * プロンプト                 受注番号\r\n"
    u"    * プロンプト表示スタイル     最初のレコード\r\n"
    u"    * 名前                       CUSTOMER\r\n"
    u"    * プロンプト                 得意先\r\n"
    u"    * プロンプト表示スタイル     最初のレコード\r\n";

// Every key in the order and notation the settings file is written in.
constexpr char16_t kSettingsFile[] =
    u"OUTPUT_PATH=/out/\r\n"
    u"OUTPUT_FILE=Result.html\r\n"
    u"OUTPUT_AUTOOPEN=True\r\n"
    u"DIFF_ONLY=True\r\n"
    u"MODE=FILE\r\n"
    u"SRC_PATH1=/src1/\r\n"
    u"SRC_FILE1=a.txt\r\n"
    u"SRC_PATH2=/src2/\r\n"
    u"SRC_FILE2=b.txt\r\n"
    u"FOUND_ONLY=False\r\n"
    u"NO_CASE=True\r\n"
    u"COND_AND=False\r\n"
    u"SRC_PATH=/s/\r\n"
    u"SRC_FILE=*.txt;*.lst\r\n"
    u"SEARCH_STRING1=受注\r\n"
    u"SEARCH_STRING1_COND=NOT_CONTAIN\r\n"
    u"SEARCH_STRING2=B\r\n"
    u"SEARCH_STRING2_COND=CONTAIN\r\n"
    u"SEARCH_STRING3= C \r\n"
    u"SEARCH_STRING3_COND=NOT_CONTAIN\r\n"
    u"DIFF_OBJ_ONLY=True\r\n"
    u"TAB_PAGE=DIFFOBJ\r\n";

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    ini_ = PathIn(dir_, QStringLiteral("Tarnwick.ini"));
  }

  // A window started from the settings file as it stands.
  frmMain& Start() {
    window_ = std::make_unique<frmMain>(recorder_.Hooks());
    window_->Initialize(ini_);
    return *window_;
  }

  // The window's widget of that type and name, never null: a missing one
  // ends the test where it is asked for, as an ASSERT would (GoogleTest
  // reports the exception as the test's failure).
  template <typename Widget>
  Widget* W(const char* name) {
    Widget* widget =
        window_ != nullptr ? window_->findChild<Widget*>(QString::fromLatin1(name)) : nullptr;
    if (widget == nullptr) {
      throw std::runtime_error(std::string("the window has no ") + typeid(Widget).name() +
                               " named " + name);
    }
    return widget;
  }
  QString Text(const char* name) { return W<QLineEdit>(name)->text(); }
  bool Checked(const char* name) { return W<QAbstractButton>(name)->isChecked(); }
  ReportTreeView* Tree(int side) { return W<ReportTreeView>(side == 1 ? "tvSrc1" : "tvSrc2"); }
  QPushButton* Exec() { return W<QPushButton>("cmdExec"); }

  std::string IniBytes() const { return ReadFileBytes(ini_); }

  QTemporaryDir dir_;
  std::u16string ini_;
  Recorder recorder_;
  std::unique_ptr<frmMain> window_;
};

// Long enough for any run of these tests on a loaded machine.
constexpr int kRunTimeoutMs = 120000;

// Dragged data dropped onto a widget.
void DropData(QWidget* target, QMimeData& data) {
  const QPoint at = target->rect().center();
  QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(target, &enter);
  ASSERT_TRUE(enter.isAccepted());
  QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(target, &drop);
}

// Files dragged from the desktop onto a widget, as the platform delivers them.
void DropFiles(QWidget* target, const std::vector<std::u16string>& paths) {
  QMimeData data;
  QList<QUrl> urls;
  for (const auto& path : paths) urls << QUrl::fromLocalFile(QString::fromStdU16String(path));
  data.setUrls(urls);
  DropData(target, data);
}

TEST_F(MainWindowTest, StartUpFillsEveryControlFromTheSettingsFile) {
  WriteCp932(ini_, kSettingsFile);
  frmMain& window = Start();
  EXPECT_EQ(window.windowTitle(), QStringLiteral("Tarnwick"));
  EXPECT_TRUE(recorder_.messages.empty());

  EXPECT_EQ(Text("txtPutDir"), QStringLiteral("/out/"));
  EXPECT_EQ(Text("txtPutFile"), QStringLiteral("Result.html"));
  EXPECT_TRUE(Checked("chkOpenFile"));
  EXPECT_TRUE(Checked("chkDiffOnly"));
  EXPECT_FALSE(Checked("optFolder"));
  EXPECT_TRUE(Checked("optFile"));
  EXPECT_EQ(Text("txtFolder1"), QStringLiteral("/src1/"));
  EXPECT_EQ(Text("txtSrcTxt1"), QStringLiteral("a.txt"));
  EXPECT_EQ(Text("txtFolder2"), QStringLiteral("/src2/"));
  EXPECT_EQ(Text("txtSrcTxt2"), QStringLiteral("b.txt"));
  EXPECT_FALSE(Checked("chkFindOnly"));
  EXPECT_TRUE(Checked("chkNoCase"));
  EXPECT_FALSE(Checked("optCondAnd"));
  EXPECT_TRUE(Checked("optCondOr"));
  EXPECT_EQ(Text("txtSrcFolder"), QStringLiteral("/s/"));
  EXPECT_EQ(Text("txtSrcFile"), QStringLiteral("*.txt;*.lst"));
  EXPECT_EQ(Text("txtSearchStr1"), QStringLiteral("受注"));
  EXPECT_EQ(Text("txtSearchStr3"), QStringLiteral(" C "));
  EXPECT_EQ(W<QComboBox>("cmbSearch1")->currentIndex(), 1);
  EXPECT_EQ(W<QComboBox>("cmbSearch2")->currentIndex(), 0);
  EXPECT_EQ(W<QComboBox>("cmbSearch3")->currentIndex(), 1);
  EXPECT_EQ(W<QComboBox>("cmbSearch2")->itemText(0), QStringLiteral("を含む"));
  EXPECT_EQ(W<QComboBox>("cmbSearch2")->itemText(1), QStringLiteral("を含まない"));
  EXPECT_TRUE(Checked("chkDiffObjOnly"));
  EXPECT_FALSE(window.findChild<QAction*>(QStringLiteral("mnuShowConstract"))->isChecked());

  // The page of TAB_PAGE=DIFFOBJ, with its frame and the Execute caption.
  EXPECT_EQ(W<QTabWidget>("tabMain")->currentIndex(), 1);
  EXPECT_EQ(Specified(Exec()->text()), QStringLiteral("比較開始"));
  EXPECT_TRUE(W<QFrame>("frmObjDiff")->isVisibleTo(&window));
  EXPECT_FALSE(W<QFrame>("frmDiff")->isVisibleTo(&window));
  EXPECT_FALSE(W<QFrame>("frmSearch")->isVisibleTo(&window));

  for (int side : {1, 2}) {
    ASSERT_EQ(Tree(side)->NodeCount(), 1);
    EXPECT_EQ(Tree(side)->NodeKey(1), u"COM");
    EXPECT_EQ(Tree(side)->topLevelItem(0)->text(0),
              QStringLiteral("オブジェクト・リスト・レポートのTXTファイルをドロップしてください"));
  }
}

TEST_F(MainWindowTest, ControlsCarryTheirNamesCaptionsAndGroups) {
  frmMain& window = Start();
  const std::pair<const char*, QString> buttons[] = {
      {"optFolder", QStringLiteral("フォルダ単位")},
      {"optFile", QStringLiteral("ファイル単位")},
      {"chkDiffOnly", QStringLiteral("違う箇所のみ出力する")},
      {"chkDiffObjOnly", QStringLiteral("違う箇所のみ出力する")},
      {"optCondAnd", QStringLiteral("全ての条件を満たす")},
      {"optCondOr", QStringLiteral("いずれかの条件を満たす")},
      {"chkFindOnly", QStringLiteral("検索条件に一致する箇所のみ出力する")},
      {"chkNoCase", QStringLiteral("大文字と小文字を区別しない")},
      {"chkOpenFile", QStringLiteral("ファイルを自動的に開く")},
      {"cmdExit", QStringLiteral("終了")},
  };
  for (const auto& [name, caption] : buttons)
    EXPECT_EQ(Specified(W<QAbstractButton>(name)->text()), caption);
  for (const char* name :
       {"txtFolder1", "txtSrcTxt1", "txtFolder2", "txtSrcTxt2", "txtSrcFolder", "txtSrcFile",
        "txtSearchStr1", "txtSearchStr2", "txtSearchStr3", "txtPutDir", "txtPutFile"}) {
    W<QLineEdit>(name);
  }
  W<QLabel>("lblStatus");

  // Each group holds its own boxes; the labels name them.
  const std::pair<QString, std::vector<const char*>> groups[] = {
      {QStringLiteral("ソース１"), {"txtFolder1", "txtSrcTxt1"}},
      {QStringLiteral("ソース２"), {"txtFolder2", "txtSrcTxt2"}},
      {QStringLiteral("ソース"), {"txtSrcFolder", "txtSrcFile"}},
      {QStringLiteral("設定"), {"optFolder", "optFile", "chkDiffOnly"}},
      {QStringLiteral("検索条件"),
       {"txtSearchStr1", "cmbSearch1", "txtSearchStr3", "cmbSearch3", "optCondAnd", "optCondOr"}},
  };
  for (const auto& [title, members] : groups) {
    for (const char* member : members) {
      auto* group = qobject_cast<QGroupBox*>(W<QWidget>(member)->parentWidget());
      ASSERT_NE(group, nullptr) << member;
      EXPECT_EQ(group->title(), title) << member;
    }
  }
  auto* search = W<QWidget>("frmSearch");
  QStringList labels;
  for (const QLabel* label : search->findChildren<QLabel*>()) labels << Specified(label->text());
  EXPECT_TRUE(labels.contains(QStringLiteral("プロパティの値が")));
  EXPECT_TRUE(labels.contains(QStringLiteral("フォルダ")));
  EXPECT_TRUE(labels.contains(QStringLiteral("オブジェクト・リスト・レポートファイル名")));
  QStringList common;
  for (const QLabel* label : window.findChildren<QLabel*>()) common << Specified(label->text());
  EXPECT_TRUE(common.contains(QStringLiteral("出力先フォルダ")));
  EXPECT_TRUE(common.contains(QStringLiteral("結果出力ファイル名(.html)")));
}

TEST_F(MainWindowTest, AskingForAWidgetTheWindowLacksStopsTheTest) {
  Start();
  EXPECT_THROW(W<QLineEdit>("txtNoSuchBox"), std::runtime_error);
  EXPECT_THROW(W<QPushButton>("txtFolder1"), std::runtime_error);  // a line edit, not a button
  EXPECT_NE(W<QLineEdit>("txtFolder1"), nullptr);
}

TEST_F(MainWindowTest, FreshInstallationShowsTheNoticeAndFirstRunDefaults) {
  WriteCp932(ini_, u"INITIAL\r\nOUTPUT_PATH=/ignored/\r\n");
  Start();
  // The notice speaks the language the first start chose from the system.
  const bool english = window_->CurrentSettings().UI_LANGUAGE == UiLanguage::English;
  const std::u16string notice =
      english ? u"Please read the documentation that comes with this software before using it."
              : u"本ソフトウエアの使用前に、添付のドキュメントを参照ください。";
  ASSERT_EQ(recorder_.messages.size(), 1u);
  EXPECT_EQ(recorder_.messages[0].icon, MessageIcon::Information);
  // Then, on a line of its own, the document to read.
  const std::u16string& shown = recorder_.messages[0].text;
  EXPECT_TRUE(shown.starts_with(notice + u"\r\n")) << ToUtf8(shown);
  EXPECT_TRUE(shown.ends_with(u"README.md") || shown.ends_with(u"お読みください.txt"))
      << ToUtf8(shown);
  EXPECT_EQ(Text("txtPutDir"), QString());
  EXPECT_EQ(Text("txtPutFile"), QStringLiteral("Result.html"));
  EXPECT_TRUE(Checked("chkDiffOnly"));
  EXPECT_TRUE(Checked("chkFindOnly"));
  EXPECT_TRUE(Checked("chkNoCase"));
  EXPECT_TRUE(Checked("optFolder"));
  EXPECT_TRUE(Checked("optCondAnd"));
  EXPECT_EQ(W<QComboBox>("cmbSearch3")->currentIndex(), 0);
  EXPECT_EQ(W<QTabWidget>("tabMain")->currentIndex(), 0);
}

TEST_F(MainWindowTest, WithoutSettingsFileNoModeIsSetAndTheSearchPageShows) {
  frmMain& window = Start();
  EXPECT_TRUE(recorder_.messages.empty());
  EXPECT_FALSE(Checked("optFolder"));
  EXPECT_FALSE(Checked("optFile"));
  EXPECT_EQ(W<QTabWidget>("tabMain")->currentIndex(), 2);
  EXPECT_EQ(Specified(Exec()->text()), QStringLiteral("検索開始"));
  EXPECT_TRUE(W<QFrame>("frmSearch")->isVisibleTo(&window));

  // Ending writes MODE=FILE (the mode is not folder) and the page shown.
  window.close();
  const std::string written = IniBytes();
  EXPECT_NE(written.find("MODE=FILE\r\n"), std::string::npos);
  EXPECT_NE(written.find("TAB_PAGE=SEARCH\r\n"), std::string::npos);
}

TEST_F(MainWindowTest, ExecuteCaptionAndFrameFollowTheTab) {
  frmMain& window = Start();
  auto* tabs = W<QTabWidget>("tabMain");
  EXPECT_EQ(tabs->tabText(0), QStringLiteral("ファイル・フォルダの比較"));
  EXPECT_EQ(tabs->tabText(1), QStringLiteral("指定したオブジェクトの比較"));
  EXPECT_EQ(tabs->tabText(2), QStringLiteral("文字列検索"));
  const char* frames[] = {"frmDiff", "frmObjDiff", "frmSearch"};
  const QString captions[] = {QStringLiteral("比較開始"), QStringLiteral("比較開始"),
                              QStringLiteral("検索開始")};
  for (int page = 1; page <= 3; ++page) {
    tabs->setCurrentIndex(page - 1);
    EXPECT_EQ(Specified(Exec()->text()), captions[page - 1]);
    for (int frame = 0; frame < 3; ++frame) {
      EXPECT_EQ(W<QFrame>(frames[frame])->isVisibleTo(&window), frame == page - 1);
    }
  }
}

TEST_F(MainWindowTest, CollectSettingsCopiesEveryControl) {
  frmMain& window = Start();
  W<QLineEdit>("txtFolder1")->setText(QStringLiteral("/a/"));
  W<QLineEdit>("txtSrcTxt1")->setText(QStringLiteral("x.txt"));
  W<QLineEdit>("txtFolder2")->setText(QStringLiteral("/b/"));
  W<QLineEdit>("txtSrcTxt2")->setText(QStringLiteral("y.txt"));
  W<QRadioButton>("optFile")->setChecked(true);
  W<QCheckBox>("chkDiffOnly")->setChecked(true);
  W<QCheckBox>("chkDiffObjOnly")->setChecked(true);
  W<QLineEdit>("txtSrcFolder")->setText(QStringLiteral("/s/"));
  W<QLineEdit>("txtSrcFile")->setText(QStringLiteral("*.txt"));
  W<QLineEdit>("txtSearchStr1")->setText(QStringLiteral("one"));
  W<QLineEdit>("txtSearchStr2")->setText(QStringLiteral("two"));
  W<QLineEdit>("txtSearchStr3")->setText(QStringLiteral("three"));
  W<QComboBox>("cmbSearch1")->setCurrentIndex(0);
  W<QComboBox>("cmbSearch2")->setCurrentIndex(1);
  W<QComboBox>("cmbSearch3")->setCurrentIndex(-1);  // no selection counts as "not contain"
  W<QRadioButton>("optCondOr")->setChecked(true);
  W<QCheckBox>("chkFindOnly")->setChecked(true);
  W<QCheckBox>("chkNoCase")->setChecked(true);
  W<QLineEdit>("txtPutDir")->setText(QStringLiteral("/out/"));
  W<QLineEdit>("txtPutFile")->setText(QStringLiteral("R.html"));
  W<QCheckBox>("chkOpenFile")->setChecked(true);
  W<QTabWidget>("tabMain")->setCurrentIndex(0);
  window.CollectSettings();

  Settings expected;
  expected.SRC_PATH1 = u"/a/";
  expected.SRC_FILE1 = u"x.txt";
  expected.SRC_PATH2 = u"/b/";
  expected.SRC_FILE2 = u"y.txt";
  expected.MODE = CompareMode::File;
  expected.DIFF_ONLY = true;
  expected.DIFF_OBJ_ONLY = true;
  expected.SRC_PATH = u"/s/";
  expected.SRC_FILE = u"*.txt";
  expected.SEARCH_STRING1 = u"one";
  expected.SEARCH_STRING2 = u"two";
  expected.SEARCH_STRING3 = u"three";
  expected.SEARCH_STRING1_COND = true;
  expected.SEARCH_STRING2_COND = false;
  expected.SEARCH_STRING3_COND = false;
  expected.COND_AND = false;
  expected.FOUND_ONLY = true;
  expected.NO_CASE = true;
  expected.OUTPUT_PATH = u"/out/";
  expected.OUTPUT_FILE = u"R.html";
  expected.OUTPUT_AUTOOPEN = true;
  expected.TAB_PAGE = 1;
  EXPECT_EQ(window.CurrentSettings(), expected);

  W<QRadioButton>("optFolder")->setChecked(true);
  W<QTabWidget>("tabMain")->setCurrentIndex(2);
  window.CollectSettings();
  EXPECT_EQ(window.CurrentSettings().MODE, CompareMode::Folder);
  EXPECT_FALSE(Checked("optFile"));
  EXPECT_EQ(window.CurrentSettings().TAB_PAGE, 3);
}

TEST_F(MainWindowTest, ClosingWritesTheSettingsOnceAndTheyReproduceTheWindow) {
  WriteCp932(ini_, kSettingsFile);
  frmMain& window = Start();
  window.show();
  window.close();
  EXPECT_EQ(window.SettingsWrites(), 1);
  EXPECT_FALSE(window.isVisible());
  EXPECT_EQ(IniBytes(), EncodeCp932(kSettingsFile));
}

TEST_F(MainWindowTest, WhatCodePage932CannotHoldAndLongValuesAreWrittenBackWhole) {
  WriteCp932(ini_, kSettingsFile);
  Start().show();
  const QString folder = QStringLiteral("/srv/café-ü-Ω-①/");
  const QString longText(40000, QLatin1Char('x'));
  W<QLineEdit>("txtFolder1")->setText(folder);
  W<QLineEdit>("txtSearchStr2")->setText(longText);
  window_->close();
  std::u16string expected = kSettingsFile;
  expected.replace(expected.find(u"/src1/"), 6, U(folder));
  expected.replace(expected.find(u"SEARCH_STRING2=B"), 16, u"SEARCH_STRING2=" + U(longText));
  const std::string written = IniBytes();
  // Compared whole, shown in part: the long value would flood the report.
  EXPECT_TRUE(written == "\xEF\xBB\xBF" + ToUtf8(expected)) << written.substr(0, 300);

  // The next start shows them; with every value in code page 932 again the
  // file is the classic one.
  window_.reset();
  Start().show();
  EXPECT_EQ(Text("txtFolder1"), folder);
  EXPECT_TRUE(Text("txtSearchStr2") == longText) << Text("txtSearchStr2").size();
  W<QLineEdit>("txtFolder1")->setText(QStringLiteral("/src1/"));
  W<QLineEdit>("txtSearchStr2")->setText(QStringLiteral("B"));
  window_->close();
  EXPECT_EQ(IniBytes(), EncodeCp932(kSettingsFile));
  EXPECT_TRUE(recorder_.messages.empty());
}

TEST_F(MainWindowTest, ASettingsFileNotReadWholeIsNeverOverwrittenAndTheWindowSaysSo) {
  const std::string tooLarge = EncodeCp932(kSettingsFile) + std::string(kMaxIniBytes, '#');
  const std::string notCp932 = "SRC_PATH1=/forms/\x81 v1/\r\nMODE=FILE\r\n";
  for (const std::string& bytes : {tooLarge, notCp932}) {
    WriteFileBytes(ini_, bytes);
    recorder_.messages.clear();
    Start().show();
    ASSERT_EQ(recorder_.messages.size(), 1u);
    EXPECT_EQ(recorder_.messages[0].icon, MessageIcon::Warning);
    const std::u16string head = u"設定ファイル[" + ini_ +
                                u"]を正しく読み込めないため、このファイルには設定を保存しません。"
                                u"\r\n";
    EXPECT_TRUE(recorder_.messages[0].text.starts_with(head)) << ToUtf8(recorder_.messages[0].text);
    EXPECT_GT(recorder_.messages[0].text.size(), head.size());  // and why
    W<QLineEdit>("txtFolder2")->setText(QStringLiteral("/typed/"));
    window_->close();
    EXPECT_FALSE(window_->isVisible());
    EXPECT_EQ(window_->SettingsWrites(), 0);
    EXPECT_EQ(IniBytes(), bytes);
    EXPECT_EQ(recorder_.messages.size(), 1u);
  }
  // What could be read is shown for this session.
  EXPECT_TRUE(Checked("optFile"));

  // Nor is a folder in its place written into.
  QFile::remove(QString::fromStdU16String(ini_));
  ASSERT_TRUE(QDir(dir_.path()).mkdir(QStringLiteral("Tarnwick.ini")));
  recorder_.messages.clear();
  Start().show();
  window_->close();
  ASSERT_EQ(recorder_.messages.size(), 1u);
  EXPECT_EQ(recorder_.messages[0].icon, MessageIcon::Warning);
  EXPECT_TRUE(QDir(QString::fromStdU16String(ini_)).isEmpty());

  // A file that asks for English says why in English.
  ASSERT_TRUE(QDir(dir_.path()).rmdir(QStringLiteral("Tarnwick.ini")));
  WriteFileBytes(ini_, "UI_LANGUAGE=EN\r\nSRC_PATH1=/forms/\x81 v1/\r\n");
  recorder_.messages.clear();
  Start().show();
  window_->close();
  ASSERT_EQ(recorder_.messages.size(), 1u);
  EXPECT_EQ(recorder_.messages[0].text,
            u"The settings file [" + ini_ +
                u"] cannot be read correctly, so no settings will be saved to it.\r\n"
                u"It holds bytes that are not code page 932 text.");
}

TEST_F(MainWindowTest, ExitWritesTheCurrentControlsOnce) {
  WriteCp932(ini_, kSettingsFile);
  frmMain& window = Start();
  window.show();
  W<QLineEdit>("txtSrcTxt1")->setText(QStringLiteral("changed.txt"));
  W<QTabWidget>("tabMain")->setCurrentIndex(2);
  QTest::mouseClick(W<QPushButton>("cmdExit"), Qt::LeftButton);
  EXPECT_EQ(window.SettingsWrites(), 1);
  EXPECT_FALSE(window.isVisible());
  std::u16string expected = kSettingsFile;
  expected.replace(expected.find(u"a.txt"), 5, u"changed.txt");
  expected.replace(expected.find(u"DIFFOBJ"), 7, u"SEARCH");
  EXPECT_EQ(IniBytes(), EncodeCp932(expected));

  // The next start shows what was written.
  window_.reset();
  Start();
  EXPECT_EQ(Text("txtSrcTxt1"), QStringLiteral("changed.txt"));
  EXPECT_EQ(W<QTabWidget>("tabMain")->currentIndex(), 2);
}

TEST_F(MainWindowTest, FileMenuCloseWritesOnce) {
  frmMain& window = Start();
  window.show();
  window.findChild<QAction*>(QStringLiteral("mnuEnd"))->trigger();
  EXPECT_EQ(window.SettingsWrites(), 1);
  EXPECT_FALSE(window.isVisible());
}

TEST_F(MainWindowTest, MenusCarryTheirCaptions) {
  frmMain& window = Start();
  EXPECT_EQ(window.findChild<QMenu*>(QStringLiteral("mnuFile"))->title(),
            QStringLiteral("ﾌｧｲﾙ(&F)"));
  EXPECT_EQ(window.findChild<QAction*>(QStringLiteral("mnuEnd"))->text(),
            QStringLiteral("閉じる(&C)"));
  EXPECT_EQ(window.findChild<QMenu*>(QStringLiteral("mnuDebug"))->title(),
            QStringLiteral("デバッグ"));
  auto* item = window.findChild<QAction*>(QStringLiteral("mnuShowConstract"));
  EXPECT_EQ(item->text(), QStringLiteral("構造の表示"));
  item->trigger();
  EXPECT_TRUE(item->isChecked());
  EXPECT_TRUE(window.Ops().StructureViewerEnabled());
  item->trigger();
  EXPECT_FALSE(window.Ops().StructureViewerEnabled());
  EXPECT_EQ(window.findChild<QMenu*>(QStringLiteral("mnuHelp"))->title(),
            QStringLiteral("ﾍﾙﾌﾟ(&H)"));
}

TEST_F(MainWindowTest, DropsOnFolderBoxesTakeTheFolder) {
  ASSERT_TRUE(QDir(dir_.path()).mkpath(QStringLiteral("A")));
  const std::u16string file = PathIn(dir_, QStringLiteral("A/x.txt"));
  WriteCp932(file, u"x");
  Start();
  DropFiles(W<QLineEdit>("txtFolder1"), {PathIn(dir_, QStringLiteral("A"))});
  EXPECT_EQ(U(Text("txtFolder1")), FolderOf(dir_, QStringLiteral("A")));
  for (const char* box : {"txtFolder2", "txtSrcFolder", "txtPutDir"}) {
    DropFiles(W<QLineEdit>(box), {file});
    EXPECT_EQ(U(Text(box)), FolderOf(dir_, QStringLiteral("A"))) << box;
  }
}

TEST_F(MainWindowTest, DropsOnFileBoxesKeepToOneFolder) {
  QDir root(dir_.path());
  ASSERT_TRUE(root.mkpath(QStringLiteral("A")) && root.mkpath(QStringLiteral("B")));
  const std::u16string x = PathIn(dir_, QStringLiteral("A/x.txt"));
  const std::u16string y = PathIn(dir_, QStringLiteral("A/y"));
  const std::u16string other = PathIn(dir_, QStringLiteral("B/z.txt"));
  for (const auto& path : {x, y, other}) WriteCp932(path, u"x");
  Start();

  // Two files of one folder: the folder box gets their folder.
  DropFiles(W<QLineEdit>("txtSrcTxt1"), {x, y});
  EXPECT_EQ(U(Text("txtFolder1")), FolderOf(dir_, QStringLiteral("A")));
  EXPECT_EQ(Text("txtSrcTxt1"), QStringLiteral("x.txt;y"));
  EXPECT_TRUE(recorder_.messages.empty());

  // A second folder in one drop stops there with the notice.
  DropFiles(W<QLineEdit>("txtSrcTxt2"), {x, other, y});
  EXPECT_EQ(Text("txtSrcTxt2"), QStringLiteral("x.txt"));
  const std::vector<ShownMessage> expected = {
      {u"同一フォルダのファイルのみ、ドロップできます。", MessageIcon::Information}};
  EXPECT_EQ(recorder_.messages, expected);

  // A folder first: it is skipped and the file is appended.
  W<QLineEdit>("txtSrcFile")->setText(QStringLiteral("old.txt"));
  W<QLineEdit>("txtSrcFolder")
      ->setText(QString::fromStdU16String(FolderOf(dir_, QStringLiteral("A"))));
  DropFiles(W<QLineEdit>("txtSrcFile"), {PathIn(dir_, QStringLiteral("B")), x});
  EXPECT_EQ(Text("txtSrcFile"), QStringLiteral("old.txt;x.txt"));
  EXPECT_EQ(U(Text("txtSrcFolder")), FolderOf(dir_, QStringLiteral("A")));
}

TEST_F(MainWindowTest, DroppingOneReportFillsTheTreeWithKeysAndPathTexts) {
  const std::u16string report = PathIn(dir_, QStringLiteral("FORM1.txt"));
  WriteCp932(report, kReport);
  frmMain& window = Start();

  // Two files at once change nothing.
  DropFiles(Tree(1)->viewport(), {report, report});
  EXPECT_EQ(Tree(1)->NodeKey(1), u"COM");
  EXPECT_EQ(window.Side(1).ObjNodeCount, 0);

  DropFiles(Tree(1)->viewport(), {report});
  const std::vector<std::pair<std::u16string, std::u16string>> expected = {
      {u"ROOT", u" FORM1"},
      {u"ROOT-1", u" FORM1 ﾌｫｰﾑ"},
      {u"ROOT-1-1", u" FORM1 ﾌｫｰﾑ FORM1"},
      {u"ROOT-1-1-2", u" FORM1 ﾌｫｰﾑ FORM1 トリガー"},
      {u"ROOT-1-1-2-1", u" FORM1 ﾌｫｰﾑ FORM1 トリガー WHEN-NEW-FORM-INSTANCE"},
      {u"ROOT-1-1-3", u" FORM1 ﾌｫｰﾑ FORM1 ブロック"},
      {u"ROOT-1-1-3-1", u" FORM1 ﾌｫｰﾑ FORM1 ブロック B_ORDER"},
      {u"ROOT-1-1-3-1-2", u" FORM1 ﾌｫｰﾑ FORM1 ブロック B_ORDER 項目"},
      {u"ROOT-1-1-3-1-2-1", u" FORM1 ﾌｫｰﾑ FORM1 ブロック B_ORDER 項目 ORDER_NO"},
      {u"ROOT-1-1-3-1-2-2", u" FORM1 ﾌｫｰﾑ FORM1 ブロック B_ORDER 項目 CUSTOMER"},
  };
  const ObjSide& side = window.Side(1);
  ASSERT_EQ(Tree(1)->NodeCount(), static_cast<int>(expected.size()));
  ASSERT_EQ(side.ObjPathTexts.size(), expected.size());
  EXPECT_EQ(side.ObjNodeCount, static_cast<int>(expected.size()));
  EXPECT_EQ(side.ObjFile, report);
  for (std::size_t n = 0; n < expected.size(); ++n) {
    EXPECT_EQ(Tree(1)->NodeKey(static_cast<int>(n) + 1), expected[n].first);
    EXPECT_EQ(side.ObjPathTexts[n], expected[n].second);
  }
  EXPECT_EQ(Tree(1)->topLevelItem(0)->text(0), QStringLiteral("FORM1"));
  EXPECT_EQ(Tree(1)->NodeByKey(u"ROOT-1-1-3-1")->parent(), Tree(1)->NodeByKey(u"ROOT-1-1-3"));
  // The other side keeps its hint.
  EXPECT_EQ(Tree(2)->NodeKey(1), u"COM");
  EXPECT_EQ(recorder_.structures, 0);

  // With "構造の表示" checked every drop shows the parsed tree first.
  window.findChild<QAction*>(QStringLiteral("mnuShowConstract"))->trigger();
  DropFiles(Tree(2)->viewport(), {report});
  EXPECT_EQ(recorder_.structures, 1);
  EXPECT_EQ(Tree(2)->NodeCount(), static_cast<int>(expected.size()));
}

#ifndef _WIN32
TEST_F(MainWindowTest, DroppedNamesInShiftJisBytesOpenByTheirBytes) {
  // "帳票.txt" in code page 932, as unzipping a Japanese archive leaves it; the
  // file manager's URL holds the bytes percent-encoded.
  const QByteArray path = QFile::encodeName(dir_.path()) + "/\x92\xA0\x95\x5B.txt";
  std::ofstream(path.toStdString(), std::ios::binary) << EncodeCp932(kReport);
  QMimeData data;
  data.setUrls({QUrl::fromEncoded("file://" + path.toPercentEncoding("/"))});
  frmMain& window = Start();

  DropData(Tree(1)->viewport(), data);
  EXPECT_TRUE(recorder_.messages.empty());
  EXPECT_EQ(Tree(1)->NodeCount(), 10);
  EXPECT_EQ(Tree(1)->topLevelItem(0)->text(0), QStringLiteral("帳票"));
  EXPECT_EQ(window.Side(1).ObjFile, PathIn(dir_, QStringLiteral("帳票.txt")));

  // The boxes get the decoded names, which the runs find by listing the folder.
  DropData(W<QLineEdit>("txtSrcTxt1"), data);
  EXPECT_EQ(Text("txtSrcTxt1"), QStringLiteral("帳票.txt"));
  EXPECT_EQ(U(Text("txtFolder1")), FolderOf(dir_));
  DropData(W<QLineEdit>("txtFolder2"), data);
  EXPECT_EQ(U(Text("txtFolder2")), FolderOf(dir_));
}
#endif

TEST_F(MainWindowTest, FilesDroppedOnABoxThatIsNoDropTargetChangeNothing) {
  const std::u16string file = PathIn(dir_, QStringLiteral("x.txt"));
  WriteCp932(file, u"x");
  Start();
  for (const char* name : {"txtPutFile", "txtSearchStr1", "txtSearchStr2", "txtSearchStr3"}) {
    auto* box = W<QLineEdit>(name);
    box->setText(QStringLiteral("before"));
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdU16String(file))});
    data.setText(QUrl::fromLocalFile(QString::fromStdU16String(file)).toString());
    const QPoint at = box->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(box, &enter);
    EXPECT_FALSE(enter.isAccepted()) << name;
    QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(box, &drop);
    EXPECT_EQ(box->text(), QStringLiteral("before")) << name;
  }
  EXPECT_TRUE(recorder_.messages.empty());
}

TEST_F(MainWindowTest, LineBreaksNeverReachABoxNorTheSettingsFile) {
  // A folder whose name holds a line feed, dropped (where the file system
  // allows such a name: Windows does not); text set and pasted.
  const bool lineFeedFolder = QDir(dir_.path()).mkpath(QStringLiteral("A\nB"));
  if (QSysInfo::kernelType() != QStringLiteral("winnt")) {
    ASSERT_TRUE(lineFeedFolder);
  }
  frmMain& window = Start();
  if (lineFeedFolder) {
    DropFiles(W<QLineEdit>("txtFolder1"), {PathIn(dir_, QStringLiteral("A\nB"))});
    EXPECT_EQ(U(Text("txtFolder1")), FolderOf(dir_, QStringLiteral("AB")));
  }

  auto* search = W<QLineEdit>("txtSearchStr1");
  search->setText(QStringLiteral("ab\r\ncd\n"));
  EXPECT_EQ(search->text(), QStringLiteral("abcd"));
  search->setCursorPosition(2);
  search->insert(QStringLiteral("1\n2"));
  EXPECT_EQ(search->text(), QStringLiteral("ab12cd"));
  EXPECT_EQ(search->cursorPosition(), 4);  // behind what was inserted

  window.close();
  EXPECT_TRUE(recorder_.messages.empty());
  const std::string written = IniBytes();
  EXPECT_NE(written.find("SEARCH_STRING1=ab12cd\r\n"), std::string::npos);
  std::size_t lines = 0;
  for (char c : written) lines += c == '\n';
  EXPECT_EQ(lines, 22u);
}

TEST_F(MainWindowTest, TheFileDialogsStartInTheBoxesFolderAndOfferReports) {
  ASSERT_TRUE(QDir(dir_.path()).mkpath(QStringLiteral("reports")));
  Start().show();
  const QString reports = QString::fromStdU16String(FolderOf(dir_, QStringLiteral("reports")));
  W<QLineEdit>("txtFolder1")->setText(reports);
  W<QToolButton>("cmdBrowseSrcTxt1")->click();
  ASSERT_EQ(recorder_.dialogs.size(), 1u);
  EXPECT_EQ(recorder_.dialogs[0].filter,
            "オブジェクト・リスト・レポート、Forms XML (*.txt *.xml);;すべてのファイル (*)");
  EXPECT_EQ(recorder_.dialogs[0].folder, reports);
  EXPECT_TRUE(recorder_.dialogs[0].many);
  EXPECT_TRUE(Text("txtSrcTxt1").isEmpty());  // nothing chosen, nothing changed

  W<QToolButton>("cmdBrowseFolder1")->click();
  ASSERT_EQ(recorder_.dialogs.size(), 2u);
  EXPECT_TRUE(recorder_.dialogs[1].folderWanted);
  EXPECT_EQ(recorder_.dialogs[1].folder, reports);
  EXPECT_EQ(Text("txtFolder1"), reports);

  W<QToolButton>("cmdBrowseIgnoreFile")->click();
  ASSERT_EQ(recorder_.dialogs.size(), 3u);
  EXPECT_EQ(recorder_.dialogs[2].filter, "無視ルール (*.txt);;すべてのファイル (*)");
}

TEST_F(MainWindowTest, SettingsThatCannotGoBesideTheProgramGoToTheUsersCopy) {
  // The program's folder is a file, as unwritable as C:\Program Files\ is.
  WriteCp932(PathIn(dir_, QStringLiteral("program")), u"not a folder");
  const SettingsHome home{PathIn(dir_, QStringLiteral("program/Tarnwick.ini")),
                          PathIn(dir_, QStringLiteral("user/Tarnwick/Tarnwick.ini"))};
  window_ = std::make_unique<frmMain>(recorder_.Hooks());
  window_->Initialize(home);
  W<QLineEdit>("txtFolder1")->setText(QStringLiteral("/forms/v1/"));
  window_->close();
  ASSERT_EQ(recorder_.messages.size(), 1u);
  EXPECT_EQ(recorder_.messages[0].icon, MessageIcon::Information);
  EXPECT_NE(recorder_.messages[0].text.find(home.userCopy), std::u16string::npos);

  // The next start reads the copy, and closing writes it without a word.
  window_ = std::make_unique<frmMain>(recorder_.Hooks());
  window_->Initialize(home);
  EXPECT_EQ(Text("txtFolder1"), QStringLiteral("/forms/v1/"));
  window_->close();
  EXPECT_EQ(recorder_.messages.size(), 1u);
}

TEST_F(MainWindowTest, QtsOwnTextsAreJapanese) {
  Start();
  std::unique_ptr<QMenu> menu(W<QLineEdit>("txtPutFile")->createStandardContextMenu());
  ASSERT_FALSE(menu->actions().isEmpty());
  const QString undo = menu->actions().front()->text();
  EXPECT_FALSE(undo.startsWith(QStringLiteral("&Undo"))) << undo.toStdString();
}

TEST_F(MainWindowTest, WindowsFitTheAvailableScreen) {
  frmMain& window = Start();
  const QRect available = window.screen()->availableGeometry();
  EXPECT_LE(window.width(), available.width());
  EXPECT_LE(window.height(), available.height());
  // What a 1600x1000 screen at scale factor 2 leaves, less a frame: the
  // pages scroll rather than hold the window larger.
  EXPECT_LE(window.minimumSizeHint().height(), 500 - 48);
  EXPECT_LE(window.minimumSizeHint().width(), 800 - 16);

  frmConstract viewer(&window);
  EXPECT_LE(viewer.width(), available.width());
  EXPECT_LE(viewer.height(), available.height());
}

TEST_F(MainWindowTest, EveryPageShowsWholeAtTheFirstSizeWhereTheScreenHasRoom) {
  frmMain& window = Start();
  window.show();
  const auto areas = window.findChildren<QScrollArea*>();
  ASSERT_EQ(areas.size(), 3);
  auto* tabs = W<QTabWidget>("tabMain");
  for (int page = 0; page < tabs->count(); ++page) {
    tabs->setCurrentIndex(page);
    QCoreApplication::processEvents();
    for (const QScrollArea* area : areas) {
      if (!area->isVisible()) continue;
      EXPECT_FALSE(area->horizontalScrollBar()->isVisible()) << page;
      EXPECT_FALSE(area->verticalScrollBar()->isVisible()) << page;
    }
  }
}

TEST_F(MainWindowTest, TheDropHintWrapsInANarrowViewAndReportsDoNot) {
  const std::u16string report = PathIn(dir_, QStringLiteral("FORM1.txt"));
  WriteCp932(report, kReport);
  frmMain& window = Start();
  window.SelectPage(2);
  window.show();
  window.resize(window.minimumSizeHint().width(), window.height());
  auto rowHeight = [&] {
    QCoreApplication::processEvents();
    return Tree(1)->visualItemRect(Tree(1)->topLevelItem(0)).height();
  };
  const int line = Tree(1)->fontMetrics().height();
  EXPECT_GE(rowHeight(), 2 * line);
  EXPECT_EQ(Tree(1)->topLevelItem(0)->text(0), QString::fromStdU16String(kDropHintText));

  DropFiles(Tree(1)->viewport(), {report});
  EXPECT_LT(rowHeight(), 2 * line);
}

class ExecuteTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    QDir root(dir_.path());
    ASSERT_TRUE(root.mkpath(QStringLiteral("A")) && root.mkpath(QStringLiteral("B")) &&
                root.mkpath(QStringLiteral("out")));
    std::u16string changed = kReport;
    changed.replace(changed.find(u"得意先"), 3, u"顧客名");
    WriteCp932(PathIn(dir_, QStringLiteral("A/FORM1.txt")), kReport);
    WriteCp932(PathIn(dir_, QStringLiteral("B/FORM1.txt")), changed);
    WriteCp932(ini_, u"OUTPUT_FILE=Result.html\r\nOUTPUT_AUTOOPEN=True\r\n");
  }

  void Fill(const char* box, const std::u16string& text) {
    W<QLineEdit>(box)->setText(QString::fromStdU16String(text));
  }
  // Clicks Execute and waits for the run's worker to end.
  void Execute() {
    Exec()->click();
    ASSERT_TRUE(QTest::qWaitFor([this] { return !window_->Running(); }, kRunTimeoutMs));
  }
  std::string Output(const char* name) {
    return ReadFileBytes(PathIn(dir_, QStringLiteral("out/") + QString::fromLatin1(name)));
  }
  const ShownMessage& LastMessage() { return recorder_.messages.back(); }
};

TEST_F(ExecuteTest, EachPageChecksItsBoxesFirst) {
  Start().show();
  W<QTabWidget>("tabMain")->setCurrentIndex(0);
  Execute();
  ASSERT_EQ(recorder_.messages.size(), 1u);
  EXPECT_EQ(LastMessage(),
            (ShownMessage{u"ソース１のフォルダを指定してください", MessageIcon::Critical}));

  Fill("txtFolder1", u"/a/");
  Fill("txtSrcTxt1", u"x");
  Fill("txtFolder2", u" ");  // a blank is content
  Execute();
  EXPECT_EQ(LastMessage().text,
            u"ソース２のオブジェクト・リスト・レポート ファイル名を指定してください");

  W<QTabWidget>("tabMain")->setCurrentIndex(1);
  Execute();
  EXPECT_EQ(LastMessage(),
            (ShownMessage{u"出力先フォルダを指定してください", MessageIcon::Critical}));

  W<QTabWidget>("tabMain")->setCurrentIndex(2);
  Execute();
  EXPECT_EQ(LastMessage(),
            (ShownMessage{u"ソースのフォルダを指定してください", MessageIcon::Critical}));
  EXPECT_TRUE(Exec()->isEnabled());
}

TEST_F(ExecuteTest, EnterInABoxStartsTheRunOfItsPage) {
  Start().show();
  W<QTabWidget>("tabMain")->setCurrentIndex(0);
  QTest::keyClick(W<QLineEdit>("txtSrcTxt2"), Qt::Key_Return);
  ASSERT_TRUE(QTest::qWaitFor([this] { return !window_->Running(); }, kRunTimeoutMs));
  ASSERT_EQ(recorder_.messages.size(), 1u);
  EXPECT_EQ(LastMessage().text, u"ソース１のフォルダを指定してください");

  W<QTabWidget>("tabMain")->setCurrentIndex(2);
  QTest::keyClick(W<QLineEdit>("txtPutFile"), Qt::Key_Enter);
  ASSERT_TRUE(QTest::qWaitFor([this] { return !window_->Running(); }, kRunTimeoutMs));
  ASSERT_EQ(recorder_.messages.size(), 2u);
  EXPECT_EQ(LastMessage().text, u"ソースのフォルダを指定してください");
}

TEST_F(ExecuteTest, FolderComparisonWritesSummaryAndPageAndOpensTheSummary) {
  Start().show();
  W<QTabWidget>("tabMain")->setCurrentIndex(0);
  W<QRadioButton>("optFolder")->setChecked(true);
  Fill("txtFolder1", FolderOf(dir_, QStringLiteral("A")));
  Fill("txtSrcTxt1", u"*.txt");
  Fill("txtFolder2", FolderOf(dir_, QStringLiteral("B")));
  Fill("txtSrcTxt2", u"*.txt");
  Fill("txtPutDir", FolderOf(dir_, QStringLiteral("out")));
  Execute();
  ASSERT_FALSE(recorder_.messages.empty());
  EXPECT_EQ(LastMessage(), (ShownMessage{u"終了しました。", MessageIcon::Information}));
  const std::string summary = Output("Result.html");
  EXPECT_NE(summary.find(EncodeCp932(u"差異あり")), std::string::npos);
  EXPECT_NE(Output("FORM1.html").find(EncodeCp932(u"顧客名")), std::string::npos);
  ASSERT_EQ(recorder_.opened.size(), 1u);
  EXPECT_EQ(recorder_.opened[0], PathIn(dir_, QStringLiteral("out/Result.html")));
  EXPECT_TRUE(Exec()->isEnabled());
}

TEST_F(ExecuteTest, ARuleFileThatHoldsNoRuleStopsTheRunWithAWarningNamingItsLine) {
  const std::u16string rules = PathIn(dir_, QStringLiteral("rules.txt"));
  WriteFileBytes(rules, "X位置\n項目/: 幅\n");
  Start().show();
  W<QTabWidget>("tabMain")->setCurrentIndex(0);
  W<QRadioButton>("optFolder")->setChecked(true);
  Fill("txtFolder1", FolderOf(dir_, QStringLiteral("A")));
  Fill("txtSrcTxt1", u"*.txt");
  Fill("txtFolder2", FolderOf(dir_, QStringLiteral("B")));
  Fill("txtSrcTxt2", u"*.txt");
  Fill("txtPutDir", FolderOf(dir_, QStringLiteral("out")));
  Fill("txtIgnoreFile", rules);
  Execute();
  EXPECT_EQ(LastMessage(), (ShownMessage{u"無視ルールファイル[" + rules +
                                             u"]の2行目はルールではありません: 項目/: 幅",
                                         MessageIcon::Warning}));
  EXPECT_FALSE(QFileInfo::exists(QDir(dir_.path()).filePath(QStringLiteral("out/Result.html"))));

  // Mended, the same run compares as ever.
  WriteFileBytes(rules, "X位置\n");
  Execute();
  EXPECT_EQ(LastMessage(), (ShownMessage{u"終了しました。", MessageIcon::Information}));
}

TEST_F(ExecuteTest, ObjectComparisonWritesOnePageForTheChosenNodes) {
  frmMain& window = Start();
  window.show();
  W<QTabWidget>("tabMain")->setCurrentIndex(1);
  Fill("txtPutDir", FolderOf(dir_, QStringLiteral("out")));
  W<QCheckBox>("chkDiffObjOnly")->setChecked(true);

  Execute();
  EXPECT_EQ(LastMessage(),
            (ShownMessage{u"オブジェクト・リスト・レポートファイルをドロップしてください。",
                          MessageIcon::Warning}));

  DropFiles(Tree(1)->viewport(), {PathIn(dir_, QStringLiteral("A/FORM1.txt"))});
  DropFiles(Tree(2)->viewport(), {PathIn(dir_, QStringLiteral("B/FORM1.txt"))});
  Tree(1)->SelectNode(u"ROOT");
  Tree(2)->SelectNode(u"ROOT-1-1-3-1");
  Execute();
  EXPECT_EQ(LastMessage(),
            (ShownMessage{u"比較するオブジェクトを選択してください。", MessageIcon::Warning}));

  Tree(1)->SelectNode(u"ROOT-1-1-3-1");
  Execute();
  EXPECT_EQ(LastMessage(), (ShownMessage{u"終了しました。", MessageIcon::Information}));
  const std::string page = Output("Result.html");
  EXPECT_EQ(page.rfind("<HTML><TABLE>\r\n", 0), 0u);
  EXPECT_NE(page.find(EncodeCp932(PathIn(dir_, QStringLiteral("A/FORM1.txt")))), std::string::npos);
  // Cell text shows blanks as &nbsp;.
  EXPECT_NE(page.find(EncodeCp932(u"&nbsp;FORM1&nbsp;ﾌｫｰﾑ&nbsp;FORM1&nbsp;ブロック&nbsp;B_ORDER")),
            std::string::npos);
  EXPECT_NE(page.find(EncodeCp932(u"顧客名")), std::string::npos);
  EXPECT_EQ(page.find(EncodeCp932(u"WHEN-NEW-FORM-INSTANCE")), std::string::npos);
}

TEST_F(ExecuteTest, SearchWritesAResultPage) {
  Start().show();
  W<QTabWidget>("tabMain")->setCurrentIndex(2);
  Fill("txtSrcFolder", FolderOf(dir_, QStringLiteral("B")));
  Fill("txtSrcFile", u"*.txt");
  Fill("txtSearchStr1", u"顧客名");
  Fill("txtPutDir", FolderOf(dir_, QStringLiteral("out")));
  W<QCheckBox>("chkOpenFile")->setChecked(false);
  Execute();
  EXPECT_EQ(LastMessage(), (ShownMessage{u"終了しました。", MessageIcon::Information}));
  EXPECT_NE(Output("Result.html").find("FORM1"), std::string::npos);
  EXPECT_TRUE(recorder_.opened.empty());
}

TEST_F(ExecuteTest, TheExecuteButtonIsDisabledWhileARunLasts) {
  std::vector<bool> enabled;
  QPushButton* button = nullptr;
  GuiHooks hooks = recorder_.Hooks();
  hooks.message = [&](std::u16string_view text, MessageIcon icon) {
    enabled.push_back(button->isEnabled());
    recorder_.messages.push_back({std::u16string(text), icon});
  };
  window_ = std::make_unique<frmMain>(hooks);
  window_->Initialize(ini_);
  button = Exec();
  W<QTabWidget>("tabMain")->setCurrentIndex(1);
  Execute();
  ASSERT_EQ(enabled.size(), 1u);
  EXPECT_FALSE(enabled[0]);
  EXPECT_TRUE(button->isEnabled());
}

}  // namespace
}  // namespace tarnwick

namespace tarnwick {
namespace {

TEST_F(MainWindowTest, TheIgnoreFileBoxIsOneSettingOnBothComparisonPages) {
  WriteCp932(ini_, std::u16string(kSettingsFile) + u"IGNORE_FILE=/rules/座標.txt\r\n");
  frmMain& window = Start();
  EXPECT_EQ(Text("txtIgnoreFile"), QStringLiteral("/rules/座標.txt"));
  EXPECT_EQ(Text("txtIgnoreFileObj"), QStringLiteral("/rules/座標.txt"));
  ASSERT_NE(W<QToolButton>("cmdBrowseIgnoreFile"), nullptr);
  ASSERT_NE(W<QToolButton>("cmdBrowseIgnoreFileObj"), nullptr);
  EXPECT_EQ(W<QToolButton>("cmdBrowseIgnoreFileObj")->text(), QStringLiteral("…"));

  W<QLineEdit>("txtIgnoreFileObj")->setText(QStringLiteral("/rules/見た目.txt"));
  EXPECT_EQ(Text("txtIgnoreFile"), QStringLiteral("/rules/見た目.txt"));
  window.CollectSettings();
  EXPECT_EQ(window.CurrentSettings().IGNORE_FILE, u"/rules/見た目.txt");

  // Emptied, the key leaves the file.
  W<QLineEdit>("txtIgnoreFile")->clear();
  EXPECT_TRUE(Text("txtIgnoreFileObj").isEmpty());
  window.close();
  EXPECT_EQ(IniBytes(), EncodeCp932(std::u16string(kSettingsFile)));
}

TEST_F(MainWindowTest, ReviewStyleAndComparisonOptionsTravelWithTheSettings) {
  WriteCp932(ini_, std::u16string(kSettingsFile) + u"PAGE_STYLE=REVIEW\r\nIGNORE_CASE=True\r\n");
  frmMain& window = Start();
  auto* review = window.findChild<QAction*>(QStringLiteral("mnuReviewStyle"));
  ASSERT_NE(review, nullptr);
  EXPECT_TRUE(review->isCheckable());
  EXPECT_TRUE(review->isChecked());
  EXPECT_TRUE(Checked("chkIgnoreCase"));
  EXPECT_TRUE(Checked("chkIgnoreCaseObj")) << "one setting, shown on both comparison pages";
  EXPECT_FALSE(Checked("chkIgnoreBlanks"));

  W<QCheckBox>("chkIgnoreBlanksObj")->setChecked(true);
  EXPECT_TRUE(Checked("chkIgnoreBlanks"));
  W<QCheckBox>("chkIgnoreCase")->setChecked(false);
  EXPECT_FALSE(Checked("chkIgnoreCaseObj"));
  review->trigger();
  window.CollectSettings();
  EXPECT_EQ(window.CurrentSettings().PAGE_STYLE, PageStyle::Classic);
  EXPECT_TRUE(window.CurrentSettings().IGNORE_BLANKS);
  EXPECT_FALSE(window.CurrentSettings().IGNORE_CASE);

  window.close();
  EXPECT_EQ(IniBytes(), EncodeCp932(std::u16string(kSettingsFile) + u"IGNORE_BLANKS=True\r\n"))
      << "keys at their default are not written";
}

}  // namespace
}  // namespace tarnwick
