// The window's one-line text boxes. Every box keeps its text on one line:
// line breaks that arrive by typing, pasting, dropping or setText are
// removed, so none can reach the settings file. A box takes text of any
// length (a settings value is never cut). A plain box ignores files
// dragged from the desktop; a drop target (DropLineEdit) takes them and
// reports their local paths in drop order instead of inserting URLs as text.
// Other drops (plain text) behave as in any text box.
#pragma once

#include <QLineEdit>
#include <vector>

#include "files/file_io.h"

namespace tarnwick {

class OneLineEdit : public QLineEdit {
  Q_OBJECT

 public:
  explicit OneLineEdit(QWidget* parent = nullptr);

 protected:
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void StripLineBreaks();
};

class DropLineEdit : public OneLineEdit {
  Q_OBJECT

 public:
  explicit DropLineEdit(QWidget* parent = nullptr);

 signals:
  void filesDropped(const std::vector<tarnwick::FilePath>& paths);

 protected:
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;
};

}  // namespace tarnwick
