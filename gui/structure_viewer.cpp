#include "gui/structure_viewer.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QVBoxLayout>

#include "gui/qt_text.h"
#include "gui/report_tree_view.h"
#include "gui/screen_fit.h"

namespace tarnwick {
namespace {

QPlainTextEdit* ValueBox(QWidget* parent, const char* name) {
  auto* box = new QPlainTextEdit(parent);
  box->setObjectName(QString::fromLatin1(name));
  box->setReadOnly(true);
  box->setLineWrapMode(QPlainTextEdit::NoWrap);
  return box;
}

}  // namespace

void PickList::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::RightButton) {
    emit pressed(Qt::RightButton);
    event->accept();
    return;
  }
  QListWidget::mousePressEvent(event);
  emit pressed(event->button());
}

frmConstract::frmConstract(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmConstract"));
  setWindowTitle(tr("内部構造参照"));
  setModal(true);

  TreeView1 = new ReportTreeView(this);
  TreeView1->setObjectName(QStringLiteral("TreeView1"));
  Text3 = ValueBox(this, "Text3");
  Text2 = new QLineEdit(this);
  Text2->setObjectName(QStringLiteral("Text2"));
  Text2->setReadOnly(true);
  Text1 = ValueBox(this, "Text1");
  List1 = new PickList(this);
  List1->setObjectName(QStringLiteral("List1"));
  Command1 = new QPushButton(tr("終了(&X)"), this);
  Command1->setObjectName(QStringLiteral("Command1"));

  auto* picked = new QWidget(this);
  auto* pickedLayout = new QVBoxLayout(picked);
  pickedLayout->setContentsMargins(0, 0, 0, 0);
  pickedLayout->addWidget(Text2);
  pickedLayout->addWidget(Text1, 1);

  auto* right = new QSplitter(Qt::Vertical, this);
  right->addWidget(Text3);
  right->addWidget(picked);
  right->addWidget(List1);

  auto* split = new QSplitter(Qt::Horizontal, this);
  split->addWidget(TreeView1);
  split->addWidget(right);
  split->setStretchFactor(0, 1);
  split->setStretchFactor(1, 1);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(Command1);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(split, 1);
  layout->addLayout(buttons);
  FitToScreen(*this, QSize(880, 600));

  connect(TreeView1, &QTreeWidget::itemClicked, this, &frmConstract::TreeView1_Click);
  connect(TreeView1, &QTreeWidget::itemDoubleClicked, this, &frmConstract::TreeView1_DblClick);
  connect(List1, &QListWidget::itemDoubleClicked, this, &frmConstract::List1_DblClick);
  connect(List1, &PickList::pressed, this, &frmConstract::List1_MouseDown);
  connect(Command1, &QPushButton::clicked, this, &frmConstract::Command1_Click);
}

void frmConstract::Init(const Collection& oFrmCol) {
  TreeView1->Clear();
  List1->clear();
  Text1->clear();
  Text2->clear();
  Text3->clear();
  model_.Init(oFrmCol);
  {
    TreeBatch batch(*TreeView1);
    // The properties folders ("<プロパティ>", keys ending in P) in the window's language.
    const std::u16string folder = FromQString(tr("<プロパティ>"));
    for (const StructureNode& node : model_.Nodes()) {
      const bool isFolder = !node.Key.empty() && node.Key.back() == u'P';
      TreeView1->AddNode(node.ParentKey, node.Key,
                         isFolder ? std::u16string_view(folder) : std::u16string_view(node.Text));
    }
  }
  if (QTreeWidgetItem* top = TreeView1->topLevelItem(0)) top->setExpanded(true);
}

int frmConstract::SelectedRecord() const {
  const std::u16string key = TreeView1->SelectedKey();
  return key.empty() ? 0 : model_.FindRecord(key);
}

void frmConstract::TreeView1_Click() {
  if (const int number = SelectedRecord())
    Text3->setPlainText(ToQString(model_.Record(number).Value));
}

void frmConstract::TreeView1_DblClick() {
  const int number = SelectedRecord();
  if (number == 0) return;
  const PropRecord& record = model_.Record(number);
  Text1->setPlainText(ToQString(record.Value));
  Text2->setText(ToQString(record.NamePath));
  if (const auto entry = model_.PickRecord(number)) List1->addItem(ToQString(*entry));
}

void frmConstract::List1_DblClick() {
  const QList<QListWidgetItem*> selected = List1->selectedItems();
  if (selected.isEmpty()) return;
  const int number = model_.EntryRecord(selected.front()->text().toStdU16String());
  if (number == 0) return;
  Text1->setPlainText(ToQString(model_.Record(number).Value));
  Text2->setText(ToQString(model_.Record(number).NamePath));
}

void frmConstract::List1_MouseDown(Qt::MouseButton button) {
  if (button != Qt::RightButton) return;
  const QList<QListWidgetItem*> selected = List1->selectedItems();
  if (selected.isEmpty()) return;
  const int number = model_.EntryRecord(selected.front()->text().toStdU16String());
  if (number == 0) return;
  model_.Unlist(number);
  delete List1->takeItem(List1->row(selected.front()));
}

void frmConstract::Command1_Click() {
  accept();
}

}  // namespace tarnwick
