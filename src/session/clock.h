// The game clock: minutes and seconds counted by the ticks of Timer7.
#pragma once

#include <cstdint>
#include <string>

namespace brindle {

struct Clock {
    bool running = true;               // Timer7 enabled
    std::string Stat = "1";            // restart flag: "0" restarts at the next tick
    std::string minutesCaption = "0";  // Label1
    std::string secondsCaption = "0";  // Label3
    std::int16_t seconds = 0;
    std::int16_t minutes = 0;
    friend bool operator==(const Clock&, const Clock&) = default;
};

// The largest time the clock can show; at 32767:59 it stays there until restarted,
// since the minutes count cannot go further.
inline constexpr std::int16_t kMaxMinutes = 32767;

// One tick of Timer7. A halted clock gets no ticks, so a tick then changes nothing.
void tick(Clock& clock);

}  // namespace brindle
