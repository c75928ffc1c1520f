#include "ui/picture_views.h"

#include "layout/layout.h"
#include "ui/grid_picture.h"

#include <qdrawutil.h>
#include <QPaintEvent>
#include <QPainter>

namespace brindle::ui {

namespace {
constexpr int kFrame = layout::kIconFrame;
}

IconBox::IconBox(QWidget* parent) : QWidget(parent) {
    // Paints every pixel itself, so nothing beneath is repainted when the frame turns.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void IconBox::setPicture(const QPixmap& picture) {
    picture_ = picture;
    // Five times a second while a game runs: only the picture, never the frame.
    update(rect().adjusted(kFrame, kFrame, -kFrame, -kFrame));
}

void IconBox::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QRect inside = rect().adjusted(kFrame, kFrame, -kFrame, -kFrame);
    if (!inside.contains(event->rect())) qDrawWinPanel(&painter, rect(), palette(), true);
    painter.fillRect(inside, palette().window());
    painter.drawPixmap(inside.topLeft(), picture_);
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
    static constexpr layout::GridLines kLines = layout::gridLines();
    paintGridPicture(painter, picture_, kLines.columns, kLines.rows);
}

}  // namespace brindle::ui
