#include "qt/picture_views.h"

#include <qdrawutil.h>
#include <QPaintEvent>
#include <QPainter>

#include "qt/geometry.h"
#include "qt/grid_picture.h"

namespace brindle::qt {

IconBox::IconBox(QWidget* parent) : QWidget(parent) {
    // Paints every pixel itself, so nothing beneath is repainted when the frame turns.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QRect IconBox::inside() const {
    // In layout pixels: Qt scales them itself.
    return qtRect(view::iconPicture(1));
}

void IconBox::setPicture(const QPixmap& picture) {
    picture_ = picture;
    // Five times a second while a game runs: only the picture, never the frame.
    update(inside());
}

void IconBox::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    if (!inside().contains(event->rect())) qDrawWinPanel(&painter, rect(), palette(), true);
    painter.fillRect(inside(), palette().window());
    painter.drawPixmap(inside().topLeft(), picture_);
}

CoverView::CoverView(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CoverView::setPicture(const QPixmap& picture) {
    picture_ = picture;
    update();
}

void CoverView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paintGridPicture(painter, this, picture_,
                     view::coverDrawing(devicePixelRatioF(), clientIn(painter, this)));
}

}  // namespace brindle::qt
