// The main window on Windows: turns the player's input and the timers into the
// presenter's calls, and shows what it says changed. The client area is one window that
// draws the whole scene and its captions; screen readers find the controls in it as
// children without windows of their own (see accessible.h).
#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "layout/layout.h"
#include "view/paint.h"
#include "view/presenter.h"
#include "win32/accessible.h"

namespace brindle::win32 {

// Menu commands: kMenuCommandId plus the entry's index in the menu table.
inline constexpr int kMenuCommandId = 100;

class MainWindow : private Board {
  public:
    // `now` is the wall clock the game clock keeps up with; tests give their own.
    // Throws StartUpFailed if a step of making the window fails.
    explicit MainWindow(HINSTANCE instance, view::WallClock now = std::chrono::steady_clock::now);
    ~MainWindow();
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    HWND hwnd() const { return hwnd_; }
    const Game& game() const { return presenter_.game(); }

  private:
    static LRESULT CALLBACK proc(HWND, UINT, WPARAM, LPARAM);
    LRESULT handle(UINT message, WPARAM wp, LPARAM lp);

    void buildMenus();
    // Sizes the window and its font for the window's DPI.
    void fit();
    double scale() const { return dpi_ / double(USER_DEFAULT_SCREEN_DPI); }
    view::Box deviceBox(const layout::Control& c) const;  // in the client area
    void render(const view::Changes& changes);
    void paint(HDC dc, const RECT& dirty);
    void paintText(HDC dc, const layout::Control& c, const std::string& caption);

    bool showModal(const view::Request& request);
    std::optional<Pos> cellAt(LPARAM lp) const;  // under the mouse, in the client area
    void pointerDown(bool left, std::optional<Pos> cell);
    void present(const view::Changes& changes);

    // Board
    const std::vector<const layout::Control*>& children() const override { return children_; }
    view::Spoken spoken(const layout::Control& c) const override;
    RECT onScreen(const layout::Control& c) const override;
    long childAt(POINT screen) const override;
    void press(const layout::Control& c) override;

    long childId(const layout::Control* c) const;  // 0: none

    HINSTANCE instance_;
    HWND hwnd_ = nullptr;
    HMENU menuBar_ = nullptr;
    UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
    HFONT font_ = nullptr;
    // What screen readers find, in the order they meet it: whatever speaks, and the
    // captions that show.
    std::vector<const layout::Control*> children_;
    std::vector<std::pair<const layout::Control*, std::string>> captions_;  // as shown now
    view::Presenter presenter_;
    std::optional<view::Raster> shown_;  // the client area, as the window shows it
    std::optional<LONG> menuClosedAt_;   // the message time when a menu last closed
    bool timersStarted_ = true;          // every SetTimer so far succeeded
};

}  // namespace brindle::win32
