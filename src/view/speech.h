// What screen readers are told about the main window, whatever the toolkit.
#pragma once

#include <array>
#include <string>

#include "board/progress.h"
#include "session/game.h"

namespace brindle::view {

// A cell is a toggle button named by its place, pressed exactly while it is lit.
std::string cellName(Pos p);
// Screen readers meet the cells as a sighted player reads the board, whatever their
// stacking: row by row, each left to right, rc_1_1 first.
inline constexpr std::array<Pos, kCellCount> kReadingOrder = [] {
    std::array<Pos, kCellCount> order{};
    for (int row = 1, i = 0; row <= kSide; ++row)
        for (int col = 1; col <= kSide; ++col)
            order[std::size_t(i++)] = {row, col};
    return order;
}();
bool cellPressed(const Game& g, Pos p);

// The bar is a progress indicator counting its shown segments.
inline constexpr int kBarMinimum = 0, kBarMaximum = kSegmentCount;
int barValue(const Game& g);

// The clock keeps its name; the time is its value, so that a screen reader does not
// announce a new name every second.
std::string clockValue(const Game& g);

// The game-state icon reads as the state it shows; nothing while the carriers spell none.
std::string stateText(const Game& g);

}  // namespace brindle::view
