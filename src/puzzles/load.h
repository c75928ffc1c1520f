// LoadPuzzle: puts a catalogue entry on the board and the game into the puzzle state.
#pragma once

#include "board/board.h"
#include "puzzles/catalogue.h"
#include "session/game.h"

namespace brindle {

// The entry's board, cell by cell; no move rule is involved.
Board boardOf(const Puzzle& puzzle);

// Never asks and never fails, whatever the state; the clock restarts at its next tick
// and its captions keep what they showed until then.
void LoadPuzzle(Game& g, const Puzzle& puzzle);

}  // namespace brindle
