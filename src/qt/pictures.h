// The game's pictures, ready to paint.
#pragma once

#include <QIcon>
#include <QPixmap>
#include <array>

#include "layout/layout.h"
#include "session/icon_ring.h"

namespace brindle::qt {

struct Pictures {
    QPixmap white;                  // unlit cell
    QPixmap yellow;                 // lit cell
    QPixmap segment;                // pro1 .. pro13
    std::array<QPixmap, 8> images;  // Image1 .. Image8: six frames, stopped, puzzle
    QIcon programIcon;

    const QPixmap& of(Picture p) const { return images[static_cast<std::size_t>(p)]; }
    // The picture a control of the layout shows.
    QPixmap of(layout::Art art) const;
    // Image9, the board cover. Made on first use: a game may never be stopped.
    const QPixmap& cover() const;

    // Needs the application object: pixmaps belong to the GUI.
    static Pictures load();

  private:
    mutable QPixmap cover_;
};

}  // namespace brindle::qt
