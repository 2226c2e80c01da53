// The window during a run long enough to act on: the run goes on a worker,
// so the window's event loop keeps turning, the progress bar moves, "中止"
// stops before the next pair and closing the window cancels, waits and
// writes the settings once.
#include <gtest/gtest.h>

#include <QAction>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <memory>
#include <set>

#include "gui/main_window.h"
#include "gui_test_support.h"
#include "tests/generated_folders.h"

namespace tarnwick {
namespace {

using testing::FolderOf;
using testing::PathIn;
using testing::Recorder;
using testing::ShownMessage;
using testing::U;

constexpr int kPairs = 10;
constexpr int kRunTimeoutMs = 180000;

std::u16string FormName(int n) {
  std::u16string number = FromUtf8(std::to_string(n));
  return u"FORM" + std::u16string(4 - number.size(), u'0') + number;
}

class LongRunTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    reports_ = new QTemporaryDir;
    QDir(reports_->path()).mkpath(QStringLiteral("v1"));
    QDir(reports_->path()).mkpath(QStringLiteral("v2"));
    testing::WriteGeneratedPairs(FolderOf(*reports_, QStringLiteral("v1")),
                                 FolderOf(*reports_, QStringLiteral("v2")), kPairs, 1000000);
  }
  static void TearDownTestSuite() {
    delete reports_;
    reports_ = nullptr;
  }

  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    ASSERT_TRUE(QDir(dir_.path()).mkpath(QStringLiteral("out")));
    ini_ = PathIn(dir_, QStringLiteral("Tarnwick.ini"));
    out_ = FolderOf(dir_, QStringLiteral("out"));
  }

  // A window on page 1 set for a folder comparison of the generated pairs.
  frmMain& Start(GuiHooks hooks) {
    window_ = std::make_unique<frmMain>(std::move(hooks));
    window_->Initialize(ini_);
    window_->SelectPage(1);
    W<QRadioButton>("optFolder")->setChecked(true);
    Fill("txtFolder1", FolderOf(*reports_, QStringLiteral("v1")));
    Fill("txtSrcTxt1", u"*.txt");
    Fill("txtFolder2", FolderOf(*reports_, QStringLiteral("v2")));
    Fill("txtSrcTxt2", u"*.txt");
    Fill("txtPutDir", out_);
    Fill("txtPutFile", u"index.html");
    window_->show();
    return *window_;
  }

  template <typename Widget>
  Widget* W(const char* name) {
    auto* widget = window_->findChild<Widget*>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }
  void Fill(const char* box, const std::u16string& text) {
    W<QLineEdit>(box)->setText(QString::fromStdU16String(text));
  }
  bool WaitForTheEnd() {
    return QTest::qWaitFor([this] { return !window_->Running(); }, kRunTimeoutMs);
  }

  // Pairs 1..done are compared, their pages whole; the rest are "未処理"
  // on the summary page, without a page.
  void ExpectStoppedAfter(int done) {
    const std::u16string summary = testing::ReadCp932(out_ + u"index.html");
    EXPECT_TRUE(summary.ends_with(u"</TABLE></HTML>\r\n"));
    for (int n = 1; n <= kPairs; ++n) {
      const std::u16string page = out_ + FormName(n) + u".html";
      const std::u16string row = u"<tr><td>" + FormName(n) + u".TXT</td><td>";
      const std::size_t at = summary.find(row);
      ASSERT_NE(at, std::u16string::npos);
      const bool unprocessed = summary.compare(at + row.size(), 3, u"未処理") == 0;
      EXPECT_EQ(unprocessed, n > done) << ToUtf8(FormName(n));
      if (n <= done) {
        EXPECT_TRUE(testing::ReadCp932(page).ends_with(u"</TABLE></HTML>\r\n"));
      } else {
        EXPECT_FALSE(QFile::exists(QString::fromStdU16String(page)));
      }
    }
  }

  // The run stops at each parsed report while the viewer is on: a fixed
  // point in mid-run to act from, on the window's thread.
  GuiHooks AtStructure(int showing, std::function<void()> act) {
    GuiHooks hooks = recorder_.Hooks();
    hooks.structure = [this, showing, act = std::move(act)](const Collection&) {
      if (++recorder_.structures == showing) act();
    };
    return hooks;
  }
  void ShowStructures() {
    window_->findChild<QAction*>(QStringLiteral("mnuShowConstract"))->setChecked(true);
  }

  static QTemporaryDir* reports_;
  QTemporaryDir dir_;
  std::u16string ini_;
  std::u16string out_;
  Recorder recorder_;
  std::unique_ptr<frmMain> window_;
};

QTemporaryDir* LongRunTest::reports_ = nullptr;

TEST_F(LongRunTest, TheEventLoopTurnsAndTheProgressBarMovesDuringARun) {
  frmMain& window = Start(recorder_.Hooks());
  auto* bar = W<QProgressBar>("prgRun");
  int ticksWhileRunning = 0;
  std::set<int> valuesSeen;
  QTimer timer;
  timer.setInterval(5);
  QObject::connect(&timer, &QTimer::timeout, [&] {
    if (!window.Running()) return;
    ++ticksWhileRunning;
    valuesSeen.insert(bar->value());
  });
  timer.start();

  W<QPushButton>("cmdExec")->click();
  EXPECT_TRUE(window.Running());  // Execute came back while the run goes on
  ASSERT_TRUE(WaitForTheEnd());
  timer.stop();

  EXPECT_GE(ticksWhileRunning, 3);
  // Some pair count strictly between none and all was on show.
  EXPECT_NE(valuesSeen.lower_bound(1), valuesSeen.lower_bound(kPairs));
  EXPECT_EQ(bar->maximum(), kPairs);
  EXPECT_FALSE(bar->isVisible());
  EXPECT_EQ(recorder_.messages,
            (std::vector<ShownMessage>{{u"終了しました。", MessageIcon::Information}}));
  ExpectStoppedAfter(kPairs);
  EXPECT_TRUE(W<QPushButton>("cmdExec")->isEnabled());
  EXPECT_FALSE(W<QPushButton>("cmdCancel")->isEnabled());
}

TEST_F(LongRunTest, CancelStopsBeforeTheNextPairAndLeavesAConsistentSummary) {
  std::vector<bool> inputsEnabled;
  frmMain& window = Start(AtStructure(3, [&] {  // pair 2, side 1
    // The run's calls reach the window on the window's thread.
    EXPECT_EQ(QThread::currentThread(), QCoreApplication::instance()->thread());
    for (const char* name : {"tabMain", "txtPutDir", "txtPutFile", "chkOpenFile", "cmdExec"}) {
      inputsEnabled.push_back(W<QWidget>(name)->isEnabled());
    }
    inputsEnabled.push_back(
        window_->findChild<QAction*>(QStringLiteral("mnuShowConstract"))->isEnabled());
    EXPECT_TRUE(W<QPushButton>("cmdCancel")->isEnabled());
    EXPECT_TRUE(W<QProgressBar>("prgRun")->isVisible());
    EXPECT_EQ(W<QPushButton>("cmdCancel")->shortcut(), QKeySequence(Qt::Key_Escape));
    W<QPushButton>("cmdCancel")->click();
  }));
  ShowStructures();
  W<QPushButton>("cmdExec")->click();
  ASSERT_TRUE(WaitForTheEnd());

  EXPECT_EQ(inputsEnabled, std::vector<bool>(6, false));
  EXPECT_EQ(recorder_.structures, 4);  // the pair in progress finished
  EXPECT_EQ(recorder_.messages,
            (std::vector<ShownMessage>{{u"中止しました。", MessageIcon::Information}}));
  ExpectStoppedAfter(2);
  EXPECT_TRUE(recorder_.opened.empty());
  EXPECT_TRUE(W<QTabWidget>("tabMain")->isEnabled());
  EXPECT_TRUE(W<QPushButton>("cmdExec")->isEnabled());
  EXPECT_FALSE(W<QPushButton>("cmdCancel")->isEnabled());
  EXPECT_TRUE(window.isVisible());
}

TEST_F(LongRunTest, ClosingDuringARunCancelsItWaitsAndWritesTheSettingsOnce) {
  bool visibleAfterClose = false;
  frmMain& window = Start(AtStructure(1, [&] {
    window_->close();
    visibleAfterClose = window_->isVisible();
  }));
  ShowStructures();
  W<QPushButton>("cmdExec")->click();
  ASSERT_TRUE(
      QTest::qWaitFor([&] { return !window.Running() && !window.isVisible(); }, kRunTimeoutMs));

  EXPECT_TRUE(visibleAfterClose);  // it waited for the run
  EXPECT_EQ(window.SettingsWrites(), 1);
  const std::string ini = ReadFileBytes(ini_);
  EXPECT_NE(ini.find("OUTPUT_FILE=index.html\r\n"), std::string::npos);
  EXPECT_NE(ini.find("MODE=FOLDER\r\n"), std::string::npos);
  EXPECT_TRUE(recorder_.messages.empty());  // no "中止しました。" on the way out
  ExpectStoppedAfter(1);
}

}  // namespace
}  // namespace tarnwick
