// What every window of the program does the same way.
#pragma once

#include <windows.h>

namespace brindle::win32 {

// A window class with the arrow cursor; registering one twice is harmless. Throws
// StartUpFailed if the class cannot be registered.
void registerClass(HINSTANCE instance, const wchar_t* name, WNDPROC proc,
                   HBRUSH background = nullptr, HICON icon = nullptr, HICON smallIcon = nullptr);

// Where a window of this outer size goes: centred on the work area of the monitor the
// window `on` is on, its top-left kept on the work area so that a small screen still
// shows the title bar.
POINT centredOnWorkArea(HWND on, SIZE outer);

}  // namespace brindle::win32
