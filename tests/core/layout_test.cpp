// The layout tables checked against the rules they must obey, not against copies.
#include <gtest/gtest.h>

#include <string>

#include "layout/layout.h"

namespace brindle::layout {
namespace {

bool inside(const Rect& r, const Rect& box) {
    return r.left >= 0 && r.top >= 0 && r.left + r.width <= box.width &&
           r.top + r.height <= box.height;
}

// Which cell lies on top in each overlap strip is checked where it is played, by the
// click tables of the shared geometry and of each front end.
TEST(Layout, TheCellsStandInTheirStackingNamedByPlace) {
    std::vector<std::string> cells;
    for (const Control& c : kMainControls) {
        if (c.kind != Kind::Cell) continue;
        const Pos p = kCellStacking[cells.size()];
        EXPECT_EQ(c.index, indexOf(p));
        EXPECT_EQ(c.at, cellRect(p));
        cells.emplace_back(c.name);
    }
    ASSERT_EQ(cells.size(), std::size_t(kCellCount));
    EXPECT_EQ(cells.front(), "rc_5_5");
    EXPECT_EQ(cells.back(), "rc_1_2");
}

TEST(Layout, EveryControlLiesInsideItsContainer) {
    const Rect strip = kMainControls.front().at;
    for (const Control& c : kMainControls) {
        // The strip alone reaches 5 pixels below the client area, where nothing shows.
        const Rect seen =
            &c == &kMainControls.front() ? Rect{c.at.left, c.at.top, c.at.width, 300} : c.at;
        EXPECT_TRUE(inside(seen, kMainClient)) << c.name;
    }
    for (const Control& c : kStatusControls) {
        // The colon's label is taller than the strip; it is transparent, and its caption
        // sits at its top.
        const Rect seen = c.kind == Kind::Label ? Rect{c.at.left, c.at.top, c.at.width, 0} : c.at;
        EXPECT_TRUE(inside(seen, strip)) << c.name;
    }
    for (const InfoWindow& w : kInfoWindows) {
        for (const Control& c : w.controls) {
            if (c.kind != Kind::CloseArea) {
                EXPECT_TRUE(inside(c.at, w.client)) << w.name << " " << c.name;
            }
        }
    }
}

}  // namespace
}  // namespace brindle::layout
