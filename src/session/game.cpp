#include "session/game.h"

namespace brindle {

namespace {

void clearBoard(Board& cells) {
    for (int i = 0; i < kCellCount; ++i)
        cells.setUnlit(posOf(i));
}

}  // namespace

Game startUp() {
    Game g;
    start(g.icon);
    clearBoard(g.cells);
    return g;
}

void newGame(Game& g) {
    g.clock.running = true;
    g.Image9 = false;
    start(g.icon);
    clearBoard(g.cells);
    g.progress.segments = 0;
    g.GameNew = false;
    g.GameStop = true;
}

void stopGame(Game& g) {
    halt(g.icon, kStoppedPicture);
    g.Image9 = true;
    g.GameStop = false;
    g.GameNew = true;
    g.clock.running = false;
    g.clock.minutesCaption = "0";
    g.clock.secondsCaption = "0";
    g.progress.segments = 0;
    g.clock.Stat = "0";
}

void click(Game& g, Pos p) {
    play(g.cells, p);
    g.progress = Pro(g.cells);
}

void press(Game& g, Pos p) {
    if (!g.Image9) click(g, p);
}

void clockTick(Game& g) {
    tick(g.clock);
}

void ringTick(Game& g, int timer) {
    tick(g.icon, timer);
}

std::optional<GameState> stateOf(const Game& g) {
    const int ring = enabledCount(g.icon);
    if (!g.GameNew && g.GameStop && g.clock.running && !g.Image9 && ring == 1) {
        return GameState::Running;
    }
    if (g.GameNew && !g.GameStop && !g.clock.running && g.Image9 && ring == 0 &&
        g.icon.Picture1 == kStoppedPicture && g.progress.segments == 0 && g.clock.Stat == "0" &&
        g.clock.minutesCaption == "0" && g.clock.secondsCaption == "0") {
        return GameState::Stopped;
    }
    if (g.GameNew && !g.GameStop && g.clock.running && !g.Image9 && ring == 0 &&
        g.icon.Picture1 == kPuzzlePicture) {
        return GameState::PuzzleLoaded;
    }
    return std::nullopt;
}

}  // namespace brindle
