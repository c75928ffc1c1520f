// A caption of the game clock. It changes every second, so it keeps the laid-out text
// of each caption it has shown instead of shaping the digits anew at every repaint.
#pragma once

#include <QHash>
#include <QLabel>
#include <QStaticText>

namespace brindle::ui {

class ClockLabel : public QLabel {
    Q_OBJECT
  public:
    using QLabel::QLabel;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QHash<QString, QStaticText> laidOut_;  // the captions seen lately, at most 64
};

}  // namespace brindle::ui
