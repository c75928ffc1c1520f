#include "driver.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include "ui/app.h"

namespace brindle::ui::testing {

void setUpApplication() { ui::setUpApplication(*qApp); }

QWidget* client(MainWindow& w) { return w.findChild<QWidget*>(QStringLiteral("client")); }

void clickAt(MainWindow& w, QPoint clientPixel) {
    QWindow* window = w.windowHandle();
    QVERIFY(window);
    const QPoint at = client(w)->mapTo(&w, clientPixel);
    QTest::mouseClick(window, Qt::LeftButton, Qt::NoModifier, at);
}

QPoint cellCentre(Pos p) { return {(p.col - 1) * 48 + 25, (p.row - 1) * 48 + 25}; }

namespace {

void clickAction(QWidget* container, QAction* action) {
    QRect r;
    if (auto* bar = qobject_cast<QMenuBar*>(container)) r = bar->actionGeometry(action);
    if (auto* menu = qobject_cast<QMenu*>(container)) r = menu->actionGeometry(action);
    QVERIFY2(r.isValid(), qPrintable(action->objectName()));
    QTest::mouseClick(container, Qt::LeftButton, Qt::NoModifier, r.center());
}

}  // namespace

void chooseMenu(MainWindow& w, const QStringList& path) {
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

void whenModalOpens(std::function<void(QWidget*)> inside) {
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

void fire(QTimer* t) {
    QVERIFY(t);
    QVERIFY(QMetaObject::invokeMethod(t, "timeout", Qt::DirectConnection));
}

QTimer* timer(MainWindow& w, int n) {
    return w.findChild<QTimer*>(QStringLiteral("Timer%1").arg(n));
}

QImage grabClient(MainWindow& w) {
    return client(w)->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

bool samePicture(const QPixmap& a, const QPixmap& b) {
    return a.toImage().convertToFormat(QImage::Format_ARGB32) ==
           b.toImage().convertToFormat(QImage::Format_ARGB32);
}

}  // namespace brindle::ui::testing
