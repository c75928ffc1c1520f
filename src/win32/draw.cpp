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

HBRUSH windowBrush() {
    static const HBRUSH brush = CreateSolidBrush(colour(view::kWindow));
    return brush;
}

void draw(HDC dc, const view::Paint& step) {
    const view::Box& b = step.box;
    if (step.art == layout::Art::None) {
        fill(dc, rectOf(b), colour(step.rgb));
        return;
    }
    blit(dc, b, view::stretched(step.art, b.width, b.height));
}

void blit(HDC dc, const view::Box& at, const std::vector<std::uint32_t>& rgb) {
    // 0xRRGGBB words are a 32-bit DIB's pixels as they lie in memory.
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), at.width, -at.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    SetDIBitsToDevice(dc, at.left, at.top, DWORD(at.width), DWORD(at.height), 0, 0, 0,
                      UINT(at.height), rgb.data(), &info, DIB_RGB_COLORS);
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

}  // namespace brindle::win32
