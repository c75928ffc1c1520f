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
        // The program ends with its window. The quit message the window posts as it goes
        // may never arrive here: a loop of the system's own, such as the one that moves a
        // window by its title bar under Wine, can take it.
        MSG msg{};
        while (IsWindow(window.hwnd()) && GetMessageW(&msg, nullptr, 0, 0) > 0) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        return msg.message == WM_QUIT ? static_cast<int>(msg.wParam) : 0;
    } catch (const StartUpFailed& failed) {
        return refuseToStart(failed.step);
    }
}
