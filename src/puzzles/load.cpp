#include "puzzles/load.h"

namespace brindle {

Board boardOf(const Puzzle& puzzle) {
    Board b;
    for (int i = 0; i < kCellCount; ++i) {
        const Pos p = posOf(i);
        if (puzzle.rows[p.row - 1][p.col - 1] == 'X') {
            b.setLit(p);
        } else {
            b.setUnlit(p);
        }
    }
    return b;
}

void LoadPuzzle(Game& g, const Puzzle& puzzle) {
    g.clock.Stat = "0";
    g.clock.running = true;
    g.GameNew = true;
    g.GameStop = false;
    g.Image9 = false;
    halt(g.icon, kPuzzlePicture);
    g.cells = boardOf(puzzle);
    g.progress = Pro(g.cells);
}

}  // namespace brindle
