// frmAbout: the modal version box opened from the Help menu, titled
// "Tarnwick" + "のﾊﾞｰｼﾞｮﾝ情報", showing the title and "ﾊﾞｰｼﾞｮﾝ " with the
// project's major.minor.revision.
#pragma once

#include <QDialog>
#include <QString>

namespace tarnwick {

// "ﾊﾞｰｼﾞｮﾝ 1.0.0" for project version 1.0.0.
QString VersionText();

class frmAbout : public QDialog {
  Q_OBJECT

 public:
  explicit frmAbout(QWidget* parent = nullptr);
};

}  // namespace tarnwick
