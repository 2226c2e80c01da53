// The object comparison page's reports: the row above each tree with the
// report's name and path and its "…", and the choice of a report in a file
// dialog, which goes the way of a drop.
#include <QFileInfo>
#include <QFont>
#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>

#include "gui/elided_label.h"
#include "gui/file_dialogs.h"
#include "gui/file_drops.h"
#include "gui/main_window.h"
#include "gui/qt_text.h"
#include "gui/report_tree_view.h"

namespace tarnwick {

QLayout* frmMain::SourceHeader(int side, QWidget* parent) {
  ReportTreeView* tree = side == 1 ? tvSrc1 : tvSrc2;
  QLabel* caption = captions_.Text(
      new QLabel(parent), side == 1 ? QT_TR_NOOP("ソース１(&1):") : QT_TR_NOOP("ソース２(&2):"));
  caption->setBuddy(tree);
  auto* name = new QLabel(parent);
  name->setObjectName(side == 1 ? QStringLiteral("lblSrcName1") : QStringLiteral("lblSrcName2"));
  QFont bold = name->font();
  bold.setBold(true);
  name->setFont(bold);
  auto* path = new ElidedLabel(parent);
  path->setObjectName(side == 1 ? QStringLiteral("lblSrcPath1") : QStringLiteral("lblSrcPath2"));
  // A long path must not widen the window.
  path->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  (side == 1 ? lblSrcName1 : lblSrcName2) = name;
  (side == 1 ? lblSrcPath1 : lblSrcPath2) = path;
  auto* button = new QToolButton(parent);
  button->setObjectName(side == 1 ? QStringLiteral("cmdOpenSrc1") : QStringLiteral("cmdOpenSrc2"));
  button->setText(QStringLiteral("…"));
  captions_.ToolTip(button, QT_TR_NOOP("レポートを開く"));
  connect(button, &QToolButton::clicked, this, [this, side] { OpenReport(side); });
  auto* row = new QHBoxLayout;
  row->setSpacing(4);
  row->addWidget(caption);
  row->addWidget(name);
  row->addWidget(path, 1);
  row->addWidget(button);
  return row;
}

void frmMain::ShowLoadedReports() {
  for (int side : {1, 2}) {
    const ObjSide& loaded = Side(side);
    QLabel* name = side == 1 ? lblSrcName1 : lblSrcName2;
    ElidedLabel* path = side == 1 ? lblSrcPath1 : lblSrcPath2;
    if (loaded.ObjNodeCount <= 1 || loaded.ObjFile.empty()) {
      name->setText(tr("（未読込）"));
      path->SetFullText(QString());
      continue;
    }
    const QString file = ToQString(loaded.ObjFile);
    name->setText(QFileInfo(file).fileName());
    path->SetFullText(file);
  }
}

void frmMain::OpenReport(int side) {
  if (Running()) return;
  SelectPage(2);
  const QString loaded = ToQString(Side(side).ObjFile);
  const QStringList chosen = ChooseFiles(
      hooks_, this,
      {side == 1 ? tr("ソース１のレポートを開く") : tr("ソース２のレポートを開く"),
       loaded.isEmpty() ? QString() : QFileInfo(loaded).path(),
       tr("オブジェクト・リスト・レポート、Forms XML (*.txt *.xml);;すべてのファイル (*)"), false,
       false});
  if (!chosen.isEmpty()) TreeDropped(side, ToPathList(chosen));
}

}  // namespace tarnwick
