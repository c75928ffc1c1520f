// What the tests of every front end share: the clock they play on, and what they expect
// (expected.json, made into expected.h by expected.cmake).
#pragma once

#include <chrono>
#include <memory>
#include <string>

#include "expected.h"
#include "view/presenter.h"

namespace brindle::tests {

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
        for (int c = 1; c <= 5; ++c) {
            if ((r == row && c == col) || (r == row && (c == col - 1 || c == col + 1)) ||
                (c == col && (r == row - 1 || r == row + 1)))
                b[std::size_t((r - 1) * 6 + (c - 1))] = 'X';
        }
    }
    return b;
}

}  // namespace brindle::tests
