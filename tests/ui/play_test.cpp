// Playing the game in the real window: New game, Stop game and its confirmation, the
// clock and the icon, the Load menu and the Help windows through the real menus; the
// keyboard on the board and the window as a screen reader sees it; and the modal
// windows that hold the main window still, whatever sends it input.
#include <QAbstractButton>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <cstring>

#include "driver.h"
#include "puzzles/load.h"
#include "ui/cell_view.h"
#include "ui/clock_label.h"
#include "ui/main_window.h"
#include "ui/qt_text.h"

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

Board afterClicks(std::initializer_list<Pos> clicks) {
    Board b = Board::filled(Cell::Unlit);
    for (Pos p : clicks)
        play(b, p);
    return b;
}

long residentKb() {
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly)) return 0;
    return statm.readAll().split(' ').value(1).toLong() * 4;  // pages of 4 KiB
}

}  // namespace

class PlayTest : public QObject {
    Q_OBJECT
    std::unique_ptr<MainWindow> w;

    QString caption(const char* name) { return label(*w, QLatin1String(name))->text(); }
    CellView* cell(Pos p) {
        return w->findChild<CellView*>(QStringLiteral("rc_%1_%2").arg(p.row).arg(p.col));
    }
    // The cells that show the marker, as "r,c".
    QStringList marked() {
        QStringList out;
        for (int i = 0; i < kCellCount; ++i) {
            if (cell(posOf(i))->isMarked()) {
                out << QStringLiteral("%1,%2").arg(posOf(i).row).arg(posOf(i).col);
            }
        }
        return out;
    }
    void keys(std::initializer_list<Qt::Key> list) {
        for (Qt::Key k : list)
            QTest::keyClick(w->windowHandle(), k);
    }
    QAccessibleInterface* accessible(const char* name) {
        return QAccessible::queryAccessibleInterface(w->findChild<QObject*>(QLatin1String(name)));
    }

  private slots:
    void initTestCase() { setUpApplication(); }
    void init() {
        w = openMainWindow();
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
    }
    void cleanup() { w.reset(); }

    void stopAsksFirstThenCoversTheBoardUntilANewGame() {
        clickAt(*w, cellCentre({2, 2}));
        fire(timer(*w, 7));
        fire(timer(*w, 1));
        const Game before = w->game();
        QStringList seen;  // title, text, default button, then all buttons in order
        bool ownModalWithoutIcon = false;
        whenModalOpens([&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            QVERIFY(box);
            QStringList buttons;
            for (QAbstractButton* b : box->buttons())
                buttons << b->text();
            buttons.sort();
            seen << box->windowTitle() << box->text()
                 << (box->defaultButton() ? box->defaultButton()->text() : QString()) << buttons;
            ownModalWithoutIcon = box->icon() == QMessageBox::NoIcon &&
                                  box->parentWidget() == w.get() && box->isModal();
            QTest::mouseClick(box->button(QMessageBox::Cancel), Qt::LeftButton);
        });
        chooseMenu(*w, {"Game", "GameStop"});
        QCOMPARE(seen, QStringList({"Brindle",
                                    "Игра будет остановлена. Все данные будут стерты!\n"
                                    "Продолжить?",
                                    "OK", "OK", "Отмена"}));
        QVERIFY(ownModalWithoutIcon);
        QCOMPARE(w->game(), before);
        stopGame(*w, QMessageBox::NoButton);  // Escape
        QCOMPARE(w->game(), before);

        stopGame(*w, QMessageBox::Ok);
        QCOMPARE(stateOf(w->game()), GameState::Stopped);
        QCOMPARE(differencesFromGame(*w), QStringList());
        // The cover takes every click on the board, the keys and a screen reader's press.
        const Game covered = w->game();
        for (int i = 0; i < kCellCount; ++i)
            clickAt(*w, cellCentre(posOf(i)));
        keys({Qt::Key_Right, Qt::Key_Space});  // one press: two would undo each other
        pressAccessibly(cell({2, 2}));
        QCOMPARE(w->game(), covered);

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

    void theMinutesReadWholeAtAnyLength() {
        auto* label = w->findChild<ClockLabel*>(QStringLiteral("Label1"));
        QCOMPARE(label->geometry(), QRect(184, 3, 17, 17));
        for (const char* minutes : {"99", "999", "9999", "32767"}) {
            label->setCaption(QLatin1String(minutes));
            const int natural = QFontMetrics(label->font()).horizontalAdvance(minutes);
            // Between the last segment and the colon, over the strip: short ones as they
            // are, longer ones narrower, but whole.
            const QImage strip = grabClient(*w).copy(178, 242 + 3, 208 - 178, 15);
            const auto [first, last] = inkColumns(strip);
            QVERIFY2(first > 0 && last + 178 < 201, minutes);
            const int least = std::strlen(minutes) <= 3 ? natural - 1 : natural * 6 / 10;
            QVERIFY2(last - first + 1 >= least, minutes);
        }
    }

    void modalWindowsHoldTheMainWindowAndAClickClosesThem_data() {
        QTest::addColumn<QString>("opener");
        QTest::addColumn<QPoint>("click");  // where a click closes the window
        QTest::newRow("stop box") << "GameStop" << QPoint();
        QTest::newRow("rules, on a text") << "HelpHowToPlay" << QPoint(150, 40);
        QTest::newRow("features, on the icon") << "HelpPro" << QPoint(30, 30);
        QTest::newRow("about, far corner") << "HelpAuhtor" << QPoint(311, 77);
    }
    void modalWindowsHoldTheMainWindowAndAClickClosesThem() {
        QFETCH(QString, opener);
        QFETCH(QPoint, click);
        clickAt(*w, cellCentre({1, 1}));
        const Game before = w->game();
        int modals = 0;
        bool closed = false;
        whenModalOpens([&](QWidget* modal) {
            // An assistive tool presses a cell and chooses menu entries behind the window.
            pressAccessibly(cell({3, 3}));
            for (const char* name : {"LoadDem3", "GameStop", "HelpPro"})
                w->findChild<QAction*>(QLatin1String(name))->trigger();
            const QWidgetList windows = QApplication::topLevelWidgets();
            modals = int(std::count_if(windows.begin(), windows.end(),
                                       [](QWidget* t) { return t->isVisible() && t->isModal(); }));
            if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                QTest::mouseClick(box->button(QMessageBox::Cancel), Qt::LeftButton);
            } else {
                QTest::mouseClick(modal->windowHandle(), Qt::LeftButton, Qt::NoModifier, click);
            }
            closed = !modal->isVisible();
        });
        w->findChild<QAction*>(opener)->trigger();
        QCOMPARE(modals, 1);
        QVERIFY(closed);
        QVERIFY2(!w->findChild<QDialog*>(), "the window is discarded when it closes");
        QCOMPARE(w->game(), before);
        QCOMPARE(differencesFromGame(*w), QStringList());
        pressAccessibly(cell({3, 3}));
        QVERIFY2(w->game().cells != before.cells, "the cells take presses again");
    }

    void arrowsMoveTheMarkerAndSpaceOrEnterPlays() {
        QCOMPARE(QApplication::focusWidget(), client(*w));
        for (Qt::Key stray : {Qt::Key_Space, Qt::Key_Return}) {
            keys({stray});  // nothing in sight, nothing played
            QCOMPARE(marked(), QStringList());
            QCOMPARE(w->game().cells, Board::filled(Cell::Unlit));
        }
        keys({Qt::Key_Right});
        QCOMPARE(marked(), QStringList({"3,3"}));  // the first key only shows the marker
        QCOMPARE(w->game().cells, Board::filled(Cell::Unlit));
        keys({Qt::Key_Right, Qt::Key_Space});
        QCOMPARE(marked(), QStringList({"3,4"}));
        QCOMPARE(w->game().cells, afterClicks({{3, 4}}));
        // A screen reader follows the marker.
        QAccessibleInterface* focus =
            QAccessible::queryAccessibleInterface(client(*w))->focusChild();
        QVERIFY(focus);
        QCOMPARE(focus->object(), static_cast<QObject*>(cell({3, 4})));
        QVERIFY(focus->state().focused);
        keys({Qt::Key_Up, Qt::Key_Up, Qt::Key_Up, Qt::Key_Up, Qt::Key_Return});
        QCOMPARE(marked(), QStringList({"1,4"}));  // no further than the edge
        QCOMPARE(w->game().cells, afterClicks({{3, 4}, {1, 4}}));
        for (int i = 0; i < 6; ++i)
            keys({Qt::Key_Left});
        keys({Qt::Key_Down, Qt::Key_Enter});
        QCOMPARE(marked(), QStringList({"2,1"}));
        QCOMPARE(w->game().cells, afterClicks({{3, 4}, {1, 4}, {2, 1}}));
        QCOMPARE(differencesFromGame(*w), QStringList());
        clickAt(*w, {100, 250});  // a mouse click, even on the status strip, hides it
        QCOMPARE(marked(), QStringList());
        keys({Qt::Key_Down});
        QCOMPARE(marked(), QStringList({"2,1"}));  // back where it was
    }

    void eachCellIsANamedToggleWithAPressAction() {
        clickAt(*w, cellCentre({1, 1}));
        for (int i = 0; i < kCellCount; ++i) {
            const Pos p = posOf(i);
            QAccessibleInterface* a = QAccessible::queryAccessibleInterface(cell(p));
            QVERIFY(a);
            QCOMPARE(a->role(), QAccessible::Button);
            QCOMPARE(a->text(QAccessible::Name),
                     QStringLiteral("Ряд %1, столбец %2").arg(p.row).arg(p.col));
            QVERIFY(a->state().checkable);
            QCOMPARE(bool(a->state().checked), w->game().cells.isLit(p));
            QVERIFY(a->actionInterface()->actionNames().contains(
                QAccessibleActionInterface::pressAction()));
        }
        // A screen reader meets the cells row by row, whatever their stacking.
        QAccessibleInterface* board = QAccessible::queryAccessibleInterface(client(*w));
        for (int i = 0; i < kCellCount; ++i) {
            QCOMPARE(board->child(i)->object(), static_cast<QObject*>(cell(posOf(i))));
            QCOMPARE(board->indexOfChild(board->child(i)), i);
        }
        pressAccessibly(cell({3, 3}));
        QCOMPARE(w->game().cells, afterClicks({{1, 1}, {3, 3}}));
        QVERIFY(QAccessible::queryAccessibleInterface(cell({3, 3}))->state().checked);
        QCOMPARE(differencesFromGame(*w), QStringList());
    }

    void theBarTheClockAndTheIconReadAloud() {
        QAccessibleInterface* bar = accessible("Process");
        QCOMPARE(bar->role(), QAccessible::ProgressBar);
        QCOMPARE(bar->text(QAccessible::Name), QStringLiteral("Заполнение поля"));
        QCOMPARE(bar->valueInterface()->minimumValue().toInt(), 0);
        QCOMPARE(bar->valueInterface()->maximumValue().toInt(), 13);
        QCOMPARE(bar->valueInterface()->currentValue().toInt(), 0);
        clickAt(*w, cellCentre({3, 3}));
        QCOMPARE(bar->valueInterface()->currentValue().toInt(), 2);
        QCOMPARE(bar->text(QAccessible::Value), QStringLiteral("2"));

        QAccessibleInterface* clock = accessible("Time");
        QCOMPARE(clock->role(), QAccessible::Clock);
        QCOMPARE(clock->text(QAccessible::Value), QStringLiteral("0 мин 0 с"));
        for (int i = 0; i < 65; ++i)
            fire(timer(*w, 7));
        QCOMPARE(clock->text(QAccessible::Name), QStringLiteral("Время игры"));
        QCOMPARE(clock->text(QAccessible::Value), QStringLiteral("1 мин 5 с"));

        QAccessibleInterface* icon = accessible("Picture1");
        QCOMPARE(icon->text(QAccessible::Name),
                 QStringLiteral("игра работает и можно в неё играть"));
        w->findChild<QAction*>(QStringLiteral("LoadDem3"))->trigger();
        QCOMPARE(icon->text(QAccessible::Name),
                 QStringLiteral("игра приостановлена, загружен узор"));
        w->findChild<QAction*>(QStringLiteral("GameNew"))->trigger();
        stopGame(*w, QMessageBox::Ok);
        QCOMPARE(icon->text(QAccessible::Name),
                 QStringLiteral("игра остановлена, играть в неё нельзя"));
    }

    void eachLoadEntryLoadsItsPattern() {
        for (std::size_t i = 0; i < PuzzleCatalogue.size(); ++i) {
            const QString name = text::qt(PuzzleCatalogue[i].menuName);
            clickAt(*w, cellCentre({3, 3}));  // something to overwrite
            chooseMenu(*w,
                       i == 0 ? QStringList{"Load", name} : QStringList{"Load", "LoadDem", name});
            QCOMPARE(w->game().cells, boardOf(PuzzleCatalogue[i]));
            QCOMPARE(stateOf(w->game()), GameState::PuzzleLoaded);
            QCOMPARE(differencesFromGame(*w), QStringList());
        }
    }

    void openingAndClosingKeepsMemoryFlat() {
        // A window that stayed behind at each opening would cost far more than the bound.
        const int rounds = 300, warmUp = 30;
        long settled = 0;
        for (int i = 0; i < rounds; ++i) {
            for (const char* command : {"HelpHowToPlay", "HelpPro", "HelpAuhtor"}) {
                whenModalOpens([](QWidget* modal) { modal->close(); });
                w->findChild<QAction*>(QLatin1String(command))->trigger();
            }
            if (i == warmUp) settled = residentKb();
        }
        const long grown = residentKb() - settled;
        qInfo("resident memory grew by %ld KiB over %d openings", grown, 3 * (rounds - warmUp));
#if !defined(__SANITIZE_ADDRESS__)
        // ASan's allocator holds freed memory back on purpose, so only the plain build
        // can bound the resident size; LeakSanitizer checks the sanitized one at exit.
        QVERIFY2(grown < 512, "each opening must give back what it took");
#endif
    }
};

QTEST_MAIN(PlayTest)
#include "play_test.moc"
