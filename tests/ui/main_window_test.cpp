// The main window as the player sees it: its pictures, its texts, the board's grid and
// which cell a click plays, the progress bar, the frame and the menus.
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenuBar>
#include <QSet>
#include <QTest>

#include "driver.h"
#include "ui/main_window.h"

using namespace brindle;
using namespace brindle::ui;
using namespace brindle::ui::testing;

namespace {

const QRgb kBlack = qRgb(0, 0, 0), kGreen = qRgb(102, 204, 51), kLight2 = qRgb(153, 255, 102),
           kLight3 = qRgb(201, 255, 174), kDark2 = qRgb(0, 153, 0), kDark3 = qRgb(0, 101, 0);

using Colours = QSet<QRgb>;

// The opaque colours of `img` in the columns x with `where(x)`.
Colours coloursOf(const QImage& img, const std::function<bool(int)>& where) {
    Colours out;
    for (int y = 0; y < img.height(); ++y) {
        for (int x = 0; x < img.width(); ++x) {
            if (where(x) && qAlpha(img.pixel(x, y)) == 255) out << (img.pixel(x, y) | 0xff000000u);
        }
    }
    return out;
}

bool opaque(const QImage& img, int x, int y) {
    return x >= 0 && y >= 0 && x < img.width() && y < img.height() && qAlpha(img.pixel(x, y));
}

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
    std::unique_ptr<MainWindow> w;

  private slots:
    void initTestCase() { setUpApplication(); }
    void init() { w = openMainWindow(); }
    void cleanup() { w.reset(); }

    // The six frames of the turning gem and the two stills, by what they must look like.
    void iconPictures_data() {
        QTest::addColumn<int>("image");  // Image1 .. Image8
        QTest::addColumn<int>("width");
        QTest::addColumn<Colours>("left");  // colours only left of the middle column
        QTest::addColumn<Colours>("middle");
        QTest::addColumn<Colours>("right");  // colours only right of it
        QTest::newRow("frame 1") << 1 << 13 << Colours{} << Colours{kGreen} << Colours{};
        QTest::newRow("frame 2") << 2 << 9 << Colours{kLight2} << Colours{kGreen}
                                 << Colours{kDark2};
        QTest::newRow("frame 3") << 3 << 5 << Colours{kLight3} << Colours{kGreen}
                                 << Colours{kDark3};
        QTest::newRow("frame 4") << 4 << 1 << Colours{} << Colours{} << Colours{};
        QTest::newRow("frame 5") << 5 << 5 << Colours{kDark2} << Colours{kGreen}
                                 << Colours{kLight3};
        QTest::newRow("frame 6") << 6 << 9 << Colours{kDark2} << Colours{kGreen}
                                 << Colours{kLight2};
        QTest::newRow("stopped") << 7 << 13 << Colours{} << Colours{qRgb(255, 0, 0)} << Colours{};
        QTest::newRow("puzzle") << 8 << 13 << Colours{} << Colours{qRgb(255, 255, 0)} << Colours{};
    }
    void iconPictures() {
        QFETCH(int, image);
        QFETCH(int, width);
        QFETCH(Colours, left);
        QFETCH(Colours, middle);
        QFETCH(Colours, right);
        const QImage img =
            w->pictures().of(Picture(image - 1)).toImage().convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(img.size(), QSize(16, 16));
        int first = 16, last = -1;
        for (int x = 0; x < 16; ++x) {
            for (int y = 0; y < 16; ++y) {
                if (opaque(img, x, y)) first = std::min(first, x), last = std::max(last, x);
            }
        }
        QCOMPARE(last - first + 1, width);
        const int mid = (first + last) / 2;
        QCOMPARE(coloursOf(img, [](int) { return true; }), left + middle + right + Colours{kBlack});
        const Colours leftSide = coloursOf(img, [&](int x) { return x < mid; });
        const Colours rightSide = coloursOf(img, [&](int x) { return x > mid; });
        QVERIFY(leftSide.contains(left) && (leftSide - left - middle - Colours{kBlack}).isEmpty());
        QVERIFY(rightSide.contains(right) &&
                (rightSide - right - middle - Colours{kBlack}).isEmpty());
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < 16; ++x) {
                // A closed outline: no colour ever touches the transparent ground.
                const bool inside = opaque(img, x, y) && (img.pixel(x, y) | 0xff000000u) != kBlack;
                QVERIFY2(!inside || (opaque(img, x - 1, y) && opaque(img, x + 1, y) &&
                                     opaque(img, x, y - 1) && opaque(img, x, y + 1)),
                         qPrintable(QStringLiteral("a gap in the outline at %1,%2").arg(x).arg(y)));
                QVERIFY2(opaque(img, x, y) == opaque(img, 2 * mid - x, y),
                         qPrintable(QStringLiteral("lopsided at %1,%2").arg(x).arg(y)));
            }
        }
        // The stills are frame 1's very shape.
        const QImage frame1 = w->pictures().of(Picture::Image1).toImage();
        for (int i = 0; image >= 7 && i < 256; ++i)
            QCOMPARE(opaque(img, i % 16, i / 16), opaque(frame1, i % 16, i / 16));
    }

    void theBoardsGridAndWhichCellAClickPlays() {
        // Each of these clicks lands on the cell drawn on top at that point: in the
        // 2-pixel overlap strips, the lower row's cell, the column-1 cell over column 2,
        // and otherwise the right-hand cell.
        const struct {
            QPoint at;
            Pos cell;
        } clicks[] = {
            {{25, 25}, {1, 1}},  {{120, 120}, {3, 3}}, {{217, 217}, {5, 5}}, {{48, 20}, {1, 1}},
            {{49, 20}, {1, 1}},  {{96, 20}, {1, 3}},   {{97, 20}, {1, 3}},   {{145, 20}, {1, 4}},
            {{192, 20}, {1, 5}}, {{49, 120}, {3, 1}},  {{193, 160}, {4, 5}}, {{20, 48}, {2, 1}},
            {{20, 49}, {2, 1}},  {{120, 193}, {5, 3}}, {{49, 49}, {2, 1}},   {{241, 241}, {5, 5}},
        };
        Board expected = Board::filled(Cell::Unlit);
        for (const auto& c : clicks) {
            clickAt(*w, c.at);
            play(expected, c.cell);
            QVERIFY2(w->game().cells == expected,
                     qPrintable(QStringLiteral("click at %1,%2").arg(c.at.x()).arg(c.at.y())));
        }
        for (QPoint at : {QPoint(10, 250), QPoint(200, 250), QPoint(241, 245)})
            clickAt(*w, at);
        QCOMPARE(w->game().cells, expected);
        QCOMPARE(differencesFromGame(*w), QStringList());

        // One-pixel black lines where the cells' borders show, yellow and white between.
        const QImage img = grabClient(*w);
        const QList<int> columns = {0, 49, 96, 144, 192, 241}, rows = {0, 48, 96, 144, 192, 241};
        for (int x = 0; x < 242; ++x) {
            for (int y = 0; y < 242; ++y) {
                const int col = x < 49 ? 1 : x < 96 ? 2 : x < 144 ? 3 : x < 192 ? 4 : 5;
                const Pos p{std::min(y / 48 + 1, 5), col};
                const QColor want = columns.contains(x) || rows.contains(y) ? Qt::black
                                    : expected.isLit(p)                     ? Qt::yellow
                                                                            : Qt::white;
                QVERIFY2(img.pixelColor(x, y) == want,
                         qPrintable(QStringLiteral("pixel %1,%2").arg(x).arg(y)));
            }
        }
    }

    void theBarShowsItsSegmentsInThePanel() {
        w->findChild<QAction*>(QStringLiteral("LoadFull"))->trigger();
        const QImage strip = grabClient(*w).copy(0, 242, 242, 20);
        // Thirteen navy blocks of 10 x 15 pixels, 2 pixels apart, all on row 3.
        for (int x = 21; x < 182; ++x) {
            const bool segment = x >= 24 && x < 180 && (x - 24) % 12 < 10;
            for (int y = 2; y <= 18; ++y) {
                const bool navy = strip.pixelColor(x, y) == QColor(0, 0, 128);
                QVERIFY2(navy == (segment && y >= 3 && y < 18),
                         qPrintable(QStringLiteral("strip pixel %1,%2").arg(x).arg(y)));
            }
        }
    }

    void textsAreDrawnInTheirFontAndFitTheirBoxes() {
        // 8 points at 96 dpi, the size the boxes were laid out for.
        QCOMPARE(QApplication::font().family(), QStringLiteral("Liberation Sans"));
        QCOMPARE(QFontInfo(QApplication::font()).pixelSize(), 11);
        for (const char* name : {"Label1", "Label2", "Label3"}) {
            QLabel* l = label(*w, QLatin1String(name));
            const QRect needed = QFontMetrics(l->font()).boundingRect(l->text());
            QVERIFY2(needed.width() <= l->width() && needed.height() <= l->height(), name);
        }
    }

    void frameAndMenus() {
        QCOMPARE(w->windowTitle(), QStringLiteral("Quorvane Brindle"));
        QCOMPARE(client(*w)->size(), QSize(242, 262));
        QCOMPARE(w->minimumSize(), w->maximumSize());
        QCOMPARE(w->windowIcon().availableSizes(), QList<QSize>({{16, 16}, {32, 32}, {48, 48}}));
        QStringList bar;
        for (QAction* a : w->menuBar()->actions())
            bar << a->text();
        QCOMPARE(bar, QStringList({"Игра", "Загрузить", "Справка"}));
        QCOMPARE(w->menuBar()->layoutDirection(), Qt::LeftToRight);
        QVERIFY(w->findChild<QAction*>(QStringLiteral("HelpLine1"))->isSeparator());
        for (QAction* a : w->findChildren<QAction*>())
            QVERIFY(a->shortcut().isEmpty() && !a->text().contains(QLatin1Char('&')));
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
