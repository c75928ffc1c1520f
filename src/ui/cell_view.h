// One lamp cell on the main window: shows a picture and reports clicks.
#pragma once

#include <QAbstractButton>
#include <QPixmap>

#include "board/board.h"

namespace brindle::ui {

class CellView : public QAbstractButton {
    Q_OBJECT
  public:
    CellView(Pos pos, const QPixmap& picture, QWidget* parent);

    Pos pos() const { return pos_; }
    void setPicture(const QPixmap& picture);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    Pos pos_;
    QPixmap picture_;
};

}  // namespace brindle::ui
