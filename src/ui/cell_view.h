// One lamp cell on the main window. It shows a picture; the mouse plays it through the
// board, which decides the overlap strips, and an assistive tool through `clicked`.
#pragma once

#include <QPixmap>
#include <QWidget>

#include "board/board.h"

namespace brindle::ui {

class CellView : public QWidget {
    Q_OBJECT
  public:
    CellView(Pos pos, const QPixmap& picture, QWidget* parent);

    Pos pos() const { return pos_; }
    // What the cell shows; `lit` tells assistive tools which of the two pictures it is.
    void setPicture(const QPixmap& picture, bool lit);
    bool isLit() const { return lit_; }
    // The keyboard's focus marker.
    void setMarked(bool marked);
    bool isMarked() const { return marked_; }

  signals:
    // An assistive tool's press action.
    void clicked();

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    Pos pos_;
    QPixmap picture_;
    bool lit_ = false;
    bool marked_ = false;
};

}  // namespace brindle::ui
