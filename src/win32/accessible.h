// What a screen reader reads for a control that is not a standard one: its role, name
// and value, answered through the system's accessibility interface (MSAA). Everything
// else comes from the system's own object for the window.
#pragma once

#include <windows.h>

#include <functional>

#include "view/controls.h"

namespace brindle::win32 {

// The answer to WM_GETOBJECT for the control's client object, which reads what
// `spoken` says at each question; 0 for other objects.
LRESULT accessibleObject(HWND control, WPARAM wp, LPARAM lp, std::function<view::Spoken()> spoken);

}  // namespace brindle::win32
