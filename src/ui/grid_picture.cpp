#include "ui/grid_picture.h"

#include <QImage>
#include <QPainter>
#include <cmath>

namespace brindle::ui {

void paintGridPicture(QPainter& painter, const QPixmap& picture, std::span<const int> columns,
                      std::span<const int> rows) {
    const qreal scale = painter.device()->devicePixelRatioF();
    if (scale == std::floor(scale)) {
        painter.drawPixmap(0, 0, picture);
        return;
    }
    const QImage image = picture.toImage();
    const QColor line = image.pixelColor(columns.front(), rows.front());
    const QColor fill = image.pixelColor(columns.front() + 1, rows.front() + 1);
    const qreal width = picture.width(), height = picture.height();
    // A whole number of device pixels, placed at any fraction, always covers exactly that
    // many device pixels.
    const qreal thickness = std::max(1.0, std::floor(scale)) / scale;
    painter.fillRect(QRectF(0, 0, width, height), fill);
    for (int x : columns)
        painter.fillRect(QRectF(x, 0, thickness, height), line);
    for (int y : rows)
        painter.fillRect(QRectF(0, y, width, thickness), line);
}

}  // namespace brindle::ui
