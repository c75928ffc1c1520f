// The 5 x 5 lamp board and the move rule.
#pragma once

#include <array>
#include <cstdint>

namespace brindle {

inline constexpr int kSide = 5;
inline constexpr int kCellCount = kSide * kSide;

// What a cell shows. Moves and the recount only know lit and unlit; a cell that shows
// neither picture is left alone by a move and is not counted. Only a board fresh from
// the window's layout has such cells, until start-up sets every one unlit.
enum class Cell : std::uint8_t { Neither, Unlit, Lit };

// Row and column, each 1..5; row 1 is the top row, column 1 the leftmost.
struct Pos {
    int row;
    int col;
    friend bool operator==(Pos, Pos) = default;
};

constexpr bool onBoard(Pos p) {
    return p.row >= 1 && p.row <= kSide && p.col >= 1 && p.col <= kSide;
}

// Row-major index, rc_1_1 first and rc_5_5 last.
constexpr int indexOf(Pos p) {
    return (p.row - 1) * kSide + (p.col - 1);
}
constexpr Pos posOf(int index) {
    return {index / kSide + 1, index % kSide + 1};
}

class Board {
  public:
    // Every cell shows neither picture, as the layout creates them.
    Board() { cells_.fill(Cell::Neither); }

    static Board filled(Cell c) {
        Board b;
        b.cells_.fill(c);
        return b;
    }

    Cell at(Pos p) const { return cells_[indexOf(p)]; }
    bool isLit(Pos p) const { return at(p) == Cell::Lit; }
    bool isUnlit(Pos p) const { return at(p) == Cell::Unlit; }
    void setLit(Pos p) { cells_[indexOf(p)] = Cell::Lit; }
    void setUnlit(Pos p) { cells_[indexOf(p)] = Cell::Unlit; }

    friend bool operator==(const Board&, const Board&) = default;

  private:
    std::array<Cell, kCellCount> cells_;
};

// The move of a click on p: inverts p and its orthogonal neighbours that lie on the
// board (no wrap-around, no diagonals). A cell that shows neither picture stays so.
void play(Board& board, Pos p);

}  // namespace brindle
