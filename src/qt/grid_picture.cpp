#include "qt/grid_picture.h"

#include <QImage>
#include <QPainter>
#include <QWidget>

#include "qt/geometry.h"

namespace brindle::qt {

view::Point clientIn(const QPainter& painter, const QWidget* w) {
    const QPointF at = painter.deviceTransform().map(QPointF(0, 0)) / w->devicePixelRatioF();
    return {qRound(at.x()) - w->x(), qRound(at.y()) - w->y()};
}

void fillDevice(QPainter& painter, const QWidget* w, const view::Box& box, const QColor& colour) {
    const view::Point client = clientIn(painter, w);
    painter.fillRect(
        logicalRect(box, w->devicePixelRatioF(), QPoint(client.x, client.y) + w->pos()), colour);
}

void paintGridPicture(QPainter& painter, const QWidget* w, const QPixmap& picture,
                      const view::GridDrawing& drawing) {
    if (drawing.asIs) {
        painter.drawPixmap(0, 0, picture);
        return;
    }
    const QImage image = picture.toImage();
    painter.fillRect(w->rect(), image.pixelColor(1, 1));
    for (const view::Box& line : drawing.lines)
        fillDevice(painter, w, line, image.pixelColor(0, 0));
}

}  // namespace brindle::qt
