// Brindle on Windows.
#include <windows.h>
// After windows.h:
#include <objbase.h>

#include "win32/main_window.h"
#include "win32/start_up.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    using namespace brindle::win32;
    // Screen readers reach the bar, the clock and the icon through COM.
    CoInitialize(nullptr);
    try {
        MainWindow window(instance);
        ShowWindow(window.hwnd(), show);
        MSG msg;
        while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        return static_cast<int>(msg.wParam);
    } catch (const StartUpFailed& failed) {
        return refuseToStart(failed.step);
    }
}
