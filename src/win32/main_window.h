// The main window on Windows: turns the player's input and the timers into the
// presenter's calls, and shows what it says changed. Every control of the layout is a
// child window, stacked as the layout lists them, so that Windows' own hit-testing
// gives each overlap strip to the cell drawn on top. The cells are owner-drawn buttons:
// screen readers read their names, and a lit cell is a pressed button.
#pragma once

#include <windows.h>

#include <array>
#include <span>
#include <string_view>
#include <vector>

#include "layout/layout.h"
#include "view/paint.h"
#include "view/presenter.h"
#include "win32/draw.h"

namespace brindle::win32 {

// Child window ids: a main control's index in the layout's table plus kMainControlId,
// a status control's plus kStatusControlId. Menu commands: kMenuCommandId plus the
// entry's index in the menu table.
inline constexpr int kMainControlId = 1000;
inline constexpr int kStatusControlId = 2000;
inline constexpr int kMenuCommandId = 100;

class MainWindow {
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
    struct View {
        const layout::Control* control;
        HWND hwnd = nullptr;
        int parent = -1;  // the view it lies in, or -1 for the client area
        view::Box place;  // layout pixels, relative to the client area
    };

    static LRESULT CALLBACK proc(HWND, UINT, WPARAM, LPARAM);
    static LRESULT CALLBACK viewProc(HWND, UINT, WPARAM, LPARAM);
    static LRESULT CALLBACK cellProc(HWND, UINT, WPARAM, LPARAM);
    LRESULT handle(UINT message, WPARAM wp, LPARAM lp);

    void build(std::span<const layout::Control> controls, int parent, int firstId);
    void buildMenus();
    // Puts every child at its place for the window's DPI, and sizes the window to fit.
    void arrange();
    void fit();
    double scale() const { return dpi_ / double(USER_DEFAULT_SCREEN_DPI); }
    view::Box deviceBox(const View& v) const;  // in device pixels of the client area
    RECT boxInParent(const View& v) const;
    void paint(const View& v, HDC dc);
    void render(const view::Changes& changes);
    void paintScene(HDC dc, const view::Box& at);  // `at`: where dc lies in the client area
    void paintText(const View& v, HDC dc);
    View* viewOf(HWND h);
    HWND windowOf(const layout::Control* c) const;  // nullptr: none

    bool showModal(const view::Request& request);
    std::optional<Pos> cellAt(LPARAM lp) const;  // under the mouse, in the client area
    void pointerDown(bool left, std::optional<Pos> cell);
    LRESULT accessible(const View& v, WPARAM wp, LPARAM lp);
    void present(const view::Changes& changes);

    HINSTANCE instance_;
    HWND hwnd_ = nullptr;
    HMENU menuBar_ = nullptr;
    UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
    HFONT font_ = nullptr;
    std::vector<View> views_;
    view::Presenter presenter_;
    std::optional<view::Raster> shown_;  // the client area, as every window shows it
    std::optional<LONG> menuClosedAt_;   // the message time when a menu last closed
    bool timersStarted_ = true;          // every SetTimer so far succeeded
};

}  // namespace brindle::win32
