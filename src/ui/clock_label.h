// A caption of the game clock. It changes every second, so it keeps the laid-out text
// of each caption it has shown instead of shaping the digits anew at every repaint.
//
// The minutes caption is laid out for two digits. A longer one grows to the left, as
// far as the free part of the status strip allows, and is drawn narrower if it must,
// so that a long game still reads its whole time.
#pragma once

#include <QHash>
#include <QLabel>
#include <QStaticText>

namespace brindle::ui {

class ClockLabel : public QLabel {
    Q_OBJECT
  public:
    using QLabel::QLabel;

    // How far left, in the parent's pixels, a right-aligned caption may grow from the
    // box it has now, which is the one it returns to.
    void setReach(int leftmost);
    void setCaption(const QString& caption);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    const QStaticText& laidOut(const QString& caption);

    QHash<QString, QStaticText> laidOut_;  // the captions seen lately, at most 64
    QRect home_;                           // the box the layout gives
    int reach_ = 0;
};

}  // namespace brindle::ui
