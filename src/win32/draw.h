// Drawing the game's pictures, frames and texts with GDI, at any screen scale, by the
// same rules as the Qt front end: a control's box is its layout box with every edge
// rounded to device pixels; pictures are scaled without blending; the cells and the
// cover keep every grid line equally wide.
#pragma once

#include <windows.h>

#include <cmath>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "layout/layout.h"
#include "ui/picture_data.h"

namespace brindle::win32 {

// Text for the wide-character API.
std::wstring wide(std::string_view utf8);

// Layout pixels to device pixels at a scale of dpi / 96, rounded as Qt rounds.
inline int device(int px, double scale) {
    return static_cast<int>(std::floor(px * scale + 0.5));
}
// A box in layout pixels at `scale`, each edge rounded on its own.
inline RECT deviceRect(const RECT& px, double scale) {
    const int left = device(px.left, scale), top = device(px.top, scale);
    return {left, top, left + device(px.right - px.left, scale),
            top + device(px.bottom - px.top, scale)};
}
inline RECT pixelRect(const layout::Rect& r) {
    using layout::pixels;
    const int left = pixels(r.left), top = pixels(r.top);
    return {left, top, left + pixels(r.width), top + pixels(r.height)};
}

// A picture ready for GDI: its pixels with every transparent one replaced by the
// window colour, which is what it is always drawn over.
class Picture {
  public:
    Picture() = default;
    explicit Picture(const ui::pictures::PixelData& data);
    int width() const { return width_; }
    int height() const { return height_; }
    COLORREF at(int x, int y) const;
    // Draws it scaled to `to` (device pixels), nearest pixel.
    void draw(HDC dc, const RECT& to) const;
    // The grid pictures (cells, cover): one fill colour crossed by one-pixel lines at
    // `columns` and `rows`, drawn at `dc`'s origin. `origin` is where that lies in the
    // window, in layout pixels: lines are placed on the window's device pixels.
    void drawGrid(HDC dc, POINT origin, double scale, std::span<const int> columns,
                  std::span<const int> rows) const;

  private:
    int width_ = 0, height_ = 0;
    std::vector<std::uint32_t> pixels_;
    BITMAPINFO info_{};
};

// Every picture of the game.
struct Pictures {
    Picture white, yellow, cover, segment, icon48;
    Picture frames[8];  // Image1 .. Image8
    static Pictures load();
    const Picture* of(layout::Art art) const;
};

// The game's font: 8 points of Arial, whose metrics the layout's labels were sized for.
HFONT createFont(UINT dpi, int widthPercent = 100);

void fill(HDC dc, const RECT& r, COLORREF colour);
// A sunken edge `depth` lines deep (1 for the panels, 2 for the icon's box), each line
// `thickness` device pixels wide.
void sunkenEdge(HDC dc, RECT r, int depth, int thickness);

}  // namespace brindle::win32
