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
    void setPicture(const QPixmap& picture);
    const QPixmap& picture() const { return picture_; }

  signals:
    // A left press and release inside the cell. Pressing alone changes nothing on
    // screen, so unlike a button the cell does not repaint for it.
    void clicked();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    Pos pos_;
    QPixmap picture_;
    bool pressed_ = false;
};

}  // namespace brindle::ui
