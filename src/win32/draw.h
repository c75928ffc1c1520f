// Drawing the game's pictures, frames and texts with GDI, where the shared geometry
// puts them; pictures are scaled without blending.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "layout/layout.h"
#include "pictures/pixels.h"
#include "view/geometry.h"

namespace brindle::win32 {

// Text for the wide-character API.
std::wstring wide(std::string_view utf8);

// A box of the shared geometry as a RECT, moved by -origin.
inline RECT rectOf(const view::Box& b, POINT origin = {0, 0}) {
    return {b.left - origin.x, b.top - origin.y, b.right() - origin.x, b.bottom() - origin.y};
}

// A picture ready for GDI: its pixels with every transparent one replaced by the
// window colour, which is what it is always drawn over.
class Picture {
  public:
    Picture() = default;
    explicit Picture(const pictures::PixelData& data);
    int width() const { return width_; }
    int height() const { return height_; }
    COLORREF at(int x, int y) const;
    // Draws it scaled to `to` (device pixels), nearest pixel.
    void draw(HDC dc, const RECT& to) const;
    // A grid picture (a cell, the cover) as the shared geometry draws it; `origin` is
    // where `dc`'s origin lies in the client area's device pixels.
    void drawGrid(HDC dc, const view::GridDrawing& d, POINT origin) const;

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

// The layout's labels were sized for the classic 8-point Windows sans serif, which
// Windows still ships as Microsoft Sans Serif. Where it is missing, the closest face
// the system has: Arial, with the metrics of
// the font the Qt build draws with.
inline constexpr const wchar_t* kFontFaces[] = {L"Microsoft Sans Serif", L"Arial"};
// The first of them the system has.
const wchar_t* fontFace();

// The game's font: 8 points of fontFace(); narrower when a caption must fit a box
// smaller than it.
HFONT createFont(UINT dpi, double narrowing = 1);

void fill(HDC dc, const RECT& r, COLORREF colour);
// A sunken edge `depth` lines deep (1 for the panels, 2 for the icon's box), each line
// `thickness` device pixels wide.
void sunkenEdge(HDC dc, RECT r, int depth, int thickness);

}  // namespace brindle::win32
