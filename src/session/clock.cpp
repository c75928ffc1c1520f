#include "session/clock.h"

namespace brindle {

void tick(Clock& c) {
    if (!c.running) return;
    if (c.Stat == "0") {
        c.Stat = "1";
        c.seconds = 0;
        c.minutes = 0;
        c.minutesCaption = "0";
    }
    // Rolling on past 32767 minutes would overflow the count; the clock holds at its
    // last time instead, which is still a true lower bound of the time played.
    if (c.minutes == kMaxMinutes && c.seconds == 59) return;
    ++c.seconds;
    c.secondsCaption = std::to_string(c.seconds);
    if (c.seconds == 60) {
        c.seconds = 0;
        c.secondsCaption = "0";
        ++c.minutes;
        c.minutesCaption = std::to_string(c.minutes);
    }
}

}  // namespace brindle
