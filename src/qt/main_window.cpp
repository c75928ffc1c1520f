#include "qt/main_window.h"

#include <QAbstractButton>
#include <QAction>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QTimer>
#include <QWindow>

#include "qt/clock_label.h"
#include "qt/controls.h"
#include "qt/geometry.h"
#include "qt/info_window.h"
#include "qt/picture_views.h"
#include "qt/pictures.h"
#include "qt/placement.h"
#include "qt/qt_text.h"
#include "view/paint.h"

namespace brindle::qt {

namespace {

using layout::Kind;

template <typename Label>
Label* textLabel(QWidget* parent, const layout::Control& c) {
    auto* label = new Label(text::qt(c.caption), parent);
    label->setAlignment((c.align == layout::Align::Right ? Qt::AlignRight : Qt::AlignLeft) |
                        Qt::AlignTop);
    return label;
}

// The keys by the names the shared layer reads.
std::string_view keyName(int key) {
    static const QHash<int, std::string_view> names = {
        {Qt::Key_Up, "ArrowUp"},       {Qt::Key_Down, "ArrowDown"}, {Qt::Key_Left, "ArrowLeft"},
        {Qt::Key_Right, "ArrowRight"}, {Qt::Key_Space, " "},        {Qt::Key_Return, "Enter"},
        {Qt::Key_Enter, "Enter"}};
    return names.value(key);
}

}  // namespace

MainWindow::MainWindow(view::WallClock now, QWidget* parent)
    : QMainWindow(parent), presenter_(std::move(now)) {
    setObjectName(QStringLiteral("main"));
    setWindowTitle(QString::fromUtf8(text::kMainCaption));
    setWindowIcon(programIcon());
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                   Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);

    auto* client = client_ = new ClientView(
        [this](double scale, view::Point at) {
            return view::scene(game(), presenter_.marker(), scale, at);
        },
        this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(pixelRect(layout::kMainClient).size());
    setCentralWidget(client);
    // The board plays from the keyboard too.
    client->setFocusPolicy(Qt::StrongFocus);
    client->installEventFilter(this);
    client->setFocus();

    build(layout::kMainControls, client);
    buildMenus();
    buildTimers();
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    presenter_.attach([this](const view::Changes& c) { present(c); });

    adjustSize();
    centreOnScreen(this);
    keepFixedSize(this);
}

void MainWindow::build(std::span<const layout::Control> controls, QWidget* parent) {
    // In the order screen readers meet them; what lies over what does not matter, as
    // the client area draws every pixel and the window takes the pointer.
    for (const layout::Control* c : view::inReadingOrder(controls)) {
        QWidget* w = make(*c, parent);
        w->setObjectName(text::qt(c->name));
        w->setGeometry(pixelRect(*c));
        if (!c->visible) w->hide();
        widgets_.insert(c, w);
    }
}

QWidget* MainWindow::make(const layout::Control& c, QWidget* parent) {
    switch (c.kind) {
        case Kind::Strip: {
            auto* strip = new QWidget(parent);
            build(layout::kStatusControls, strip);
            return strip;
        }
        case Kind::Label:
            return textLabel<QLabel>(parent, c);
        case Kind::ClockLabel:
            return textLabel<ClockLabel>(parent, c);
        default:
            break;
    }
    if (view::spoken(game(), marker(), c).role == view::Role::None) return new QWidget(parent);
    // The mouse reaches the cells through the window (see pointer()); this is the press
    // of an assistive tool.
    std::function<void()> press;
    if (c.kind == Kind::Cell) press = [this, p = posOf(c.index)] { presenter_.press(p); };
    return new ControlView(
        c, [this, &c] { return view::spoken(game(), marker(), c); }, std::move(press), parent);
}

void MainWindow::buildMenus() {
    QHash<QString, QWidget*> menus = {{QString(), menuBar()}};
    for (std::size_t i = 0; i < layout::kMenus.size(); ++i) {
        const layout::MenuEntry& e = layout::kMenus[i];
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
                connect(action, &QAction::triggered, this, [this, i] {
                    presenter_.choose(i, [this](const view::Request& r) { return showModal(r); });
                });
                break;
        }
        action->setObjectName(text::qt(e.name));
        parent->addAction(action);
        entries_.push_back(action);
    }
}

void MainWindow::buildTimers() {
    for (std::size_t i = 0; i < view::kTimerCount; ++i) {
        auto* timer = timers_[i] = new QTimer(this);
        timer->setObjectName(text::qt(layout::kTimers[i].name));
        timer->setInterval(layout::kTimers[i].intervalMs);
        // A coarse timer may fire 5% early, where the clock's second is not yet due.
        timer->setTimerType(Qt::PreciseTimer);
        connect(timer, &QTimer::timeout, this, [this, i] { presenter_.tick(i); });
    }
}

bool MainWindow::event(QEvent* event) {
    // The pointer is read from the window itself, at its device pixel: a widget is found
    // at a whole logical pixel, which at a fractional scale may lie past the client area
    // for a device pixel inside it.
    if (event->type() == QEvent::WinIdChange && windowHandle())
        windowHandle()->installEventFilter(this);
    return QMainWindow::event(event);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == windowHandle()) {
        pointer(event);
        return false;
    }
    if (watched == centralWidget() && event->type() == QEvent::KeyPress)
        return presenter_.key(keyName(static_cast<QKeyEvent*>(event)->key()));
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::pointer(QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonDblClick &&
        type != QEvent::MouseButtonRelease)
        return;
    const auto* mouse = static_cast<QMouseEvent*>(event);
    const qreal s = devicePixelRatioF();
    const QPoint client = centralWidget()->mapTo(this, QPoint());
    const int x = view::pixelAt(mouse->position().x(), s),
              y = view::pixelAt(mouse->position().y(), s);
    const bool up = type == QEvent::MouseButtonRelease;
    // A press on the menu bar is the menu's.
    if (!up && !view::clientArea(s, {client.x(), client.y()}).contains(x, y)) return;
    presenter_.pointer(up ? view::Pointer::Up : view::Pointer::Down,
                       mouse->button() == Qt::LeftButton ? view::Button::Left : view::Button::Other,
                       view::cellAt(x, y, s, {client.x(), client.y()}));
}

bool MainWindow::showModal(const view::Request& request) {
    if (request.what == layout::Does::ShowInfo) {
        InfoWindow window(layout::kInfoWindows[std::size_t(request.index)], this);
        window.exec();
        return false;
    }
    QMessageBox box(QMessageBox::NoIcon, QString::fromUtf8(text::kProgramTitle),
                    QString::fromUtf8(text::kStopQuestion), QMessageBox::Ok | QMessageBox::Cancel,
                    this);
    keepFixedSize(&box);
    box.setDefaultButton(QMessageBox::Ok);
    box.setEscapeButton(QMessageBox::Cancel);
    // Plain buttons in Russian, as the desktop's own message boxes have them.
    box.button(QMessageBox::Ok)->setText(QString::fromUtf8(text::kOk));
    box.button(QMessageBox::Cancel)->setText(QString::fromUtf8(text::kCancel));
    for (QAbstractButton* button : box.buttons())
        button->setIcon(QIcon());
    return box.exec() == QMessageBox::Ok;
}

void MainWindow::present(const view::Changes& c) {
    client_->redraw(c);
    for (const view::Update& u : view::updates(game(), marker(), c)) {
        QWidget* w = widgets_.value(u.control);
        switch (u.what) {
            case view::Update::Shown:
                w->setVisible(u.on);
                break;
            case view::Update::Caption:
                static_cast<QLabel*>(w)->setText(QString::fromStdString(u.text));
                break;
            case view::Update::Entry:
                entries_[u.index]->setEnabled(u.on);
                break;
            case view::Update::Timer:
                if (u.on) {
                    timers_[u.index]->start();
                } else {
                    timers_[u.index]->stop();
                }
                break;
            default:
                if (w) static_cast<ControlView*>(w)->tell(u);
                break;
        }
    }
}

}  // namespace brindle::qt
