#include "ui/main_window.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QTimer>
#include <cmath>
#include <vector>

#include "puzzles/load.h"
#include "ui/accessibility.h"
#include "ui/cell_view.h"
#include "ui/clock_label.h"
#include "ui/geometry.h"
#include "ui/info_window.h"
#include "ui/picture_views.h"
#include "ui/placement.h"
#include "ui/texts.h"

namespace brindle::ui {

namespace {

// The 25 cells from the topmost down. A lower row lies over the row above; within a
// row the right-hand cell lies over its left neighbour, except that column 1 lies over
// column 2. So each 2-pixel overlap strip belongs to exactly one cell.
constexpr Pos kCellStacking[kCellCount] = {
    {5, 5}, {5, 4}, {5, 3}, {5, 1}, {5, 2}, {4, 5}, {4, 4}, {4, 3}, {4, 1},
    {4, 2}, {3, 5}, {3, 4}, {3, 3}, {3, 1}, {3, 2}, {2, 5}, {2, 4}, {2, 3},
    {2, 1}, {2, 2}, {1, 5}, {1, 1}, {1, 4}, {1, 3}, {1, 2},
};

// Puts sibling widgets into the given stacking order, the first one on top.
void stackTopFirst(const std::vector<QWidget*>& widgets) {
    for (auto it = widgets.rbegin(); it != widgets.rend(); ++it)
        (*it)->raise();
}

QLabel* pictureLabel(QWidget* parent, const char* name, const QRect& rect, const QPixmap& pm,
                     bool visible) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(rect);
    label->setPixmap(pm);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setVisible(visible);
    return label;
}

template <typename Label = QLabel>
Label* textLabel(QWidget* parent, const char* name, const QRect& rect, const char* caption,
                 Qt::Alignment align) {
    auto* label = new Label(QString::fromUtf8(caption), parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(rect);
    label->setAlignment(align | Qt::AlignTop);
    return label;
}

template <typename Panel = QLabel>
Panel* framedPanel(QWidget* parent, const char* name, const QRect& rect) {
    auto* panel = new Panel(parent);
    panel->setObjectName(QString::fromLatin1(name));
    panel->setGeometry(rect);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setAutoFillBackground(true);
    return panel;
}

QString stateName(GameState state) {
    switch (state) {
        case GameState::Running:
            return QString::fromUtf8(text::kRunning);
        case GameState::Stopped:
            return QString::fromUtf8(text::kStopped);
        case GameState::PuzzleLoaded:
            return QString::fromUtf8(text::kPuzzle);
    }
    return {};
}

void syncTimer(QTimer* timer, bool enabled) {
    if (enabled == timer->isActive()) return;
    if (enabled) {
        timer->start();
    } else {
        timer->stop();
    }
}

}  // namespace

MainWindow::MainWindow(QWidget* parent)
    : QMainWindow(parent), pictures_(Pictures::load()), cellAtCreation_(pictures_.white.copy()) {
    setObjectName(QStringLiteral("main"));
    setWindowTitle(QString::fromUtf8(text::kMainCaption));
    setWindowIcon(pictures_.programIcon);
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                   Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);

    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(px(3630), px(3930));
    setCentralWidget(client);
    // The board plays from the keyboard too.
    client->setFocusPolicy(Qt::StrongFocus);
    client->installEventFilter(this);
    client->setFocus();

    buildBoard(client);
    buildStatusBar(client);
    buildMenus();
    buildTimers();
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    game_ = startUp();
    present();

    adjustSize();
    centreOnScreen(this);
}

void MainWindow::buildBoard(QWidget* client) {
    for (int i = 0; i < kCellCount; ++i) {
        const Pos p = posOf(i);
        auto* cell = new CellView(p, cellAtCreation_, client);
        cell->setGeometry(twipRect((p.col - 1) * 720, (p.row - 1) * 720, 750, 750));
        // The mouse reaches the cells through the board (see cellDrawnAt); this is the
        // press of an assistive tool.
        connect(cell, &CellView::clicked, this, [this, p] { pressCell(p); });
        cells_[static_cast<std::size_t>(i)] = cell;
    }
    cover_ = new CoverView(client);
    cover_->setObjectName(QStringLiteral("Image9"));
    cover_->setGeometry(twipRect(0, 0, 3630, 3630));
    cover_->hide();
    stat_ = textLabel(client, "Stat", twipRect(720, 120, 255, 255), "1", Qt::AlignLeft);
    stat_->hide();
    QLabel* white =
        pictureLabel(client, "white", twipRect(0, 2880, 750, 750), pictures_.white, false);
    QLabel* yellow =
        pictureLabel(client, "yellow", twipRect(720, 2880, 750, 750), pictures_.yellow, false);

    std::vector<QWidget*> order = {stat_, cover_};
    for (Pos p : kCellStacking)
        order.push_back(cellView(p));
    order.push_back(white);
    order.push_back(yellow);
    stackTopFirst(order);
}

void MainWindow::buildStatusBar(QWidget* client) {
    auto* strip = new QWidget(client);
    strip->setObjectName(QStringLiteral("StatusBar"));
    strip->setGeometry(twipRect(0, 3630, 3615, 375));

    process_ = framedPanel<ProgressPanel>(strip, "Process", twipRect(315, 0, 2415, 300));
    time_ = framedPanel<ClockPanel>(strip, "Time", twipRect(2745, 0, 855, 300));
    minutes_ =
        textLabel<ClockLabel>(strip, "Label1", twipRect(2760, 40, 255, 255), "0", Qt::AlignRight);
    QLabel* colon = textLabel(strip, "Label2", twipRect(3120, 40, 135, 375), ":", Qt::AlignLeft);
    seconds_ =
        textLabel<ClockLabel>(strip, "Label3", twipRect(3240, 40, 255, 255), "0", Qt::AlignLeft);

    for (int n = 1; n <= kSegmentCount; ++n) {
        // pro10 and pro12 sit at 45 twips rather than 40: the same pixel row.
        const int top = (n == 10 || n == 12) ? 45 : 40;
        const QByteArray name = "pro" + QByteArray::number(n);
        segments_[static_cast<std::size_t>(n - 1)] =
            pictureLabel(strip, name.constData(), twipRect(360 + 180 * (n - 1), top, 150, 225),
                         pictures_.segment, false);
    }

    // Left of the minutes lies the end of the progress panel, which no segment reaches.
    minutes_->setReach(segments_.back()->geometry().right() + 3);
    // What assistive tools read until the clock first ticks: the captions as laid out.
    time_->setTime(minutes_->text(), seconds_->text());

    picture1_ = new IconBox(strip);
    picture1_->setObjectName(QStringLiteral("Picture1"));
    picture1_->setGeometry(twipRect(0, 0, 300, 300));
    picture1_->setPicture(pictures_.of(Picture::Image1));

    std::vector<QWidget*> order = {picture1_};
    for (int n = kSegmentCount; n >= 1; --n)
        order.push_back(segments_[static_cast<std::size_t>(n - 1)]);
    order.insert(order.end(), {seconds_, colon, minutes_, time_, process_});
    // The hidden holders of the icon's pictures, Image8 and Image7 above the six frames.
    const char* const imageNames[] = {"Image8", "Image7", "Image1", "Image2",
                                      "Image3", "Image4", "Image5", "Image6"};
    for (const char* name : imageNames) {
        const int n = name[5] - '0';
        order.push_back(pictureLabel(strip, name, twipRect(0, 0, 240, 240),
                                     pictures_.images[static_cast<std::size_t>(n - 1)], false));
    }
    stackTopFirst(order);
}

void MainWindow::buildMenus() {
    auto addMenu = [](auto* parent, const char* name, const char* caption) {
        QMenu* menu = parent->addMenu(QString::fromUtf8(caption));
        menu->setObjectName(QString::fromLatin1(name));
        menu->menuAction()->setObjectName(QString::fromLatin1(name));
        return menu;
    };
    auto addCommand = [this](QMenu* menu, const char* name, const char* caption, auto slot) {
        QAction* action = menu->addAction(QString::fromUtf8(caption));
        action->setObjectName(QString::fromLatin1(name));
        // A command can also come from an assistive tool while a modal window is up;
        // then, as for the mouse, only that window takes input.
        connect(action, &QAction::triggered, this, [this, slot] {
            if (!modalWindowUp()) slot();
        });
        return action;
    };

    QMenu* game = addMenu(menuBar(), "Game", text::kGame);
    gameNew_ = addCommand(game, "GameNew", text::kGameNew, [this] { apply(newGame); });
    gameStop_ = addCommand(game, "GameStop", text::kGameStop, [this] { askStopGame(); });
    gameNew_->setEnabled(false);

    QMenu* load = addMenu(menuBar(), "Load", text::kLoad);
    const Puzzle& full = PuzzleCatalogue[0];
    addCommand(load, full.menuName.data(), full.caption.data(),
               [this, &full] { apply([&full](Game& g) { LoadPuzzle(g, full); }); });
    QMenu* patterns = addMenu(load, "LoadDem", text::kLoadDem);
    for (std::size_t i = 1; i < PuzzleCatalogue.size(); ++i) {
        const Puzzle& p = PuzzleCatalogue[i];
        addCommand(patterns, p.menuName.data(), p.caption.data(),
                   [this, &p] { apply([&p](Game& g) { LoadPuzzle(g, p); }); });
    }

    QMenu* help = addMenu(menuBar(), "Help", text::kHelp);
    addCommand(help, "HelpHowToPlay", text::kHelpHowToPlay,
               [this] { showInfo(InfoWindow::HowToPlay); });
    addCommand(help, "HelpPro", text::kHelpPro, [this] { showInfo(InfoWindow::Apro); });
    help->addSeparator()->setObjectName(QStringLiteral("HelpLine1"));
    addCommand(help, "HelpAuhtor", text::kHelpAuhtor, [this] { showInfo(InfoWindow::About); });
}

void MainWindow::buildTimers() {
    QWidget* strip = findChild<QWidget*>(QStringLiteral("StatusBar"));
    for (int n = 1; n <= kRingSize; ++n) {
        auto* timer = new QTimer(strip);
        timer->setObjectName(QStringLiteral("Timer%1").arg(n));
        timer->setInterval(200);
        connect(timer, &QTimer::timeout, this,
                [this, n] { apply([n](Game& g) { ringTick(g, n); }); });
        ring_[static_cast<std::size_t>(n - 1)] = timer;
    }
    clock_ = new QTimer(this);
    clock_->setObjectName(QStringLiteral("Timer7"));
    clock_->setInterval(1000);
    connect(clock_, &QTimer::timeout, this, [this] { apply(clockTick); });
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched != centralWidget()) return QMainWindow::eventFilter(watched, event);
    switch (event->type()) {
        case QEvent::KeyPress:
            return keyOnBoard(static_cast<QKeyEvent*>(event)->key());
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick: {
            // Every press in the client area ends up here, unless the cover took it.
            endKeyboardPlay();
            const auto* mouse = static_cast<QMouseEvent*>(event);
            pressedCell_ =
                mouse->button() == Qt::LeftButton ? cellDrawnAt(mouse->scenePosition()) : nullptr;
            return true;
        }
        case QEvent::MouseButtonRelease: {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            CellView* pressed = std::exchange(pressedCell_, nullptr);
            if (pressed && mouse->button() == Qt::LeftButton &&
                cellDrawnAt(mouse->scenePosition()) == pressed) {
                pressCell(pressed->pos());
            }
            return true;
        }
        default:
            return false;
    }
}

CellView* MainWindow::cellDrawnAt(QPointF windowPos) const {
    // Qt paints each widget into the box it gets by rounding its edges to device pixels.
    // At a fractional scale (and at 2 for a point between two device pixels) rounding
    // the point instead can land on the neighbour, so the overlap strips are decided in
    // device pixels, as they are drawn.
    const qreal s = devicePixelRatioF();
    const QPoint device(int(std::floor(windowPos.x() * s)), int(std::floor(windowPos.y() * s)));
    for (Pos p : kCellStacking) {
        CellView* cell = cellView(p);
        const QRect r(cell->mapTo(this, QPoint()), cell->size());
        const QRect drawn(qRound(r.x() * s), qRound(r.y() * s), qRound(r.width() * s),
                          qRound(r.height() * s));
        if (drawn.contains(device)) return cell;
    }
    return nullptr;
}

bool MainWindow::modalWindowUp() const {
    return QApplication::activeModalWidget() != nullptr;
}

void MainWindow::pressCell(Pos p) {
    // Whatever presses the cell, the cover takes the press while it is shown.
    if (!modalWindowUp()) apply([p](Game& g) { press(g, p); });
}

bool MainWindow::keyOnBoard(int key) {
    if (game_.Image9) return false;  // the cover takes keys as it takes clicks
    int dr = 0, dc = 0;
    switch (key) {
        case Qt::Key_Up:
            dr = -1;
            break;
        case Qt::Key_Down:
            dr = 1;
            break;
        case Qt::Key_Left:
            dc = -1;
            break;
        case Qt::Key_Right:
            dc = 1;
            break;
        case Qt::Key_Space:
        case Qt::Key_Return:
        case Qt::Key_Enter:
            // Only a marker in sight is played: a stray key must not change the board.
            if (!keyboardPlay_) return false;
            pressCell(keyCell_);
            return true;
        default:
            return false;
    }
    CellView* from = cellView(keyCell_);
    if (keyboardPlay_) {
        // The first key only shows where the marker is; later ones move it.
        const Pos next{keyCell_.row + dr, keyCell_.col + dc};
        if (onBoard(next)) keyCell_ = next;
    }
    keyboardPlay_ = true;
    from->setMarked(false);
    cellView(keyCell_)->setMarked(true);
    return true;
}

void MainWindow::endKeyboardPlay() {
    keyboardPlay_ = false;
    cellView(keyCell_)->setMarked(false);
}

void MainWindow::askStopGame() {
    QMessageBox box(QMessageBox::NoIcon, QString::fromUtf8(text::kProgramTitle),
                    QString::fromUtf8(text::kStopQuestion), QMessageBox::Ok | QMessageBox::Cancel,
                    this);
    box.setDefaultButton(QMessageBox::Ok);
    box.setEscapeButton(QMessageBox::Cancel);
    // Plain text buttons, as the desktop's own message boxes have them.
    for (QAbstractButton* button : box.buttons())
        button->setIcon(QIcon());
    if (box.exec() == QMessageBox::Ok) apply(stopGame);
}

void MainWindow::showInfo(InfoWindow::Kind which) {
    InfoWindow window(which, pictures_, this);
    window.exec();
}

void MainWindow::present() {
    const Game& g = game_;
    for (int i = 0; i < kCellCount; ++i) {
        const Pos p = posOf(i);
        const Cell now = g.cells.at(p);
        if (now == shown_.cells.at(p)) continue;
        cells_[static_cast<std::size_t>(i)]->setPicture(now == Cell::Lit     ? pictures_.yellow
                                                        : now == Cell::Unlit ? pictures_.white
                                                                             : cellAtCreation_,
                                                        now == Cell::Lit);
    }
    for (int k = 0; k < kSegmentCount; ++k) {
        const bool on = k < g.progress.segments;
        if (on != (k < shown_.progress.segments))
            segments_[static_cast<std::size_t>(k)]->setVisible(on);
    }
    if (g.Image9 != shown_.Image9) {
        if (g.Image9 && !cover_->hasPicture()) cover_->setPicture(pictures_.cover());
        cover_->setVisible(g.Image9);
    }
    if (g.clock.Stat != shown_.clock.Stat) stat_->setText(QString::fromStdString(g.clock.Stat));
    if (g.clock.minutesCaption != shown_.clock.minutesCaption) {
        minutes_->setCaption(QString::fromStdString(g.clock.minutesCaption));
    }
    if (g.clock.secondsCaption != shown_.clock.secondsCaption) {
        seconds_->setText(QString::fromStdString(g.clock.secondsCaption));
    }
    if (g.icon.Picture1 != shown_.icon.Picture1)
        picture1_->setPicture(pictures_.of(g.icon.Picture1));
    // What assistive tools read for the bar, the clock and the icon.
    if (g.progress.segments != shown_.progress.segments) process_->setSegments(g.progress.segments);
    if (g.clock.minutesCaption != shown_.clock.minutesCaption ||
        g.clock.secondsCaption != shown_.clock.secondsCaption) {
        time_->setTime(QString::fromStdString(g.clock.minutesCaption),
                       QString::fromStdString(g.clock.secondsCaption));
    }
    if (const auto state = stateOf(g); state && state != stateOf(shown_)) {
        picture1_->setAccessibleName(stateName(*state));
    }
    gameNew_->setEnabled(g.GameNew);
    gameStop_->setEnabled(g.GameStop);

    syncTimer(clock_, g.clock.running);
    for (int n = 0; n < kRingSize; ++n) {
        syncTimer(ring_[static_cast<std::size_t>(n)], g.icon.enabled[static_cast<std::size_t>(n)]);
    }
    shown_ = g;
}

}  // namespace brindle::ui
