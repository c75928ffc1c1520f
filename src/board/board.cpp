#include "board/board.h"

namespace brindle {

namespace {

void invert(Board& board, Pos p) {
    if (!onBoard(p)) return;
    if (board.isUnlit(p)) {
        board.setLit(p);
    } else if (board.isLit(p)) {
        board.setUnlit(p);
    }
}

}  // namespace

void play(Board& board, Pos p) {
    invert(board, p);
    invert(board, {p.row - 1, p.col});
    invert(board, {p.row + 1, p.col});
    invert(board, {p.row, p.col - 1});
    invert(board, {p.row, p.col + 1});
}

}  // namespace brindle
