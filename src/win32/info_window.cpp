#include "win32/info_window.h"

#include <windowsx.h>

#include <algorithm>
#include <utility>

#include "win32/window.h"

namespace brindle::win32 {

namespace {

constexpr wchar_t kInfoClass[] = L"BrindleInfo";
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
// A dialog frame, which has no icon in its title bar.
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME;

struct Info {
    const layout::InfoWindow& layout;
    HWND owner;
    UINT dpi;
    HWND hwnd = nullptr;
    HFONT font = nullptr;
    bool pressed = false;
    bool done = false;

    double scale() const { return dpi / double(USER_DEFAULT_SCREEN_DPI); }
    RECT deviceBox(const layout::Control& c) const {
        return rectOf(view::device(view::pixelBox(c), scale()));
    }

    void close() {
        if (std::exchange(done, true)) return;
        // The owner first, so that it, not another program, is activated next.
        EnableWindow(owner, TRUE);
        DestroyWindow(hwnd);
    }

    // The pictures and the rule are owner-drawn statics: like the texts they stack as
    // the layout lists them (the rule lies over the heading's last row).
    void draw(const DRAWITEMSTRUCT& item) const {
        const auto* c = reinterpret_cast<const layout::Control*>(
            GetWindowLongPtrW(item.hwndItem, GWLP_USERDATA));
        if (c->kind == layout::Kind::Line)
            fill(item.hDC, item.rcItem, GetSysColor(COLOR_WINDOWTEXT));
        if (c->kind == layout::Kind::Picture) {
            const RECT& r = item.rcItem;
            win32::draw(item.hDC, {{r.left, r.top, r.right - r.left, r.bottom - r.top}, 0, c->art});
        }
    }

    LRESULT handle(UINT message, WPARAM wp, LPARAM lp) {
        switch (message) {
            case WM_DRAWITEM:
                draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp));
                return TRUE;
            case WM_CTLCOLORSTATIC:
                SetBkColor(reinterpret_cast<HDC>(wp), colour(view::kWindow));
                return reinterpret_cast<LRESULT>(windowBrush());
            // The texts let clicks through, so every click in the window lands here.
            case WM_LBUTTONDOWN:
            case WM_LBUTTONDBLCLK:
                pressed = true;
                SetCapture(hwnd);
                return 0;
            case WM_LBUTTONUP: {
                if (GetCapture() == hwnd) ReleaseCapture();
                const POINT at{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
                const RECT area = deviceBox(layout.controls.front());
                if (std::exchange(pressed, false) && PtInRect(&area, at)) close();
                return 0;
            }
            case WM_KEYDOWN:
                if (wp == VK_ESCAPE) close();
                return 0;
            case WM_CLOSE:
                close();
                return 0;
            default:
                return DefWindowProcW(hwnd, message, wp, lp);
        }
    }
};

LRESULT CALLBACK infoProc(HWND h, UINT message, WPARAM wp, LPARAM lp) {
    if (message == WM_NCCREATE) {
        auto* info = static_cast<Info*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
        info->hwnd = h;
        SetWindowLongPtrW(h, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(info));
    }
    auto* info = reinterpret_cast<Info*>(GetWindowLongPtrW(h, GWLP_USERDATA));
    return info ? info->handle(message, wp, lp) : DefWindowProcW(h, message, wp, lp);
}

}  // namespace

void runInfoWindow(HINSTANCE instance, HWND owner, const layout::InfoWindow& which) {
    registerClass(instance, kInfoClass, infoProc, windowBrush());

    Info info{which, owner, GetDpiForWindow(owner)};
    RECT frame = rectOf(view::device(view::pixelBox(which.client), info.scale()));
    AdjustWindowRectExForDpi(&frame, kStyle, FALSE, kExStyle, info.dpi);
    const SIZE outer{frame.right - frame.left, frame.bottom - frame.top};
    const POINT at = centredOnWorkArea(owner, outer);
    CreateWindowExW(kExStyle, kInfoClass, wide(which.caption).c_str(), kStyle, at.x, at.y, outer.cx,
                    outer.cy, owner, nullptr, instance, &info);
    if (!info.hwnd) return;  // nothing to show: the game goes on as before
    info.font = createFont(info.dpi);
    // Topmost first: each control goes under the ones before it.
    // The close area is the window itself: the statics let every click through to it.
    for (const layout::Control& c : which.controls) {
        if (c.kind == layout::Kind::CloseArea) continue;
        const RECT r = info.deviceBox(c);
        const DWORD kind = c.kind == layout::Kind::Label ? SS_LEFT | SS_NOPREFIX : SS_OWNERDRAW;
        // A text broken where every front end breaks it; the static breaks it further
        // only if this system's type is wider.
        const std::wstring text = wide(view::broken(c.caption, view::pixelBox(c).width));
        HWND control = CreateWindowExW(
            0, L"STATIC", text.c_str(), WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | kind, r.left,
            r.top, r.right - r.left, r.bottom - r.top, info.hwnd, nullptr, instance, nullptr);
        SetWindowLongPtrW(control, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&c));
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(info.font), FALSE);
        SetWindowPos(control, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }

    EnableWindow(owner, FALSE);
    ShowWindow(info.hwnd, SW_SHOW);
    MSG msg;
    while (!info.done) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got <= 0) {
            // The program is quitting: close, and leave the quit for the main loop.
            info.close();
            if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    DeleteObject(info.font);
}

}  // namespace brindle::win32
