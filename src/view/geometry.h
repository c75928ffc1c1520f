// Where every pixel goes, at any screen scale, by one rounding rule: a layout pixel x
// starts at device pixel round(x * scale), and a box's width is rounded on its own.
// Every front end places, draws and hit-tests by these, so at a given scale they all
// show the same device pixels.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "layout/layout.h"

namespace brindle::view {

struct Point {
    int x = 0, y = 0;
};

struct Box {
    int left = 0, top = 0, width = 0, height = 0;
    int right() const { return left + width; }  // one past the last column
    int bottom() const { return top + height; }
    bool contains(int x, int y) const {
        return x >= left && x < right() && y >= top && y < bottom();
    }
    friend bool operator==(const Box&, const Box&) = default;
};

int device(int px, double scale);
Box device(const Box& px, double scale);

// A control's box in layout pixels, relative to its container. A line runs from its
// first pixel to its last one, both included, one pixel high.
Box pixelBox(const layout::Control& c);
Box pixelBox(const layout::Rect& twips);
// Where the status strip's controls lie in the main window's client area.
Box inWindow(const layout::Control& statusControl);

// Below, `client` is where the client area lies on the surface the front end draws
// on, in layout pixels (a menu bar above it, say). Edges are rounded where they lie on
// that surface, so the device pixels are the surface's.

// The device pixel a pointer at `logical` (a toolkit's own, unrounded unit) lies on.
int pixelAt(double logical, double scale);
// Where a surface a toolkit reports in its own unrounded unit lies, in whole layout
// pixels: the nearest, which takes off a transform's float noise.
Point wholePoint(double x, double y);

// For a surface that places things in 64ths of its logical pixel (a web page's CSS): the
// first count of device pixels from `device` on that it names exactly, so that what is
// put there is neither stretched nor blurred.
int exactDevice(int device, double scale);
// The first place from `logical` on that lies on a whole device pixel and that such a
// surface names exactly: a whole logical pixel if one lies within 64, else in 64ths.
double onDevicePixel(double logical, double scale);
// How many times its size a window of `width` x `height` layout pixels is shown in a room
// of logical pixels: the largest eighth step from 1 to 3 at which it fits with `margin`
// all round; 1 if none does.
double fittingZoom(double roomWidth, double roomHeight, int width, int height, double margin);

// The cell drawn on top at a device pixel, if any.
std::optional<Pos> cellAt(int x, int y, double scale, Point client = {});

// How to draw a grid picture (a cell, the cover): one fill colour crossed by one-pixel
// lines. At whole-number scales the picture is drawn pixel for pixel; otherwise it is
// redrawn from its two colours, so that every line is equally wide and nothing blends.
struct GridDrawing {
    bool asIs = false;
    Box box;                 // the whole picture, to fill
    std::vector<Box> lines;  // over it
};
// `at` is the picture's box in layout pixels of the surface; the result is in its
// device pixels.
GridDrawing gridDrawing(const Box& at, std::span<const int> columns, std::span<const int> rows,
                        double scale);
GridDrawing cellDrawing(Pos p, double scale, Point client = {});
GridDrawing coverDrawing(double scale, Point client = {});

// The keyboard's marker on a cell: a dotted square inside the cell's visible part,
// clear of its grid lines, in device pixels of the surface.
std::vector<Box> markerDots(Pos p, double scale, Point client = {});

// The icon's picture inside its sunken box, in device pixels of the surface.
Box iconPicture(double scale, Point client = {});
// The width of a line of the panels' and the icon box's frames, in device pixels.
int frameLine(double scale);

// How much narrower a caption `needed` device pixels wide must be drawn to fit `room`:
// 1 when it fits. The clock's minutes keep their box inside the panel's frame, so a
// long game's minutes read whole but narrower.
double narrowing(double needed, int room);

// A text in the lines it is shown in, `width` layout pixels wide, set in the windows' type
// of 8 points: broken at spaces and line breaks, each line as long as fits, a word too
// long for any line on one of its own. Measured by the type's own advances, not by a
// toolkit, so that every front end and browser breaks it at the same words.
std::vector<std::string> lines(std::string_view text, int width);
// The same text with a line break wherever lines() ends a line, for a toolkit that
// breaks only where it is told.
std::string broken(std::string_view text, int width);

}  // namespace brindle::view
