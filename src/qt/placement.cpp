#include "qt/placement.h"

#include <QEvent>
#include <QScreen>
#include <QStyle>
#include <QWidget>
#include <algorithm>

namespace brindle::qt {

namespace {

void place(QWidget* window) {
    const QRect area = window->screen()->availableGeometry();
    const QRect frame = window->frameGeometry();
    QRect r = QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, frame.size(), area);
    // A window larger than the screen keeps its title bar and menu bar in reach.
    r.moveTopLeft({std::max(r.left(), area.left()), std::max(r.top(), area.top())});
    // A window's position is that of its frame.
    window->move(r.topLeft());
}

// Waits for the first move that comes with a frame, places the window again and goes.
class FramePlacement : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* window = static_cast<QWidget*>(watched);
        if ((event->type() == QEvent::Move || event->type() == QEvent::Resize) &&
            window->frameGeometry() != window->geometry()) {
            window->removeEventFilter(this);
            deleteLater();
            place(window);
        }
        return false;
    }
};

}  // namespace

void centreOnScreen(QWidget* window) {
    place(window);
    window->installEventFilter(new FramePlacement(window));
}

}  // namespace brindle::qt
