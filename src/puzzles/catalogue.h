// The sixteen fixed start positions of the Load menu, in menu order.
#pragma once

#include <array>
#include <string_view>

namespace brindle {

struct Puzzle {
    std::string_view menuName;             // the menu entry's objectName
    std::string_view caption;              // its caption
    std::array<std::string_view, 5> rows;  // top to bottom; X lit, . unlit, columns 1..5
};

// LoadFull stands above the submenu LoadDem, which holds LoadDem1 .. LoadDem15 in order;
// so PuzzleCatalogue[n] is pattern n and PuzzleCatalogue[0] the full board.
inline constexpr std::array<Puzzle, 16> PuzzleCatalogue = {{
    {"LoadFull", "Залитое поле", {"XXXXX", "XXXXX", "XXXXX", "XXXXX", "XXXXX"}},
    {"LoadDem1", "Чередование 1", {"X.X.X", ".X.X.", "X.X.X", ".X.X.", "X.X.X"}},
    {"LoadDem2", "Чередование 2", {"X.X.X", "XX.XX", "X.X.X", "XX.XX", "X.X.X"}},
    {"LoadDem3", "Линия 1", {"XXXXX", "XXXXX", ".....", "XXXXX", "XXXXX"}},
    {"LoadDem4", "Линия 2", {"XX.XX", "XX.XX", "XX.XX", "XX.XX", "XX.XX"}},
    {"LoadDem5", "Диагональ 1", {"X....", ".X...", "..X..", "...X.", "....X"}},
    {"LoadDem6", "Диагональ 2", {"....X", "...X.", "..X..", ".X...", "X...."}},
    {"LoadDem7", "Цель", {"..X..", "..X..", "XX.XX", "..X..", "..X.."}},
    {"LoadDem8", "Точки", {"X...X", ".....", ".....", ".....", "X...X"}},
    {"LoadDem9", "Квадрат 1", {"XXXXX", "X...X", "X.X.X", "X...X", "XXXXX"}},
    {"LoadDem10", "Квадрат 2", {"XXXXX", "X.X.X", "XX.XX", "X.X.X", "XXXXX"}},
    {"LoadDem11", "Квадрат 3", {".XXX.", "X.X.X", "XX.XX", "X.X.X", ".XXX."}},
    {"LoadDem12", "Ромб 1", {"XX.XX", "X...X", ".....", "X...X", "XX.XX"}},
    {"LoadDem13", "Ромб 2", {"XX.XX", "X.X.X", ".XXX.", "X.X.X", "XX.XX"}},
    {"LoadDem14", "Ромб 3", {"XX.XX", "X.X.X", ".X.X.", "X.X.X", "XX.XX"}},
    {"LoadDem15", "Рамка", {"X...X", ".XXX.", ".XXX.", ".XXX.", "X...X"}},
}};

// Every row has five columns of X or '.'; a slip in the table stops the build.
constexpr bool wellFormed(const Puzzle& p) {
    for (std::string_view row : p.rows) {
        if (row.size() != 5) return false;
        for (char ch : row) {
            if (ch != 'X' && ch != '.') return false;
        }
    }
    return true;
}

constexpr bool allWellFormed() {
    for (const Puzzle& p : PuzzleCatalogue) {
        if (!wellFormed(p)) return false;
    }
    return true;
}
static_assert(allWellFormed());

}  // namespace brindle
