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
class QTimer;

namespace brindle::qt {

class ClientView;

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
    void buildMenus();
    void buildTimers();

    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void pointer(QEvent* event);
    bool showModal(const view::Request& request);
    void present(const view::Changes& changes);

    QHash<const layout::Control*, QWidget*> widgets_;  // every control of the layout
    view::Presenter presenter_;

    ClientView* client_ = nullptr;
    std::array<QTimer*, view::kTimerCount> timers_{};
    std::vector<QAction*> entries_;  // by place in the menu table
};

}  // namespace brindle::qt
