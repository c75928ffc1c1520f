// New game, Stop game with its confirmation, the clock and the icon in the real window.
#include <QAbstractButton>
#include <QAction>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "board/progress.h"
#include "driver.h"
#include "ui/main_window.h"

using namespace brindle;
using namespace brindle::ui;
using namespace brindle::ui::testing;

class SessionUiTest : public QObject {
    Q_OBJECT
    std::unique_ptr<MainWindow> w;

    QLabel* label(const char* name) { return testing::label(*w, QLatin1String(name)); }
    QAction* action(const char* name) { return w->findChild<QAction*>(QLatin1String(name)); }
    QString caption(const char* name) { return label(name)->text(); }
    bool showsPicture(Picture p) { return iconShows(*w, p); }
    int visibleSegments() { return testing::visibleSegments(*w); }
    int activeRingTimers() { return testing::activeRingTimers(*w); }
    // Chooses Game > Stop game and answers the box with the given button.
    void stop(QMessageBox::StandardButton answer) {
        whenModalOpens([answer](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            QVERIFY(box);
            QTest::mouseClick(box->button(answer), Qt::LeftButton);
        });
        chooseMenu(*w, {"Game", "GameStop"});
    }

  private slots:
    void initTestCase() { setUpApplication(); }
    void init() { w = openMainWindow(); }
    void cleanup() { w.reset(); }

    void theStopBoxAsksInRussian() {
        QString title, text;
        QStringList buttons;
        bool okIsDefault = false, noIcon = false, ownedByMain = false;
        whenModalOpens([&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            QVERIFY(box);
            title = box->windowTitle();
            text = box->text();
            for (QAbstractButton* b : box->buttons())
                buttons << b->text();
            okIsDefault = box->defaultButton() == box->button(QMessageBox::Ok);
            noIcon = box->icon() == QMessageBox::NoIcon;
            ownedByMain = box->parentWidget() == w.get() && box->isModal();
            QTest::keyClick(box, Qt::Key_Escape);
        });
        chooseMenu(*w, {"Game", "GameStop"});
        QCOMPARE(title, QStringLiteral("Brindle"));
        QCOMPARE(text.split(QLatin1Char('\n')),
                 QStringList({"Игра будет остановлена. Все данные будут стерты!", "Продолжить?"}));
        buttons.sort();
        QCOMPARE(buttons, QStringList({"OK", "Отмена"}));  // as Qt's Russian translation has them
        QVERIFY(okIsDefault);
        QVERIFY(noIcon);
        QVERIFY(ownedByMain);
    }

    void cancelOrEscapeChangesNothing() {
        clickAt(*w, cellCentre({2, 2}));
        fire(timer(*w, 7));
        fire(timer(*w, 1));
        const Game before = w->game();
        stop(QMessageBox::Cancel);
        QCOMPARE(w->game(), before);
        whenModalOpens([](QWidget* box) { QTest::keyClick(box, Qt::Key_Escape); });
        chooseMenu(*w, {"Game", "GameStop"});
        QCOMPARE(w->game(), before);
        QVERIFY(timer(*w, 7)->isActive());
        QVERIFY(timer(*w, 2)->isActive());
        QCOMPARE(visibleSegments(), 2);
    }

    void confirmedStopHaltsAndCovers() {
        clickAt(*w, cellCentre({3, 3}));
        const QImage board = grabClient(*w);
        for (int i = 0; i < 3; ++i)
            fire(timer(*w, 7));
        fire(timer(*w, 1));
        stop(QMessageBox::Ok);
        QVERIFY(w->findChild<QWidget*>(QStringLiteral("Image9"))->isVisible());
        QCOMPARE(caption("Label1"), QStringLiteral("0"));
        QCOMPARE(caption("Label3"), QStringLiteral("0"));
        QCOMPARE(caption("Stat"), QStringLiteral("0"));
        QCOMPARE(visibleSegments(), 0);
        QVERIFY(showsPicture(kStoppedPicture));
        QVERIFY(!timer(*w, 7)->isActive());
        QCOMPARE(activeRingTimers(), 0);
        QVERIFY(action("GameNew")->isEnabled());
        QVERIFY(!action("GameStop")->isEnabled());

        // The cover repeats the board's grid lines exactly, grey where the cells are.
        const QImage covered = grabClient(*w);
        for (int x = 0; x < 242; ++x) {
            for (int y = 0; y < 242; ++y) {
                const bool line = board.pixelColor(x, y) == QColor(Qt::black);
                QVERIFY2(
                    covered.pixelColor(x, y) == (line ? QColor(Qt::black) : QColor(192, 192, 192)),
                    qPrintable(QStringLiteral("pixel %1,%2").arg(x).arg(y)));
            }
        }
        // And it takes every click on the board.
        const Board under = w->game().cells;
        for (int i = 0; i < kCellCount; ++i)
            clickAt(*w, cellCentre(posOf(i)));
        clickAt(*w, {48, 20});
        QCOMPARE(w->game().cells, under);
    }

    void newGameAfterStop() {
        clickAt(*w, cellCentre({1, 1}));
        stop(QMessageBox::Ok);
        chooseMenu(*w, {"Game", "GameNew"});
        QVERIFY(!w->findChild<QWidget*>(QStringLiteral("Image9"))->isVisible());
        QCOMPARE(w->game().cells, Board::filled(Cell::Unlit));
        QCOMPARE(visibleSegments(), 0);
        QVERIFY(!action("GameNew")->isEnabled());
        QVERIFY(action("GameStop")->isEnabled());
        QVERIFY(timer(*w, 7)->isActive());
        QVERIFY(timer(*w, 1)->isActive());
        QCOMPARE(activeRingTimers(), 1);
        QVERIFY2(showsPicture(kStoppedPicture), "the still stays until Timer1 ticks");
        fire(timer(*w, 1));
        QVERIFY(showsPicture(Picture::Image1));
        fire(timer(*w, 7));
        QCOMPARE(caption("Label1"), QStringLiteral("0"));
        QCOMPARE(caption("Label3"), QStringLiteral("1"));
        clickAt(*w, cellCentre({5, 5}));
        QCOMPARE(visibleSegments(), 1);
    }

    void theRingHandsOnFromTimerToTimer() {
        for (int pass = 0; pass < 2; ++pass) {
            for (int n = 1; n <= 6; ++n) {
                QVERIFY(timer(*w, n)->isActive());
                QCOMPARE(activeRingTimers(), 1);
                fire(timer(*w, n));
                QVERIFY(showsPicture(frame(n)));
                QVERIFY(!timer(*w, n)->isActive());
            }
        }
        QVERIFY(timer(*w, 1)->isActive());
    }

    void realTimersRun() {
        // One real wait, bounded: the timers are wired to the event loop.
        QTRY_COMPARE_WITH_TIMEOUT(caption("Label3"), QStringLiteral("1"), 3000);
        QVERIFY(!showsPicture(Picture::Image1) || timer(*w, 2)->isActive());
    }
};

QTEST_MAIN(SessionUiTest)
#include "session_ui_test.moc"
