#include <gtest/gtest.h>

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

// What the player can check from the outside, in menu order: the entry, the lit cells
// and the bar after loading, and how many clicks the pattern takes at the least.
const struct {
    const char *menuName, *caption;
    int lit, segments, fewestClicks;
} kEntries[] = {
    {"LoadFull", "Залитое поле", 25, 13, 0},  {"LoadDem1", "Чередование 1", 13, 6, 10},
    {"LoadDem2", "Чередование 2", 17, 8, 14}, {"LoadDem3", "Линия 1", 20, 10, 15},
    {"LoadDem4", "Линия 2", 20, 10, 15},      {"LoadDem5", "Диагональ 1", 5, 2, 10},
    {"LoadDem6", "Диагональ 2", 5, 2, 10},    {"LoadDem7", "Цель", 8, 4, 15},
    {"LoadDem8", "Точки", 4, 2, 15},          {"LoadDem9", "Квадрат 1", 17, 8, 14},
    {"LoadDem10", "Квадрат 2", 20, 10, 15},   {"LoadDem11", "Квадрат 3", 16, 8, 15},
    {"LoadDem12", "Ромб 1", 12, 6, 15},       {"LoadDem13", "Ромб 2", 17, 8, 14},
    {"LoadDem14", "Ромб 3", 16, 8, 9},        {"LoadDem15", "Рамка", 13, 6, 10},
};

TEST(Catalogue, EachEntryIsTheKnownPuzzle) {
    ASSERT_EQ(std::size(kEntries), PuzzleCatalogue.size());
    for (std::size_t i = 0; i < PuzzleCatalogue.size(); ++i) {
        const auto& e = kEntries[i];
        const Puzzle& p = PuzzleCatalogue[i];
        EXPECT_EQ(p.menuName, e.menuName);
        EXPECT_EQ(p.caption, e.caption);
        Game g = startUp();
        LoadPuzzle(g, p);
        EXPECT_EQ(g.progress.lit, e.lit) << e.menuName;
        EXPECT_EQ(g.progress.segments, e.segments) << e.menuName;
        EXPECT_EQ(fewestClicksToFull(g.cells), e.fewestClicks) << e.menuName;
    }
    // The solver itself: one click from full is one away; a single unlit corner lies
    // outside what clicks can reach.
    Board oneAway = Board::filled(Cell::Lit);
    play(oneAway, {3, 3});
    EXPECT_EQ(fewestClicksToFull(oneAway), 1);
    EXPECT_EQ(fewestClicksToFull(boardFrom({"XXXX.", "XXXXX", "XXXXX", "XXXXX", "XXXXX"})),
              std::nullopt);
}

TEST(Load, OverwritesEveryCellAndLeavesTheCaptionsToTheNextTick) {
    Game g;  // the layout: no cell shows either picture yet
    for (int i = 0; i < 75; ++i)
        clockTick(g);
    LoadPuzzle(g, PuzzleCatalogue[8]);
    EXPECT_EQ(picture(g.cells), "X...X/...../...../...../X...X");
    EXPECT_EQ(g.clock.minutesCaption + ":" + g.clock.secondsCaption, "1:15");
    clockTick(g);
    EXPECT_EQ(g.clock.minutesCaption + ":" + g.clock.secondsCaption, "0:1");
}

}  // namespace
}  // namespace brindle
