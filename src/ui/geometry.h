// The layout is drawn in twips; 15 twips make one pixel at 96 dpi.
#pragma once

#include <QRect>

namespace brindle::ui {

constexpr int px(int twips) {
    return (twips + 7) / 15;
}

constexpr QRect twipRect(int left, int top, int width, int height) {
    return QRect(px(left), px(top), px(width), px(height));
}

}  // namespace brindle::ui
