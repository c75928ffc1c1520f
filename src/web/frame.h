// The main window's client area as the page's canvas shows it: device pixels drawn
// from the shared pictures and geometry, in the colours the desktop build draws with.
#pragma once

#include <cstdint>
#include <vector>

#include "pictures/pixels.h"
#include "view/geometry.h"
#include "view/presenter.h"

namespace brindle::web {

// The desktop palette the panels and the icon's box are drawn in, so that the page's
// pixels are the Qt build's.
inline constexpr std::uint32_t kWindow = 0xefefef, kDark = 0x9f9f9f, kLight = 0xffffff,
                               kShadow = 0x767676, kMidlight = 0xcacaca, kBlack = 0x000000;

// Pixels in the order a canvas takes them: R, G, B, A bytes.
class Pixels {
  public:
    Pixels(int width, int height);
    int width() const { return width_; }
    int height() const { return height_; }
    const std::uint8_t* data() const { return reinterpret_cast<const std::uint8_t*>(rgba_.data()); }

    void fill(const view::Box& box, std::uint32_t rgb);
    // The picture stretched over the box, nearest pixel; what it leaves transparent
    // shows `background`.
    void picture(const view::Box& box, const pictures::PixelData& p, std::uint32_t background);
    // Drawing touches only this box, until it is set again; all of it at first.
    void clip(const view::Box& box) { clip_ = box; }
    // A sunken edge `depth` lines deep, each `line` pixels wide: dark above and left,
    // light below and right, those running to the corners.
    void sunken(view::Box box, int depth, int line);

  private:
    view::Box visible(const view::Box& box) const;

    int width_, height_;
    std::vector<std::uint32_t> rgba_;
    view::Box clip_;
};

// The canvas's size for `devicePixels` of the client area: at least that, and such that
// its CSS size, devicePixels / scale, is exact in the 64ths of a pixel CSS counts in;
// otherwise the browser stretches the canvas by a hair and every pixel blurs.
int canvasPixels(int devicePixels, double scale);

class Frame {
  public:
    explicit Frame(double scale);
    const Pixels& pixels() const { return pixels_; }
    // Draws what changed, and grows the box that must be shown again to cover it.
    void draw(const view::Changes& c, const Game& g, const view::Marker& m);
    // The part drawn since the last call, in device pixels; empty if none.
    view::Box takeDrawn();

  private:
    void mark(const view::Box& b);
    void drawGrid(const view::GridDrawing& d, const pictures::PixelData& picture);
    void drawCell(Pos p, const Game& g, const view::Marker& m);
    void drawStrip(const view::Changes& c, const Game& g);

    double scale_;
    Pixels pixels_;
    view::Box drawn_;
};

}  // namespace brindle::web
