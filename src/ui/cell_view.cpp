#include "ui/cell_view.h"

#include <QMouseEvent>
#include <QPainter>

namespace brindle::ui {

CellView::CellView(Pos pos, const QPixmap& picture, QWidget* parent)
    : QWidget(parent), pos_(pos), picture_(picture) {
    setObjectName(QStringLiteral("rc_%1_%2").arg(pos.row).arg(pos.col));
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

void CellView::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton;
    event->accept();
}

void CellView::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = pressed_ && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    pressed_ = false;
    event->accept();
    if (click) emit clicked();
}

}  // namespace brindle::ui
