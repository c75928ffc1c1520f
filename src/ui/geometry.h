// The layout's twips as the pixels Qt places widgets by.
#pragma once

#include <QRect>

#include "layout/layout.h"

namespace brindle::ui {

constexpr QRect pixelRect(const layout::Rect& r) {
    using layout::pixels;
    return QRect(pixels(r.left), pixels(r.top), pixels(r.width), pixels(r.height));
}

}  // namespace brindle::ui
