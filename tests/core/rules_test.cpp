// The rules told by what the player sees: the move, the recount, the clock and the
// patterns of the Load menu. The random-play test covers how they combine.
#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "board/progress.h"
#include "puzzles/load.h"
#include "session/clock.h"
#include "session/game.h"

namespace brindle {
namespace {

// Boards written as pictures: five rows, X lit, . unlit, n neither.
Board boardFrom(const std::array<std::string_view, 5>& rows) {
    Board b;
    for (int r = 1; r <= kSide; ++r) {
        for (int c = 1; c <= kSide; ++c) {
            const char ch = rows[static_cast<std::size_t>(r - 1)][static_cast<std::size_t>(c - 1)];
            if (ch == 'X') b.setLit({r, c});
            if (ch == '.') b.setUnlit({r, c});  // anything else stays neither
        }
    }
    return b;
}

std::string picture(const Board& b) {
    std::string s;
    for (int r = 1; r <= kSide; ++r) {
        for (int c = 1; c <= kSide; ++c) {
            const Cell cell = b.at({r, c});
            s += cell == Cell::Lit ? 'X' : cell == Cell::Unlit ? '.' : 'n';
        }
        if (r < kSide) s += '/';
    }
    return s;
}

TEST(Board, AClickInvertsItsCellAndItsNeighboursOnTheBoard) {
    const struct {
        Pos click;
        const char* after;  // the dark board after the click
    } crosses[] = {
        {{1, 1}, "XX.../X..../...../...../....."}, {{1, 3}, ".XXX./..X../...../...../....."},
        {{1, 5}, "...XX/....X/...../...../....."}, {{2, 1}, "X..../XX.../X..../...../....."},
        {{2, 5}, "....X/...XX/....X/...../....."}, {{3, 3}, "...../..X../.XXX./..X../....."},
        {{4, 2}, "...../...../.X.../XXX../.X..."}, {{5, 1}, "...../...../...../X..../XX..."},
        {{5, 3}, "...../...../...../..X../.XXX."}, {{5, 5}, "...../...../...../....X/...XX"},
    };
    for (const auto& c : crosses) {
        Board b = Board::filled(Cell::Unlit);
        play(b, c.click);
        EXPECT_EQ(picture(b), c.after) << "rc_" << c.click.row << "_" << c.click.col;
    }
}

// The lit count and the segments the bar shows for it.
TEST(Progress, ProCountsTheLitPicturesWherever) {
    const struct {
        std::array<std::string_view, 5> rows;
        int lit, segments;
    } boards[] = {
        {{".....", ".....", ".....", ".....", "....."}, 0, 0},
        {{".....", ".....", ".....", ".....", "...XX"}, 2, 1},
        {{"XXXXX", "XXXXX", "XXnXX", "XXXXX", "XXXXX"}, 24, 12},
        {{"XXXXX", "XXXXX", "XXXXX", "XXXXX", "XXXXX"}, 25, 13},
        {{"nnnnn", "nnnnn", "nnnnn", "nnnnn", "nnnnX"}, 1, 1},
    };
    for (const auto& b : boards) {
        const Progress p = Pro(boardFrom(b.rows));
        EXPECT_EQ(p.lit, b.lit);
        EXPECT_EQ(p.segments, b.segments);
    }
}

// The clock where the random-play test does not reach: the end of the minutes count.
Clock ticked(long ticks, Clock c = {}) {
    for (long i = 0; i < ticks; ++i)
        tick(c);
    return c;
}

TEST(Clock, HoldsAtItsLimitUntilRestarted) {
    // The whole range, as a game left running for 22 days would see it.
    Clock c = ticked(32767L * 60 + 59 + 100);
    EXPECT_EQ(c.minutesCaption + ":" + c.secondsCaption, "32767:59");
    c.Stat = "0";
    tick(c);
    EXPECT_EQ(c.minutesCaption + ":" + c.secondsCaption, "0:1");
}

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
}

}  // namespace
}  // namespace brindle
