// The toolkit's floor for start-up and memory: a Qt Widgets window of Brindle's shape
// (242 x 262 client, a 3-menu bar, 25 picture labels, two running timers) that does
// nothing else.
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
    frames.start(200);
    clock.start(1000);
    window.show();
    return app.exec();
}
