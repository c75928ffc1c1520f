// The windows on a real X server under a real window manager (openbox, started by
// with_window_manager.py), read back through the X properties the desktop sees.
#include <QAction>
#include <QProcess>
#include <QRegularExpression>
#include <QScreen>
#include <QTest>

#include "driver.h"
#include "ui/main_window.h"

using namespace brindle::ui;
using namespace brindle::ui::testing;

namespace {

QString xprop(QWidget* w, const char* property) {
    QProcess p;
    p.start(QStringLiteral("xprop"),
            {QStringLiteral("-id"), QString::number(w->winId()), QLatin1String(property)});
    p.waitForFinished();
    return QString::fromLocal8Bit(p.readAllStandardOutput());
}

// The whole window on the screen, frame and title bar included, as X has it.
QRect frameOnScreen(QWidget* w) {
    QProcess p;
    p.start(QStringLiteral("xwininfo"), {QStringLiteral("-id"), QString::number(w->winId())});
    p.waitForFinished();
    const QString info = QString::fromLocal8Bit(p.readAllStandardOutput());
    auto number = [&](const char* label) {
        const auto m =
            QRegularExpression(QLatin1String(label) + QStringLiteral(":\\s+(-?\\d+)")).match(info);
        return m.captured(1).toInt();
    };
    const QStringList extents =  // left, right, top, bottom
        xprop(w, "_NET_FRAME_EXTENTS").section(QLatin1Char('='), 1).split(QLatin1Char(','));
    if (extents.size() != 4) return {};
    const int left = extents[0].toInt(), right = extents[1].toInt();
    const int top = extents[2].toInt(), bottom = extents[3].toInt();
    return QRect(number("Absolute upper-left X") - left, number("Absolute upper-left Y") - top,
                 number("Width") + left + right, number("Height") + top + bottom);
}

}  // namespace

class WindowManagerTest : public QObject {
    Q_OBJECT
    std::unique_ptr<MainWindow> w;
    QRect screen;

  private slots:
    void initTestCase() { setUpApplication(); }
    void init() {
        w = openMainWindow();
        screen = w->screen()->geometry();
        QTRY_VERIFY(frameOnScreen(w.get()).height() > w->height());
    }
    void cleanup() { w.reset(); }

    void theWholeWindowIsCentredOrKeptInReach() {
        // Along each axis: centred (to half a pixel), or at the screen's edge when it is
        // larger than the screen, so that the title bar and menu bar stay in reach.
        auto placed = [](int at, int size, int room) {
            return size > room ? at == 0 : std::abs(2 * at + size - room) <= 1;
        };
        QRect frame;
        QTRY_VERIFY2_WITH_TIMEOUT((frame = frameOnScreen(w.get()),
                                   placed(frame.x(), frame.width(), screen.width()) &&
                                       placed(frame.y(), frame.height(), screen.height())),
                                  qPrintable(QStringLiteral("frame at %1,%2 size %3x%4")
                                                 .arg(frame.x())
                                                 .arg(frame.y())
                                                 .arg(frame.width())
                                                 .arg(frame.height())),
                                  3000);
    }

    void theMainWindowCanBeNeitherMaximizedNorResized() {
        const QString actions = xprop(w.get(), "_NET_WM_ALLOWED_ACTIONS");
        QVERIFY(actions.contains(QLatin1String("_NET_WM_ACTION_MINIMIZE")));
        QVERIFY(!actions.contains(QLatin1String("MAXIMIZE")));
        QVERIFY(!actions.contains(QLatin1String("_NET_WM_ACTION_RESIZE")));
        QVERIFY(xprop(w.get(), "_NET_WM_ICON").contains(QLatin1String("Icon (16 x 16)")));
    }

    void theInformationWindowsHaveNoIconAndAFixedSize_data() {
        QTest::addColumn<QString>("command");
        for (const char* c : {"HelpHowToPlay", "HelpPro", "HelpAuhtor"})
            QTest::newRow(c) << c;
    }
    void theInformationWindowsHaveNoIconAndAFixedSize() {
        QFETCH(QString, command);
        QString icon, actions;
        whenModalOpens([&](QWidget* modal) {
            QTRY_VERIFY(frameOnScreen(modal).height() > modal->height());
            icon = xprop(modal, "_NET_WM_ICON");
            actions = xprop(modal, "_NET_WM_ALLOWED_ACTIONS");
            modal->close();
        });
        w->findChild<QAction*>(command)->trigger();
        QVERIFY2(icon.contains(QLatin1String("not found")), qPrintable(icon.left(80)));
        QVERIFY(actions.contains(QLatin1String("_NET_WM_ACTION_CLOSE")));
        QVERIFY(!actions.contains(QLatin1String("_NET_WM_ACTION_RESIZE")));
        QVERIFY(!actions.contains(QLatin1String("MAXIMIZE")));
    }
};

QTEST_MAIN(WindowManagerTest)
#include "window_manager_test.moc"
