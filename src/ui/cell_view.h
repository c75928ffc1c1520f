// One lamp cell on the main window: shows a picture and reports clicks.
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
    // A left press and release inside the cell, or an assistive tool's press action.
    void clicked();
    // Any mouse press on the cell, which ends keyboard play.
    void mousePressed();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    Pos pos_;
    QPixmap picture_;
    bool lit_ = false;
    bool marked_ = false;
    bool pressed_ = false;
};

}  // namespace brindle::ui
