#include "ui/icon_box.h"

#include <qdrawutil.h>
#include <QPaintEvent>
#include <QPainter>

namespace brindle::ui {

namespace {
constexpr int kFrame = 2;  // the 16 x 16 pictures fit exactly inside the frame
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

}  // namespace brindle::ui
