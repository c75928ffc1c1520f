// An empty Win32 window with the game window's frame, client size and three-menu bar:
// what any Win32 program of this shape costs, for comparison with brindle.exe.
#include <windows.h>

#include <initializer_list>

namespace {
LRESULT CALLBACK proc(HWND h, UINT message, WPARAM wp, LPARAM lp) {
    if (message == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcW(h, message, wp, lp);
}
}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    WNDCLASSW c{};
    c.lpfnWndProc = proc;
    c.hInstance = instance;
    c.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    c.lpszClassName = L"Bare";
    RegisterClassW(&c);
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    RECT r{0, 0, 242, 262};
    AdjustWindowRect(&r, style, TRUE);
    HMENU bar = CreateMenu();
    for (const wchar_t* name : {L"Game", L"Load", L"Help"})
        AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(CreatePopupMenu()), name);
    HWND w = CreateWindowW(L"Bare", L"Bare", style, CW_USEDEFAULT, CW_USEDEFAULT, r.right - r.left,
                           r.bottom - r.top, nullptr, bar, instance, nullptr);
    ShowWindow(w, show);
    MSG m;
    while (GetMessageW(&m, nullptr, 0, 0) > 0)
        DispatchMessageW(&m);
    return 0;
}
