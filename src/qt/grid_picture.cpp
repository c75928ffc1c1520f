#include "qt/grid_picture.h"

#include <QImage>
#include <QPainter>
#include <QWidget>

#include "qt/geometry.h"

namespace brindle::qt {

view::Point clientIn(const QWidget* w) {
    const QPoint at = w->parentWidget()->mapTo(w->window(), QPoint());
    return {at.x(), at.y()};
}

void paintGridPicture(QPainter& painter, const QWidget* w, const QPixmap& picture,
                      const view::GridDrawing& drawing) {
    if (drawing.asIs) {
        painter.drawPixmap(0, 0, picture);
        return;
    }
    const QImage image = picture.toImage();
    const qreal scale = w->devicePixelRatioF();
    const QPoint at = w->mapTo(w->window(), QPoint());
    painter.fillRect(w->rect(), image.pixelColor(1, 1));
    for (const view::Box& line : drawing.lines)
        painter.fillRect(logicalRect(line, scale, at), image.pixelColor(0, 0));
}

}  // namespace brindle::qt
