// The window after a run: each page's result list (filled as pairs get done,
// completed when the run ends, sorted, filtered, opening pages, the summary
// and the output folder), the totals on the status line of the run's own
// page, the object page's report choice and labels, the ON_ERROR box, the
// file chooser in folder mode, the question before closing during a run,
// the keyboard, and the window's place kept in the settings file.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>

#include "gui/main_window.h"
#include "gui/report_tree_view.h"
#include "gui/result_list.h"
#include "gui/termination_signals.h"
#include "gui/window_geometry.h"
#include "gui_test_support.h"

namespace tarnwick {
namespace {

using testing::FolderOf;
using testing::PathIn;
using testing::Recorder;
using testing::WriteCp932;

constexpr int kRunTimeoutMs = 120000;
// Longer than the window gives the window manager to place it.
constexpr int kPlacedMs = 700;

// A form of one block with two items; `prompt` is the second item's prompt.
std::u16string Report(std::u16string_view form, std::u16string_view prompt) {
  return u"* 名前                           " + std::u16string(form) +
         u"\r\n"
         u"* ブロック\r\n"
         u"  * 名前                         B_ORDER\r\n"
         u"  * 項目\r\n"
         u"    * 名前                       ORDER_NO\r\n"
         u"    * プロンプト                 受注番号\r\n"
         u"    * 名前                       CUSTOMER\r\n"
         u"    * プロンプト                 " +
         std::u16string(prompt) + u"\r\n";
}

class ResultsWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    QDir root(dir_.path());
    ASSERT_TRUE(root.mkpath(QStringLiteral("A")) && root.mkpath(QStringLiteral("B")) &&
                root.mkpath(QStringLiteral("out")));
    ini_ = PathIn(dir_, QStringLiteral("Tarnwick.ini"));
    // FORM1 differs, FORM2 is the same, FORM3 is in A only.
    WriteCp932(PathIn(dir_, QStringLiteral("A/FORM1.txt")), Report(u"FORM1", u"得意先"));
    WriteCp932(PathIn(dir_, QStringLiteral("B/FORM1.txt")), Report(u"FORM1", u"顧客名"));
    WriteCp932(PathIn(dir_, QStringLiteral("A/FORM2.txt")), Report(u"FORM2", u"得意先"));
    WriteCp932(PathIn(dir_, QStringLiteral("B/FORM2.txt")), Report(u"FORM2", u"得意先"));
    WriteCp932(PathIn(dir_, QStringLiteral("A/FORM3.txt")), Report(u"FORM3", u"得意先"));
    WriteCp932(ini_, u"OUTPUT_FILE=Result.html\r\n");
  }

  frmMain& Start() { return Start(recorder_.Hooks()); }
  frmMain& Start(GuiHooks hooks) {
    window_ = std::make_unique<frmMain>(std::move(hooks));
    window_->Initialize(ini_);
    window_->show();
    return *window_;
  }

  template <typename Widget>
  Widget* W(const QString& name) {
    Widget* widget = window_ ? window_->findChild<Widget*>(name) : nullptr;
    if (widget == nullptr) throw std::runtime_error("no widget " + name.toStdString());
    return widget;
  }
  template <typename Widget>
  Widget* W(const char* name) {
    return W<Widget>(QString::fromLatin1(name));
  }
  void Fill(const char* box, const std::u16string& text) {
    W<QLineEdit>(box)->setText(QString::fromStdU16String(text));
  }
  QString Status() { return W<QLabel>("lblStatus")->text(); }
  QTreeWidget* Rows(const char* list) { return W<QTreeWidget>(QLatin1String(list) + "Rows"); }
  // The texts of a list's visible rows in one column, top to bottom.
  QStringList Column(const char* list, int column) {
    QStringList texts;
    QTreeWidget* rows = Rows(list);
    for (int i = 0; i < rows->topLevelItemCount(); ++i) {
      if (!rows->topLevelItem(i)->isHidden()) texts << rows->topLevelItem(i)->text(column);
    }
    return texts;
  }

  void SetUpFolderComparison() {
    window_->SelectPage(1);
    W<QRadioButton>("optFolder")->setChecked(true);
    Fill("txtFolder1", FolderOf(dir_, QStringLiteral("A")));
    Fill("txtSrcTxt1", u"*.txt");
    Fill("txtFolder2", FolderOf(dir_, QStringLiteral("B")));
    Fill("txtSrcTxt2", u"*.txt");
    Fill("txtPutDir", FolderOf(dir_, QStringLiteral("out")));
  }
  // The same, the run stopping at each parsed report for the structure hook.
  void SetUpFolderComparisonThroughTheStructureHook() {
    SetUpFolderComparison();
    W<QAction>("mnuShowConstract")->setChecked(true);
  }
  void Execute() {
    W<QPushButton>("cmdExec")->click();
    ASSERT_TRUE(QTest::qWaitFor([this] { return !window_->Running(); }, kRunTimeoutMs));
  }
  std::u16string Out(const QString& name) { return PathIn(dir_, QStringLiteral("out/") + name); }

  QTemporaryDir dir_;
  std::u16string ini_;
  Recorder recorder_;
  std::unique_ptr<frmMain> window_;
};

TEST_F(ResultsWindowTest, AFolderRunListsEveryPairWithItsCountsAndTheTotals) {
  Start();
  SetUpFolderComparison();
  Execute();
  EXPECT_EQ(Column("lstDiff", ResultList::kName),
            (QStringList{"FORM1.TXT", "FORM2.TXT", "FORM3.TXT"}));
  EXPECT_EQ(Column("lstDiff", ResultList::kStatus),
            (QStringList{"差異あり", "一致", "フォルダ１のみ存在"}));
  // Objects added, removed, changed; lines added, removed (FORM3 counts
  // once as an object, and with each one-sided line of its content).
  QStringList counts;
  for (int c = ResultList::kFirstCount; c < ResultList::kFirstCount + 5; ++c) {
    counts << Column("lstDiff", c).join(QLatin1Char('/'));
  }
  EXPECT_EQ(counts, (QStringList{"0/0/0", "0/0/1", "1/0/0", "1/0/0", "1/0/3"}));
  EXPECT_EQ(Status(),
            "3組：差異あり 1、一致 1、フォルダ１のみ存在 1｜オブジェクト 追加 0・削除 1・変更 1"
            "｜行 追加 1・削除 4");
  // The same below the list, where it always has room.
  EXPECT_EQ(W<QLabel>("lstDiffTotals")->text(), Status());

  // The run's events, not the pages: each row carries its page and reports.
  const ResultList& list = window_->Results(1);
  ASSERT_EQ(list.RowCount(), 3);
  EXPECT_EQ(list.Row(0).page, Out(QStringLiteral("FORM1.html")));
  EXPECT_EQ(list.Row(2).path1, PathIn(dir_, QStringLiteral("A/FORM3.txt")));
  EXPECT_TRUE(list.Row(2).path2.empty());
}

TEST_F(ResultsWindowTest, TheListAndTheTotalsFollowTheWindowsLanguage) {
  Start();
  SetUpFolderComparison();
  Execute();
  window_->SetLanguage(UiLanguage::English);
  EXPECT_EQ(Column("lstDiff", ResultList::kStatus),
            (QStringList{"Different", "Same", "Only in folder 1"}));
  EXPECT_EQ(Status(),
            "3 pairs: Different 1, Same 1, Only in folder 1 1; objects: 0 added, 1 removed, "
            "1 changed; lines: 1 added, 4 removed");
  EXPECT_EQ(Rows("lstDiff")->headerItem()->text(ResultList::kFirstCount), "Objects added");
  window_->SetLanguage(UiLanguage::Japanese);
  EXPECT_TRUE(Status().startsWith("3組：差異あり 1"));
}

TEST_F(ResultsWindowTest, RowsSortByNumberFilterToTheChangedAndOpenTheirPages) {
  Start();
  SetUpFolderComparison();
  Execute();
  QTreeWidget* rows = Rows("lstDiff");
  // Objects removed: FORM3 counts one; by number, not by text.
  rows->sortByColumn(ResultList::kFirstCount + 1, Qt::DescendingOrder);
  EXPECT_EQ(Column("lstDiff", ResultList::kName).front(), "FORM3.TXT");
  rows->sortByColumn(ResultList::kName, Qt::AscendingOrder);
  EXPECT_EQ(Column("lstDiff", ResultList::kName),
            (QStringList{"FORM1.TXT", "FORM2.TXT", "FORM3.TXT"}));

  W<QCheckBox>("lstDiffChangedOnly")->setChecked(true);
  EXPECT_EQ(Column("lstDiff", ResultList::kName), (QStringList{"FORM1.TXT", "FORM3.TXT"}));
  W<QCheckBox>("lstDiffChangedOnly")->setChecked(false);

  // Enter opens the current row's page, a double click the row's.
  rows->setCurrentItem(rows->topLevelItem(0));
  QTest::keyClick(rows, Qt::Key_Return);
  ASSERT_EQ(recorder_.opened.size(), 1u);
  EXPECT_EQ(recorder_.opened.back(), Out(QStringLiteral("FORM1.html")));
  QTreeWidgetItem* third = rows->topLevelItem(2);
  const QPoint at = rows->visualItemRect(third).center();
  QTest::mouseClick(rows->viewport(), Qt::LeftButton, {}, at);
  QTest::mouseDClick(rows->viewport(), Qt::LeftButton, {}, at);
  ASSERT_EQ(recorder_.opened.size(), 2u);
  EXPECT_EQ(recorder_.opened.back(), Out(QStringLiteral("FORM3.html")));

  W<QPushButton>("lstDiffOpenSummary")->click();
  W<QPushButton>("lstDiffOpenFolder")->click();
  ASSERT_EQ(recorder_.opened.size(), 4u);
  EXPECT_EQ(recorder_.opened[2], Out(QStringLiteral("Result.html")));
  EXPECT_EQ(recorder_.opened[3], FolderOf(dir_, QStringLiteral("out")));
}

TEST_F(ResultsWindowTest, TheListGrowsDuringTheRunAndShowsWhatACancelLeft) {
  GuiHooks hooks = recorder_.Hooks();
  std::vector<int> rowsSeen;
  int shown = 0;
  hooks.structure = [&](const Collection&) {
    rowsSeen.push_back(window_->Results(1).RowCount());
    // Side 1 of pair 2: pair 1 is done; stop before pair 3.
    if (++shown == 3) window_->cmdCancel_Click();
  };
  Start(hooks);
  SetUpFolderComparisonThroughTheStructureHook();
  Execute();
  EXPECT_EQ(rowsSeen, (std::vector<int>{0, 0, 1, 1}));
  EXPECT_EQ(Column("lstDiff", ResultList::kStatus), (QStringList{"差異あり", "一致", "未処理"}));
  EXPECT_TRUE(window_->Results(1).Row(2).page.empty());  // never written
  EXPECT_TRUE(Column("lstDiff", ResultList::kFirstCount).back().isEmpty());
  EXPECT_TRUE(Status().startsWith("3組：差異あり 1、一致 1、未処理 1｜")) << Status().toStdString();
}

TEST_F(ResultsWindowTest, EachPageShowsTheStatusOfItsOwnLastRunOnly) {
  Start();
  SetUpFolderComparison();
  Execute();
  const QString diffTotals = Status();
  ASSERT_FALSE(diffTotals.isEmpty());

  window_->SelectPage(3);
  EXPECT_TRUE(Status().isEmpty());
  Fill("txtSrcFolder", FolderOf(dir_, QStringLiteral("A")));
  Fill("txtSrcFile", u"*.txt");
  Fill("txtSearchStr1", u"得意先");
  Execute();
  EXPECT_EQ(Column("lstSearch", ResultList::kStatus), (QStringList{"該当", "該当", "該当"}));
  EXPECT_EQ(Column("lstSearch", ResultList::kFirstCount), (QStringList{"1", "1", "1"}));
  EXPECT_EQ(Status(), "3件：該当 3｜該当 プロパティ 3・行 3");

  window_->SelectPage(2);
  EXPECT_TRUE(Status().isEmpty());
  window_->SelectPage(1);
  EXPECT_EQ(Status(), diffTotals);
  // Both lists keep their rows.
  EXPECT_EQ(window_->Results(1).RowCount(), 3);
  EXPECT_EQ(window_->Results(3).RowCount(), 3);
}

TEST_F(ResultsWindowTest, TheObjectPageLoadsReportsFromTheDialogAndNamesThem) {
  Start();
  window_->SelectPage(1);
  const std::u16string a = PathIn(dir_, QStringLiteral("A/FORM1.txt"));
  const std::u16string b = PathIn(dir_, QStringLiteral("B/FORM1.txt"));
  EXPECT_EQ(W<QLabel>("lblSrcName1")->text(), "（未読込）");

  recorder_.chosen = {QString::fromStdU16String(a)};
  W<QAction>("mnuOpenSrc1")->trigger();
  EXPECT_EQ(window_->CurrentPage(), 2);  // the menu leads to its page
  recorder_.chosen = {QString::fromStdU16String(b)};
  W<QToolButton>("cmdOpenSrc2")->click();
  ASSERT_EQ(recorder_.dialogs.size(), 2u);
  EXPECT_EQ(recorder_.dialogs[0].filter,
            "オブジェクト・リスト・レポート、Forms XML (*.txt *.xml);;すべてのファイル (*)");
  EXPECT_FALSE(recorder_.dialogs[0].many);
  EXPECT_EQ(window_->Side(1).ObjFile, a);
  EXPECT_EQ(window_->Side(2).ObjFile, b);
  // Two versions of one report: the same name, told apart by the path.
  EXPECT_EQ(W<QLabel>("lblSrcName1")->text(), "FORM1.txt");
  EXPECT_EQ(W<QLabel>("lblSrcName2")->text(), "FORM1.txt");
  EXPECT_EQ(W<QLabel>("lblSrcPath1")->text(), QString::fromStdU16String(a));
  EXPECT_EQ(W<QLabel>("lblSrcPath2")->text(), QString::fromStdU16String(b));

  // Cancelling the dialog keeps what is loaded.
  recorder_.chosen.clear();
  W<QToolButton>("cmdOpenSrc1")->click();
  EXPECT_EQ(window_->Side(1).ObjFile, a);
  // The next dialog opens where the side's report is.
  EXPECT_EQ(QDir(recorder_.dialogs.back().folder), QDir(dir_.filePath(QStringLiteral("A"))));

  W<ReportTreeView>("tvSrc1")->SelectNode(u"ROOT-1-1-1-1");
  W<ReportTreeView>("tvSrc2")->SelectNode(u"ROOT-1-1-1-1");
  Fill("txtPutDir", FolderOf(dir_, QStringLiteral("out")));
  Execute();
  EXPECT_EQ(Column("lstObjDiff", ResultList::kName),
            (QStringList{"FORM1 ﾌｫｰﾑ FORM1 ブロック B_ORDER"}));
  EXPECT_EQ(Column("lstObjDiff", ResultList::kStatus), (QStringList{"差異あり"}));
  EXPECT_EQ(Column("lstObjDiff", ResultList::kFirstCount + 2), (QStringList{"1"}));
  EXPECT_TRUE(Status().startsWith("1組：差異あり 1｜")) << Status().toStdString();
}

TEST_F(ResultsWindowTest, TheOnErrorBoxesAreOneSettingWrittenOnlyWhenOn) {
  Start();
  auto* diff = W<QCheckBox>("chkOnError");
  auto* search = W<QCheckBox>("chkOnErrorSearch");
  EXPECT_FALSE(diff->isChecked());
  window_->CollectSettings();
  EXPECT_EQ(window_->CurrentSettings().ON_ERROR, OnError::Stop);
  search->setChecked(true);
  EXPECT_TRUE(diff->isChecked());
  window_->CollectSettings();
  EXPECT_EQ(window_->CurrentSettings().ON_ERROR, OnError::Continue);
  window_->close();
  EXPECT_NE(ReadFileBytes(ini_).find("ON_ERROR=CONTINUE\r\n"), std::string::npos);

  Start();
  EXPECT_TRUE(W<QCheckBox>("chkOnError")->isChecked());
  W<QCheckBox>("chkOnError")->setChecked(false);
  window_->close();
  EXPECT_EQ(ReadFileBytes(ini_).find("ON_ERROR"), std::string::npos);
}

TEST_F(ResultsWindowTest, AFilePickedInFolderModeIsThePatternOfBothSides) {
  Start();
  SetUpFolderComparison();
  recorder_.chosen = {QString::fromStdU16String(PathIn(dir_, QStringLiteral("A/FORM1.txt")))};
  W<QToolButton>("cmdBrowseSrcTxt1")->click();
  EXPECT_TRUE(recorder_.dialogs.back().many);
  EXPECT_EQ(W<QLineEdit>("txtSrcTxt1")->text(), "FORM1.txt");
  EXPECT_EQ(W<QLineEdit>("txtSrcTxt2")->text(), "FORM1.txt");
  EXPECT_EQ(W<QLineEdit>("txtFolder2")->text(),
            QString::fromStdU16String(FolderOf(dir_, QStringLiteral("B"))));
  Execute();
  // One pair, not FORM2 and FORM3 "only in folder 1".
  EXPECT_EQ(Column("lstDiff", ResultList::kName), (QStringList{"FORM1.TXT"}));

  // File mode names one file a side: the other side keeps its own.
  W<QRadioButton>("optFile")->setChecked(true);
  Fill("txtSrcTxt2", u"other.txt");
  recorder_.chosen = {QString::fromStdU16String(PathIn(dir_, QStringLiteral("A/FORM2.txt")))};
  W<QToolButton>("cmdBrowseSrcTxt1")->click();
  EXPECT_EQ(W<QLineEdit>("txtSrcTxt1")->text(), "FORM2.txt");
  EXPECT_EQ(W<QLineEdit>("txtSrcTxt2")->text(), "other.txt");
}

TEST_F(ResultsWindowTest, ClosingDuringARunAsksAndNoKeepsItRunning) {
  GuiHooks hooks = recorder_.Hooks();
  int shown = 0;
  bool stillRunning = false;
  hooks.structure = [&](const Collection&) {
    if (++shown != 1) return;
    recorder_.answer = false;
    window_->close();
    stillRunning = window_->isVisible() && window_->Running();
    recorder_.answer = true;
  };
  Start(hooks);
  SetUpFolderComparisonThroughTheStructureHook();
  Execute();
  ASSERT_EQ(recorder_.questions.size(), 1u);
  EXPECT_EQ(recorder_.questions[0], u"比較・検索を実行中です。中止して閉じますか？");
  EXPECT_TRUE(stillRunning);
  EXPECT_EQ(Column("lstDiff", ResultList::kStatus),
            (QStringList{"差異あり", "一致", "フォルダ１のみ存在"}));  // the run went on
  EXPECT_TRUE(window_->isVisible());
  EXPECT_EQ(window_->SettingsWrites(), 0);

  // Not running: closing asks nothing.
  window_->close();
  EXPECT_EQ(recorder_.questions.size(), 1u);
  EXPECT_EQ(window_->SettingsWrites(), 1);
}

TEST_F(ResultsWindowTest, ClosingDuringARunWithYesCancelsAndClosesOnce) {
  GuiHooks hooks = recorder_.Hooks();
  int shown = 0;
  hooks.structure = [&](const Collection&) {
    if (++shown == 1) window_->close();
  };
  Start(hooks);
  SetUpFolderComparisonThroughTheStructureHook();
  W<QPushButton>("cmdExec")->click();
  ASSERT_TRUE(QTest::qWaitFor([this] { return !window_->Running(); }, kRunTimeoutMs));
  EXPECT_EQ(recorder_.questions.size(), 1u);
  EXPECT_FALSE(window_->isVisible());
  EXPECT_EQ(window_->SettingsWrites(), 1);
  // Stopped before the next pair: nothing after the first was compared.
  EXPECT_FALSE(QFile::exists(QString::fromStdU16String(Out(QStringLiteral("FORM2.html")))));
}

TEST_F(ResultsWindowTest, ASignalClosesDuringARunWithoutAsking) {
  GuiHooks hooks = recorder_.Hooks();
  int shown = 0;
  hooks.structure = [&](const Collection&) {
    if (++shown != 1) return;
    // As the termination signals close it: nobody is there to answer.
    window_->setProperty(kClosingBySignal, true);
    window_->close();
  };
  Start(hooks);
  SetUpFolderComparisonThroughTheStructureHook();
  W<QPushButton>("cmdExec")->click();
  ASSERT_TRUE(QTest::qWaitFor([this] { return !window_->Running(); }, kRunTimeoutMs));
  EXPECT_TRUE(recorder_.questions.empty());
  EXPECT_FALSE(window_->isVisible());
  EXPECT_EQ(window_->SettingsWrites(), 1);
}

TEST_F(ResultsWindowTest, TabGoesTopToBottomWithEachBrowseButtonAfterItsBox) {
  Start();
  window_->SelectPage(1);
  QStringList order;
  QWidget* widget = W<QLineEdit>("txtFolder1");
  for (int i = 0; i < 40 && widget != nullptr; ++i) {
    order << widget->objectName();
    widget = widget->nextInFocusChain();
    while (widget != nullptr && !(widget->isVisibleTo(window_.get()) && widget->isEnabled() &&
                                  (widget->focusPolicy() & Qt::TabFocus)))
      widget = widget->nextInFocusChain();
    if (widget != nullptr && widget->objectName() == QLatin1String("tabMain")) break;
  }
  const QStringList expected = {"txtFolder1",
                                "cmdBrowseFolder1",
                                "txtSrcTxt1",
                                "cmdBrowseSrcTxt1",
                                "txtFolder2",
                                "cmdBrowseFolder2",
                                "txtSrcTxt2",
                                "cmdBrowseSrcTxt2",
                                "optFolder",
                                "optFile",
                                "chkDiffOnly",
                                "chkOnError",
                                "chkIgnoreBlanks",
                                "chkIgnoreCase",
                                "txtIgnoreFile",
                                "cmdBrowseIgnoreFile",
                                "lstDiffChangedOnly",
                                "lstDiffOpenSummary",
                                "lstDiffOpenFolder",
                                "lstDiffRows",
                                "txtPutDir",
                                "cmdBrowsePutDir",
                                "txtPutFile",
                                "chkOpenFile",
                                "cmdExec",
                                "cmdCancel",
                                "cmdExit"};
  // Disabled buttons are skipped; compare what can take the focus.
  QStringList reachable;
  for (const QString& name : expected) {
    if (W<QWidget>(name)->isEnabled()) reachable << name;
  }
  EXPECT_EQ(order, reachable);
}

TEST_F(ResultsWindowTest, AFocusedButtonLooksUnlikeTheDefaultOne) {
  Start();
  QApplication::setActiveWindow(window_.get());
  ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
  auto* exec = W<QPushButton>("cmdExec");
  auto* exit = W<QPushButton>("cmdExit");
  ASSERT_TRUE(exec->isDefault());
  window_->findChild<QLineEdit*>(QStringLiteral("txtPutFile"))->setFocus();
  QApplication::processEvents();
  const QImage unfocused = exit->grab().toImage();
  const QImage defaultUnfocused = exec->grab().toImage();
  exit->setFocus();
  QApplication::processEvents();
  ASSERT_TRUE(exit->hasFocus());
  const QImage focused = exit->grab().toImage();
  EXPECT_NE(focused, unfocused);
  // The default button's own look is not the focus's.
  exec->setFocus();
  QApplication::processEvents();
  EXPECT_NE(exec->grab().toImage(), defaultUnfocused);
}

TEST_F(ResultsWindowTest, TheWindowsPlaceIsKeptOnlyOnceTheUserMovedIt) {
  Start();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
  QTest::qWait(kPlacedMs);
  window_->close();
  EXPECT_EQ(ReadFileBytes(ini_).find("WINDOW_"), std::string::npos);

  Start();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
  QTest::qWait(kPlacedMs);
  const QRect moved(window_->geometry().topLeft() + QPoint(30, 20),
                    window_->geometry().size() - QSize(40, 10));
  window_->setGeometry(moved);
  QApplication::processEvents();
  const QRect placed = window_->normalGeometry();
  window_->close();
  const std::string ini = ReadFileBytes(ini_);
  const std::string line = "WINDOW_GEOMETRY=" + ToUtf8(GeometryText(placed)) + "\r\n";
  EXPECT_NE(ini.find(line), std::string::npos) << ini;
  EXPECT_EQ(ini.find("WINDOW_MAXIMIZED"), std::string::npos);

  Start();
  EXPECT_EQ(window_->normalGeometry().size(), placed.size());
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
  QTest::qWait(kPlacedMs);
  window_->showMaximized();
  QApplication::processEvents();
  window_->close();
  EXPECT_NE(ReadFileBytes(ini_).find("WINDOW_MAXIMIZED=True\r\n"), std::string::npos);
  Start();
  EXPECT_TRUE(window_->windowState() & Qt::WindowMaximized);
}

TEST(ResultListAlone, TheRunsRecordAddsWhatWasNeverReportedOnce) {
  ResultList list(ResultList::Kind::FolderComparison, QStringLiteral("lst"));
  PairResult done;
  done.name = u"A.TXT";
  done.path1 = u"/1/A.txt";
  done.path2 = u"/2/A.txt";
  done.status = FileStatus::Different;
  done.failure = u"";
  list.Add(done);
  RunResult run;
  run.summaryPath = u"/nowhere/index.html";  // not written: its button stays off
  run.items.push_back(
      {u"A.TXT", u"/1/A.txt", u"/2/A.txt", u"/out/A.html", FileStatus::Different, {}, {}, {}});
  run.items.push_back(
      {u"B.TXT", u"/1/B.txt", u"/2/B.txt", u"/out/B.html", FileStatus::Unprocessed, {}, {}, {}});
  run.items.push_back({u"c.TXT", u"/1/c.txt", u"", u"", FileStatus::SetAside1, {}, {}, {}});
  list.Finish(run, QStringLiteral("/nowhere/"));
  ASSERT_EQ(list.RowCount(), 3);
  EXPECT_EQ(list.Row(1).name, u"B.TXT");
  EXPECT_TRUE(list.Row(1).page.empty());  // planned, never written
  EXPECT_EQ(list.Row(2).status, FileStatus::SetAside1);
  EXPECT_FALSE(list.findChild<QPushButton*>(QStringLiteral("lstOpenSummary"))->isEnabled());
  EXPECT_FALSE(list.findChild<QPushButton*>(QStringLiteral("lstOpenFolder"))->isEnabled());
  EXPECT_TRUE(list.Totals().startsWith(QStringLiteral("3組：差異あり 1、")))
      << list.Totals().toStdString();
  list.Clear();
  EXPECT_EQ(list.RowCount(), 0);
  EXPECT_TRUE(list.Totals().isEmpty());
}

TEST(WindowGeometry, TextAndBack) {
  EXPECT_EQ(GeometryText(QRect(10, -5, 800, 600)), u"10,-5,800,600");
  EXPECT_EQ(ParseGeometry(u"10,-5,800,600"), QRect(10, -5, 800, 600));
  EXPECT_EQ(ParseGeometry(u" 1, 2 ,3,4"), QRect(1, 2, 3, 4));
  for (const std::u16string_view bad : {u"", u"1,2,3", u"1,2,3,4,5", u"a,2,3,4", u"1,2,0,4"}) {
    EXPECT_EQ(ParseGeometry(bad), std::nullopt) << ToUtf8(bad);
  }
  // A place on no screen (a monitor since unplugged) is dropped.
  EXPECT_EQ(OnSomeScreen(QRect(-100000, -100000, 800, 600)), std::nullopt);
}

}  // namespace
}  // namespace tarnwick
