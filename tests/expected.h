// What every front end's test expects, written once: included by the C++ tests and read
// as text by the page's test (page_test.js), so keep each entry on its line as it is;
// and the clock the C++ tests play on.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "view/paint.h"
#include "view/presenter.h"

namespace brindle::expected {

// The stop box: its title, text and buttons.
inline constexpr char kStopTitle[] = "Brindle";
inline constexpr char kStopText[] = "Игра будет остановлена. Все данные будут стерты!\nПродолжить?";
inline constexpr char kStopOk[] = "ОК";
inline constexpr char kStopCancel[] = "Отмена";

// Layout pixels and the cell drawn on top there. Cells are 50 pixels on a 48-pixel
// pitch; where two overlap, a lower row lies on top, and within a row the right-hand
// cell, but column 1 lies over column 2.
struct Click {
    int x, y, row, col;
};
inline constexpr Click kClicks[] = {
    {24, 24, 1, 1},   {49, 24, 1, 1},   {50, 24, 1, 2},   {95, 24, 1, 2},   {96, 24, 1, 3},
    {97, 20, 1, 3},   {24, 47, 1, 1},   {24, 48, 2, 1},   {48, 100, 3, 1},  {49, 100, 3, 1},
    {120, 48, 2, 3},  {120, 49, 2, 3},  {48, 48, 2, 1},   {120, 120, 3, 3}, {143, 143, 3, 3},
    {144, 144, 4, 4}, {193, 192, 5, 5}, {193, 193, 5, 5}, {241, 120, 3, 5}, {241, 241, 5, 5},
};

// The wall clock of a game whose clock ticks, fired or real, all come on time: each
// reading is a second after the one before.
inline view::WallClock ticksOnTime() {
    auto t = std::make_shared<view::Time>();
    return [t] { return *t += std::chrono::seconds(1); };
}

// An empty board after one click on (row, col), as the tests write boards: X lit,
// . unlit, rows top first with / between. A click lights a plus: the cell and its
// neighbours above, below, left and right.
inline std::string plusOn(int row, int col) {
    std::string b = "...../...../...../...../.....";
    for (int r = 1; r <= 5; ++r) {
        for (int c = 1; c <= 5; ++c)
            if (std::abs(r - row) + std::abs(c - col) <= 1)
                b[std::size_t((r - 1) * 6 + c - 1)] = 'X';
    }
    return b;
}

// How many device pixels of a client area `width` x `height` at `scale`, read by `at`
// as 0xRRGGBB, differ from the shared layer's drawing of the game, the captions' boxes
// aside: their text is the toolkit's.
template <class At>
int offScene(int width, int height, double scale, const Game& g, const view::Marker& m, At at) {
    view::Raster want(width, height);
    want.draw(view::scene(g, m, scale), {0, 0, width, height});
    std::vector<view::Box> captions;
    for (const layout::Control& c : layout::kStatusControls) {
        if (c.kind == layout::Kind::Label || c.kind == layout::Kind::ClockLabel)
            captions.push_back(view::device(view::inWindow(c), scale));
    }
    int off = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool caption = std::any_of(captions.begin(), captions.end(),
                                             [&](const view::Box& b) { return b.contains(x, y); });
            off += !caption && std::uint32_t(at(x, y)) != want.at(x, y);
        }
    }
    return off;
}

}  // namespace brindle::expected
