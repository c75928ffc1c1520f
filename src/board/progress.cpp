#include "board/progress.h"

#include <array>
#include <cstdint>

namespace brindle {

namespace {

// One segment from the first lit cell on, and the last one only for a full board;
// in between, one segment for every two lit cells.
constexpr std::array<std::int8_t, kCellCount + 1> kSegmentTable = {
    0,               // 0
    1,  1,  1,       // 1 .. 3
    2,  2,  3,  3,   // 4 .. 7
    4,  4,  5,  5,   // 8 .. 11
    6,  6,  7,  7,   // 12 .. 15
    8,  8,  9,  9,   // 16 .. 19
    10, 10, 11, 11,  // 20 .. 23
    12,              // 24
    13,              // 25
};

}  // namespace

int segmentsFor(int litCount) {
    if (litCount < 0) return 0;
    if (litCount > kCellCount) return kSegmentCount;
    return kSegmentTable[static_cast<std::size_t>(litCount)];
}

Progress Pro(const Board& board) {
    Progress p;
    for (int i = 0; i < kCellCount; ++i) {
        if (board.isLit(posOf(i))) ++p.lit;
    }
    p.segments = segmentsFor(p.lit);
    return p;
}

}  // namespace brindle
