#include "view/presenter.h"

#include <algorithm>

#include "puzzles/load.h"

namespace brindle::view {

namespace {

// For a front end that has drawn nothing yet.
Changes everything() {
    Changes c;
    c.cells.set();
    c.pressed.set();
    c.segments.set();
    c.timers.set();
    c.entries.set();
    c.cover = c.stat = c.minutes = c.seconds = c.icon = true;
    c.spokenBar = c.spokenClock = c.spokenState = true;
    return c;
}

}  // namespace

Key keyNamed(std::string_view name) {
    for (const auto& [n, k] : kKeyNames) {
        if (n == name) return k;
    }
    return Key::Other;
}

bool Changes::any() const {
    return cells.any() || pressed.any() || segments.any() || timers.any() || entries.any() ||
           cover || stat || minutes || seconds || icon || spokenBar || spokenClock || spokenState ||
           focus;
}

Changes& Changes::operator|=(const Changes& more) {
    cells |= more.cells;
    pressed |= more.pressed;
    segments |= more.segments;
    timers |= more.timers;
    entries |= more.entries;
    for (auto [flag, other] : {std::pair{&cover, more.cover},
                               {&stat, more.stat},
                               {&minutes, more.minutes},
                               {&seconds, more.seconds},
                               {&icon, more.icon},
                               {&spokenBar, more.spokenBar},
                               {&spokenClock, more.spokenClock},
                               {&spokenState, more.spokenState},
                               {&focus, more.focus}})
        *flag = *flag || other;
    return *this;
}

Changes Presenter::changes(const Scene& before, const Scene& after) {
    const Game &a = before.game, &b = after.game;
    Changes c;
    const auto markedAt = [](const Marker& m, Pos p) { return m.shown && m.cell == p; };
    for (int i = 0; i < kCellCount; ++i) {
        const Pos p = posOf(i);
        c.pressed[std::size_t(i)] = a.cells.isLit(p) != b.cells.isLit(p);
        c.cells[std::size_t(i)] = a.cells.at(p) != b.cells.at(p) ||
                                  markedAt(before.marker, p) != markedAt(after.marker, p);
    }
    for (int n = 1; n <= kSegmentCount; ++n)
        c.segments[std::size_t(n - 1)] = shows(a, n) != shows(b, n);
    for (std::size_t i = 0; i < kTimerCount; ++i)
        c.timers[i] = running(a, layout::kTimers[i]) != running(b, layout::kTimers[i]);
    c.cover = a.Image9 != b.Image9;
    c.stat = a.clock.Stat != b.clock.Stat;
    c.minutes = a.clock.minutesCaption != b.clock.minutesCaption;
    c.seconds = a.clock.secondsCaption != b.clock.secondsCaption;
    c.icon = a.icon.Picture1 != b.icon.Picture1;
    for (std::size_t i = 0; i < layout::kMenus.size(); ++i)
        c.entries[i] = enabled(a, layout::kMenus[i]) != enabled(b, layout::kMenus[i]);
    c.spokenBar = a.progress.segments != b.progress.segments;
    c.spokenClock = c.minutes || c.seconds;
    c.spokenState = stateOf(a) != stateOf(b);
    c.focus = !(before.marker == after.marker) && (before.marker.shown || after.marker.shown);
    return c;
}

bool shows(const Game& g, int segment) {
    return segment <= g.progress.segments;
}

bool running(const Game& g, const layout::Timer& timer) {
    return timer.ring == 0 ? g.clock.running : g.icon.enabled[std::size_t(timer.ring - 1)];
}

bool enabled(const Game& g, const layout::MenuEntry& entry) {
    switch (entry.does) {
        case layout::Does::NewGame:
            return g.GameNew;
        case layout::Does::AskStop:
            return g.GameStop;
        default:
            return true;
    }
}

Presenter::Presenter(WallClock now) : now_fn_(std::move(now)), started_(now_fn_()) {
    now_.game = startUp();
    clockRan_ = now_.game.clock.running;
}

void Presenter::attach(Draw draw) {
    draw_ = std::move(draw);
    drawn_ = false;
    redraw();
}

void Presenter::settle() {
    // A halted clock's timer starts with the command that runs it again.
    const bool running = now_.game.clock.running;
    if (running && !clockRan_) {
        started_ = now_fn_();
        counted_ = 0;
    }
    clockRan_ = running;
    redraw();
}

void Presenter::redraw() {
    if (!draw_) return;
    const Changes c = take();
    if (c.any()) draw_(c);
}

bool Presenter::key(Key k) {
    const bool taken = keyOnBoard(k);
    settle();
    return taken;
}

bool Presenter::keyOnBoard(Key k) {
    // The cover takes keys as it takes clicks.
    if (modal() || now_.game.Image9) return false;
    Marker& m = now_.marker;
    int dr = 0, dc = 0;
    switch (k) {
        case Key::Up:
            dr = -1;
            break;
        case Key::Down:
            dr = 1;
            break;
        case Key::Left:
            dc = -1;
            break;
        case Key::Right:
            dc = 1;
            break;
        case Key::Play:
            // Only a marker in sight is played: a stray key must not change the board.
            if (!m.shown) return false;
            brindle::press(now_.game, m.cell);
            return true;
        case Key::Other:
            return false;
    }
    // The first key only shows where the marker is; later ones move it.
    const Pos next{m.cell.row + dr, m.cell.col + dc};
    if (m.shown && onBoard(next)) m.cell = next;
    m.shown = true;
    return true;
}

void Presenter::pointer(Pointer what, Button button, std::optional<Pos> cell, int id,
                        bool closesMenu) {
    const auto it =
        std::find_if(held_.begin(), held_.end(), [id](const auto& h) { return h.first == id; });
    std::optional<Pos> downOn;
    if (it != held_.end()) {
        downOn = it->second;
        held_.erase(it);
    }
    if (modal() || closesMenu) return;
    if (what == Pointer::Down) {
        now_.marker.shown = false;
        if (button == Button::Left) held_.emplace_back(id, cell);
    } else if (what == Pointer::Up && button == Button::Left && cell && downOn == cell) {
        brindle::press(now_.game, *cell);
    }
    settle();
}

void Presenter::press(Pos p) {
    if (!modal() && onBoard(p)) brindle::press(now_.game, p);
    settle();
}

void Presenter::choose(std::size_t entry, const Show& show) {
    const Request request = open(entry);
    if (request.what != layout::Does::Nothing) close(show(request));
}

Request Presenter::open(std::size_t entry) {
    const Request request = command(entry);
    if (request.what != layout::Does::Nothing) pending_ = request;
    settle();
    return request;
}

void Presenter::close(bool ok) {
    if (!modal()) return;
    if (pending_.what == layout::Does::AskStop && ok) stopGame(now_.game);
    pending_ = {};
    settle();
}

Request Presenter::command(std::size_t entry) {
    if (modal() || entry >= layout::kMenus.size()) return {};
    const layout::MenuEntry& e = layout::kMenus[entry];
    if (!enabled(now_.game, e)) return {};
    switch (e.does) {
        case layout::Does::NewGame:
            newGame(now_.game);
            return {};
        case layout::Does::Load:
            LoadPuzzle(now_.game, PuzzleCatalogue[std::size_t(e.index)]);
            return {};
        case layout::Does::AskStop:
        case layout::Does::ShowInfo:
            return {e.does, e.index};
        case layout::Does::Nothing:
            break;
    }
    return {};
}

void Presenter::tick(std::size_t timer) {
    if (timer >= kTimerCount) return;
    const int ring = layout::kTimers[timer].ring;
    if (ring == 0) {
        clockTick();
    } else {
        ringTick(now_.game, ring);
    }
    settle();
}

void Presenter::clockTick() {
    const Clock& c = now_.game.clock;
    if (!c.running) return;
    const auto due = std::chrono::floor<std::chrono::seconds>(now_fn_() - started_ + kEarly);
    // Each second is one tick of the game's clock, so a restart pending at the next
    // tick (a loaded pattern, a new game) happens at the first second due after it.
    for (; counted_ < due.count(); ++counted_) {
        const Clock before = c;
        brindle::clockTick(now_.game);
        if (c == before) break;  // held at the largest time it can show
    }
}

Changes Presenter::take() {
    const Changes c = drawn_ ? changes(shown_, now_) : everything();
    drawn_ = true;
    shown_ = now_;
    return c;
}

}  // namespace brindle::view
