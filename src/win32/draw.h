// Carrying out the shared layer's drawing with GDI, and the game's font.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "layout/layout.h"
#include "pictures/pixels.h"
#include "view/geometry.h"
#include "view/paint.h"

namespace brindle::win32 {

// Text for the wide-character API.
std::wstring wide(std::string_view utf8);

// A box of the shared geometry as a RECT, moved by -origin.
inline RECT rectOf(const view::Box& b, POINT origin = {0, 0}) {
    return {b.left - origin.x, b.top - origin.y, b.right() - origin.x, b.bottom() - origin.y};
}

// A colour of the shared layer's, 0xRRGGBB.
inline COLORREF colour(std::uint32_t rgb) {
    return RGB(rgb >> 16 & 0xff, rgb >> 8 & 0xff, rgb & 0xff);
}
// The window's grey, for the window classes' backgrounds.
HBRUSH windowBrush();

// One step of the shared layer's drawing, in device pixels of `dc`.
void draw(HDC dc, const view::Paint& step);
// 0xRRGGBB pixels, row by row, put on `dc` in the box `at`.
void blit(HDC dc, const view::Box& at, const std::vector<std::uint32_t>& rgb);

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

}  // namespace brindle::win32
