#!/bin/sh
# Makes the library's bitmap resources from scratch:
#
#   resources/dropbutton12.bmp  the structured combo's drop-button glyph
#                               ("DROPBUTTON12"): 9 x 9 pixels, 16 colours
#                               (4 bits per pixel, the standard 16-colour
#                               palette), a black downward triangle of rows
#                               5, 3 and 1 pixels wide on white; white is the
#                               transparent colour (the bottom-left pixel)
#
# The build uses the committed files; run this only to change them, then
# commit the outputs. Needs python3 (standard library only).
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
python3 - "$root/resources/dropbutton12.bmp" <<'PYEOF'
import struct, sys

# The standard 16-colour palette (index 0 black, 15 white).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, WHITE = 0, 15
N = 9
pix = [[WHITE] * N for _ in range(N)]
for row, width in ((3, 5), (4, 3), (5, 1)):        # top-down rows of the triangle
    left = (N - width) // 2
    for x in range(left, left + width):
        pix[row][x] = BLACK

stride = ((N * 4 + 31) // 32) * 4
data = bytearray()
for row in reversed(pix):                           # bottom-up
    line = bytearray()
    for x in range(0, N, 2):
        hi = row[x]
        lo = row[x + 1] if x + 1 < N else 0
        line.append(hi << 4 | lo)
    line += bytes(stride - len(line))
    data += line
pal = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
info = struct.pack("<IiiHHIIiiII", 40, N, N, 1, 4, 0, len(data), 0, 0, 16, 0)
offset = 14 + len(info) + len(pal)
head = struct.pack("<2sIHHI", b"BM", offset + len(data), 0, 0, offset)
with open(sys.argv[1], "wb") as fh:
    fh.write(head + info + pal + bytes(data))
PYEOF
