#include "gui/about_box.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QStyle>
#include <QVBoxLayout>

namespace tarnwick {

QString VersionText() {
  return frmAbout::tr("ﾊﾞｰｼﾞｮﾝ %1.%2.%3")
      .arg(TARNWICK_VERSION_MAJOR)
      .arg(TARNWICK_VERSION_MINOR)
      .arg(TARNWICK_VERSION_PATCH);
}

frmAbout::frmAbout(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmAbout"));
  setWindowTitle(tr("%1のﾊﾞｰｼﾞｮﾝ情報").arg(QStringLiteral("Tarnwick")));
  setModal(true);

  auto* icon = new QLabel(this);
  const int size = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
  icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(size, size));
  icon->setAlignment(Qt::AlignTop);

  auto* title = new QLabel(QStringLiteral("Tarnwick"), this);
  title->setObjectName(QStringLiteral("lblTitle"));
  QFont big = title->font();
  big.setPointSizeF(big.pointSizeF() * 1.5);
  big.setBold(true);
  title->setFont(big);
  title->setMinimumWidth(title->fontMetrics().horizontalAdvance(QStringLiteral("Tarnwick")) * 2);

  auto* version = new QLabel(VersionText(), this);
  version->setObjectName(QStringLiteral("lblVersion"));

  auto* texts = new QVBoxLayout;
  texts->addWidget(title);
  texts->addWidget(version);
  texts->addStretch(1);

  auto* body = new QHBoxLayout;
  body->addWidget(icon);
  body->addSpacing(12);
  body->addLayout(texts, 1);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(18, 18, 18, 12);
  layout->addLayout(body);
  layout->addSpacing(12);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace tarnwick
