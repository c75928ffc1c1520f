// Saves the main window's client area as the Qt build draws it at scale 1, after the
// menu entries named on the command line were chosen (a stop box is answered OK): the
// pixels another front end's are compared with.
//   grab_client OUT.png [ENTRY...]
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QMessageBox>
#include <QPixmap>
#include <QTest>
#include <QTimer>

#include "qt/app.h"
#include "qt/main_window.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    brindle::qt::setUpApplication();
    // A wall clock that never moves: the clock ticks no second on its own.
    brindle::qt::MainWindow w([] { return brindle::view::Time{}; });
    w.show();
    if (!QTest::qWaitForWindowExposed(&w)) return 1;
    QTimer answer;  // the stop box, answered as it opens
    QObject::connect(&answer, &QTimer::timeout, [] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
            box->button(QMessageBox::Ok)->click();
    });
    answer.start(20);
    for (int i = 2; i < argc; ++i) {
        auto* action = w.findChild<QAction*>(QString::fromUtf8(argv[i]));
        if (!action) return 2;
        action->trigger();
    }
    QWidget* client = w.findChild<QWidget*>(QStringLiteral("client"));
    return client && client->grab().save(QString::fromUtf8(argv[1])) ? 0 : 3;
}
