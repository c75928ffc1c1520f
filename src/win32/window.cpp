#include "win32/window.h"

#include <algorithm>

#include "win32/start_up.h"

namespace brindle::win32 {

void registerClass(HINSTANCE instance, const wchar_t* name, WNDPROC proc, HBRUSH background,
                   HICON icon, HICON smallIcon) {
    WNDCLASSEXW c{};
    c.cbSize = sizeof c;
    c.hInstance = instance;
    c.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    c.lpfnWndProc = proc;
    c.lpszClassName = name;
    c.hbrBackground = background;
    c.hIcon = icon;
    c.hIconSm = smallIcon;
    const bool registered = RegisterClassExW(&c) || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    checked(registered, Step::WindowClass);
}

POINT centredOnWorkArea(HWND on, SIZE outer) {
    MONITORINFO m{};
    m.cbSize = sizeof m;
    GetMonitorInfoW(MonitorFromWindow(on, MONITOR_DEFAULTTOPRIMARY), &m);
    const RECT& area = m.rcWork;
    return {std::max(area.left, area.left + (area.right - area.left - outer.cx) / 2),
            std::max(area.top, area.top + (area.bottom - area.top - outer.cy) / 2)};
}

}  // namespace brindle::win32
