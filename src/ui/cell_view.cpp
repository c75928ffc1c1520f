#include "ui/cell_view.h"

#include <QPainter>

namespace brindle::ui {

CellView::CellView(Pos pos, const QPixmap& picture, QWidget* parent)
    : QAbstractButton(parent), pos_(pos), picture_(picture) {
    setObjectName(QStringLiteral("rc_%1_%2").arg(pos.row).arg(pos.col));
    setFocusPolicy(Qt::NoFocus);
    // The picture covers the whole cell, so nothing underneath needs drawing.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CellView::setPicture(const QPixmap& picture) {
    picture_ = picture;
    update();
}

void CellView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawPixmap(0, 0, picture_);
}

}  // namespace brindle::ui
