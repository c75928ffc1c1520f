#include "ui/cell_view.h"

#include "layout/layout.h"
#include "ui/grid_picture.h"

#include <QAccessible>
#include <QPainter>

namespace brindle::ui {

CellView::CellView(Pos pos, const QPixmap& picture, QWidget* parent)
    : QWidget(parent), pos_(pos), picture_(picture) {
    // The picture covers the whole cell, so nothing underneath needs drawing.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void CellView::setPicture(const QPixmap& picture, bool lit) {
    picture_ = picture;
    update();
    if (lit != lit_) {
        lit_ = lit;
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
    if (marked) {
        QAccessibleEvent event(this, QAccessible::Focus);
        QAccessible::updateAccessibility(&event);
    }
}

void CellView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paintGridPicture(painter, picture_, layout::kCellLines, layout::kCellLines);
    if (marked_) {
        // Inside the cell's visible part (it lies 2 pixels under its right and lower
        // neighbours), clear of the grid lines.
        const int overlap = layout::pixels(layout::kCellSize - layout::kCellPitch);
        const int in = layout::kMarkerInset;
        painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
        painter.drawRect(rect().adjusted(in, in, -in - overlap - 1, -in - overlap - 1));
    }
}

}  // namespace brindle::ui
