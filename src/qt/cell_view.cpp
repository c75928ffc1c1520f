#include "qt/cell_view.h"

#include <QAccessible>
#include <QPainter>

#include "qt/grid_picture.h"

namespace brindle::qt {

CellView::CellView(Pos pos, const QPixmap& picture, QWidget* parent)
    : QWidget(parent), pos_(pos), picture_(picture) {
    // The picture covers the whole cell, so nothing underneath needs drawing.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void CellView::setPicture(const QPixmap& picture, bool pressed) {
    if (picture.cacheKey() != picture_.cacheKey()) {
        picture_ = picture;
        update();
    }
    if (pressed != pressed_) {
        pressed_ = pressed;
        QAccessible::State changed;
        changed.checked = true;
        QAccessibleStateChangeEvent event(this, changed);
        QAccessible::updateAccessibility(&event);
    }
}

void CellView::setMarked(bool marked) {
    if (marked == marked_) return;
    marked_ = marked;
    update();
}

void CellView::announceFocus() {
    QAccessibleEvent event(this, QAccessible::Focus);
    QAccessible::updateAccessibility(&event);
}

void CellView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const qreal scale = devicePixelRatioF();
    const view::Point client = clientIn(painter, this);
    paintGridPicture(painter, this, picture_, view::cellDrawing(pos_, scale, client));
    if (!marked_) return;
    for (const view::Box& dot : view::markerDots(pos_, scale, client))
        fillDevice(painter, this, dot, Qt::black);
}

}  // namespace brindle::qt
