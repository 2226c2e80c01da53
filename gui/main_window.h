// frmMain, the program's only working window: the three tab pages with their
// inputs, the common output area, the menus, the drops of files and folders,
// start-up from and shutdown to the settings file, and the dispatch of the
// Execute button to the run of the current page. Every control carries its
// name as objectName. The settings file is written exactly once per ending,
// whether by the close box, the File menu or the Exit button, and never when
// it could not be read whole at start (the window says so then).
//
// A run goes on a worker thread, so that the window repaints, resizes and
// moves meanwhile; every input control and Execute stay disabled, "中止"
// (or Escape) asks the run to stop before its next pair or report, and a
// progress bar shows how far it got. Closing the window during a run asks
// first; then it cancels the run, waits for it to stop, writes the settings
// and closes. Each tab page keeps the result list and the final status line
// of its last run.
#pragma once

#include <QMainWindow>
#include <QRect>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/runs.h"
#include "app/settings.h"
#include "files/file_io.h"
#include "gui/captions.h"
#include "gui/qt_window_ops.h"

class QAction;
class QCheckBox;
class QEvent;
class QComboBox;
class QFrame;
class QLabel;
class QLayout;
class QLineEdit;
class QMenu;
class QProgressBar;
class QShowEvent;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QThread;

namespace tarnwick {

class DropLineEdit;
class ElidedLabel;
class OneLineEdit;
class ReportTreeView;
class ResultList;

inline constexpr char16_t kDropHintKey[] = u"COM";
// The drop hint as the Japanese window shows it (the English one translates it).
inline constexpr char16_t kDropHintText[] =
    u"オブジェクト・リスト・レポートのTXTファイルをドロップしてください";

// The window's language on a first start, from the system's interface
// languages (QLocale::uiLanguages(), the preferred first): Japanese when
// that is Japanese or unknown, else English.
UiLanguage FirstStartLanguage(const QStringList& uiLanguages);

class frmMain : public QMainWindow {
  Q_OBJECT

 public:
  // Builds the controls; `hooks` may replace the modal steps (tests).
  explicit frmMain(GuiHooks hooks = {}, QWidget* parent = nullptr);
  ~frmMain() override;

  // Start-up: reads the home's settings file, shows the notice of a fresh
  // installation and fills every control. The settings go back to the same
  // home (the user's copy when the file beside the program cannot be written).
  void Initialize(SettingsHome home);
  // A home without a user's copy: the settings file at `iniPath` alone.
  void Initialize(std::u16string iniPath);

  void CollectSettings();
  void ShowPage();
  // 1, 2 or 3.
  int CurrentPage() const;
  void SelectPage(int page);

  const Settings& CurrentSettings() const { return settings_; }
  const ObjSide& Side(int side) const { return side == 1 ? side1_ : side2_; }
  WindowOps& Ops() { return *ops_; }
  // How many times the settings file was written (once per ending, none
  // when it is kept).
  int SettingsWrites() const { return settingsWrites_; }
  // True from Execute until the run's worker has ended.
  bool Running() const { return worker_ != nullptr; }
  // The result list of a page (1, 2, 3).
  ResultList& Results(int page) const;

 public slots:
  void cmdExec_Click();
  void cmdExit_Click();
  void cmdCancel_Click();
  void mnuEnd_Click();
  void mnuVersionInfo_Click();
  // UI_LANGUAGE from the language menu: every text of the window, its
  // messages and Qt's own texts change at once.
  void SetLanguage(UiLanguage language);

  // The drop handlers of the folder boxes, the file boxes (with their paired
  // folder box) and the two tree views.
  void FolderBoxDropped(QLineEdit* folderBox, const std::vector<FilePath>& paths);
  void FileBoxDropped(QLineEdit* fileBox, QLineEdit* folderBox, const std::vector<FilePath>& paths);
  void TreeDropped(int side, const std::vector<FilePath>& paths);
  // "…" and the File menu of the object comparison: a report chosen in a
  // file dialog goes into that side's tree as a drop would.
  void OpenReport(int side);

 signals:
  // A run's worker has ended and the inputs are enabled again.
  void runEnded();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void BuildMenus();
  QWidget* BuildDiffPage();
  QWidget* BuildObjDiffPage();
  QWidget* BuildSearchPage();
  QWidget* BuildCommonArea();
  void ConnectDrops();
  void ConnectEnterToExecute();
  void SetTabOrder();
  void FillControls();
  // Every text anew in the current language: the captions, the list items,
  // the drop hint, Execute's caption and the language menu's mark.
  void Retranslate();
  void SetMode(CompareMode mode);
  void WriteSettings();
  // The current page's run, ready for the worker: the settings collected and
  // everything it reads from widgets copied now. Defined apart from the window.
  std::function<void()> CurrentPageRun();
  void StartRun(std::function<void()> run);
  void RunEnded();
  void SetInputsEnabled(bool enabled);
  // The status line of the current page: its last run's totals, or nothing.
  void ShowPageStatus();
  // The labels above the trees: each side's report, or none.
  void ShowLoadedReports();
  // The place and size from the settings, on a screen that still exists.
  void RestoreGeometry();
  // True once the user has moved or resized the window since it was shown
  // (or an earlier start had), so the settings file keeps its place.
  bool GeometryToKeep() const;
  // The box with its "…" button, which opens the standard dialog for a
  // folder (folderBox null) or files, and takes the choice as a drop.
  QLayout* WithBrowse(QLineEdit* box, QLineEdit* folderBox);
  // The ignore rules box of a comparison page under its label, with its
  // "…" button; a dropped file goes into it.
  QLayout* IgnoreFileRow(DropLineEdit* box, QWidget* parent);
  // The row above a tree: its caption, its report's name and path, "…".
  QLayout* SourceHeader(int side, QWidget* parent);

  GuiHooks hooks_;
  Captions captions_;
  std::unique_ptr<QtWindowOps> ops_;
  Settings settings_;
  SettingsHome home_;
  ObjSide side1_;
  ObjSide side2_;
  int settingsWrites_ = 0;
  bool keepIniFile_ = false;  // the settings file was not read whole: never written
  bool exiting_ = false;
  QThread* worker_ = nullptr;
  bool closeAfterRun_ = false;
  std::shared_ptr<RunResult> runResult_;  // what the current run records
  int runPage_ = 0;                       // the page of the current or last run
  std::optional<QRect> shownGeometry_;    // just after the first show

  QTabWidget* tabMain;
  QFrame* frmDiff;
  QFrame* frmObjDiff;
  QFrame* frmSearch;

  DropLineEdit* txtFolder1;
  DropLineEdit* txtSrcTxt1;
  DropLineEdit* txtFolder2;
  DropLineEdit* txtSrcTxt2;
  QRadioButton* optFolder;
  QRadioButton* optFile;
  QCheckBox* chkDiffOnly;
  QCheckBox* chkIgnoreBlanks;  // IGNORE_BLANKS and IGNORE_CASE, shown on pages 1 and 2
  QCheckBox* chkIgnoreCase;
  DropLineEdit* txtIgnoreFile;  // IGNORE_FILE, shown on pages 1 and 2
  QCheckBox* chkOnError;        // ON_ERROR, shown on pages 1 and 3
  ResultList* lstDiff;

  ReportTreeView* tvSrc1;
  ReportTreeView* tvSrc2;
  QCheckBox* chkDiffObjOnly;
  QCheckBox* chkIgnoreBlanksObj;
  QCheckBox* chkIgnoreCaseObj;
  DropLineEdit* txtIgnoreFileObj;
  QLabel* lblSrcName1;  // the loaded report's file name, and its path
  ElidedLabel* lblSrcPath1;
  QLabel* lblSrcName2;
  ElidedLabel* lblSrcPath2;
  ResultList* lstObjDiff;

  DropLineEdit* txtSrcFolder;
  DropLineEdit* txtSrcFile;
  OneLineEdit* txtSearchStr1;
  OneLineEdit* txtSearchStr2;
  OneLineEdit* txtSearchStr3;
  QComboBox* cmbSearch1;
  QComboBox* cmbSearch2;
  QComboBox* cmbSearch3;
  QRadioButton* optCondAnd;
  QRadioButton* optCondOr;
  QCheckBox* chkFindOnly;
  QCheckBox* chkNoCase;
  QCheckBox* chkOnErrorSearch;
  ResultList* lstSearch;

  DropLineEdit* txtPutDir;
  OneLineEdit* txtPutFile;
  QCheckBox* chkOpenFile;
  QPushButton* cmdExec;
  QPushButton* cmdCancel;
  QPushButton* cmdExit;
  QLabel* lblStatus;
  QProgressBar* prgRun;
  QWidget* cmdBrowsePutDir;

  QMenu* mnuFile;
  QAction* mnuOpenSrc1;
  QAction* mnuOpenSrc2;
  QAction* mnuEnd;
  QMenu* mnuView;
  QAction* mnuReviewStyle;  // PAGE_STYLE: checked for the review pages
  QMenu* mnuLanguage;
  QAction* mnuJapanese;
  QAction* mnuEnglish;
  QMenu* mnuDebug;
  QAction* mnuShowConstract;
  QMenu* mnuHelp;
  QAction* mnuVersionInfo;
};

}  // namespace tarnwick
