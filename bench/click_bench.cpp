// What a click and a timer tick cost in the real window: the time from the mouse event
// to the end of the repaint, and exactly which widgets and pixels were repainted.
//
//   click_bench [CLICKS]     (on a display, or with QT_QPA_PLATFORM=offscreen)
#include <QApplication>
#include <QElapsedTimer>
#include <QMap>
#include <QPaintEvent>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <random>
#include <vector>

#include "allocation_counter.h"
#include "qt/app.h"
#include "qt/main_window.h"

namespace {

// Times every event the window's repaint is made of, and notes what got painted.
class Probe : public QApplication {
  public:
    using QApplication::QApplication;

    bool notify(QObject* receiver, QEvent* event) override {
        const QEvent::Type t = event->type();
        if (t == QEvent::Paint && receiver->isWidgetType()) {
            const auto* paint = static_cast<QPaintEvent*>(event);
            for (const QRect& r : paint->region()) {
                painted[receiver->objectName()] += r.width() * r.height();
            }
            ++paints;
        }
        if (t != QEvent::UpdateRequest) return QApplication::notify(receiver, event);
        QElapsedTimer timer;
        timer.start();
        const bool done = QApplication::notify(receiver, event);
        repaintNs += timer.nsecsElapsed();
        ++updates;
        return done;
    }

    void reset() {
        painted.clear();
        paints = 0;
        repaintNs = 0;
        updates = 0;
    }

    QMap<QString, long> painted;  // widget -> pixels painted
    int paints = 0;
    qint64 repaintNs = 0;
    int updates = 0;
};

// Lets the pending repaint happen, however the platform paces it.
void flush(Probe& app) {
    QElapsedTimer guard;
    guard.start();
    while (app.updates == 0 && guard.elapsed() < 1000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

QString describe(const QMap<QString, long>& painted) {
    QStringList parts;
    for (auto it = painted.begin(); it != painted.end(); ++it) {
        parts << QStringLiteral("%1 %2px")
                     .arg(it.key().isEmpty() ? "(unnamed)" : it.key())
                     .arg(it.value());
    }
    return parts.join(QStringLiteral(", "));
}

}  // namespace

int main(int argc, char** argv) {
    Probe app(argc, argv);
    brindle::qt::setUpApplication();
    const int clicks = argc > 1 ? std::atoi(argv[1]) : 2000;

    brindle::qt::MainWindow w;
    w.show();
    if (!QTest::qWaitForWindowExposed(&w)) return 1;
    // Only this program's own events from here on: halt the real timers.
    for (QTimer* t : w.findChildren<QTimer*>())
        t->blockSignals(true);
    QWidget* client = w.findChild<QWidget*>(QStringLiteral("client"));

    std::mt19937 rng(1);
    std::vector<double> handle, repaint, total, allocsHandling, allocsRepaint;
    QMap<QString, long> lastPainted;
    for (int i = 0; i < clicks; ++i) {
        const int cell = int(rng() % 25);
        const QPoint at = client->mapTo(&w, QPoint((cell % 5) * 48 + 25, (cell / 5) * 48 + 25));
        app.processEvents();
        app.reset();
        const long a0 = allocationCount();
        QElapsedTimer t;
        t.start();
        QTest::mouseClick(w.windowHandle(), Qt::LeftButton, Qt::NoModifier, at);
        const double handled = t.nsecsElapsed() / 1e3;
        const long a1 = allocationCount();
        flush(app);
        allocsHandling.push_back(double(a1 - a0));
        allocsRepaint.push_back(double(allocationCount() - a1));
        handle.push_back(handled);
        repaint.push_back(app.repaintNs / 1e3);
        total.push_back(handled + app.repaintNs / 1e3);
        if (i == clicks - 1) lastPainted = app.painted;
    }
    std::printf("click on a cell, %d clicks (microseconds, median):\n", clicks);
    std::printf(
        "  event to handler done %8.1f\n  repaint              %8.1f\n  total                "
        "%8.1f\n",
        median(handle), median(repaint), median(total));
    std::printf("  heap allocations, median: %.0f in the event and handler, %.0f in the repaint\n",
                median(allocsHandling), median(allocsRepaint));
    std::printf("  last click repainted: %s\n", qPrintable(describe(lastPainted)));

    // The game's own part of a click: the cell's signal, the move, the recount and
    // the widget updates, without the toolkit's event delivery.
    std::vector<double> ownAllocs;
    for (int i = 0; i < clicks; ++i) {
        auto* cell =
            w.findChild<QWidget*>(QStringLiteral("rc_%1_%2").arg(rng() % 5 + 1).arg(rng() % 5 + 1));
        const long a0 = allocationCount();
        QMetaObject::invokeMethod(cell, "clicked", Qt::DirectConnection);
        ownAllocs.push_back(double(allocationCount() - a0));
        app.processEvents();
    }
    std::printf("  heap allocations in the game's own handler, median: %.0f\n", median(ownAllocs));

    for (QTimer* t : w.findChildren<QTimer*>())
        t->blockSignals(false);
    auto tick = [&](const char* name) {
        QTimer* timer = w.findChild<QTimer*>(QLatin1String(name));
        if (!timer->isActive()) return;
        app.processEvents();
        app.reset();
        QMetaObject::invokeMethod(timer, "timeout", Qt::DirectConnection);
        flush(app);
        std::printf("  %s tick repainted: %s (%.1f us)\n", name, qPrintable(describe(app.painted)),
                    app.repaintNs / 1e3);
    };
    std::printf("timer ticks:\n");
    for (const char* name : {"Timer1", "Timer2", "Timer7"})
        tick(name);

    // The idle game's steady cost: a pass of the icon's six frames, many times over.
    std::vector<double> frames;
    for (int i = 0; i < clicks; ++i) {
        for (QTimer* t : w.findChildren<QTimer*>()) {
            if (!t->isActive() || t->objectName() == QLatin1String("Timer7")) continue;
            app.processEvents();
            app.reset();
            QElapsedTimer e;
            e.start();
            QMetaObject::invokeMethod(t, "timeout", Qt::DirectConnection);
            flush(app);
            frames.push_back(e.nsecsElapsed() / 1e3);
            break;
        }
    }
    std::printf("  icon frame, tick to repaint done, median of %d: %.1f us\n", clicks,
                median(frames));
    return 0;
}
