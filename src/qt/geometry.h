// The shared geometry's boxes as the rectangles Qt places and paints by.
#pragma once

#include <QRect>
#include <QRectF>

#include "view/geometry.h"

namespace brindle::qt {

inline QRect qtRect(const view::Box& b) {
    return {b.left, b.top, b.width, b.height};
}
inline QRect pixelRect(const layout::Rect& r) {
    return qtRect(view::pixelBox(r));
}
inline QRect pixelRect(const layout::Control& c) {
    return qtRect(view::pixelBox(c));
}
// A box of device pixels of the window, in the logical coordinates of a widget at
// `widget` (its place in the window): painting it there covers exactly those pixels.
inline QRectF logicalRect(const view::Box& device, qreal scale, QPoint widget) {
    return {device.left / scale - widget.x(), device.top / scale - widget.y(), device.width / scale,
            device.height / scale};
}

}  // namespace brindle::qt
