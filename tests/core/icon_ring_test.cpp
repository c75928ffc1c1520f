#include <gtest/gtest.h>

#include <vector>

#include "session/icon_ring.h"

namespace brindle {
namespace {

// Fires whichever ring timer is enabled, as the event loop would.
int fireEnabled(IconRing& ring) {
    for (int n = 1; n <= kRingSize; ++n) {
        if (ring.enabled[static_cast<std::size_t>(n - 1)]) {
            tick(ring, n);
            return n;
        }
    }
    return 0;
}

TEST(IconRing, CyclesTheSixFramesEndlessly) {
    IconRing ring;
    start(ring);
    EXPECT_EQ(ring.Picture1, Picture::Image1) << "frame 1 from the layout until the first tick";
    std::vector<int> fired;
    std::vector<Picture> shown;
    for (int i = 0; i < 13; ++i) {
        fired.push_back(fireEnabled(ring));
        shown.push_back(ring.Picture1);
        EXPECT_EQ(enabledCount(ring), 1);
    }
    EXPECT_EQ(fired, (std::vector<int>{1, 2, 3, 4, 5, 6, 1, 2, 3, 4, 5, 6, 1}));
    EXPECT_EQ(shown, (std::vector<Picture>{Picture::Image1, Picture::Image2, Picture::Image3,
                                           Picture::Image4, Picture::Image5, Picture::Image6,
                                           Picture::Image1, Picture::Image2, Picture::Image3,
                                           Picture::Image4, Picture::Image5, Picture::Image6,
                                           Picture::Image1}));
}

TEST(IconRing, HaltMidPassShowsTheStillAtOnceAndNoMoreFrames) {
    for (Picture still : {kStoppedPicture, kPuzzlePicture}) {
        IconRing ring;
        start(ring);
        for (int i = 0; i < 3; ++i)
            fireEnabled(ring);
        halt(ring, still);
        EXPECT_EQ(ring.Picture1, still);
        EXPECT_EQ(enabledCount(ring), 0);
        EXPECT_EQ(fireEnabled(ring), 0);
        for (int n = 0; n <= kRingSize + 1; ++n)
            tick(ring, n);  // stray ticks, and ticks of no timer, change nothing
        EXPECT_EQ(ring.Picture1, still);
    }
}

TEST(IconRing, RestartKeepsTheStillUntilTheFirstTick) {
    IconRing ring;
    halt(ring, kStoppedPicture);
    start(ring);
    EXPECT_EQ(ring.Picture1, kStoppedPicture);
    EXPECT_EQ(fireEnabled(ring), 1);
    EXPECT_EQ(ring.Picture1, Picture::Image1);
}

}  // namespace
}  // namespace brindle
