#include "web/art.h"

namespace brindle::web {

const pictures::PixelData& pictureOf(layout::Art art) {
    using layout::Art;
    switch (art) {
        case Art::Lit:
            return pictures::kYellow;
        case Art::Cover:
            return pictures::kCover;
        case Art::Segment:
            return pictures::kSegment;
        case Art::Frame1:
            return pictures::kFrame1;
        case Art::Frame2:
            return pictures::kFrame2;
        case Art::Frame3:
            return pictures::kFrame3;
        case Art::Frame4:
            return pictures::kFrame4;
        case Art::Frame5:
            return pictures::kFrame5;
        case Art::Frame6:
            return pictures::kFrame6;
        case Art::Stopped:
            return pictures::kStopped;
        case Art::Puzzle:
            return pictures::kPuzzle;
        case Art::ProgramIcon:
            return pictures::kIcon48;
        default:
            return pictures::kWhite;
    }
}

}  // namespace brindle::web
