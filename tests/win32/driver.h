// The Windows tests' driver: the real window under Wine, input through SendInput,
// the menus' own commands, the window's pixels and what a screen reader reads.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>
// After windows.h:
#include <oleacc.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "expected.h"
#include "layout/layout.h"
#include "view/controls.h"
#include "view/paint.h"
#include "win32/main_window.h"

namespace brindle::win32 {
namespace {

using expected::ticksOnTime;

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

// Runs every message the thread has waiting, and paints what they left to paint. Under
// Wine, SendInput has queued its messages before it returns, so they are run too.
void settle(HWND h) {
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&m);
        DispatchMessageW(&m);
    }
    RedrawWindow(h, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

// UTF-8, as the shared expectations are written, for comparing with what Windows shows.
std::wstring utf16(const char* utf8) {
    return std::filesystem::path(reinterpret_cast<const char8_t*>(utf8)).wstring();
}

// From a helper thread, while the windows' own thread runs: whether `done` comes to hold
// within `ms` milliseconds.
bool within(DWORD ms, const std::function<bool()>& done) {
    for (const DWORD end = GetTickCount() + ms; !done(); Sleep(20))
        if (LONG(end - GetTickCount()) <= 0) return false;
    return true;
}

std::wstring textOf(HWND h) {
    wchar_t s[256] = {};
    GetWindowTextW(h, s, 256);
    return s;
}

// A window's client area, or a part of it, as it is drawn on the screen.
struct Shot {
    explicit Shot(HWND h, std::optional<RECT> part = {}) {
        RECT r;
        GetClientRect(h, &r);
        r = part.value_or(r);
        width = r.right - r.left;
        height = r.bottom - r.top;
        BITMAPINFO bi{};
        bi.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        HDC dc = GetDC(h);
        HDC mem = CreateCompatibleDC(dc);
        HBITMAP bmp = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
        HGDIOBJ old = SelectObject(mem, bmp);
        BitBlt(mem, 0, 0, width, height, dc, r.left, r.top, SRCCOPY);
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

int offScene(HWND h, const Game& g, const view::Marker& m = {}) {
    const Shot shot(h);
    return expected::offScene(shot.width, shot.height, scale, g, m, [&](int x, int y) {
        const COLORREF p = shot.at(x, y);
        return GetRValue(p) << 16 | GetGValue(p) << 8 | GetBValue(p);
    });
}

void key(WORD vk) {
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_KEYBOARD;
    in[0].ki.wVk = in[1].ki.wVk = vk;
    in[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, in, sizeof in[0]);
}

// Waits for a visible window of this class and this program, from another thread.
// A visible window of this class of the process's, if there is one.
HWND windowOf(const wchar_t* cls, DWORD process = GetCurrentProcessId()) {
    for (HWND h = FindWindowExW(nullptr, nullptr, cls, nullptr); h;
         h = FindWindowExW(nullptr, h, cls, nullptr)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(h, &owner);
        if (owner == process && IsWindowVisible(h)) return h;
    }
    return nullptr;
}

HWND await(const wchar_t* cls, DWORD process = GetCurrentProcessId()) {
    for (int i = 0; i < 250; ++i) {
        if (HWND h = windowOf(cls, process)) return h;
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

// The main window's client area as a screen reader finds it, through the system's
// accessibility interface; its controls are children by number.
class Reader {
  public:
    explicit Reader(HWND window) {
        AccessibleObjectFromWindow(window, OBJID_CLIENT, __uuidof(IAccessible),
                                   reinterpret_cast<void**>(&a_));
    }
    ~Reader() {
        if (a_) a_->Release();
    }
    Reader(const Reader&) = delete;
    Reader& operator=(const Reader&) = delete;
    IAccessible* get() const { return a_; }
    long count() const {
        long n = 0;
        if (a_) a_->get_accChildCount(&n);
        return n;
    }
    std::wstring name(long child) const { return text(child, &IAccessible::get_accName); }
    std::wstring value(long child) const { return text(child, &IAccessible::get_accValue); }
    long role(long child) const {
        VARIANT r{};
        return a_ && a_->get_accRole(id(child), &r) == S_OK ? r.lVal : -1;
    }
    long state(long child) const {
        VARIANT r{};
        return a_ && a_->get_accState(id(child), &r) == S_OK ? r.lVal : -1;
    }
    RECT place(long child) const {
        long x = 0, y = 0, w = 0, h = 0;
        if (a_) a_->accLocation(&x, &y, &w, &h, id(child));
        return {x, y, x + w, y + h};
    }
    bool press(long child) const { return a_ && a_->accDoDefaultAction(id(child)) == S_OK; }
    // "role|name|value", as a screen reader reads it.
    std::wstring spoken(long child) const {
        return std::to_wstring(role(child)) + L"|" + name(child) + L"|" + value(child);
    }

  private:
    static VARIANT id(long child) {
        VARIANT v{};
        v.vt = VT_I4;
        v.lVal = child;
        return v;
    }
    using Get = HRESULT (STDMETHODCALLTYPE IAccessible::*)(VARIANT, BSTR*);
    std::wstring text(long child, Get get) const {
        BSTR s = nullptr;
        if (!a_ || FAILED((a_->*get)(id(child), &s)) || !s) return {};
        std::wstring out(s);
        SysFreeString(s);
        return out;
    }
    IAccessible* a_ = nullptr;
};

class Window : public ::testing::Test {
  protected:
    void SetUp() override {
        CoInitialize(nullptr);  // as the program's own main does
        window = std::make_unique<MainWindow>(GetModuleHandleW(nullptr), ticksOnTime());
        ShowWindow(hwnd(), SW_SHOW);
        scale = GetDpiForWindow(hwnd()) / 96.0;
        // The scale the runner set for this run, if any, is the window's.
        if (const char* dpi = std::getenv("BRINDLE_DPI")) {
            ASSERT_EQ(GetDpiForWindow(hwnd()), UINT(std::atoi(dpi)));
        }
        SetForegroundWindow(hwnd());
        // Ready for the player: in front, and the board drawn.
        ASSERT_TRUE(pump(5000, [this] {
            return GetForegroundWindow() == hwnd() && board() == "...../...../...../...../.....";
        }));
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
        settle(hwnd());
    }
    bool enabled(std::string_view entry) const {
        return !(GetMenuState(GetMenu(hwnd()), commandId(entry), MF_BYCOMMAND) & MF_GRAYED);
    }
    // The child a screen reader finds where the control lies; 0: none.
    long control(std::string_view name) const {
        const view::Box b = view::device(view::inClient(view::control(name)), scale);
        POINT at{b.left, b.top};
        ClientToScreen(hwnd(), &at);
        const RECT want{at.x, at.y, at.x + b.width, at.y + b.height};
        const Reader reader(hwnd());
        for (long k = 1; k <= reader.count(); ++k) {
            const RECT place = reader.place(k);
            if (EqualRect(&place, &want)) return k;
        }
        ADD_FAILURE() << "no child where " << name << " lies";
        return 0;
    }
    RECT inClient(long child) const {
        RECT r = Reader(hwnd()).place(child);
        MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&r), 2);
        return r;
    }
    std::string board() const { return Shot(hwnd()).board(); }
    // Whether the board comes to show `b` within a few seconds.
    bool shows(const std::string& b) {
        return pump(3000, [&] { return board() == b; });
    }
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
        // Keys go to the box once the system has made it the active window and its loop
        // runs. Under Wine a click sent at once may be lost; the keys answer as the
        // buttons do.
        within(2000, [box] { return GetForegroundWindow() == box; });
        SendMessageTimeoutW(box, WM_NULL, 0, 0, SMTO_NORMAL, 2000, nullptr);
        key(button == IDOK ? VK_RETURN : VK_ESCAPE);  // the default button, or Отмена
        if (!within(2000,
                    [box] { return !IsWindow(box); })) {  // never leave the test waiting on it
            ADD_FAILURE() << "the stop box stayed up after answer " << button;
            PostMessageW(box, WM_COMMAND, IDCANCEL, 0);
        }
    };
}

}  // namespace
}  // namespace brindle::win32
