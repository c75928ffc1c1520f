#include "win32/main_window.h"

#include <oleacc.h>
#include <windowsx.h>

#include <algorithm>
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
constexpr DWORD kMainStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

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

bool isCaption(const layout::Control& c) {
    return c.kind == Kind::Label || c.kind == Kind::ClockLabel;
}

}  // namespace

MainWindow::MainWindow(HINSTANCE instance, view::WallClock now)
    : instance_(instance), presenter_(std::move(now)) {
    for (const layout::Control* c : view::inReadingOrder()) {
        if (isCaption(*c) && c->visible) captions_.emplace_back(c, c->caption);
        if (spoken(*c).role != view::Role::None || (isCaption(*c) && c->visible))
            children_.push_back(c);
    }
    registerClass(instance, kMainClass, proc, windowBrush(),
                  programIcon(instance, SM_CXICON, SM_CYICON),
                  programIcon(instance, SM_CXSMICON, SM_CYSMICON));
    menuBar_ = checked(CreateMenu(), Step::Menu);
    hwnd_ = checked(
        CreateWindowExW(0, kMainClass, wide(text::kMainCaption).c_str(), kMainStyle, CW_USEDEFAULT,
                        CW_USEDEFAULT, 0, 0, nullptr, menuBar_, instance, this),
        Step::Window);
    dpi_ = GetDpiForWindow(hwnd_);
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

void MainWindow::fit() {
    if (font_) DeleteObject(font_);
    font_ = checked(createFont(dpi_), Step::Font);
    RECT r = rectOf(view::device(view::pixelBox(layout::kMainClient), scale()));
    AdjustWindowRectExForDpi(&r, kMainStyle, TRUE, 0, dpi_);
    SetWindowPos(hwnd_, nullptr, 0, 0, r.right - r.left, r.bottom - r.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

view::Box MainWindow::deviceBox(const layout::Control& c) const {
    return view::device(view::inClient(c), scale());
}

void MainWindow::render(const view::Changes& c) {
    // The client area is drawn once, in memory, where it changed, and shown from there.
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
        InvalidateRect(hwnd_, &r, FALSE);
    }
}

void MainWindow::paint(HDC dc, const RECT& dirty) {
    if (!shown_) return;
    const int left = std::max(0, int(dirty.left)), top = std::max(0, int(dirty.top));
    const int width = std::min(shown_->width(), int(dirty.right)) - left,
              height = std::min(shown_->height(), int(dirty.bottom)) - top;
    if (width <= 0 || height <= 0) return;
    std::vector<std::uint32_t> pixels;
    pixels.reserve(std::size_t(width) * std::size_t(height));
    for (int y = top; y < top + height; ++y)
        for (int x = left; x < left + width; ++x)
            pixels.push_back(shown_->at(x, y));
    blit(dc, {left, top, width, height}, pixels);
    // Only the captions the repaint reaches: the icon turns five times a second.
    for (const auto& [c, caption] : captions_) {
        const RECT box = rectOf(deviceBox(*c));
        RECT both;
        if (IntersectRect(&both, &box, &dirty)) paintText(dc, *c, caption);
    }
}

void MainWindow::paintText(HDC dc, const layout::Control& c, const std::string& caption) {
    RECT box = rectOf(deviceBox(c));
    const std::wstring text = wide(caption);
    HGDIOBJ old = SelectObject(dc, font_);
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    const double narrowing = view::narrowing(size.cx, box.right - box.left);
    HFONT narrow = narrowing < 1 ? createFont(dpi_, narrowing) : nullptr;
    if (narrow) SelectObject(dc, narrow);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    const UINT align = c.align == layout::Align::Right ? DT_RIGHT : DT_LEFT;
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &box,
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

view::Spoken MainWindow::spoken(const layout::Control& c) const {
    for (const auto& [label, caption] : captions_) {
        if (label == &c) return {view::Role::None, caption, {}};
    }
    return view::spoken(game(), presenter_.marker(), c);
}

RECT MainWindow::onScreen(const layout::Control& c) const {
    RECT r = rectOf(deviceBox(c));
    MapWindowPoints(hwnd_, nullptr, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

long MainWindow::childAt(POINT screen) const {
    ScreenToClient(hwnd_, &screen);
    const std::optional<Pos> cell = view::cellAt(screen.x, screen.y, scale());
    for (const layout::Control* c : children_) {
        if (c->kind == Kind::Cell ? cell && c->index == indexOf(*cell)
                                  : deviceBox(*c).contains(screen.x, screen.y))
            return childId(c);
    }
    return CHILDID_SELF;
}

void MainWindow::press(const layout::Control& c) {
    if (c.kind == Kind::Cell) presenter_.press(posOf(c.index));
}

long MainWindow::childId(const layout::Control* c) const {
    const auto at = std::find(children_.begin(), children_.end(), c);
    return at == children_.end() ? 0 : long(at - children_.begin()) + 1;
}

void MainWindow::present(const view::Changes& c) {
    render(c);
    for (const view::Update& u : view::updates(game(), presenter_.marker(), c)) {
        const long child = childId(u.control);
        const auto tell = [this, child](DWORD event) {
            if (child) NotifyWinEvent(event, hwnd_, OBJID_CLIENT, child);
        };
        switch (u.what) {
            case view::Update::Shown:  // drawn in the scene
                break;
            case view::Update::Caption:
                for (auto& [label, caption] : captions_) {
                    if (label != u.control) continue;
                    caption = u.text;
                    const RECT r = rectOf(deviceBox(*label));
                    InvalidateRect(hwnd_, &r, FALSE);
                    tell(EVENT_OBJECT_NAMECHANGE);
                }
                break;
            case view::Update::Pressed:
                tell(EVENT_OBJECT_STATECHANGE);
                break;
            case view::Update::Value:
                tell(EVENT_OBJECT_VALUECHANGE);
                break;
            case view::Update::Name:
                tell(EVENT_OBJECT_NAMECHANGE);
                break;
            case view::Update::Focus:
                tell(EVENT_OBJECT_FOCUS);
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
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd_, &ps);
            paint(dc, ps.rcPaint);
            EndPaint(hwnd_, &ps);
            return 0;
        }
        case WM_GETOBJECT:
            if (const LRESULT object = accessibleObject(hwnd_, wp, lp, *this)) return object;
            break;
        case WM_ERASEBKGND:
            return 1;  // every pixel is painted
        case WM_KEYDOWN:
            if (presenter_.key(keyName(wp))) return 0;
            break;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN: {
            // The release comes here too, wherever it is made.
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
            fit();
            render({});  // at the new scale's size, all of it
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

}  // namespace brindle::win32
