// The last run of a tab page, in the window: one row per pair compared (or
// report searched) with its status and counts, filled as the run settles
// each pair and completed from the run's own record when it ends (the pairs
// it never reached, the reports it set aside). The rows sort by any column;
// "changed only" hides the pairs that are the same (the reports without a
// hit); Enter or a double click opens a row's page; two buttons open the
// summary page and the output folder.
//
//   list->Clear();                  // a run starts
//   list->Add(pairResult);          // each pair, from WindowOps::PairFinished
//   list->Finish(runResult, out);   // the run has ended
//   status->setText(list->Totals());
#pragma once

#include <QString>
#include <QWidget>
#include <string>
#include <vector>

#include "app/pair_result.h"
#include "app/runs.h"
#include "gui/captions.h"
#include "messages/ui_language.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace tarnwick {

class ResultList : public QWidget {
  Q_OBJECT

 public:
  enum class Kind { FolderComparison, ObjectComparison, Search };
  // The columns, in order.
  enum Column { kName, kStatus, kFirstCount };

  // `name` prefixes the objectNames of the list and its buttons.
  ResultList(Kind kind, const QString& name, QWidget* parent = nullptr);

  void Clear();
  void Add(const PairResult& pair);
  // Rows for what the run planned and never reported, and the summary and
  // output folder the buttons open.
  void Finish(const RunResult& run, const QString& outputFolder);

  // The final status line: how many of each status and the counts summed;
  // empty before the first row.
  QString Totals() const;
  int RowCount() const { return static_cast<int>(rows_.size()); }
  const PairResult& Row(int row) const { return rows_[static_cast<std::size_t>(row)]; }
  // Its controls in Tab order: the filter and the buttons above the list, then the list.
  QList<QWidget*> TabChain() const;
  // Every text anew in the window's language.
  void SetLanguage(UiLanguage language);

 signals:
  // A page, the summary or the output folder to open.
  void openRequested(const QString& path);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void AddRow(const PairResult& pair);
  void ApplyFilter();
  void RetranslateRows();
  void OpenItem(QTreeWidgetItem* item);
  QStringList Headers() const;

  Kind kind_;
  UiLanguage language_ = UiLanguage::Japanese;
  Captions captions_;
  std::vector<PairResult> rows_;
  QString summaryPath_;
  QString outputFolder_;
  QTreeWidget* list_;
  QLabel* totals_;  // below the list, whole: the status line may be too narrow
  QCheckBox* changedOnly_;
  QPushButton* openSummary_;
  QPushButton* openFolder_;
};

}  // namespace tarnwick
