// The main window's client area, which draws the whole scene the shared layer gives.
#pragma once

#include <QWidget>
#include <functional>
#include <vector>

#include "view/paint.h"

namespace brindle::qt {

// Every pixel of the client area but the captions' text. The controls over it draw
// nothing themselves: they are there for their names, for assistive tools and for the
// pointer.
class ClientView : public QWidget {
    Q_OBJECT

  public:
    // What to draw at a scale, with the client area at `client` (layout pixels) on the
    // surface drawn on.
    using Scene = std::function<std::vector<view::Paint>(double scale, view::Point client)>;
    ClientView(Scene scene, QWidget* parent);
    // Draws again where the shared layer says the changes show.
    void redraw(const view::Changes& changes);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    Scene scene_;
};

}  // namespace brindle::qt
