// The move rule and the recount, told by the boards a player sees.
#include <gtest/gtest.h>

#include "board/progress.h"
#include "boards.h"
#include "session/game.h"

namespace brindle {
namespace {

using testing::boardFrom;
using testing::picture;

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

TEST(Board, ACellShowingNeitherPictureIsLeftAlone) {
    Board b = boardFrom({".....", "..n..", ".nX..", ".....", "....."});
    play(b, {3, 3});
    EXPECT_EQ(picture(b), "...../..n../.n.X./..X../.....");
    play(b, {2, 3});
    EXPECT_EQ(picture(b), "..X../.XnX./.nXX./..X../.....");
}

// The segment table as the player sees it: which lit counts share a segment count.
TEST(Progress, EachLitCountShowsItsSegments) {
    const struct {
        int fromLit, toLit, segments;
    } rows[] = {{0, 0, 0},    {1, 3, 1},    {4, 5, 2},    {6, 7, 3},   {8, 9, 4},
                {10, 11, 5},  {12, 13, 6},  {14, 15, 7},  {16, 17, 8}, {18, 19, 9},
                {20, 21, 10}, {22, 23, 11}, {24, 24, 12}, {25, 25, 13}};
    for (const auto& row : rows) {
        for (int n = row.fromLit; n <= row.toLit; ++n)
            EXPECT_EQ(segmentsFor(n), row.segments) << "lit count " << n;
    }
    EXPECT_EQ(segmentsFor(-1), 0);
    EXPECT_EQ(segmentsFor(26), kSegmentCount);
}

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
    // A click on a cell showing neither picture still recounts.
    Game g;  // the layout, before start-up gave the cells a picture
    g.cells.setLit({5, 5});
    click(g, {1, 1});
    EXPECT_EQ(picture(g.cells), "nnnnn/nnnnn/nnnnn/nnnnn/nnnnX");
    EXPECT_EQ(g.progress.lit, 1);
}

}  // namespace
}  // namespace brindle
