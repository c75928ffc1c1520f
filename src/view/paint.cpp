#include "view/paint.h"

#include <algorithm>
#include <string>

namespace brindle::view {

namespace {

// A premultiplied ARGB pixel over the window's grey, as plain RGB.
std::uint32_t overWindow(std::uint32_t argb) {
    const std::uint32_t a = argb >> 24, keep = 255 - a;
    if (a == 255) return argb & 0xffffff;
    std::uint32_t out = 0;
    for (int shift : {16, 8, 0}) {
        const std::uint32_t c =
            (argb >> shift & 0xff) + ((kWindow >> shift & 0xff) * keep + 127) / 255;
        out |= std::min(c, 255u) << shift;
    }
    return out;
}

// R, G, B, A bytes as one little-endian word.
std::uint32_t rgbaWord(std::uint32_t rgb) {
    return 0xff000000u | (rgb & 0xff) << 16 | (rgb & 0xff00) | (rgb >> 16 & 0xff);
}

Box onSurface(Box b, double scale, Point client) {
    b.left += client.x;
    b.top += client.y;
    return device(b, scale);
}

Box statusBox(std::string_view name, double scale, Point client) {
    for (const layout::Control& c : layout::kStatusControls) {
        if (c.name == name) return onSurface(inWindow(c), scale, client);
    }
    return {};
}

// A grid picture drawn pixel for pixel, or redrawn from its two colours: its inside and
// its corner.
void grid(std::vector<Paint>& out, const GridDrawing& d, layout::Art art) {
    if (d.asIs) {
        out.push_back({d.box, 0, art});
        return;
    }
    const pictures::PixelData& p = pictureOf(art);
    out.push_back({d.box, overWindow(p.pixels[std::size_t(p.width) + 1])});
    for (const Box& line : d.lines)
        out.push_back({line, overWindow(p.pixels[0])});
}

// A sunken frame, each line `line` pixels wide: dark above and left, light below and
// right, those running to the corners; a deep one has a second line inside.
void sunken(std::vector<Paint>& out, Box b, int depth, int line) {
    const std::uint32_t colours[2][2] = {{kEdgeDark, kEdgeLight}, {kEdgeShadow, kEdgeMidlight}};
    for (int k = 0; k < depth; ++k) {
        const auto [dark, light] = colours[k];
        out.push_back({{b.left, b.top, b.width, line}, dark});
        out.push_back({{b.left, b.top, line, b.height}, dark});
        out.push_back({{b.left, b.bottom() - line, b.width, line}, light});
        out.push_back({{b.right() - line, b.top, line, b.height}, light});
        b = {b.left + line, b.top + line, b.width - 2 * line, b.height - 2 * line};
    }
}

}  // namespace

const pictures::PixelData& pictureOf(layout::Art art) {
    using layout::Art;
    static const pictures::PixelData* const frames[] = {
        &pictures::kFrame1, &pictures::kFrame2, &pictures::kFrame3,  &pictures::kFrame4,
        &pictures::kFrame5, &pictures::kFrame6, &pictures::kStopped, &pictures::kPuzzle};
    switch (art) {
        case Art::Lit:
            return pictures::kYellow;
        case Art::Cover:
            return pictures::kCover;
        case Art::Segment:
            return pictures::kSegment;
        case Art::ProgramIcon:
            return pictures::kIcon48;
        case Art::None:
        case Art::Unlit:
            return pictures::kWhite;
        default:
            return *frames[static_cast<int>(art) - static_cast<int>(Art::Frame1)];
    }
}

std::vector<std::uint32_t> stretched(layout::Art art, int width, int height) {
    const pictures::PixelData& p = pictureOf(art);
    std::vector<std::uint32_t> out;
    out.reserve(std::size_t(std::max(0, width)) * std::size_t(std::max(0, height)));
    // Each device pixel takes the picture's pixel its top left corner falls in.
    for (int y = 0; y < height; ++y) {
        const std::size_t row = std::size_t(y * p.height / height) * std::size_t(p.width);
        for (int x = 0; x < width; ++x)
            out.push_back(overWindow(p.pixels[row + std::size_t(x * p.width / width)]));
    }
    return out;
}

Box clientArea(double scale, Point client) {
    return onSurface(pixelBox(layout::kMainClient), scale, client);
}

std::vector<Paint> scene(const Game& g, const Marker& m, double scale, Point client) {
    std::vector<Paint> out;
    out.push_back({clientArea(scale, client), kWindow});
    // From the bottom of the stack up, so that every overlap shows the cell on top.
    for (auto it = layout::kCellStacking.rbegin(); it != layout::kCellStacking.rend(); ++it) {
        grid(out, cellDrawing(*it, scale, client),
             g.cells.isLit(*it) ? layout::Art::Lit : layout::Art::Unlit);
        if (m.shown && m.cell == *it) {
            for (const Box& dot : markerDots(*it, scale, client))
                out.push_back({dot, kMarker});
        }
    }
    if (g.Image9) grid(out, coverDrawing(scale, client), layout::Art::Cover);
    const int line = frameLine(scale);
    sunken(out, statusBox("Picture1", scale, client), 2, line);
    sunken(out, statusBox("Time", scale, client), 1, line);
    sunken(out, statusBox("Process", scale, client), 1, line);
    for (int n = 1; n <= kSegmentCount; ++n) {
        if (shows(g, n))
            out.push_back(
                {statusBox("pro" + std::to_string(n), scale, client), 0, layout::Art::Segment});
    }
    out.push_back({iconPicture(scale, client), 0, artOf(g.icon.Picture1)});
    return out;
}

std::vector<Box> toRedraw(const Changes& c, double scale, Point client) {
    // Everything changed: the first drawing.
    if (c.cells.all() && c.segments.all() && c.cover && c.icon) return {clientArea(scale, client)};
    std::vector<Box> out;
    if (c.cover || c.cells.all()) {
        out.push_back(coverDrawing(scale, client).box);
    } else {
        for (int i = 0; i < kCellCount; ++i) {
            if (c.cells[std::size_t(i)]) out.push_back(cellDrawing(posOf(i), scale, client).box);
        }
    }
    if (c.segments.any()) out.push_back(statusBox("Process", scale, client));
    if (c.icon) out.push_back(statusBox("Picture1", scale, client));
    return out;
}

Raster::Raster(int width, int height)
    : width_(width),
      height_(height),
      rgba_(std::size_t(width) * std::size_t(height), rgbaWord(kWindow)),
      clip_{0, 0, width, height} {}

std::uint32_t Raster::at(int x, int y) const {
    const std::uint32_t w = rgba_[std::size_t(y) * std::size_t(width_) + std::size_t(x)];
    return (w & 0xff) << 16 | (w & 0xff00) | (w >> 16 & 0xff);
}

void Raster::draw(const std::vector<Paint>& steps, const Box& clip) {
    clip_ = clip;
    for (const Paint& s : steps) {
        if (s.art == layout::Art::None) {
            fill(s.box, s.rgb);
        } else {
            picture(s.box, s.art);
        }
    }
}

Box Raster::visible(const Box& box) const {
    const int left = std::max({0, box.left, clip_.left}), top = std::max({0, box.top, clip_.top});
    const int right = std::min({width_, box.right(), clip_.right()}),
              bottom = std::min({height_, box.bottom(), clip_.bottom()});
    return {left, top, std::max(0, right - left), std::max(0, bottom - top)};
}

void Raster::fill(const Box& box, std::uint32_t rgb) {
    const std::uint32_t word = rgbaWord(rgb);
    const Box v = visible(box);
    for (int y = v.top; y < v.bottom(); ++y)
        std::fill_n(&rgba_[std::size_t(y) * std::size_t(width_) + std::size_t(v.left)], v.width,
                    word);
}

void Raster::picture(const Box& box, layout::Art art) {
    const Box v = visible(box);
    if (v.width <= 0 || v.height <= 0) return;
    const std::vector<std::uint32_t> rgb = stretched(art, box.width, box.height);
    for (int y = v.top; y < v.bottom(); ++y) {
        for (int x = v.left; x < v.right(); ++x)
            rgba_[std::size_t(y) * std::size_t(width_) + std::size_t(x)] = rgbaWord(
                rgb[std::size_t(y - box.top) * std::size_t(box.width) + std::size_t(x - box.left)]);
    }
}

}  // namespace brindle::view
