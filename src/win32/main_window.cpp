#include "win32/main_window.h"

#include <oleacc.h>
#include <windowsx.h>

#include <utility>

#include "view/controls.h"
#include "view/speech.h"
#include "win32/accessible.h"
#include "win32/info_window.h"
#include "win32/start_up.h"
#include "win32/window.h"

namespace brindle::win32 {

namespace {

using layout::Kind;

constexpr wchar_t kMainClass[] = L"BrindleMain";
constexpr wchar_t kViewClass[] = L"BrindleView";
constexpr DWORD kMainStyle =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
WNDPROC buttonProc = nullptr;  // the system's, under the cells' own

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

// The keys by the names the shared layer reads.
std::string_view keyName(WPARAM key) {
    static constexpr std::pair<WPARAM, std::string_view> kNames[] = {
        {VK_UP, "ArrowUp"},       {VK_DOWN, "ArrowDown"}, {VK_LEFT, "ArrowLeft"},
        {VK_RIGHT, "ArrowRight"}, {VK_SPACE, " "},        {VK_RETURN, "Enter"}};
    for (const auto& [k, name] : kNames) {
        if (k == key) return name;
    }
    return {};
}

void notify(DWORD event, HWND h) {
    NotifyWinEvent(event, h, OBJID_CLIENT, CHILDID_SELF);
}

}  // namespace

MainWindow::MainWindow(HINSTANCE instance, view::WallClock now)
    : instance_(instance), presenter_(std::move(now)) {
    registerClass(instance, kViewClass, viewProc);
    registerClass(instance, kMainClass, proc, windowBrush(),
                  programIcon(instance, SM_CXICON, SM_CYICON),
                  programIcon(instance, SM_CXSMICON, SM_CYSMICON));
    views_.reserve(layout::kMainControls.size() + layout::kStatusControls.size());
    menuBar_ = checked(CreateMenu(), Step::Menu);
    hwnd_ = checked(
        CreateWindowExW(0, kMainClass, wide(text::kMainCaption).c_str(), kMainStyle, CW_USEDEFAULT,
                        CW_USEDEFAULT, 0, 0, nullptr, menuBar_, instance, this),
        Step::Window);
    dpi_ = GetDpiForWindow(hwnd_);
    build(layout::kMainControls, -1, kMainControlId);
    buildMenus();
    fit();

    RECT frame;
    GetWindowRect(hwnd_, &frame);
    const POINT at = centredOnWorkArea(hwnd_, {frame.right - frame.left, frame.bottom - frame.top});
    SetWindowPos(hwnd_, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);

    presenter_.attach([this](const view::Changes& c) { present(c); });
    checked(timersStarted_, Step::Timer);
}

MainWindow::~MainWindow() {
    if (IsWindow(hwnd_)) DestroyWindow(hwnd_);
    if (font_) DeleteObject(font_);
}

void MainWindow::build(std::span<const layout::Control> controls, int parent, int firstId) {
    const HWND parentHwnd = parent < 0 ? hwnd_ : views_[std::size_t(parent)].hwnd;
    // A new child window goes under its siblings, and screen readers meet them in that
    // order. What lies over what does not matter: every window draws its part of the
    // one scene, and the pointer is the client area's.
    for (const layout::Control* control : view::inReadingOrder(controls)) {
        const layout::Control& c = *control;
        const int id = firstId + int(control - controls.data());
        View v{&c, nullptr, parent, view::inClient(c)};
        const RECT r = boxInParent(v);
        const DWORD style = WS_CHILD | WS_CLIPSIBLINGS | (c.visible ? WS_VISIBLE : 0);
        const auto create = [&](const wchar_t* cls, const std::wstring& text, DWORD more) {
            return checked(
                CreateWindowExW(0, cls, text.c_str(), style | more, r.left, r.top, r.right - r.left,
                                r.bottom - r.top, parentHwnd, reinterpret_cast<HMENU>(INT_PTR(id)),
                                instance_, nullptr),
                Step::Window);
        };
        if (c.kind == Kind::Cell) {
            v.hwnd = create(L"BUTTON", wide(view::cellName(posOf(c.index))), BS_OWNERDRAW);
            buttonProc = reinterpret_cast<WNDPROC>(
                SetWindowLongPtrW(v.hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(cellProc)));
        } else {
            v.hwnd =
                create(kViewClass, wide(c.caption), c.kind == Kind::Strip ? WS_CLIPCHILDREN : 0);
        }
        SetWindowLongPtrW(v.hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        views_.push_back(v);
        if (c.kind == Kind::Strip) {
            build(layout::kStatusControls, static_cast<int>(views_.size()) - 1, kStatusControlId);
        }
    }
}

void MainWindow::buildMenus() {
    std::vector<std::pair<std::string_view, HMENU>> menus = {{"", menuBar_}};
    const auto menuNamed = [&menus](std::string_view name) {
        for (const auto& [n, menu] : menus) {
            if (n == name) return menu;
        }
        return HMENU{};
    };
    UINT id = kMenuCommandId;
    for (const layout::MenuEntry& e : layout::kMenus) {
        const HMENU parent = menuNamed(e.parent);
        switch (e.kind) {
            case layout::Entry::Menu: {
                const HMENU menu = checked(CreatePopupMenu(), Step::Menu);
                menus.emplace_back(e.name, menu);
                checked(AppendMenuW(parent, MF_POPUP, reinterpret_cast<UINT_PTR>(menu),
                                    wide(e.caption).c_str()),
                        Step::Menu);
                break;
            }
            case layout::Entry::Separator:
                checked(AppendMenuW(parent, MF_SEPARATOR, id, nullptr), Step::Menu);
                break;
            case layout::Entry::Command:
                checked(AppendMenuW(parent, MF_STRING, id, wide(e.caption).c_str()), Step::Menu);
                break;
        }
        ++id;
    }
    DrawMenuBar(hwnd_);
}

void MainWindow::arrange() {
    for (const View& v : views_) {
        const RECT r = boxInParent(v);
        SetWindowPos(v.hwnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        InvalidateRect(v.hwnd, nullptr, FALSE);
    }
    fit();
    render({});  // at the new scale's size, all of it
}

void MainWindow::fit() {
    if (font_) DeleteObject(font_);
    font_ = checked(createFont(dpi_), Step::Font);
    RECT r = rectOf(view::device(view::pixelBox(layout::kMainClient), scale()));
    AdjustWindowRectExForDpi(&r, kMainStyle, TRUE, 0, dpi_);
    SetWindowPos(hwnd_, nullptr, 0, 0, r.right - r.left, r.bottom - r.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

view::Box MainWindow::deviceBox(const View& v) const {
    return view::device(v.place, scale());
}

RECT MainWindow::boxInParent(const View& v) const {
    const view::Box b = deviceBox(v);
    if (v.parent < 0) return rectOf(b);
    const view::Box outer = deviceBox(views_[std::size_t(v.parent)]);
    return rectOf(b, {outer.left, outer.top});
}

MainWindow::View* MainWindow::viewOf(HWND h) {
    for (View& v : views_) {
        if (v.hwnd == h) return &v;
    }
    return nullptr;
}

HWND MainWindow::windowOf(const layout::Control* c) const {
    for (const View& v : views_) {
        if (v.control == c) return v.hwnd;
    }
    return nullptr;
}

void MainWindow::paint(const View& v, HDC dc) {
    paintScene(dc, deviceBox(v));
    if (v.control->kind == Kind::Label || v.control->kind == Kind::ClockLabel) paintText(v, dc);
}

void MainWindow::render(const view::Changes& c) {
    // The client area is drawn once, in memory, where it changed; every window then
    // shows its part of it, whatever lies over or under it.
    const view::Box client = view::clientArea(scale());
    std::vector<view::Box> boxes = view::toRedraw(c, scale());
    if (!shown_ || shown_->width() != client.width || shown_->height() != client.height) {
        shown_.emplace(client.width, client.height);
        boxes = {client};
    }
    const std::vector<view::Paint> steps = view::scene(game(), presenter_.marker(), scale());
    for (const view::Box& b : boxes) {
        shown_->draw(steps, b);
        const RECT r = rectOf(b);
        RedrawWindow(hwnd_, &r, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
    }
}

void MainWindow::paintScene(HDC dc, const view::Box& at) {
    if (!shown_) return;
    const int left = std::max(0, at.left), top = std::max(0, at.top);
    const int width = std::min(shown_->width(), at.right()) - left,
              height = std::min(shown_->height(), at.bottom()) - top;
    if (width <= 0 || height <= 0) return;
    std::vector<std::uint32_t> pixels;
    pixels.reserve(std::size_t(width) * std::size_t(height));
    for (int y = top; y < top + height; ++y)
        for (int x = left; x < left + width; ++x)
            pixels.push_back(shown_->at(x, y));
    blit(dc, {left - at.left, top - at.top, width, height}, pixels);
}

void MainWindow::paintText(const View& v, HDC dc) {
    RECT box;
    GetClientRect(v.hwnd, &box);
    const std::wstring caption = windowText(v.hwnd);
    HGDIOBJ old = SelectObject(dc, font_);
    SIZE size{};
    GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &size);
    const double narrowing = view::narrowing(size.cx, box.right);
    HFONT narrow = narrowing < 1 ? createFont(dpi_, narrowing) : nullptr;
    if (narrow) SelectObject(dc, narrow);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    const UINT align = v.control->align == layout::Align::Right ? DT_RIGHT : DT_LEFT;
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &box,
              align | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, old);
    if (narrow) DeleteObject(narrow);
}

bool MainWindow::showModal(const view::Request& request) {
    if (request.what == layout::Does::ShowInfo) {
        runInfoWindow(instance_, hwnd_, layout::kInfoWindows[std::size_t(request.index)]);
        return false;
    }
    // The system's own box: its buttons read in the system's language.
    return MessageBoxW(hwnd_, wide(text::kStopQuestion).c_str(), wide(text::kProgramTitle).c_str(),
                       MB_OKCANCEL | MB_DEFBUTTON1) == IDOK;
}

std::optional<Pos> MainWindow::cellAt(LPARAM lp) const {
    return view::cellAt(GET_X_LPARAM(lp), GET_Y_LPARAM(lp), scale());
}

void MainWindow::pointerDown(bool left, std::optional<Pos> cell) {
    // The menu's loop closes on a press outside it and, under Wine, passes that press
    // on: it is the message the loop last read, so it bears the same time.
    presenter_.pointer(view::Pointer::Down, left ? view::Button::Left : view::Button::Other, cell,
                       0, menuClosedAt_ && GetMessageTime() == *menuClosedAt_);
}

LRESULT MainWindow::accessible(const View& v, WPARAM wp, LPARAM lp) {
    const auto spoken = [this, &c = *v.control] {
        return view::spoken(game(), presenter_.marker(), c);
    };
    return spoken().role == view::Role::None ? 0 : accessibleObject(v.hwnd, wp, lp, spoken);
}

void MainWindow::present(const view::Changes& c) {
    render(c);
    for (const view::Update& u : view::updates(game(), presenter_.marker(), c)) {
        const HWND h = windowOf(u.control);
        switch (u.what) {
            case view::Update::Shown:
                ShowWindow(h, u.on ? SW_SHOWNA : SW_HIDE);
                break;
            case view::Update::Caption:
                SetWindowTextW(h, wide(u.text).c_str());
                InvalidateRect(h, nullptr, FALSE);
                break;
            case view::Update::Pressed:
                // A pressed button is what a screen reader reads as a lit cell.
                SendMessageW(h, BM_SETSTATE, u.on, 0);
                break;
            case view::Update::Value:
                notify(EVENT_OBJECT_VALUECHANGE, h);
                break;
            case view::Update::Name:
                notify(EVENT_OBJECT_NAMECHANGE, h);
                break;
            case view::Update::Focus:
                if (h) notify(EVENT_OBJECT_FOCUS, h);
                break;
            case view::Update::Entry:
                EnableMenuItem(menuBar_, UINT(kMenuCommandId + u.index),
                               MF_BYCOMMAND | (u.on ? MF_ENABLED : MF_GRAYED));
                break;
            case view::Update::Timer:
                if (!u.on) {
                    KillTimer(hwnd_, u.index + 1);
                } else if (!SetTimer(hwnd_, u.index + 1, UINT(layout::kTimers[u.index].intervalMs),
                                     nullptr)) {
                    timersStarted_ = false;
                }
                break;
        }
    }
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
        case WM_COMMAND:
            if (HIWORD(wp) == 0 && lp == 0) {
                presenter_.choose(LOWORD(wp) - std::size_t(kMenuCommandId),
                                  [this](const view::Request& r) { return showModal(r); });
            }
            return 0;
        case WM_TIMER:
            presenter_.tick(wp - 1);
            return 0;
        case WM_DRAWITEM: {
            const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
            if (const View* v = viewOf(item->hwndItem)) paint(*v, item->hDC);
            return TRUE;
        }
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd_, &ps);
            paintScene(dc, view::clientArea(scale()));
            EndPaint(hwnd_, &ps);
            return 0;
        }
        case WM_ERASEBKGND:
            return 1;  // every pixel is painted
        case WM_KEYDOWN:
            if (presenter_.key(keyName(wp))) return 0;
            break;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN: {
            // Every press in the client area comes here: the windows over it let the
            // mouse through. The release comes here too, wherever it is made.
            const bool left = message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK;
            if (left) SetCapture(hwnd_);
            pointerDown(left, cellAt(lp));
            return 0;
        }
        case WM_LBUTTONUP:
            if (GetCapture() == hwnd_) ReleaseCapture();
            presenter_.pointer(view::Pointer::Up, view::Button::Left, cellAt(lp));
            return 0;
        case WM_EXITMENULOOP:
            menuClosedAt_ = GetMessageTime();
            break;
        case WM_DPICHANGED: {
            dpi_ = HIWORD(wp);
            const auto* suggested = reinterpret_cast<const RECT*>(lp);
            SetWindowPos(hwnd_, nullptr, suggested->left, suggested->top, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            arrange();
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
    const View* v = self ? self->viewOf(h) : nullptr;
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(h, &ps);
            if (v) self->paint(*v, dc);
            EndPaint(h, &ps);
            return 0;
        }
        case WM_ERASEBKGND:
            return 1;  // every pixel is painted
        case WM_NCHITTEST:
            return HTTRANSPARENT;
        case WM_GETOBJECT:
            if (v) {
                if (const LRESULT object = self->accessible(*v, wp, lp)) return object;
            }
            break;
        default:
            break;
    }
    return DefWindowProcW(h, message, wp, lp);
}

LRESULT CALLBACK MainWindow::cellProc(HWND h, UINT message, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(h, GWLP_USERDATA));
    const View* v = self ? self->viewOf(h) : nullptr;
    if (v) {
        const Pos p = posOf(v->control->index);
        switch (message) {
            case WM_NCHITTEST:
                // The mouse goes through to the client area. A cell never takes the
                // focus, nor shows itself pressed while the mouse is held over it.
                return HTTRANSPARENT;
            case BM_CLICK:
                // A screen reader's press.
                self->presenter_.press(p);
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
