// The shared pictures by what the layout and the game call them.
#pragma once

#include "layout/layout.h"
#include "pictures/pixels.h"
#include "session/icon_ring.h"

namespace brindle::web {

const pictures::PixelData& pictureOf(layout::Art art);

// The icon's picture Picture1 shows: Image1 .. Image8.
constexpr layout::Art artOf(Picture p) {
    return layout::artOf(static_cast<int>(p) + 1);
}

}  // namespace brindle::web
