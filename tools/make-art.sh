#!/bin/sh
# Makes the launcher's two pieces of art from scratch:
#
#   resources/startup.bmp  the launcher window's picture: 320 x 334, 24-bit
#                          uncompressed Windows bitmap (BITMAPINFOHEADER, BI_RGB,
#                          bottom-up, no colour table)
#   resources/startup.ico  the window icon: one 32 x 32 image, 16 colours (4 bits
#                          per pixel) with its AND mask
#
# The build uses the committed files; run this only to change the art, then
# commit both outputs. Needs python3 (standard library only), ImageMagick's
# convert (Debian package imagemagick) and Liberation Sans (fonts-liberation).
#
# The picture: a small Python program computes a six-panel truss under a load
# (2-D bar stiffness method), writes the drawing as ImageMagick vector graphics
# (MVG) - members coloured by axial force on the deformed shape, the undeformed
# shape dashed behind, supports, loads, a dimension line, a faint grid, and the
# product name - and convert rasterises it into a BMP3 file.
#
# The window shows the picture from its top-left corner clipped to 314 x 321
# pixels and writes text over two bands of it, which stay plain and light:
# (86,14)-(219,28) and (65,71)-(230,92).
#
# The icon, a small truss under two loads on a pale tile, is rasterised by a
# second Python program that writes the .ico bytes itself, which keeps the
# exact 4-bit layout and palette.
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
out=$root/resources
fonts=/usr/share/fonts/truetype/liberation
for f in "$fonts/LiberationSans-Bold.ttf" "$fonts/LiberationSans-Regular.ttf" \
         "$fonts/LiberationSans-Italic.ttf"; do
  [ -f "$f" ] || { echo "make-art: $f missing (install fonts-liberation)" >&2; exit 1; }
done
command -v convert >/dev/null || { echo "make-art: convert missing (install imagemagick)" >&2; exit 1; }

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# ---------------------------------------------------------------- picture --
python3 - "$tmp/startup.mvg" "$fonts" <<'PYEOF'
import sys

mvg_path, fonts = sys.argv[1], sys.argv[2]
W, H = 320, 334          # bitmap size
VW, VH = 314, 321        # the part the window shows

out = []
def emit(s):
    out.append(s)

def rgb(c, a=None):
    if a is None:
        return "rgb(%d,%d,%d)" % tuple(int(round(v)) for v in c)
    return "rgba(%d,%d,%d,%.3f)" % (tuple(int(round(v)) for v in c) + (a,))

def mix(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))

# Window colours, and the picture's palette built around them.
WIN_BG   = (164, 193, 185)
WIN_BOX  = (205, 224, 221)
WIN_DARK = (45, 91, 77)
SKY_TOP  = (240, 246, 244)
SKY_LOW  = (221, 234, 230)
GRID     = (190, 212, 206)
INK      = (38, 64, 56)
BAND_TOP = (52, 104, 89)
BAND_LOW = (30, 66, 56)

# --- the truss: a Pratt truss, six panels, loads on the top chord ----------
PANELS, PANEL, HEIGHT = 6, 39, 52
X0, YB = 40, 190                   # left bearing, bottom chord (picture px)
YT = YB - HEIGHT

nodes = [(X0 + i * PANEL, YB) for i in range(PANELS + 1)]          # b0..b6
top = {}
for i in range(1, PANELS):
    top[i] = len(nodes)
    nodes.append((X0 + i * PANEL, YT))                              # t1..t5
b = list(range(PANELS + 1))
members = []
for i in range(PANELS):
    members.append((b[i], b[i + 1]))                 # bottom chord
for i in range(1, PANELS - 1):
    members.append((top[i], top[i + 1]))             # top chord
members.append((b[0], top[1]))                       # end posts
members.append((b[PANELS], top[PANELS - 1]))
for i in range(1, PANELS):
    members.append((b[i], top[i]))                   # verticals
half = PANELS // 2
for i in range(1, half):
    members.append((top[i], b[i + 1]))               # diagonals, sloping
for i in range(half + 1, PANELS):
    members.append((top[i], b[i - 1]))               # down to mid-span

# Stiffness method; engineering y points up, so flip the picture's y.
n = len(nodes)
K = [[0.0] * (2 * n) for _ in range(2 * n)]
geo = []
for a, c in members:
    dx = nodes[c][0] - nodes[a][0]
    dy = -(nodes[c][1] - nodes[a][1])
    L = (dx * dx + dy * dy) ** 0.5
    cx, cy = dx / L, dy / L
    geo.append((L, cx, cy))
    k = 1.0 / L
    d = [2 * a, 2 * a + 1, 2 * c, 2 * c + 1]
    v = [-cx, -cy, cx, cy]
    for r in range(4):
        for s in range(4):
            K[d[r]][d[s]] += k * v[r] * v[s]
F = [0.0] * (2 * n)
for i in range(1, PANELS):
    F[2 * top[i] + 1] = -1.0
fixed = {2 * b[0], 2 * b[0] + 1, 2 * b[PANELS] + 1}   # pin left, roller right
free = [i for i in range(2 * n) if i not in fixed]
A = [[K[r][s] for s in free] + [F[r]] for r in free]
m = len(free)
for col in range(m):
    piv = max(range(col, m), key=lambda r: abs(A[r][col]))
    A[col], A[piv] = A[piv], A[col]
    for r in range(m):
        if r != col and A[r][col] != 0.0:
            f = A[r][col] / A[col][col]
            A[r] = [x - f * y for x, y in zip(A[r], A[col])]
U = [0.0] * (2 * n)
for idx, r in enumerate(free):
    U[r] = A[idx][m] / A[idx][idx]
forces = []
for (a, c), (L, cx, cy) in zip(members, geo):
    du = (U[2 * c] - U[2 * a]) * cx + (U[2 * c + 1] - U[2 * a + 1]) * cy
    forces.append(du / L)
fmax = max(abs(f) for f in forces)
umax = max(abs(u) for u in U)
AMP = 7.0 / umax                                      # largest sag: 7 px
defl = [(x + U[2 * i] * AMP, y - U[2 * i + 1] * AMP)
        for i, (x, y) in enumerate(nodes)]

# Muted diverging colour scale: compression blue, tension terracotta.
SCALE = [(-1.0, (40, 86, 142)), (-0.5, (62, 138, 164)), (0.0, (120, 172, 150)),
         (0.5, (222, 176, 70)), (1.0, (200, 82, 48))]
def scale(t):
    t = max(-1.0, min(1.0, t))
    for (t0, c0), (t1, c1) in zip(SCALE, SCALE[1:]):
        if t <= t1:
            return mix(c0, c1, (t - t0) / (t1 - t0))
    return SCALE[-1][1]

# --- drawing ---------------------------------------------------------------
emit("viewbox 0 0 %d %d" % (W, H))
emit("stroke-antialias 1")
emit("text-antialias 1")

BAND_Y = 232
# light sky, a gentle vertical gradient
for y in range(BAND_Y):
    emit("fill %s stroke none rectangle 0,%d %d,%d"
         % (rgb(mix(SKY_TOP, SKY_LOW, y / BAND_Y)), y, W - 1, y))

# faint grid, a third of a panel apart, fading in below the text bands
GY0 = 100
emit("push graphic-context")
emit("stroke %s stroke-width 1 fill none" % rgb(GRID))
gx = X0 % (PANEL // 3)
for x in range(gx, VW, PANEL // 3):
    emit("line %.1f,%d %.1f,%d" % (x + 0.5, GY0, x + 0.5, BAND_Y - 1))
y = YB
while y > GY0:
    y -= PANEL // 3
for yy in range(y + PANEL // 3, BAND_Y, PANEL // 3):
    emit("line 0,%.1f %d,%.1f" % (yy + 0.5, VW, yy + 0.5))
emit("pop graphic-context")
FADE = 30
for k in range(FADE):
    yy = GY0 + k
    emit("fill %s stroke none rectangle 0,%d %d,%d"
         % (rgb(mix(SKY_TOP, SKY_LOW, yy / BAND_Y), 1.0 - (k + 1) / (FADE + 1)),
            yy, W - 1, yy))

# global axes, top left, clear of the text bands
ox, oy = 18, 62
emit("push graphic-context")
emit("stroke %s stroke-width 1.4 fill none" % rgb(mix(INK, SKY_TOP, 0.35)))
emit("line %d,%d %d,%d" % (ox, oy, ox + 26, oy))
emit("line %d,%d %d,%d" % (ox, oy, ox, oy - 26))
emit("fill %s stroke none" % rgb(mix(INK, SKY_TOP, 0.35)))
emit("polygon %d,%d %d,%d %d,%d" % (ox + 32, oy, ox + 24, oy - 3.5, ox + 24, oy + 3.5))
emit("polygon %d,%d %.1f,%d %.1f,%d" % (ox, oy - 32, ox - 3.5, oy - 24, ox + 3.5, oy - 24))
emit("circle %d,%d %d,%d" % (ox, oy, ox + 2, oy))
emit("font '%s/LiberationSans-Italic.ttf' font-size 11" % fonts)
emit("text %d,%d 'x'" % (ox + 29, oy + 13))
emit("text %d,%d 'y'" % (ox + 6, oy - 28))
emit("pop graphic-context")

# distributed load over the top chord
xl, xr = nodes[top[1]][0], nodes[top[PANELS - 1]][0]
qy = YT - 28
LOAD = (168, 52, 44)
emit("push graphic-context")
emit("stroke %s stroke-width 1.3 fill none" % rgb(LOAD))
emit("line %d,%d %d,%d" % (xl, qy, xr, qy))
step = PANEL / 3.0
k = 0
while xl + k * step <= xr + 0.01:
    x = xl + k * step
    emit("stroke %s line %.1f,%d %.1f,%d" % (rgb(LOAD), x, qy, x, YT - 10))
    emit("stroke none fill %s polygon %.1f,%d %.1f,%d %.1f,%d"
         % (rgb(LOAD), x, YT - 4, x - 3, YT - 11, x + 3, YT - 11))
    emit("fill none")
    k += 1
emit("stroke none fill %s" % rgb(LOAD))
emit("font '%s/LiberationSans-Italic.ttf' font-size 13" % fonts)
emit("text %d,%d 'q'" % (xl - 13, qy + 4))
emit("pop graphic-context")

# undeformed shape, dashed
emit("push graphic-context")
emit("stroke %s stroke-width 1 fill none stroke-dasharray 3 2"
     % rgb(mix(INK, SKY_LOW, 0.45)))
for a, c in members:
    emit("line %.1f,%.1f %.1f,%.1f" % (nodes[a] + nodes[c]))
emit("pop graphic-context")

# deformed shape, members coloured by axial force (outline, then colour)
emit("push graphic-context")
emit("stroke-linecap round fill none")
for a, c in members:
    emit("stroke %s stroke-width 5.2 line %.2f,%.2f %.2f,%.2f"
         % ((rgb(INK),) + defl[a] + defl[c]))
for (a, c), f in zip(members, forces):
    emit("stroke %s stroke-width 3.0 line %.2f,%.2f %.2f,%.2f"
         % ((rgb(scale(f / fmax)),) + defl[a] + defl[c]))
emit("pop graphic-context")
emit("push graphic-context")
emit("stroke %s stroke-width 1.2 fill %s" % (rgb(INK), rgb((250, 252, 251))))
for x, y in defl:
    emit("circle %.2f,%.2f %.2f,%.2f" % (x, y, x + 2.4, y))
emit("pop graphic-context")

# supports: pin on the left, roller on the right, hatched ground
def ground(xc, yg):
    emit("stroke %s stroke-width 1.4 line %.1f,%.1f %.1f,%.1f"
         % (rgb(INK), xc - 13, yg, xc + 13, yg))
    emit("stroke %s stroke-width 1" % rgb(mix(INK, SKY_LOW, 0.3)))
    x = xc - 12
    while x <= xc + 13:
        emit("line %.1f,%.1f %.1f,%.1f" % (x, yg + 1, x - 5, yg + 6))
        x += 4
emit("push graphic-context")
xa, ya = nodes[b[0]]
emit("stroke %s stroke-width 1.4 fill %s polygon %.1f,%.1f %.1f,%.1f %.1f,%.1f"
     % (rgb(INK), rgb(WIN_BOX), xa, ya + 3, xa - 9, ya + 17, xa + 9, ya + 17))
ground(xa, ya + 17.5)
xa, ya = nodes[b[PANELS]]
emit("stroke %s stroke-width 1.4 fill %s polygon %.1f,%.1f %.1f,%.1f %.1f,%.1f"
     % (rgb(INK), rgb(WIN_BOX), xa, ya + 3, xa - 9, ya + 13, xa + 9, ya + 13))
for dx in (-5, 0, 5):
    emit("stroke %s stroke-width 1.2 fill %s circle %.1f,%.1f %.1f,%.1f"
         % (rgb(INK), rgb(WIN_BOX), xa + dx, ya + 15.3, xa + dx + 2, ya + 15.3))
ground(xa, ya + 17.5)
emit("pop graphic-context")

# span dimension line
dy = YB + 32
emit("push graphic-context")
DIM = mix(INK, SKY_LOW, 0.25)
emit("stroke %s stroke-width 1 fill none" % rgb(DIM))
x0, x1 = nodes[b[0]][0], nodes[b[PANELS]][0]
emit("line %.1f,%.1f %.1f,%.1f" % (x0, dy + 0.5, x1, dy + 0.5))
for x in (x0, x1):
    emit("line %.1f,%.1f %.1f,%.1f" % (x + 0.5, dy - 4, x + 0.5, dy + 4))
    emit("line %.1f,%.1f %.1f,%.1f" % (x - 2.5, dy + 3.5, x + 3.5, dy - 2.5))
emit("stroke none fill %s rectangle %.1f,%.1f %.1f,%.1f"
     % (rgb(mix(SKY_TOP, SKY_LOW, dy / BAND_Y)), (x0 + x1) / 2 - 26, dy - 5,
        (x0 + x1) / 2 + 26, dy + 5))
emit("fill %s font '%s/LiberationSans-Regular.ttf' font-size 10 text-anchor middle"
     % (rgb(DIM), fonts))
emit("text %.1f,%.1f '6 × 6,0 m'" % ((x0 + x1) / 2, dy + 4))
emit("pop graphic-context")

# the product name on a dark band at the bottom
for y in range(BAND_Y, H):
    emit("fill %s stroke none rectangle 0,%d %d,%d"
         % (rgb(mix(BAND_TOP, BAND_LOW, (y - BAND_Y) / (VH - BAND_Y))), y, W - 1, y))
emit("fill %s rectangle 0,%d %d,%d" % (rgb(mix(BAND_TOP, WIN_BG, 0.55)), BAND_Y, W - 1, BAND_Y))
# colour bar (the force scale) along the band's top edge
for x in range(VW):
    emit("fill %s rectangle %d,%d %d,%d"
         % (rgb(scale(2.0 * x / (VW - 1) - 1.0)), x, BAND_Y + 1, x, BAND_Y + 3))

emit("push graphic-context")
emit("fill %s stroke none" % rgb((244, 249, 247)))
emit("font '%s/LiberationSans-Bold.ttf' font-size 46" % fonts)
emit("text 18,290 'Korvex'")
emit("fill %s" % rgb((226, 184, 84)))
emit("text 186,290 '7'")
emit("fill %s" % rgb(mix(WIN_BG, (255, 255, 255), 0.25)))
emit("font '%s/LiberationSans-Regular.ttf' font-size 12" % fonts)
emit("text 20,309 'Végeselemes szerkezetszámítás'")
emit("pop graphic-context")

# a hairline frame around the part the window shows
emit("push graphic-context")
emit("fill none stroke %s stroke-width 1" % rgb(WIN_DARK))
emit("rectangle 0.5,0.5 %.1f,%.1f" % (VW - 0.5, VH - 0.5))
emit("pop graphic-context")

with open(mvg_path, "w", encoding="utf-8") as fh:
    fh.write("\n".join(out) + "\n")
PYEOF

convert "mvg:$tmp/startup.mvg" -alpha off -type truecolor BMP3:"$tmp/startup.bmp"
mv "$tmp/startup.bmp" "$out/startup.bmp"

# ------------------------------------------------------------------- icon --
python3 - "$tmp/startup.ico" <<'PYEOF'
import struct, sys

# A small Warren truss on two supports under two loads, on a rounded tile.
# The motif is a list of shapes, each with a palette index, painted in order;
# every pixel is sampled 8 x 8 times and takes the index that covers most of
# it, so edges stay crisp. The palette is our own: the window's greens and the
# picture's force colours (some entries are spare). Index 0 (black) goes under
# the transparent corners, which the AND mask hides.
PALETTE = [
    (0, 0, 0),          #  0 transparent (masked)
    (28, 56, 48),       #  1 ink
    (45, 91, 77),       #  2 window's dark green
    (96, 140, 127),     #  3 ground line
    (164, 193, 185),    #  4 window's background
    (205, 224, 221),    #  5 window's pale box
    (236, 244, 241),    #  6 tile
    (255, 255, 255),    #  7
    (40, 86, 142),      #  8 compression blue
    (128, 158, 184),    #  9
    (200, 82, 48),      # 10 tension terracotta
    (214, 158, 138),    # 11
    (176, 40, 34),      # 12 load red
    (208, 128, 116),    # 13
    (74, 108, 118),     # 14
    (120, 96, 80),      # 15
]
SS = 8
N = 32

def capsule(x0, y0, x1, y1, r):
    dx, dy = x1 - x0, y1 - y0
    ll = dx * dx + dy * dy
    def f(x, y):
        t = ((x - x0) * dx + (y - y0) * dy) / ll
        t = max(0.0, min(1.0, t))
        px, py = x0 + t * dx - x, y0 + t * dy - y
        return px * px + py * py <= r * r
    return f

def polygon(pts):
    def f(x, y):
        inside = False
        for (xa, ya), (xb, yb) in zip(pts, pts[1:] + pts[:1]):
            if (ya > y) != (yb > y) and x < xa + (y - ya) * (xb - xa) / (yb - ya):
                inside = not inside
        return inside
    return f

def rect(x0, y0, x1, y1):
    return lambda x, y: x0 <= x <= x1 and y0 <= y <= y1

def rounded(x0, y0, x1, y1, r):
    def f(x, y):
        if not (x0 <= x <= x1 and y0 <= y <= y1):
            return False
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
    return f

shapes = []                      # painter's order: (test, palette index)
shapes.append((rounded(0.0, 0.0, 32.0, 32.0, 5.0), 2))    # tile
shapes.append((rounded(1.0, 1.0, 31.0, 31.0, 4.0), 6))

# A Warren truss: bottom nodes at 6, 16, 26, top nodes at 11, 21; loads on
# the top nodes put the top chord and end diagonals in compression (blue), the
# bottom chord and inner diagonals in tension (terracotta).
YB, YT = 21.0, 11.0
for x0, y0, x1, y1, c in ((11, YT, 16, YB, 10), (21, YT, 16, YB, 10),
                          (6, YB, 11, YT, 8), (26, YB, 21, YT, 8)):
    shapes.append((capsule(x0, y0, x1, y1, 1.05), c))
shapes.append((rect(5.0, YB - 1.0, 27.0, YB + 1.0), 10))   # bottom chord
shapes.append((rect(10.0, YT - 1.0, 22.0, YT + 1.0), 8))   # top chord
# supports: pin left, roller right, on a ground line
L, R = 6.0, 26.0
shapes.append((polygon([(L, YB), (L - 3.4, YB + 6.0), (L + 3.4, YB + 6.0)]), 1))
shapes.append((polygon([(R, YB), (R - 3.4, YB + 4.0), (R + 3.4, YB + 4.0)]), 1))
shapes.append((rect(R - 3.0, YB + 4.0, R - 1.0, YB + 6.0), 1))   # rollers
shapes.append((rect(R + 1.0, YB + 4.0, R + 3.0, YB + 6.0), 1))
shapes.append((rect(2.0, YB + 6.0, 30.0, YB + 7.0), 3))
# the loads: two arrows down onto the top nodes
for ax in (11.0, 21.0):
    shapes.append((rect(ax - 1.0, YT - 8.0, ax + 1.0, YT - 5.0), 12))
    for k, half in enumerate((4, 3, 2, 1)):                    # the head
        shapes.append((rect(ax - half, YT - 5.0 + k, ax + half, YT - 4.0 + k), 12))

pix = []
for py in range(N):
    row = []
    for px in range(N):
        votes = {}
        for sy in range(SS):
            for sx in range(SS):
                x = px + (sx + 0.5) / SS
                y = py + (sy + 0.5) / SS
                col = None
                for test, c in shapes:
                    if test(x, y):
                        col = c
                votes[col] = votes.get(col, 0) + 1
        # each pixel takes the colour most of it is covered by: crisp edges
        row.append(max(votes, key=lambda c: (votes[c], c is not None)))
    pix.append(row)

xor = bytearray()
mask = bytearray()
for row in reversed(pix):                       # bottom-up
    for x in range(0, N, 2):
        a, b = row[x] or 0, row[x + 1] or 0
        xor.append(a << 4 | b)
    bits = 0
    for x in range(N):
        bits = bits << 1 | (row[x] is None)
    mask += struct.pack(">I", bits)
pal = b"".join(struct.pack("<BBBB", c[2], c[1], c[0], 0) for c in PALETTE)
bih = struct.pack("<IiiHHIIiiII", 40, N, 2 * N, 1, 4, 0, len(xor) + len(mask),
                  0, 0, 16, 0)
img = bih + pal + bytes(xor) + bytes(mask)
ico = struct.pack("<HHH", 0, 1, 1) + struct.pack(
    "<BBBBHHII", N, N, 16, 0, 1, 4, len(img), 6 + 16) + img
with open(sys.argv[1], "wb") as fh:
    fh.write(ico)
PYEOF
mv "$tmp/startup.ico" "$out/startup.ico"
