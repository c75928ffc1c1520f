// The main window on Windows: shows the game held by the core and feeds it the user's
// events. Every control of the layout is a child window, stacked as the layout lists
// them, so that Windows' own hit-testing gives each overlap strip to the cell drawn on
// top. The cells are owner-drawn buttons: screen readers read their names, and a lit
// cell is a pressed button.
#pragma once

#include <windows.h>

#include <array>
#include <span>
#include <string_view>
#include <vector>

#include "layout/layout.h"
#include "session/game.h"
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
    explicit MainWindow(HINSTANCE instance);
    ~MainWindow();
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    HWND hwnd() const { return hwnd_; }
    const Game& game() const { return game_; }

  private:
    struct View {
        const layout::Control* control;
        HWND hwnd = nullptr;
        int parent = -1;  // the view it lies in, or -1 for the client area
        RECT place{};     // layout pixels, relative to the client area
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
    RECT deviceBox(const View& v) const;  // in device pixels of its parent
    void placeView(const View& v);
    void paint(const View& v, HDC dc);
    View* viewOf(HWND h);
    View& named(std::string_view name);

    void command(std::string_view name);
    void askStopGame();
    void showInfo(const layout::InfoWindow& which);
    bool modalWindowUp() const { return !IsWindowEnabled(hwnd_); }
    void pressCell(Pos p);
    void cellButton(int index, UINT message, LPARAM lp);
    bool keyOnBoard(WPARAM key);
    void endKeyboardPlay();
    void minutesCaption(const std::wstring& caption);

    template <typename Command>
    void apply(Command&& command) {
        command(game_);
        present();
    }
    // Brings windows, timers and menu entries in line with the game, touching only
    // what changed since the last call.
    void present();

    HINSTANCE instance_;
    HWND hwnd_ = nullptr;
    HMENU menuBar_ = nullptr;
    UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
    HFONT font_ = nullptr;
    Pictures pictures_;
    std::vector<View> views_;
    std::array<View*, kCellCount> cells_{};
    std::array<View*, kSegmentCount> segments_{};
    View* minutes_ = nullptr;
    RECT minutesHome_{};
    HWND cover_ = nullptr, stat_ = nullptr, seconds_ = nullptr, picture1_ = nullptr;
    Game game_;
    Game shown_;
    bool firstPresent_ = true;

    Pos keyCell_{3, 3};
    bool keyboardPlay_ = false;
    int pressedCell_ = -1;  // where the left button went down
};

}  // namespace brindle::win32
