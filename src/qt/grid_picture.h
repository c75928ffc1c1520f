// Draws the shared geometry's grid pictures (cells, cover) in a widget.
#pragma once

#include <QPixmap>

#include "view/geometry.h"

class QPainter;
class QWidget;

namespace brindle::qt {

// The client area's place in the window, which the shared geometry rounds from.
view::Point clientIn(const QWidget* w);

void paintGridPicture(QPainter& painter, const QWidget* w, const QPixmap& picture,
                      const view::GridDrawing& drawing);

}  // namespace brindle::qt
