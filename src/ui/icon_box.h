// The game-state icon's box in the status strip: a 16 x 16 picture in a sunken frame.
#pragma once

#include <QPixmap>
#include <QWidget>

namespace brindle::ui {

class IconBox : public QWidget {
    Q_OBJECT
  public:
    explicit IconBox(QWidget* parent);

    void setPicture(const QPixmap& picture);
    const QPixmap& picture() const { return picture_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QPixmap picture_;
};

}  // namespace brindle::ui
