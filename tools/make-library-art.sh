#!/bin/sh
# Makes the library's bitmap resources from scratch:
#
#   resources/dropbutton12.bmp  the structured combo's drop-button glyph
#                               ("DROPBUTTON12"): 9 x 9 pixels, 16 colours
#                               (4 bits per pixel, the standard 16-colour
#                               palette), a black downward triangle of rows
#                               5, 3 and 1 pixels wide on white; white is the
#                               transparent colour (the bottom-left pixel)
#   resources/floatclose.bmp    the floating form's close-button glyph
#                               ("FLOATCLOSE"): 10 x 10 pixels, 16 colours,
#                               a black close mark 8 x 7 pixels from (1, 1)
#                               on silver, the transparent colour
#
# The build uses the committed files; run this only to change them, then
# commit the outputs. Needs python3 (standard library only).
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
python3 - "$root/resources" <<'PYEOF'
import os, struct, sys

# The standard 16-colour palette (index 0 black, 15 white).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, SILVER, WHITE = 0, 7, 15

def write_bmp(path, pix):
    """pix: rows top-down of palette indices, all of one width."""
    w, h = len(pix[0]), len(pix)
    stride = ((w * 4 + 31) // 32) * 4
    data = bytearray()
    for row in reversed(pix):                       # bottom-up
        line = bytearray()
        for x in range(0, w, 2):
            hi = row[x]
            lo = row[x + 1] if x + 1 < w else 0
            line.append(hi << 4 | lo)
        line += bytes(stride - len(line))
        data += line
    pal = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 4, 0, len(data), 0, 0, 16, 0)
    offset = 14 + len(info) + len(pal)
    head = struct.pack("<2sIHHI", b"BM", offset + len(data), 0, 0, offset)
    with open(path, "wb") as fh:
        fh.write(head + info + pal + bytes(data))

def from_picture(size, background, origin, picture):
    """A size x size image: '#' of picture in black from origin (x, y)."""
    pix = [[background] * size for _ in range(size)]
    for y, line in enumerate(picture):
        for x, ch in enumerate(line):
            if ch == "#":
                pix[origin[1] + y][origin[0] + x] = BLACK
    return pix

out = sys.argv[1]
write_bmp(os.path.join(out, "dropbutton12.bmp"), from_picture(9, WHITE, (2, 3), [
    "#####",
    ".###.",
    "..#..",
]))
write_bmp(os.path.join(out, "floatclose.bmp"), from_picture(10, SILVER, (1, 1), [
    "##....##",
    ".##..##.",
    "..####..",
    "...##...",
    "..####..",
    ".##..##.",
    "##....##",
]))
PYEOF
