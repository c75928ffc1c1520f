// Playing without a mouse: the keyboard on the board, and the window as a screen reader
// sees it through Qt's accessibility interfaces.
#include <QAbstractButton>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include "driver.h"
#include "puzzles/catalogue.h"
#include "ui/cell_view.h"
#include "ui/main_window.h"

using namespace brindle;
using namespace brindle::ui;
using namespace brindle::ui::testing;

namespace {

Board afterClicks(std::initializer_list<Pos> clicks) {
    Board b = Board::filled(Cell::Unlit);
    for (Pos p : clicks)
        play(b, p);
    return b;
}

}  // namespace

class AccessTest : public QObject {
    Q_OBJECT
    std::unique_ptr<MainWindow> w;

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

    void underTheCoverKeysAndPressActionsPlayNothing() {
        stopGame(*w, QMessageBox::Ok);
        const Game before = w->game();
        keys({Qt::Key_Right, Qt::Key_Space});  // one press: two would undo each other
        pressAccessibly(cell({2, 2}));
        QCOMPARE(w->game(), before);
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
};

QTEST_MAIN(AccessTest)
#include "access_test.moc"
