// The Windows front end driven as a player drives it, under Wine: the real window, the
// mouse and keys through SendInput, the menus' own commands, the system's message box,
// and the window's pixels read back.
#include "driver.h"

namespace brindle::win32 {
namespace {

TEST_F(Window, AClickPlaysTheCellDrawnOnTopOfItsPixel) {
    const std::string empty = expected::plusOn(0, 0);  // no cell
    for (const auto& c : expected::kClicks) {
        click(hwnd(), {c.x, c.y});
        EXPECT_TRUE(shows(expected::plusOn(c.row, c.col)))
            << "click at " << c.x << "," << c.y << " shows " << board();
        click(hwnd(), {c.x, c.y});  // the same cell again undoes it
        EXPECT_TRUE(shows(empty));
    }
    // Released over another cell, or outside the window: no move. A click on rc_5_5
    // after each shows that the one before played nothing.
    click(hwnd(), {24, 24}, POINT{120, 24});
    click(hwnd(), {220, 220});
    EXPECT_TRUE(shows(expected::plusOn(5, 5))) << board();
    click(hwnd(), {24, 24}, POINT{-20, 24});
    click(hwnd(), {220, 220});
    EXPECT_TRUE(shows(empty)) << board();
    // The other buttons play nothing, and leave the mouse to whatever the player clicks
    // next, this window or another.
    for (const DWORD down : {MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_MIDDLEDOWN}) {
        POINT at{dev(120), dev(120)};
        ClientToScreen(hwnd(), &at);
        mouse(at, down);
        mouse(at, down << 1);  // its release
        settle(hwnd());
        EXPECT_EQ(GetCapture(), nullptr) << down;
        EXPECT_EQ(board(), empty) << down;
    }
}

// As on the desktop, a click beside an open menu only closes it: the cell under it
// plays nothing, and the next click plays.
TEST_F(Window, AClickThatClosesAMenuOnlyClosesIt) {
    RECT game;
    ASSERT_TRUE(GetMenuItemRect(hwnd(), GetMenu(hwnd()), 0, &game));
    std::atomic<bool> done = false;
    std::wstring seen = L"no menu";
    std::thread helper([&] {
        const POINT item{(game.left + game.right) / 2, (game.top + game.bottom) / 2};
        mouse(item, MOUSEEVENTF_LEFTDOWN);
        mouse(item, MOUSEEVENTF_LEFTUP);
        if (await(L"#32768")) {  // the menu's own window
            POINT cell{dev(120), dev(120)};
            ClientToScreen(hwnd(), &cell);
            mouse(cell, MOUSEEVENTF_LEFTDOWN);
            mouse(cell, MOUSEEVENTF_LEFTUP);
            seen = within(3000, [] { return !windowOf(L"#32768"); }) ? L"closed" : L"open";
        }
        done = true;
    });
    pump(10000, [&] { return done.load(); });
    helper.join();
    settle(hwnd());
    EXPECT_EQ(seen, L"closed");
    EXPECT_EQ(board(), expected::plusOn(0, 0));
    click(hwnd(), {120, 120});
    EXPECT_TRUE(shows(expected::plusOn(3, 3))) << board();
}

TEST_F(Window, TheClockAndIconRunUntilAStopThatAsksFirst) {
    const long seconds = control("Label3");
    const auto icon = [this] { return Shot(hwnd(), inClient(control("Picture1"))).pixels; };
    const auto read = [this](long child) { return Reader(hwnd()).name(child); };
    const auto first = icon();
    // Bounded waits, generous for a loaded machine: the timers are real.
    EXPECT_TRUE(pump(5000, [&] { return icon() != first; }));
    EXPECT_TRUE(pump(8000, [&] { return std::stoi(L"0" + read(seconds)) >= 2; }));
    click(hwnd(), {120, 120});
    EXPECT_TRUE(shows(expected::plusOn(3, 3)));
    std::wstring seen;
    choose("GameStop", answerStopBox(seen, IDCANCEL));
    // The system's own buttons, in the system's language.
    using namespace expected;
    EXPECT_EQ(seen, utf16(kStopTitle) + L"|" + utf16(kStopText) + L"|default 1|no icon|" +
                        utf16(kStopOk) + L"|" + utf16(kStopCancel));
    EXPECT_EQ(board(), expected::plusOn(3, 3));  // cancelled: nothing changed
    EXPECT_TRUE(enabled("GameStop"));

    choose("GameStop", answerStopBox(seen, IDOK));
    EXPECT_EQ(board(), "#####/#####/#####/#####/#####");
    EXPECT_EQ(offScene(hwnd(), window->game()), 0);
    EXPECT_FALSE(enabled("GameStop"));
    EXPECT_TRUE(enabled("GameNew"));
    EXPECT_EQ(read(control("Label1")) + L":" + read(seconds), L"0:0");
    // The cover takes clicks and keys; no timer runs, so the clock and the icon stand.
    click(hwnd(), {120, 120});
    key(VK_RIGHT);
    key(VK_SPACE);
    settle(hwnd());
    EXPECT_EQ(board(), "#####/#####/#####/#####/#####");
    for (UINT timer = 1; timer <= 7; ++timer)
        EXPECT_FALSE(KillTimer(hwnd(), timer)) << "Timer" << timer << " runs";
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
    // Every pattern: every pixel as the shared layer draws it, crisp at every scale.
    for (const layout::MenuEntry& e : layout::kMenus) {
        if (e.does != layout::Does::Load) continue;
        choose(e.name);
        EXPECT_EQ(offScene(hwnd(), window->game()), 0) << e.name;
    }
    const Shot shot(hwnd());
    EXPECT_EQ(shot.width, dev(242));
    EXPECT_EQ(shot.height, dev(262));
}

TEST_F(Window, TheKeysMoveAMarkerAndPlayIt) {
    key(VK_SPACE);  // no marker in sight yet: nothing happens
    settle(hwnd());
    EXPECT_EQ(board(), "...../...../...../...../.....");
    key(VK_LEFT);  // shows the marker on the middle cell
    const int corner = dev(2 * kPitch + 4);
    EXPECT_TRUE(pump(3000, [&] { return Shot(hwnd()).at(corner, corner) == kBlack; }));
    EXPECT_EQ(Shot(hwnd()).at(corner, corner - 1), kWhite);
    key(VK_LEFT);
    key(VK_UP);
    key(VK_RETURN);
    EXPECT_TRUE(shows(expected::plusOn(2, 2)));
    key(VK_SPACE);  // as Enter does: the same cell again undoes it
    EXPECT_TRUE(shows(expected::plusOn(0, 0)));
    key(VK_SPACE);
    EXPECT_TRUE(shows(expected::plusOn(2, 2)));
    // A click ends keyboard play: the marker goes.
    click(hwnd(), {230, 230});
    EXPECT_TRUE(shows(".X.../XXX../.X.../....X/...XX"));
    EXPECT_EQ(Shot(hwnd()).at(dev(kPitch + 4), dev(kPitch + 4)), kYellow);
}

TEST_F(Window, CellsReadAsNamedButtonsPressedWhileLit) {
    choose("LoadDem1");
    const std::string seen = board();
    const Reader reader(hwnd());
    for (int i = 0; i < kCellCount; ++i) {
        const Pos p = posOf(i);
        const long cell = control("rc_" + std::to_string(p.row) + "_" + std::to_string(p.col));
        EXPECT_EQ(reader.spoken(cell), std::to_wstring(ROLE_SYSTEM_PUSHBUTTON) + L"|Ряд " +
                                           std::to_wstring(p.row) + L", столбец " +
                                           std::to_wstring(p.col) + L"|");
        const bool pressed = reader.state(cell) & STATE_SYSTEM_PRESSED;
        EXPECT_EQ(pressed, seen[std::size_t(i + i / kSide)] == 'X') << "cell " << i;
    }
    // Held down and moved off, a lit cell still reads pressed: it reads what it shows.
    POINT at{dev(24), dev(24)}, off{dev(120), dev(24)};
    ClientToScreen(hwnd(), &at);
    ClientToScreen(hwnd(), &off);
    mouse(at, MOUSEEVENTF_LEFTDOWN);
    mouse(off, 0);
    settle(hwnd());
    EXPECT_TRUE(reader.state(control("rc_1_1")) & STATE_SYSTEM_PRESSED);
    mouse(off, MOUSEEVENTF_LEFTUP);
    settle(hwnd());
    // A screen reader meets the cells row by row, each left to right: rc_1_1 first.
    const long count = reader.count();
    long got = 0;
    std::vector<VARIANT> children(std::size_t(std::max(0L, count)));
    AccessibleChildren(reader.get(), 0, count, children.data(), &got);
    std::vector<std::wstring> read, rowByRow, after;  // the cells, and what comes after
    for (VARIANT& child : children) {
        const std::wstring name = child.vt == VT_I4 ? reader.name(child.lVal) : L"";
        if (name.starts_with(L"Ряд"))
            read.push_back(name);
        else if (child.vt == VT_I4)
            after.push_back(std::to_wstring(reader.role(child.lVal)));
        if (name == L":") after.back() += L" :";
        VariantClear(&child);
    }
    // Then the strip from the left: the icon, the bar, the clock, and in it the minutes,
    // the colon and the seconds.
    const std::wstring text = std::to_wstring(ROLE_SYSTEM_STATICTEXT);
    EXPECT_EQ(after,
              (std::vector<std::wstring>{
                  std::to_wstring(ROLE_SYSTEM_GRAPHIC), std::to_wstring(ROLE_SYSTEM_PROGRESSBAR),
                  std::to_wstring(ROLE_SYSTEM_CLOCK), text, text + L" :", text}));
    for (int row = 1; row <= kSide; ++row)
        for (int col = 1; col <= kSide; ++col)
            rowByRow.push_back(L"Ряд " + std::to_wstring(row) + L", столбец " +
                               std::to_wstring(col));
    EXPECT_EQ(read, rowByRow);
    const auto nameOf = [&reader](const VARIANT& child) {
        return child.vt == VT_I4 ? reader.name(child.lVal) : L"not a child";
    };
    VARIANT first{}, second{}, self{};
    self.vt = VT_I4;
    reader.get()->accNavigate(NAVDIR_FIRSTCHILD, self, &first);
    reader.get()->accNavigate(NAVDIR_NEXT, first, &second);
    EXPECT_EQ(nameOf(first) + L" " + nameOf(second), rowByRow[0] + L" " + rowByRow[1]);
    // A screen reader's pointer finds the cell that a click there plays.
    for (const auto& c : expected::kClicks) {
        POINT at{dev(c.x), dev(c.y)};
        ClientToScreen(hwnd(), &at);
        VARIANT found{};
        reader.get()->accHitTest(at.x, at.y, &found);
        EXPECT_EQ(nameOf(found), rowByRow[std::size_t((c.row - 1) * kSide + c.col - 1)])
            << c.x << "," << c.y;
    }
    // A screen reader's press plays the cell.
    EXPECT_TRUE(reader.press(control("rc_1_1")));
    settle(hwnd());
    EXPECT_EQ(board(), ".XX.X/XX.X./X.X.X/.X.X./X.X.X");
    // Its focus is the keyboard's marker.
    key(VK_LEFT);
    settle(hwnd());
    VARIANT focus{};
    reader.get()->get_accFocus(&focus);
    EXPECT_EQ(nameOf(focus), rowByRow[12]);
}

// Where a label's text puts ink when nothing clips it, drawn as a static control draws
// it, in the font the control has; relative to the label's box.
RECT inkOf(HWND label) {
    RECT box;
    GetClientRect(label, &box);
    const int w = box.right, h = box.bottom;
    const std::wstring text = textOf(label);
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), 3 * w, -3 * h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC mem = CreateCompatibleDC(nullptr);
    HBITMAP bmp = CreateDIBSection(mem, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ oldBmp = SelectObject(mem, bmp);
    HGDIOBJ oldFont =
        SelectObject(mem, reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0)));
    RECT all{0, 0, 3 * w, 3 * h}, at{w, h, 2 * w, 2 * h};
    FillRect(mem, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    SetBkMode(mem, TRANSPARENT);
    DrawTextW(mem, text.c_str(), int(text.size()), &at,
              DT_LEFT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX | DT_NOCLIP);
    GdiFlush();
    RECT ink{3 * w, 3 * h, -1, -1};
    const auto* p = static_cast<const std::uint32_t*>(bits);
    for (int y = 0; y < 3 * h; ++y) {
        for (int x = 0; x < 3 * w; ++x) {
            if ((p[std::size_t(y) * std::size_t(3 * w) + std::size_t(x)] & 0xffffff) == 0xffffff)
                continue;
            ink = {std::min<LONG>(ink.left, x - w), std::min<LONG>(ink.top, y - h),
                   std::max<LONG>(ink.right, x - w + 1), std::max<LONG>(ink.bottom, y - h + 1)};
        }
    }
    SelectObject(mem, oldFont);
    SelectObject(mem, oldBmp);
    DeleteObject(bmp);
    DeleteDC(mem);
    return ink;
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
            // The rule under the heading: pixels 64 to 296 of row 24, and only there, once
            // the window is painted.
            const int left = dev(64), right = left + dev(233) - 1, row = dev(24);
            const bool rule = within(3000, [&] {
                const Shot shot(info);
                return shot.at(left, row) == kBlack && shot.at(right, row) == kBlack &&
                       shot.at(left - 1, row) != kBlack && shot.at(right + 1, row) != kBlack &&
                       shot.at(dev(150), row - 1) != kBlack &&
                       shot.at(dev(150), row + dev(1)) != kBlack;
            });
            seen += rule ? L", rule in place" : L", rule astray";
            for (HWND c = GetWindow(info, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
                RECT box;
                GetClientRect(c, &box);
                const RECT ink = inkOf(c);
                if ((GetWindowLongW(c, GWL_STYLE) & SS_TYPEMASK) == SS_LEFT &&
                    (ink.left < 0 || ink.top < 0 || ink.right > box.right ||
                     ink.bottom > box.bottom))
                    seen += L", ink outside the box of " + textOf(c);
            }
            // Meanwhile the main window takes no command and no mouse button; each is run
            // before SendMessageW returns.
            SendMessageW(hwnd(), WM_COMMAND, MAKEWPARAM(commandId("LoadFull"), 0), 0);
            SendMessageW(hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(dev(120), dev(120)));
            SendMessageW(hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(dev(120), dev(120)));
            POINT on{dev(100), dev(40)};  // on a text
            ClientToScreen(info, &on);
            // Pressed inside and released outside, a click is no click. The window holds
            // the mouse from the press to the release.
            const DWORD thread = GetWindowThreadProcessId(info, nullptr);
            const auto captured = [thread] {
                GUITHREADINFO g{};
                g.cbSize = sizeof g;
                return GetGUIThreadInfo(thread, &g) ? g.hwndCapture : nullptr;
            };
            POINT outside{on.x, on.y - dev(100)};
            mouse(on, MOUSEEVENTF_LEFTDOWN);
            within(3000, [&] { return captured() == info; });
            mouse(outside, MOUSEEVENTF_LEFTUP);
            within(3000, [&] { return !captured(); });
            if (!IsWindow(info)) seen += L", closed by a press released outside";
            // Then a release inside with no press of its own is no click either.
            POINT in = on;
            ScreenToClient(info, &in);
            SendMessageW(info, WM_LBUTTONUP, 0, MAKELPARAM(in.x, in.y));
            if (!IsWindow(info)) seen += L", closed by a release alone";
            if (w.escape) {
                key(VK_ESCAPE);
            } else {
                mouse(on, MOUSEEVENTF_LEFTDOWN);
                mouse(on, MOUSEEVENTF_LEFTUP);
            }
            within(2000, [info] { return !IsWindow(info); });
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

TEST_F(Window, TheBarTheClockAndTheIconReadAloud) {
    const auto role = [](long r) { return std::to_wstring(r) + L"|"; };
    // A screen reader is told when the bar's value changes.
    static std::vector<std::pair<HWND, LONG>> changed;  // window and child
    const HWINEVENTHOOK hook = SetWinEventHook(
        EVENT_OBJECT_VALUECHANGE, EVENT_OBJECT_VALUECHANGE, nullptr,
        [](HWINEVENTHOOK, DWORD, HWND h, LONG, LONG child, DWORD, DWORD) {
            changed.emplace_back(h, child);
        },
        GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    click(hwnd(), {120, 120});
    pump(500, [&] { return !changed.empty(); });
    UnhookWinEvent(hook);
    const std::pair<HWND, LONG> bar{hwnd(), control("Process")};
    EXPECT_NE(std::find(changed.begin(), changed.end(), bar), changed.end());
    // It answers only for the interfaces it has: a reader that asks for any other gets none.
    const Reader reader(hwnd());
    for (REFIID lacked : {__uuidof(IEnumVARIANT), __uuidof(IServiceProvider)}) {
        void* other = reinterpret_cast<void*>(1);
        EXPECT_EQ(reader.get()->QueryInterface(lacked, &other), E_NOINTERFACE);
        EXPECT_EQ(other, nullptr);
    }
    const auto spoken = [&reader](long child) { return reader.spoken(child); };
    for (int i = 0; i < 65; ++i)
        SendMessageW(hwnd(), WM_TIMER, 7, 0);  // Timer7
    settle(hwnd());
    EXPECT_EQ(spoken(control("Process")), role(ROLE_SYSTEM_PROGRESSBAR) + L"Заполнение поля|2");
    EXPECT_EQ(spoken(control("Time")), role(ROLE_SYSTEM_CLOCK) + L"Время игры|1 мин 5 с");
    EXPECT_EQ(spoken(control("Picture1")),
              role(ROLE_SYSTEM_GRAPHIC) + L"игра работает и можно в неё играть|");
    choose("LoadDem3");
    EXPECT_EQ(spoken(control("Picture1")),
              role(ROLE_SYSTEM_GRAPHIC) + L"игра приостановлена, загружен узор|");
    EXPECT_EQ(spoken(control("Process")), role(ROLE_SYSTEM_PROGRESSBAR) + L"Заполнение поля|10");
}

TEST_F(Window, ADpiChangeLaysTheWindowOutAgain) {
    const UINT to = GetDpiForWindow(hwnd()) * 2;
    RECT suggested;
    GetWindowRect(hwnd(), &suggested);
    SendMessageW(hwnd(), WM_DPICHANGED, MAKEWPARAM(to, to), reinterpret_cast<LPARAM>(&suggested));
    settle(hwnd());
    scale *= 2;
    const Shot shot(hwnd());
    // Wine draws the frame and menu bar at the screen's own scale, so only the width is
    // the new scale's alone.
    EXPECT_EQ(shot.width, dev(242));
    EXPECT_EQ(shot.board(), "...../...../...../...../.....");
    // rc_5_5, the last cell, found by its name, at its place for the new scale.
    const Reader reader(hwnd());
    long lastCell = 0;
    for (long k = 1; k <= reader.count(); ++k)
        lastCell = reader.name(k) == L"Ряд 5, столбец 5" ? k : lastCell;
    const RECT last = inClient(lastCell);
    EXPECT_EQ(last.left, dev(192));
    EXPECT_EQ(last.right, dev(192) + dev(50));
}

// The clock's captions are transparent: all round them the window shows what the shared
// layer draws, and the minutes stay inside the panel's frame however long the game.
TEST_F(Window, TheClockStaysInsideItsFrame) {
    std::vector<Shot> minutesShown;
    for (int minutes = 0; minutes <= 100; minutes += 100) {
        for (int i = 0; i < minutes * 60; ++i)
            SendMessageW(hwnd(), WM_TIMER, 7, 0);
        settle(hwnd());
        EXPECT_EQ(offScene(hwnd(), window->game()), 0) << minutes << " minutes";
        minutesShown.emplace_back(hwnd(), inClient(control("Label1")));
    }
    EXPECT_NE(minutesShown[0].pixels, minutesShown[1].pixels) << "the minutes are drawn anew";
    // "0" stands at the right of its box.
    int inkLeft = 0, inkRight = 0;
    for (int y = 0; y < minutesShown[0].height; ++y) {
        for (int x = 0; x < minutesShown[0].width; ++x)
            (x < minutesShown[0].width / 2 ? inkLeft : inkRight) +=
                GetRValue(minutesShown[0].at(x, y)) < 128;
    }
    EXPECT_EQ(inkLeft, 0);
    EXPECT_GT(inkRight, 0);
}

}  // namespace
}  // namespace brindle::win32
