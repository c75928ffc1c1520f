// What the main window's client area shows, decided once for every front end: fills
// and pictures in its device pixels, bottom first, and where to draw again after a
// change. A front end carries them out with its toolkit, then writes the captions
// (Label1, Label3) over them in its own font.
#pragma once

#include <cstdint>
#include <vector>

#include "layout/layout.h"
#include "pictures/pixels.h"
#include "view/geometry.h"
#include "view/presenter.h"

namespace brindle::view {

// The colours, as 0xRRGGBB: the window's grey; a sunken frame's lines, dark above and
// left and light below and right, and inside a deep frame shadow and midlight; the
// marker's dots.
inline constexpr std::uint32_t kWindow = 0xefefef, kEdgeDark = 0x9f9f9f, kEdgeLight = 0xffffff,
                               kEdgeShadow = 0x767676, kEdgeMidlight = 0xcacaca, kMarker = 0;

// One step: fill the box with a colour or, with an art, put that picture in it, each
// device pixel taking the picture's pixel nearest its place, transparent ones kWindow.
struct Paint {
    Box box;
    std::uint32_t rgb = 0;
    layout::Art art = layout::Art::None;
    friend bool operator==(const Paint&, const Paint&) = default;
};

const pictures::PixelData& pictureOf(layout::Art art);
// The picture stretched over width x height device pixels, as 0xRRGGBB row by row.
std::vector<std::uint32_t> stretched(layout::Art art, int width, int height);
// The picture Picture1 shows for the icon's Image1 .. Image8.
constexpr layout::Art artOf(Picture p) {
    return layout::artOf(static_cast<int>(p) + 1);
}

// Boxes are in device pixels of the surface drawn on, where the client area lies at
// `client` layout pixels (below a menu bar, say); each edge is rounded where it lies
// there.

// The client area at `scale`.
Box clientArea(double scale, Point client = {});
// Everything the client area shows, bottom first; every device pixel is covered.
std::vector<Paint> scene(const Game& g, const Marker& m, double scale, Point client = {});
// Where to draw again once `c` changed: the scene drawn clipped to these shows it.
std::vector<Box> toRedraw(const Changes& c, double scale, Point client = {});

// Pixels in memory that a scene is drawn into, as R, G, B, A bytes: the page's canvas,
// and what the tests hold every front end to.
class Raster {
  public:
    Raster(int width, int height);  // all kWindow
    int width() const { return width_; }
    int height() const { return height_; }
    const std::uint8_t* bytes() const {
        return reinterpret_cast<const std::uint8_t*>(rgba_.data());
    }
    std::uint32_t at(int x, int y) const;  // 0xRRGGBB
    // The steps that reach into `clip`, drawn inside it.
    void draw(const std::vector<Paint>& steps, const Box& clip);

  private:
    void fill(const Box& box, std::uint32_t rgb);
    void picture(const Box& box, layout::Art art);
    Box visible(const Box& box) const;

    int width_, height_;
    std::vector<std::uint32_t> rgba_;
    Box clip_;
};

}  // namespace brindle::view
