// The game's three states and the commands that move between them. The random-play test
// checks every field after every event; this table is the readable summary.
#include <gtest/gtest.h>

#include <functional>

#include "boards.h"
#include "puzzles/load.h"
#include "session/game.h"

namespace brindle {
namespace {

TEST(Session, TransitionTable) {
    auto running = [] {
        Game g = startUp();
        press(g, {2, 2});
        return g;
    };
    auto stopped = [&] {
        Game g = running();
        stopGame(g);
        return g;
    };
    auto loaded = [&] {
        Game g = running();
        LoadPuzzle(g, PuzzleCatalogue[7]);
        return g;
    };
    auto stop = [](Game& g) {
        ASSERT_TRUE(g.GameStop) << "Stop game must be on offer";
        stopGame(g);
    };
    auto fresh = [](Game& g) {
        ASSERT_TRUE(g.GameNew) << "New game must be on offer";
        newGame(g);
    };
    auto load = [](Game& g) { LoadPuzzle(g, PuzzleCatalogue[3]); };
    const struct {
        const char* name;
        std::function<Game()> from;
        std::function<void(Game&)> command;
        GameState to;
    } table[] = {
        {"start-up", startUp, [](Game&) {}, GameState::Running},
        {"running, stop", running, stop, GameState::Stopped},
        {"running, load", running, load, GameState::PuzzleLoaded},
        {"stopped, new game", stopped, fresh, GameState::Running},
        {"stopped, load", stopped, load, GameState::PuzzleLoaded},
        {"puzzle, new game", loaded, fresh, GameState::Running},
        {"puzzle, load", loaded, load, GameState::PuzzleLoaded},
    };
    for (const auto& t : table) {
        Game g = t.from();
        t.command(g);
        EXPECT_EQ(stateOf(g), t.to) << t.name;
    }
    EXPECT_FALSE(running().GameNew);
    EXPECT_FALSE(stopped().GameStop);
    EXPECT_FALSE(loaded().GameStop);
    EXPECT_EQ(testing::picture(startUp().cells), "...../...../...../...../.....");
}

TEST(Session, AClickOnANeitherCellStillRecounts) {
    Game g;  // the layout, before start-up gave the cells a picture
    g.cells.setLit({5, 5});
    click(g, {1, 1});
    EXPECT_EQ(testing::picture(g.cells), "nnnnn/nnnnn/nnnnn/nnnnn/nnnnX");
    EXPECT_EQ(g.progress.lit, 1);
    EXPECT_EQ(g.progress.segments, 1);
}

}  // namespace
}  // namespace brindle
