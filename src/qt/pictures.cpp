#include "qt/pictures.h"

#include <QImage>

#include "pictures/pixels.h"

namespace brindle::qt {

namespace {

QPixmap pixmap(const pictures::PixelData& d) {
    // The image only borrows the static pixels; the pixmap makes the one copy.
    const QImage image(reinterpret_cast<const uchar*>(d.pixels), d.width, d.height, d.width * 4,
                       QImage::Format_ARGB32_Premultiplied);
    return QPixmap::fromImage(image);
}

}  // namespace

const QPixmap& Pictures::cover() const {
    if (cover_.isNull()) cover_ = pixmap(pictures::kCover);
    return cover_;
}

QPixmap Pictures::of(layout::Art art) const {
    using layout::Art;
    switch (art) {
        case Art::Unlit:
            return white;
        case Art::Lit:
            return yellow;
        case Art::Cover:
            return cover();
        case Art::Segment:
            return segment;
        case Art::ProgramIcon:
            return programIcon.pixmap(programIcon.availableSizes().constLast(), 1.0);
        case Art::None:
            return {};
        default:
            return of(static_cast<Picture>(static_cast<int>(art) - static_cast<int>(Art::Frame1)));
    }
}

Pictures Pictures::load() {
    using namespace pictures;
    Pictures p;
    p.white = pixmap(kWhite);
    p.yellow = pixmap(kYellow);
    p.segment = pixmap(kSegment);
    const PixelData* frames[] = {&kFrame1, &kFrame2, &kFrame3,  &kFrame4,
                                 &kFrame5, &kFrame6, &kStopped, &kPuzzle};
    for (std::size_t i = 0; i < p.images.size(); ++i)
        p.images[i] = pixmap(*frames[i]);
    for (const PixelData* icon : {&kIcon16, &kIcon32, &kIcon48})
        p.programIcon.addPixmap(pixmap(*icon));
    return p;
}

}  // namespace brindle::qt
