#!/usr/bin/python3
"""Writes advances.h: how far each character of the program's texts advances in
Liberation Sans, the type every window's texts are set in, and how much closer or
farther the type sets the pairs of characters the texts hold, so that a text breaks
into lines at the same words wherever it is shown, whatever a toolkit or browser
measures."""
import re
import sys
from pathlib import Path

from PIL import ImageFont

UNITS = 2048  # the type's own units to its size
FONT = "/usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf"


def table(rows):
    """Rows of code and a comment, the comments lined up as clang-format lines them up."""
    width = max(len(code) for code, _ in rows)
    return "\n".join(f"    {code.ljust(width)}  // {comment}" for code, comment in rows)


def main():
    here = Path(__file__).resolve().parent
    texts = (here / "texts.h").read_text(encoding="utf-8")
    literals = "".join(re.findall(r'"((?:[^"\\]|\\.)*)"', texts)).replace('\\"', '"')
    chars = sorted(set(literals) - {"\\"})
    font = ImageFont.truetype(FONT, UNITS)
    pairs = sorted({literals[i:i + 2] for i in range(len(literals) - 1)})
    kerned = [(p, round(font.getlength(p) - font.getlength(p[0]) - font.getlength(p[1]))) for p in pairs
              if "\\" not in p]
    kerns = table([(f"Kern{{{ord(p[0])}, {ord(p[1])}, {k}}},", p) for p, k in kerned if k])
    rows = table([(f"Advance{{{ord(c)}, {round(font.getlength(c))}}},", c if c != " " else "space") for c in chars])
    out = Path(sys.argv[1]) if len(sys.argv) > 1 else here / "advances.h"
    out.write_text(f"""// Written by advances.py from Liberation Sans: how far each character of the texts
// advances, and how much a pair of them is set closer (or farther), in the type's own
// units, {UNITS} to its size. Sorted by character.
#pragma once

#include <array>

namespace brindle::layout {{

struct Advance {{
    char32_t ch;
    int units;
}};
inline constexpr int kUnitsPerSize = {UNITS};
inline constexpr std::array kAdvances = {{
{rows}
}};

struct Kern {{
    char32_t first, second;
    int units;
}};
inline constexpr std::array kKerns = {{
{kerns}
}};

}}  // namespace brindle::layout
""", encoding="utf-8")


if __name__ == "__main__":
    main()
