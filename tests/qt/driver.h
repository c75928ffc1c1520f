// The Qt tests' driver: the real main window, input as the platform delivers it,
// and what the window shows compared with the game it holds.
#pragma once

#include <QAbstractButton>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QDeadlineTimer>
#include <QDialog>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QSet>
#include <QSignalSpy>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QWindow>
#include <cmath>
#include <functional>
#include <memory>

#include "board/progress.h"
#include "expected.h"
#include "puzzles/load.h"
#include "qt/app.h"
#include "qt/clock_label.h"
#include "qt/main_window.h"
#include "qt/qt_text.h"
#include "view/paint.h"

using namespace brindle;
using namespace brindle::qt;
using brindle::expected::ticksOnTime;
using namespace Qt::StringLiterals;

namespace {

const QRgb kBlack = qRgb(0, 0, 0);

struct Text {
    QRect twips;  // where the layout puts it
    const char* text;
};

QString xprop(QWidget* w, const char* property) {
    QProcess p;
    p.start(u"xprop"_s, {u"-id"_s, QString::number(w->winId()), QLatin1String(property)});
    p.waitForFinished();
    return QString::fromLocal8Bit(p.readAllStandardOutput());
}

Board afterClicks(std::initializer_list<Pos> clicks) {
    Board b = Board::filled(Cell::Unlit);
    for (Pos p : clicks)
        play(b, p);
    return b;
}

// Fires a timer as if its interval had passed.
void fire(QTimer* t) {
    QVERIFY(QMetaObject::invokeMethod(t, "timeout", Qt::DirectConnection));
}

QPoint cellCentre(Pos p) {
    return {(p.col - 1) * 48 + 25, (p.row - 1) * 48 + 25};
}

// Qt 6.4 on Wayland can free a window's frame callback twice, and abort, when the window
// hides at the moment the compositor answers the callback. A player cannot close a
// window that fast; a test can, so before it does it waits for the answer. Qt takes the
// answer on a thread of its own and posts the update that follows it, so only posted
// events are handled meanwhile: no timer turns the game while the test waits.
void awaitFrame(QWidget* window) {
    QWindow* handle = window->windowHandle();
    if (QGuiApplication::platformName() != u"wayland"_s || !handle) return;
    struct Watch : QObject {
        bool answered = false;
        bool eventFilter(QObject*, QEvent* event) override {
            answered = answered || event->type() == QEvent::UpdateRequest;
            return false;
        }
    } watch;
    handle->installEventFilter(&watch);
    // The update is delivered once no frame is awaited.
    handle->requestUpdate();
    const QDeadlineTimer deadline(500);
    while (!watch.answered && !deadline.hasExpired()) {
        QCoreApplication::sendPostedEvents();
        QThread::msleep(1);
    }
    handle->removeEventFilter(&watch);
}

// Runs `inside` once the next modal window is up, then returns. It looks for five
// seconds at most, so that a window that never opens cannot reach into a later test.
void whenModalOpens(std::function<void(QWidget*)> inside,
                    QDeadlineTimer deadline = QDeadlineTimer(5000)) {
    QTimer::singleShot(0, qApp, [inside, deadline] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) {
            // The window may show on a later turn of the event loop.
            if (!deadline.hasExpired()) whenModalOpens(inside, deadline);
            return;
        }
        QPointer<QWidget> guard(modal);
        awaitFrame(modal);
        inside(modal);
        // A check that failed inside must not leave the test waiting on an open window.
        if (guard && guard->isVisible()) {
            awaitFrame(guard);
            guard->close();
        }
    });
}

// What goes wrong when `window` is asked for `state`: nothing when it takes it, then asks
// to be restored and is back at its own size within ten seconds.
QString growing(QWidget* window, Qt::WindowState state) {
    const QSize before = window->size();
    QSignalSpy states(window->windowHandle(), &QWindow::windowStateChanged);
    window->windowHandle()->setWindowStates(state);
    const auto last = [&] { return states.last().first().value<Qt::WindowState>(); };
    if (QTest::qWaitFor(
            [&] {
                return states.size() > 1 && last() == Qt::WindowNoState && window->size() == before;
            },
            10000))
        return {};
    QString seen;
    QDebug(&seen) << window->objectName() << state << states << window->size() << before;
    return seen;
}

// What an assistive tool does to press a control (a cell).
void pressAccessibly(QObject* control) {
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(control);
    QVERIFY(a && a->actionInterface());
    a->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
}

}  // namespace

struct Driver {
    std::unique_ptr<MainWindow> w;
    qreal scale = 1;

    template <class T = QWidget>
    T* named(const QString& name = {}) {  // without a name: any of that type
        return w->findChild<T*>(name);
    }

    QTimer* timer(int n) { return named<QTimer>(u"Timer%1"_s.arg(n)); }

    // The game's timers run on the wall clock; held, they turn the game only when a test
    // fires them, however long the machine takes between two steps.
    struct Held : QObject {
        bool eventFilter(QObject*, QEvent* event) override {
            return event->type() == QEvent::Timer;
        }
    } held;
    void holdTimers(bool hold) {
        for (int n = 1; n <= 7; ++n) {
            if (hold) {
                timer(n)->installEventFilter(&held);
            } else {
                timer(n)->removeEventFilter(&held);
            }
        }
    }

    // The client area below the menu bar, where all layout coordinates start.
    QWidget* client() { return named(u"client"_s); }

    // The client area as drawn on screen.
    // The client area as drawn, in device pixels. At scale 1 it is what the window last
    // painted, so that a missed repaint shows; at other scales it is painted afresh, since
    // the offscreen screen grabs windows at their logical size.
    // Wayland lets no program read the screen, so there it is painted afresh too.
    QImage grabClient() {
        QCoreApplication::processEvents();  // the repaints that are due
        const QRect r(client()->mapTo(w.get(), QPoint()), client()->size());
        const bool readable = QGuiApplication::platformName() != u"wayland"_s;
        const QPixmap shown =
            scale == 1 && readable
                ? w->screen()->grabWindow(w->winId(), r.x(), r.y(), r.width(), r.height())
                : client()->grab();
        return shown.toImage().convertToFormat(QImage::Format_RGB32);
    }

    int offScene(const QImage& shown) {
        return expected::offScene(shown.width(), shown.height(), scale, w->game(), w->marker(),
                                  [&](int x, int y) { return shown.pixel(x, y) & 0xffffff; });
    }

    // Everything the window shows that differs from the game it holds: its pixels,
    // captions, menu entries and running timers.
    QStringList differences() {
        const QImage shown = grabClient();  // first: it lets timers tick
        const Game& g = w->game();
        QStringList out;
        if (const int off = offScene(shown)) out << u"%1 pixels"_s.arg(off);
        auto captionIs = [&](const char* name, const std::string& text) {
            if (named<QLabel>(QLatin1String(name))->text() != QString::fromStdString(text))
                out << name;
        };
        captionIs("Label1", g.clock.minutesCaption);
        captionIs("Label3", g.clock.secondsCaption);
        captionIs("Stat", g.clock.Stat);
        if (named(u"Image9"_s)->isVisible() != g.Image9) out << "Image9";
        if (named<QAction>(u"GameNew"_s)->isEnabled() != g.GameNew) out << "GameNew";
        if (named<QAction>(u"GameStop"_s)->isEnabled() != g.GameStop) out << "GameStop";
        for (int n = 1; n <= kRingSize; ++n) {
            if (timer(n)->isActive() != g.icon.enabled[static_cast<std::size_t>(n - 1)]) {
                out << u"Timer%1"_s.arg(n);
            }
        }
        if (timer(7)->isActive() != g.clock.running) out << "Timer7";
        return out;
    }

    // A real left click at a pixel of the client area, delivered to the window as the
    // platform would deliver it; the toolkit picks the widget on top at that point.
    void clickAt(QPoint clientPixel) {
        QWindow* window = w->windowHandle();
        QVERIFY(window);
        const QPoint at = client()->mapTo(w.get(), clientPixel);
        QTest::mouseClick(window, Qt::LeftButton, Qt::NoModifier, at);
    }

    // Opens the menus along the path of objectNames by clicking them, and clicks the last.
    void chooseMenu(const QStringList& path) {
        QWidget* container = w->menuBar();
        for (const QString& name : path) {
            QAction* action = nullptr;
            for (QAction* a : container->actions()) {
                if (a->objectName() == name) action = a;
            }
            QVERIFY2(action, qPrintable("no menu entry " + name));
            const QRect r = qobject_cast<QMenuBar*>(container)
                                ? qobject_cast<QMenuBar*>(container)->actionGeometry(action)
                                : qobject_cast<QMenu*>(container)->actionGeometry(action);
            QTest::mouseClick(container, Qt::LeftButton, Qt::NoModifier, r.center());
            if (QMenu* sub = action->menu()) {
                QTRY_VERIFY2(sub->isVisible(), qPrintable(name + " did not open"));
                awaitFrame(sub);  // the click closes it
                container = sub;
            }
        }
    }

    // Chooses Game > Stop game through the menus and answers the box with a click on
    // `answer`, or with Escape when it is NoButton.
    void stopGame(int answer) {
        whenModalOpens([answer](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            QVERIFY(box);
            if (answer == QMessageBox::NoButton) {
                QTest::keyClick(box, Qt::Key_Escape);
            } else {
                QTest::mouseClick(box->button(QMessageBox::StandardButton(answer)), Qt::LeftButton);
            }
        });
        chooseMenu({"Game", "GameStop"});
    }

    int device(qreal logical) const { return int(std::floor(logical * scale)); }

    QString caption(const char* name) { return named<QLabel>(QLatin1String(name))->text(); }
    QWidget* cell(Pos p) { return named<QWidget>(u"rc_%1_%2"_s.arg(p.row).arg(p.col)); }
    // The cells that show the marker, as "r,c".
    QStringList marked() {
        QStringList out;
        for (int i = 0; i < kCellCount; ++i) {
            if (QAccessible::queryAccessibleInterface(cell(posOf(i)))->state().focused) {
                out << u"%1,%2"_s.arg(posOf(i).row).arg(posOf(i).col);
            }
        }
        return out;
    }
    void keys(std::initializer_list<Qt::Key> list) {
        for (Qt::Key k : list)
            QTest::keyClick(w->windowHandle(), k);
    }
    QAccessibleInterface* accessible(const char* name) {
        return QAccessible::queryAccessibleInterface(named<QObject>(QLatin1String(name)));
    }
};
