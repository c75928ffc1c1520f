#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>

#include "boards.h"
#include "puzzles/load.h"
#include "session/game.h"

namespace brindle {
namespace {

using testing::picture;

const std::string kDarkPicture = "...../...../...../...../.....";

void ticks(Game& g, int n) {
    for (int i = 0; i < n; ++i)
        clockTick(g);
}

Game running() {
    Game g = startUp();
    press(g, {2, 2});
    ticks(g, 75);
    return g;
}
Game stopped() {
    Game g = running();
    stopGame(g);
    return g;
}
Game puzzleLoaded() {
    Game g = running();
    LoadPuzzle(g, PuzzleCatalogue[7]);
    return g;
}

TEST(Session, StartUpIsARunningGameOnADarkBoard) {
    const Game g = startUp();
    EXPECT_EQ(stateOf(g), GameState::Running);
    EXPECT_EQ(picture(g.cells), kDarkPicture);
    EXPECT_EQ(g.clock.Stat, "1");
    EXPECT_TRUE(g.icon.enabled[0]);
    EXPECT_EQ(g.icon.Picture1, Picture::Image1);
    EXPECT_EQ(g.progress.segments, 0);
}

enum class Command { NewGame, StopOk, Load };

struct Transition {
    const char* name;
    std::function<Game()> from;
    Command command;
    GameState to;
};

TEST(Session, TransitionTable) {
    const Transition table[] = {
        {"running, stop", running, Command::StopOk, GameState::Stopped},
        {"running, load", running, Command::Load, GameState::PuzzleLoaded},
        {"stopped, new game", stopped, Command::NewGame, GameState::Running},
        {"stopped, load", stopped, Command::Load, GameState::PuzzleLoaded},
        {"puzzle, new game", puzzleLoaded, Command::NewGame, GameState::Running},
        {"puzzle, load", puzzleLoaded, Command::Load, GameState::PuzzleLoaded},
    };
    for (const Transition& t : table) {
        Game g = t.from();
        switch (t.command) {
            case Command::NewGame:
                ASSERT_TRUE(g.GameNew) << t.name << ": New game must be on offer";
                newGame(g);
                break;
            case Command::StopOk:
                ASSERT_TRUE(g.GameStop) << t.name << ": Stop game must be on offer";
                stopGame(g);
                break;
            case Command::Load:
                LoadPuzzle(g, PuzzleCatalogue[3]);
                break;
        }
        EXPECT_EQ(stateOf(g), t.to) << t.name;
    }
    // The commands not on offer in each state.
    EXPECT_FALSE(running().GameNew);
    EXPECT_FALSE(stopped().GameStop);
    EXPECT_FALSE(puzzleLoaded().GameStop);
}

TEST(Session, ConfirmedStopCoversTheBoardAndHaltsEverything) {
    Game g = running();
    const Board board = g.cells;
    const Progress before = g.progress;
    stopGame(g);
    EXPECT_TRUE(g.Image9);
    EXPECT_EQ(g.cells, board) << "the cells keep their pictures under the cover";
    EXPECT_EQ(g.progress.segments, 0);
    EXPECT_EQ(g.progress.lit, before.lit) << "only a recount writes the lit count";
    EXPECT_EQ(g.clock.minutesCaption, "0");
    EXPECT_EQ(g.clock.secondsCaption, "0");
    EXPECT_EQ(g.clock.minutes, 1) << "the counts wait for the restart";
    EXPECT_EQ(g.clock.seconds, 15);
    EXPECT_EQ(g.clock.Stat, "0");
    EXPECT_FALSE(g.clock.running);
    EXPECT_EQ(enabledCount(g.icon), 0);
    EXPECT_EQ(g.icon.Picture1, kStoppedPicture);

    // The clock gets no ticks while stopped; the captions stay at 0:0.
    ticks(g, 5);
    EXPECT_EQ(g.clock.secondsCaption, "0");
}

TEST(Session, NewGameAfterALoadAndATickRunsTheClockOn) {
    Game g = puzzleLoaded();
    ticks(g, 70);
    newGame(g);
    EXPECT_EQ(picture(g.cells), kDarkPicture);
    ticks(g, 1);
    EXPECT_EQ(g.clock.minutesCaption, "1");
    EXPECT_EQ(g.clock.secondsCaption, "11");
}

TEST(Session, AClickOnANeitherCellStillRecounts) {
    Game g;  // the layout, before start-up gave the cells a picture
    g.cells.setLit({5, 5});
    click(g, {1, 1});
    EXPECT_EQ(picture(g.cells), "nnnnn/nnnnn/nnnnn/nnnnn/nnnnX");
    EXPECT_EQ(g.progress.lit, 1);
    EXPECT_EQ(g.progress.segments, 1);
}

}  // namespace
}  // namespace brindle
