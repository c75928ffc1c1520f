// Where a window first appears: centred on its screen, frame and title bar included,
// and never with its top-left corner off the screen's free area; and that it keeps its
// size.
#pragma once

class QWidget;

namespace brindle::qt {

// Places `window` before it is first shown, and once more as soon as the window
// manager has put a frame round it: only then is the frame's size known.
void centreOnScreen(QWidget* window);

// Keeps a window of fixed size at its size, whatever state it is asked for.
void keepFixedSize(QWidget* window);

}  // namespace brindle::qt
