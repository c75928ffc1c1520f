#include "qt/placement.h"

#include <QEvent>
#include <QGuiApplication>
#include <QLayout>
#include <QScreen>
#include <QStyle>
#include <QTimer>
#include <QWidget>
#include <QWindow>
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

// Maximized or full screen, a window of fixed size asks to be restored: at once on X, on
// Wayland once it has shown itself at the size it was given. On Wayland the title bar is
// Qt's own, and it offers both whatever the window's flags say; the compositor then
// insists that the window take the size it gives and ends the program if it does not.
// So there the window also gives up its fixed size the moment such a state comes, takes
// the size it is given until it is restored, and is fixed again. What it shows is not
// touched.
class FixedSize : public QObject {
  public:
    explicit FixedSize(QWidget* window)
        : QObject(window),
          window_(window),
          loosens_(QGuiApplication::platformName() == QLatin1String("wayland")) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != window_) {
            // The compositor's own word on the state.
            if (event->type() == QEvent::WindowStateChange && event->spontaneous()) {
                grownThere_ = window_->windowHandle()->windowStates() & kGrown;
                asked_ = false;
                if (grownThere_) window_->update();
            }
            return false;
        }
        switch (event->type()) {
            case QEvent::Show:
                watch();
                break;
            case QEvent::WindowStateChange:
                if (!loosens_ && (window_->windowState() & kGrown)) restore();
                break;
            case QEvent::Paint:
                // Asked before the grown window has shown itself at the size it was given,
                // a compositor may take the request for nothing; asked after the first
                // paint in that state, it follows the frame the paint sends.
                if (loose_ && grownThere_ && !asked_) {
                    asked_ = true;
                    restore();
                }
                break;
            case QEvent::Resize:
                if (loose_ && !(window_->windowState() & kGrown)) {
                    if (window_->size() == size_) {
                        fix();
                    } else {
                        // Out of full screen, the compositor may give the size less
                        // Qt's title bar; restored, the window's size is its own.
                        QTimer::singleShot(0, this, [this] {
                            if (loose_ && !(window_->windowState() & kGrown))
                                window_->resize(size_);
                        });
                    }
                }
                break;
            case QEvent::LayoutRequest:
                // A message box fixes its size anew at every layout; not while it is loose.
                return loose_;
            default:
                break;
        }
        return false;
    }

  private:
    static constexpr Qt::WindowStates kGrown = Qt::WindowMaximized | Qt::WindowFullScreen;

    // The platform window's state changes before the compositor's size is taken.
    void watch() {
        if (watching_ || !loosens_ || !window_->windowHandle()) return;
        watching_ = true;
        window_->windowHandle()->installEventFilter(this);
        connect(window_->windowHandle(), &QWindow::windowStateChanged, this,
                [this](Qt::WindowState state) {
                    if (state & kGrown) loosen();
                });
    }
    void restore() {
        QTimer::singleShot(0, this,
                           [this] { window_->setWindowState(window_->windowState() & ~kGrown); });
    }
    void loosen() {
        if (loose_) return;
        loose_ = true;
        size_ = window_->size();
        QLayout* layout = window_->layout();
        byLayout_ = layout && layout->sizeConstraint() == QLayout::SetFixedSize;
        if (byLayout_) layout->setSizeConstraint(QLayout::SetDefaultConstraint);
        window_->setMinimumSize(0, 0);
        window_->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    }
    void fix() {
        loose_ = false;
        if (byLayout_) {
            window_->layout()->setSizeConstraint(QLayout::SetFixedSize);
        } else {
            window_->setFixedSize(size_);
        }
    }

    QWidget* window_;
    const bool loosens_;
    bool watching_ = false, loose_ = false, byLayout_ = false;
    bool grownThere_ = false, asked_ = false;
    QSize size_;
};

}  // namespace

void keepFixedSize(QWidget* window) {
    window->installEventFilter(new FixedSize(window));
}

void centreOnScreen(QWidget* window) {
    place(window);
    window->installEventFilter(new FramePlacement(window));
}

}  // namespace brindle::qt
