// What every front end shares, told by what the player sees: which key does what,
// what each menu entry does and when, which cell a click at a device pixel plays,
// where the grid lines and the marker fall at each scale, what changed on screen, and
// what a screen reader hears.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <functional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "expected.h"
#include "puzzles/load.h"
#include "view/controls.h"
#include "view/geometry.h"
#include "view/paint.h"
#include "view/presenter.h"
#include "view/speech.h"

namespace brindle::view {
namespace {

std::size_t entry(std::string_view name) {
    for (std::size_t i = 0; i < layout::kMenus.size(); ++i) {
        if (layout::kMenus[i].name == name) return i;
    }
    ADD_FAILURE() << "no menu entry " << name;
    return layout::kMenus.size();
}

// Chooses an entry; `meanwhile` runs while the window it opens is up, and `answer` is
// what the player answers there. Returns what the entry asked to show.
Request choose(Presenter& v, std::string_view name, bool answer = false,
               const std::function<void()>& meanwhile = {}) {
    Request asked;
    v.choose(entry(name), [&](const Request& r) {
        asked = r;
        EXPECT_TRUE(v.modal());
        if (meanwhile) meanwhile();
        return answer;
    });
    if (asked.what != layout::Does::Nothing) {
        EXPECT_FALSE(v.modal()) << "closed again";
    }
    return asked;
}

std::string marked(const Presenter& v) {
    if (!v.marker().shown) return "none";
    return std::to_string(v.marker().cell.row) + "," + std::to_string(v.marker().cell.col);
}

// Keys written as letters: Up, Down, Left, Right, Play (P Space, E Enter), O and o
// others (Tab, and Qt's name for the up arrow).
TEST(Keys, ArrowsShowThenMoveTheMarkerAndPlayPressesItsCell) {
    const struct {
        const char *keys, *marker;
        std::vector<Pos> played;
    } runs[] = {
        {"P", "none", {}},  // nothing in sight, nothing played
        {"OR", "3,3", {}},  // the first arrow only shows the marker
        {"RRP", "3,4", {{3, 4}}},
        {"UUUUUP", "1,3", {{1, 3}}},  // no further than the edge
        {"DLLLLDDDP", "5,1", {{5, 1}}},
        {"LPE", "3,3", {{3, 3}, {3, 3}}},
        {"LoOoU", "2,3", {}},
    };
    for (const auto& r : runs) {
        Presenter v;
        Board expected = v.game().cells;
        // By the names the web platform gives the keys, as every front end passes them.
        const char* names[] = {"ArrowUp", "ArrowDown", "ArrowLeft", "ArrowRight",
                               " ",       "Enter",     "Tab",       "Up"};
        for (char k : std::string_view(r.keys))
            v.key(names[std::string_view("UDLRPEOo").find(k)]);
        for (Pos p : r.played)
            play(expected, p);
        EXPECT_EQ(marked(v), r.marker) << r.keys;
        EXPECT_EQ(v.game().cells, expected) << r.keys;
    }
}

// Pointer events written as letters: d a left press, u a left release, D and U the
// same of another button, c cancelled, then the cell ("11" .. "55", "--" off the board)
// and the pointer's id; m before one: the press closes an open menu.
TEST(Pointer, ALeftPressAndReleaseOnOneCellPlaysItAndAnyPressHidesTheMarker) {
    const struct {
        const char *why, *events;
        std::vector<Pos> played;
        bool markerStays = false;
    } runs[] = {
        {"a click", "d110 u110", {{1, 1}}},
        {"released on another cell", "d110 u120", {}},
        {"pressed or released off the board", "d--0 u--0 d--0 u110 d110 u--0", {}},
        {"another button", "D110 U110 d110 U110", {}},
        {"cancelled", "d110 c110 u110", {}},
        {"a release without its press", "u330", {}, true},
        {"a press whose release was lost", "d120 d110 u110", {{1, 1}}},
        {"fingers", "d111 d552 u111 u552 d331 d142 u142 u331", {{1, 1}, {5, 5}, {1, 4}, {3, 3}}},
        {"fingers crossed over", "d111 d552 u551 u112", {}},
        {"the press that closes a menu", "md110 u110", {}, true},
        {"then a click", "md110 u110 d110 u110", {{1, 1}}},
    };
    for (const auto& r : runs) {
        Presenter v;
        v.key(Key::Up);  // the marker shows
        Board expected = v.game().cells;
        std::istringstream events(r.events);
        for (std::string e; events >> e;) {
            const bool closesMenu = e[0] == 'm';
            if (closesMenu) e.erase(0, 1);
            const auto what = std::string_view("dDuUc").find(e[0]);
            const std::optional<Pos> cell =
                e[1] == '-' ? std::nullopt : std::optional<Pos>({e[1] - '0', e[2] - '0'});
            v.pointer(what < 2   ? Pointer::Down
                      : what < 4 ? Pointer::Up
                                 : Pointer::Cancelled,
                      what % 2 == 0 && what < 4 ? Button::Left : Button::Other, cell, e[3] - '0',
                      closesMenu);
        }
        for (Pos p : r.played)
            play(expected, p);
        EXPECT_EQ(v.game().cells, expected) << r.why;
        EXPECT_EQ(v.marker().shown, r.markerStays) << r.why;
    }
}

TEST(Keys, TheBoardTakesOnlyItsKeysAndNoneUnderTheCoverOrAModalWindow) {
    Presenter v;
    EXPECT_FALSE(v.key(Key::Other));
    EXPECT_FALSE(v.key(Key::Play));  // no marker yet: the key is left to others
    EXPECT_TRUE(v.key(Key::Down));
    EXPECT_TRUE(v.key(Key::Down));
    EXPECT_TRUE(v.key(Key::Play));
    v.pointer(Pointer::Down, Button::Other, std::nullopt);  // the marker hides, keeps its cell
    EXPECT_EQ(marked(v), "none");
    v.key(Key::Up);
    EXPECT_EQ(marked(v), "4,3");

    const Game before = v.game();
    choose(v, "HelpPro", false, [&] {
        EXPECT_FALSE(v.key(Key::Up));
        v.press({1, 1});
        v.pointer(Pointer::Down, Button::Left, Pos{1, 1});
        v.pointer(Pointer::Up, Button::Left, Pos{1, 1});
        EXPECT_EQ(marked(v), "4,3");
        EXPECT_EQ(v.game(), before);
    });

    choose(v, "GameStop", true);
    ASSERT_TRUE(v.game().Image9);
    const Game covered = v.game();
    EXPECT_FALSE(v.key(Key::Left));
    v.press({2, 2});
    EXPECT_EQ(v.game(), covered);
}

// What choosing each entry does, in each state, by the rules of the game: New game only
// once the game is stopped or a pattern is loaded, Stop only while a game runs, the
// loads and the Help windows always.
TEST(Commands, EachEntryDoesItsCommandWhileEnabled) {
    for (const layout::MenuEntry& e : layout::kMenus) {
        for (const char* start : {"running", "stopped", "puzzle"}) {
            Presenter v;
            if (std::string(start) == "stopped") choose(v, "GameStop", true);
            if (std::string(start) == "puzzle") choose(v, "LoadDem7");
            const Game before = v.game();
            const Request r = choose(v, e.name);
            const std::string name(e.name), why = name + " while " + start;
            std::optional<Game> after = before;  // what the rules say the entry does here
            if (name == "GameNew" && std::string(start) != "running") newGame(*after);
            for (const Puzzle& p : PuzzleCatalogue) {
                if (p.menuName == name) LoadPuzzle(*after, p);
            }
            EXPECT_EQ(v.game(), *after) << why;
            // Stop asks only while a game runs; the Help entries always show their window.
            const bool asks = name == "GameStop" && std::string(start) == "running";
            EXPECT_EQ(r.what == layout::Does::AskStop, asks) << why;
            const bool shows = e.parent == "Help" && e.kind == layout::Entry::Command;
            EXPECT_EQ(r.what == layout::Does::ShowInfo, shows) << why;
        }
    }
}

TEST(Commands, TheStopBoxStopsOnlyOnOkAndNothingIsChosenWhileItIsUp) {
    Presenter v;
    v.press({3, 3});
    const Game running = v.game();
    const Request asked = choose(v, "GameStop", false, [&] {
        EXPECT_EQ(choose(v, "LoadFull").what, layout::Does::Nothing);
        EXPECT_EQ(choose(v, "HelpAuhtor").what, layout::Does::Nothing);
        EXPECT_TRUE(v.modal()) << "the box is still up";
    });
    EXPECT_EQ(asked.what, layout::Does::AskStop);
    EXPECT_EQ(v.game(), running);
    choose(v, "GameStop", true);
    EXPECT_EQ(stateOf(v.game()), GameState::Stopped);
    // An information window's closing stops nothing, whatever it answers.
    Presenter w;
    choose(w, "HelpHowToPlay", true);
    EXPECT_EQ(stateOf(w.game()), GameState::Running);
}

// Which cell a click plays, at device pixels across the overlap strips: the cell drawn
// on top there, as the shared table of clicks gives it.
TEST(Geometry, AClickPlaysTheCellDrawnOnTopAtItsDevicePixel) {
    for (const auto& c : expected::kClicks) {
        const Pos cell{c.row, c.col};
        EXPECT_EQ(cellAt(c.x, c.y, 1), cell) << c.x << "," << c.y;
        // The same place on a surface that starts 20 pixels lower, at 2x.
        EXPECT_EQ(cellAt(2 * c.x + 1, 2 * (c.y + 20), 2, {0, 20}), cell) << c.x << "," << c.y;
    }
    EXPECT_EQ(cellAt(242, 10, 1), std::nullopt);
    EXPECT_EQ(cellAt(10, 242, 1), std::nullopt);
    // At fractional scales the front ends' click tests compare it with what they draw.
}

// The lines of a grid picture, redrawn at a fractional scale: every one of one width,
// a whole number of device pixels, starting where its layout pixel's middle falls.
TEST(Geometry, GridLinesAreEquallyWideAtEveryScale) {
    const std::array<int, 6> columns = {0, 49, 96, 144, 192, 241};
    for (double s : {1.0, 1.25, 1.5, 1.75, 2.0, 2.5, 3.0}) {
        const GridDrawing d = coverDrawing(s, {0, 20});
        EXPECT_EQ(d.asIs, s == std::floor(s)) << s;
        EXPECT_EQ(d.box, (Box{0, int(std::floor(20 * s + 0.5)), int(std::floor(242 * s + 0.5)),
                              int(std::floor(242 * s + 0.5))}));
        if (d.asIs) continue;
        ASSERT_EQ(d.lines.size(), 12u);
        std::set<int> widths;
        for (std::size_t k = 0; k < 6; ++k) {
            const Box& line = d.lines[k];
            widths.insert(line.width);
            const double middle = columns[k] * s;  // where layout pixel x starts
            EXPECT_LE(line.left, middle + 0.5) << s;
            EXPECT_GT(line.left + 1, middle - 0.5) << s;
            EXPECT_EQ(d.lines[k + 6].height, line.width);
        }
        EXPECT_EQ(widths, std::set<int>{std::max(1, int(s))}) << s;
    }
}

TEST(Geometry, TheMarkerLiesInsideItsCellsVisiblePartClearOfTheLines) {
    for (double s : {1.0, 1.5, 2.0}) {
        for (Pos p : {Pos{1, 1}, Pos{3, 4}, Pos{5, 5}}) {
            const std::vector<Box> dots = markerDots(p, s);
            // The cell's visible part, inside its grid lines: from one past its left line
            // to before the next cell's left line (48 pixels on).
            const double left = ((p.col - 1) * 48 + 1) * s, top = ((p.row - 1) * 48 + 1) * s;
            const double right = ((p.col - 1) * 48 + 48) * s, bottom = ((p.row - 1) * 48 + 48) * s;
            std::set<int> xs, ys;
            for (const Box& d : dots) {
                EXPECT_GT(d.left, left) << s;
                EXPECT_GT(d.top, top) << s;
                EXPECT_LT(d.right(), right) << s;
                EXPECT_LT(d.bottom(), bottom) << s;
                EXPECT_EQ(d.width, std::max(1, int(s)));
                xs.insert(d.left);
                ys.insert(d.top);
            }
            // A square outline: as many dots across as down, every other one.
            EXPECT_EQ(xs.size(), ys.size());
            EXPECT_EQ(*std::next(xs.begin()) - *xs.begin(), 2 * std::max(1, int(s)));
        }
    }
}

// What the client area shows, drawn in memory: drawn again only where a change asks,
// it is what a drawing from scratch shows; and each part shows what the game holds, in
// the colours the pictures are made of.
// The information windows' texts break where the game shows them, whoever draws them:
// the words that begin the second and later lines. A word too long for any line stands
// alone; a line break in a text is kept.
TEST(Geometry, TextsBreakIntoLinesAtTheSameWordsEverywhere) {
    const auto label = [](const auto& controls, std::string_view name) {
        for (const auto& c : controls)
            if (c.name == name) return std::pair{std::string_view(c.caption), pixelBox(c).width};
        return std::pair{std::string_view(), 0};
    };
    const auto& how = layout::kInfoWindows[0].controls;
    const auto& pro = layout::kInfoWindows[1].controls;
    const struct {
        std::pair<std::string_view, int> text;
        std::vector<std::string> starts;
    } cases[] = {
        {label(how, "Label2"), {"с"}},
        {label(how, "Label3"), {"заокрашен", "этот"}},
        {label(pro, "Label2"), {"меню", "загружать", "меню", "дополнительную"}},
        {label(pro, "Label3"), {"вы", "Значок"}},
        {label(pro, "Label7"), {"показывающая", "Рядом", "показывает"}},
        {{"Продолжить?", 1}, {}},
        {{"а бб\nв", 1}, {"бб", "в"}},
        {{"один два", 200}, {}},
    };
    for (const auto& c : cases) {
        const auto shown = lines(c.text.first, c.text.second);
        std::vector<std::string> starts;
        std::string joined;
        for (std::size_t i = 0; i < shown.size(); ++i) {
            if (i > 0) starts.push_back(shown[i].substr(0, shown[i].find(' ')));
            joined += (i > 0 ? " " : "") + shown[i];
        }
        EXPECT_EQ(starts, c.starts) << c.text.first;
        std::string flat(c.text.first);
        std::replace(flat.begin(), flat.end(), '\n', ' ');
        EXPECT_EQ(joined, flat) << "no word lost or split";
    }
    // For a toolkit told where to break: a line break at the end of every line but the last.
    EXPECT_EQ(broken("а бб\nв", 1), "а\nбб\nв");
}

TEST(Paint, RedrawingWhatChangedShowsTheGameAsDrawingItAllDoes) {
    const auto centre = [](const Box& b) {
        return Point{b.left + b.width / 2, b.top + b.height / 2};
    };
    for (double s : {1.0, 1.25, 2.0}) {
        const Box client = clientArea(s);
        Raster shown(client.width, client.height);
        Time t;
        Presenter v([&t] { return t; });
        v.attach([&](const Changes& c) {
            for (const Box& b : toRedraw(c, s))
                shown.draw(scene(v.game(), v.marker(), s), b);
        });
        const std::function<void()> steps[] = {
            [&] {
                v.pointer(Pointer::Down, Button::Left, Pos{2, 2});
            },
            [&] {
                v.pointer(Pointer::Up, Button::Left, Pos{2, 2});
            },
            [&] { v.key(Key::Right); },
            [&] { v.key(Key::Play); },
            [&] { v.key(Key::Down); },
            [&] { v.tick(1); },  // the icon turns
            [&] { choose(v, "LoadDem3"); },
            [&] { v.pointer(Pointer::Down, Button::Other, std::nullopt); },
            [&] { choose(v, "GameStop", true); },
            [&] { choose(v, "GameNew"); },
            [&] {
                v.press({5, 5});
            },
        };
        for (const auto& step : steps) {
            step();
            Raster whole(client.width, client.height);
            whole.draw(scene(v.game(), v.marker(), s), client);
            int differ = 0;
            for (int y = 0; y < client.height; ++y)
                for (int x = 0; x < client.width; ++x)
                    differ += shown.at(x, y) != whole.at(x, y);
            EXPECT_EQ(differ, 0) << "scale " << s;
            const Game& g = v.game();
            for (int i = 0; i < kCellCount; ++i) {
                const Point c = centre(device(pixelBox(layout::cellRect(posOf(i))), s));
                EXPECT_EQ(whole.at(c.x, c.y), g.Image9                  ? 0xc0c0c0u
                                              : g.cells.isLit(posOf(i)) ? 0xffff00u
                                                                        : 0xffffffu);
            }
            int navy = 0;
            for (const layout::Control& k : layout::kStatusControls) {
                const Point c = centre(device(inWindow(k), s));
                navy += k.kind == layout::Kind::Segment && whole.at(c.x, c.y) == 0x000080;
            }
            EXPECT_EQ(navy, g.progress.segments) << "scale " << s;
            for (const char* sunken : {"Picture1", "Time", "Process"}) {  // darker above left
                const Box b =
                    device(inWindow(*std::find_if(
                               layout::kStatusControls.begin(), layout::kStatusControls.end(),
                               [&](const layout::Control& k) { return k.name == sunken; })),
                           s);
                EXPECT_LT(whole.at(b.left, b.top) & 0xff,
                          whole.at(b.right() - 1, b.bottom() - 1) & 0xff);
            }
            int black = 0;
            for (const Box& d : markerDots(v.marker().cell, s))
                black += whole.at(d.left, d.top) == 0;
            EXPECT_EQ(black > 0, v.marker().shown && !g.Image9) << "scale " << s;
        }
    }
}

// At a whole scale k each device pixel shows the picture's pixel it lies in: the one at
// (x / k, y / k) of the picture drawn at its own size.
TEST(Paint, APictureAtAWholeScaleRepeatsEachOfItsPixels) {
    for (int art = int(layout::Art::Unlit); art <= int(layout::Art::ProgramIcon); ++art) {
        const auto a = static_cast<layout::Art>(art);
        const int w = pictureOf(a).width, h = pictureOf(a).height;
        const std::vector<std::uint32_t> own = stretched(a, w, h);
        for (int k : {2, 3}) {
            const std::vector<std::uint32_t> big = stretched(a, k * w, k * h);
            int differ = 0;
            for (int y = 0; y < k * h; ++y)
                for (int x = 0; x < k * w; ++x)
                    differ +=
                        big[std::size_t(y * k * w + x)] != own[std::size_t(y / k * w + x / k)];
            EXPECT_EQ(differ, 0) << "picture " << art << " at " << k;
        }
    }
}

// The front ends' tests read these through their toolkits; here what only a stopped
// game says.
TEST(Speech, AStoppedGameSaysSoAndItsClockReadsZero) {
    Presenter v;
    v.press({1, 1});
    v.tick(6);  // Timer7
    choose(v, "GameStop", true);
    EXPECT_EQ(stateText(v.game()), "игра остановлена, играть в неё нельзя");
    EXPECT_EQ(clockValue(v.game()), "0 мин 0 с");
}

// Screen readers meet the main window as a sighted player reads it: the board row by
// row from the top left, then the strip from the left: the icon, the bar, the clock,
// and in it the minutes, the colon and the seconds.
TEST(Speech, ScreenReadersMeetTheWindowAsItIsRead) {
    const Presenter v;
    std::vector<std::string> read, seen;
    for (const layout::Control* c : inReadingOrder()) {
        const bool caption = c->kind == layout::Kind::Label || c->kind == layout::Kind::ClockLabel;
        if ((caption && c->visible) || spoken(v.game(), {}, *c).role != Role::None)
            read.emplace_back(c->name);
    }
    for (int row = 1; row <= kSide; ++row)
        for (int col = 1; col <= kSide; ++col)
            seen.push_back("rc_" + std::to_string(row) + "_" + std::to_string(col));
    for (const char* name : {"Picture1", "Process", "Time", "Label1", "Label2", "Label3"})
        seen.emplace_back(name);
    EXPECT_EQ(read, seen);
}

// The clock shows the whole seconds that really passed since it started, however its
// ticks come; a timer may fire up to 50 ms early. The times are milliseconds of the
// wall clock at each tick, counted from the start.
TEST(Clock, NeitherLagsNorRunsAheadOfTheSecondsThatPassed) {
    const struct {
        const char* why;
        std::vector<int> at;
        std::vector<int> shown;  // seconds after each tick
    } runs[] = {
        {"on time", {1000, 2000, 3000}, {1, 2, 3}},
        {"a little early or late", {1000, 1990, 3020, 3950}, {1, 2, 3, 4}},
        {"too early to count", {940, 1000, 1930, 2000}, {0, 1, 1, 2}},
        {"ticks in between", {50, 500, 1000, 1500, 2000}, {0, 0, 1, 1, 2}},
        {"a tick lost", {1000, 3000, 4000}, {1, 3, 4}},
        {"the process stopped for 5 s", {1000, 2000, 8000, 9000}, {1, 2, 8, 9}},
        {"the late ticks then come at once", {1000, 7000, 7001, 7002, 8000}, {1, 7, 7, 7, 8}},
        {"starved: a tick every 1.7 s", {1000, 2700, 4400, 6100}, {1, 2, 4, 6}},
        {"past a minute at once", {1000, 71000}, {1, 71}},
    };
    for (const auto& r : runs) {
        Time t;
        Presenter v([&t] { return t; });
        std::vector<int> shown;
        for (const int ms : r.at) {
            t = Time(std::chrono::milliseconds(ms));
            v.tick(6);  // Timer7
            shown.push_back(v.game().clock.minutes * 60 + v.game().clock.seconds);
        }
        EXPECT_EQ(shown, r.shown) << r.why;
    }
    // Caught up second by second, so the captions roll over the minute as the ticks would.
    using std::chrono::milliseconds;
    Time t;
    Presenter v([&t] { return t; });
    t += std::chrono::seconds(125);
    v.tick(6);
    EXPECT_EQ(v.game().clock.minutesCaption + ":" + v.game().clock.secondsCaption, "2:5");
    EXPECT_EQ(clockValue(v.game()), "2 мин 5 с");
    // Stopped, the clock counts nothing; a new game starts it afresh, and a tick that
    // comes before a second has passed shows nothing yet.
    choose(v, "GameStop", true);
    t += std::chrono::seconds(100);
    v.tick(6);
    EXPECT_EQ(clockValue(v.game()), "0 мин 0 с");
    choose(v, "GameNew");
    const Time started = t;
    const auto at = [&](int ms) {
        t = started + milliseconds(ms);
        v.tick(6);
        return clockValue(v.game());
    };
    EXPECT_EQ(at(50), "0 мин 0 с");
    EXPECT_EQ(at(900), "0 мин 0 с");
    EXPECT_EQ(at(1000), "0 мин 1 с");
    EXPECT_EQ(at(3000), "0 мин 3 с");
    // A loaded pattern restarts the clock at its next second, not at a tick in between.
    t += milliseconds(300);
    choose(v, "LoadDem1");
    EXPECT_EQ(at(3350), "0 мин 3 с");
    EXPECT_EQ(at(4000), "0 мин 1 с");
    EXPECT_EQ(at(44000), "0 мин 41 с");
}

// What a front end redraws and sets: everything at first, then exactly what the
// player could see or hear change with each input, in the order it is set, and nothing
// for an input that changes nothing.
TEST(Changes, AFrontEndRedrawsAndSetsWhatChangedAndNothingElse) {
    std::vector<Changes> drawn;
    Time t;
    Presenter v([&t] { return t; });
    v.attach([&](const Changes& c) { drawn.push_back(c); });
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_TRUE(drawn[0].cells.all() && drawn[0].segments.all() && drawn[0].timers.all() &&
                drawn[0].entries.all());
    EXPECT_EQ(updates(v.game(), v.marker(), drawn[0]).size(),
              13 + 1 + 3 + 25 + 3 + 21 + 7u)  // segments, cover, captions, cells, spoken,
        << "everything";                      // commands, timers
    Changes c;
    const auto next = [&](const std::function<void()>& input) {
        const std::size_t before = drawn.size();
        input();
        c = drawn.size() == before + 1 ? drawn.back() : Changes{};
        std::string out;
        for (const Update& u : updates(v.game(), v.marker(), c)) {
            static constexpr const char* kWhat[] = {"show", "caption", "pressed", "value",
                                                    "name", "focus",   "timer",   "entry"};
            out += std::string(out.empty() ? "" : " ") + kWhat[u.what] + " " +
                   (u.control                 ? std::string(u.control->name)
                    : u.what == Update::Timer ? std::string(layout::kTimers[u.index].name)
                    : u.what == Update::Entry ? std::string(layout::kMenus[u.index].name)
                                              : "-") +
                   (u.text.empty() ? (u.on ? "" : " off") : " " + u.text);
        }
        return out;
    };
    t += std::chrono::seconds(1);
    EXPECT_EQ(next([&] { v.tick(6); }), "caption Label3 1 value Time 0 мин 1 с");
    EXPECT_FALSE(c.cells.any());
    EXPECT_EQ(next([&] { v.key(Key::Other); }), "") << "changes nothing, draws nothing";
    EXPECT_FALSE(c.any());

    EXPECT_EQ(next([&] {
                  v.press({1, 1});
              }),
              "show pro1 pressed rc_1_1 pressed rc_1_2 pressed rc_2_1 value Process 1");
    EXPECT_EQ(c.cells.to_ulong(), 0b100011u) << "rc_1_1, rc_1_2 and rc_2_1";
    EXPECT_FALSE(c.icon);

    // Timer1 shows the first frame, already shown, and hands over to Timer2.
    EXPECT_EQ(next([&] { v.tick(0); }), "timer Timer1 off timer Timer2");
    EXPECT_FALSE(c.icon || c.cells.any());

    EXPECT_EQ(next([&] { v.key(Key::Left); }), "focus rc_3_3") << "the marker appears";
    EXPECT_EQ(c.cells.to_ulong(), 1ul << 12);
    EXPECT_EQ(next([&] { v.key(Key::Up); }), "focus rc_2_3");
    EXPECT_EQ(next([&] { v.pointer(Pointer::Down, Button::Left, std::nullopt); }), "focus -")
        << "and goes";
    EXPECT_EQ(c.cells.to_ulong(), 1ul << 7);

    EXPECT_EQ(
        next([&] {
            const std::size_t before = drawn.size();
            v.choose(entry("GameStop"), [&](const Request&) {
                EXPECT_EQ(drawn.size(), before) << "the box is up, nothing changed yet";
                return true;
            });
        }),
        "show pro1 off show Image9 caption Stat 0 caption Label3 0 value Process 0 value Time "
        "0 мин 0 с name Picture1 "
        "игра остановлена, играть в неё нельзя entry GameNew entry GameStop off "
        "timer Timer2 off timer Timer7 off");
    EXPECT_TRUE(c.icon);
}

}  // namespace
}  // namespace brindle::view
