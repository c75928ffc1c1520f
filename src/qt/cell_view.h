// One lamp cell on the main window. It shows a picture; the mouse plays it through the
// board, which decides the overlap strips, and an assistive tool through `clicked`.
#pragma once

#include <QPixmap>
#include <QWidget>

#include "board/board.h"

namespace brindle::qt {

class CellView : public QWidget {
    Q_OBJECT
  public:
    CellView(Pos pos, const QPixmap& picture, QWidget* parent);

    Pos pos() const { return pos_; }
    // What the cell shows, and whether assistive tools read it as pressed.
    void setPicture(const QPixmap& picture, bool pressed);
    bool isPressed() const { return pressed_; }
    // The keyboard's focus marker.
    void setMarked(bool marked);
    bool isMarked() const { return marked_; }
    // Tells assistive tools that the marker is here now.
    void announceFocus();

  signals:
    // An assistive tool's press action.
    void clicked();

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    Pos pos_;
    QPixmap picture_;
    bool pressed_ = false;
    bool marked_ = false;
};

}  // namespace brindle::qt
