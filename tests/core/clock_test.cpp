#include <gtest/gtest.h>

#include <string>

#include "session/clock.h"

namespace brindle {
namespace {

Clock ticked(int ticks, Clock c = {}) {
    for (int i = 0; i < ticks; ++i)
        tick(c);
    return c;
}

struct Reading {
    int ticks;
    const char* minutes;
    const char* seconds;
};

TEST(Clock, CountsMinutesAndSecondsFromStartUp) {
    const Reading readings[] = {
        {0, "0", "0"},  {1, "0", "1"},    {59, "0", "59"}, {60, "1", "0"},    {61, "1", "1"},
        {65, "1", "5"}, {119, "1", "59"}, {120, "2", "0"}, {3600, "60", "0"}, {3661, "61", "1"}};
    for (const Reading& r : readings) {
        const Clock c = ticked(r.ticks);
        EXPECT_EQ(c.minutesCaption, r.minutes) << r.ticks << " ticks";
        EXPECT_EQ(c.secondsCaption, r.seconds) << r.ticks << " ticks";
        EXPECT_EQ(c.minutes * 60 + c.seconds, r.ticks);
        EXPECT_EQ(c.Stat, "1");
    }
}

TEST(Clock, RestartFlagZeroesTheCountAtTheNextTick) {
    Clock c = ticked(3 * 60 + 10);
    c.Stat = "0";
    EXPECT_EQ(c.minutesCaption, "3") << "the flag alone changes no caption";
    tick(c);
    EXPECT_EQ(c.minutesCaption, "0");
    EXPECT_EQ(c.secondsCaption, "1");
    EXPECT_EQ(c.Stat, "1");
    tick(c);
    EXPECT_EQ(c.secondsCaption, "2");
}

TEST(Clock, OnlyTheExactTextZeroRestarts) {
    for (const char* flag : {"1", "", " 0", "00", "O", "0 "}) {
        Clock c = ticked(75);
        c.Stat = flag;
        tick(c);
        EXPECT_EQ(c.minutesCaption, "1") << '"' << flag << '"';
        EXPECT_EQ(c.secondsCaption, "16") << '"' << flag << '"';
        EXPECT_EQ(c.Stat, flag);
    }
}

TEST(Clock, AHaltedClockIgnoresTicks) {
    Clock c = ticked(42);
    c.running = false;
    const Clock before = c;
    tick(c);
    EXPECT_EQ(c, before);
}

TEST(Clock, ReachesTheLimitTickByTick) {
    // The whole range, as a game left running for 22 days would see it.
    Clock c;
    const long total = long{kMaxMinutes} * 60 + 59;
    for (long i = 0; i < total + 100; ++i)
        tick(c);
    EXPECT_EQ(c.minutesCaption, std::to_string(kMaxMinutes));
    EXPECT_EQ(c.secondsCaption, "59");
    EXPECT_EQ(c.minutes, kMaxMinutes);
    EXPECT_EQ(c.seconds, 59);
    // A stop or a load still restarts it from there.
    c.Stat = "0";
    tick(c);
    EXPECT_EQ(c.minutesCaption, "0");
    EXPECT_EQ(c.secondsCaption, "1");
}

}  // namespace
}  // namespace brindle
