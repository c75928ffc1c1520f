// The Windows front end driven as a player drives it, under Wine: the real window, the
// mouse and keys through SendInput, the menus' own commands, the system's message box,
// and the window's pixels read back.
#include <gtest/gtest.h>
#include <windows.h>
// After windows.h:
#include <oleacc.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "layout/layout.h"
#include "win32/main_window.h"

namespace brindle::win32 {
namespace {

// The colours the game is drawn in.
constexpr COLORREF kYellow = RGB(255, 255, 0), kWhite = RGB(255, 255, 255),
                   kCoverGrey = RGB(192, 192, 192), kBlack = RGB(0, 0, 0),
                   kSegmentBlue = RGB(0, 0, 128);
constexpr int kPitch = 48;  // a cell's place on the board, in layout pixels

// The screen's scale (dots per inch / 96), which the test runs at; and the first device
// pixel of a layout pixel, rounded as the window is laid out.
double scale = 1;
int dev(int px) {
    return static_cast<int>(std::floor(px * scale + 0.5));
}

// Runs the thread's messages for `ms` milliseconds, or until `done` holds.
bool pump(DWORD ms, const std::function<bool()>& done = {}) {
    const DWORD end = GetTickCount() + ms;
    for (;;) {
        MSG m;
        while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&m);
            DispatchMessageW(&m);
        }
        if (done && done()) return true;
        const DWORD now = GetTickCount();
        if (LONG(end - now) <= 0) return done ? done() : true;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, std::min<DWORD>(end - now, 20), QS_ALLINPUT);
    }
}

std::wstring textOf(HWND h) {
    wchar_t s[256] = {};
    GetWindowTextW(h, s, 256);
    return s;
}

// A window's client area as it is drawn on the screen.
struct Shot {
    explicit Shot(HWND h) {
        RECT r;
        GetClientRect(h, &r);
        width = r.right;
        height = r.bottom;
        BITMAPINFO bi{};
        bi.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        HDC dc = GetDC(h);
        HDC mem = CreateCompatibleDC(dc);
        HBITMAP bmp = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
        HGDIOBJ old = SelectObject(mem, bmp);
        BitBlt(mem, 0, 0, width, height, dc, 0, 0, SRCCOPY);
        GdiFlush();
        const auto* p = static_cast<const std::uint32_t*>(bits);
        pixels.assign(p, p + std::size_t(width) * std::size_t(height));
        SelectObject(mem, old);
        DeleteObject(bmp);
        DeleteDC(mem);
        ReleaseDC(h, dc);
    }
    COLORREF at(int x, int y) const {
        if (x < 0 || y < 0 || x >= width || y >= height) return CLR_INVALID;  // outside the window
        const std::uint32_t p = pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)];
        return RGB((p >> 16) & 0xff, (p >> 8) & 0xff, p & 0xff);
    }
    // The board as it looks: X yellow, . white, # covered, one row per five cells.
    std::string board() const {
        std::string s;
        for (int r = 0; r < kSide; ++r) {
            if (r) s += '/';
            for (int c = 0; c < kSide; ++c) {
                const COLORREF p = at(dev(c * kPitch + kPitch / 2), dev(r * kPitch + kPitch / 2));
                s += p == kYellow ? 'X' : p == kWhite ? '.' : p == kCoverGrey ? '#' : '?';
            }
        }
        return s;
    }
    int width = 0, height = 0;
    std::vector<std::uint32_t> pixels;
};

// Moves the mouse to a screen pixel, exactly, and presses or releases the left button.
void mouse(POINT at, DWORD button) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    const LONG w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    in.mi.dx = (at.x * 65536 + w - 1) / w;
    in.mi.dy = (at.y * 65536 + h - 1) / h;
    in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | button;
    SendInput(1, &in, sizeof in);
}

// A left click that goes down at one layout pixel of a window and up at another.
void click(HWND h, POINT down, std::optional<POINT> up = {}) {
    POINT at[2] = {down, up.value_or(down)};
    for (POINT& p : at) {
        p = {dev(p.x), dev(p.y)};
        ClientToScreen(h, &p);
    }
    mouse(at[0], MOUSEEVENTF_LEFTDOWN);
    mouse(at[1], MOUSEEVENTF_LEFTUP);
}

void key(WORD vk) {
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_KEYBOARD;
    in[0].ki.wVk = in[1].ki.wVk = vk;
    in[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, in, sizeof in[0]);
}

// Waits for a visible window of this class and this program, from another thread.
HWND await(const wchar_t* cls) {
    for (int i = 0; i < 250; ++i) {
        for (HWND h = FindWindowExW(nullptr, nullptr, cls, nullptr); h;
             h = FindWindowExW(nullptr, h, cls, nullptr)) {
            DWORD process = 0;
            GetWindowThreadProcessId(h, &process);
            if (process == GetCurrentProcessId() && IsWindowVisible(h)) return h;
        }
        Sleep(20);
    }
    ADD_FAILURE() << "no window appeared";
    return nullptr;
}

UINT commandId(std::string_view name) {
    for (std::size_t i = 0; i < layout::kMenus.size(); ++i) {
        if (layout::kMenus[i].name == name) return UINT(kMenuCommandId + i);
    }
    ADD_FAILURE() << "no menu entry " << name;
    return 0;
}

class Window : public ::testing::Test {
  protected:
    void SetUp() override {
        CoInitialize(nullptr);  // as the program's own main does
        window = std::make_unique<MainWindow>(GetModuleHandleW(nullptr));
        ShowWindow(hwnd(), SW_SHOW);
        scale = GetDpiForWindow(hwnd()) / 96.0;
        // The scale the runner set for this run, if any, is the window's.
        if (const char* dpi = std::getenv("BRINDLE_DPI")) {
            ASSERT_EQ(GetDpiForWindow(hwnd()), UINT(std::atoi(dpi)));
        }
        SetForegroundWindow(hwnd());
        pump(300);
    }
    void TearDown() override {
        window.reset();
        MSG m;  // the window's quit is for a program's loop, not for the next test
        while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
        }
    }
    HWND hwnd() const { return window->hwnd(); }
    // Runs a menu command as choosing it does, while `meanwhile` works the windows it
    // opens from another thread.
    void choose(std::string_view name, const std::function<void()>& meanwhile = {}) {
        std::thread helper;
        if (meanwhile) helper = std::thread(meanwhile);
        SendMessageW(hwnd(), WM_COMMAND, MAKEWPARAM(commandId(name), 0), 0);
        if (helper.joinable()) helper.join();
        pump(150);
    }
    bool enabled(std::string_view entry) const {
        return !(GetMenuState(GetMenu(hwnd()), commandId(entry), MF_BYCOMMAND) & MF_GRAYED);
    }
    HWND control(std::string_view name) const {
        for (std::size_t i = 0; i < layout::kMainControls.size(); ++i) {
            if (layout::kMainControls[i].name == name)
                return GetDlgItem(hwnd(), int(kMainControlId + i));
        }
        const HWND strip = GetDlgItem(hwnd(), kMainControlId);
        for (std::size_t i = 0; i < layout::kStatusControls.size(); ++i) {
            if (layout::kStatusControls[i].name == name)
                return GetDlgItem(strip, int(kStatusControlId + i));
        }
        return nullptr;
    }
    std::string board() const { return Shot(hwnd()).board(); }
    int segmentsShown() const {
        const Shot shot(hwnd());
        int n = 0;
        for (int k = 0; k < kSegmentCount; ++k)  // a segment's middle, in the strip at y 242
            n += shot.at(dev(29 + 12 * k), dev(242 + 10)) == kSegmentBlue;
        return n;
    }

    std::unique_ptr<MainWindow> window;
};

// Answers the stop box with `button`, and writes down what the player sees of it: its
// title, the text, the default button's id, whether it has an icon, and the buttons.
std::function<void()> answerStopBox(std::wstring& seen, int button) {
    return [&seen, button] {
        HWND box = await(L"#32770");
        if (!box) return;
        std::wstring text, icon = L"no icon";
        for (HWND c = GetWindow(box, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
            wchar_t cls[32] = {};
            GetClassNameW(c, cls, 32);
            if (std::wstring(cls) != L"Static") continue;
            if (SendMessageW(c, STM_GETICON, 0, 0)) icon = L"icon";
            if (!textOf(c).empty()) text = textOf(c);
        }
        seen = textOf(box) + L"|" + text + L"|default " +
               std::to_wstring(LOWORD(SendMessageW(box, DM_GETDEFID, 0, 0))) + L"|" + icon + L"|" +
               textOf(GetDlgItem(box, IDOK)) + L"|" + textOf(GetDlgItem(box, IDCANCEL));
        if (button == IDOK) {
            key(VK_RETURN);  // what the default button answers
        } else {
            RECT r;
            GetWindowRect(GetDlgItem(box, button), &r);
            const POINT middle{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
            mouse(middle, MOUSEEVENTF_LEFTDOWN);
            mouse(middle, MOUSEEVENTF_LEFTUP);
        }
        for (int i = 0; i < 100 && IsWindow(box); ++i)
            Sleep(20);
        if (IsWindow(box)) {  // never leave the test waiting on it
            ADD_FAILURE() << "the stop box stayed up";
            PostMessageW(box, WM_COMMAND, IDCANCEL, 0);
        }
    };
}

TEST_F(Window, AClickPlaysTheCellDrawnOnTopOfItsPixel) {
    // Cells are 50 pixels wide on a 48-pixel pitch: the overlap strips at 48-49 and
    // 96-97 go to column 1 and to column 3, and a lower row lies over the row above.
    const struct {
        POINT at;
        const char* after;
    } clicks[] = {
        {{49, 24}, "XX.../X..../...../...../....."},   {{50, 24}, "XXX../.X.../...../...../....."},
        {{96, 24}, ".XXX./..X../...../...../....."},   {{24, 48}, "X..../XX.../X..../...../....."},
        {{193, 192}, "...../...../...../....X/...XX"},
    };
    for (const auto& c : clicks) {
        click(hwnd(), c.at);
        EXPECT_TRUE(pump(2000, [&] { return board() == c.after; }))
            << "click at " << c.at.x << "," << c.at.y << " shows " << board();
        click(hwnd(), c.at);  // the same cell again undoes it
        EXPECT_TRUE(pump(2000, [&] { return board() == "...../...../...../...../....."; }));
    }
    // Released over another cell, or outside the window: no move.
    click(hwnd(), {24, 24}, POINT{72, 24});
    click(hwnd(), {24, 24}, POINT{-20, 24});
    pump(200);
    EXPECT_EQ(board(), "...../...../...../...../.....");
}

TEST_F(Window, TheClockAndIconRunUntilAStopThatAsksFirst) {
    const HWND seconds = control("Label3");
    const auto icon = [this] { return Shot(control("Picture1")).pixels; };
    const auto first = icon();
    EXPECT_TRUE(pump(1500, [&] { return icon() != first; }));
    EXPECT_TRUE(pump(5000, [&] { return textOf(seconds) == L"2"; }));
    click(hwnd(), {120, 120});
    pump(200);
    std::wstring seen;
    choose("GameStop", answerStopBox(seen, IDCANCEL));
    // The system's own buttons, in the system's language.
    EXPECT_EQ(seen,
              L"Brindle|Игра будет остановлена. Все данные будут стерты!\nПродолжить?|"
              L"default 1|no icon|ОК|Отмена");
    EXPECT_EQ(board(), "...../..X../.XXX./..X../.....");  // cancelled: nothing changed
    EXPECT_TRUE(enabled("GameStop"));

    choose("GameStop", answerStopBox(seen, IDOK));
    EXPECT_EQ(board(), "#####/#####/#####/#####/#####");
    EXPECT_FALSE(enabled("GameStop"));
    EXPECT_TRUE(enabled("GameNew"));
    EXPECT_EQ(textOf(control("Label1")) + L":" + textOf(seconds), L"0:0");
    const auto stopped = icon();
    // The cover takes clicks and keys.
    click(hwnd(), {120, 120});
    key(VK_RIGHT);
    key(VK_SPACE);
    pump(1300);
    EXPECT_EQ(board(), "#####/#####/#####/#####/#####");
    EXPECT_EQ(textOf(seconds), L"0");
    EXPECT_EQ(icon(), stopped);
    choose("GameNew");
    EXPECT_EQ(board(), "...../...../...../...../.....");
}

TEST_F(Window, AFixedCentredWindowShowsThePatternsAndTheBarCrisply) {
    EXPECT_EQ(textOf(hwnd()), L"Quorvane Brindle");
    const LONG style = GetWindowLongW(hwnd(), GWL_STYLE);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & (WS_MAXIMIZEBOX | WS_THICKFRAME));
    RECT frame, area;
    GetWindowRect(hwnd(), &frame);
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    EXPECT_LE(std::abs((frame.left + frame.right) - (area.left + area.right)), 1);
    EXPECT_LE(std::abs((frame.top + frame.bottom) - (area.top + area.bottom)), 1);

    const struct {
        const char* load;
        const char* board;
        int segments;
    } loads[] = {
        {"LoadFull", "XXXXX/XXXXX/XXXXX/XXXXX/XXXXX", 13},
        {"LoadDem5", "X..../.X.../..X../...X./....X", 2},
        {"LoadDem1", "X.X.X/.X.X./X.X.X/.X.X./X.X.X", 6},
    };
    for (const auto& l : loads) {
        choose(l.load);
        EXPECT_EQ(board(), l.board) << l.load;
        EXPECT_EQ(segmentsShown(), l.segments) << l.load;
    }
    const Shot shot(hwnd());
    EXPECT_EQ(shot.width, dev(242));
    EXPECT_EQ(shot.height, dev(262));
    // Nothing blended, and every grid line equally wide: a whole number of device pixels.
    const int side = dev(242), line = std::max(1, static_cast<int>(scale));
    int strays = 0;
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            const COLORREF p = shot.at(x, y);
            strays += p != kBlack && p != kWhite && p != kYellow;
        }
    }
    EXPECT_EQ(strays, 0);
    const auto lineWidths = [&](bool across) {
        std::vector<int> runs;
        int run = 0;
        for (int k = 0; k <= side; ++k) {
            const bool black =
                k < side && (across ? shot.at(k, dev(24)) : shot.at(dev(24), k)) == kBlack;
            if (black) ++run;
            if (!black && run) runs.push_back(std::exchange(run, 0));
        }
        return runs;
    };
    EXPECT_EQ(lineWidths(true), std::vector<int>(kSide + 1, line));
    EXPECT_EQ(lineWidths(false), std::vector<int>(kSide + 1, line));
}

TEST_F(Window, TheKeysMoveAMarkerAndPlayIt) {
    key(VK_SPACE);  // no marker in sight yet: nothing happens
    pump(200);
    EXPECT_EQ(board(), "...../...../...../...../.....");
    key(VK_LEFT);  // shows the marker on the middle cell
    pump(200);
    const Shot marked(hwnd());
    const int corner = dev(2 * kPitch + 4);
    EXPECT_EQ(marked.at(corner, corner), kBlack);
    EXPECT_EQ(marked.at(corner, corner - 1), kWhite);
    key(VK_LEFT);
    key(VK_UP);
    key(VK_RETURN);
    EXPECT_TRUE(pump(2000, [&] { return board() == ".X.../XXX../.X.../...../....."; }));
    // A click ends keyboard play: the marker goes.
    click(hwnd(), {230, 230});
    pump(200);
    EXPECT_EQ(Shot(hwnd()).at(dev(kPitch + 4), dev(kPitch + 4)), kYellow);
}

TEST_F(Window, CellsReadAsNamedButtonsPressedWhileLit) {
    choose("LoadDem1");
    const std::string seen = board();
    for (int i = 0; i < kCellCount; ++i) {
        const Pos p = posOf(i);
        const HWND cell = control("rc_" + std::to_string(p.row) + "_" + std::to_string(p.col));
        EXPECT_EQ(textOf(cell),
                  L"Ряд " + std::to_wstring(p.row) + L", столбец " + std::to_wstring(p.col));
        const bool pressed = SendMessageW(cell, BM_GETSTATE, 0, 0) & BST_PUSHED;
        EXPECT_EQ(pressed, seen[std::size_t(i + i / kSide)] == 'X') << "cell " << i;
    }
    // Held down and moved off, a lit cell still reads pressed: it reads what it shows.
    POINT at{dev(24), dev(24)}, off{dev(120), dev(24)};
    ClientToScreen(hwnd(), &at);
    ClientToScreen(hwnd(), &off);
    mouse(at, MOUSEEVENTF_LEFTDOWN);
    mouse(off, 0);
    pump(200);
    EXPECT_TRUE(SendMessageW(control("rc_1_1"), BM_GETSTATE, 0, 0) & BST_PUSHED);
    mouse(off, MOUSEEVENTF_LEFTUP);
    pump(100);
    // A screen reader's press plays the cell.
    SendMessageW(control("rc_1_1"), BM_CLICK, 0, 0);
    pump(100);
    EXPECT_EQ(board(), ".XX.X/XX.X./X.X.X/.X.X./X.X.X");
}

TEST_F(Window, TheHelpWindowsAreModalAndCloseOnAClickOrEscape) {
    const struct {
        const char* command;
        const wchar_t* caption;
        SIZE client;
        bool escape;  // closed by Escape rather than a click
    } windows[] = {
        {"HelpHowToPlay", L"Как играть", {325, 119}, false},
        {"HelpPro", L"Возможности программы", {312, 292}, false},
        {"HelpAuhtor", L"О Brindle", {325, 78}, true},
    };
    for (const auto& w : windows) {
        std::wstring seen;  // caption, client size, owner, the rule, and the click's effect
        choose(w.command, [&] {
            const HWND info = await(L"BrindleInfo");
            if (!info) return;
            RECT r;
            GetClientRect(info, &r);
            seen = textOf(info) + L" " + std::to_wstring(r.right) + L"x" +
                   std::to_wstring(r.bottom) + (IsWindowEnabled(hwnd()) ? L" owner enabled" : L"");
            Sleep(200);
            const Shot shot(info);
            // The rule under the heading: pixels 64 to 296 of row 24, and only there.
            const int left = dev(64), right = left + dev(233) - 1, row = dev(24);
            const bool rule =
                shot.at(left, row) == kBlack && shot.at(right, row) == kBlack &&
                shot.at(left - 1, row) != kBlack && shot.at(right + 1, row) != kBlack &&
                shot.at(dev(150), row - 1) != kBlack && shot.at(dev(150), row + dev(1)) != kBlack;
            seen += rule ? L", rule in place" : L", rule astray";
            // Meanwhile the main window takes no command and no mouse button.
            SendMessageW(hwnd(), WM_COMMAND, MAKEWPARAM(commandId("LoadFull"), 0), 0);
            PostMessageW(control("rc_3_3"), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
            Sleep(100);
            POINT on{dev(100), dev(40)};  // on a text
            ClientToScreen(info, &on);
            if (w.escape) {
                key(VK_ESCAPE);
            } else {
                mouse(on, MOUSEEVENTF_LEFTDOWN);
                mouse(on, MOUSEEVENTF_LEFTUP);
            }
            for (int i = 0; i < 100 && IsWindow(info); ++i)
                Sleep(20);
            seen += IsWindow(info) ? L", still open" : L", closed";
            if (IsWindow(info)) PostMessageW(info, WM_CLOSE, 0, 0);
        });
        EXPECT_EQ(seen,
                  w.caption + (L" " + std::to_wstring(dev(w.client.cx)) + L"x" +
                               std::to_wstring(dev(w.client.cy)) + L", rule in place, closed"));
        EXPECT_TRUE(IsWindowEnabled(hwnd()));
        EXPECT_EQ(board(), "...../...../...../...../.....");
    }
}

// What a screen reader gets from a control through the system's accessibility
// interface: "role|name|value".
std::wstring spoken(HWND control) {
    IAccessible* a = nullptr;
    if (FAILED(AccessibleObjectFromWindow(control, OBJID_CLIENT, __uuidof(IAccessible),
                                          reinterpret_cast<void**>(&a)))) {
        return L"no object";
    }
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    VARIANT role{};
    BSTR name = nullptr, value = nullptr;
    a->get_accRole(self, &role);
    a->get_accName(self, &name);
    a->get_accValue(self, &value);
    std::wstring out =
        std::to_wstring(role.lVal) + L"|" + (name ? name : L"") + L"|" + (value ? value : L"");
    SysFreeString(name);
    SysFreeString(value);
    a->Release();
    return out;
}

TEST_F(Window, TheBarTheClockAndTheIconReadAloud) {
    const auto role = [](long r) { return std::to_wstring(r) + L"|"; };
    click(hwnd(), {120, 120});
    for (int i = 0; i < 65; ++i)
        SendMessageW(hwnd(), WM_TIMER, 7, 0);  // Timer7
    pump(100);
    EXPECT_EQ(spoken(control("Process")), role(ROLE_SYSTEM_PROGRESSBAR) + L"Заполнение поля|2");
    EXPECT_EQ(spoken(control("Time")), role(ROLE_SYSTEM_CLOCK) + L"Время игры|1 мин 5 с");
    EXPECT_EQ(spoken(control("Picture1")),
              role(ROLE_SYSTEM_GRAPHIC) + L"игра работает и можно в неё играть|");
    choose("LoadDem3");
    EXPECT_EQ(spoken(control("Picture1")),
              role(ROLE_SYSTEM_GRAPHIC) + L"игра приостановлена, загружен узор|");
    EXPECT_EQ(spoken(control("Process")), role(ROLE_SYSTEM_PROGRESSBAR) + L"Заполнение поля|10");
}

// The clock's captions are transparent: the panel's frame shows all round them, and the
// minutes stay inside it however long the game.
TEST_F(Window, TheClockStaysInsideItsFrame) {
    const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT), dark = GetSysColor(COLOR_BTNSHADOW);
    // The panel Time: columns 183 to 239, rows 242 to 261 of the client area.
    const int left = dev(183), right = dev(183 + 57) - 1, top = dev(242),
              bottom = dev(242 + 20) - 1;
    for (int minutes = 0; minutes <= 100; minutes += 100) {
        for (int i = 0; i < minutes * 60; ++i)
            SendMessageW(hwnd(), WM_TIMER, 7, 0);
        pump(200);
        const Shot shot(hwnd());
        int wrong = 0;
        for (int x = left + 1; x <= right; ++x)
            wrong += shot.at(x, bottom) != light;
        for (int y = top; y < bottom; ++y)
            wrong += shot.at(left, y) != dark;
        EXPECT_EQ(wrong, 0) << minutes << " minutes";
    }
    EXPECT_EQ(textOf(control("Label1")), L"100");
    // The icon's box is sunken two lines deep.
    const Shot icon(control("Picture1"));
    EXPECT_EQ(icon.at(0, 0), dark);
    EXPECT_EQ(icon.at(dev(1), dev(1)), GetSysColor(COLOR_3DDKSHADOW));
}

}  // namespace
}  // namespace brindle::win32
