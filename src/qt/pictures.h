// The game's pictures as Qt shows them.
#pragma once

#include <QIcon>
#include <QPixmap>

#include "layout/layout.h"

namespace brindle::qt {

// A picture of the layout's, pixel for pixel. Needs the application object: pixmaps
// belong to the GUI.
QPixmap pixmapOf(layout::Art art);
// The program's icon at every size it comes in.
QIcon programIcon();

}  // namespace brindle::qt
