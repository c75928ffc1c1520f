#include <gtest/gtest.h>
#include <rapidcheck.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "board/board.h"
#include "boards.h"

namespace brindle {
namespace {

using testing::boardFrom;
using testing::picture;

const Board kDark = Board::filled(Cell::Unlit);

struct CrossCase {
    Pos click;
    const char* after;  // the dark board after the click
};

class Cross : public ::testing::TestWithParam<CrossCase> {};

TEST_P(Cross, InvertsExactlyTheCellAndItsOrthogonalNeighbours) {
    Board b = kDark;
    play(b, GetParam().click);
    EXPECT_EQ(picture(b), GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(Board, Cross,
                         ::testing::Values(CrossCase{{1, 1}, "XX.../X..../...../...../....."},
                                           CrossCase{{1, 3}, ".XXX./..X../...../...../....."},
                                           CrossCase{{1, 5}, "...XX/....X/...../...../....."},
                                           CrossCase{{2, 1}, "X..../XX.../X..../...../....."},
                                           CrossCase{{2, 5}, "....X/...XX/....X/...../....."},
                                           CrossCase{{3, 3}, "...../..X../.XXX./..X../....."},
                                           CrossCase{{4, 2}, "...../...../.X.../XXX../.X..."},
                                           CrossCase{{5, 1}, "...../...../...../X..../XX..."},
                                           CrossCase{{5, 3}, "...../...../...../..X../.XXX."},
                                           CrossCase{{5, 5}, "...../...../...../....X/...XX"}),
                         [](const auto& info) {
                             return "rc_" + std::to_string(info.param.click.row) + "_" +
                                    std::to_string(info.param.click.col);
                         });

TEST(Board, ACellShowingNeitherPictureIsLeftAlone) {
    Board b = boardFrom({".....", "..n..", ".nX..", ".....", "....."});
    play(b, {3, 3});
    EXPECT_EQ(picture(b), "...../..n../.n.X./..X../.....");
    play(b, {2, 3});
    EXPECT_EQ(picture(b), "..X../.XnX./.nXX./..X../.....");
}

Board randomBoard() {
    const auto cells = *rc::gen::container<std::vector<int>>(kCellCount, rc::gen::inRange(0, 3));
    Board b;
    for (int i = 0; i < kCellCount; ++i)
        b.set(posOf(i), static_cast<Cell>(cells[static_cast<std::size_t>(i)]));
    return b;
}

Pos randomPos() {
    return posOf(*rc::gen::inRange(0, kCellCount));
}

TEST(Board, AMoveIsItsOwnInverse) {
    EXPECT_TRUE(rc::check([] {
        const Board before = randomBoard();
        const Pos p = randomPos();
        Board b = before;
        play(b, p);
        if (before.at(p) != Cell::Neither) RC_ASSERT(b.at(p) != before.at(p));
        play(b, p);
        RC_ASSERT(b == before);
    }));
}

TEST(Board, MovesCommute) {
    EXPECT_TRUE(rc::check([] {
        const Board start = randomBoard();
        auto clicks = *rc::gen::container<std::vector<int>>(rc::gen::inRange(0, kCellCount));
        Board inOrder = start;
        for (int i : clicks)
            play(inOrder, posOf(i));
        std::mt19937 shuffler(*rc::gen::arbitrary<unsigned>());
        std::shuffle(clicks.begin(), clicks.end(), shuffler);
        Board reordered = start;
        for (int i : clicks)
            play(reordered, posOf(i));
        RC_ASSERT(inOrder == reordered);
    }));
}

}  // namespace
}  // namespace brindle
