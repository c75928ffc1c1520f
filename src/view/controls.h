// What a front end sets on the main window's controls, decided once for all of them:
// what each control is to a screen reader, and, after a change, which properties to
// set on which control, in which order.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "layout/layout.h"
#include "view/geometry.h"
#include "view/presenter.h"

namespace brindle::view {

// A control's part for screen readers; Role::None: it has none of its own.
enum class Role { None, Toggle, ProgressBar, Clock, Graphic };
struct Spoken {
    Role role = Role::None;
    std::string name;
    std::string value;     // the bar's count, the clock's time; empty: none
    bool pressed = false;  // a toggle that is on
    bool focused = false;  // the keyboard's marker is on it
};
Spoken spoken(const Game& g, const Marker& m, const layout::Control& c);

// One thing to set. The control is one of the layout's (kMainControls or
// kStatusControls); the index one of kTimers or kMenus.
struct Update {
    enum What {
        Shown,    // show the control (on) or hide it
        Caption,  // write `text` as its caption
        Pressed,  // a toggle turned on or off: tell screen readers
        Value,    // its value is now `text`: tell screen readers
        Name,     // its name is now `text`: tell screen readers
        Focus,    // the marker came to this cell or, with no control, went
        Timer,    // start (on) or stop kTimers[index]
        Entry,    // enable (on) or disable kMenus[index], a command
    };
    What what;
    const layout::Control* control = nullptr;
    std::size_t index = 0;
    bool on = false;
    std::string text;
};
// What to set once `c` changed: what shows first, then what screen readers are told,
// then the menus and the timers.
std::vector<Update> updates(const Game& g, const Marker& m, const Changes& c);

// The main window's control of this name; the layout has each.
const layout::Control& control(std::string_view name);
// A table's controls in the order screen readers meet them: its cells first, as
// kReadingOrder reads them, then the others row by row from the top left.
std::vector<const layout::Control*> inReadingOrder(std::span<const layout::Control> table);
// All the main window's controls in that order, the strip's right after the strip.
std::vector<const layout::Control*> inReadingOrder();
// Where a main window's control lies in the client area, in layout pixels, whichever
// table holds it.
Box inClient(const layout::Control& c);

}  // namespace brindle::view
