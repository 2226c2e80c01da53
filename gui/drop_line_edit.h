// A one-line text box that takes files dropped from the desktop: instead of
// inserting their URLs as text it reports the local paths in drop order.
// Other drops (plain text) behave as in any text box.
#pragma once

#include <QLineEdit>
#include <QStringList>

namespace tarnwick {

class DropLineEdit : public QLineEdit {
  Q_OBJECT

 public:
  explicit DropLineEdit(QWidget* parent = nullptr);

 signals:
  void filesDropped(const QStringList& paths);

 protected:
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;
};

}  // namespace tarnwick
