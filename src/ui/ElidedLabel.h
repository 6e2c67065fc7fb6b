#pragma once
#include <QLabel>

namespace zephrix {

// A one-line label that keeps its whole text but draws a text too long for
// it with the middle left out, so both ends of a long path stay readable.
class ElidedLabel : public QLabel {
    Q_OBJECT
  public:
    using QLabel::QLabel;

  protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace zephrix
