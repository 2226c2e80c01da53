// A one-line label that shows a long text with its middle left out ("…"),
// so that both ends of a path stay readable however narrow it is; the
// tooltip holds it whole.
#pragma once

#include <QLabel>
#include <QPainter>
#include <QString>

namespace tarnwick {

class ElidedLabel : public QLabel {
 public:
  using QLabel::QLabel;

  void SetFullText(const QString& text) {
    setText(text);
    setToolTip(text);
  }
  QSize minimumSizeHint() const override { return {40, QLabel::minimumSizeHint().height()}; }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    const QRect area = contentsRect();
    painter.drawText(area, Qt::AlignLeft | Qt::AlignVCenter,
                     fontMetrics().elidedText(text(), Qt::ElideMiddle, area.width()));
  }
};

}  // namespace tarnwick
