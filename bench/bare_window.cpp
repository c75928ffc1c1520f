// The toolkit's floor for start-up and memory: a Qt Widgets window of Brindle's shape
// (242 x 262 client, a 3-menu bar, 25 picture labels, two running timers) that does
// nothing else. With the argument `--repaint` its timers do the visible work an idle
// game does: a 16 x 16 picture changes five times a second and a caption once a second.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QPainter>
#include <QPixmap>
#include <QTimer>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    for (const char* title : {"Game", "Load", "Help"}) {
        window.menuBar()->addMenu(QString::fromLatin1(title))->addAction(QStringLiteral("Item"));
    }
    auto* client = new QWidget(&window);
    client->setFixedSize(242, 262);
    window.setCentralWidget(client);

    QPixmap cell(50, 50);
    cell.fill(Qt::white);
    QPainter(&cell).drawRect(0, 0, 49, 49);
    for (int i = 0; i < 25; ++i) {
        auto* label = new QLabel(client);
        label->setPixmap(cell);
        label->setGeometry((i % 5) * 48, (i / 5) * 48, 50, 50);
    }
    QTimer frames, clock;
    if (app.arguments().contains(QStringLiteral("--repaint"))) {
        QPixmap a(16, 16), b(16, 16);
        a.fill(Qt::green);
        b.fill(Qt::red);
        auto* icon = new QLabel(client);
        icon->setGeometry(2, 244, 16, 16);
        auto* caption = new QLabel(QStringLiteral("0"), client);
        caption->setGeometry(216, 245, 17, 17);
        QObject::connect(&frames, &QTimer::timeout, icon,
                         [icon, a, b, n = 0]() mutable { icon->setPixmap(++n % 2 ? a : b); });
        QObject::connect(&clock, &QTimer::timeout, caption,
                         [caption, n = 0]() mutable { caption->setNum(++n % 60); });
    }
    frames.start(200);
    clock.start(1000);
    window.show();
    return app.exec();
}
