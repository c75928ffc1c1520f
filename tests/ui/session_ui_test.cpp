// New game, Stop game with its confirmation, the clock and the icon in the real window,
// and the modal windows that hold the main window still, whatever sends it input.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "driver.h"
#include "ui/clock_label.h"
#include "ui/main_window.h"

using namespace brindle;
using namespace brindle::ui;
using namespace brindle::ui::testing;

namespace {

// The columns of `img` that hold any dark pixel, as [first, last].
QPair<int, int> inkColumns(const QImage& img) {
    int first = -1, last = -1;
    for (int x = 0; x < img.width(); ++x) {
        for (int y = 0; y < img.height(); ++y) {
            if (qGray(img.pixel(x, y)) < 128) {
                if (first < 0) first = x;
                last = x;
                break;
            }
        }
    }
    return {first, last};
}

}  // namespace

class SessionUiTest : public QObject {
    Q_OBJECT
    std::unique_ptr<MainWindow> w;

    QString caption(const char* name) { return label(*w, QLatin1String(name))->text(); }

  private slots:
    void initTestCase() { setUpApplication(); }
    void init() { w = openMainWindow(); }
    void cleanup() { w.reset(); }

    void theStopBoxAsksInRussianAndCancelChangesNothing() {
        clickAt(*w, cellCentre({2, 2}));
        fire(timer(*w, 7));
        fire(timer(*w, 1));
        const Game before = w->game();
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
            okIsDefault =
                box->defaultButton() == qobject_cast<QPushButton*>(box->button(QMessageBox::Ok));
            noIcon = box->icon() == QMessageBox::NoIcon;
            ownedByMain = box->parentWidget() == w.get() && box->isModal();
            QTest::mouseClick(box->button(QMessageBox::Cancel), Qt::LeftButton);
        });
        chooseMenu(*w, {"Game", "GameStop"});
        QCOMPARE(title, QStringLiteral("Brindle"));
        QCOMPARE(text, QStringLiteral("Игра будет остановлена. Все данные будут стерты!\n"
                                      "Продолжить?"));
        buttons.sort();
        QCOMPARE(buttons, QStringList({"OK", "Отмена"}));
        QVERIFY(okIsDefault && noIcon && ownedByMain);
        QCOMPARE(w->game(), before);
        stopGame(*w, QMessageBox::NoButton);  // Escape
        QCOMPARE(w->game(), before);
        QCOMPARE(differencesFromGame(*w), QStringList());
    }

    void aConfirmedStopCoversTheBoardAndNewGameStartsAfresh() {
        clickAt(*w, cellCentre({3, 3}));
        const QImage board = grabClient(*w);
        fire(timer(*w, 7));
        stopGame(*w, QMessageBox::Ok);
        QCOMPARE(stateOf(w->game()), GameState::Stopped);
        QCOMPARE(differencesFromGame(*w), QStringList());
        // The cover repeats the board's grid lines exactly, grey where the cells are, and
        // takes every click on the board.
        const QImage covered = grabClient(*w);
        for (int x = 0; x < 242; ++x) {
            for (int y = 0; y < 242; ++y) {
                const bool line = board.pixelColor(x, y) == QColor(Qt::black);
                QVERIFY2(
                    covered.pixelColor(x, y) == (line ? QColor(Qt::black) : QColor(192, 192, 192)),
                    qPrintable(QStringLiteral("pixel %1,%2").arg(x).arg(y)));
            }
        }
        const Board under = w->game().cells;
        for (int i = 0; i < kCellCount; ++i)
            clickAt(*w, cellCentre(posOf(i)));
        QCOMPARE(w->game().cells, under);

        chooseMenu(*w, {"Game", "GameNew"});
        QCOMPARE(stateOf(w->game()), GameState::Running);
        QCOMPARE(w->game().cells, Board::filled(Cell::Unlit));
        QVERIFY2(iconShows(*w, kStoppedPicture), "the still stays until Timer1 ticks");
        fire(timer(*w, 7));
        QCOMPARE(caption("Label3"), QStringLiteral("1"));
        QCOMPARE(differencesFromGame(*w), QStringList());
    }

    void theIconTurnsFromTimerToTimer() {
        for (int pass = 0; pass < 2; ++pass) {
            for (int n = 1; n <= 6; ++n) {
                QCOMPARE(activeRingTimers(*w), 1);
                fire(timer(*w, n));
                QVERIFY(iconShows(*w, frame(n)));
                QVERIFY(!timer(*w, n)->isActive());
            }
        }
        QVERIFY(timer(*w, 1)->isActive());
        // One real wait, bounded: the timers are wired to the event loop.
        QTRY_COMPARE_WITH_TIMEOUT(caption("Label3"), QStringLiteral("1"), 3000);
    }

    void theMinutesReadWholeAtAnyLength_data() {
        QTest::addColumn<QString>("minutes");
        for (const char* m : {"99", "100", "999", "9999", "32767"})
            QTest::newRow(m) << m;
    }
    void theMinutesReadWholeAtAnyLength() {
        QFETCH(QString, minutes);
        auto* label = w->findChild<ClockLabel*>(QStringLiteral("Label1"));
        label->setCaption(minutes);
        // The caption drawn by itself, unclipped, in the label's font.
        QImage alone(200, 20, QImage::Format_RGB32);
        alone.fill(Qt::white);
        {
            QPainter p(&alone);
            p.setFont(label->font());
            p.setPen(Qt::black);
            p.drawText(QPoint(10, 15), minutes);
        }
        const auto [aloneFirst, aloneLast] = inkColumns(alone);
        const int aloneWidth = aloneLast - aloneFirst + 1;
        // In the window: between the last segment and the colon, over the strip.
        const QImage strip = grabClient(*w).copy(178, 242 + 3, 208 - 178, 15);
        const auto [first, last] = inkColumns(strip);
        QVERIFY(first > 0);         // not cut off at the left, clear of the last segment
        QVERIFY(last + 178 < 201);  // and of the colon
        if (minutes.size() <= 3) {
            QCOMPARE(last - first + 1, aloneWidth);  // drawn as it is
        } else {
            QVERIFY(last - first + 1 >= aloneWidth * 7 / 10);  // narrower, but whole
        }
        if (minutes == QLatin1String("99")) QCOMPARE(label->geometry(), QRect(184, 3, 17, 17));
    }

    void modalWindowsHoldTheMainWindowForEveryWayIn_data() {
        QTest::addColumn<QString>("opener");
        QTest::newRow("stop box") << "GameStop";
        QTest::newRow("rules window") << "HelpHowToPlay";
        QTest::newRow("about window") << "HelpAuhtor";
    }
    void modalWindowsHoldTheMainWindowForEveryWayIn() {
        QFETCH(QString, opener);
        clickAt(*w, cellCentre({1, 1}));
        const Game before = w->game();
        int modals = 0;
        whenModalOpens([&](QWidget* modal) {
            // An assistive tool presses a cell and chooses menu entries behind the window.
            pressAccessibly(w->findChild<QWidget*>(QStringLiteral("rc_3_3")));
            for (const char* name : {"LoadDem3", "GameStop", "HelpPro"})
                w->findChild<QAction*>(QLatin1String(name))->trigger();
            const QWidgetList windows = QApplication::topLevelWidgets();
            modals = int(std::count_if(windows.begin(), windows.end(),
                                       [](QWidget* t) { return t->isVisible() && t->isModal(); }));
            if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                QTest::mouseClick(box->button(QMessageBox::Cancel), Qt::LeftButton);
            } else {
                modal->close();
            }
        });
        w->findChild<QAction*>(opener)->trigger();
        QCOMPARE(modals, 1);
        QCOMPARE(w->game(), before);
        pressAccessibly(w->findChild<QWidget*>(QStringLiteral("rc_3_3")));
        QVERIFY2(w->game().cells != before.cells, "the cells take presses again");
    }
};

QTEST_MAIN(SessionUiTest)
#include "session_ui_test.moc"
