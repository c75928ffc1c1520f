// The windows as the player sees them: the pictures, the texts in their font and at
// their places, the bar, the menus, and at the screen scale in QT_SCALE_FACTOR the
// board's grid and cover and which cell a click on any device pixel plays. ctest runs
// it all at scale 1, what depends on the scale again at 1.25, 1.5, 2 and 3, and the
// frame checks on a real X server under openbox (with_window_manager.py).
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QProcess>
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

struct Text {
    QRect twips;  // where the layout puts it
    const char* text;
};

QString xprop(QWidget* w, const char* property) {
    QProcess p;
    p.start(QStringLiteral("xprop"),
            {QStringLiteral("-id"), QString::number(w->winId()), QLatin1String(property)});
    p.waitForFinished();
    return QString::fromLocal8Bit(p.readAllStandardOutput());
}

}  // namespace

class LookTest : public QObject {
    Q_OBJECT
    std::unique_ptr<MainWindow> w;
    qreal scale = 1;

    int device(qreal logical) const { return int(std::floor(logical * scale)); }

    // Six vertical and six horizontal black lines over the board, all of one width, each
    // unbroken from edge to edge, where the layout puts them; between them only `fills`.
    void checkGrid(const QSet<QRgb>& fills) {
        const QImage img = grabClient(*w);
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
            QVERIFY2(std::abs(across[i].first - columns[i] * scale) < 1.0,
                     qPrintable(QString::number(i)));
            QVERIFY2(std::abs(down[i].first - rows[i] * scale) < 1.0,
                     qPrintable(QString::number(i)));
            for (int t = 0; t <= side; ++t) {
                QVERIFY2(black(img.pixel(across[i].first, t)), "a vertical line is broken");
                QVERIFY2(black(img.pixel(t, down[i].first)), "a horizontal line is broken");
            }
        }
        for (int y = 0; y <= side; ++y) {
            for (int x = 0; x <= side; ++x) {
                const QRgb c = img.pixel(x, y) | 0xff000000u;
                QVERIFY2(c == kBlack || fills.contains(c), "a colour of the board's own making");
            }
        }
    }

  private slots:
    void initTestCase() {
        setUpApplication();
        scale = qEnvironmentVariable("QT_SCALE_FACTOR", QStringLiteral("1")).toDouble();
    }
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

    void theClientAreaAndTheMenuBar() {
        QCOMPARE(client(*w)->size(), QSize(242, 262));
        QStringList bar;
        for (QAction* a : w->menuBar()->actions())
            bar << a->text();
        QCOMPARE(bar, QStringList({"Игра", "Загрузить", "Справка"}));
    }

    void theBoardStaysCrisp() {
        clickAt(*w, cellCentre({2, 2}));
        checkGrid({qRgb(255, 255, 255), qRgb(255, 255, 0)});
    }

    void theCoverStaysCrisp() {
        stopGame(*w, QMessageBox::Ok);
        checkGrid({qRgb(192, 192, 192)});
    }

    void aClickPlaysTheCellDrawnAtItsDevicePixel() {
        w->findChild<QAction*>(QStringLiteral("LoadDem1"))->trigger();  // neighbours differ
        const QImage img = grabClient(*w);
        const Board start = w->game().cells;
        const QPointF origin = client(*w)->mapTo(w.get(), QPoint());
        auto clickDevice = [&](QPoint d) {
            const QPointF at = origin + (QPointF(d) + QPointF(0.5, 0.5)) / scale;
            for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
                QMouseEvent e(type, at, at, w->mapToGlobal(at), Qt::LeftButton,
                              type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                              Qt::NoModifier);
                QApplication::sendEvent(w->windowHandle(), &e);
            }
        };
        // Every device pixel across each 2-pixel overlap strip, one more either side: the
        // click plays one of the two cells, and off the grid lines the one drawn there.
        for (int line = 1; line <= 4; ++line) {
            for (int across = 0; across < 5; ++across) {
                for (int d = device(48 * line - 1); d <= device(48 * line + 3); ++d) {
                    for (bool vertical : {true, false}) {
                        const int mid = device(48 * across + 24);
                        const QPoint at = vertical ? QPoint(d, mid) : QPoint(mid, d);
                        const Pos a = vertical ? Pos{across + 1, line} : Pos{line, across + 1};
                        const Pos b =
                            vertical ? Pos{across + 1, line + 1} : Pos{line + 1, across + 1};
                        Board viaA = start, viaB = start;
                        play(viaA, a);
                        play(viaB, b);
                        const QRgb c = img.pixel(at) & 0xffffff;
                        const Board& drawn = start.isLit(a) == (c == 0xffff00) ? viaA : viaB;
                        clickDevice(at);
                        const Board now = w->game().cells;
                        QVERIFY2(c == 0 ? now == viaA || now == viaB : now == drawn,
                                 qPrintable(QStringLiteral("device %1,%2").arg(d).arg(mid)));
                        clickDevice(at);  // undo
                    }
                }
            }
        }
    }

    void theTitleAndMenuBarStayOnTheScreen() {
        // At 3 the offscreen screen (800 x 600 device pixels) is smaller than the window.
        const QRect area = w->screen()->availableGeometry();
        QVERIFY(area.contains(w->frameGeometry().topLeft()));
        QVERIFY(area.contains(w->menuBar()->mapTo(w.get(), QPoint()) + w->pos()));
    }

    void eachInfoWindowDrawsItsTextsAndRuleInPlace_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QList<Text>>("texts");
        const Text heading{{960, 120, 2655, 255}, "Quorvane Brindle (версия 1.0)"};
        QTest::newRow("howtoplay")
            << "HelpHowToPlay"
            << "Как играть" << QSize(325, 119)
            << QList<Text>{heading,
                           {{960, 480, 3495, 495},
                            "Цель игры - залить всё поле желтым цветом с помощью плюсиков. Это "
                            "трудная задача."},
                           {{960, 960, 3495, 615},
                            "Если часть плюсика окажется на уже заокрашен желтым цветом "
                            "квадратом, то этот квадрат станет белым."}};
        QTest::newRow("apro")
            << "HelpPro"
            << "Возможности программы" << QSize(312, 292)
            << QList<Text>{heading,
                           {{960, 480, 3495, 1215},
                            "Вы можете остановить или запустить игру из меню \"Игра\". В "
                            "программе есть возможность загружать разные узоры из меню "
                            "\"Узоры\". В меню \"Справка\" вы можете получить дополнительную "
                            "информацию о программе."},
                           {{1320, 2520, 3135, 255}, "-  игра работает и можно в неё играть"},
                           {{1320, 2760, 3135, 255}, "-  игра приостановлена, загружен узор"},
                           {{1320, 3000, 3135, 255}, "-  игра остановлена, играть в неё нельзя"},
                           {{960, 3360, 3615, 855},
                            "По центру роспологается шкала, показывающая процент заполнения "
                            "поля. Рядом расположен таймер, который показывает время игры."}};
        QTest::newRow("about") << "HelpAuhtor"
                               << "О Brindle" << QSize(325, 78) << QList<Text>{heading};
    }
    void eachInfoWindowDrawsItsTextsAndRuleInPlace() {
        QFETCH(QString, command);
        QFETCH(QString, caption);
        QFETCH(QSize, size);
        QFETCH(QList<Text>, texts);
        QImage shown;
        whenModalOpens([&](QWidget* modal) {
            QCOMPARE(modal->windowTitle(), caption);
            QCOMPARE(modal->size(), size);
            QCOMPARE(modal->minimumSize(), modal->maximumSize());
            QVERIFY(!modal->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
            QVERIFY(!modal->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
            QVERIFY(modal->isModal() && modal->parentWidget() == w.get());
            shown = modal->grab().toImage().convertToFormat(QImage::Format_RGB32);
            modal->close();
        });
        chooseMenu(*w, {"Help", command});
        // Each text, drawn by a plain painter at the layout's place, is what the window shows.
        const QColor ground = w->palette().window().color();
        for (const Text& t : texts) {
            const QRect box((t.twips.x() + 7) / 15, (t.twips.y() + 7) / 15,
                            (t.twips.width() + 7) / 15, (t.twips.height() + 7) / 15);
            QImage expected(shown.size(), QImage::Format_RGB32);
            expected.fill(ground);
            QPainter p(&expected);
            p.setFont(QApplication::font());
            p.setPen(w->palette().windowText().color());
            p.drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                       QString::fromUtf8(t.text));
            p.end();
            for (int y = box.top(); y <= box.bottom(); ++y) {
                if (y == 24) continue;  // the rule, drawn over the heading's box
                for (int x = box.left(); x <= box.right(); ++x)
                    QVERIFY2(shown.pixel(x, y) == expected.pixel(x, y), t.text);
            }
        }
        // The rule: one unbroken pixel row from (64, 24) to (296, 24), nothing above or below.
        const QRgb rule = shown.pixel(64, 24);
        QVERIFY(rule != ground.rgb());
        for (int x = 64; x <= 296; ++x) {
            QCOMPARE(shown.pixel(x, 24), rule);
            QCOMPARE(shown.pixel(x, 23), ground.rgb());
            QCOMPARE(shown.pixel(x, 25), ground.rgb());
        }
    }

    void theWholeWindowIsCentredOrKeptInReach() {
        if (QGuiApplication::platformName() != QLatin1String("xcb")) QSKIP("needs an X server");
        // Along each axis: centred (to half a pixel), or at the screen's edge when it is
        // larger than the screen, so that the title bar and menu bar stay in reach.
        const QRect screen = w->screen()->geometry();
        auto placed = [](int at, int size, int room) {
            return size > room ? at == 0 : std::abs(2 * at + size - room) <= 1;
        };
        QRect f;  // the whole window, frame and title bar included
        QTRY_VERIFY2_WITH_TIMEOUT(
            (f = w->frameGeometry(), f.height() > w->height() &&
                                         placed(f.x(), f.width(), screen.width()) &&
                                         placed(f.y(), f.height(), screen.height())),
            qPrintable(QStringLiteral("frame at %1,%2 size %3x%4")
                           .arg(f.x())
                           .arg(f.y())
                           .arg(f.width())
                           .arg(f.height())),
            3000);
        QVERIFY(xprop(w.get(), "_NET_WM_NAME").contains(QLatin1String("\"Quorvane Brindle\"")));
        const QString actions = xprop(w.get(), "_NET_WM_ALLOWED_ACTIONS");
        QVERIFY(actions.contains(QLatin1String("_NET_WM_ACTION_MINIMIZE")));
        QVERIFY(!actions.contains(QLatin1String("MAXIMIZE")));
        QVERIFY(!actions.contains(QLatin1String("_NET_WM_ACTION_RESIZE")));
        QVERIFY(xprop(w.get(), "_NET_WM_ICON").contains(QLatin1String("Icon (16 x 16)")));
    }

    void theInformationWindowsHaveNoIconAndAFixedSize() {
        if (QGuiApplication::platformName() != QLatin1String("xcb")) QSKIP("needs an X server");
        for (const char* command : {"HelpHowToPlay", "HelpPro", "HelpAuhtor"}) {
            QString icon, actions;
            whenModalOpens([&](QWidget* modal) {
                QTRY_VERIFY(modal->frameGeometry().height() > modal->height());
                icon = xprop(modal, "_NET_WM_ICON");
                actions = xprop(modal, "_NET_WM_ALLOWED_ACTIONS");
                modal->close();
            });
            w->findChild<QAction*>(QLatin1String(command))->trigger();
            QVERIFY2(icon.contains(QLatin1String("not found")), command);
            QVERIFY(actions.contains(QLatin1String("_NET_WM_ACTION_CLOSE")));
            QVERIFY(!actions.contains(QLatin1String("_NET_WM_ACTION_RESIZE")));
            QVERIFY(!actions.contains(QLatin1String("MAXIMIZE")));
        }
    }
};

QTEST_MAIN(LookTest)
#include "look_test.moc"
