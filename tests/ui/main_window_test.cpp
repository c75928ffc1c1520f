// The main window as the player sees it: frame, controls, stacking, menus, clicks.
#include <QAction>
#include <QFile>
#include <QImageReader>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QTimer>

#include "driver.h"
#include "ui/cell_view.h"
#include "ui/main_window.h"

using namespace brindle;
using namespace brindle::ui;
using namespace brindle::ui::testing;

QString assetFile(const char* name) {
    return QStringLiteral(BRINDLE_ASSETS "/") + QLatin1String(name);
}

class MainWindowTest : public QObject {
    Q_OBJECT
    std::unique_ptr<MainWindow> w;

    QWidget* control(const char* name) { return w->findChild<QWidget*>(QLatin1String(name)); }

  private slots:
    void initTestCase() { setUpApplication(); }
    void init() { w = openMainWindow(); }
    void cleanup() { w.reset(); }

    void frame() {
        QCOMPARE(w->objectName(), QStringLiteral("main"));
        QCOMPARE(w->windowTitle(), QStringLiteral("Quorvane Brindle"));
        QCOMPARE(client(*w)->size(), QSize(242, 262));
        QCOMPARE(client(*w)->pos().y(), w->menuBar()->height());
        QCOMPARE(w->minimumSize(), w->maximumSize());
        const Qt::WindowFlags f = w->windowFlags();
        QVERIFY(f.testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(f.testFlag(Qt::WindowCloseButtonHint));
        QVERIFY(!f.testFlag(Qt::WindowMaximizeButtonHint));
        QVERIFY(!w->windowIcon().isNull());
        QCOMPARE(w->windowIcon().availableSizes().size(), 3);  // 16, 32 and 48 px
    }

    void pictures() {
        const Pictures& p = w->pictures();
        auto interior = [](const QPixmap& pm) { return pm.toImage().pixelColor(25, 25); };
        auto corner = [](const QPixmap& pm) { return pm.toImage().pixelColor(0, 0); };
        QCOMPARE(p.white.size(), QSize(50, 50));
        QCOMPARE(p.yellow.size(), QSize(50, 50));
        QCOMPARE(interior(p.white), QColor(255, 255, 255));
        QCOMPARE(interior(p.yellow), QColor(255, 255, 0));
        QCOMPARE(corner(p.white), QColor(0, 0, 0));
        QCOMPARE(p.yellow.toImage().pixelColor(49, 25), QColor(0, 0, 0));
        QCOMPARE(p.cover().size(), QSize(242, 242));
        QCOMPARE(p.segment.size(), QSize(10, 15));
        QCOMPARE(p.segment.toImage().pixelColor(5, 7), QColor(0, 0, 128));
        // The diamond turns: how many columns each frame covers, on a transparent ground.
        const int widths[] = {13, 9, 5, 1, 5, 9, 13, 13};
        for (std::size_t i = 0; i < p.images.size(); ++i) {
            const QImage img = p.images[i].toImage();
            QCOMPARE(img.size(), QSize(16, 16));
            QVERIFY(img.hasAlphaChannel());
            QCOMPARE(img.pixelColor(0, 0).alpha(), 0);
            int columns = 0;
            for (int x = 0; x < 16; ++x) {
                bool any = false;
                for (int y = 0; y < 16; ++y)
                    any |= img.pixelColor(x, y).alpha() != 0;
                columns += any;
            }
            QCOMPARE(columns, widths[i]);
        }
        auto fill = [&](Picture pic) { return p.of(pic).toImage().pixelColor(7, 4); };
        QCOMPARE(fill(Picture::Image1), QColor(102, 204, 51));
        QCOMPARE(fill(kStoppedPicture), QColor(255, 0, 0));
        QCOMPARE(fill(kPuzzlePicture), QColor(255, 255, 0));
        // Six images in the icon: 48, 32 and 16 pixels, each at 4 and at 32 bits.
        QFile ico(assetFile("brindle.ico"));
        QVERIFY(ico.open(QIODevice::ReadOnly));
        const QByteArray bytes = ico.readAll();
        auto u16 = [&](int at) {
            return int(quint8(bytes[at])) | (int(quint8(bytes[at + 1])) << 8);
        };
        QCOMPARE(u16(2), 1);  // an icon, not a cursor
        QCOMPARE(u16(4), 6);
        QStringList images;
        for (int i = 0; i < 6; ++i) {
            const int entry = 6 + 16 * i;
            images << QStringLiteral("%1px %2bit").arg(quint8(bytes[entry])).arg(u16(entry + 6));
        }
        images.sort();
        QCOMPARE(images, QStringList({"16px 32bit", "16px 4bit", "32px 32bit", "32px 4bit",
                                      "48px 32bit", "48px 4bit"}));
        QCOMPARE(QImageReader(assetFile("brindle.ico")).imageCount(), 6);
    }

    void picturesAreThePixelsOfTheirFiles() {
        const Pictures& p = w->pictures();
        auto same = [](const QPixmap& shown, const char* file) {
            const QImage stored(assetFile(file));
            return !stored.isNull() && samePixels(shown.toImage(), stored);
        };
        QVERIFY(same(p.white, "white.bmp"));
        QVERIFY(same(p.yellow, "yellow.bmp"));
        QVERIFY(same(p.cover(), "cover.bmp"));
        QVERIFY(same(p.segment, "segment.bmp"));
        const char* gifs[] = {"frame1.gif", "frame2.gif", "frame3.gif",  "frame4.gif",
                              "frame5.gif", "frame6.gif", "stopped.gif", "puzzle.gif"};
        for (std::size_t i = 0; i < 8; ++i)
            QVERIFY2(same(p.images[i], gifs[i]), gifs[i]);
        QImageReader icon(assetFile("brindle.ico"));
        for (int i = 0; i < icon.imageCount(); ++i) {
            QVERIFY(icon.jumpToImage(i));
            const QImage stored = icon.read();
            const QImage shown = p.programIcon.pixmap(stored.size()).toImage();
            QVERIFY(samePixels(shown, stored));
        }
    }

    void controls_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("rect");  // pixels, relative to the parent
        QTest::addColumn<bool>("visible");
        auto row = [](const char* name, QRect r, bool visible) {
            QTest::newRow(name) << QString::fromLatin1(name) << r << visible;
        };
        row("rc_1_1", {0, 0, 50, 50}, true);
        row("rc_1_5", {192, 0, 50, 50}, true);
        row("rc_2_4", {144, 48, 50, 50}, true);
        row("rc_3_3", {96, 96, 50, 50}, true);
        row("rc_5_1", {0, 192, 50, 50}, true);
        row("rc_5_5", {192, 192, 50, 50}, true);
        row("Image9", {0, 0, 242, 242}, false);
        row("Stat", {48, 8, 17, 17}, false);
        row("white", {0, 192, 50, 50}, false);
        row("yellow", {48, 192, 50, 50}, false);
        row("StatusBar", {0, 242, 241, 25}, true);
        row("Picture1", {0, 0, 20, 20}, true);
        row("Process", {21, 0, 161, 20}, true);
        row("Time", {183, 0, 57, 20}, true);
        row("Label1", {184, 3, 17, 17}, true);
        row("Label2", {208, 3, 9, 25}, true);
        row("Label3", {216, 3, 17, 17}, true);
        row("pro1", {24, 3, 10, 15}, false);
        row("pro2", {36, 3, 10, 15}, false);
        row("pro10", {132, 3, 10, 15}, false);
        row("pro12", {156, 3, 10, 15}, false);
        row("pro13", {168, 3, 10, 15}, false);
        for (const char* image :
             {"Image1", "Image2", "Image3", "Image4", "Image5", "Image6", "Image7", "Image8"}) {
            QTest::newRow(image) << QString::fromLatin1(image) << QRect(0, 0, 16, 16) << false;
        }
    }
    void controls() {
        QFETCH(QString, name);
        QFETCH(QRect, rect);
        QFETCH(bool, visible);
        QWidget* c = w->findChild<QWidget*>(name);
        QVERIFY(c);
        QCOMPARE(c->geometry(), rect);
        QCOMPARE(c->isVisible(), visible);
    }

    void startingCaptions() {
        QCOMPARE(qobject_cast<QLabel*>(control("Stat"))->text(), QStringLiteral("1"));
        QCOMPARE(qobject_cast<QLabel*>(control("Label1"))->text(), QStringLiteral("0"));
        QCOMPARE(qobject_cast<QLabel*>(control("Label2"))->text(), QStringLiteral(":"));
        QCOMPARE(qobject_cast<QLabel*>(control("Label3"))->text(), QStringLiteral("0"));
        QVERIFY(qobject_cast<QLabel*>(control("Time"))->text().isEmpty());
        QVERIFY(qobject_cast<QLabel*>(control("Process"))->text().isEmpty());
        QVERIFY(iconShows(*w, Picture::Image1));
    }

    void stackingOrder() {
        // Siblings from the bottom up, as the toolkit keeps them.
        auto order = [](QWidget* parent) {
            QStringList names;
            for (QObject* o : parent->children()) {
                if (o->isWidgetType()) names << o->objectName();
            }
            return names;
        };
        const QStringList board = {"yellow", "white",  "rc_1_2", "rc_1_3", "rc_1_4", "rc_1_1",
                                   "rc_1_5", "rc_2_2", "rc_2_1", "rc_2_3", "rc_2_4", "rc_2_5",
                                   "rc_3_2", "rc_3_1", "rc_3_3", "rc_3_4", "rc_3_5", "rc_4_2",
                                   "rc_4_1", "rc_4_3", "rc_4_4", "rc_4_5", "rc_5_2", "rc_5_1",
                                   "rc_5_3", "rc_5_4", "rc_5_5", "Image9", "Stat",   "StatusBar"};
        QCOMPARE(order(client(*w)), board);
        const QStringList strip = {"Image6", "Image5", "Image4",  "Image3", "Image2", "Image1",
                                   "Image7", "Image8", "Process", "Time",   "Label1", "Label2",
                                   "Label3", "pro1",   "pro2",    "pro3",   "pro4",   "pro5",
                                   "pro6",   "pro7",   "pro8",    "pro9",   "pro10",  "pro11",
                                   "pro12",  "pro13",  "Picture1"};
        QCOMPARE(order(control("StatusBar")), strip);
    }

    void timers_data() {
        QTest::addColumn<int>("n");
        QTest::addColumn<int>("interval");
        QTest::addColumn<bool>("active");
        QTest::newRow("Timer1") << 1 << 200 << true;  // started by start-up
        for (int n = 2; n <= 6; ++n) {
            QTest::newRow(qPrintable(QStringLiteral("Timer%1").arg(n))) << n << 200 << false;
        }
        QTest::newRow("Timer7") << 7 << 1000 << true;
    }
    void timers() {
        QFETCH(int, n);
        QFETCH(int, interval);
        QFETCH(bool, active);
        QTimer* t = timer(*w, n);
        QVERIFY(t);
        QCOMPARE(t->interval(), interval);
        QCOMPARE(t->isActive(), active);
    }

    void menus() {
        struct Entry {
            const char* parent;
            const char* name;
            const char* caption;
            bool enabled;
        };
        const Entry entries[] = {
            {"", "Game", "Игра", true},
            {"Game", "GameNew", "Новая игра", false},
            {"Game", "GameStop", "Остановить игру", true},
            {"", "Load", "Загрузить", true},
            {"Load", "LoadFull", "Залитое поле", true},
            {"Load", "LoadDem", "Узоры", true},
            {"LoadDem", "LoadDem1", "Чередование 1", true},
            {"LoadDem", "LoadDem2", "Чередование 2", true},
            {"LoadDem", "LoadDem3", "Линия 1", true},
            {"LoadDem", "LoadDem4", "Линия 2", true},
            {"LoadDem", "LoadDem5", "Диагональ 1", true},
            {"LoadDem", "LoadDem6", "Диагональ 2", true},
            {"LoadDem", "LoadDem7", "Цель", true},
            {"LoadDem", "LoadDem8", "Точки", true},
            {"LoadDem", "LoadDem9", "Квадрат 1", true},
            {"LoadDem", "LoadDem10", "Квадрат 2", true},
            {"LoadDem", "LoadDem11", "Квадрат 3", true},
            {"LoadDem", "LoadDem12", "Ромб 1", true},
            {"LoadDem", "LoadDem13", "Ромб 2", true},
            {"LoadDem", "LoadDem14", "Ромб 3", true},
            {"LoadDem", "LoadDem15", "Рамка", true},
            {"", "Help", "Справка", true},
            {"Help", "HelpHowToPlay", "Как играть", true},
            {"Help", "HelpPro", "Возможности программы", true},
            {"Help", "HelpLine1", "", true},
            {"Help", "HelpAuhtor", "Автор", true},
        };
        // Each menu lists exactly its entries, in this order.
        QMap<QString, QStringList> expected;
        for (const Entry& e : entries)
            expected[QString::fromLatin1(e.parent)] << e.name;
        for (auto it = expected.begin(); it != expected.end(); ++it) {
            QWidget* menu = it.key().isEmpty() ? static_cast<QWidget*>(w->menuBar())
                                               : w->findChild<QMenu*>(it.key());
            QVERIFY(menu);
            QStringList names;
            for (QAction* a : menu->actions())
                names << a->objectName();
            QCOMPARE(names, it.value());
        }
        for (const Entry& e : entries) {
            QAction* a = w->findChild<QAction*>(QLatin1String(e.name));
            QVERIFY2(a, e.name);
            QCOMPARE(a->text(), QString::fromUtf8(e.caption));
            QCOMPARE(a->isEnabled(), e.enabled);
            QVERIFY(a->shortcut().isEmpty());
            QVERIFY(!a->isCheckable());
            QVERIFY(!a->text().contains(QLatin1Char('&')));
            QVERIFY(a->isVisible());
        }
        QVERIFY(w->findChild<QAction*>(QStringLiteral("HelpLine1"))->isSeparator());
    }

    void clicksReachTheCellOnTop_data() {
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("col");
        for (int i = 0; i < kCellCount; ++i) {
            const Pos p = posOf(i);
            QTest::addRow("centre of rc_%d_%d", p.row, p.col) << cellCentre(p) << p.row << p.col;
        }
        // The 2-pixel overlap strips.
        QTest::newRow("rc_1_1 over rc_1_2 at 48") << QPoint(48, 20) << 1 << 1;
        QTest::newRow("rc_1_1 over rc_1_2 at 49") << QPoint(49, 20) << 1 << 1;
        QTest::newRow("rc_1_3 over rc_1_2 at 96") << QPoint(96, 20) << 1 << 3;
        QTest::newRow("rc_1_3 over rc_1_2 at 97") << QPoint(97, 20) << 1 << 3;
        QTest::newRow("rc_1_4 over rc_1_3") << QPoint(145, 20) << 1 << 4;
        QTest::newRow("rc_1_5 over rc_1_4") << QPoint(192, 20) << 1 << 5;
        QTest::newRow("rc_3_1 over rc_3_2") << QPoint(49, 120) << 3 << 1;
        QTest::newRow("rc_4_5 over rc_4_4") << QPoint(193, 160) << 4 << 5;
        QTest::newRow("rc_2_1 over rc_1_1") << QPoint(20, 48) << 2 << 1;
        QTest::newRow("rc_2_1 over rc_1_1 at 49") << QPoint(20, 49) << 2 << 1;
        QTest::newRow("rc_5_3 over rc_4_3") << QPoint(120, 193) << 5 << 3;
        QTest::newRow("four cells meet") << QPoint(49, 49) << 2 << 1;
        QTest::newRow("bottom right pixel") << QPoint(241, 241) << 5 << 5;
    }
    void clicksReachTheCellOnTop() {
        QFETCH(QPoint, at);
        QFETCH(int, row);
        QFETCH(int, col);
        clickAt(*w, at);
        Board expected = Board::filled(Cell::Unlit);
        play(expected, {row, col});
        QCOMPARE(w->game().cells, expected);
        QCOMPARE(differencesFromGame(*w), QStringList());
    }

    void clicksOutsideTheBoardPlayNothing() {
        const Game before = w->game();
        for (QPoint at : {QPoint(10, 250), QPoint(100, 250), QPoint(200, 250), QPoint(241, 245)}) {
            clickAt(*w, at);
        }
        QCOMPARE(w->game().cells, before.cells);
    }

    void gridLinesAndColours() {
        clickAt(*w, cellCentre({1, 1}));  // rc_1_1, rc_1_2, rc_2_1 lit
        const QImage img = grabClient(*w);
        const QColor black(0, 0, 0), white(255, 255, 255), yellow(255, 255, 0);
        const int lines[] = {0, 49, 96, 144, 192, 241};
        const int rows[] = {0, 48, 96, 144, 192, 241};
        for (int x = 0; x < 242; ++x) {
            for (int y = 0; y < 242; ++y) {
                const bool onLine =
                    std::find(std::begin(lines), std::end(lines), x) != std::end(lines) ||
                    std::find(std::begin(rows), std::end(rows), y) != std::end(rows);
                const QColor c = img.pixelColor(x, y);
                if (onLine) {
                    QVERIFY2(c == black,
                             qPrintable(QStringLiteral("no line at %1,%2").arg(x).arg(y)));
                } else {
                    // Which cell's interior this is: the columns split at 49/96/144/192.
                    const int col = x < 49 ? 1 : x < 96 ? 2 : x < 144 ? 3 : x < 192 ? 4 : 5;
                    const int row = y / 48 + 1;
                    const bool lit = (row == 1 && col <= 2) || (row == 2 && col == 1);
                    QVERIFY2(c == (lit ? yellow : white),
                             qPrintable(QStringLiteral("pixel %1,%2").arg(x).arg(y)));
                }
            }
        }
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
