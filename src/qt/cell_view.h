// One lamp cell on the main window, for its name and for assistive tools: the client
// area draws it, the mouse plays it through the board, which decides the overlap
// strips, and an assistive tool through `clicked`.
#pragma once

#include <QWidget>

#include "board/board.h"

namespace brindle::qt {

class CellView : public QWidget {
    Q_OBJECT
  public:
    CellView(Pos pos, QWidget* parent);

    Pos pos() const { return pos_; }
    // Whether assistive tools read it as pressed, and whether the marker is on it.
    void setState(bool pressed, bool marked);
    bool isPressed() const { return pressed_; }
    bool isMarked() const { return marked_; }
    // Tells assistive tools that the marker is here now.
    void announceFocus();

  signals:
    // An assistive tool's press action.
    void clicked();

  private:
    Pos pos_;
    bool pressed_ = false;
    bool marked_ = false;
};

}  // namespace brindle::qt
