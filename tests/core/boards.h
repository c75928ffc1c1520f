// Boards written as pictures: five rows, X lit, . unlit, n neither.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "board/board.h"

namespace brindle::testing {

inline Board boardFrom(const std::array<std::string_view, 5>& rows) {
    Board b;
    for (int r = 1; r <= kSide; ++r) {
        for (int c = 1; c <= kSide; ++c) {
            const char ch = rows[static_cast<std::size_t>(r - 1)][static_cast<std::size_t>(c - 1)];
            if (ch == 'X') b.setLit({r, c});
            if (ch == '.') b.setUnlit({r, c});  // anything else stays neither
        }
    }
    return b;
}

inline std::string picture(const Board& b) {
    std::string s;
    for (int r = 1; r <= kSide; ++r) {
        for (int c = 1; c <= kSide; ++c) {
            const Cell cell = b.at({r, c});
            s += cell == Cell::Lit ? 'X' : cell == Cell::Unlit ? '.' : 'n';
        }
        if (r < kSide) s += '/';
    }
    return s;
}

}  // namespace brindle::testing
