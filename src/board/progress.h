// Pro: the recount of lit cells and the 13-segment progress bar that shows it.
#pragma once

#include <cstdint>

#include "board/board.h"

namespace brindle {

inline constexpr int kSegmentCount = 13;

// How many leading segments (pro1 .. proK) stand for a lit count of 0..25.
int segmentsFor(int litCount);

struct Progress {
    std::int16_t lit = 0;  // lit cells at the last recount
    int segments = 0;      // pro1 .. pro<segments> shown, the rest hidden
    friend bool operator==(const Progress&, const Progress&) = default;
};

// Recounts the board from scratch; only the result of the last call matters.
Progress Pro(const Board& board);

}  // namespace brindle
