#include "gui/result_list.h"

#include <QCheckBox>
#include <QEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <array>
#include <cstdint>
#include <map>
#include <string_view>

#include "diff/file_status.h"
#include "gui/qt_text.h"
#include "messages/page_words.h"

namespace tarnwick {
namespace {

constexpr int kRowRole = Qt::UserRole;         // the row's index in rows_
constexpr int kNumberRole = Qt::UserRole + 1;  // a count column's number

// Count columns sort by number, the others by text.
class ResultItem : public QTreeWidgetItem {
 public:
  using QTreeWidgetItem::QTreeWidgetItem;
  bool operator<(const QTreeWidgetItem& other) const override {
    const int column = treeWidget() ? treeWidget()->sortColumn() : 0;
    const QVariant mine = data(column, kNumberRole);
    const QVariant theirs = other.data(column, kNumberRole);
    if (mine.isValid() || theirs.isValid()) {
      return mine.toLongLong() < theirs.toLongLong();
    }
    return QTreeWidgetItem::operator<(other);
  }
};

// The counts a row shows: none for a pair not compared.
bool HasCounts(FileStatus status) {
  return status != FileStatus::Unprocessed && !IsSetAside(status);
}

std::vector<std::int64_t> CountsOf(ResultList::Kind kind, const PairResult& pair) {
  if (kind == ResultList::Kind::Search) return {pair.hits.properties, pair.hits.lines};
  const ChangeCounts& c = pair.counts;
  return {c.objectsAdded, c.objectsRemoved, c.objectsChanged, c.linesAdded, c.linesRemoved};
}

// "Changed only" hides these.
bool IsUnchanged(FileStatus status) {
  return status == FileStatus::Same || status == FileStatus::NoMatch;
}

}  // namespace

ResultList::ResultList(Kind kind, const QString& name, QWidget* parent)
    : QWidget(parent), kind_(kind), captions_(staticMetaObject.className()) {
  setObjectName(name);
  list_ = new QTreeWidget(this);
  list_->setObjectName(name + QStringLiteral("Rows"));
  list_->setRootIsDecorated(false);
  list_->setUniformRowHeights(true);
  list_->setAllColumnsShowFocus(true);
  list_->setSortingEnabled(true);
  list_->sortByColumn(-1, Qt::AscendingOrder);  // run order until a header is clicked
  list_->header()->setSectionsClickable(true);
  list_->header()->setStretchLastSection(true);
  list_->installEventFilter(this);
  connect(list_, &QTreeWidget::itemDoubleClicked, this,
          [this](QTreeWidgetItem* item) { OpenItem(item); });

  changedOnly_ = new QCheckBox(this);
  changedOnly_->setObjectName(name + QStringLiteral("ChangedOnly"));
  if (kind == Kind::Search) {
    captions_.Text(changedOnly_, QT_TR_NOOP("該当したもののみ表示(&T)"));
  } else {
    captions_.Text(changedOnly_, QT_TR_NOOP("差異のあるもののみ表示(&T)"));
  }
  connect(changedOnly_, &QCheckBox::toggled, this, &ResultList::ApplyFilter);
  // Mnemonics free on the page the list is on.
  const bool search = kind == Kind::Search;
  openSummary_ = captions_.Text(new QPushButton(this), search ? QT_TR_NOOP("サマリーを開く(&P)")
                                                              : QT_TR_NOOP("サマリーを開く(&M)"));
  openSummary_->setObjectName(name + QStringLiteral("OpenSummary"));
  openSummary_->setAutoDefault(false);
  openFolder_ =
      captions_.Text(new QPushButton(this), search ? QT_TR_NOOP("出力先フォルダを開く(&W)")
                                                   : QT_TR_NOOP("出力先フォルダを開く(&G)"));
  openFolder_->setObjectName(name + QStringLiteral("OpenFolder"));
  openFolder_->setAutoDefault(false);
  connect(openSummary_, &QPushButton::clicked, this, [this] { emit openRequested(summaryPath_); });
  connect(openFolder_, &QPushButton::clicked, this, [this] { emit openRequested(outputFolder_); });

  auto* top = new QHBoxLayout;
  top->addStretch(1);
  top->addWidget(changedOnly_);
  top->addWidget(openSummary_);
  top->addWidget(openFolder_);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addLayout(top);
  layout->addWidget(list_, 1);
  totals_ = new QLabel(this);
  totals_->setObjectName(name + QStringLiteral("Totals"));
  totals_->setWordWrap(true);
  totals_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  layout->addWidget(totals_);
  // An object comparison has one page and no summary.
  changedOnly_->setVisible(kind != Kind::ObjectComparison);
  openSummary_->setVisible(kind != Kind::ObjectComparison);
  // One page: room for its row under the header, no more.
  if (kind == Kind::ObjectComparison) {
    list_->setFixedHeight(list_->header()->sizeHint().height() + fontMetrics().height() * 2 +
                          2 * list_->frameWidth() +
                          style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 8);
  }
  captions_.Add([this] { list_->setHeaderLabels(Headers()); });
  Clear();
}

QStringList ResultList::Headers() const {
  if (kind_ == Kind::Search) {
    return {tr("ファイル名"), tr("結果"), tr("該当プロパティ"), tr("該当行"), tr("メッセージ")};
  }
  return {kind_ == Kind::ObjectComparison ? tr("オブジェクト") : tr("ファイル名"),
          tr("結果"),
          tr("オブジェクト追加"),
          tr("オブジェクト削除"),
          tr("オブジェクト変更"),
          tr("行追加"),
          tr("行削除"),
          tr("メッセージ")};
}

void ResultList::Clear() {
  rows_.clear();
  totals_->clear();
  list_->clear();
  summaryPath_.clear();
  outputFolder_.clear();
  openSummary_->setEnabled(false);
  openFolder_->setEnabled(false);
}

void ResultList::Add(const PairResult& pair) {
  rows_.push_back(pair);
  AddRow(pair);
}

void ResultList::AddRow(const PairResult& pair) {
  auto* item = new ResultItem;
  item->setData(kName, kRowRole, static_cast<int>(rows_.size() - 1));
  item->setText(kName, ToQString(pair.name));
  const std::vector<std::int64_t> counts = CountsOf(kind_, pair);
  if (HasCounts(pair.status)) {
    for (std::size_t i = 0; i < counts.size(); ++i) {
      const int column = kFirstCount + static_cast<int>(i);
      item->setData(column, kNumberRole, static_cast<qlonglong>(counts[i]));
      item->setText(column, QString::number(counts[i]));
      item->setTextAlignment(column, Qt::AlignRight | Qt::AlignVCenter);
    }
  }
  const int message = kFirstCount + static_cast<int>(counts.size());
  item->setText(message, ToQString(pair.failure));
  QString where = ToQString(pair.path1);
  if (!pair.path2.empty())
    where += (where.isEmpty() ? QString() : QStringLiteral("\n")) + ToQString(pair.path2);
  if (!pair.failure.empty()) where += QStringLiteral("\n") + ToQString(pair.failure);
  item->setToolTip(kName, where);
  QFont font = item->font(kStatus);
  font.setBold(pair.status == FileStatus::Different || pair.status == FileStatus::Match ||
               !pair.failure.empty());
  item->setFont(kStatus, font);
  list_->addTopLevelItem(item);
  item->setHidden(changedOnly_->isChecked() && IsUnchanged(pair.status));
  item->setText(kStatus, ToQString(StatusText(pair.status, PageWordsFor(language_))));
  if (list_->topLevelItemCount() == 1) list_->setCurrentItem(item);
}

void ResultList::Finish(const RunResult& run, const QString& outputFolder) {
  // The record lists every planned pair in run order, then the reports set
  // aside; what it holds beyond the rows reported so far gets rows of its
  // own. A pair is known by its reports (an object comparison's record has
  // no name).
  std::map<std::u16string, int> reported;
  const auto key = [](std::u16string_view path1, std::u16string_view path2) {
    std::u16string text(path1);
    text.append(1, u'\0').append(path2);
    return text;
  };
  for (const PairResult& row : rows_) ++reported[key(row.path1, row.path2)];
  for (const RunItem& item : run.items) {
    if (int& left = reported[key(item.path1, item.path2)]; left > 0) {
      --left;
      continue;
    }
    PairResult pair;
    pair.name = item.name;
    pair.path1 = item.path1;
    pair.path2 = item.path2;
    pair.status = item.status;
    pair.counts = item.counts;
    pair.hits = item.hits;
    // A page exists only for what was done.
    if (HasCounts(item.status)) pair.page = item.page;
    Add(pair);
  }
  summaryPath_ = ToQString(run.summaryPath);
  outputFolder_ = run.items.empty() && run.summaryPath.empty() ? QString() : outputFolder;
  openSummary_->setEnabled(!summaryPath_.isEmpty() && QFileInfo::exists(summaryPath_));
  openFolder_->setEnabled(!outputFolder_.isEmpty() && QFileInfo(outputFolder_).isDir());
  for (int c = 0; c < list_->columnCount() - 1; ++c) list_->resizeColumnToContents(c);
  totals_->setText(Totals());
}

QString ResultList::Totals() const {
  if (rows_.empty()) return {};
  std::array<int, 16> by{};
  ChangeCounts counts;
  SearchCounts hits;
  int failed = 0;
  for (const PairResult& row : rows_) {
    const auto status = static_cast<std::size_t>(row.status);
    if (status < by.size()) ++by[status];
    counts += row.counts;
    hits.properties += row.hits.properties;
    hits.lines += row.hits.lines;
    failed += row.failure.empty() ? 0 : 1;
  }
  const PageWords& words = PageWordsFor(language_);
  QStringList tally;
  // What was found first, what was not done last.
  using enum FileStatus;
  for (const FileStatus status : {Different, Same, OnlyIn1, OnlyIn2, Match, NoMatch, SetAside1,
                                  SetAside2, SetAside, Unprocessed}) {
    const int n = by[static_cast<std::size_t>(status)];
    if (n == 0) continue;
    tally << ToQString(StatusText(status, words)) + QLatin1Char(' ') + QString::number(n);
  }
  const int total = static_cast<int>(rows_.size());
  QString text = (kind_ == Kind::Search ? tr("%1件").arg(total) : tr("%1組").arg(total)) +
                 tr("：") + tally.join(tr("、"));
  if (kind_ == Kind::Search) {
    text += tr("｜該当 プロパティ %1・行 %2").arg(hits.properties).arg(hits.lines);
  } else {
    text += tr("｜オブジェクト 追加 %1・削除 %2・変更 %3")
                .arg(counts.objectsAdded)
                .arg(counts.objectsRemoved)
                .arg(counts.objectsChanged);
    text += tr("｜行 追加 %1・削除 %2").arg(counts.linesAdded).arg(counts.linesRemoved);
  }
  if (failed > 0) text += tr("｜エラー %1").arg(failed);
  return text;
}

QList<QWidget*> ResultList::TabChain() const {
  return {changedOnly_, openSummary_, openFolder_, list_};
}

void ResultList::SetLanguage(UiLanguage language) {
  language_ = language;
  captions_.Retranslate();
  RetranslateRows();
  if (!totals_->text().isEmpty()) totals_->setText(Totals());
}

void ResultList::RetranslateRows() {
  const PageWords& words = PageWordsFor(language_);
  for (int i = 0; i < list_->topLevelItemCount(); ++i) {
    QTreeWidgetItem* item = list_->topLevelItem(i);
    const PairResult& pair = rows_[static_cast<std::size_t>(item->data(kName, kRowRole).toInt())];
    item->setText(kStatus, ToQString(StatusText(pair.status, words)));
  }
}

void ResultList::ApplyFilter() {
  const bool changedOnly = changedOnly_->isChecked();
  for (int i = 0; i < list_->topLevelItemCount(); ++i) {
    QTreeWidgetItem* item = list_->topLevelItem(i);
    const PairResult& pair = rows_[static_cast<std::size_t>(item->data(kName, kRowRole).toInt())];
    item->setHidden(changedOnly && IsUnchanged(pair.status));
  }
}

void ResultList::OpenItem(QTreeWidgetItem* item) {
  if (item == nullptr) return;
  const PairResult& pair = rows_[static_cast<std::size_t>(item->data(kName, kRowRole).toInt())];
  if (!pair.page.empty()) emit openRequested(ToQString(pair.page));
}

bool ResultList::eventFilter(QObject* watched, QEvent* event) {
  if (watched == list_ && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      OpenItem(list_->currentItem());
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace tarnwick
