// The game's pictures, decoded once from the embedded assets.
#pragma once

#include <QIcon>
#include <QPixmap>
#include <array>

#include "session/icon_ring.h"

namespace brindle::ui {

struct Pictures {
    QPixmap white;                  // unlit cell
    QPixmap yellow;                 // lit cell
    QPixmap cover;                  // Image9
    QPixmap segment;                // pro1 .. pro13
    std::array<QPixmap, 8> images;  // Image1 .. Image8: six frames, stopped, puzzle
    QIcon programIcon;

    const QPixmap& of(Picture p) const { return images[static_cast<std::size_t>(p)]; }

    // Needs the application object: pixmaps belong to the GUI.
    static Pictures load();
};

}  // namespace brindle::ui
