#include "view/controls.h"

#include <algorithm>
#include <cstdlib>
#include <span>
#include <utility>

#include "view/speech.h"

namespace brindle::view {

namespace {

template <class Match>
const layout::Control& find(Match match) {
    for (std::span<const layout::Control> table :
         {std::span<const layout::Control>(layout::kMainControls),
          std::span<const layout::Control>(layout::kStatusControls)}) {
        for (const layout::Control& c : table) {
            if (match(c)) return c;
        }
    }
    std::abort();  // a control the layout does not have: a fault of the program
}

const layout::Control& of(layout::Kind kind, int index) {
    return find([=](const layout::Control& c) { return c.kind == kind && c.index == index; });
}

}  // namespace

const layout::Control& control(std::string_view name) {
    return find([=](const layout::Control& c) { return c.name == name; });
}

std::vector<const layout::Control*> inReadingOrder(std::span<const layout::Control> table) {
    std::vector<const layout::Control*> out;
    for (Pos p : kReadingOrder) {
        for (const layout::Control& c : table) {
            if (c.kind == layout::Kind::Cell && c.index == indexOf(p)) out.push_back(&c);
        }
    }
    // The rest as a sighted reader meets them: row by row from the top, each row from
    // the left, whatever their stacking; the clock's minutes before its seconds.
    std::vector<const layout::Control*> rest;
    for (const layout::Control& c : table) {
        if (c.kind != layout::Kind::Cell) rest.push_back(&c);
    }
    const auto place = [](const layout::Control* c) {
        const Box b = pixelBox(*c);
        return std::pair{b.top, b.left};
    };
    std::stable_sort(rest.begin(), rest.end(),
                     [&](const auto* a, const auto* b) { return place(a) < place(b); });
    out.insert(out.end(), rest.begin(), rest.end());
    return out;
}

std::vector<const layout::Control*> inReadingOrder() {
    std::vector<const layout::Control*> out;
    for (const layout::Control* c : inReadingOrder(layout::kMainControls)) {
        out.push_back(c);
        if (c->kind == layout::Kind::Strip) {
            for (const layout::Control* inStrip : inReadingOrder(layout::kStatusControls))
                out.push_back(inStrip);
        }
    }
    return out;
}

Box inClient(const layout::Control& c) {
    const auto& status = layout::kStatusControls;
    return &c >= status.data() && &c < status.data() + status.size() ? inWindow(c) : pixelBox(c);
}

Spoken spoken(const Game& g, const Marker& m, const layout::Control& c) {
    switch (c.kind) {
        case layout::Kind::Cell: {
            const Pos p = posOf(c.index);
            return {Role::Toggle, cellName(p), {}, cellPressed(g, p), m.shown && m.cell == p};
        }
        case layout::Kind::Bar:
            return {Role::ProgressBar, text::kBarName, std::to_string(barValue(g))};
        case layout::Kind::Clock:
            return {Role::Clock, text::kClockName, clockValue(g)};
        case layout::Kind::PictureBox:
            return {Role::Graphic, stateText(g), {}};
        default:
            return {};
    }
}

std::vector<Update> updates(const Game& g, const Marker& m, const Changes& c) {
    std::vector<Update> out;
    using enum layout::Kind;
    const auto set = [&out](Update::What what, const layout::Control& control, bool on,
                            std::string text = {}) {
        out.push_back({what, &control, 0, on, std::move(text)});
    };
    for (int n = 1; n <= kSegmentCount; ++n) {
        if (c.segments[std::size_t(n - 1)]) set(Update::Shown, of(Segment, n), shows(g, n));
    }
    if (c.cover) set(Update::Shown, of(Cover, 0), g.Image9);
    if (c.stat) set(Update::Caption, control("Stat"), true, g.clock.Stat);
    if (c.minutes) set(Update::Caption, control("Label1"), true, g.clock.minutesCaption);
    if (c.seconds) set(Update::Caption, control("Label3"), true, g.clock.secondsCaption);
    for (Pos p : kReadingOrder) {
        if (c.pressed[std::size_t(indexOf(p))])
            set(Update::Pressed, of(Cell, indexOf(p)), cellPressed(g, p));
    }
    if (c.spokenBar) set(Update::Value, of(Bar, 0), true, std::to_string(barValue(g)));
    if (c.spokenClock) set(Update::Value, of(Clock, 0), true, clockValue(g));
    if (c.spokenState) set(Update::Name, of(PictureBox, 0), true, stateText(g));
    if (c.focus)
        out.push_back({Update::Focus, m.shown ? &of(Cell, indexOf(m.cell)) : nullptr, 0, true, {}});
    for (std::size_t i = 0; i < layout::kMenus.size(); ++i) {
        if (c.entries[i] && layout::kMenus[i].kind == layout::Entry::Command)
            out.push_back({Update::Entry, nullptr, i, enabled(g, layout::kMenus[i]), {}});
    }
    for (std::size_t i = 0; i < kTimerCount; ++i) {
        if (c.timers[i])
            out.push_back({Update::Timer, nullptr, i, running(g, layout::kTimers[i]), {}});
    }
    return out;
}

}  // namespace brindle::view
