// The picture widgets of the main window that are more than a label with a picture.
#pragma once

#include <QPixmap>
#include <QWidget>

namespace brindle::qt {

// The game-state icon's box in the status strip: a 16 x 16 picture in a sunken frame.
class IconBox : public QWidget {
    Q_OBJECT
  public:
    explicit IconBox(QWidget* parent);

    void setPicture(const QPixmap& picture);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QRect inside() const;
    QPixmap picture_;
};

// The board cover, Image9: the board's grid in grey, lying over every cell while the
// game is stopped. It takes the clicks meant for the cells and does nothing with them.
class CoverView : public QWidget {
    Q_OBJECT
  public:
    explicit CoverView(QWidget* parent);
    void setPicture(const QPixmap& picture);
    bool hasPicture() const { return !picture_.isNull(); }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QPixmap picture_;
};

}  // namespace brindle::qt
