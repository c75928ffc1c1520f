#include "ui/pictures.h"

namespace brindle::ui {

Pictures Pictures::load() {
    Pictures p;
    p.white = QPixmap(":/white.bmp");
    p.yellow = QPixmap(":/yellow.bmp");
    p.cover = QPixmap(":/cover.bmp");
    p.segment = QPixmap(":/segment.bmp");
    const char* const names[] = {":/frame1.gif", ":/frame2.gif", ":/frame3.gif",  ":/frame4.gif",
                                 ":/frame5.gif", ":/frame6.gif", ":/stopped.gif", ":/puzzle.gif"};
    for (std::size_t i = 0; i < p.images.size(); ++i)
        p.images[i] = QPixmap(names[i]);
    p.programIcon = QIcon(":/brindle.ico");
    return p;
}

}  // namespace brindle::ui
