// The main window on Qt: turns the player's input and the timers into the presenter's
// calls, and shows what it says changed. Every control of the layout is a widget
// named as the layout names it.
#pragma once

#include <QHash>
#include <QMainWindow>
#include <array>
#include <span>
#include <vector>

#include "layout/layout.h"
#include "view/presenter.h"

class QAction;
class QLabel;
class QTimer;

namespace brindle::qt {

class CellView;
class ProgressPanel;
class ClockPanel;
class ClockLabel;
class ClientView;
class IconBox;

class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    // `now` is the wall clock the game clock keeps up with; tests give their own.
    explicit MainWindow(view::WallClock now = std::chrono::steady_clock::now,
                        QWidget* parent = nullptr);

    const Game& game() const { return presenter_.game(); }
    const view::Marker& marker() const { return presenter_.marker(); }

  private:
    // Makes the controls of a table in `parent`, stacked as the table lists them.
    void build(std::span<const layout::Control> controls, QWidget* parent);
    QWidget* make(const layout::Control& c, QWidget* parent);
    template <typename Widget>
    Widget* named(const char* name) const {
        return qobject_cast<Widget*>(named_.value(QLatin1String(name)));
    }
    void buildMenus();
    void buildTimers();

    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void pointer(QEvent* event);
    bool showModal(const view::Request& request);
    void present(const view::Changes& changes);

    QHash<QString, QWidget*> named_;  // every control of the layout, by its name
    view::Presenter presenter_;

    std::array<CellView*, kCellCount> cells_{};
    std::array<QLabel*, kSegmentCount> segments_{};
    ClientView* client_ = nullptr;
    QWidget* cover_ = nullptr;
    QLabel* stat_ = nullptr;
    IconBox* picture1_ = nullptr;
    ProgressPanel* process_ = nullptr;
    ClockPanel* time_ = nullptr;
    ClockLabel* minutes_ = nullptr;
    ClockLabel* seconds_ = nullptr;
    std::array<QTimer*, view::kTimerCount> timers_{};
    std::vector<QAction*> entries_;  // by place in the menu table
};

}  // namespace brindle::qt
