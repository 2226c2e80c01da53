// frmConstract, the debugging window "内部構造参照": one parsed report as a
// tree of objects with their properties in "<プロパティ>" folders, the value
// of a clicked property, and a pick list of double-clicked properties (each
// at most once; a right click removes the selected entry). Nothing survives
// from one showing to the next.
#pragma once

#include <QDialog>
#include <QListWidget>

#include "app/structure_model.h"

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace tarnwick {

class Collection;
class ReportTreeView;

// The pick list: a right press reports itself without selecting anything.
class PickList : public QListWidget {
  Q_OBJECT

 public:
  explicit PickList(QWidget* parent = nullptr) : QListWidget(parent) {}

 signals:
  void pressed(Qt::MouseButton button);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
};

class frmConstract : public QDialog {
  Q_OBJECT

 public:
  explicit frmConstract(QWidget* parent = nullptr);

  // Shows `oFrmCol`, the top-level collection of a parsed report.
  void Init(const Collection& oFrmCol);

  const StructureModel& Model() const { return model_; }

 public slots:
  void TreeView1_Click();
  void TreeView1_DblClick();
  void List1_DblClick();
  void List1_MouseDown(Qt::MouseButton button);
  void Command1_Click();

 private:
  int SelectedRecord() const;

  StructureModel model_;
  ReportTreeView* TreeView1;
  QPlainTextEdit* Text1;
  QLineEdit* Text2;
  QPlainTextEdit* Text3;
  PickList* List1;
  QPushButton* Command1;
};

}  // namespace tarnwick
