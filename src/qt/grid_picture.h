// Draws the shared geometry's grid pictures (cells, cover) in a widget.
#pragma once

#include <QPixmap>

#include "view/geometry.h"

class QPainter;
class QWidget;

namespace brindle::qt {

// Where the client area lies on the surface `painter` paints `w` on (the window's, or
// a grab's), in layout pixels: the shared geometry rounds from there.
view::Point clientIn(const QPainter& painter, const QWidget* w);

// Draws the picture of `w`, a child of the client area, as `drawing` says.
void paintGridPicture(QPainter& painter, const QWidget* w, const QPixmap& picture,
                      const view::GridDrawing& drawing);
// A box of the surface's device pixels, filled from `w`'s painter.
void fillDevice(QPainter& painter, const QWidget* w, const view::Box& box, const QColor& colour);

}  // namespace brindle::qt
