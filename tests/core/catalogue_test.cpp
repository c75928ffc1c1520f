#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <optional>
#include <string>

#include "boards.h"
#include "puzzles/load.h"
#include "session/game.h"

namespace brindle {
namespace {

using testing::boardFrom;
using testing::picture;

// The fewest clicks that turn a board into the full board. Once the clicks of row 1
// are chosen, every later row is forced: a cell left unlit in row r can only be lit
// by the click just below it. So the 32 choices for row 1 give every solution.
std::optional<int> fewestClicksToFull(const Board& start) {
    std::optional<int> best;
    for (unsigned firstRow = 0; firstRow < 32; ++firstRow) {
        Board b = start;
        int clicks = 0;
        for (int c = 1; c <= kSide; ++c) {
            if (firstRow & (1u << (c - 1))) {
                play(b, {1, c});
                ++clicks;
            }
        }
        for (int r = 2; r <= kSide; ++r) {
            for (int c = 1; c <= kSide; ++c) {
                if (!b.isLit({r - 1, c})) {
                    play(b, {r, c});
                    ++clicks;
                }
            }
        }
        if (b == Board::filled(Cell::Lit) && (!best || clicks < *best)) best = clicks;
    }
    return best;
}

struct Entry {
    int index;  // PuzzleCatalogue[index]
    const char* menuName;
    const char* caption;
    int lit;
    int segments;
    int fewestClicks;
};

// What the player can check from the outside: lit cells, the bar after loading and
// how hard each pattern is.
constexpr Entry kEntries[] = {
    {0, "LoadFull", "Залитое поле", 25, 13, 0},  {1, "LoadDem1", "Чередование 1", 13, 6, 10},
    {2, "LoadDem2", "Чередование 2", 17, 8, 14}, {3, "LoadDem3", "Линия 1", 20, 10, 15},
    {4, "LoadDem4", "Линия 2", 20, 10, 15},      {5, "LoadDem5", "Диагональ 1", 5, 2, 10},
    {6, "LoadDem6", "Диагональ 2", 5, 2, 10},    {7, "LoadDem7", "Цель", 8, 4, 15},
    {8, "LoadDem8", "Точки", 4, 2, 15},          {9, "LoadDem9", "Квадрат 1", 17, 8, 14},
    {10, "LoadDem10", "Квадрат 2", 20, 10, 15},  {11, "LoadDem11", "Квадрат 3", 16, 8, 15},
    {12, "LoadDem12", "Ромб 1", 12, 6, 15},      {13, "LoadDem13", "Ромб 2", 17, 8, 14},
    {14, "LoadDem14", "Ромб 3", 16, 8, 9},       {15, "LoadDem15", "Рамка", 13, 6, 10},
};

TEST(Catalogue, EachEntryIsTheKnownPuzzle) {
    ASSERT_EQ(std::size(kEntries), PuzzleCatalogue.size());
    for (const Entry& e : kEntries) {
        const Puzzle& p = PuzzleCatalogue[static_cast<std::size_t>(e.index)];
        EXPECT_EQ(p.menuName, e.menuName);
        EXPECT_EQ(p.caption, e.caption);
        Game g = startUp();
        LoadPuzzle(g, p);
        EXPECT_EQ(g.progress.lit, e.lit) << e.menuName;
        EXPECT_EQ(g.progress.segments, e.segments) << e.menuName;
        EXPECT_EQ(fewestClicksToFull(g.cells), e.fewestClicks) << e.menuName;
    }
}

TEST(Catalogue, NoTwoEntriesAreTheSameBoard) {
    for (std::size_t i = 0; i < PuzzleCatalogue.size(); ++i) {
        for (std::size_t j = i + 1; j < PuzzleCatalogue.size(); ++j) {
            EXPECT_NE(boardOf(PuzzleCatalogue[i]), boardOf(PuzzleCatalogue[j])) << i << " " << j;
        }
    }
}

TEST(Catalogue, TheGivenNineClicksSolveRomb3) {
    Board b = boardOf(PuzzleCatalogue[14]);
    for (Pos p : {Pos{1, 3}, Pos{2, 2}, Pos{2, 4}, Pos{3, 1}, Pos{3, 3}, Pos{3, 5}, Pos{4, 2},
                  Pos{4, 4}, Pos{5, 3}}) {
        play(b, p);
    }
    EXPECT_EQ(b, Board::filled(Cell::Lit));
}

TEST(Catalogue, TheSolverFindsKnownDistances) {
    // Guards the solver itself: one click from full is one away, and an unsolvable
    // board (a single unlit corner is outside the reachable set) has no answer.
    Board oneAway = Board::filled(Cell::Lit);
    play(oneAway, {3, 3});
    EXPECT_EQ(fewestClicksToFull(oneAway), 1);
    EXPECT_EQ(fewestClicksToFull(boardFrom({"XXXX.", "XXXXX", "XXXXX", "XXXXX", "XXXXX"})),
              std::nullopt);
}

Game inState(int which) {
    Game g = startUp();
    if (which >= 1) stopGame(g);
    if (which == 2) LoadPuzzle(g, PuzzleCatalogue[5]);
    return g;
}

TEST(Load, FromEveryStateTwiceOverANeitherCell) {
    for (int from = 0; from < 3; ++from) {
        Game g = inState(from);
        g.cells.set({2, 2}, Cell::Neither);
        const std::string minutes = g.clock.minutesCaption;
        const std::string seconds = g.clock.secondsCaption;
        for (int time = 0; time < 2; ++time) {
            LoadPuzzle(g, PuzzleCatalogue[8]);
            EXPECT_EQ(picture(g.cells), "X...X/...../...../...../X...X") << from;
            EXPECT_EQ(stateOf(g), GameState::PuzzleLoaded) << from;
            EXPECT_EQ(g.icon.Picture1, kPuzzlePicture);
            EXPECT_EQ(g.clock.Stat, "0");
            EXPECT_EQ(g.progress.segments, 2);
            EXPECT_EQ(g.clock.minutesCaption, minutes) << "captions wait for the next tick";
            EXPECT_EQ(g.clock.secondsCaption, seconds);
        }
        clockTick(g);
        EXPECT_EQ(g.clock.minutesCaption, "0");
        EXPECT_EQ(g.clock.secondsCaption, "1");
        EXPECT_EQ(g.clock.Stat, "1");
    }
}

}  // namespace
}  // namespace brindle
