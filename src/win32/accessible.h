// What a screen reader finds in the main window's client area, answered through the
// system's accessibility interface (MSAA). The area is one window that draws every
// control; the controls are its children without windows of their own, each read as
// the shared layer says. The area itself is the system's own object for the window.
#pragma once

#include <windows.h>

#include <vector>

#include "view/controls.h"

namespace brindle::win32 {

// The client area as screen readers meet it. Child id k (from 1) is children()[k - 1].
class Board {
  public:
    virtual const std::vector<const layout::Control*>& children() const = 0;
    // A label reads as its caption (Role::None); the others as the shared layer says.
    virtual view::Spoken spoken(const layout::Control& c) const = 0;
    virtual RECT onScreen(const layout::Control& c) const = 0;
    // The child a screen reader finds at a point of the screen; CHILDID_SELF: none.
    virtual long childAt(POINT screen) const = 0;
    virtual void press(const layout::Control& c) = 0;  // a toggle's default action

  protected:
    ~Board() = default;
};

// The answer to WM_GETOBJECT for the window's client object; 0 for other objects.
LRESULT accessibleObject(HWND window, WPARAM wp, LPARAM lp, Board& board);

}  // namespace brindle::win32
