// Three thousand random real events on the real window, offscreen: clicks anywhere on
// the window, menu commands, timer ticks, the Stop box answered at random, and the
// Help windows opened and closed by a click at a random point. After every event the
// window must show exactly the game it holds.
//
// BRINDLE_SEED=n picks the seed, BRINDLE_SOAK_EVENTS=n the number of events.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <random>

#include "driver.h"
#include "puzzles/catalogue.h"
#include "ui/main_window.h"

using namespace brindle;
using namespace brindle::ui;
using namespace brindle::ui::testing;

namespace {

int envNumber(const char* name, int fallback) {
    const QByteArray v = qgetenv(name);
    return v.isEmpty() ? fallback : v.toInt();
}

}  // namespace

class SoakTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { setUpApplication(); }

    void randomRealEvents() {
        const int seed = envNumber("BRINDLE_SEED", 2006);
        const int events = envNumber("BRINDLE_SOAK_EVENTS", 3000);
        std::mt19937 rng(static_cast<unsigned>(seed));
        auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
        auto w = openMainWindow();
        QStringList log;

        for (int i = 0; i < events; ++i) {
            const int kind = pick(100);
            if (kind < 45) {
                // Anywhere in the client area: cells, overlap strips, cover, status strip.
                const QPoint at(pick(242), pick(262));
                log << QStringLiteral("click %1,%2").arg(at.x()).arg(at.y());
                clickAt(*w, at);
            } else if (kind < 80 && (timer(*w, 7)->isActive() || activeRingTimers(*w))) {
                // A tick of one of the timers that are running.
                QList<QTimer*> running;
                for (int n = 1; n <= 7; ++n) {
                    if (timer(*w, n)->isActive()) running << timer(*w, n);
                }
                QTimer* t = running.at(pick(int(running.size())));
                log << QStringLiteral("tick %1").arg(t->objectName());
                fire(t);
            } else if (kind < 88) {
                const Puzzle& p = PuzzleCatalogue[static_cast<std::size_t>(pick(16))];
                log << QString::fromLatin1(p.menuName.data());
                w->findChild<QAction*>(QLatin1String(p.menuName.data()))->trigger();
            } else if (kind < 92) {
                log << QStringLiteral("GameNew");
                w->findChild<QAction*>(QStringLiteral("GameNew"))->trigger();
            } else if (kind < 96 && w->game().GameStop) {
                const int answer = pick(3);
                log << QStringLiteral("GameStop, answer %1").arg(answer);
                whenModalOpens([answer](QWidget* modal) {
                    auto* box = qobject_cast<QMessageBox*>(modal);
                    if (answer == 2) {
                        QTest::keyClick(box, Qt::Key_Escape);
                    } else {
                        QTest::mouseClick(
                            box->button(answer ? QMessageBox::Ok : QMessageBox::Cancel),
                            Qt::LeftButton);
                    }
                });
                w->findChild<QAction*>(QStringLiteral("GameStop"))->trigger();
            } else {
                const char* commands[] = {"HelpHowToPlay", "HelpPro", "HelpAuhtor"};
                const char* command = commands[pick(3)];
                const QPoint at(pick(312), pick(78));  // inside the smallest of the three
                log << QStringLiteral("%1, close at %2,%3").arg(command).arg(at.x()).arg(at.y());
                whenModalOpens([at](QWidget* modal) {
                    QTest::mouseClick(modal->windowHandle(), Qt::LeftButton, Qt::NoModifier, at);
                });
                w->findChild<QAction*>(QLatin1String(command))->trigger();
            }
            QVERIFY2(!QApplication::activeModalWidget(), "a window stayed open");
            const QStringList wrong = differencesFromGame(*w);
            const bool validState = stateOf(w->game()).has_value();
            if (!wrong.isEmpty() || !validState) {
                QFAIL(qPrintable(
                    QStringLiteral("BRINDLE_SEED=%1, event %2: %3 (%4)\nlast events:\n  %5")
                        .arg(seed)
                        .arg(i)
                        .arg(wrong.join(QStringLiteral(", ")))
                        .arg(validState ? "state ok" : "no valid state")
                        .arg(log.mid(qMax(0, int(log.size()) - 12)).join(QStringLiteral("\n  ")))));
            }
        }
        qInfo("%d random events, seed %d", events, seed);
    }
};

QTEST_MAIN(SoakTest)
#include "soak_test.moc"
