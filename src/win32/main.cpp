// Brindle on Windows.
#include <windows.h>
// After windows.h:
#include <objbase.h>

#include "win32/main_window.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    // Screen readers reach the bar, the clock and the icon through COM.
    CoInitialize(nullptr);
    brindle::win32::MainWindow window(instance);
    ShowWindow(window.hwnd(), show);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}
