// Brindle in a browser: the shared layer behind a handful of calls for the page's
// script. The script turns the page's input into these calls and shows what update()
// says changed; every decision is made here or below.
#include <emscripten/emscripten.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "layout/layout.h"
#include "view/controls.h"
#include "view/geometry.h"
#include "view/paint.h"
#include "view/presenter.h"
#include "view/speech.h"

using namespace brindle;

namespace {

std::unique_ptr<view::Presenter> presenter;
std::unique_ptr<view::Raster> canvas;
view::Box drawn;        // the part of the canvas drawn but not yet shown by the page
view::Changes pending;  // what else changed since the page last showed it
double ratio = 1;       // device pixels per CSS pixel
double scale = 1;       // device pixels per layout pixel: the ratio times the game's zoom
std::string reply;      // what the last call that returns text returned
std::unique_ptr<view::Raster> picture;

view::Box joined(const view::Box& a, const view::Box& b) {
    if (a.width <= 0 || a.height <= 0) return b;
    const int left = std::min(a.left, b.left), top = std::min(a.top, b.top);
    return {left, top, std::max(a.right(), b.right()) - left,
            std::max(a.bottom(), b.bottom()) - top};
}

std::string quoted(std::string_view s) {
    std::string out = "\"";
    for (char c : s) {
        if (c == '"' || c == '\\') out += '\\';
        if (c == '\n') {
            out += "\\n";
            continue;
        }
        out += c;
    }
    return out + '"';
}

template <class Enum>
std::string number(Enum e) {
    return std::to_string(static_cast<int>(e));
}

std::string box(const view::Box& b) {
    return "[" + std::to_string(b.left) + "," + std::to_string(b.top) + "," +
           std::to_string(b.width) + "," + std::to_string(b.height) + "]";
}

std::string control(const layout::Control& c, const view::Box& at) {
    return "{\"name\":" + quoted(c.name) + ",\"kind\":" + std::to_string(int(c.kind)) +
           ",\"box\":" + box(at) + ",\"visible\":" + (c.visible ? "true" : "false") +
           ",\"caption\":" + quoted(c.caption) + ",\"art\":" + std::to_string(int(c.art)) +
           ",\"right\":" + (c.align == layout::Align::Right ? "true" : "false") + "}";
}

// A control the page puts over the canvas, with what screen readers are told of it at
// start-up; the updates tell them the rest.
std::string overCanvas(const layout::Control& c) {
    static constexpr const char* kRoles[] = {"", "button", "progressbar", "timer", "img"};
    const view::Spoken s = view::spoken(startUp(), view::Marker{}, c);
    std::string out = control(c, view::inClient(c));
    out.pop_back();
    return out + ",\"role\":" + quoted(kRoles[int(s.role)]) + ",\"label\":" + quoted(s.name) +
           ",\"cell\":" + std::to_string(c.kind == layout::Kind::Cell ? c.index : -1) + "}";
}

template <class T, class F>
std::string list(const T& items, F each) {
    std::string out = "[";
    for (const auto& item : items) {
        const std::string one = each(item);
        if (one.empty()) continue;
        out += (out.size() > 1 ? "," : "") + one;
    }
    return out + "]";
}

}  // namespace

extern "C" {

// Starts the game for a canvas at this device pixel ratio, the game shown `zoom` times
// its layout's size; later, draws it all again at a new ratio or zoom, the game going on.
EMSCRIPTEN_KEEPALIVE void brindle_start(double deviceRatio, double zoom) {
    ratio = deviceRatio;
    scale = deviceRatio * zoom;
    const view::Box client = view::clientArea(scale);
    // Its CSS size exact: otherwise the browser stretches it by a hair and every pixel
    // blurs.
    canvas = std::make_unique<view::Raster>(view::exactDevice(client.width, ratio),
                                            view::exactDevice(client.height, ratio));
    drawn = {0, 0, canvas->width(), canvas->height()};
    if (!presenter) presenter = std::make_unique<view::Presenter>();
    presenter->attach([](const view::Changes& c) {
        const std::vector<view::Box> boxes = view::toRedraw(c, scale);
        if (!boxes.empty()) {
            const auto steps = view::scene(presenter->game(), presenter->marker(), scale);
            for (const view::Box& b : boxes) {
                canvas->draw(steps, b);
                drawn = joined(drawn, b);
            }
        }
        pending |= c;
    });
}

// What the page builds once, before the game starts: the client area, the captions over the canvas,
// the menus, the timers, the information windows and the fixed texts; places in layout pixels.
EMSCRIPTEN_KEEPALIVE const char* brindle_layout() {
    // What the page puts over the canvas, in the order screen readers meet it; the strip's
    // and the icon's pictures are the canvas's alone.
    const auto controls = list(view::inReadingOrder(), [](const layout::Control* c) {
        const bool drawn = c->kind == layout::Kind::Strip || c->kind == layout::Kind::Picture;
        return drawn ? std::string() : overCanvas(*c);
    });
    const auto menus = list(layout::kMenus, [](const layout::MenuEntry& e) {
        return "{\"name\":" + quoted(e.name) + ",\"parent\":" + quoted(e.parent) +
               ",\"caption\":" + quoted(e.caption) + ",\"kind\":" + std::to_string(int(e.kind)) +
               "}";
    });
    const auto timers = list(layout::kTimers, [](const layout::Timer& t) {
        return "{\"name\":" + quoted(t.name) + ",\"ms\":" + std::to_string(t.intervalMs) +
               ",\"clock\":" + (t.ring == 0 ? "true" : "false") + "}";
    });
    const auto windows = list(layout::kInfoWindows, [](const layout::InfoWindow& w) {
        // A window's texts come broken into lines, so that every browser breaks them alike.
        const auto controls = list(w.controls, [](const layout::Control& c) {
            const view::Box at = view::pixelBox(c);
            std::string item = control(c, at);
            if (c.kind == layout::Kind::Label)
                item.insert(item.size() - 1,
                            ",\"lines\":" + list(view::lines(c.caption, at.width), quoted));
            return item;
        });
        return "{\"name\":" + quoted(w.name) + ",\"caption\":" + quoted(w.caption) +
               ",\"client\":" + box(view::pixelBox(w.client)) + ",\"controls\":" + controls + "}";
    });
    // The shared layer's numbers the page passes back or reads, by name.
    using layout::Kind, layout::Entry, layout::Does;
    std::string keys;
    for (const auto& [name, key] : view::kKeyNames)
        keys += (keys.empty() ? "" : ",") + quoted(name) + ":" + number(key);
    std::string updates;
    for (const auto& [name, what] : {std::pair{"Shown", view::Update::Shown},
                                     {"Caption", view::Update::Caption},
                                     {"Pressed", view::Update::Pressed},
                                     {"Value", view::Update::Value},
                                     {"Name", view::Update::Name},
                                     {"Focus", view::Update::Focus},
                                     {"Timer", view::Update::Timer},
                                     {"Entry", view::Update::Entry}})
        updates += (updates.empty() ? "" : ",") + quoted(name) + ":" + number(what);
    const std::string enums =
        "{\"Pointer\":{\"down\":" + number(view::Pointer::Down) +
        ",\"up\":" + number(view::Pointer::Up) +
        ",\"cancelled\":" + number(view::Pointer::Cancelled) +
        "},\"Button\":{\"left\":" + number(view::Button::Left) +
        ",\"other\":" + number(view::Button::Other) + "},\"Key\":{" + keys +
        ",\"other\":" + number(view::Key::Other) + "},\"Kind\":{\"Label\":" + number(Kind::Label) +
        ",\"ClockLabel\":" + number(Kind::ClockLabel) + ",\"Picture\":" + number(Kind::Picture) +
        ",\"Line\":" + number(Kind::Line) + ",\"CloseArea\":" + number(Kind::CloseArea) +
        "},\"Entry\":{\"Menu\":" + number(Entry::Menu) + ",\"Command\":" + number(Entry::Command) +
        ",\"Separator\":" + number(Entry::Separator) + "},\"Update\":{" + updates +
        "},\"Does\":{\"Nothing\":" + number(Does::Nothing) +
        ",\"AskStop\":" + number(Does::AskStop) + ",\"ShowInfo\":" + number(Does::ShowInfo) + "}}";
    reply = "{\"client\":" + box(view::pixelBox(layout::kMainClient)) +

            ",\"controls\":" + controls + ",\"menus\":" + menus + ",\"timers\":" + timers +
            ",\"windows\":" + windows + ",\"stopTitle\":" + quoted(text::kProgramTitle) +
            ",\"stopText\":" + quoted(text::kStopQuestion) + ",\"ok\":" + quoted(text::kOk) +
            ",\"cancel\":" + quoted(text::kCancel) + ",\"bar\":[" +
            std::to_string(view::kBarMinimum) + "," + std::to_string(view::kBarMaximum) +
            "],\"enums\":" + enums + "}";
    return reply.c_str();
}

// A key, as the description's enums number it; whether the board took it.
EMSCRIPTEN_KEEPALIVE int brindle_key(int key) {
    return presenter->key(static_cast<view::Key>(key));
}

// A pointer at a place of the canvas in CSS pixels: what and button as the
// description's enums number them.
EMSCRIPTEN_KEEPALIVE void brindle_pointer(int what, int button, double x, double y, int id,
                                          int closesMenu) {
    presenter->pointer(static_cast<view::Pointer>(what), static_cast<view::Button>(button),
                       view::cellAt(view::pixelAt(x, ratio), view::pixelAt(y, ratio), scale), id,
                       closesMenu != 0);
}

EMSCRIPTEN_KEEPALIVE void brindle_press(int index) {
    if (index >= 0 && index < kCellCount) presenter->press(posOf(index));
}

// The canvas's size in device pixels, as width * 65536 + height.
EMSCRIPTEN_KEEPALIVE int brindle_canvas() {
    return canvas->width() * 65536 + canvas->height();
}

// A menu entry by its place in the menus: what it asks the page to show (layout::Does,
// Nothing when it is done) and which window.
EMSCRIPTEN_KEEPALIVE const char* brindle_open(int entry) {
    const view::Request r = entry < 0 ? view::Request{} : presenter->open(std::size_t(entry));
    reply = "{\"does\":" + number(r.what) + ",\"which\":" + std::to_string(r.index) + "}";
    return reply.c_str();
}

EMSCRIPTEN_KEEPALIVE void brindle_close(int ok) {
    presenter->close(ok != 0);
}

EMSCRIPTEN_KEEPALIVE int brindle_modal() {
    return presenter->modal();
}

EMSCRIPTEN_KEEPALIVE void brindle_tick(int timer) {
    if (timer >= 0) presenter->tick(std::size_t(timer));
}

// What changed since the last update, for the page to show: the part of the canvas
// drawn again, and what to set on which element, in order (view::updates).
EMSCRIPTEN_KEEPALIVE const char* brindle_update() {
    const view::Changes c = std::exchange(pending, view::Changes{});
    const auto set =
        list(view::updates(presenter->game(), presenter->marker(), c), [](const view::Update& u) {
            return "{\"what\":" + number(u.what) +
                   ",\"id\":" + quoted(u.control ? u.control->name : "") +
                   ",\"index\":" + std::to_string(u.index) +
                   ",\"on\":" + (u.on ? "true" : "false") + ",\"text\":" + quoted(u.text) + "}";
        });
    reply = "{\"set\":" + set;
    if (drawn.width > 0) reply += ",\"drawn\":" + box(std::exchange(drawn, view::Box{}));
    reply += "}";
    return reply.c_str();
}

EMSCRIPTEN_KEEPALIVE const std::uint8_t* brindle_pixels() {
    return canvas->bytes();
}

// A picture of the layout's (layout::Art) stretched over `width` x `height` device
// pixels on the window's colour, for the information windows.
EMSCRIPTEN_KEEPALIVE const std::uint8_t* brindle_picture(int art, int width, int height) {
    const view::Box all{0, 0, width, height};
    picture = std::make_unique<view::Raster>(width, height);
    picture->draw({{all, 0, static_cast<layout::Art>(art)}}, all);
    return picture->bytes();
}

// How many times its size the game is shown on a page of this many CSS pixels. Above
// the client area, the page's caption bar and menu bar take 24 and 20 layout pixels
// (page.css); a margin of 16 CSS pixels goes round the window.
EMSCRIPTEN_KEEPALIVE double brindle_zoom(double width, double height) {
    const view::Box client = view::pixelBox(layout::kMainClient);
    return view::fittingZoom(width, height, client.width, client.height + 24 + 20, 16);
}

// Where, from `css` on, a place lies on a whole device pixel at the page's ratio.
EMSCRIPTEN_KEEPALIVE double brindle_snap(double css) {
    return view::onDevicePixel(css, ratio);
}

// How much narrower a caption `needed` device pixels wide is drawn in `room`.
EMSCRIPTEN_KEEPALIVE double brindle_narrowing(double needed, int room) {
    return view::narrowing(needed, room);
}

// The device size of a layout box at this scale: where each pixel goes is decided here.
EMSCRIPTEN_KEEPALIVE int brindle_device(int px) {
    return view::device(px, scale);
}

}  // extern "C"
