// The window at the screen scale given in QT_SCALE_FACTOR (ctest runs this at 1, 1.25, 1.5,
// 2 and 3): it grows with the scale and stays crisp. The board and the cover show only
// their own colours, every grid line is unbroken and all are equally wide, a click on
// any device pixel plays the cell drawn there, and the window stays in reach.
#include <QAction>
#include <QApplication>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QScreen>
#include <QSet>
#include <QTest>
#include <cmath>

#include "driver.h"
#include "ui/main_window.h"

using namespace brindle;
using namespace brindle::ui;
using namespace brindle::ui::testing;

namespace {

// Runs of consecutive indices for which `black` holds: (start, length).
QList<QPair<int, int>> runs(int count, const std::function<bool(int)>& black) {
    QList<QPair<int, int>> out;
    for (int i = 0; i < count; ++i) {
        if (!black(i)) continue;
        int j = i;
        while (j < count && black(j))
            ++j;
        out.append({i, j - i});
        i = j;
    }
    return out;
}

QSet<QRgb> coloursIn(const QImage& img, const QRect& area) {
    QSet<QRgb> out;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x)
            out.insert(img.pixel(x, y) | 0xff000000u);
    }
    return out;
}

}  // namespace

class HiDpiTest : public QObject {
    Q_OBJECT
    std::unique_ptr<MainWindow> w;
    qreal scale = 1;

    // The client area as the screen shows it, one image pixel a device pixel.
    QImage screen() { return grabClient(*w); }
    int device(qreal logical) const { return int(std::floor(logical * scale)); }

    // Checks the grid over the board: six vertical and six horizontal black lines, all
    // of one width, each unbroken from edge to edge, at the places the layout gives.
    void checkGrid(const QImage& img, const QSet<QRgb>& fills) {
        const int side = device(242) - 1;  // the last device pixel of the board
        const QList<int> columns = {0, 49, 96, 144, 192, 241}, rows = {0, 48, 96, 144, 192, 241};
        const auto black = [](QRgb c) { return (c & 0xffffff) == 0; };
        // Along a row through the middle of the cells, and a column likewise.
        const auto across = runs(side + 1, [&](int x) { return black(img.pixel(x, device(120))); });
        const auto down = runs(side + 1, [&](int y) { return black(img.pixel(device(120), y)); });
        QCOMPARE(across.size(), 6);
        QCOMPARE(down.size(), 6);
        const int width = across.front().second;
        QCOMPARE(width, std::max(1, int(std::floor(scale))));
        for (int i = 0; i < 6; ++i) {
            QCOMPARE(across[i].second, width);
            QCOMPARE(down[i].second, width);
            QVERIFY2(std::abs(across[i].first - columns[i] * scale) <= 1.0,
                     qPrintable(QString::number(i)));
            QVERIFY2(std::abs(down[i].first - rows[i] * scale) <= 1.0,
                     qPrintable(QString::number(i)));
            for (int t = 0; t <= side; ++t) {
                QVERIFY2(black(img.pixel(across[i].first, t)), "a vertical line is broken");
                QVERIFY2(black(img.pixel(t, down[i].first)), "a horizontal line is broken");
            }
        }
        QSet<QRgb> allowed = fills;
        allowed.insert(qRgb(0, 0, 0));
        const QSet<QRgb> seen = coloursIn(img, QRect(0, 0, side + 1, side + 1));
        QVERIFY2((seen - allowed).isEmpty(), "the board shows a colour of its own making");
    }

  private slots:
    void initTestCase() {
        setUpApplication();
        scale = qEnvironmentVariable("QT_SCALE_FACTOR", QStringLiteral("1")).toDouble();
    }
    void init() { w = openMainWindow(); }
    void cleanup() { w.reset(); }

    void theBoardStaysCrisp() {
        clickAt(*w, cellCentre({2, 2}));
        checkGrid(screen(), {qRgb(255, 255, 255), qRgb(255, 255, 0)});
    }

    void theCoverStaysCrisp() {
        stopGame(*w, QMessageBox::Ok);
        checkGrid(screen(), {qRgb(192, 192, 192)});
    }

    void aClickPlaysTheCellDrawnAtItsDevicePixel() {
        w->findChild<QAction*>(QStringLiteral("LoadDem1"))->trigger();  // neighbours differ
        const QImage img = screen();
        const QPoint origin = client(*w)->mapTo(w.get(), QPoint());
        auto clickDevice = [&](int dx, int dy) {
            const QPointF at((dx + 0.5) / scale + origin.x(), (dy + 0.5) / scale + origin.y());
            for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
                QMouseEvent e(type, at, at, w->mapToGlobal(at), Qt::LeftButton,
                              type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                              Qt::NoModifier);
                QApplication::sendEvent(w->windowHandle(), &e);
            }
        };
        // Every device pixel across each 2-pixel overlap strip, one more either side.
        int probes = 0;
        for (int line = 1; line <= 4; ++line) {
            for (int across = 0; across < 5; ++across) {
                for (int d = device(48 * line - 1); d <= device(48 * line + 3); ++d) {
                    for (bool vertical : {true, false}) {
                        const int dx = vertical ? d : device(48 * across + 24);
                        const int dy = vertical ? device(48 * across + 24) : d;
                        const Pos a = vertical ? Pos{across + 1, line} : Pos{line, across + 1};
                        const Pos b =
                            vertical ? Pos{across + 1, line + 1} : Pos{line + 1, across + 1};
                        const Board before = w->game().cells;
                        clickDevice(dx, dy);
                        Board viaA = before, viaB = before;
                        play(viaA, a);
                        play(viaB, b);
                        const QRgb c = img.pixel(dx, dy) & 0xffffff;
                        const bool drawnA = before.isLit(a) == (c == 0xffff00);
                        const QString where = QStringLiteral("device %1,%2").arg(dx).arg(dy);
                        QVERIFY2(w->game().cells == viaA || w->game().cells == viaB,
                                 qPrintable(where));
                        if (c != 0) {  // not a grid line: its colour names the cell drawn
                            QVERIFY2(w->game().cells == (drawnA ? viaA : viaB), qPrintable(where));
                        }
                        clickDevice(dx, dy);  // undo
                        ++probes;
                    }
                }
            }
        }
        QVERIFY(probes >= 160);
    }

    void theTitleAndMenuBarStayOnTheScreen() {
        // At 3 the offscreen screen (800 x 600 device pixels) is smaller than the window.
        const QRect area = w->screen()->availableGeometry();
        QVERIFY(area.contains(w->frameGeometry().topLeft()));
        QVERIFY(area.contains(w->menuBar()->mapTo(w.get(), QPoint()) + w->pos()));
    }
};

QTEST_MAIN(HiDpiTest)
#include "hidpi_test.moc"
