#include "qt/picture_views.h"

#include <QImage>
#include <QPaintEvent>
#include <QPainter>

#include "qt/geometry.h"

namespace brindle::qt {

ClientView::ClientView(Scene scene, QWidget* parent) : QWidget(parent), scene_(std::move(scene)) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ClientView::redraw(const view::Changes& changes) {
    const qreal s = devicePixelRatioF();
    const QPoint at = mapTo(window(), QPoint());
    for (const view::Box& b : view::toRedraw(changes, s, {at.x(), at.y()}))
        update(logicalRect(b, s, at).toAlignedRect());
}

void ClientView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const qreal s = devicePixelRatioF();
    // Where this widget lies on the surface: the window's, or a grab's.
    const QPointF origin = painter.deviceTransform().map(QPointF(0, 0)) / s;
    const view::Point whole = view::wholePoint(origin.x(), origin.y());
    const QPoint at(whole.x, whole.y);
    const QRectF dirty = event->rect();
    for (const view::Paint& step : scene_(s, {at.x(), at.y()})) {
        const QRectF r = logicalRect(step.box, s, at);
        if (!r.intersects(dirty)) continue;
        if (step.art == layout::Art::None) {
            painter.fillRect(r, QColor::fromRgb(step.rgb));
            continue;
        }
        // Stretched already: drawn pixel for pixel.
        std::vector<std::uint32_t> rgb = view::stretched(step.art, step.box.width, step.box.height);
        for (std::uint32_t& p : rgb)
            p |= 0xff000000u;  // opaque, as the format wants
        const QImage image(reinterpret_cast<const uchar*>(rgb.data()), step.box.width,
                           step.box.height, step.box.width * 4, QImage::Format_RGB32);
        painter.drawImage(r, image);
    }
}

}  // namespace brindle::qt
