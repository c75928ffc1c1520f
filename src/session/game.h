// The game session: everything the main window shows, and the commands that change it.
//
// The state of the game has no variable of its own: running, stopped and puzzle loaded
// are combinations of the carriers below, each written by the commands that change it.
#pragma once

#include <optional>

#include "board/board.h"
#include "board/progress.h"
#include "session/clock.h"
#include "session/icon_ring.h"

namespace brindle {

struct Game {
    Board cells;           // rc_1_1 .. rc_5_5
    Progress progress;     // lit count and pro1 .. pro13
    bool GameNew = false;  // menu entry enabled
    bool GameStop = true;  // menu entry enabled
    bool Image9 = false;   // the board cover shown
    Clock clock;           // Timer7, Stat, Label1, Label3
    IconRing icon;         // Timer1 .. Timer6, Picture1
    friend bool operator==(const Game&, const Game&) = default;
};

// The window's load step, run once before the window is first shown: the icon starts
// and every cell is set unlit; the rest of the running state is the layout's own.
Game startUp();

void newGame(Game& g);
// The stop the user confirmed; a cancelled stop changes nothing and has no command.
void stopGame(Game& g);
// The click handler of a cell: the move, then one recount.
void click(Game& g, Pos p);
// A press on the board from any source: the cover takes it while it is shown.
void press(Game& g, Pos p);

void clockTick(Game& g);
void ringTick(Game& g, int timer);

enum class GameState { Running, Stopped, PuzzleLoaded };
// Which state the carriers spell, or nothing if they match none of the three.
std::optional<GameState> stateOf(const Game& g);

}  // namespace brindle
