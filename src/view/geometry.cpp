#include "view/geometry.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "layout/advances.h"

namespace brindle::view {

int device(int px, double scale) {
    return static_cast<int>(std::floor(px * scale + 0.5));
}

Box device(const Box& px, double scale) {
    return {device(px.left, scale), device(px.top, scale), device(px.width, scale),
            device(px.height, scale)};
}

Box pixelBox(const layout::Rect& r) {
    using layout::pixels;
    return {pixels(r.left), pixels(r.top), pixels(r.width), pixels(r.height)};
}

Box pixelBox(const layout::Control& c) {
    using layout::pixels;
    if (c.kind == layout::Kind::Line) {
        const int left = pixels(c.at.left);
        return {left, pixels(c.at.top), pixels(c.at.left + c.at.width) - left + 1, 1};
    }
    return pixelBox(c.at);
}

// The status strip heads the main controls, and the icon's box the strip's.
static_assert(layout::kMainControls.front().kind == layout::Kind::Strip);
static_assert(layout::kStatusControls.front().kind == layout::Kind::PictureBox);

Box inWindow(const layout::Control& statusControl) {
    const Box strip = pixelBox(layout::kMainControls.front());
    Box b = pixelBox(statusControl);
    b.left += strip.left;
    b.top += strip.top;
    return b;
}

namespace {
Box cellBox(Pos p, Point client) {
    Box b = pixelBox(layout::cellRect(p));
    b.left += client.x;
    b.top += client.y;
    return b;
}
}  // namespace

int pixelAt(double logical, double scale) {
    return static_cast<int>(std::floor(logical * scale));
}

Point wholePoint(double x, double y) {
    return {static_cast<int>(std::lround(x)), static_cast<int>(std::lround(y))};
}

namespace {
bool whole(double v) {
    return std::abs(v - std::round(v)) < 1e-6;
}
}  // namespace

int exactDevice(int device, double scale) {
    for (int d = device; d < device + 64; ++d) {
        if (whole(d / scale * 64)) return d;
    }
    return device;
}

double onDevicePixel(double logical, double scale) {
    for (double c = std::ceil(logical - 1e-6); c < logical + 64; ++c) {
        if (whole(c * scale)) return c;
    }
    return exactDevice(static_cast<int>(std::ceil(logical * scale - 1e-6)), scale) / scale;
}

double fittingZoom(double roomWidth, double roomHeight, int width, int height, double margin) {
    const double k =
        std::min({(roomWidth - 2 * margin) / width, (roomHeight - 2 * margin) / height, 3.0});
    return std::max(1.0, std::floor(k * 8) / 8);
}

std::optional<Pos> cellAt(int x, int y, double scale, Point client) {
    for (Pos p : layout::kCellStacking) {
        if (device(cellBox(p, client), scale).contains(x, y)) return p;
    }
    return std::nullopt;
}

GridDrawing gridDrawing(const Box& at, std::span<const int> columns, std::span<const int> rows,
                        double scale) {
    GridDrawing d;
    const Box box = d.box = device(at, scale);
    d.asIs = scale == std::floor(scale);
    if (d.asIs) return d;
    // A line is a whole number of device pixels, starting at the device pixel whose
    // centre its layout position covers.
    const int thickness = std::max(1, static_cast<int>(std::floor(scale)));
    const auto start = [scale](int px) { return static_cast<int>(std::ceil(px * scale - 0.5)); };
    for (int x : columns)
        d.lines.push_back({start(at.left + x), box.top, thickness, box.height});
    for (int y : rows)
        d.lines.push_back({box.left, start(at.top + y), box.width, thickness});
    return d;
}

GridDrawing cellDrawing(Pos p, double scale, Point client) {
    return gridDrawing(cellBox(p, client), layout::kCellLines, layout::kCellLines, scale);
}

GridDrawing coverDrawing(double scale, Point client) {
    static constexpr layout::GridLines kLines = layout::gridLines();
    return gridDrawing({client.x, client.y, layout::kBoardPixels, layout::kBoardPixels},
                       kLines.columns, kLines.rows, scale);
}

std::vector<Box> markerDots(Pos p, double scale, Point client) {
    // The cell lies 2 pixels under its right and lower neighbours.
    const Box cell = cellBox(p, client);
    const int overlap = layout::pixels(layout::kCellSize - layout::kCellPitch);
    const int in = layout::kMarkerInset, last = cell.width - in - 1 - overlap;
    const int line = frameLine(scale);
    const int x0 = device(cell.left + in, scale), x1 = device(cell.left + last, scale);
    const int y0 = device(cell.top + in, scale), y1 = device(cell.top + last, scale);
    std::vector<Box> dots;
    // Every other dot, as the desktop draws a focus rectangle.
    for (int x = x0; x <= x1; x += 2 * line) {
        dots.push_back({x, y0, line, line});
        dots.push_back({x, y1, line, line});
    }
    for (int y = y0; y <= y1; y += 2 * line) {
        dots.push_back({x0, y, line, line});
        dots.push_back({x1, y, line, line});
    }
    return dots;
}

Box iconPicture(double scale, Point client) {
    const int frame = layout::kIconFrame, size = layout::kIconPixels;
    const Box box = inWindow(layout::kStatusControls.front());
    const int left = client.x + box.left + frame, top = client.y + box.top + frame;
    return {device(left, scale), device(top, scale),
            device(left + size, scale) - device(left, scale),
            device(top + size, scale) - device(top, scale)};
}

int frameLine(double scale) {
    return std::max(1, static_cast<int>(std::floor(scale)));
}

double narrowing(double needed, int room) {
    // A caption takes whole pixels: a part of one is one more.
    const int whole = static_cast<int>(std::ceil(needed));
    return whole <= room || whole <= 0 ? 1.0 : double(room) / whole;
}

namespace {

// How far a character advances, in the type's units; one the table lacks, as far as
// the widest it has, so that a line never runs over.
int advance(char32_t ch) {
    const auto& table = layout::kAdvances;
    const auto at = std::lower_bound(table.begin(), table.end(), ch,
                                     [](const layout::Advance& a, char32_t c) { return a.ch < c; });
    if (at != table.end() && at->ch == ch) return at->units;
    return std::max_element(table.begin(), table.end(),
                            [](auto& a, auto& b) { return a.units < b.units; })
        ->units;
}

// How much closer (less than nothing) or farther the type sets a pair of characters.
int kern(char32_t first, char32_t second) {
    const auto& table = layout::kKerns;
    const auto before = [](const layout::Kern& k, std::pair<char32_t, char32_t> p) {
        return std::pair{k.first, k.second} < p;
    };
    const auto at = std::lower_bound(table.begin(), table.end(), std::pair{first, second}, before);
    return at != table.end() && at->first == first && at->second == second ? at->units : 0;
}

// A UTF-8 text's width in the type's units.
long units(std::string_view utf8) {
    long sum = 0;
    char32_t previous = 0;
    for (std::size_t i = 0; i < utf8.size();) {
        const unsigned char lead = static_cast<unsigned char>(utf8[i]);
        const int length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t ch = length == 1 ? lead : lead & (0x7F >> length);
        for (int k = 1; k < length && i + k < utf8.size(); ++k)
            ch = ch << 6 | (utf8[i + k] & 0x3F);
        sum += advance(ch) + kern(previous, ch);
        previous = ch;
        i += length;
    }
    return sum;
}

}  // namespace

std::vector<std::string> lines(std::string_view text, int width) {
    // 8 points at 96 dots an inch, set as the desktops set them, at a whole 11 pixels; a
    // browser's 32/3 pixels are narrower, so what fits the one fits the other.
    const long room = long(width) * layout::kUnitsPerSize / 11;
    std::vector<std::string> out;
    for (std::size_t start = 0; start <= text.size();) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        const std::string_view paragraph = text.substr(start, end - start);
        std::string line;
        for (std::size_t w = 0; w < paragraph.size();) {
            const std::size_t space = std::min(paragraph.find(' ', w), paragraph.size());
            const std::string_view word = paragraph.substr(w, space - w);
            const std::string longer =
                line.empty() ? std::string(word) : line + ' ' + std::string(word);
            if (!line.empty() && units(longer) > room) {
                out.push_back(line);
                line = word;
            } else {
                line = longer;
            }
            w = space + 1;
        }
        out.push_back(line);
        start = end + 1;
    }
    return out;
}

std::string broken(std::string_view text, int width) {
    const std::vector<std::string> all = lines(text, width);
    std::string out = all.front();
    for (std::size_t i = 1; i < all.size(); ++i)
        out += '\n' + all[i];
    return out;
}

}  // namespace brindle::view
