#include "web/frame.h"

#include <algorithm>
#include <cmath>

#include "web/art.h"

namespace brindle::web {

namespace {

// R, G, B, A bytes as one little-endian word.
std::uint32_t canvasWord(std::uint32_t rgb) {
    return 0xff000000u | (rgb & 0xff) << 16 | (rgb & 0xff00) | (rgb >> 16 & 0xff);
}

// A premultiplied ARGB pixel over an opaque background, as plain RGB.
std::uint32_t over(std::uint32_t argb, std::uint32_t background) {
    const std::uint32_t a = argb >> 24, keep = 255 - a;
    if (a == 255) return argb & 0xffffff;
    std::uint32_t out = 0;
    for (int shift : {16, 8, 0}) {
        const std::uint32_t c = (argb >> shift & 0xff) + ((background >> shift & 0xff) * keep + 127) / 255;
        out |= std::min(c, 255u) << shift;
    }
    return out;
}

view::Box joined(const view::Box& a, const view::Box& b) {
    if (a.width <= 0 || a.height <= 0) return b;
    if (b.width <= 0 || b.height <= 0) return a;
    const int left = std::min(a.left, b.left), top = std::min(a.top, b.top);
    return {left, top, std::max(a.right(), b.right()) - left, std::max(a.bottom(), b.bottom()) - top};
}

}  // namespace

Pixels::Pixels(int width, int height)
    : width_(width),
      height_(height),
      rgba_(std::size_t(width) * std::size_t(height)),
      clip_{0, 0, width, height} {}

view::Box Pixels::visible(const view::Box& box) const {
    const int left = std::max({0, box.left, clip_.left}), top = std::max({0, box.top, clip_.top});
    const int right = std::min({width_, box.right(), clip_.right()}),
              bottom = std::min({height_, box.bottom(), clip_.bottom()});
    return {left, top, std::max(0, right - left), std::max(0, bottom - top)};
}

void Pixels::fill(const view::Box& box, std::uint32_t rgb) {
    const std::uint32_t word = canvasWord(rgb);
    const view::Box v = visible(box);
    for (int y = v.top; y < v.bottom(); ++y) {
        for (int x = v.left; x < v.right(); ++x)
            rgba_[std::size_t(y) * std::size_t(width_) + std::size_t(x)] = word;
    }
}

void Pixels::picture(const view::Box& box, const pictures::PixelData& p, std::uint32_t background) {
    const view::Box v = visible(box);
    for (int y = v.top; y < v.bottom(); ++y) {
        const int py = (y - box.top) * p.height / box.height;
        if (box.width == p.width) {  // pixel for pixel, the usual case
            const std::uint32_t* from = p.pixels + std::size_t(py) * std::size_t(p.width);
            std::uint32_t* to = &rgba_[std::size_t(y) * std::size_t(width_)];
            for (int x = v.left; x < v.right(); ++x)
                to[x] = canvasWord(over(from[x - box.left], background));
            continue;
        }
        for (int x = v.left; x < v.right(); ++x) {
            const int px = (x - box.left) * p.width / box.width;
            const std::uint32_t argb = p.pixels[std::size_t(py) * std::size_t(p.width) + std::size_t(px)];
            rgba_[std::size_t(y) * std::size_t(width_) + std::size_t(x)] =
                canvasWord(over(argb, background));
        }
    }
}

void Pixels::sunken(view::Box b, int depth, int line) {
    const std::uint32_t colours[2][2] = {{kDark, kLight}, {kShadow, kMidlight}};
    for (int k = 0; k < depth; ++k) {
        const auto [dark, light] = colours[k];
        fill({b.left, b.top, b.width, line}, dark);
        fill({b.left, b.top, line, b.height}, dark);
        fill({b.left, b.bottom() - line, b.width, line}, light);
        fill({b.right() - line, b.top, line, b.height}, light);
        b = {b.left + line, b.top + line, b.width - 2 * line, b.height - 2 * line};
    }
}

int canvasPixels(int devicePixels, double scale) {
    for (int d = devicePixels; d < devicePixels + 64; ++d) {
        const double css64 = d / scale * 64;
        if (std::abs(css64 - std::round(css64)) < 1e-6) return d;
    }
    return devicePixels;
}

Frame::Frame(double scale)
    : scale_(scale),
      pixels_(canvasPixels(view::device(view::pixelBox(layout::kMainClient), scale).width, scale),
              canvasPixels(view::device(view::pixelBox(layout::kMainClient), scale).height, scale)) {
    pixels_.fill({0, 0, pixels_.width(), pixels_.height()}, kWindow);
    mark({0, 0, pixels_.width(), pixels_.height()});
}

void Frame::mark(const view::Box& b) {
    drawn_ = joined(drawn_, b);
}

view::Box Frame::takeDrawn() {
    return std::exchange(drawn_, view::Box{});
}

void Frame::drawGrid(const view::GridDrawing& d, const pictures::PixelData& picture) {
    if (d.asIs) {
        pixels_.picture(d.box, picture, kWindow);
        return;
    }
    // The picture's fill and line colours, its inside and its corner.
    pixels_.fill(d.box, over(picture.pixels[std::size_t(picture.width) + 1], kWindow));
    for (const view::Box& line : d.lines)
        pixels_.fill(line, over(picture.pixels[0], kWindow));
}

void Frame::drawCell(Pos p, const Game& g, const view::Marker& m) {
    drawGrid(view::cellDrawing(p, scale_), g.cells.isLit(p) ? pictures::kYellow : pictures::kWhite);
    if (m.shown && m.cell == p) {
        for (const view::Box& dot : view::markerDots(p, scale_))
            pixels_.fill(dot, kBlack);
    }
}

void Frame::draw(const view::Changes& c, const Game& g, const view::Marker& m) {
    if (g.Image9) {
        if (c.cover) {
            const view::GridDrawing d = view::coverDrawing(scale_);
            drawGrid(d, pictures::kCover);
            mark(d.box);
        }
    } else {
        // From the bottom of the stack up, so that every overlap shows the cell on top:
        // the whole board, or each changed cell's box.
        const bool all = c.cover || c.cells.all();
        for (int i = 0; i < (all ? 1 : kCellCount); ++i) {
            if (!all && !c.cells[std::size_t(i)]) continue;
            const view::Box box = all ? view::coverDrawing(scale_).box
                                      : view::cellDrawing(posOf(i), scale_).box;
            pixels_.clip(box);
            for (auto it = layout::kCellStacking.rbegin(); it != layout::kCellStacking.rend(); ++it) {
                // Only the cell and its neighbours reach into a cell's box.
                const Pos p = posOf(i);
                if (all || (std::abs(it->row - p.row) <= 1 && std::abs(it->col - p.col) <= 1))
                    drawCell(*it, g, m);
            }
            mark(box);
        }
        pixels_.clip({0, 0, pixels_.width(), pixels_.height()});
    }
    drawStrip(c, g);
}

void Frame::drawStrip(const view::Changes& c, const Game& g) {
    const bool all = c.segments.all() && c.icon && c.cover;  // the first drawing
    const auto box = [this](std::string_view name) {
        for (const layout::Control& k : layout::kStatusControls) {
            if (k.name == name) return view::device(view::inWindow(k), scale_);
        }
        return view::Box{};
    };
    const int line = view::frameLine(scale_);
    if (all) {
        const view::Box strip = view::device(view::pixelBox(layout::kMainClient), scale_);
        const view::Box board = view::device(view::pixelBox(layout::kMainControls[2]), scale_);
        pixels_.fill({0, board.bottom(), strip.width, strip.height - board.bottom()}, kWindow);
        pixels_.sunken(box("Picture1"), 2, line);
        pixels_.sunken(box("Time"), 1, line);
        mark({0, board.bottom(), strip.width, strip.height - board.bottom()});
    }
    if (all || c.segments.any()) {
        const view::Box panel = box("Process");
        pixels_.fill({panel.left + line, panel.top + line, panel.width - 2 * line,
                      panel.height - 2 * line},
                     kWindow);
        pixels_.sunken(panel, 1, line);
        for (int n = 1; n <= kSegmentCount; ++n) {
            if (view::shows(g, n))
                pixels_.picture(box("pro" + std::to_string(n)), pictures::kSegment, kWindow);
        }
        mark(panel);
    }
    if (all || c.icon) {
        const view::Box icon = box("Picture1"), inside = view::iconPicture(scale_);
        const view::Box at{icon.left + inside.left, icon.top + inside.top, inside.width,
                           inside.height};
        pixels_.picture(at, pictureOf(artOf(g.icon.Picture1)), kWindow);
        mark(at);
    }
}

}  // namespace brindle::web
