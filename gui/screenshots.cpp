#include "gui/screenshots.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QTreeWidget>
#include <string>
#include <string_view>
#include <vector>

#include "files/file_io.h"
#include "gui/about_box.h"
#include "gui/file_drops.h"
#include "gui/main_window.h"
#include "gui/report_tree_view.h"
#include "gui/structure_viewer.h"
#include "text/cp932.h"

namespace tarnwick {
namespace {

constexpr char16_t kSampleReport[] =
    u"* 名前                           FORM1\r\n"
    u"* タイトル                       受注入力\r\n"
    u"* コメント                       受注を入力する画面\r\n"
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
    u"    * 項目タイプ                 テキスト項目\r\n"
    u"    * プロンプト                 受注番号\r\n"
    u"    * プロンプト表示スタイル     最初のレコード\r\n"
    u"    * 名前                       CUSTOMER\r\n"
    u"    * 項目タイプ                 テキスト項目\r\n"
    u"    * プロンプト                 得意先\r\n"
    u"    * プロンプト表示スタイル     最初のレコード\r\n";

// The same form as an English Forms Builder writes it, for the English window.
constexpr char16_t kEnglishSampleReport[] =
    u" * Name                              FORM1\r\n"
    u" * Title                             Order Entry\r\n"
    u" * Comments                          The screen orders are entered on\r\n"
    u" * Triggers\r\n"
    u"   * Name                            WHEN-NEW-FORM-INSTANCE\r\n"
    u"   * Trigger Text                    BEGIN\r\n"
    u"    GO_BLOCK('B_ORDER');\r\n"
    u"END;\r\n"
    u"   - Fire in Enter-Query Mode        No\r\n"
    u" * Blocks\r\n"
    u"   * Name                            B_ORDER\r\n"
    u"   * Query Data Source Name          ORDERS\r\n"
    u"   * Items\r\n"
    u"     * Name                          ORDER_NO\r\n"
    u"     * Item Type                     Text Item\r\n"
    u"     * Prompt                        Order No\r\n"
    u"     - Prompt Display Style          First Record\r\n"
    u"     * Name                          CUSTOMER\r\n"
    u"     * Item Type                     Text Item\r\n"
    u"     * Prompt                        Customer\r\n"
    u"     - Prompt Display Style          First Record\r\n";

// The sample form in the window's language and the edits of its versions.
struct SampleForm {
  std::u16string_view report;
  std::u16string_view customer, customerEdited;
  std::u16string_view orderNo, orderNoEdited;
  std::u16string_view searchedOut;  // a word of the form, the second search string
};

SampleForm SampleFor(UiLanguage language) {
  if (language == UiLanguage::English) {
    return {kEnglishSampleReport, u"Customer", u"Client", u"Order No", u"Order Number", u"Entry"};
  }
  return {kSampleReport, u"得意先", u"顧客名", u"受注番号", u"注文番号", u"受注"};
}

// `text` with its first `from` replaced by `to`.
std::u16string Edited(std::u16string text, std::u16string_view from, std::u16string_view to) {
  text.replace(text.find(from), from.size(), to);
  return text;
}

bool Save(QWidget& widget, const QDir& dir, const char* name) {
  QApplication::processEvents();
  return widget.grab().save(dir.filePath(QString::fromLatin1(name)), "PNG");
}

void WriteText(const QString& path, std::u16string_view text) {
  WriteFileBytes(path.toStdU16String(), EncodeCp932(text));
}

}  // namespace

bool TakeScreenshots(const QString& folder, UiLanguage language) {
  QDir dir(folder);
  if (!dir.mkpath(QStringLiteral("sample"))) return false;
  const QString sample = QDir::toNativeSeparators(dir.absoluteFilePath(QStringLiteral("sample")));
  const QString sep = QDir::separator();
  const SampleForm form = SampleFor(language);
  WriteText(sample + sep + QStringLiteral("FORM1.txt"), form.report);
  WriteText(sample + sep + QStringLiteral("FORM1_v2.txt"),
            Edited(std::u16string(form.report), form.customer, form.customerEdited));
  const QString ini = sample + sep + QStringLiteral("Tarnwick.ini");
  WriteText(ini, u"OUTPUT_PATH=" + (sample + sep).toStdU16String() +
                     u"\r\nOUTPUT_FILE=Result.html\r\n"
                     u"OUTPUT_AUTOOPEN=True\r\nDIFF_ONLY=True\r\nMODE=FOLDER\r\n"
                     u"SRC_PATH1=" +
                     (sample + sep).toStdU16String() +
                     u"\r\nSRC_FILE1=*.txt\r\n"
                     u"SRC_PATH2=" +
                     (sample + sep).toStdU16String() +
                     u"\r\nSRC_FILE2=*.txt\r\n"
                     u"FOUND_ONLY=True\r\nNO_CASE=True\r\nCOND_AND=True\r\n"
                     u"SRC_PATH=" +
                     (sample + sep).toStdU16String() +
                     u"\r\nSRC_FILE=*.txt\r\n"
                     u"SEARCH_STRING1=ORDER\r\nSEARCH_STRING1_COND=CONTAIN\r\n"
                     u"SEARCH_STRING2=" +
                     std::u16string(form.searchedOut) +
                     u"\r\nSEARCH_STRING2_COND=NOT_CONTAIN\r\n"
                     u"SEARCH_STRING3=\r\nSEARCH_STRING3_COND=CONTAIN\r\n"
                     u"DIFF_OBJ_ONLY=True\r\nTAB_PAGE=DIFF\r\n" +
                     (language == UiLanguage::English ? u"UI_LANGUAGE=EN\r\n" : u""));

  // Five pairs for a folder comparison caught in mid-run, and its result
  // list: FORM2 and FORM4 changed, FORM6 in folder 1 only.
  for (const char* side : {"run1", "run2"}) {
    if (!dir.mkpath(QStringLiteral("sample/%1").arg(QLatin1String(side)))) return false;
    const bool first = side == std::string_view("run1");
    for (int n = 1; n <= (first ? 6 : 5); ++n) {
      std::u16string report =
          Edited(std::u16string(form.report), u"FORM1", u"FORM" + std::u16string(1, u'0' + n));
      if (!first && n % 2 == 0) report = Edited(report, form.customer, form.customerEdited);
      if (!first && n == 4) report = Edited(report, form.orderNo, form.orderNoEdited);
      WriteText(sample + sep + QLatin1String(side) + sep + QStringLiteral("FORM%1.txt").arg(n),
                report);
    }
  }
  if (!dir.mkpath(QStringLiteral("sample/out"))) return false;

  // With "構造の表示" checked the run stops at every parsed report; the fifth
  // (pair 3, side 1) is where the window is pictured in mid-run.
  frmMain* shown = nullptr;
  int structures = 0;
  bool runningSaved = false;
  GuiHooks quiet;
  quiet.message = [](std::u16string_view, MessageIcon) {};
  quiet.structure = [&](const Collection&) {
    if (++structures == 5 && shown) runningSaved = Save(*shown, dir, "running.png");
  };
  quiet.openResult = [](std::u16string_view) {};
  frmMain window(quiet);
  shown = &window;
  window.Initialize(ini.toStdU16String());
  window.resize(window.sizeHint().expandedTo(QSize(760, 0)));
  window.show();

  bool ok = true;
  window.SelectPage(2);
  ok = Save(window, dir, "drop-hint.png") && ok;

  window.TreeDropped(1, ToPathList({sample + sep + QStringLiteral("FORM1.txt")}));
  window.TreeDropped(2, ToPathList({sample + sep + QStringLiteral("FORM1_v2.txt")}));
  auto* tree1 = window.findChild<ReportTreeView*>(QStringLiteral("tvSrc1"));
  auto* tree2 = window.findChild<ReportTreeView*>(QStringLiteral("tvSrc2"));
  tree1->expandAll();
  tree2->expandAll();
  tree1->SelectNode(u"ROOT-1-1-4-1");
  tree2->SelectNode(u"ROOT-1-1-4-1");

  for (int page = 1; page <= 3; ++page) {
    window.SelectPage(page);
    const std::string name = "page" + std::to_string(page) + ".png";
    ok = Save(window, dir, name.c_str()) && ok;
  }

  window.SelectPage(1);
  window.findChild<QLineEdit*>(QStringLiteral("txtFolder1"))
      ->setText(sample + sep + QStringLiteral("run1") + sep);
  window.findChild<QLineEdit*>(QStringLiteral("txtFolder2"))
      ->setText(sample + sep + QStringLiteral("run2") + sep);
  window.findChild<QLineEdit*>(QStringLiteral("txtPutDir"))
      ->setText(sample + sep + QStringLiteral("out") + sep);
  window.findChild<QAction*>(QStringLiteral("mnuShowConstract"))->setChecked(true);
  window.cmdExec_Click();
  while (window.Running()) QApplication::processEvents(QEventLoop::WaitForMoreEvents);
  window.findChild<QAction*>(QStringLiteral("mnuShowConstract"))->setChecked(false);
  ok = runningSaved && ok;
  // The focused "サマリーを開く" beside the default "比較開始": both visible.
  QApplication::setActiveWindow(&window);
  if (auto* summary = window.findChild<QPushButton*>(QStringLiteral("lstDiffOpenSummary"))) {
    summary->setFocus();
  }
  ok = Save(window, dir, "results.png") && ok;

  if (const ObjSide& side = window.Side(1); side.ObjTree) {
    frmConstract viewer(&window);
    viewer.Init(*side.ObjTree);
    viewer.show();
    auto* tree = viewer.findChild<ReportTreeView*>(QStringLiteral("TreeView1"));
    tree->expandAll();
    for (const char16_t* key : {u"1-1K-1K-1-1S", u"1-1K-1K-1K-3K-1-1S"}) {
      tree->SelectNode(key);
      viewer.TreeView1_DblClick();
    }
    viewer.TreeView1_Click();
    ok = Save(viewer, dir, "structure.png") && ok;
  } else {
    ok = false;
  }

  frmAbout about(&window);
  about.show();
  ok = Save(about, dir, "about.png") && ok;
  return ok;
}

}  // namespace tarnwick
