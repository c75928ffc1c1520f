#include "ui/clock_label.h"

#include <QPainter>

namespace brindle::ui {

void ClockLabel::paintEvent(QPaintEvent*) {
    auto it = laidOut_.find(text());
    if (it == laidOut_.end()) {
        // Seconds repeat every minute; minutes do not, so a long game must not fill it.
        if (laidOut_.size() >= 64) laidOut_.clear();
        QStaticText laid(text());
        laid.setTextFormat(Qt::PlainText);
        laid.prepare(QTransform(), font());
        it = laidOut_.insert(text(), laid);
    }
    const QSizeF size = it->size();
    const qreal x = alignment().testFlag(Qt::AlignRight) ? width() - size.width() : 0;
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawStaticText(QPointF(x, 0), *it);
}

}  // namespace brindle::ui
