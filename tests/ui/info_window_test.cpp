// The Load menu's sixteen commands and the three Help windows, through the real menus.
#include <QAction>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QTest>
#include <QTimer>

#include "board/progress.h"
#include "driver.h"
#include "puzzles/load.h"
#include "ui/main_window.h"

using namespace brindle;
using namespace brindle::ui;
using namespace brindle::ui::testing;

long residentKb() {
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly)) return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.value(1).toLong() * 4;  // pages of 4 KiB
}

class InfoWindowTest : public QObject {
    Q_OBJECT
    std::unique_ptr<MainWindow> w;

    QLabel* label(const char* name) { return testing::label(*w, QLatin1String(name)); }

  private slots:
    void initTestCase() { setUpApplication(); }
    void init() { w = openMainWindow(); }
    void cleanup() { w.reset(); }

    void eachLoadCommandLoadsItsEntry_data() {
        QTest::addColumn<int>("entry");
        for (int i = 0; i < 16; ++i) {
            QTest::newRow(PuzzleCatalogue[static_cast<std::size_t>(i)].menuName.data()) << i;
        }
    }
    void eachLoadCommandLoadsItsEntry() {
        QFETCH(int, entry);
        const Puzzle& p = PuzzleCatalogue[static_cast<std::size_t>(entry)];
        const QString name = QString::fromLatin1(p.menuName.data());
        clickAt(*w, cellCentre({3, 3}));  // something to overwrite
        if (entry == 0) {
            chooseMenu(*w, {"Load", name});
        } else {
            chooseMenu(*w, {"Load", "LoadDem", name});
        }
        QCOMPARE(w->game().cells, boardOf(p));
        QVERIFY(iconShows(*w, kPuzzlePicture));
        int shown = 0;
        for (int k = 1; k <= kSegmentCount; ++k) {
            shown += label(qPrintable(QStringLiteral("pro%1").arg(k)))->isVisible();
        }
        QCOMPARE(shown, segmentsFor(Pro(boardOf(p)).lit));
        QCOMPARE(label("Stat")->text(), QStringLiteral("0"));
        QVERIFY(w->findChild<QAction*>(QStringLiteral("GameNew"))->isEnabled());
        QVERIFY(!w->findChild<QAction*>(QStringLiteral("GameStop"))->isEnabled());
        for (int n = 1; n <= 6; ++n)
            QVERIFY(!timer(*w, n)->isActive());
        QVERIFY(timer(*w, 7)->isActive());
        fire(timer(*w, 7));
        QCOMPARE(label("Label3")->text(), QStringLiteral("1"));
        QCOMPARE(label("Stat")->text(), QStringLiteral("1"));
    }

    void helpWindows_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QSize>("client");
        QTest::addColumn<QString>("closeArea");
        QTest::addColumn<QPoint>("point");
        const struct {
            const char *command, *name, *caption;
            QSize client;
            const char* closeArea;
        } windows[] = {
            {"HelpHowToPlay", "howtoplay", "Как играть", {325, 119}, "Label4"},
            {"HelpPro", "apro", "Возможности программы", {312, 292}, "Label8"},
            {"HelpAuhtor", "about", "О Brindle", {325, 78}, "Label4"},
        };
        for (const auto& win : windows) {
            // An empty corner, the icon, the heading, a text, and the far corner.
            const QPoint points[] = {{2, 2},
                                     {30, 30},
                                     {100, 12},
                                     {150, 40},
                                     {win.client.width() - 1, win.client.height() - 1}};
            for (QPoint p : points) {
                QTest::addRow("%s at %d,%d", win.name, p.x(), p.y())
                    << win.command << win.name << QString::fromUtf8(win.caption) << win.client
                    << win.closeArea << p;
            }
        }
    }
    void helpWindows() {
        QFETCH(QString, command);
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QSize, client);
        QFETCH(QString, closeArea);
        QFETCH(QPoint, point);
        clickAt(*w, cellCentre({2, 2}));
        const Game before = w->game();
        bool seen = false;
        whenModalOpens([&](QWidget* modal) {
            seen = true;
            QCOMPARE(modal->objectName(), name);
            QCOMPARE(modal->windowTitle(), caption);
            QCOMPARE(modal->size(), client);
            QCOMPARE(modal->minimumSize(), modal->maximumSize());
            QVERIFY(!modal->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
            QVERIFY(!modal->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
            QCOMPARE(modal->parentWidget(), w.get());
            QVERIFY(modal->isModal());
            // Whatever lies at the point, the close area is on top of it.
            QWidget* top = modal->childAt(point);
            QVERIFY(top);
            QCOMPARE(top->objectName(), closeArea);
            QTest::mouseClick(modal->windowHandle(), Qt::LeftButton, Qt::NoModifier, point);
        });
        chooseMenu(*w, {"Help", command});
        QVERIFY(seen);
        QVERIFY2(!w->findChild<QDialog*>(name), "the window is discarded when it closes");
        QCOMPARE(w->game().cells, before.cells);
        QCOMPARE(w->game().progress, before.progress);
        QCOMPARE(w->game().GameNew, before.GameNew);
        QCOMPARE(w->game().GameStop, before.GameStop);
        QCOMPARE(w->game().clock.running, before.clock.running);
        QVERIFY(timer(*w, 7)->isActive());
    }

    void reopeningBuildsTheWindowAnew() {
        for (int i = 0; i < 5; ++i) {
            QWidget* opened = nullptr;
            whenModalOpens([&](QWidget* modal) {
                opened = modal;
                QCOMPARE(modal->objectName(), QStringLiteral("howtoplay"));
                QTest::mouseClick(modal->windowHandle(), Qt::LeftButton, Qt::NoModifier, {5, 5});
            });
            chooseMenu(*w, {"Help", "HelpHowToPlay"});
            QVERIFY(opened);
        }
    }

    void openingAndClosingKeepsMemoryFlat() {
        const int rounds = 10000;
        const int warmUp = rounds / 10;
        const char* commands[] = {"HelpHowToPlay", "HelpPro", "HelpAuhtor"};
        long settled = 0;
        int opened = 0;
        for (int i = 0; i < rounds; ++i) {
            for (const char* command : commands) {
                whenModalOpens([&opened](QWidget* modal) {
                    ++opened;
                    QTest::mouseClick(modal->windowHandle(), Qt::LeftButton, Qt::NoModifier,
                                      {5, 5});
                });
                w->findChild<QAction*>(QLatin1String(command))->trigger();
            }
            if (i == warmUp) settled = residentKb();
        }
        QCOMPARE(opened, 3 * rounds);
        QVERIFY(!w->findChild<QDialog*>());
        const long grown = residentKb() - settled;
        qInfo("%d openings of each window; resident memory grew by %ld KiB after the first %d",
              rounds, grown, warmUp);
#if !defined(__SANITIZE_ADDRESS__)
        // ASan's allocator holds freed memory back on purpose, so only the plain build
        // can bound the resident size; LeakSanitizer checks the sanitized one at exit.
        QVERIFY2(grown < 1024, "each opening must give back what it took");
#endif
    }

    void aproShowsTheLegendOfTheStatusIcon() {
        QStringList texts;
        QList<bool> pictures;
        whenModalOpens([&](QWidget* modal) {
            for (const char* n :
                 {"Label1", "Label2", "Label3", "Label4", "Label5", "Label6", "Label7"}) {
                texts << modal->findChild<QLabel*>(QLatin1String(n))->text();
            }
            auto pic = [&](const char* n) {
                return modal->findChild<QLabel*>(QLatin1String(n))->pixmap();
            };
            pictures << samePicture(pic("Image2"), w->pictures().of(Picture::Image1))
                     << samePicture(pic("Image3"), w->pictures().of(kPuzzlePicture))
                     << samePicture(pic("Image4"), w->pictures().of(kStoppedPicture));
            QCOMPARE(modal->findChild<QLabel*>(QStringLiteral("Image4"))->geometry(),
                     QRect(64, 200, 16, 16));
            QCOMPARE(modal->findChild<QLabel*>(QStringLiteral("Label7"))->geometry(),
                     QRect(64, 224, 241, 57));
            QCOMPARE(modal->findChild<QLabel*>(QStringLiteral("Image1"))->geometry(),
                     QRect(8, 8, 48, 48));
            modal->close();
        });
        chooseMenu(*w, {"Help", "HelpPro"});
        QCOMPARE(texts.value(0), QStringLiteral("Quorvane Brindle (версия 1.0)"));
        QCOMPARE(texts.value(1),
                 QStringLiteral("Вы можете остановить или запустить игру из меню \"Игра\". "
                                "В программе есть возможность загружать разные узоры из меню "
                                "\"Узоры\". В меню \"Справка\" вы можете получить "
                                "дополнительную информацию о программе."));
        QCOMPARE(texts.value(3), QStringLiteral("-  игра работает и можно в неё играть"));
        QCOMPARE(texts.value(4), QStringLiteral("-  игра приостановлена, загружен узор"));
        QCOMPARE(texts.value(5), QStringLiteral("-  игра остановлена, играть в неё нельзя"));
        QCOMPARE(pictures, QList<bool>({true, true, true}));
    }
};

QTEST_MAIN(InfoWindowTest)
#include "info_window_test.moc"
