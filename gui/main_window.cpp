#include "gui/main_window.h"

#include <QAction>
#include <QActionGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QTabWidget>
#include <QThread>
#include <QToolButton>
#include <QVBoxLayout>
#include <exception>
#include <iterator>
#include <utility>

#include "app/drops.h"
#include "app/run_guard.h"
#include "files/paths.h"
#include "gui/about_box.h"
#include "gui/captions.h"
#include "gui/drop_line_edit.h"
#include "gui/file_dialogs.h"
#include "gui/file_drops.h"
#include "gui/qt_text.h"
#include "gui/qt_translation.h"
#include "gui/report_tree_view.h"
#include "gui/result_list.h"
#include "gui/screen_fit.h"
#include "gui/termination_signals.h"
#include "gui/window_geometry.h"
#include "messages/message_error.h"
#include "text/utf8.h"

namespace tarnwick {
namespace {

template <typename Widget>
Widget* Named(Widget* widget, const char* name) {
  widget->setObjectName(QString::fromLatin1(name));
  return widget;
}

// A caption label that gives the focus to its box (and reads as its name).
QLabel* LabelFor(Captions& captions, const char* caption, QWidget* box, QWidget* parent) {
  auto* label = captions.Text(new QLabel(parent), caption);
  label->setBuddy(box);
  return label;
}

// "フォルダ" and "オブジェクト・リスト・レポートファイル名" in a titled group;
// each row is its box with the box's "…" button.
// The captions of a source group and of its two rows, each row's with its
// own mnemonic.
struct SourceCaptions {
  const char* title;
  const char* folder;
  const char* files;
};

QGroupBox* SourceGroup(Captions& captions, SourceCaptions texts, QLineEdit* folder,
                       QLayout* folderRow, QLineEdit* files, QLayout* filesRow, QWidget* parent) {
  auto* group = captions.Title(new QGroupBox(parent), texts.title);
  auto* grid = new QGridLayout(group);
  grid->addWidget(LabelFor(captions, texts.folder, folder, group), 0, 0);
  grid->addLayout(folderRow, 0, 1);
  grid->addWidget(LabelFor(captions, texts.files, files, group), 1, 0);
  grid->addLayout(filesRow, 1, 1);
  grid->setColumnStretch(1, 1);
  return group;
}

// A page that scrolls when the window is smaller than the page (a small
// screen, a large scale factor) instead of holding the window larger.
// Asks for its page's whole size (a plain scroll area caps what it asks
// for), so that the window's first size shows every page without a scroll
// bar wherever the screen has room.
class WholePageArea : public QScrollArea {
 public:
  QSize sizeHint() const override {
    const int frame = 2 * frameWidth();
    return widget() ? widget()->sizeHint() + QSize(frame, frame) : QScrollArea::sizeHint();
  }
};

QScrollArea* Scrollable(QWidget* page) {
  auto* area = new WholePageArea;
  area->setFrameShape(QFrame::NoFrame);
  area->setWidgetResizable(true);
  area->setWidget(page);
  return area;
}

int ConditionIndex(bool contain) {
  return contain ? 0 : 1;
}

// The document a first start points to: the one that came with the program
// (the Windows zip's readme beside it, the README of a build beside its
// source), else the README by name.
QString DocumentationPath() {
  const QDir program(QCoreApplication::applicationDirPath());
  for (const QString& candidate : {QStringLiteral("お読みください.txt"),
                                   QStringLiteral("README.md"), QStringLiteral("../README.md")}) {
    if (QFileInfo(program.filePath(candidate)).isFile()) {
      return QDir::toNativeSeparators(QFileInfo(program.filePath(candidate)).canonicalFilePath());
    }
  }
  return QStringLiteral("README.md");
}

// A focused button must not look like the default one (Enter's): the
// default has a dark frame and bold text, the focus a frame of the
// highlight colour. Frame and padding add up alike in every state, so a
// button keeps its size when it takes the focus.
constexpr char kFocusStyle[] =
    "QPushButton { border: 1px solid palette(mid); border-radius: 3px;"
    " background: palette(button); padding: 4px 12px; }"
    "QPushButton:hover { background: palette(light); }"
    "QPushButton:pressed { background: palette(midlight); }"
    "QPushButton:default { border-color: palette(shadow); font-weight: bold; }"
    "QPushButton:focus { border: 2px solid palette(highlight); padding: 3px 11px; }"
    "QToolButton { border: 1px solid palette(mid); border-radius: 2px;"
    " background: palette(button); padding: 2px 5px; }"
    "QToolButton:hover { background: palette(light); }"
    "QToolButton:pressed { background: palette(midlight); }"
    "QToolButton:focus { border: 2px solid palette(highlight); padding: 1px 4px; }";

}  // namespace

frmMain::frmMain(GuiHooks hooks, QWidget* parent)
    : QMainWindow(parent), hooks_(std::move(hooks)), captions_(staticMetaObject.className()) {
  setObjectName(QStringLiteral("frmMain"));
  setWindowTitle(ToQString(kProgramTitle));

  auto* central = new QWidget(this);
  tabMain = Named(new QTabWidget(central), "tabMain");
  tabMain->addTab(Scrollable(BuildDiffPage()), QString());
  tabMain->addTab(Scrollable(BuildObjDiffPage()), QString());
  tabMain->addTab(Scrollable(BuildSearchPage()), QString());
  captions_.Add([this] {
    tabMain->setTabText(0, tr("ファイル・フォルダの比較"));
    tabMain->setTabText(1, tr("指定したオブジェクトの比較"));
    tabMain->setTabText(2, tr("文字列検索"));
  });

  auto* layout = new QVBoxLayout(central);
  layout->addWidget(tabMain, 1);
  layout->addWidget(BuildCommonArea());
  setCentralWidget(central);
  BuildMenus();

  ops_ = std::make_unique<QtWindowOps>(this, lblStatus, mnuShowConstract, hooks_, prgRun);
  ops_->OnPairFinished([this](const PairResult& pair) { Results(runPage_).Add(pair); });
  for (ResultList* list : {lstDiff, lstObjDiff, lstSearch}) {
    connect(list, &ResultList::openRequested, this,
            [this](const QString& path) { ops_->OpenResult(FromQString(path)); });
  }
  setStyleSheet(QString::fromLatin1(kFocusStyle));

  connect(tabMain, &QTabWidget::currentChanged, this, &frmMain::ShowPage);
  connect(cmdExec, &QPushButton::clicked, this, &frmMain::cmdExec_Click);
  connect(cmdCancel, &QPushButton::clicked, this, &frmMain::cmdCancel_Click);
  connect(cmdExit, &QPushButton::clicked, this, &frmMain::cmdExit_Click);
  ConnectDrops();
  ConnectEnterToExecute();
  SetTabOrder();
  ShowPage();
  FitToScreen(*this, sizeHint().expandedTo(QSize(760, 0)));
}

void frmMain::SetTabOrder() {
  // Page by page, top to bottom (each "…" right after its box), then the
  // common area with "終了" last; Qt skips the hidden pages.
  const auto browse = [this](QWidget* box) -> QWidget* {
    return findChild<QToolButton*>(QStringLiteral("cmdBrowse") + box->objectName().mid(3));
  };
  const auto results = [](ResultList* list) { return list->TabChain(); };
  std::vector<QWidget*> order = {tabMain,
                                 txtFolder1,
                                 browse(txtFolder1),
                                 txtSrcTxt1,
                                 browse(txtSrcTxt1),
                                 txtFolder2,
                                 browse(txtFolder2),
                                 txtSrcTxt2,
                                 browse(txtSrcTxt2),
                                 optFolder,
                                 optFile,
                                 chkDiffOnly,
                                 chkOnError,
                                 chkIgnoreBlanks,
                                 chkIgnoreCase,
                                 txtIgnoreFile,
                                 browse(txtIgnoreFile)};
  const auto append = [&order](const QList<QWidget*>& widgets) {
    order.insert(order.end(), widgets.begin(), widgets.end());
  };
  append(results(lstDiff));
  append({findChild<QToolButton*>(QStringLiteral("cmdOpenSrc1")), tvSrc1,
          findChild<QToolButton*>(QStringLiteral("cmdOpenSrc2")), tvSrc2, chkDiffObjOnly,
          chkIgnoreBlanksObj, chkIgnoreCaseObj, txtIgnoreFileObj, browse(txtIgnoreFileObj)});
  append(results(lstObjDiff));
  append({txtSrcFolder, browse(txtSrcFolder), txtSrcFile, browse(txtSrcFile), txtSearchStr1,
          cmbSearch1, txtSearchStr2, cmbSearch2, txtSearchStr3, cmbSearch3, optCondAnd, optCondOr,
          chkFindOnly, chkNoCase, chkOnErrorSearch});
  append(results(lstSearch));
  append({txtPutDir, browse(txtPutDir), txtPutFile, chkOpenFile, cmdExec, cmdCancel, cmdExit});
  std::erase_if(order, [](QWidget* widget) {
    return widget == nullptr || widget->focusPolicy() == Qt::NoFocus;
  });
  for (std::size_t i = 1; i < order.size(); ++i) QWidget::setTabOrder(order[i - 1], order[i]);
}

frmMain::~frmMain() {
  if (!worker_) return;
  // Destroyed during a run (the program ends without closing the window):
  // stop the run and let it finish its calls into the window, quietly.
  disconnect(worker_, nullptr, this, nullptr);
  ops_->SetClosing(true);
  ops_->RequestCancel();
  while (!worker_->wait(20)) QCoreApplication::processEvents();
  delete worker_;
}

QWidget* frmMain::BuildDiffPage() {
  frmDiff = Named(new QFrame, "frmDiff");
  txtFolder1 = Named(new DropLineEdit, "txtFolder1");
  txtSrcTxt1 = Named(new DropLineEdit, "txtSrcTxt1");
  txtFolder2 = Named(new DropLineEdit, "txtFolder2");
  txtSrcTxt2 = Named(new DropLineEdit, "txtSrcTxt2");

  auto* settings = captions_.Title(new QGroupBox(frmDiff), QT_TR_NOOP("設定"));
  optFolder = Named(captions_.Text(new QRadioButton(settings), QT_TR_NOOP("フォルダ単位(&B)")),
                    "optFolder");
  optFile =
      Named(captions_.Text(new QRadioButton(settings), QT_TR_NOOP("ファイル単位(&I)")), "optFile");
  chkDiffOnly =
      Named(captions_.Text(new QCheckBox(settings), QT_TR_NOOP("違う箇所のみ出力する(&Y)")),
            "chkDiffOnly");
  chkIgnoreBlanks =
      Named(captions_.Text(new QCheckBox(settings), QT_TR_NOOP("空白の違いを無視する(&W)")),
            "chkIgnoreBlanks");
  chkIgnoreCase = Named(
      captions_.Text(new QCheckBox(settings), QT_TR_NOOP("大文字・小文字の違いを無視する(&C)")),
      "chkIgnoreCase");
  // The comparison options on a row of their own, so that the page fits the
  // window's first size without a scroll bar.
  auto* settingsLayout = new QGridLayout(settings);
  settingsLayout->addWidget(optFolder, 0, 0);
  settingsLayout->addWidget(optFile, 0, 1);
  settingsLayout->setColumnMinimumWidth(2, 24);
  settingsLayout->addWidget(chkDiffOnly, 0, 3);
  chkOnError =
      Named(captions_.Text(new QCheckBox(settings), QT_TR_NOOP("読込エラーがあっても続行する(&K)")),
            "chkOnError");
  captions_.ToolTip(chkOnError,
                    QT_TR_NOOP("読めないレポートはエラーとしてサマリーに載せ、残りを比較します"));
  settingsLayout->addWidget(chkOnError, 1, 0, 1, 2);
  settingsLayout->addWidget(chkIgnoreBlanks, 1, 3);
  settingsLayout->addWidget(chkIgnoreCase, 1, 4);
  settingsLayout->setColumnStretch(5, 1);
  txtIgnoreFile = Named(new DropLineEdit, "txtIgnoreFile");
  settingsLayout->addLayout(IgnoreFileRow(txtIgnoreFile, settings), 2, 0, 1, 6);

  auto* layout = new QVBoxLayout(frmDiff);
  layout->addWidget(SourceGroup(captions_,
                                {QT_TR_NOOP("ソース１"), QT_TR_NOOP("フォルダ(&D)"),
                                 QT_TR_NOOP("オブジェクト・リスト・レポートファイル名(&R)")},
                                txtFolder1, WithBrowse(txtFolder1, nullptr), txtSrcTxt1,
                                WithBrowse(txtSrcTxt1, txtFolder1), frmDiff));
  layout->addWidget(SourceGroup(captions_,
                                {QT_TR_NOOP("ソース２"), QT_TR_NOOP("フォルダ(&E)"),
                                 QT_TR_NOOP("オブジェクト・リスト・レポートファイル名(&P)")},
                                txtFolder2, WithBrowse(txtFolder2, nullptr), txtSrcTxt2,
                                WithBrowse(txtSrcTxt2, txtFolder2), frmDiff));
  layout->addWidget(settings);
  lstDiff = new ResultList(ResultList::Kind::FolderComparison, QStringLiteral("lstDiff"), frmDiff);
  layout->addWidget(lstDiff, 1);
  return frmDiff;
}

QWidget* frmMain::BuildObjDiffPage() {
  frmObjDiff = Named(new QFrame, "frmObjDiff");
  tvSrc1 = Named(new ReportTreeView(frmObjDiff), "tvSrc1");
  tvSrc2 = Named(new ReportTreeView(frmObjDiff), "tvSrc2");
  tvSrc1->SetFileDropsEnabled(true);
  tvSrc2->SetFileDropsEnabled(true);
  chkDiffObjOnly =
      Named(captions_.Text(new QCheckBox(frmObjDiff), QT_TR_NOOP("違う箇所のみ出力する(&Y)")),
            "chkDiffObjOnly");

  auto* trees = new QGridLayout;
  trees->addLayout(SourceHeader(1, frmObjDiff), 0, 0);
  trees->addLayout(SourceHeader(2, frmObjDiff), 0, 1);
  trees->addWidget(tvSrc1, 1, 0);
  trees->addWidget(tvSrc2, 1, 1);
  trees->setRowStretch(1, 1);
  // The comparison options are one setting each, shown on both pages.
  chkIgnoreBlanksObj =
      Named(captions_.Text(new QCheckBox(frmObjDiff), QT_TR_NOOP("空白の違いを無視する(&W)")),
            "chkIgnoreBlanksObj");
  chkIgnoreCaseObj = Named(
      captions_.Text(new QCheckBox(frmObjDiff), QT_TR_NOOP("大文字・小文字の違いを無視する(&C)")),
      "chkIgnoreCaseObj");
  for (const auto& [a, b] : {std::pair{chkIgnoreBlanks, chkIgnoreBlanksObj},
                             std::pair{chkIgnoreCase, chkIgnoreCaseObj}}) {
    connect(a, &QCheckBox::toggled, b, &QCheckBox::setChecked);
    connect(b, &QCheckBox::toggled, a, &QCheckBox::setChecked);
  }
  txtIgnoreFileObj = Named(new DropLineEdit, "txtIgnoreFileObj");
  // setText of the same text signals nothing, so the pair does not loop.
  connect(txtIgnoreFile, &QLineEdit::textChanged, txtIgnoreFileObj, &QLineEdit::setText);
  connect(txtIgnoreFileObj, &QLineEdit::textChanged, txtIgnoreFile, &QLineEdit::setText);
  auto* options = new QHBoxLayout;
  options->addWidget(chkDiffObjOnly);
  options->addSpacing(24);
  options->addWidget(chkIgnoreBlanksObj);
  options->addWidget(chkIgnoreCaseObj);
  options->addStretch(1);
  auto* layout = new QVBoxLayout(frmObjDiff);
  layout->addLayout(trees, 1);
  layout->addLayout(options);
  layout->addLayout(IgnoreFileRow(txtIgnoreFileObj, frmObjDiff));
  lstObjDiff =
      new ResultList(ResultList::Kind::ObjectComparison, QStringLiteral("lstObjDiff"), frmObjDiff);
  layout->addWidget(lstObjDiff);
  return frmObjDiff;
}

QWidget* frmMain::BuildSearchPage() {
  frmSearch = Named(new QFrame, "frmSearch");
  txtSrcFolder = Named(new DropLineEdit, "txtSrcFolder");
  txtSrcFile = Named(new DropLineEdit, "txtSrcFile");

  auto* conditions = captions_.Title(new QGroupBox(frmSearch), QT_TR_NOOP("検索条件"));
  auto* grid = new QGridLayout(conditions);
  OneLineEdit** strings[] = {&txtSearchStr1, &txtSearchStr2, &txtSearchStr3};
  QComboBox** lists[] = {&cmbSearch1, &cmbSearch2, &cmbSearch3};
  const char* stringNames[] = {"txtSearchStr1", "txtSearchStr2", "txtSearchStr3"};
  const char* listNames[] = {"cmbSearch1", "cmbSearch2", "cmbSearch3"};
  for (int row = 0; row < 3; ++row) {
    *strings[row] = Named(new OneLineEdit(conditions), stringNames[row]);
    *lists[row] = Named(new QComboBox(conditions), listNames[row]);
    (*lists[row])->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    grid->addWidget(*strings[row], row + 1, 0);
    grid->addWidget(*lists[row], row + 1, 1);
  }
  grid->addWidget(
      LabelFor(captions_, QT_TR_NOOP("プロパティの値が(&U)"), txtSearchStr1, conditions), 0, 0, 1,
      2);
  optCondAnd =
      Named(captions_.Text(new QRadioButton(conditions), QT_TR_NOOP("全ての条件を満たす(&M)")),
            "optCondAnd");
  optCondOr =
      Named(captions_.Text(new QRadioButton(conditions), QT_TR_NOOP("いずれかの条件を満たす(&Y)")),
            "optCondOr");
  auto* join = new QHBoxLayout;
  join->addWidget(optCondAnd);
  join->addWidget(optCondOr);
  join->addStretch(1);
  grid->addLayout(join, 4, 0, 1, 2);
  grid->setColumnStretch(0, 1);

  auto* settings = captions_.Title(new QGroupBox(frmSearch), QT_TR_NOOP("設定"));
  chkFindOnly = Named(
      captions_.Text(new QCheckBox(settings), QT_TR_NOOP("検索条件に一致する箇所のみ出力する(&G)")),
      "chkFindOnly");
  chkNoCase =
      Named(captions_.Text(new QCheckBox(settings), QT_TR_NOOP("大文字と小文字を区別しない(&C)")),
            "chkNoCase");
  auto* settingsLayout = new QHBoxLayout(settings);
  settingsLayout->addWidget(chkFindOnly);
  settingsLayout->addSpacing(24);
  settingsLayout->addWidget(chkNoCase);
  settingsLayout->addSpacing(24);
  chkOnErrorSearch =
      Named(captions_.Text(new QCheckBox(settings), QT_TR_NOOP("読込エラーがあっても続行する(&K)")),
            "chkOnErrorSearch");
  captions_.ToolTip(chkOnErrorSearch,
                    QT_TR_NOOP("読めないレポートはエラーとしてサマリーに載せ、残りを検索します"));
  // ON_ERROR is one setting, shown on both pages.
  connect(chkOnError, &QCheckBox::toggled, chkOnErrorSearch, &QCheckBox::setChecked);
  connect(chkOnErrorSearch, &QCheckBox::toggled, chkOnError, &QCheckBox::setChecked);
  settingsLayout->addWidget(chkOnErrorSearch);
  settingsLayout->addStretch(1);

  auto* layout = new QVBoxLayout(frmSearch);
  layout->addWidget(SourceGroup(captions_,
                                {QT_TR_NOOP("ソース"), QT_TR_NOOP("フォルダ(&D)"),
                                 QT_TR_NOOP("オブジェクト・リスト・レポートファイル名(&R)")},
                                txtSrcFolder, WithBrowse(txtSrcFolder, nullptr), txtSrcFile,
                                WithBrowse(txtSrcFile, txtSrcFolder), frmSearch));
  layout->addWidget(conditions);
  layout->addWidget(settings);
  lstSearch = new ResultList(ResultList::Kind::Search, QStringLiteral("lstSearch"), frmSearch);
  layout->addWidget(lstSearch, 1);
  return frmSearch;
}

QWidget* frmMain::BuildCommonArea() {
  auto* area = Named(new QFrame, "frmCommon");
  txtPutDir = Named(new DropLineEdit(area), "txtPutDir");
  txtPutFile = Named(new OneLineEdit(area), "txtPutFile");
  chkOpenFile = Named(captions_.Text(new QCheckBox(area), QT_TR_NOOP("ファイルを自動的に開く(&A)")),
                      "chkOpenFile");
  lblStatus = Named(new QLabel(area), "lblStatus");
  lblStatus->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  lblStatus->setTextInteractionFlags(Qt::TextSelectableByMouse);
  lblStatus->setMinimumWidth(120);
  // Long stage texts (full paths) must not widen the window.
  lblStatus->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  prgRun = Named(new QProgressBar(area), "prgRun");
  prgRun->setFormat(QStringLiteral("%v/%m"));
  prgRun->setMaximumWidth(200);
  // Shown only during a run, without moving the rest when it appears.
  QSizePolicy keepPlace = prgRun->sizePolicy();
  keepPlace.setRetainSizeWhenHidden(true);
  prgRun->setSizePolicy(keepPlace);
  prgRun->hide();
  cmdExec = Named(new QPushButton(area), "cmdExec");
  cmdCancel = Named(new QPushButton(area), "cmdCancel");
  captions_.Add([this] {
    // Escape is its key: a button's new text resets its shortcut, so it
    // comes after the text, and the caption has no mnemonic to take its place.
    cmdCancel->setText(tr("中止"));
    cmdCancel->setShortcut(QKeySequence(Qt::Key_Escape));
  });
  cmdCancel->setEnabled(false);
  cmdExit = Named(captions_.Text(new QPushButton(area), QT_TR_NOOP("終了(&X)")), "cmdExit");
  cmdExec->setDefault(true);

  QLayout* putDirRow = WithBrowse(txtPutDir, nullptr);
  cmdBrowsePutDir = putDirRow->itemAt(1)->widget();
  auto* status = new QHBoxLayout;
  status->addWidget(lblStatus, 1);
  status->addWidget(prgRun);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(cmdExec);
  buttons->addWidget(cmdCancel);
  buttons->addWidget(cmdExit);

  auto* grid = new QGridLayout(area);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->addWidget(LabelFor(captions_, QT_TR_NOOP("出力先フォルダ(&O)"), txtPutDir, area), 0, 0);
  grid->addLayout(putDirRow, 0, 1, 1, 2);
  grid->addWidget(
      LabelFor(captions_, QT_TR_NOOP("結果出力ファイル名(.html)(&N)"), txtPutFile, area), 1, 0);
  grid->addWidget(txtPutFile, 1, 1);
  grid->addWidget(chkOpenFile, 1, 2);
  grid->addLayout(status, 2, 0, 1, 2);
  grid->addLayout(buttons, 2, 2);
  grid->setColumnStretch(1, 1);
  return area;
}

QLayout* frmMain::WithBrowse(QLineEdit* box, QLineEdit* folderBox) {
  auto* button = new QToolButton;
  button->setObjectName(QStringLiteral("cmdBrowse") + box->objectName().mid(3));
  button->setText(QStringLiteral("…"));
  captions_.ToolTip(button,
                    folderBox ? QT_TR_NOOP("ファイルの選択") : QT_TR_NOOP("フォルダの選択"));
  connect(button, &QToolButton::clicked, this, [this, box, folderBox] {
    // The choice goes the way of a drop, so both keep one behaviour.
    if (!folderBox) {
      const QStringList chosen =
          ChooseFiles(hooks_, this, {tr("フォルダの選択"), box->text(), {}, true, false});
      if (!chosen.isEmpty()) FolderBoxDropped(box, ToPathList(chosen));
      return;
    }
    // Reports and Forms XML modules first; any file for reports saved under
    // another extension.
    const QStringList chosen = ChooseFiles(
        hooks_, this,
        {tr("ファイルの選択"), folderBox->text(),
         tr("オブジェクト・リスト・レポート、Forms XML (*.txt *.xml);;すべてのファイル (*)"), false,
         true});
    if (chosen.isEmpty()) return;
    FileBoxDropped(box, folderBox, ToPathList(chosen));
    // A folder comparison pairs reports by name: files picked on one side
    // are the pattern of both, or the summary would call the other side's
    // reports missing.
    QLineEdit* other = box == txtSrcTxt1 ? txtSrcTxt2 : box == txtSrcTxt2 ? txtSrcTxt1 : nullptr;
    if (other != nullptr && optFolder->isChecked()) other->setText(box->text());
  });
  auto* row = new QHBoxLayout;
  row->setSpacing(2);
  row->addWidget(box, 1);
  row->addWidget(button);
  return row;
}

QLayout* frmMain::IgnoreFileRow(DropLineEdit* box, QWidget* parent) {
  QLabel* label = LabelFor(captions_, QT_TR_NOOP("無視ルール(&U):"), box, parent);
  captions_.ToolTip(
      box, QT_TR_NOOP("ここに挙げたプロパティの違いは差異に数えません（UTF-8、1行に1ルール）"));
  connect(box, &DropLineEdit::filesDropped, this, [box](const std::vector<FilePath>& paths) {
    if (!paths.empty()) box->setText(ToQString(paths.front().text));
  });
  auto* button = new QToolButton(parent);
  button->setObjectName(QStringLiteral("cmdBrowse") + box->objectName().mid(3));
  button->setText(QStringLiteral("…"));
  captions_.ToolTip(button, QT_TR_NOOP("無視ルールファイルの選択"));
  connect(button, &QToolButton::clicked, this, [this, box] {
    const QStringList chosen =
        ChooseFiles(hooks_, this,
                    {tr("無視ルールファイルの選択"), QFileInfo(box->text()).path(),
                     tr("無視ルール (*.txt);;すべてのファイル (*)"), false, false});
    if (!chosen.isEmpty()) box->setText(chosen.front());
  });
  auto* row = new QHBoxLayout;
  row->setSpacing(2);
  row->addWidget(label);
  row->addSpacing(4);
  row->addWidget(box, 1);
  row->addWidget(button);
  return row;
}

void frmMain::BuildMenus() {
  mnuFile =
      Named(captions_.Title(menuBar()->addMenu(QString()), QT_TR_NOOP("ﾌｧｲﾙ(&F)")), "mnuFile");
  mnuOpenSrc1 = Named(
      captions_.Text(mnuFile->addAction(QString()), QT_TR_NOOP("ソース１のレポートを開く(&1)...")),
      "mnuOpenSrc1");
  mnuOpenSrc2 = Named(
      captions_.Text(mnuFile->addAction(QString()), QT_TR_NOOP("ソース２のレポートを開く(&2)...")),
      "mnuOpenSrc2");
  connect(mnuOpenSrc1, &QAction::triggered, this, [this] { OpenReport(1); });
  connect(mnuOpenSrc2, &QAction::triggered, this, [this] { OpenReport(2); });
  mnuFile->addSeparator();
  mnuEnd = Named(captions_.Text(mnuFile->addAction(QString()), QT_TR_NOOP("閉じる(&C)")), "mnuEnd");
  connect(mnuEnd, &QAction::triggered, this, &frmMain::mnuEnd_Click);

  mnuView =
      Named(captions_.Title(menuBar()->addMenu(QString()), QT_TR_NOOP("表示(&V)")), "mnuView");
  mnuReviewStyle = Named(captions_.Text(mnuView->addAction(QString()),
                                        QT_TR_NOOP("レビュー形式のページを出力する(&R)")),
                         "mnuReviewStyle");
  mnuReviewStyle->setCheckable(true);

  // UI_LANGUAGE: each language named in the window's language, switched at once.
  mnuLanguage =
      Named(captions_.Title(menuBar()->addMenu(QString()), QT_TR_NOOP("言語(&L)")), "mnuLanguage");
  mnuJapanese = Named(captions_.Text(mnuLanguage->addAction(QString()), QT_TR_NOOP("日本語(&J)")),
                      "mnuJapanese");
  mnuEnglish = Named(captions_.Text(mnuLanguage->addAction(QString()), QT_TR_NOOP("English(&E)")),
                     "mnuEnglish");
  auto* languages = new QActionGroup(mnuLanguage);
  for (QAction* item : {mnuJapanese, mnuEnglish}) {
    item->setCheckable(true);
    languages->addAction(item);
  }
  connect(mnuJapanese, &QAction::triggered, this, [this] { SetLanguage(UiLanguage::Japanese); });
  connect(mnuEnglish, &QAction::triggered, this, [this] { SetLanguage(UiLanguage::English); });

  mnuDebug =
      Named(captions_.Title(menuBar()->addMenu(QString()), QT_TR_NOOP("デバッグ")), "mnuDebug");
  mnuShowConstract = Named(captions_.Text(mnuDebug->addAction(QString()), QT_TR_NOOP("構造の表示")),
                           "mnuShowConstract");
  // A checkable action inverts its own mark on every click.
  mnuShowConstract->setCheckable(true);

  mnuHelp =
      Named(captions_.Title(menuBar()->addMenu(QString()), QT_TR_NOOP("ﾍﾙﾌﾟ(&H)")), "mnuHelp");
  mnuVersionInfo =
      Named(captions_.Text(mnuHelp->addAction(QString()), QT_TR_NOOP("ﾊﾞｰｼﾞｮﾝ情報(&A)...")),
            "mnuVersionInfo");
  connect(mnuVersionInfo, &QAction::triggered, this, &frmMain::mnuVersionInfo_Click);
}

void frmMain::ConnectEnterToExecute() {
  // Enter in any box starts the current page's run, as a dialog's default
  // button would; a running run keeps the button disabled.
  for (QLineEdit* box : findChildren<QLineEdit*>()) {
    connect(box, &QLineEdit::returnPressed, this, [this] {
      if (cmdExec->isEnabled()) cmdExec->click();
    });
  }
}

void frmMain::ConnectDrops() {
  for (DropLineEdit* box : {txtFolder1, txtFolder2, txtSrcFolder, txtPutDir}) {
    connect(box, &DropLineEdit::filesDropped, this,
            [this, box](const std::vector<FilePath>& paths) { FolderBoxDropped(box, paths); });
  }
  const std::pair<DropLineEdit*, DropLineEdit*> pairs[] = {
      {txtSrcTxt1, txtFolder1}, {txtSrcTxt2, txtFolder2}, {txtSrcFile, txtSrcFolder}};
  for (const auto& [fileBox, folderBox] : pairs) {
    connect(fileBox, &DropLineEdit::filesDropped, this,
            [this, fileBox = fileBox, folderBox = folderBox](const std::vector<FilePath>& paths) {
              FileBoxDropped(fileBox, folderBox, paths);
            });
  }
  connect(tvSrc1, &ReportTreeView::filesDropped, this,
          [this](const std::vector<FilePath>& paths) { TreeDropped(1, paths); });
  connect(tvSrc2, &ReportTreeView::filesDropped, this,
          [this](const std::vector<FilePath>& paths) { TreeDropped(2, paths); });
}

void frmMain::Initialize(std::u16string iniPath) {
  Initialize(SettingsHome{std::move(iniPath), {}});
}

void frmMain::Initialize(SettingsHome home) {
  home_ = std::move(home);
  const std::u16string iniPath = home_.FileToRead();
  const IniReading reading = ReadIniFile(iniPath, settings_);
  keepIniFile_ = !reading.keepReason.empty();
  // A first start speaks the system's language: Japanese, or else English.
  if (reading.freshInstallation) {
    settings_.UI_LANGUAGE = FirstStartLanguage(
        hooks_.systemLanguages ? hooks_.systemLanguages() : QLocale::system().uiLanguages());
  }
  SetLanguage(settings_.UI_LANGUAGE);
  if (keepIniFile_) {
    ops_->ShowMessage(
        {MessageId::SettingsFileKept, {iniPath, MessagesText(reading.keepReason, ops_->Catalog())}},
        MessageIcon::Warning);
  }
  if (reading.freshInstallation) {
    ops_->ShowMessage({MessageId::ReadDocumentationAt, {FromQString(DocumentationPath())}},
                      MessageIcon::Information);
  }
  for (QComboBox* list : {cmbSearch1, cmbSearch2, cmbSearch3}) {
    list->clear();
    list->addItems({QString(), QString()});  // their texts follow the language
    list->setCurrentIndex(0);
  }
  mnuShowConstract->setChecked(false);
  mnuDebug->menuAction()->setVisible(true);
  mnuDebug->setEnabled(true);
  mnuShowConstract->setVisible(true);
  mnuShowConstract->setEnabled(true);
  SelectPage(settings_.TAB_PAGE == 1 || settings_.TAB_PAGE == 2 ? settings_.TAB_PAGE : 3);
  FillControls();
  for (ReportTreeView* view : {tvSrc1, tvSrc2}) {
    view->Clear();
    view->AddNode(u"", kDropHintKey, u"");  // its text follows the language
    view->SetTextWrapped(true);
  }
  chkDiffObjOnly->setChecked(settings_.DIFF_OBJ_ONLY);
  RestoreGeometry();
  Retranslate();
}

UiLanguage FirstStartLanguage(const QStringList& uiLanguages) {
  // The first is the language the system's interface shows.
  if (uiLanguages.isEmpty()) return UiLanguage::Japanese;
  const QString first = uiLanguages.front();
  return first == QLatin1String("ja") || first.startsWith(QLatin1String("ja-")) ||
                 first.startsWith(QLatin1String("ja_"))
             ? UiLanguage::Japanese
             : UiLanguage::English;
}

void frmMain::SetLanguage(UiLanguage language) {
  settings_.UI_LANGUAGE = language;
  UseWindowLanguage(language);
  ops_->SetLanguage(language);
  Retranslate();
}

void frmMain::Retranslate() {
  captions_.Retranslate();
  for (QComboBox* list : {cmbSearch1, cmbSearch2, cmbSearch3}) {
    if (list->count() != 2) continue;
    list->setItemText(0, tr("を含む"));
    list->setItemText(1, tr("を含まない"));
  }
  for (ReportTreeView* view : {tvSrc1, tvSrc2}) {
    if (view->NodeCount() == 1 && view->NodeKey(1) == kDropHintKey) {
      view->topLevelItem(0)->setText(
          0, tr("オブジェクト・リスト・レポートのTXTファイルをドロップしてください"));
    }
  }
  mnuJapanese->setChecked(settings_.UI_LANGUAGE == UiLanguage::Japanese);
  mnuEnglish->setChecked(settings_.UI_LANGUAGE == UiLanguage::English);
  for (ResultList* list : {lstDiff, lstObjDiff, lstSearch})
    list->SetLanguage(settings_.UI_LANGUAGE);
  ShowLoadedReports();
  ShowPage();
}

void frmMain::changeEvent(QEvent* event) {
  // Another translator installed (or the language menu's own): every text anew.
  if (event->type() == QEvent::LanguageChange) Retranslate();
  QMainWindow::changeEvent(event);
}

void frmMain::FillControls() {
  const Settings& s = settings_;
  chkDiffOnly->setChecked(s.DIFF_ONLY);
  SetMode(s.MODE);
  txtFolder1->setText(ToQString(s.SRC_PATH1));
  txtSrcTxt1->setText(ToQString(s.SRC_FILE1));
  txtFolder2->setText(ToQString(s.SRC_PATH2));
  txtSrcTxt2->setText(ToQString(s.SRC_FILE2));
  txtPutDir->setText(ToQString(s.OUTPUT_PATH));
  txtPutFile->setText(ToQString(s.OUTPUT_FILE));
  chkOpenFile->setChecked(s.OUTPUT_AUTOOPEN);
  chkFindOnly->setChecked(s.FOUND_ONLY);
  chkNoCase->setChecked(s.NO_CASE);
  optCondAnd->setChecked(s.COND_AND);
  optCondOr->setChecked(!s.COND_AND);
  txtSrcFolder->setText(ToQString(s.SRC_PATH));
  txtSrcFile->setText(ToQString(s.SRC_FILE));
  txtSearchStr1->setText(ToQString(s.SEARCH_STRING1));
  cmbSearch1->setCurrentIndex(ConditionIndex(s.SEARCH_STRING1_COND));
  txtSearchStr2->setText(ToQString(s.SEARCH_STRING2));
  cmbSearch2->setCurrentIndex(ConditionIndex(s.SEARCH_STRING2_COND));
  txtSearchStr3->setText(ToQString(s.SEARCH_STRING3));
  cmbSearch3->setCurrentIndex(ConditionIndex(s.SEARCH_STRING3_COND));
  chkIgnoreBlanks->setChecked(s.IGNORE_BLANKS);
  chkIgnoreCase->setChecked(s.IGNORE_CASE);
  txtIgnoreFile->setText(ToQString(s.IGNORE_FILE));
  mnuReviewStyle->setChecked(s.PAGE_STYLE == PageStyle::Review);
  chkOnError->setChecked(s.ON_ERROR == OnError::Continue);
}

void frmMain::SetMode(CompareMode mode) {
  // Neither option is selected until a mode was ever set.
  for (QRadioButton* option : {optFolder, optFile}) {
    option->setAutoExclusive(false);
    option->setChecked(false);
  }
  optFolder->setChecked(mode == CompareMode::Folder);
  optFile->setChecked(mode == CompareMode::File);
  for (QRadioButton* option : {optFolder, optFile}) option->setAutoExclusive(true);
}

void frmMain::CollectSettings() {
  Settings& s = settings_;
  s.SRC_PATH1 = FromQString(txtFolder1->text());
  s.SRC_FILE1 = FromQString(txtSrcTxt1->text());
  s.SRC_PATH2 = FromQString(txtFolder2->text());
  s.SRC_FILE2 = FromQString(txtSrcTxt2->text());
  s.DIFF_ONLY = chkDiffOnly->isChecked();
  s.IGNORE_BLANKS = chkIgnoreBlanks->isChecked();
  s.IGNORE_CASE = chkIgnoreCase->isChecked();
  s.IGNORE_FILE = FromQString(txtIgnoreFile->text());
  s.PAGE_STYLE = mnuReviewStyle->isChecked() ? PageStyle::Review : PageStyle::Classic;
  s.MODE = optFolder->isChecked() ? CompareMode::Folder
           : optFile->isChecked() ? CompareMode::File
                                  : CompareMode::None;
  s.DIFF_OBJ_ONLY = chkDiffObjOnly->isChecked();
  s.SRC_PATH = FromQString(txtSrcFolder->text());
  s.SRC_FILE = FromQString(txtSrcFile->text());
  s.SEARCH_STRING1 = FromQString(txtSearchStr1->text());
  s.SEARCH_STRING2 = FromQString(txtSearchStr2->text());
  s.SEARCH_STRING3 = FromQString(txtSearchStr3->text());
  s.SEARCH_STRING1_COND = cmbSearch1->currentIndex() == 0;
  s.SEARCH_STRING2_COND = cmbSearch2->currentIndex() == 0;
  s.SEARCH_STRING3_COND = cmbSearch3->currentIndex() == 0;
  s.COND_AND = optCondAnd->isChecked();
  s.FOUND_ONLY = chkFindOnly->isChecked();
  s.NO_CASE = chkNoCase->isChecked();
  s.OUTPUT_PATH = FromQString(txtPutDir->text());
  s.OUTPUT_FILE = FromQString(txtPutFile->text());
  s.OUTPUT_AUTOOPEN = chkOpenFile->isChecked();
  s.TAB_PAGE = CurrentPage();
  s.ON_ERROR = chkOnError->isChecked() ? OnError::Continue : OnError::Stop;
  if (GeometryToKeep()) {
    s.WINDOW_GEOMETRY = GeometryText(normalGeometry());
    s.WINDOW_MAXIMIZED = isMaximized();
  }
}

int frmMain::CurrentPage() const {
  return tabMain->currentIndex() + 1;
}

void frmMain::SelectPage(int page) {
  tabMain->setCurrentIndex(page - 1);
}

void frmMain::ShowPage() {
  const int page = CurrentPage();
  // The tab widget shows only the current page's frame; the caption follows.
  cmdExec->setText(page == 3 ? tr("検索開始(&S)") : tr("比較開始(&S)"));
  ShowPageStatus();
}

ResultList& frmMain::Results(int page) const {
  return page == 1 ? *lstDiff : page == 2 ? *lstObjDiff : *lstSearch;
}

void frmMain::ShowPageStatus() {
  // During a run the run speaks; the tabs are locked meanwhile.
  if (Running()) return;
  const QString totals = Results(CurrentPage()).Totals();
  // An earlier run's message (a check that stopped it) stays on its own page only.
  if (!totals.isEmpty() || CurrentPage() != runPage_) {
    ops_->SetStatusText(MessageId::NoStatus);
    lblStatus->setText(totals);
    lblStatus->setToolTip(totals);  // whole, where the line is too narrow
  }
}

void frmMain::cmdExec_Click() {
  if (Running()) return;
  StartRun(CurrentPageRun());
}

void frmMain::StartRun(std::function<void()> run) {
  runPage_ = CurrentPage();
  Results(runPage_).Clear();
  lblStatus->clear();
  SetInputsEnabled(false);
  prgRun->setRange(0, 0);
  prgRun->show();
  ops_->StartRun();
  WindowOps& ops = *ops_;
  worker_ = QThread::create([run = std::move(run), &ops] {
    try {
      run();
    } catch (const std::exception& error) {
      // The runs report their own errors; this only keeps an unforeseen one
      // from ending the program.
      ops.SetWaitCursor(false);
      ops.ShowMessage(RunErrorMessage(u"", ErrorDescription(error, ops.Catalog())),
                      MessageIcon::Critical);
    }
  });
  connect(worker_, &QThread::finished, this, &frmMain::RunEnded);
  worker_->start();
}

void frmMain::RunEnded() {
  if (!worker_) return;
  worker_->wait();
  delete worker_;
  worker_ = nullptr;
  ops_->SetWaitCursor(false);
  prgRun->hide();
  prgRun->reset();
  if (runResult_) {
    Results(runPage_).Finish(*runResult_, ToQString(WithTrailingSeparator(settings_.OUTPUT_PATH)));
    runResult_.reset();
  }
  SetInputsEnabled(true);
  ShowPageStatus();
  emit runEnded();
  if (closeAfterRun_) close();
}

void frmMain::SetInputsEnabled(bool enabled) {
  // The pages (tabs included) hold inputs only; the common area also shows
  // the status, the progress, "中止" and "終了", which stay usable.
  for (QWidget* input : {static_cast<QWidget*>(tabMain), static_cast<QWidget*>(txtPutDir),
                         cmdBrowsePutDir, static_cast<QWidget*>(txtPutFile),
                         static_cast<QWidget*>(chkOpenFile), static_cast<QWidget*>(cmdExec)}) {
    input->setEnabled(enabled);
  }
  mnuShowConstract->setEnabled(enabled);
  cmdCancel->setEnabled(!enabled);
  if (enabled && !cmdExec->hasFocus() && (!focusWidget() || !focusWidget()->isEnabled())) {
    cmdExec->setFocus();
  }
}

void frmMain::cmdCancel_Click() {
  if (Running()) ops_->RequestCancel();
}

void frmMain::cmdExit_Click() {
  if (Running()) {
    close();  // cancels, then writes the settings once the run has stopped
    return;
  }
  CollectSettings();
  WriteSettings();
  exiting_ = true;
  close();
}

void frmMain::mnuEnd_Click() {
  close();
}

void frmMain::mnuVersionInfo_Click() {
  frmAbout about(this);
  about.exec();
}

void frmMain::closeEvent(QCloseEvent* event) {
  if (Running()) {
    // Closing throws away the rest of the run: the user says so first, but
    // a session ending (a signal) closes without asking.
    const bool bySignal = property(kClosingBySignal).toBool();
    if (!closeAfterRun_ && !bySignal &&
        !AskYesNo(hooks_, this, tr("比較・検索を実行中です。中止して閉じますか？"),
                  tr("中止して閉じる"), tr("続行する"))) {
      event->ignore();
      return;
    }
    if (!Running()) {
      // The run ended while the question was open: close as usual.
      closeEvent(event);
      return;
    }
    // The settings are written when the run has stopped and the window closes.
    closeAfterRun_ = true;
    ops_->SetClosing(true);
    ops_->RequestCancel();
    event->ignore();
    return;
  }
  if (!exiting_) {
    CollectSettings();
    WriteSettings();
    exiting_ = true;
  }
  event->accept();
}

void frmMain::WriteSettings() {
  // Writing over a file that was not read whole would lose what it holds.
  if (keepIniFile_) return;
  ++settingsWrites_;
  WriteIniHome(home_, settings_, *ops_);
}

void frmMain::FolderBoxDropped(QLineEdit* folderBox, const std::vector<FilePath>& paths) {
  if (Running()) return;
  if (const auto text = ::tarnwick::DropOnFolderBox(paths)) {
    folderBox->setText(ToQString(*text));
  }
}

void frmMain::FileBoxDropped(QLineEdit* fileBox, QLineEdit* folderBox,
                             const std::vector<FilePath>& paths) {
  if (Running()) return;
  const FileBoxTexts boxes = ::tarnwick::DropOnFileBox(
      paths, {FromQString(folderBox->text()), FromQString(fileBox->text())});
  folderBox->setText(ToQString(boxes.folder));
  fileBox->setText(ToQString(boxes.files));
  if (boxes.otherFolder) ops_->ShowMessage(MessageId::SameFolderOnly, MessageIcon::Information);
}

void frmMain::TreeDropped(int side, const std::vector<FilePath>& paths) {
  if (Running()) return;  // the run reads this side
  ReportTreeView* view = side == 1 ? tvSrc1 : tvSrc2;
  {
    WaitCursor wait(*ops_);  // parsing a large report takes a moment
    TreeBatch batch(*view);
    DropReportOnTree(paths, side == 1 ? side1_ : side2_, *view, *ops_, settings_.UI_LANGUAGE,
                     settings_.REPORT_ENCODING);
  }
  view->SetTextWrapped(view->NodeCount() == 1 && view->NodeKey(1) == kDropHintKey);
  view->expandToDepth(2);
  ShowLoadedReports();
}

}  // namespace tarnwick
