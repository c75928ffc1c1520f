// What assistive tools (screen readers) see of the main window: each cell a toggle
// with a press action, the bar a progress indicator, the clock a clock.
#pragma once

#include <QLabel>

namespace brindle::qt {

// The framed panel behind the progress segments; it tells assistive tools how many
// of the thirteen segments are shown.
class ProgressPanel : public QLabel {
    Q_OBJECT
  public:
    using QLabel::QLabel;
    void setSegments(int segments);
    int segments() const { return segments_; }

  private:
    int segments_ = 0;
};

// The framed panel behind the clock's captions; assistive tools read the time from it
// under a name that stays the same.
class ClockPanel : public QLabel {
    Q_OBJECT
  public:
    using QLabel::QLabel;
    void setTime(const QString& time);
    const QString& time() const { return time_; }

  private:
    QString time_;
};

// Registers the interfaces above with Qt; once per application.
void installAccessibility();

}  // namespace brindle::qt
