// The main window: shows the game held by the core and feeds it the user's events.
#pragma once

#include <QHash>
#include <QMainWindow>
#include <array>
#include <functional>
#include <span>
#include <string_view>

#include "layout/layout.h"
#include "session/game.h"
#include "ui/info_window.h"
#include "ui/pictures.h"

class QAction;
class QLabel;
class QTimer;

namespace brindle::ui {

class CellView;
class ProgressPanel;
class ClockPanel;
class ClockLabel;
class CoverView;
class IconBox;

class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    explicit MainWindow(QWidget* parent = nullptr);

    const Game& game() const { return game_; }
    const Pictures& pictures() const { return pictures_; }

  private:
    // Makes the controls of a table in `parent`, stacked as the table lists them.
    void build(std::span<const layout::Control> controls, QWidget* parent);
    QWidget* make(const layout::Control& c, QWidget* parent);
    template <typename Widget>
    Widget* named(const char* name) const {
        return qobject_cast<Widget*>(named_.value(QLatin1String(name)));
    }
    void buildMenus();
    // What the menu command of that name does.
    std::function<void()> command(std::string_view name);
    void buildTimers();

    bool eventFilter(QObject* watched, QEvent* event) override;
    // The cell drawn on top at a point of the window, if any.
    CellView* cellDrawnAt(QPointF windowPos) const;
    bool modalWindowUp() const;
    void pressCell(Pos p);
    // Arrow keys move the focus marker, Space and Enter play the marked cell.
    bool keyOnBoard(int key);
    void endKeyboardPlay();
    CellView* cellView(Pos p) const { return cells_[static_cast<std::size_t>(indexOf(p))]; }

    void askStopGame();
    void showInfo(const layout::InfoWindow& which);

    // Runs one command of the core, then shows its outcome.
    template <typename Command>
    void apply(Command&& command) {
        command(game_);
        present();
    }
    // Brings widgets, timers and menu entries in line with the game; touches only
    // what changed since the last call, so an idle tick repaints almost nothing.
    void present();

    Pictures pictures_;
    QHash<QString, QWidget*> named_;  // every control of the layout, by its name
    QPixmap cellAtCreation_;          // the cells' own copy of the unlit picture
    Game game_;
    Game shown_;

    std::array<CellView*, kCellCount> cells_{};
    std::array<QLabel*, kSegmentCount> segments_{};
    CoverView* cover_ = nullptr;
    QLabel* stat_ = nullptr;
    IconBox* picture1_ = nullptr;
    ProgressPanel* process_ = nullptr;
    ClockPanel* time_ = nullptr;
    ClockLabel* minutes_ = nullptr;
    QLabel* seconds_ = nullptr;
    std::array<QTimer*, kRingSize> ring_{};
    QTimer* clock_ = nullptr;
    QAction* gameNew_ = nullptr;
    QAction* gameStop_ = nullptr;

    // Keyboard play lives only in the window: which cell the marker is on, and whether
    // a key has been used since the last mouse click.
    Pos keyCell_{3, 3};
    bool keyboardPlay_ = false;
    CellView* pressedCell_ = nullptr;  // where the left button went down
};

}  // namespace brindle::ui
