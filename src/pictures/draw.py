#!/usr/bin/python3
"""Draws every picture of the game into this folder (or the folder given).

    /usr/bin/python3 src/pictures/draw.py [OUT_DIR]

Needs Debian's python3-pil. The output is byte-for-byte repeatable, and a test checks
that the committed files are exactly what this script draws.
"""
import struct
import sys
from pathlib import Path

from PIL import Image

BLACK = (0, 0, 0)
WHITE = (255, 255, 255)
YELLOW = (255, 255, 0)
GREY = (192, 192, 192)
NAVY = (0, 0, 128)
GREEN = (102, 204, 51)
RED = (255, 0, 0)

CELL = 50      # a cell picture, border included
PITCH = 48     # cells overlap their right and lower neighbours by 2 pixels
BOARD = 242


def bordered_square(fill):
    img = Image.new("RGB", (CELL, CELL), BLACK)
    img.paste(fill, (1, 1, CELL - 1, CELL - 1))
    return img


def grid_lines():
    """Where the overlapping cells put their borders. Within a row, the cell of
    column 1 lies over column 2 and every other cell over its left neighbour, so the
    line between columns 1 and 2 is column 1's right border; between rows, the lower
    row lies on top, so every line there is the lower cell's top border."""
    xs = [0, CELL - 1] + [PITCH * c for c in (2, 3, 4)] + [BOARD - 1]
    ys = [PITCH * r for r in range(5)] + [BOARD - 1]
    return xs, ys


def board_cover():
    img = Image.new("RGB", (BOARD, BOARD), GREY)
    xs, ys = grid_lines()
    for x in xs:
        img.paste(BLACK, (x, 0, x + 1, BOARD))
    for y in ys:
        img.paste(BLACK, (0, y, BOARD, y + 1))
    return img


# The diamond, seen from the front: a flat table on top, the crown, the girdle (its
# widest row) and the pavilion narrowing to the point. HALF_WIDTHS gives, row by row
# from the top, how far it reaches either side of its middle column when it faces the
# viewer; a turned frame is the same rows squeezed towards the middle. Steps of at most
# one pixel from row to row keep the outline closed with a black pixel at each end.
CX, TOP = 7, 3
HALF_WIDTHS = [3, 4, 5, 6, 5, 4, 3, 2, 1, 0]
GIRDLE = 3  # the row, counted from TOP, of the widest part

# (widest half width, left facet, right facet) for each of the six frames; the middle
# facet is always green. Light on the left while it turns one way, on the right after.
LIGHT2, LIGHT3, DARK2, DARK3 = (153, 255, 102), (201, 255, 174), (0, 153, 0), (0, 101, 0)
FRAMES = [
    (6, GREEN, GREEN),
    (4, LIGHT2, DARK2),
    (2, LIGHT3, DARK3),
    (0, None, None),
    (2, DARK2, LIGHT3),
    (4, DARK2, LIGHT2),
]


def diamond(widest, left, centre, right):
    """A 16 x 16 RGBA picture of the diamond turned so that it is 2 * widest + 1
    pixels wide: black outline, girdle and facet lines, on a transparent ground.

    In the crown the middle facet lies under the table and the side facets beyond its
    corners. In the pavilion two facet lines run one pixel inside the outline down to
    the point, between the middle facet and the side facets; a frame too narrow for
    them shows its three facets side by side without lines."""
    img = Image.new("RGBA", (16, 16), (0, 0, 0, 0))
    # Squeezing rounds up, so a narrow frame keeps every facet it can show.
    rows = [-(-h * widest // 6) for h in HALF_WIDTHS]
    table = rows[0]
    lines = widest >= 4
    for i, h in enumerate(rows):
        pavilion = i > GIRDLE
        for dx in range(-h, h + 1):
            d = abs(dx)
            side = left if dx < 0 else right
            if d == h or i in (0, GIRDLE):
                colour = BLACK
            elif pavilion and lines:
                split = h - 2
                colour = BLACK if d == split or split < 0 else side if d > split else centre
            else:
                colour = side if d >= (1 if pavilion else table) else centre
            img.putpixel((CX + dx, TOP + i), colour + (255,))
    return img


def to_gif(rgba, path):
    """Stores an RGBA picture as a GIF whose palette entry 0 is the transparent colour."""
    colours = sorted({p[:3] for p in rgba.getdata() if p[3]})
    palette = [(255, 0, 255)] + colours
    index = {c: i for i, c in enumerate(palette)}
    img = Image.new("P", rgba.size, 0)
    img.putdata([index[p[:3]] if p[3] else 0 for p in rgba.getdata()])
    flat = [v for c in palette for v in c]
    img.putpalette(flat)
    img.save(path, format="GIF", transparency=0, optimize=False)


# The program icon: a 3 x 3 corner of the board with one move played in its middle.
VGA16 = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
         (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
         (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]


def program_icon(size):
    # Lines one pixel wide up to 48 pixels; wider above, as a launcher shrinks the picture.
    line = max(1, size // 48)
    img = Image.new("RGBA", (size, size), (0, 0, 0, 0))
    step = (size - line) // 3
    origin = (size - (3 * step + line)) // 2
    for r in range(3):
        for c in range(3):
            lit = r == 1 or c == 1
            x0, y0 = origin + c * step, origin + r * step
            img.paste(BLACK + (255,), (x0, y0, x0 + step + line, y0 + step + line))
            img.paste((YELLOW if lit else WHITE) + (255,),
                      (x0 + line, y0 + line, x0 + step, y0 + step))
    return img


def dib(img, bpp):
    """One icon image: BITMAPINFOHEADER, palette (4 bpp), colour rows, AND mask rows."""
    n = img.size[0]
    rows = [[img.getpixel((x, y)) for x in range(n)] for y in reversed(range(n))]
    colour = bytearray()
    for row in rows:
        if bpp == 32:
            line = b"".join(bytes((b, g, r, a)) for r, g, b, a in row)
        else:
            idx = [VGA16.index(p[:3]) if p[3] else 0 for p in row]
            line = bytes((idx[i] << 4) | idx[i + 1] for i in range(0, n, 2))
        colour += line + b"\0" * (-len(line) % 4)
    mask = bytearray()
    for row in rows:
        bits = 0
        line = bytearray()
        for i, p in enumerate(row):
            bits = (bits << 1) | (1 if p[3] == 0 else 0)
            if i % 8 == 7:
                line.append(bits)
                bits = 0
        mask += line + b"\0" * (-len(line) % 4)
    palette = b"".join(bytes((b, g, r, 0)) for r, g, b in VGA16) if bpp == 4 else b""
    header = struct.pack("<IiiHHIIiiII", 40, n, 2 * n, 1, bpp, 0, len(colour) + len(mask),
                         0, 0, 16 if bpp == 4 else 0, 0)
    return header + palette + bytes(colour) + bytes(mask)


def write_icon(path):
    images = [(n, bpp, dib(program_icon(n), bpp)) for n in (48, 32, 16) for bpp in (4, 32)]
    out = bytearray(struct.pack("<HHH", 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for n, bpp, data in images:
        out += struct.pack("<BBBBHHII", n, n, 16 if bpp == 4 else 0, 0, 1, bpp, len(data), offset)
        offset += len(data)
    for _, _, data in images:
        out += data
    path.write_bytes(bytes(out))


def main():
    out = Path(sys.argv[1]) if len(sys.argv) > 1 else Path(__file__).resolve().parent
    out.mkdir(parents=True, exist_ok=True)
    bordered_square(WHITE).save(out / "white.bmp")
    bordered_square(YELLOW).save(out / "yellow.bmp")
    board_cover().save(out / "cover.bmp")
    Image.new("RGB", (10, 15), NAVY).save(out / "segment.bmp")
    for n, (half, left, right) in enumerate(FRAMES, start=1):
        to_gif(diamond(half, left, GREEN, right), out / f"frame{n}.gif")
    to_gif(diamond(6, RED, RED, RED), out / "stopped.gif")
    to_gif(diamond(6, YELLOW, YELLOW, YELLOW), out / "puzzle.gif")
    write_icon(out / "brindle.ico")
    # The same icon for desktops that take one picture a size (the hicolor theme), and
    # at the sizes a browser installs a web page with.
    for n in (16, 32, 48, 192, 512):
        program_icon(n).save(out / f"brindle-{n}.png", optimize=False)


if __name__ == "__main__":
    main()
