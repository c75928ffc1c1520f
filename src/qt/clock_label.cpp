#include "qt/clock_label.h"

#include <QPainter>

#include "view/geometry.h"

namespace brindle::qt {

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

void ClockLabel::paintEvent(QPaintEvent*) {
    const QStaticText& text = laidOut(this->text());
    const qreal needed = text.size().width();
    const double narrower = view::narrowing(needed, width());
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.scale(narrower, 1);
    const qreal room = width() / narrower;
    const qreal x = alignment().testFlag(Qt::AlignRight) ? room - needed : 0;
    painter.drawStaticText(QPointF(std::max<qreal>(0, x), 0), text);
}

}  // namespace brindle::qt
