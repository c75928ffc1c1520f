#include "ui/clock_label.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace brindle::ui {

void ClockLabel::setReach(int leftmost) {
    home_ = geometry();
    reach_ = leftmost;
}

const QStaticText& ClockLabel::laidOut(const QString& caption) {
    auto it = laidOut_.find(caption);
    if (it == laidOut_.end()) {
        // Seconds repeat every minute; minutes do not, so a long game must not fill it.
        if (laidOut_.size() >= 64) laidOut_.clear();
        QStaticText laid(caption);
        laid.setTextFormat(Qt::PlainText);
        laid.prepare(QTransform(), font());
        it = laidOut_.insert(caption, laid);
    }
    return *it;
}

void ClockLabel::setCaption(const QString& caption) {
    setText(caption);
    if (home_.isNull()) return;
    const int needed = int(std::ceil(laidOut(caption).size().width()));
    const int left = std::clamp(home_.right() + 1 - needed, reach_, home_.left());
    setGeometry(QRect(QPoint(left, home_.top()), home_.bottomRight()));
}

void ClockLabel::paintEvent(QPaintEvent*) {
    const QStaticText& text = laidOut(this->text());
    const qreal width = text.size().width();
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    if (width > this->width()) {
        // Narrower, right-aligned, never clipped.
        painter.scale(this->width() / width, 1);
        painter.drawStaticText(QPointF(0, 0), text);
        return;
    }
    const qreal x = alignment().testFlag(Qt::AlignRight) ? this->width() - width : 0;
    painter.drawStaticText(QPointF(x, 0), text);
}

}  // namespace brindle::ui
