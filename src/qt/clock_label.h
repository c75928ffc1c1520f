// A caption of the game clock. It changes every second, so it keeps the laid-out text
// of each caption it has shown instead of shaping the digits anew at every repaint. A
// caption wider than its box is drawn narrower, so that a long game reads its whole
// time inside the clock's frame.
#pragma once

#include <QHash>
#include <QLabel>
#include <QStaticText>

namespace brindle::qt {

class ClockLabel : public QLabel {
    Q_OBJECT
  public:
    using QLabel::QLabel;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    const QStaticText& laidOut(const QString& caption);

    QHash<QString, QStaticText> laidOut_;  // the captions seen lately, at most 64
};

}  // namespace brindle::qt
