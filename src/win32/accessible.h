// What a screen reader reads for a control that is not a standard one: its role, name
// and value, answered through the system's accessibility interface (MSAA). Everything
// else comes from the system's own object for the window.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace brindle::win32 {

struct Spoken {
    long role;  // ROLE_SYSTEM_…
    std::function<std::wstring()> name;
    std::function<std::wstring()> value;  // empty: no value
};

// The answer to WM_GETOBJECT for the control's client object; 0 for other objects.
LRESULT accessibleObject(HWND control, WPARAM wp, LPARAM lp, const Spoken& spoken);

}  // namespace brindle::win32
