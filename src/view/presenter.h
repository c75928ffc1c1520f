// What every front end shares: the game, the keyboard's marker and whether a modal
// window is up, fed by the player's input and the timers. A front end turns its native
// events into these calls and, through attach(), is told after each what changed on
// screen; it then draws that (see paint.h). It decides nothing itself.
#pragma once

#include <bitset>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "layout/layout.h"
#include "session/game.h"

namespace brindle::view {

// The keys the board listens to.
enum class Key { Up, Down, Left, Right, Play, Other };
// Which key each name is. A front end names its keys as the web platform does
// (KeyboardEvent.key); any other name is Key::Other.
inline constexpr std::pair<std::string_view, Key> kKeyNames[] = {
    {"ArrowUp", Key::Up},       {"ArrowDown", Key::Down}, {"ArrowLeft", Key::Left},
    {"ArrowRight", Key::Right}, {" ", Key::Play},         {"Enter", Key::Play},
};
Key keyNamed(std::string_view name);

// What a pointer did over the main window's client area. Cancelled: the toolkit took it
// away (a touch turned into a scroll, the window lost the mouse).
enum class Pointer { Down, Up, Cancelled };
// Its button: a touch or a pen's tip is the left one.
enum class Button { Left, Other };

// The keyboard's focus marker: shown once a key is used, hidden by the mouse.
struct Marker {
    Pos cell{3, 3};
    bool shown = false;
    friend bool operator==(const Marker&, const Marker&) = default;
};

// What a menu command asks the front end to show modally: the stop box, or an
// information window (kInfoWindows[index]).
struct Request {
    layout::Does what = layout::Does::Nothing;
    int index = 0;
};

inline constexpr std::size_t kTimerCount = layout::kTimers.size();

// What differs on screen between two moments; each flag names what to draw or set again.
struct Changes {
    std::bitset<kCellCount> cells;               // picture, pressed state or marker
    std::bitset<kCellCount> pressed;             // pressed state alone
    std::bitset<kSegmentCount> segments;         // pro1 .. pro13 shown or hidden
    std::bitset<kTimerCount> timers;             // kTimers[i] to start or stop
    std::bitset<layout::kMenus.size()> entries;  // kMenus[i] enabled or disabled
    bool cover = false;                          // Image9 shown or hidden
    bool stat = false;                           // Stat's caption
    bool minutes = false, seconds = false;       // Label1, Label3
    bool icon = false;                           // Picture1's picture
    bool spokenBar = false, spokenClock = false, spokenState = false;  // for screen readers
    bool focus = false;  // the marker moved to another cell, appeared or went

    bool any() const;
    Changes& operator|=(const Changes& more);  // both
};

// The wall clock the game clock keeps up with; tests give their own.
using Time = std::chrono::steady_clock::time_point;
using WallClock = std::function<Time()>;

// What a front end reads while drawing.
bool shows(const Game& g, int segment);                       // pro<segment>, 1..13
bool running(const Game& g, const layout::Timer& timer);      // the timer is enabled
bool enabled(const Game& g, const layout::MenuEntry& entry);  // the entry can be chosen

class Presenter {
  public:
    // Draws what changed: the front end's one way of showing the game.
    using Draw = std::function<void(const Changes&)>;
    // Shows the window a command asks for, modal, and returns once it has closed; for
    // the stop box, whether the player answered OK.
    using Show = std::function<bool(const Request&)>;

    // The game after start-up, its clock kept up with `now`.
    explicit Presenter(WallClock now = std::chrono::steady_clock::now);
    // From now on every input ends by drawing what it changed; draws everything first.
    void attach(Draw draw);

    const Game& game() const { return now_.game; }
    const Marker& marker() const { return now_.marker; }
    // While the stop box or an information window is up, nothing reaches the main
    // window but the timers.
    bool modal() const { return pending_.what != layout::Does::Nothing; }

    // Whether the board took the key.
    bool key(Key k);
    bool key(std::string_view name) { return key(keyNamed(name)); }
    // A pointer over the main window's client area, with the cell drawn under it, if
    // any. Only the left button plays, by a press and a release over the same cell;
    // each of several pointers (fingers) plays its own. Any button's press hides the
    // marker. A press that closes an open menu only closes it, as on the desktop: it
    // and its release do nothing else.
    void pointer(Pointer what, Button button, std::optional<Pos> cell, int id = 0,
                 bool closesMenu = false);
    // A cell is pressed: a click, a tap, a key or an assistive tool.
    void press(Pos p);
    // A menu entry, by its place in kMenus. Disabled entries do nothing, however they
    // are chosen.
    void choose(std::size_t entry, const Show& show);
    // The same in two steps, for a front end whose modal windows do not block: the
    // entry runs its command, and returns what to show (nothing: it is done); the front
    // end shows it and, once it has closed, calls close() with the player's answer.
    Request open(std::size_t entry);
    void close(bool ok);
    // A tick of kTimers[timer]; timers keep ticking under a modal window. The clock
    // counts the whole seconds that really passed since it last started (at start-up
    // or at a new game after a stop), one tick of the game's clock each: ticks of its
    // timer may come late, not at all (a stopped process, a starved one, a hidden
    // browser tab) or in between, and it neither lags behind those seconds after a tick
    // nor runs ahead of them. So a front end may tick it whenever it likes to bring it
    // up to date. A tick up to kEarly before a second is due counts for it, as timers
    // may fire that much early.
    void tick(std::size_t timer);

    static constexpr std::chrono::milliseconds kEarly{50};

  private:
    struct Scene {
        Game game;
        Marker marker;
    };
    // What a front end that shows `before` must redraw to show `after`.
    static Changes changes(const Scene& before, const Scene& after);
    // What changed since the last drawing; the first is everything.
    Changes take();
    bool keyOnBoard(Key k);
    // What the entry does now: nothing while it is disabled or a modal window is up.
    Request command(std::size_t entry);
    // Every input ends here: the clock's count follows its state, then what changed
    // is drawn.
    void settle();
    void redraw();
    void clockTick();

    Scene now_, shown_;
    WallClock now_fn_;
    // When the clock last started, and how many seconds it has counted since.
    Time started_;
    std::int64_t counted_ = 0;
    bool clockRan_ = true;
    bool drawn_ = false;
    Request pending_;
    Draw draw_;
    // The pointers held down with the left button, by id, and the cell each went down on.
    std::vector<std::pair<int, std::optional<Pos>>> held_;
};

}  // namespace brindle::view
