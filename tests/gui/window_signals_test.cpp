// The window program itself, started as a user starts it, ended by the
// signals a session or `kill` sends: it closes as its close box closes it,
// writes the settings file beside it and exits 0.
#include <gtest/gtest.h>
#include <signal.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <string>

#include "gui_test_support.h"

namespace tarnwick {
namespace {

using testing::PathIn;

// True once the process catches `signal` (Linux shows it in /proc).
bool Catches(qint64 pid, int signal) {
  QFile status(QStringLiteral("/proc/%1/status").arg(pid));
  if (!status.open(QIODevice::ReadOnly)) return false;
  for (const QByteArray& line : status.readAll().split('\n')) {
    if (line.startsWith("SigCgt:")) {
      return (line.mid(7).trimmed().toULongLong(nullptr, 16) >> (signal - 1) & 1) != 0;
    }
  }
  return false;
}

// By hand, in UTF-8 after a byte-order mark: a comment, a key in lower case
// and a folder code page 932 cannot hold.
constexpr char kHandWritten[] =
    "\xEF\xBB\xBF# kept by hand\r\nsrc_path1=/srv/café-ü-Ω-①/\r\nTAB_PAGE=DIFFOBJ\r\n";
// The same settings as the window writes them.
constexpr char kWritten[] =
    "\xEF\xBB\xBFOUTPUT_PATH=\r\nOUTPUT_FILE=\r\nOUTPUT_AUTOOPEN=False\r\nDIFF_ONLY=False\r\n"
    "MODE=FOLDER\r\nSRC_PATH1=/srv/café-ü-Ω-①/\r\nSRC_FILE1=\r\nSRC_PATH2=\r\nSRC_FILE2=\r\n"
    "FOUND_ONLY=False\r\nNO_CASE=False\r\nCOND_AND=True\r\nSRC_PATH=\r\nSRC_FILE=\r\n"
    "SEARCH_STRING1=\r\nSEARCH_STRING1_COND=CONTAIN\r\nSEARCH_STRING2=\r\n"
    "SEARCH_STRING2_COND=CONTAIN\r\nSEARCH_STRING3=\r\nSEARCH_STRING3_COND=CONTAIN\r\n"
    "DIFF_OBJ_ONLY=False\r\nTAB_PAGE=DIFFOBJ\r\n";

TEST(WindowSignals, TermAndHupCloseTheWindowWhichWritesItsSettingsAndExitsZero) {
  if (!QFile::exists(QStringLiteral("/proc/self/status"))) GTEST_SKIP() << "no /proc";
  for (const int signal : {SIGTERM, SIGHUP}) {
    SCOPED_TRACE(signal);
    // A copy of the program, so that the settings file beside it is this test's.
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString program = QDir(dir.path()).filePath(QStringLiteral("tarnwick"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(TARNWICK_WINDOW_PATH), program));
    const std::u16string ini = PathIn(dir, QStringLiteral("Tarnwick.ini"));
    WriteFileBytes(ini, kHandWritten);

    QProcess window;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    // The user's copy of the settings would go here, never to the real home.
    environment.insert(QStringLiteral("XDG_DATA_HOME"),
                       QDir(dir.path()).filePath(QStringLiteral("user")));
    window.setProcessEnvironment(environment);
    window.start(program, {});
    ASSERT_TRUE(window.waitForStarted(30000));
    for (int wait = 0; wait < 600 && !Catches(window.processId(), signal); ++wait) {
      QThread::msleep(50);
    }
    EXPECT_TRUE(Catches(window.processId(), signal));
    ASSERT_EQ(::kill(static_cast<pid_t>(window.processId()), signal), 0);

    ASSERT_TRUE(window.waitForFinished(60000));
    EXPECT_EQ(window.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(window.exitCode(), 0);
    EXPECT_EQ(ReadFileBytes(ini), kWritten);
  }
}

}  // namespace
}  // namespace tarnwick
