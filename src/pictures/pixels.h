// The game's pictures as plain premultiplied ARGB pixels, decoded from the files beside
// this header when the program is built. Every front end draws from these.
#pragma once

#include <cstdint>

namespace brindle::pictures {

struct PixelData {
    int width;
    int height;
    const std::uint32_t* pixels;  // row by row, top row first
};

extern const PixelData kWhite, kYellow, kCover, kSegment;
extern const PixelData kFrame1, kFrame2, kFrame3, kFrame4, kFrame5, kFrame6;
extern const PixelData kStopped, kPuzzle;
extern const PixelData kIcon48, kIcon32, kIcon16;

}  // namespace brindle::pictures
