// The Help menu's information windows on Windows.
#pragma once

#include <windows.h>

#include "layout/layout.h"
#include "win32/draw.h"

namespace brindle::win32 {

// Shows the window, modal over `owner`, until a click anywhere in it, its close box or
// Escape closes it.
void runInfoWindow(HINSTANCE instance, HWND owner, const layout::InfoWindow& which);

}  // namespace brindle::win32
