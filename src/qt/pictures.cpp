#include "qt/pictures.h"

#include <QImage>

#include "pictures/pixels.h"
#include "view/paint.h"

namespace brindle::qt {

namespace {

QPixmap pixmap(const pictures::PixelData& d) {
    // The image only borrows the static pixels; the pixmap makes the one copy.
    const QImage image(reinterpret_cast<const uchar*>(d.pixels), d.width, d.height, d.width * 4,
                       QImage::Format_ARGB32_Premultiplied);
    return QPixmap::fromImage(image);
}

}  // namespace

QPixmap pixmapOf(layout::Art art) {
    return pixmap(view::pictureOf(art));
}

QIcon programIcon() {
    QIcon icon;
    for (const pictures::PixelData* size :
         {&pictures::kIcon16, &pictures::kIcon32, &pictures::kIcon48})
        icon.addPixmap(pixmap(*size));
    return icon;
}

}  // namespace brindle::qt
