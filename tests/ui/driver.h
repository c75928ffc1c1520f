// Driving the real main window offscreen: clicks at pixels, menus, modal windows.
#pragma once

#include <QAbstractButton>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <functional>
#include <memory>

#include "board/progress.h"
#include "ui/app.h"
#include "ui/cell_view.h"
#include "ui/main_window.h"

namespace brindle::ui::testing {

// Sets up the application as the program does; call once from initTestCase.
inline void setUpApplication() {
    ui::setUpApplication(*qApp);
}

// A fresh main window, shown and exposed.
inline std::unique_ptr<MainWindow> openMainWindow() {
    auto w = std::make_unique<MainWindow>();
    w->show();
    if (!QTest::qWaitForWindowExposed(w.get())) qWarning("the main window was not exposed");
    return w;
}

inline QLabel* label(MainWindow& w, const QString& name) {
    return w.findChild<QLabel*>(name);
}

inline QTimer* timer(MainWindow& w, int n) {
    return w.findChild<QTimer*>(QStringLiteral("Timer%1").arg(n));
}

// The client area below the menu bar, where all layout coordinates start.
inline QWidget* client(MainWindow& w) {
    return w.findChild<QWidget*>(QStringLiteral("client"));
}

// Fires a timer as if its interval had passed.
inline void fire(QTimer* t) {
    QVERIFY(t);
    QVERIFY(QMetaObject::invokeMethod(t, "timeout", Qt::DirectConnection));
}

// The client area as drawn on screen.
inline QImage grabClient(MainWindow& w) {
    return client(w)->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

inline int activeRingTimers(MainWindow& w) {
    int n = 0;
    for (int k = 1; k <= kRingSize; ++k)
        n += timer(w, k)->isActive();
    return n;
}

inline bool iconShows(MainWindow& w, Picture p) {
    // What the box shows on screen: the picture over the window's background.
    QWidget* box = w.findChild<QWidget*>(QStringLiteral("Picture1"));
    QImage expected(16, 16, QImage::Format_ARGB32_Premultiplied);
    expected.fill(box->palette().window().color());
    QPainter(&expected).drawPixmap(0, 0, w.pictures().of(p));
    return box->grab().toImage().copy(2, 2, 16, 16).convertToFormat(QImage::Format_RGB32) ==
           expected.convertToFormat(QImage::Format_RGB32);
}

// Everything the window shows that differs from the game it holds: cell pictures,
// segments, captions, the icon, the cover, menu entries and running timers.
inline QStringList differencesFromGame(MainWindow& w) {
    const Game& g = w.game();
    QStringList out;
    for (int i = 0; i < kCellCount; ++i) {
        const Pos p = posOf(i);
        auto* cell = w.findChild<CellView*>(QStringLiteral("rc_%1_%2").arg(p.row).arg(p.col));
        const QColor inside = cell->grab().toImage().pixelColor(25, 25);
        const QColor want = g.cells.isLit(p) ? QColor(255, 255, 0) : QColor(255, 255, 255);
        if (inside != want) out << cell->objectName();
    }
    for (int k = 1; k <= kSegmentCount; ++k) {
        if (label(w, QStringLiteral("pro%1").arg(k))->isVisible() != (k <= g.progress.segments)) {
            out << QStringLiteral("pro%1").arg(k);
        }
    }
    auto captionIs = [&](const char* name, const std::string& text) {
        if (label(w, QLatin1String(name))->text() != QString::fromStdString(text)) out << name;
    };
    captionIs("Label1", g.clock.minutesCaption);
    captionIs("Label3", g.clock.secondsCaption);
    captionIs("Stat", g.clock.Stat);
    if (!iconShows(w, g.icon.Picture1)) out << "Picture1";
    if (w.findChild<QWidget*>(QStringLiteral("Image9"))->isVisible() != g.Image9) out << "Image9";
    if (w.findChild<QAction*>(QStringLiteral("GameNew"))->isEnabled() != g.GameNew)
        out << "GameNew";
    if (w.findChild<QAction*>(QStringLiteral("GameStop"))->isEnabled() != g.GameStop)
        out << "GameStop";
    for (int n = 1; n <= kRingSize; ++n) {
        if (timer(w, n)->isActive() != g.icon.enabled[static_cast<std::size_t>(n - 1)]) {
            out << QStringLiteral("Timer%1").arg(n);
        }
    }
    if (timer(w, 7)->isActive() != g.clock.running) out << "Timer7";
    return out;
}

// A real left click at a pixel of the client area, delivered to the window as the
// platform would deliver it; the toolkit picks the widget on top at that point.
inline void clickAt(MainWindow& w, QPoint clientPixel) {
    QWindow* window = w.windowHandle();
    QVERIFY(window);
    const QPoint at = client(w)->mapTo(&w, clientPixel);
    QTest::mouseClick(window, Qt::LeftButton, Qt::NoModifier, at);
}

inline QPoint cellCentre(Pos p) {
    return {(p.col - 1) * 48 + 25, (p.row - 1) * 48 + 25};
}

inline void clickAction(QWidget* container, QAction* action) {
    QRect r;
    if (auto* bar = qobject_cast<QMenuBar*>(container)) r = bar->actionGeometry(action);
    if (auto* menu = qobject_cast<QMenu*>(container)) r = menu->actionGeometry(action);
    QVERIFY2(r.isValid(), qPrintable(action->objectName()));
    QTest::mouseClick(container, Qt::LeftButton, Qt::NoModifier, r.center());
}

// Opens the menus along the path of objectNames by clicking them, and clicks the last.
inline void chooseMenu(MainWindow& w, const QStringList& path) {
    QWidget* container = w.menuBar();
    for (const QString& name : path) {
        QAction* action = nullptr;
        for (QAction* a : container->actions()) {
            if (a->objectName() == name) action = a;
        }
        QVERIFY2(action, qPrintable("no menu entry " + name));
        clickAction(container, action);
        if (QMenu* sub = action->menu()) {
            QTRY_VERIFY2(sub->isVisible(), qPrintable(name + " did not open"));
            container = sub;
        }
    }
}

// Runs `inside` once the next modal window is up, then returns.
inline void whenModalOpens(std::function<void(QWidget*)> inside) {
    QTimer::singleShot(0, qApp, [inside] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) {
            // The window may show on the next turn of the event loop.
            whenModalOpens(inside);
            return;
        }
        QPointer<QWidget> guard(modal);
        inside(modal);
        // A check that failed inside must not leave the test waiting on an open window.
        if (guard && guard->isVisible()) guard->close();
    });
}

// Chooses Game > Stop game through the menus and answers the box with a click on
// `answer`, or with Escape when it is NoButton.
inline void stopGame(MainWindow& w, int answer) {
    whenModalOpens([answer](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        QVERIFY(box);
        if (answer == QMessageBox::NoButton) {
            QTest::keyClick(box, Qt::Key_Escape);
        } else {
            QTest::mouseClick(box->button(QMessageBox::StandardButton(answer)), Qt::LeftButton);
        }
    });
    chooseMenu(w, {"Game", "GameStop"});
}

// What an assistive tool does to press a control (a cell).
inline void pressAccessibly(QObject* control) {
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(control);
    QVERIFY(a && a->actionInterface());
    a->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
}

}  // namespace brindle::ui::testing
