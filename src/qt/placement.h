// Where a window first appears: centred on its screen, frame and title bar included,
// and never with its top-left corner off the screen's free area.
#pragma once

class QWidget;

namespace brindle::qt {

// Places `window` before it is first shown, and once more as soon as the window
// manager has put a frame round it: only then is the frame's size known.
void centreOnScreen(QWidget* window);

}  // namespace brindle::qt
