#include <gtest/gtest.h>

#include "board/progress.h"
#include "boards.h"

namespace brindle {
namespace {

using testing::boardFrom;

// The segment table as the player sees it: which lit counts share a segment count.
struct Row {
    int fromLit, toLit, segments;
};
constexpr Row kRows[] = {{0, 0, 0},    {1, 3, 1},    {4, 5, 2},    {6, 7, 3},   {8, 9, 4},
                         {10, 11, 5},  {12, 13, 6},  {14, 15, 7},  {16, 17, 8}, {18, 19, 9},
                         {20, 21, 10}, {22, 23, 11}, {24, 24, 12}, {25, 25, 13}};

TEST(Progress, SegmentTableCoversEveryCountOnce) {
    int next = 0;
    for (const Row& row : kRows) {
        EXPECT_EQ(row.fromLit, next);
        for (int n = row.fromLit; n <= row.toLit; ++n) {
            EXPECT_EQ(segmentsFor(n), row.segments) << "lit count " << n;
        }
        next = row.toLit + 1;
    }
    EXPECT_EQ(next, kCellCount + 1);
}

TEST(Progress, ProCountsTheBoardItSees) {
    // Boards with the lit cells in different places; Pro counts by picture, not position.
    struct Case {
        std::array<std::string_view, 5> rows;
        int lit;
        int segments;
    };
    const Case cases[] = {
        {{".....", ".....", ".....", ".....", "....."}, 0, 0},
        {{"X....", ".....", ".....", ".....", "....."}, 1, 1},
        {{".....", ".....", ".....", ".....", "...XX"}, 2, 1},
        {{".....", "..X..", ".XXX.", "..X..", "....."}, 5, 2},
        {{"XXXXX", "XXXXX", "XXXXX", "XXXXX", "XXXX."}, 24, 12},
        {{"XXXXX", "XXXXX", "XXXXX", "XXXXX", "XXXXX"}, 25, 13},
        // Cells that show neither picture are not counted.
        {{"nnnnn", "nnnnn", "nnnnn", "nnnnn", "nnnnn"}, 0, 0},
        {{"XXXXX", "XXXXX", "XXnXX", "XXXXX", "XXXXX"}, 24, 12},
        {{"XnXnX", ".....", ".....", ".....", "....."}, 3, 1},
    };
    for (const Case& c : cases) {
        const Progress p = Pro(boardFrom(c.rows));
        EXPECT_EQ(p.lit, c.lit) << testing::picture(boardFrom(c.rows));
        EXPECT_EQ(p.segments, c.segments) << testing::picture(boardFrom(c.rows));
    }
}

TEST(Progress, OutOfRangeCountsStayWithinTheBar) {
    EXPECT_EQ(segmentsFor(-1), 0);
    EXPECT_EQ(segmentsFor(26), kSegmentCount);
}

}  // namespace
}  // namespace brindle
