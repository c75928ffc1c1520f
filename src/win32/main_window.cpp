#include "win32/main_window.h"

#include <windowsx.h>

#include <algorithm>
#include <utility>

#include "puzzles/load.h"
#include "win32/info_window.h"
#include "win32/window.h"

namespace brindle::win32 {

namespace {

using layout::Kind;

constexpr wchar_t kMainClass[] = L"BrindleMain";
constexpr wchar_t kViewClass[] = L"BrindleView";
constexpr DWORD kMainStyle =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
WNDPROC buttonProc = nullptr;  // the system's, under the cells' own

double scaleOf(UINT dpi) {
    return dpi / double(USER_DEFAULT_SCREEN_DPI);
}

std::wstring cellName(Pos p) {
    std::wstring name = wide(text::kCellName);
    name.replace(name.find(L"%1"), 2, std::to_wstring(p.row));
    name.replace(name.find(L"%2"), 2, std::to_wstring(p.col));
    return name;
}

std::wstring windowText(HWND h) {
    std::wstring s(static_cast<std::size_t>(GetWindowTextLengthW(h)) + 1, L'\0');
    s.resize(static_cast<std::size_t>(GetWindowTextW(h, s.data(), static_cast<int>(s.size()))));
    return s;
}

// The program's icon from its resources, at a system size; absent from the test programs.
HICON programIcon(HINSTANCE instance, int width, int height) {
    return static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                         GetSystemMetrics(width), GetSystemMetrics(height), 0));
}

}  // namespace

MainWindow::MainWindow(HINSTANCE instance) : instance_(instance), pictures_(Pictures::load()) {
    registerClass(instance, kViewClass, viewProc);
    registerClass(instance, kMainClass, proc, GetSysColorBrush(COLOR_BTNFACE),
                  programIcon(instance, SM_CXICON, SM_CYICON),
                  programIcon(instance, SM_CXSMICON, SM_CYSMICON));
    views_.reserve(layout::kMainControls.size() + layout::kStatusControls.size());
    menuBar_ = CreateMenu();
    hwnd_ = CreateWindowExW(0, kMainClass, wide(text::kMainCaption).c_str(), kMainStyle,
                            CW_USEDEFAULT, CW_USEDEFAULT, 0, 0, nullptr, menuBar_, instance, this);
    dpi_ = GetDpiForWindow(hwnd_);
    build(layout::kMainControls, -1, kMainControlId);
    for (View& v : views_) {
        if (v.control->kind == Kind::Cell) cells_[std::size_t(v.control->index)] = &v;
        if (v.control->kind == Kind::Segment) segments_[std::size_t(v.control->index - 1)] = &v;
    }
    minutes_ = &named("Label1");
    minutesHome_ = minutes_->place;
    cover_ = named("Image9").hwnd;
    stat_ = named("Stat").hwnd;
    seconds_ = named("Label3").hwnd;
    picture1_ = named("Picture1").hwnd;
    buildMenus();
    fit();

    RECT frame;
    GetWindowRect(hwnd_, &frame);
    const POINT at = centredOnWorkArea(hwnd_, {frame.right - frame.left, frame.bottom - frame.top});
    SetWindowPos(hwnd_, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);

    game_ = startUp();
    present();
}

MainWindow::~MainWindow() {
    if (IsWindow(hwnd_)) DestroyWindow(hwnd_);
    if (font_) DeleteObject(font_);
}

void MainWindow::build(std::span<const layout::Control> controls, int parent, int firstId) {
    const HWND parentHwnd = parent < 0 ? hwnd_ : views_[std::size_t(parent)].hwnd;
    const POINT offset = parent < 0 ? POINT{0, 0}
                                    : POINT{views_[std::size_t(parent)].place.left,
                                            views_[std::size_t(parent)].place.top};
    int id = firstId;
    // Topmost first: a new child window goes under its siblings.
    for (const layout::Control& c : controls) {
        View v{&c};
        v.parent = parent;
        v.place = pixelRect(c.at);
        OffsetRect(&v.place, offset.x, offset.y);
        const RECT r = deviceBox(v);
        const DWORD shown = c.visible ? WS_VISIBLE : 0;
        const DWORD style = WS_CHILD | WS_CLIPSIBLINGS | shown;
        if (c.kind == Kind::Cell) {
            v.hwnd = CreateWindowExW(0, L"BUTTON", cellName(posOf(c.index)).c_str(),
                                     style | BS_OWNERDRAW, r.left, r.top, r.right - r.left,
                                     r.bottom - r.top, parentHwnd,
                                     reinterpret_cast<HMENU>(INT_PTR(id)), instance_, nullptr);
            buttonProc = reinterpret_cast<WNDPROC>(
                SetWindowLongPtrW(v.hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(cellProc)));
        } else {
            v.hwnd = CreateWindowExW(0, kViewClass, wide(c.caption).c_str(),
                                     style | (c.kind == Kind::Strip ? WS_CLIPCHILDREN : 0), r.left,
                                     r.top, r.right - r.left, r.bottom - r.top, parentHwnd,
                                     reinterpret_cast<HMENU>(INT_PTR(id)), instance_, nullptr);
        }
        SetWindowLongPtrW(v.hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        views_.push_back(v);
        if (c.kind == Kind::Strip) {
            build(layout::kStatusControls, static_cast<int>(views_.size()) - 1, kStatusControlId);
        }
        ++id;
    }
}

void MainWindow::buildMenus() {
    std::vector<std::pair<std::string_view, HMENU>> menus = {{"", menuBar_}};
    const auto menuNamed = [&menus](std::string_view name) {
        return std::find_if(menus.begin(), menus.end(), [name](auto& m) { return m.first == name; })
            ->second;
    };
    UINT id = kMenuCommandId;
    for (const layout::MenuEntry& e : layout::kMenus) {
        const HMENU parent = menuNamed(e.parent);
        const UINT grey = e.enabled ? 0 : MF_GRAYED;
        switch (e.kind) {
            case layout::Entry::Menu: {
                const HMENU menu = CreatePopupMenu();
                menus.emplace_back(e.name, menu);
                AppendMenuW(parent, MF_POPUP | grey, reinterpret_cast<UINT_PTR>(menu),
                            wide(e.caption).c_str());
                break;
            }
            case layout::Entry::Separator:
                AppendMenuW(parent, MF_SEPARATOR, id, nullptr);
                break;
            case layout::Entry::Command:
                AppendMenuW(parent, MF_STRING | grey, id, wide(e.caption).c_str());
                break;
        }
        ++id;
    }
    DrawMenuBar(hwnd_);
}

void MainWindow::arrange() {
    for (const View& v : views_)
        placeView(v);
    fit();
}

void MainWindow::fit() {
    if (font_) DeleteObject(font_);
    font_ = createFont(dpi_);
    RECT r = deviceRect(pixelRect(layout::kMainClient), scaleOf(dpi_));
    AdjustWindowRectExForDpi(&r, kMainStyle, TRUE, 0, dpi_);
    SetWindowPos(hwnd_, nullptr, 0, 0, r.right - r.left, r.bottom - r.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

RECT MainWindow::deviceBox(const View& v) const {
    const double s = scaleOf(dpi_);
    RECT r = deviceRect(v.place, s);
    if (v.parent >= 0) {
        const RECT& outer = views_[std::size_t(v.parent)].place;
        OffsetRect(&r, -device(outer.left, s), -device(outer.top, s));
    }
    return r;
}

void MainWindow::placeView(const View& v) {
    const RECT r = deviceBox(v);
    SetWindowPos(v.hwnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(v.hwnd, nullptr, FALSE);
}

MainWindow::View* MainWindow::viewOf(HWND h) {
    for (View& v : views_) {
        if (v.hwnd == h) return &v;
    }
    return nullptr;
}

MainWindow::View& MainWindow::named(std::string_view name) {
    return *std::find_if(views_.begin(), views_.end(),
                         [name](const View& v) { return v.control->name == name; });
}

void MainWindow::paint(const View& v, HDC dc) {
    const double s = scaleOf(dpi_);
    const int line = std::max(1, static_cast<int>(std::floor(s)));
    RECT box;
    GetClientRect(v.hwnd, &box);
    const POINT at{v.place.left, v.place.top};
    const layout::Control& c = *v.control;
    switch (c.kind) {
        case Kind::Cell: {
            const Pos p = posOf(c.index);
            const Picture& picture = game_.cells.isLit(p) ? pictures_.yellow : pictures_.white;
            picture.drawGrid(dc, at, s, layout::kCellLines, layout::kCellLines);
            if (keyboardPlay_ && p == keyCell_) {
                // A dotted square inside the cell's visible part, clear of the grid lines.
                const int in = layout::kMarkerInset;
                const int last = layout::kCellPixels - in - 1 -
                                 layout::pixels(layout::kCellSize - layout::kCellPitch);
                const auto d = [&](int x, int origin) {
                    return device(origin + x, s) - device(origin, s);
                };
                const int x0 = d(in, at.x), x1 = d(last, at.x), y0 = d(in, at.y),
                          y1 = d(last, at.y);
                for (int k = 0; x0 + k <= x1; k += 2 * line) {
                    fill(dc, {x0 + k, y0, x0 + k + line, y0 + line}, RGB(0, 0, 0));
                    fill(dc, {x0 + k, y1, x0 + k + line, y1 + line}, RGB(0, 0, 0));
                }
                for (int k = 0; y0 + k <= y1; k += 2 * line) {
                    fill(dc, {x0, y0 + k, x0 + line, y0 + k + line}, RGB(0, 0, 0));
                    fill(dc, {x1, y0 + k, x1 + line, y0 + k + line}, RGB(0, 0, 0));
                }
            }
            return;
        }
        case Kind::Cover: {
            static constexpr layout::GridLines kLines = layout::gridLines();
            pictures_.cover.drawGrid(dc, at, s, kLines.columns, kLines.rows);
            return;
        }
        case Kind::Segment:
        case Kind::Picture:
            if (const Picture* picture = pictures_.of(c.art)) picture->draw(dc, box);
            return;
        case Kind::PictureBox: {
            fill(dc, box, GetSysColor(COLOR_BTNFACE));
            sunkenEdge(dc, box, 2, line);
            const int frame = layout::kIconFrame, size = layout::kIconPixels;
            const auto d = [&](int x, int origin) {
                return device(origin + x, s) - device(origin, s);
            };
            pictures_.frames[static_cast<int>(game_.icon.Picture1)].draw(
                dc, {d(frame, at.x), d(frame, at.y), d(frame + size, at.x), d(frame + size, at.y)});
            return;
        }
        case Kind::Label:
        case Kind::ClockLabel: {
            fill(dc, box, GetSysColor(COLOR_BTNFACE));
            const std::wstring caption = windowText(v.hwnd);
            HGDIOBJ old = SelectObject(dc, font_);
            HFONT narrow = nullptr;
            SIZE size{};
            GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &size);
            if (size.cx > box.right) {
                // Narrower, never clipped.
                narrow = createFont(dpi_, static_cast<int>(100 * box.right / size.cx));
                SelectObject(dc, narrow);
            }
            SetBkMode(dc, TRANSPARENT);
            SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
            const UINT align = c.align == layout::Align::Right ? DT_RIGHT : DT_LEFT;
            DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &box,
                      align | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
            SelectObject(dc, old);
            if (narrow) DeleteObject(narrow);
            return;
        }
        case Kind::Bar:
        case Kind::Clock:
            fill(dc, box, GetSysColor(COLOR_BTNFACE));
            sunkenEdge(dc, box, 1, line);
            return;
        default:
            fill(dc, box, GetSysColor(COLOR_BTNFACE));
            return;
    }
}

void MainWindow::command(std::string_view name) {
    if (name == "GameNew") return apply(newGame);
    if (name == "GameStop") return askStopGame();
    for (const Puzzle& p : PuzzleCatalogue) {
        if (p.menuName == name) return apply([&p](Game& g) { LoadPuzzle(g, p); });
    }
    for (const layout::InfoWindow& w : layout::kInfoWindows) {
        if (w.command == name) return showInfo(w);
    }
}

void MainWindow::askStopGame() {
    // The system's own box: its buttons read in the system's language.
    if (MessageBoxW(hwnd_, wide(text::kStopQuestion).c_str(), wide(text::kProgramTitle).c_str(),
                    MB_OKCANCEL | MB_DEFBUTTON1) == IDOK) {
        apply(stopGame);
    }
}

void MainWindow::showInfo(const layout::InfoWindow& which) {
    runInfoWindow(instance_, hwnd_, which, pictures_);
}

void MainWindow::pressCell(Pos p) {
    // Whatever presses the cell, the cover takes the press while it is shown.
    if (!modalWindowUp()) apply([p](Game& g) { press(g, p); });
}

void MainWindow::cellButton(int index, UINT message, LPARAM lp) {
    const HWND cell = cells_[std::size_t(index)]->hwnd;
    if (message != WM_LBUTTONUP) {
        endKeyboardPlay();
        pressedCell_ = message == WM_RBUTTONDOWN ? -1 : index;
        if (pressedCell_ >= 0) SetCapture(cell);
        return;
    }
    if (GetCapture() == cell) ReleaseCapture();
    // Played when released over the cell it went down on, as Windows' hit-testing says.
    POINT at{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
    ClientToScreen(cell, &at);
    if (std::exchange(pressedCell_, -1) == index && WindowFromPoint(at) == cell) {
        pressCell(posOf(index));
    }
}

bool MainWindow::keyOnBoard(WPARAM key) {
    if (game_.Image9 || modalWindowUp()) return false;  // the cover takes keys as clicks
    int dr = 0, dc = 0;
    switch (key) {
        case VK_UP:
            dr = -1;
            break;
        case VK_DOWN:
            dr = 1;
            break;
        case VK_LEFT:
            dc = -1;
            break;
        case VK_RIGHT:
            dc = 1;
            break;
        case VK_SPACE:
        case VK_RETURN:
            // Only a marker in sight is played: a stray key must not change the board.
            if (!keyboardPlay_) return false;
            pressCell(keyCell_);
            return true;
        default:
            return false;
    }
    const HWND from = cells_[std::size_t(indexOf(keyCell_))]->hwnd;
    if (keyboardPlay_) {
        // The first key only shows where the marker is; later ones move it.
        const Pos next{keyCell_.row + dr, keyCell_.col + dc};
        if (onBoard(next)) keyCell_ = next;
    }
    keyboardPlay_ = true;
    InvalidateRect(from, nullptr, FALSE);
    InvalidateRect(cells_[std::size_t(indexOf(keyCell_))]->hwnd, nullptr, FALSE);
    return true;
}

void MainWindow::endKeyboardPlay() {
    if (!std::exchange(keyboardPlay_, false)) return;
    InvalidateRect(cells_[std::size_t(indexOf(keyCell_))]->hwnd, nullptr, FALSE);
}

void MainWindow::minutesCaption(const std::wstring& caption) {
    SetWindowTextW(minutes_->hwnd, caption.c_str());
    // Grows left over the free end of the progress panel when it needs the room.
    HDC dc = GetDC(minutes_->hwnd);
    HGDIOBJ old = SelectObject(dc, font_);
    SIZE size{};
    GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(minutes_->hwnd, dc);
    const int needed = static_cast<int>(std::ceil(size.cx / scaleOf(dpi_)));
    const RECT& home = minutesHome_;
    const int reach =
        layout::pixels(layout::kMinutesReach) + views_[std::size_t(minutes_->parent)].place.left;
    minutes_->place.left = std::clamp<LONG>(home.right - needed, reach, home.left);
    placeView(*minutes_);
}

void MainWindow::present() {
    const Game& g = game_;
    const bool all = std::exchange(firstPresent_, false);
    for (int i = 0; i < kCellCount; ++i) {
        const Pos p = posOf(i);
        if (!all && g.cells.at(p) == shown_.cells.at(p)) continue;
        // BM_SETSTATE repaints the cell; a lit cell reads as a pressed button.
        SendMessageW(cells_[std::size_t(i)]->hwnd, BM_SETSTATE, g.cells.isLit(p), 0);
        InvalidateRect(cells_[std::size_t(i)]->hwnd, nullptr, FALSE);
    }
    for (int k = 0; k < kSegmentCount; ++k) {
        const bool on = k < g.progress.segments;
        if (all || on != (k < shown_.progress.segments))
            ShowWindow(segments_[std::size_t(k)]->hwnd, on ? SW_SHOWNA : SW_HIDE);
    }
    if (all || g.Image9 != shown_.Image9) ShowWindow(cover_, g.Image9 ? SW_SHOWNA : SW_HIDE);
    if (all || g.clock.Stat != shown_.clock.Stat) SetWindowTextW(stat_, wide(g.clock.Stat).c_str());
    if (all || g.clock.minutesCaption != shown_.clock.minutesCaption)
        minutesCaption(wide(g.clock.minutesCaption));
    if (all || g.clock.secondsCaption != shown_.clock.secondsCaption) {
        SetWindowTextW(seconds_, wide(g.clock.secondsCaption).c_str());
        InvalidateRect(seconds_, nullptr, FALSE);
    }
    if (all || g.icon.Picture1 != shown_.icon.Picture1) {
        // Five times a second while a game runs: only the picture, never the frame.
        RECT inside;
        GetClientRect(picture1_, &inside);
        const int frame = device(layout::kIconFrame, scaleOf(dpi_));
        InflateRect(&inside, -frame, -frame);
        InvalidateRect(picture1_, &inside, FALSE);
    }
    if (all || g.GameNew != shown_.GameNew || g.GameStop != shown_.GameStop) {
        for (std::size_t i = 0; i < layout::kMenus.size(); ++i) {
            const std::string_view name = layout::kMenus[i].name;
            if (name != "GameNew" && name != "GameStop") continue;
            const bool enabled = name == "GameNew" ? g.GameNew : g.GameStop;
            EnableMenuItem(menuBar_, UINT(kMenuCommandId + i),
                           MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
        }
    }
    for (std::size_t i = 0; i < layout::kTimers.size(); ++i) {
        const layout::Timer& t = layout::kTimers[i];
        const auto on = [&t](const Game& game) {
            return t.ring == 0 ? game.clock.running : game.icon.enabled[std::size_t(t.ring - 1)];
        };
        if (!all && on(g) == on(shown_)) continue;
        if (on(g)) {
            SetTimer(hwnd_, i + 1, UINT(t.intervalMs), nullptr);
        } else {
            KillTimer(hwnd_, i + 1);
        }
    }
    shown_ = g;
}

LRESULT CALLBACK MainWindow::proc(HWND h, UINT message, WPARAM wp, LPARAM lp) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
        self->hwnd_ = h;
        SetWindowLongPtrW(h, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(h, GWLP_USERDATA));
    if (!self) return DefWindowProcW(h, message, wp, lp);
    return self->handle(message, wp, lp);
}

LRESULT MainWindow::handle(UINT message, WPARAM wp, LPARAM lp) {
    switch (message) {
        case WM_COMMAND: {
            const std::size_t entry = LOWORD(wp) - std::size_t(kMenuCommandId);
            // A command can also come from an assistive tool while a modal window is up;
            // then, as for the mouse, only that window takes input.
            if (HIWORD(wp) == 0 && lp == 0 && entry < layout::kMenus.size() && !modalWindowUp())
                command(layout::kMenus[entry].name);
            return 0;
        }
        case WM_TIMER: {
            if (wp < 1 || wp > layout::kTimers.size()) break;
            const int ring = layout::kTimers[wp - 1].ring;
            if (ring == 0) {
                apply(clockTick);
            } else {
                apply([ring](Game& g) { ringTick(g, ring); });
            }
            return 0;
        }
        case WM_DRAWITEM: {
            const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
            if (const View* v = viewOf(item->hwndItem)) paint(*v, item->hDC);
            return TRUE;
        }
        case WM_KEYDOWN:
            if (keyOnBoard(wp)) return 0;
            break;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
            endKeyboardPlay();
            return 0;
        case WM_DPICHANGED: {
            dpi_ = HIWORD(wp);
            const auto* suggested = reinterpret_cast<const RECT*>(lp);
            SetWindowPos(hwnd_, nullptr, suggested->left, suggested->top, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            arrange();
            minutesCaption(windowText(minutes_->hwnd));
            return 0;
        }
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            break;
    }
    return DefWindowProcW(hwnd_, message, wp, lp);
}

LRESULT CALLBACK MainWindow::viewProc(HWND h, UINT message, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(h, GWLP_USERDATA));
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(h, &ps);
            if (const View* v = self ? self->viewOf(h) : nullptr) self->paint(*v, dc);
            EndPaint(h, &ps);
            return 0;
        }
        case WM_ERASEBKGND:
            return 1;  // every pixel is painted
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
            if (self) self->endKeyboardPlay();
            return 0;
        default:
            return DefWindowProcW(h, message, wp, lp);
    }
}

LRESULT CALLBACK MainWindow::cellProc(HWND h, UINT message, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(h, GWLP_USERDATA));
    const View* v = self ? self->viewOf(h) : nullptr;
    if (v) {
        switch (message) {
            case WM_LBUTTONDOWN:
            case WM_LBUTTONDBLCLK:
            case WM_RBUTTONDOWN:
            case WM_LBUTTONUP:
                // The cell never takes the focus: the keys stay with the board.
                self->cellButton(v->control->index, message, lp);
                return 0;
            case BM_CLICK:
                // A screen reader's press.
                self->pressCell(posOf(v->control->index));
                return 0;
            case WM_ERASEBKGND:
                return 1;
            default:
                break;
        }
    }
    return CallWindowProcW(buttonProc, h, message, wp, lp);
}

}  // namespace brindle::win32
