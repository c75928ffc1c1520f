// The game-state icon: a ring of six 200 ms timers, each showing its frame and
// handing the turn to the next, or a still picture when the ring is halted.
#pragma once

#include <array>
#include <cstdint>

namespace brindle {

inline constexpr int kRingSize = 6;

// The pictures the icon can show, named after the hidden images that hold them.
enum class Picture : std::uint8_t {
    Image1,
    Image2,
    Image3,
    Image4,
    Image5,
    Image6,
    Image7,
    Image8
};
inline constexpr Picture kStoppedPicture = Picture::Image7;
inline constexpr Picture kPuzzlePicture = Picture::Image8;

constexpr Picture frame(int n) {
    return static_cast<Picture>(n - 1);
}  // n = 1..6

struct IconRing {
    std::array<bool, kRingSize> enabled{};  // Timer1 .. Timer6
    Picture Picture1 = Picture::Image1;
    friend bool operator==(const IconRing&, const IconRing&) = default;
};

// Enables Timer1. Only ever done with the whole ring disabled.
void start(IconRing& ring);
// Disables all six timers and shows a still picture.
void halt(IconRing& ring, Picture still);
// The tick of Timer<n>, n = 1..6. A disabled timer gets no ticks.
void tick(IconRing& ring, int n);

// How many ring timers are enabled; the ring keeps this at 0 or 1.
int enabledCount(const IconRing& ring);

}  // namespace brindle
