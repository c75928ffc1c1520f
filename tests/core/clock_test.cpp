// The game clock where the random-play test does not reach: a restart flag other than
// "0" or "1", and the end of the minutes count.
#include <gtest/gtest.h>

#include <string>

#include "session/clock.h"

namespace brindle {
namespace {

Clock ticked(long ticks, Clock c = {}) {
    for (long i = 0; i < ticks; ++i)
        tick(c);
    return c;
}

TEST(Clock, OnlyTheExactTextZeroRestartsAtTheNextTick) {
    for (const char* flag : {"0", "1", "", " 0", "00", "O"}) {
        Clock c = ticked(75);
        c.Stat = flag;
        EXPECT_EQ(c.minutesCaption, "1") << "the flag alone changes no caption";
        tick(c);
        const bool restart = std::string(flag) == "0";
        EXPECT_EQ(c.minutesCaption + ":" + c.secondsCaption, restart ? "0:1" : "1:16") << flag;
        EXPECT_EQ(c.Stat, restart ? "1" : flag);
    }
}

TEST(Clock, HoldsAtItsLimitUntilRestarted) {
    // The whole range, as a game left running for 22 days would see it.
    Clock c = ticked(32767L * 60 + 59 + 100);
    EXPECT_EQ(c.minutesCaption + ":" + c.secondsCaption, "32767:59");
    c.Stat = "0";
    tick(c);
    EXPECT_EQ(c.minutesCaption + ":" + c.secondsCaption, "0:1");
}

}  // namespace
}  // namespace brindle
