#include "win32/draw.h"

#include <algorithm>

namespace brindle::win32 {

std::wstring wide(std::string_view utf8) {
    if (utf8.empty()) return {};
    const int size = static_cast<int>(utf8.size());
    std::wstring out(
        static_cast<std::size_t>(MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0)),
        L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, out.data(), static_cast<int>(out.size()));
    return out;
}

Picture::Picture(const pictures::PixelData& data)
    : width_(data.width),
      height_(data.height),
      pixels_(data.pixels, data.pixels + std::size_t(data.width) * std::size_t(data.height)) {
    // The pixels are 0xAARRGGBB, which is GDI's BGRA in memory; every alpha is 0 or 255.
    const COLORREF back = GetSysColor(COLOR_BTNFACE);
    const std::uint32_t backPixel = (std::uint32_t(GetRValue(back)) << 16) |
                                    (std::uint32_t(GetGValue(back)) << 8) | GetBValue(back);
    for (std::uint32_t& p : pixels_)
        p = (p >> 24) ? (p & 0xffffffu) : backPixel;
    info_.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info_.bmiHeader.biWidth = width_;
    info_.bmiHeader.biHeight = -height_;  // top row first
    info_.bmiHeader.biPlanes = 1;
    info_.bmiHeader.biBitCount = 32;
    info_.bmiHeader.biCompression = BI_RGB;
}

COLORREF Picture::at(int x, int y) const {
    const std::uint32_t p = pixels_[std::size_t(y) * std::size_t(width_) + std::size_t(x)];
    return RGB((p >> 16) & 0xff, (p >> 8) & 0xff, p & 0xff);
}

void Picture::draw(HDC dc, const RECT& to) const {
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchDIBits(dc, to.left, to.top, to.right - to.left, to.bottom - to.top, 0, 0, width_,
                  height_, pixels_.data(), &info_, DIB_RGB_COLORS, SRCCOPY);
}

void Picture::drawGrid(HDC dc, const view::GridDrawing& d, POINT origin) const {
    if (d.asIs) {
        draw(dc, rectOf(d.box, origin));
        return;
    }
    fill(dc, rectOf(d.box, origin), at(1, 1));
    for (const view::Box& line : d.lines)
        fill(dc, rectOf(line, origin), at(0, 0));
}

Pictures Pictures::load() {
    namespace px = pictures;
    Pictures p;
    p.white = Picture(px::kWhite);
    p.yellow = Picture(px::kYellow);
    p.cover = Picture(px::kCover);
    p.segment = Picture(px::kSegment);
    p.icon48 = Picture(px::kIcon48);
    const px::PixelData* frames[] = {&px::kFrame1, &px::kFrame2, &px::kFrame3,  &px::kFrame4,
                                     &px::kFrame5, &px::kFrame6, &px::kStopped, &px::kPuzzle};
    for (std::size_t i = 0; i < std::size(frames); ++i)
        p.frames[i] = Picture(*frames[i]);
    return p;
}

const Picture* Pictures::of(layout::Art art) const {
    using layout::Art;
    switch (art) {
        case Art::None:
            return nullptr;
        case Art::Unlit:
            return &white;
        case Art::Lit:
            return &yellow;
        case Art::Cover:
            return &cover;
        case Art::Segment:
            return &segment;
        case Art::ProgramIcon:
            return &icon48;
        default:
            return &frames[static_cast<int>(art) - static_cast<int>(Art::Frame1)];
    }
}

namespace {

bool installed(const wchar_t* face) {
    LOGFONTW want{};
    want.lfCharSet = DEFAULT_CHARSET;
    wcsncpy(want.lfFaceName, face, LF_FACESIZE - 1);
    bool found = false;
    HDC dc = GetDC(nullptr);
    EnumFontFamiliesExW(
        dc, &want,
        [](const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
            *reinterpret_cast<bool*>(found) = true;
            return 0;
        },
        reinterpret_cast<LPARAM>(&found), 0);
    ReleaseDC(nullptr, dc);
    return found;
}

}  // namespace

const wchar_t* fontFace() {
    static const wchar_t* const face = [] {
        for (const wchar_t* f : kFontFaces) {
            if (installed(f)) return f;
        }
        return kFontFaces[std::size(kFontFaces) - 1];
    }();
    return face;
}

HFONT createFont(UINT dpi, double narrowing) {
    LOGFONTW f{};
    // 8 points, to the nearest pixel in the face the layout was made for; a fallback,
    // whose letters are wider, never above 8 points.
    const int pixels = int(dpi) * 8;
    f.lfHeight = -(fontFace() == kFontFaces[0] ? (pixels + 36) / 72 : pixels / 72);
    f.lfWeight = FW_NORMAL;
    f.lfCharSet = DEFAULT_CHARSET;
    f.lfQuality = DEFAULT_QUALITY;
    f.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
    wcsncpy(f.lfFaceName, fontFace(), LF_FACESIZE - 1);
    if (narrowing < 1) {
        // Narrower letters: the normal average width, scaled.
        HFONT normal = CreateFontIndirectW(&f);
        HDC dc = GetDC(nullptr);
        HGDIOBJ old = SelectObject(dc, normal);
        TEXTMETRICW m{};
        GetTextMetricsW(dc, &m);
        SelectObject(dc, old);
        ReleaseDC(nullptr, dc);
        DeleteObject(normal);
        f.lfWidth = std::max(1L, static_cast<LONG>(m.tmAveCharWidth * narrowing));
    }
    return CreateFontIndirectW(&f);
}

void fill(HDC dc, const RECT& r, COLORREF colour) {
    SetBkColor(dc, colour);
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
}

void sunkenEdge(HDC dc, RECT r, int depth, int thickness) {
    // Outer line: shadow above and left, highlight below and right; the inner line of a
    // deep edge: dark shadow and light. As the system draws an edge, the lines below and
    // right run to the corners.
    const int outer[2][2] = {{COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT},
                             {COLOR_3DDKSHADOW, COLOR_3DLIGHT}};
    for (int k = 0; k < depth; ++k) {
        const COLORREF dark = GetSysColor(outer[k][0]), light = GetSysColor(outer[k][1]);
        const int t = thickness;
        fill(dc, {r.left, r.top, r.right, r.top + t}, dark);
        fill(dc, {r.left, r.top, r.left + t, r.bottom}, dark);
        fill(dc, {r.left, r.bottom - t, r.right, r.bottom}, light);
        fill(dc, {r.right - t, r.top, r.right, r.bottom}, light);
        InflateRect(&r, -t, -t);
    }
}

}  // namespace brindle::win32
