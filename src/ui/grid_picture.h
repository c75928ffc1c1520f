// The cells and the board cover are one colour crossed by one-pixel lines. At a
// fractional screen scale a plain scaled copy would draw some lines one device pixel
// wide and others two; these are drawn so that every line is equally wide, and no
// colour is ever blended.
#pragma once

#include <QPixmap>
#include <span>

class QPainter;

namespace brindle::ui {

// Draws `picture` at the painter's origin. At whole-number scales that is the picture
// itself, pixel for pixel; otherwise it is redrawn from its two colours.
void paintGridPicture(QPainter& painter, const QPixmap& picture, std::span<const int> columns,
                      std::span<const int> rows);

}  // namespace brindle::ui
