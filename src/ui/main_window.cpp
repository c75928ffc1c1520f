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

#include "puzzles/load.h"
#include "ui/accessibility.h"
#include "ui/cell_view.h"
#include "ui/clock_label.h"
#include "ui/geometry.h"
#include "ui/info_window.h"
#include "ui/picture_views.h"
#include "ui/placement.h"
#include "ui/qt_text.h"

namespace brindle::ui {

namespace {

using layout::Kind;

QLabel* pictureLabel(QWidget* parent, const QPixmap& pm) {
    auto* label = new QLabel(parent);
    label->setPixmap(pm);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

template <typename Label>
Label* textLabel(QWidget* parent, const layout::Control& c) {
    auto* label = new Label(text::qt(c.caption), parent);
    label->setAlignment((c.align == layout::Align::Right ? Qt::AlignRight : Qt::AlignLeft) |
                        Qt::AlignTop);
    return label;
}

template <typename Panel>
Panel* framedPanel(QWidget* parent) {
    auto* panel = new Panel(parent);
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
    client->setFixedSize(pixelRect(layout::kMainClient).size());
    setCentralWidget(client);
    // The board plays from the keyboard too.
    client->setFocusPolicy(Qt::StrongFocus);
    client->installEventFilter(this);
    client->setFocus();

    build(layout::kMainControls, client);
    cover_ = named<CoverView>("Image9");
    stat_ = named<QLabel>("Stat");
    picture1_ = named<IconBox>("Picture1");
    process_ = named<ProgressPanel>("Process");
    time_ = named<ClockPanel>("Time");
    minutes_ = named<ClockLabel>("Label1");
    seconds_ = named<ClockLabel>("Label3");
    minutes_->setReach(layout::pixels(layout::kMinutesReach));
    // What assistive tools read until the clock first ticks: the captions as laid out.
    time_->setTime(minutes_->text(), seconds_->text());
    buildMenus();
    buildTimers();
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    game_ = startUp();
    present();

    adjustSize();
    centreOnScreen(this);
}

void MainWindow::build(std::span<const layout::Control> controls, QWidget* parent) {
    // Topmost first: each control goes under the ones before it.
    for (const layout::Control& c : controls) {
        QWidget* w = make(c, parent);
        w->setObjectName(text::qt(c.name));
        w->setGeometry(pixelRect(c.at));
        if (!c.visible) w->hide();
        w->lower();
        named_.insert(w->objectName(), w);
    }
}

QWidget* MainWindow::make(const layout::Control& c, QWidget* parent) {
    const auto index = static_cast<std::size_t>(c.index);
    switch (c.kind) {
        case Kind::Strip: {
            auto* strip = new QWidget(parent);
            build(layout::kStatusControls, strip);
            return strip;
        }
        case Kind::Cell: {
            const Pos p = posOf(c.index);
            auto* cell = cells_[index] = new CellView(p, cellAtCreation_, parent);
            // The mouse reaches the cells through the board (see cellDrawnAt); this is the
            // press of an assistive tool.
            connect(cell, &CellView::clicked, this, [this, p] { pressCell(p); });
            return cell;
        }
        case Kind::Cover:
            return new CoverView(parent);
        case Kind::Segment:
            return segments_[index - 1] = pictureLabel(parent, pictures_.of(c.art));
        case Kind::Picture:
            return pictureLabel(parent, pictures_.of(c.art));
        case Kind::Label:
            return textLabel<QLabel>(parent, c);
        case Kind::ClockLabel:
            return textLabel<ClockLabel>(parent, c);
        case Kind::Bar:
            return framedPanel<ProgressPanel>(parent);
        case Kind::Clock:
            return framedPanel<ClockPanel>(parent);
        case Kind::PictureBox: {
            auto* box = new IconBox(parent);
            box->setPicture(pictures_.of(c.art));
            return box;
        }
        case Kind::Line:
        case Kind::CloseArea:
            break;  // only in the information windows
    }
    return new QWidget(parent);
}

void MainWindow::buildMenus() {
    QHash<QString, QWidget*> menus = {{QString(), menuBar()}};
    for (const layout::MenuEntry& e : layout::kMenus) {
        QWidget* parent = menus.value(text::qt(e.parent));
        QAction* action = nullptr;
        switch (e.kind) {
            case layout::Entry::Menu: {
                auto* menu = new QMenu(text::qt(e.caption), this);
                menu->setObjectName(text::qt(e.name));
                menus.insert(menu->objectName(), menu);
                action = menu->menuAction();
                break;
            }
            case layout::Entry::Separator:
                action = new QAction(this);
                action->setSeparator(true);
                break;
            case layout::Entry::Command:
                action = new QAction(text::qt(e.caption), this);
                // A command can also come from an assistive tool while a modal window is
                // up; then, as for the mouse, only that window takes input.
                connect(action, &QAction::triggered, this, [this, run = command(e.name)] {
                    if (!modalWindowUp()) run();
                });
                break;
        }
        action->setObjectName(text::qt(e.name));
        action->setEnabled(e.enabled);
        parent->addAction(action);
    }
    gameNew_ = findChild<QAction*>(QStringLiteral("GameNew"));
    gameStop_ = findChild<QAction*>(QStringLiteral("GameStop"));
}

std::function<void()> MainWindow::command(std::string_view name) {
    if (name == "GameNew") return [this] { apply(newGame); };
    if (name == "GameStop") return [this] { askStopGame(); };
    for (const Puzzle& p : PuzzleCatalogue) {
        if (p.menuName == name) return [this, &p] { apply([&p](Game& g) { LoadPuzzle(g, p); }); };
    }
    for (const layout::InfoWindow& w : layout::kInfoWindows) {
        if (w.command == name) return [this, &w] { showInfo(w); };
    }
    return [] {};
}

void MainWindow::buildTimers() {
    for (const layout::Timer& t : layout::kTimers) {
        auto* timer = new QTimer(this);
        timer->setObjectName(text::qt(t.name));
        timer->setInterval(t.intervalMs);
        if (t.ring == 0) {
            clock_ = timer;
            connect(timer, &QTimer::timeout, this, [this] { apply(clockTick); });
        } else {
            ring_[static_cast<std::size_t>(t.ring - 1)] = timer;
            connect(timer, &QTimer::timeout, this,
                    [this, n = t.ring] { apply([n](Game& g) { ringTick(g, n); }); });
        }
    }
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
    for (Pos p : layout::kCellStacking) {
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

void MainWindow::showInfo(const layout::InfoWindow& which) {
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
