#!/usr/bin/env python3
"""Generates the program's media into resources/ (Python 3 standard library only).

    tools/gen_resources.py                 write every file into resources/
    tools/gen_resources.py --check         regenerate in memory and verify: every committed
                                           file is byte for byte what the script makes, and
                                           every clip decodes back (RLE8) to its source frames
    tools/gen_resources.py --preview DIR   also write enlarged PNG previews into DIR
                                           (look at them; never commit them)

Everything is drawn here: a small anti-aliased rasterizer (filled polygons with even-odd
holes, strokes, ellipses, gradients, supersampled), a stroke font for the few letters and
digits that appear, a median-cut quantizer, and writers for BMP, ICO, CUR, WAV and
RLE8-compressed AVI. The output is deterministic: the same script writes the same bytes.

Files and their resource ids (resources/resource.h, resources/images.rc):
    tex_blue.bmp 159, tex_green.bmp 160, tex_grey.bmp 161   8 x 8 textures
    toolbar.bmp 151                                         20 images of 24 x 24, 8-bit
    main.ico 120, arrows.ico 149, picker.ico 156, speaker.ico 157,
    pad_right.ico 143, pad_down.ico 144, pad_left.ico 145, pad_up.ico 146,
    pad_turn.ico 147, pad_done.ico 150                      32 x 32 and 16 x 16, 32-bit
    gunsight.cur 163, hand.cur 137, pipette.cur 142         32 x 32 monochrome
    lost.wav 116, won.wav 118                               PCM mono 8-bit
    fan.avi 128, word.avi 135                               RLE8 clips, no sound
"""
import argparse
import math
import os
import struct
import sys
import zlib

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
RES_DIR = os.path.join(ROOT, "resources")


# =============================================================================
# Rasterizer
# =============================================================================
# Shapes are lists of contours; a contour is a list of (x, y) points in logical
# units (pixels of the final image, y down). A shape is filled with the even-odd
# rule, so a second contour inside the first makes a hole. Several shapes given
# to one fill() are united. The canvas samples ss x ss points per pixel and
# averages them down (premultiplied) in image().

def _q(v):
    # Coordinates are rounded to 1/4096 so that the last bits of the maths
    # library cannot move a sample across an edge.
    return round(v * 4096.0) / 4096.0


def mat_mul(m, n):
    a, b, c, d, e, f = m
    g, h, i, j, k, l = n
    return (a * g + b * j, a * h + b * k, a * i + b * l + c,
            d * g + e * j, d * h + e * k, d * i + e * l + f)


IDENT = (1.0, 0.0, 0.0, 0.0, 1.0, 0.0)


def m_translate(tx, ty):
    return (1.0, 0.0, tx, 0.0, 1.0, ty)


def m_scale(sx, sy=None, cx=0.0, cy=0.0):
    sy = sx if sy is None else sy
    return (sx, 0.0, cx - sx * cx, 0.0, sy, cy - sy * cy)


def m_rotate(deg, cx=0.0, cy=0.0):
    a = math.radians(deg)
    co, si = math.cos(a), math.sin(a)
    return (co, -si, cx - co * cx + si * cy, si, co, cy - si * cx - co * cy)


def apply(m, shape):
    a, b, c, d, e, f = m
    return [[(a * x + b * y + c, d * x + e * y + f) for x, y in ct] for ct in shape]


def _as_shapes(s):
    if isinstance(s[0][0], (int, float)):
        return [[s]]          # a bare contour
    if isinstance(s[0][0][0], (int, float)):
        return [s]            # one shape
    return s                  # a list of shapes


def _nseg(r):
    return max(12, min(160, int(4 * r) + 8))


def arc_pts(cx, cy, rx, ry, a0, a1, n=None):
    """Points of an elliptic arc; angles in degrees, 0 = right, 90 = down."""
    if n is None:
        n = max(2, int(_nseg(max(rx, ry)) * abs(a1 - a0) / 360.0) + 1)
    out = []
    for i in range(n + 1):
        a = math.radians(a0 + (a1 - a0) * i / n)
        out.append((cx + rx * math.cos(a), cy + ry * math.sin(a)))
    return out


def ellipse(cx, cy, rx, ry, n=None):
    n = n or _nseg(max(rx, ry))
    return [[(cx + rx * math.cos(2 * math.pi * i / n), cy + ry * math.sin(2 * math.pi * i / n))
             for i in range(n)]]


def circle(cx, cy, r, n=None):
    return ellipse(cx, cy, r, r, n)


def ring(cx, cy, ro, ri):
    return circle(cx, cy, ro) + circle(cx, cy, ri)


def rect(x0, y0, x1, y1):
    return [[(x0, y0), (x1, y0), (x1, y1), (x0, y1)]]


def rrect(x0, y0, x1, y1, r):
    r = min(r, (x1 - x0) / 2, (y1 - y0) / 2)
    if r <= 0:
        return rect(x0, y0, x1, y1)
    pts = []
    pts += arc_pts(x1 - r, y0 + r, r, r, -90, 0, 6)
    pts += arc_pts(x1 - r, y1 - r, r, r, 0, 90, 6)
    pts += arc_pts(x0 + r, y1 - r, r, r, 90, 180, 6)
    pts += arc_pts(x0 + r, y0 + r, r, r, 180, 270, 6)
    return [pts]


def poly(pts):
    return [list(pts)]


def star(cx, cy, ro, ri, n=5, rot=-90.0):
    pts = []
    for i in range(2 * n):
        r = ro if i % 2 == 0 else ri
        a = math.radians(rot + 180.0 * i / n)
        pts.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    return [pts]


def seg(p, q, w):
    (x0, y0), (x1, y1) = p, q
    dx, dy = x1 - x0, y1 - y0
    L = math.hypot(dx, dy)
    if L == 0:
        return None
    nx, ny = -dy / L * w / 2, dx / L * w / 2
    return [[(x0 + nx, y0 + ny), (x1 + nx, y1 + ny), (x1 - nx, y1 - ny), (x0 - nx, y0 - ny)]]


def stroke(pts, w, closed=False, cap="round"):
    """A polyline of width w as a list of shapes (segments, round joins and caps)."""
    shapes = []
    n = len(pts)
    last = n if closed else n - 1
    for i in range(last):
        p, q = pts[i], pts[(i + 1) % n]
        if cap == "square" and not closed:
            dx, dy = q[0] - p[0], q[1] - p[1]
            L = math.hypot(dx, dy) or 1.0
            ex, ey = dx / L * w / 2, dy / L * w / 2
            if i == 0:
                p = (p[0] - ex, p[1] - ey)
            if i == last - 1:
                q = (q[0] + ex, q[1] + ey)
        s = seg(p, q, w)
        if s:
            shapes.append(s)
    for i, p in enumerate(pts):
        end = not closed and (i == 0 or i == n - 1)
        if end and cap != "round":
            continue
        shapes.append(circle(p[0], p[1], w / 2, max(10, _nseg(w / 2) // 2 * 2)))
    return shapes


def outline(shape, w):
    """Strokes along every contour of a shape (for outlines)."""
    out = []
    for ct in shape:
        out += stroke(ct, w, closed=True)
    return out


def mix(c0, c1, t):
    return tuple(a + (b - a) * t for a, b in zip(c0, c1))


def vgrad(y0, c0, y1, c1):
    def f(x, y):
        t = 0.0 if y1 == y0 else min(1.0, max(0.0, (y - y0) / (y1 - y0)))
        return mix(c0, c1, t)
    return f


def lgrad(p0, c0, p1, c1):
    dx, dy = p1[0] - p0[0], p1[1] - p0[1]
    L2 = dx * dx + dy * dy or 1.0

    def f(x, y):
        t = ((x - p0[0]) * dx + (y - p0[1]) * dy) / L2
        return mix(c0, c1, min(1.0, max(0.0, t)))
    return f


def rgrad(cx, cy, r, c0, c1):
    def f(x, y):
        return mix(c0, c1, min(1.0, math.hypot(x - cx, y - cy) / r))
    return f


class Canvas:
    def __init__(self, w, h, ss=4, bg=None):
        self.w, self.h, self.ss = w, h, ss
        self.W, self.H = w * ss, h * ss
        fillv = 0 if bg is None else (0xFF000000 | (bg[0] << 16) | (bg[1] << 8) | bg[2])
        self.buf = [fillv] * (self.W * self.H)
        self.xf = [IDENT]

    # -- transforms ----------------------------------------------------------
    def push(self, m):
        self.xf.append(mat_mul(self.xf[-1], m))

    def pop(self):
        self.xf.pop()

    # -- scan conversion -----------------------------------------------------
    def _spans(self, shape):
        a, b, c, d, e, f = self.xf[-1]
        s = self.ss
        W, H = self.W, self.H
        rows = {}
        for ct in shape:
            pts = [(_q((a * x + b * y + c) * s), _q((d * x + e * y + f) * s)) for x, y in ct]
            n = len(pts)
            for i in range(n):
                x0, y0 = pts[i]
                x1, y1 = pts[(i + 1) % n]
                if y0 == y1:
                    continue
                if y0 > y1:
                    x0, y0, x1, y1 = x1, y1, x0, y0
                r0 = max(0, math.ceil(y0 - 0.5))
                r1 = min(H - 1, math.ceil(y1 - 0.5) - 1)
                if r1 < r0:
                    continue
                k = (x1 - x0) / (y1 - y0)
                for r in range(r0, r1 + 1):
                    rows.setdefault(r, []).append(x0 + (r + 0.5 - y0) * k)
        spans = {}
        for r, xs in rows.items():
            xs.sort()
            out = []
            for i in range(0, len(xs) - 1, 2):
                lo = max(0, math.ceil(xs[i] - 0.5))
                hi = min(W, math.ceil(xs[i + 1] - 0.5))
                if hi > lo:
                    out.append((lo, hi))
            if out:
                spans[r] = out
        return spans

    def _union(self, shapes):
        acc = {}
        for sh in shapes:
            for r, lst in self._spans(sh).items():
                acc.setdefault(r, []).extend(lst)
        for r in acc:
            lst = sorted(acc[r])
            merged = [list(lst[0])]
            for lo, hi in lst[1:]:
                if lo <= merged[-1][1]:
                    merged[-1][1] = max(merged[-1][1], hi)
                else:
                    merged.append([lo, hi])
            acc[r] = merged
        return acc

    # -- painting ------------------------------------------------------------
    def fill(self, shapes, paint, alpha=1.0):
        """paint: (r, g, b), a function (x, y) -> (r, g, b[, a]) in logical
        canvas coordinates, or None to erase to transparent."""
        if not shapes:
            return
        spans = self._union(_as_shapes(shapes))
        W, s, buf = self.W, self.ss, self.buf
        solid = isinstance(paint, tuple)
        if paint is None:
            for r, lst in spans.items():
                for lo, hi in lst:
                    buf[r * W + lo:r * W + hi] = [0] * (hi - lo)
            return
        if solid and alpha >= 1.0:
            v = 0xFF000000 | (int(round(paint[0])) << 16) | (int(round(paint[1])) << 8) | int(round(paint[2]))
            for r, lst in spans.items():
                for lo, hi in lst:
                    buf[r * W + lo:r * W + hi] = [v] * (hi - lo)
            return
        for r, lst in spans.items():
            y = (r + 0.5) / s
            for lo, hi in lst:
                for px in range(lo, hi):
                    if solid:
                        col = paint
                    else:
                        col = paint((px + 0.5) / s, y)
                    ca = alpha * (col[3] if len(col) > 3 else 1.0)
                    self._blend(r * W + px, col, ca)

    def _blend(self, i, col, ca):
        if ca <= 0:
            return
        d = self.buf[i]
        da = (d >> 24) / 255.0
        if ca >= 1.0 or da == 0.0:
            oa, nr, ng, nb = ca, col[0], col[1], col[2]
            if ca >= 1.0:
                oa = 1.0
        else:
            oa = ca + da * (1.0 - ca)
            w = da * (1.0 - ca)
            nr = (col[0] * ca + ((d >> 16) & 255) * w) / oa
            ng = (col[1] * ca + ((d >> 8) & 255) * w) / oa
            nb = (col[2] * ca + (d & 255) * w) / oa
        self.buf[i] = (int(round(oa * 255)) << 24) | (int(round(nr)) << 16) | \
                      (int(round(ng)) << 8) | int(round(nb))

    def ofill(self, shape, paint, line, w=1.0, alpha=1.0):
        """Fill a shape and draw its outline (width w, centred on the edge)."""
        self.fill(shape, paint, alpha)
        self.fill(outline(shape, w), line)

    def image(self):
        s, W = self.ss, self.W
        n = s * s
        out = []
        buf = self.buf
        for y in range(self.h):
            for x in range(self.w):
                sr = sg = sb = sa = 0
                for yy in range(y * s, y * s + s):
                    base = yy * W + x * s
                    for p in buf[base:base + s]:
                        a = p >> 24
                        if a:
                            sa += a
                            sr += ((p >> 16) & 255) * a
                            sg += ((p >> 8) & 255) * a
                            sb += (p & 255) * a
                if sa == 0:
                    out.append((0, 0, 0, 0))
                else:
                    out.append((int(round(sr / sa)), int(round(sg / sa)), int(round(sb / sa)),
                                int(round(sa / n))))
        return Img(self.w, self.h, out)


class Img:
    """A small RGBA image (straight alpha), rows top-down."""

    def __init__(self, w, h, px=None):
        self.w, self.h = w, h
        self.px = px if px is not None else [(0, 0, 0, 0)] * (w * h)

    def get(self, x, y):
        return self.px[y * self.w + x]

    def over(self, src, ox=0, oy=0):
        for y in range(src.h):
            for x in range(src.w):
                tx, ty = x + ox, y + oy
                if not (0 <= tx < self.w and 0 <= ty < self.h):
                    continue
                sr, sg, sb, sa = src.px[y * src.w + x]
                if sa == 0:
                    continue
                i = ty * self.w + tx
                dr, dg, db, da = self.px[i]
                a = sa / 255.0
                b = da / 255.0 * (1 - a)
                oa = a + b
                self.px[i] = (int(round((sr * a + dr * b) / oa)), int(round((sg * a + dg * b) / oa)),
                              int(round((sb * a + db * b) / oa)), int(round(oa * 255)))
        return self

    def flatten(self, bg):
        out = []
        for r, g, b, a in self.px:
            t = a / 255.0
            out.append((int(round(bg[0] + (r - bg[0]) * t)), int(round(bg[1] + (g - bg[1]) * t)),
                        int(round(bg[2] + (b - bg[2]) * t))))
        return out

    def map(self, fn):
        return Img(self.w, self.h, [fn(p) for p in self.px])

    def shadow(self, dx=1, dy=1, opacity=0.35, colour=(0, 0, 0)):
        """The image over a soft shadow of itself."""
        sh = Img(self.w, self.h)
        alpha = [p[3] for p in self.px]
        for y in range(self.h):
            for x in range(self.w):
                acc = 0.0
                wsum = 0.0
                for ky, kx, kw in ((0, 0, 4), (-1, 0, 2), (1, 0, 2), (0, -1, 2), (0, 1, 2),
                                   (-1, -1, 1), (1, 1, 1), (-1, 1, 1), (1, -1, 1)):
                    sx, sy = x - dx + kx, y - dy + ky
                    if 0 <= sx < self.w and 0 <= sy < self.h:
                        acc += alpha[sy * self.w + sx] * kw
                    wsum += kw
                a = int(round(acc / wsum * opacity))
                sh.px[y * self.w + x] = (colour[0], colour[1], colour[2], a)
        return sh.over(self)


def render(w, h, draw, ss=4, unit=None, **kw):
    """Draw with draw(canvas, **kw) in a coordinate system of `unit` logical
    units across (default w), and return the image."""
    c = Canvas(w, h, ss)
    if unit and unit != w:
        c.push(m_scale(w / unit))
    draw(c, **kw)
    return c.image()


# =============================================================================
# Stroke font: the few glyphs that appear (the word of clip 135 and digits).
# Coordinates: x right, y up from the baseline, cap height 1.0.
# =============================================================================

def _bowl(x0, ytop, ybot, xr):
    """A 'D' bowl: from the stem at ytop right to xr, round, back at ybot."""
    r = (ytop - ybot) / 2.0
    cy = ybot + r
    xc = max(x0, xr - r)
    pts = [(x0, ytop), (xc, ytop)]
    for i in range(1, 16):
        a = math.pi / 2 - math.pi * i / 16
        pts.append((xc + r * math.cos(a), cy + r * math.sin(a)))
    pts += [(xc, ybot), (x0, ybot)]
    return pts


def _oval(cx, cy, rx, ry, a0=0.0, a1=360.0, n=32):
    return [(cx + rx * math.cos(math.radians(a0 + (a1 - a0) * i / n)),
             cy + ry * math.sin(math.radians(a0 + (a1 - a0) * i / n))) for i in range(n + 1)]


XH = 0.66   # x-height
GLYPHS = {
    # Б: stem, top bar, lower bowl
    "Б": (0.66, [[(0.56, 1.0), (0.06, 1.0), (0.06, 0.0)], _bowl(0.06, 0.56, 0.0, 0.6)]),
    # р: stem with descender and a bowl at the x-height
    "р": (0.58, [[(0.06, XH), (0.06, -0.34)], _bowl(0.06, XH, 0.0, 0.56)]),
    # а: (italic, single storey) round bowl and a right stem with a small tail
    "а": (0.6, [_oval(0.27, XH / 2, 0.23, XH / 2),
                [(0.52, XH), (0.52, 0.08), (0.6, 0.0)]]),
    # в: stem with two bowls
    "в": (0.56, [[(0.06, XH), (0.06, 0.0)], _bowl(0.06, XH, 0.35, 0.46), _bowl(0.06, 0.35, 0.0, 0.54)]),
    # о: oval
    "о": (0.56, [_oval(0.28, XH / 2, 0.25, XH / 2)]),
    "1": (0.5, [[(0.08, 0.74), (0.3, 1.0), (0.3, 0.0)]]),
}


def glyph_shapes(ch, x, base, size, weight, shear=0.0):
    """Strokes of one glyph at pen position x, baseline y `base`, cap height `size`."""
    adv, strokes = GLYPHS[ch]
    out = []
    for st in strokes:
        pts = [(x + px * size + shear * py * size, base - py * size) for px, py in st]
        out += stroke(pts, weight)
    return adv * size, out


# =============================================================================
# Colour quantization (median cut) and palette helpers
# =============================================================================

def median_cut(counts, n):
    """counts: {(r,g,b): count}. Returns a palette of at most n colours."""
    cols = sorted(counts)
    if len(cols) <= n:
        return cols
    boxes = [cols]

    def score(box):
        if len(box) < 2:
            return -1
        rng = max(max(c[k] for c in box) - min(c[k] for c in box) for k in range(3))
        return rng * math.sqrt(sum(counts[c] for c in box))

    while len(boxes) < n:
        i = max(range(len(boxes)), key=lambda j: (score(boxes[j]), -j))
        box = boxes[i]
        if len(box) < 2:
            break
        k = max(range(3), key=lambda k: (max(c[k] for c in box) - min(c[k] for c in box), -k))
        box = sorted(box, key=lambda c: (c[k], c))
        total = sum(counts[c] for c in box)
        acc = 0
        cut = 1
        for j, c in enumerate(box):
            acc += counts[c]
            if acc * 2 >= total:
                cut = min(max(1, j + 1), len(box) - 1)
                break
        boxes[i:i + 1] = [box[:cut], box[cut:]]
    pal = []
    for box in boxes:
        t = sum(counts[c] for c in box)
        pal.append(tuple(int(round(sum(c[k] * counts[c] for c in box) / t)) for k in range(3)))
    return pal


def nearest(pal, c, cache):
    v = cache.get(c)
    if v is None:
        best, bd = 0, 1 << 30
        for i, p in enumerate(pal):
            d = (p[0] - c[0]) ** 2 * 3 + (p[1] - c[1]) ** 2 * 4 + (p[2] - c[2]) ** 2 * 2
            if d < bd:
                best, bd = i, d
        cache[c] = v = best
    return v


def quantize(images, ncolours, fixed=()):
    """images: lists of (r,g,b). Returns (palette, [index lists]); the colours
    in `fixed` come first in the palette, exactly."""
    counts = {}
    for im in images:
        for c in im:
            if c not in fixed:
                counts[c] = counts.get(c, 0) + 1
    pal = list(fixed) + median_cut(counts, ncolours - len(fixed))
    cache = {c: i for i, c in enumerate(fixed)}
    return pal, [[nearest(pal, c, cache) for c in im] for im in images]


# =============================================================================
# File formats
# =============================================================================

def bmp24(w, h, rgb):
    stride = (w * 3 + 3) // 4 * 4
    data = bytearray()
    for y in range(h - 1, -1, -1):
        row = bytearray()
        for x in range(w):
            r, g, b = rgb[y * w + x]
            row += bytes((b, g, r))
        data += row + b"\0" * (stride - w * 3)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(data), 0, 0, 0, 0)
    return struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54) + info + bytes(data)


def bmp8(w, h, idx, pal):
    stride = (w + 3) // 4 * 4
    data = bytearray()
    for y in range(h - 1, -1, -1):
        data += bytes(idx[y * w:(y + 1) * w]) + b"\0" * (stride - w)
    paldata = b"".join(bytes((b, g, r, 0)) for r, g, b in pal)
    off = 54 + len(paldata)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 8, 0, len(data), 0, 0, len(pal), len(pal))
    return struct.pack("<2sIHHI", b"BM", off + len(data), 0, 0, off) + info + paldata + bytes(data)


def _mask_rows(w, h, bits):
    """1-bit rows, bottom-up, each padded to 32 bits; bits[y*w+x] is 0 or 1."""
    stride = (w + 31) // 32 * 4
    out = bytearray()
    for y in range(h - 1, -1, -1):
        row = bytearray(stride)
        for x in range(w):
            if bits[y * w + x]:
                row[x >> 3] |= 0x80 >> (x & 7)
        out += row
    return bytes(out)


def ico(images):
    """images: Img objects (square). 32-bit BGRA with an AND mask."""
    blobs = []
    for im in images:
        w, h = im.w, im.h
        xor = bytearray()
        for y in range(h - 1, -1, -1):
            for x in range(w):
                r, g, b, a = im.px[y * w + x]
                if a == 0:
                    r = g = b = 0
                xor += bytes((b, g, r, a))
        andm = _mask_rows(w, h, [1 if p[3] < 128 else 0 for p in im.px])
        hdr = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 32, 0, len(xor) + len(andm), 0, 0, 0, 0)
        blobs.append(hdr + bytes(xor) + andm)
    out = struct.pack("<HHH", 0, 1, len(images))
    off = 6 + 16 * len(images)
    for im, blob in zip(images, blobs):
        out += struct.pack("<BBBBHHII", im.w % 256, im.h % 256, 0, 0, 1, 32, len(blob), off)
        off += len(blob)
    return out + b"".join(blobs)


def cur_mono(rows, hotspot):
    """rows: 32 strings of 32 characters: 'X' black, 'o' white, '~' inverted,
    anything else transparent."""
    w = h = 32
    assert len(rows) == h and all(len(r) == w for r in rows)
    flat = "".join(rows)
    xor = _mask_rows(w, h, [1 if ch in "o~" else 0 for ch in flat])
    andm = _mask_rows(w, h, [0 if ch in "Xo" else 1 for ch in flat])
    pal = bytes((0, 0, 0, 0, 255, 255, 255, 0))
    hdr = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 1, 0, len(xor) + len(andm), 0, 0, 2, 2)
    blob = hdr + pal + xor + andm
    return (struct.pack("<HHH", 0, 2, 1) +
            struct.pack("<BBBBHHII", w, h, 2, 0, hotspot[0], hotspot[1], len(blob), 22) + blob)


def wav8(rate, samples):
    data = bytes(samples)
    pad = b"\0" if len(data) % 2 else b""
    fmt = struct.pack("<HHIIHH", 1, 1, rate, rate, 1, 8)
    body = b"WAVE" + b"fmt " + struct.pack("<I", 16) + fmt + b"data" + struct.pack("<I", len(data)) + data + pad
    return b"RIFF" + struct.pack("<I", len(body)) + body


def png(w, h, rgba):
    raw = bytearray()
    for y in range(h):
        raw.append(0)
        for x in range(w):
            raw += bytes(rgba[y * w + x])

    def chunk(t, d):
        return struct.pack(">I", len(d)) + t + d + struct.pack(">I", zlib.crc32(t + d) & 0xFFFFFFFF)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 6, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))


# -- RLE8 (Microsoft run-length encoding of 8-bit DIBs) ------------------------

def rle8_encode(idx, w, h):
    """Encoded runs (count, value), absolute runs (0, n, n values, pad to a
    word), end of line (0, 0) after every row but the last, end of bitmap
    (0, 1). Rows bottom-up, as in a DIB."""
    out = bytearray()
    for y in range(h - 1, -1, -1):
        row = idx[y * w:(y + 1) * w]

        def run(x, limit=255):
            v, r = row[x], 1
            while x + r < w and row[x + r] == v and r < limit:
                r += 1
            return r
        x = 0
        while x < w:
            r = run(x)
            if r >= 3:
                out += bytes((r, row[x]))
                x += r
                continue
            s = x
            while x < w and x - s < 255:
                r = run(x, 255 - (x - s))
                if r >= 3:
                    break
                x += r
            n = x - s
            if n >= 3:
                out += bytes((0, n)) + bytes(row[s:x])
                if n % 2:
                    out.append(0)
            else:
                i = s
                while i < x:
                    r = 1
                    while i + r < x and row[i + r] == row[i]:
                        r += 1
                    out += bytes((r, row[i]))
                    i += r
        out += b"\0\0" if y > 0 else b"\0\1"
    return bytes(out)


def rle8_decode(data, w, h):
    """Decodes an RLE8 DIB into top-down indices. Raises ValueError on any
    malformed or incomplete stream."""
    img = [None] * (w * h)
    x, y = 0, h - 1        # y counts rows from the top of the image
    i = 0
    n = len(data)
    while True:
        if i + 2 > n:
            raise ValueError("RLE8: no end-of-bitmap")
        a, b = data[i], data[i + 1]
        i += 2
        if a > 0:
            if y < 0 or x + a > w:
                raise ValueError("RLE8: encoded run outside the image")
            for k in range(a):
                img[y * w + x + k] = b
            x += a
        elif b == 0:
            x, y = 0, y - 1
        elif b == 1:
            break
        elif b == 2:
            if i + 2 > n:
                raise ValueError("RLE8: truncated delta")
            x, y = x + data[i], y - data[i + 1]
            i += 2
        else:
            if y < 0 or x + b > w or i + b > n:
                raise ValueError("RLE8: absolute run outside the image")
            for k in range(b):
                img[y * w + x + k] = data[i + k]
            x += b
            i += b + (b & 1)
    if i != n:
        raise ValueError("RLE8: data after end-of-bitmap")
    if any(v is None for v in img):
        raise ValueError("RLE8: pixels left undefined")
    return img


# -- AVI -------------------------------------------------------------------------

def _chunk(fcc, data):
    return fcc + struct.pack("<I", len(data)) + data + (b"\0" if len(data) % 2 else b"")


def _list(kind, fcc, content):
    return kind + struct.pack("<I", len(content) + 4) + fcc + content


def avi_rle8(w, h, pal, frames, usec_per_frame, handler=b"RLE "):
    """One video stream of RLE8 frames (every frame a key frame), no sound."""
    enc = [rle8_encode(f, w, h) for f in frames]
    nf = len(enc)
    bufsize = max(len(e) for e in enc)
    bufsize += bufsize % 2
    rate_num, rate_den = 1000000, usec_per_frame
    g = math.gcd(rate_num, rate_den)
    rate, scale = rate_num // g, rate_den // g
    max_bps = (bufsize + 8) * rate // scale + 1
    avih = struct.pack("<10I4I", usec_per_frame, max_bps, 0, 0x10, nf, 0, 1, bufsize, w, h, 0, 0, 0, 0)
    strh = struct.pack("<4s4sIHHIIIIIIII4h", b"vids", handler, 0, 0, 0, 0, scale, rate, 0, nf,
                       bufsize, 0xFFFFFFFF, 0, 0, 0, w, h)
    strf = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 8, 1, bufsize, 0, 0, len(pal), len(pal)) + \
        b"".join(bytes((b, g_, r, 0)) for r, g_, b in pal)
    hdrl = _list(b"LIST", b"hdrl", _chunk(b"avih", avih) +
                 _list(b"LIST", b"strl", _chunk(b"strh", strh) + _chunk(b"strf", strf)))
    movi_body = b""
    index = b""
    for e in enc:
        index += struct.pack("<4sIII", b"00dc", 0x10, 4 + len(movi_body), len(e))
        movi_body += _chunk(b"00dc", e)
    movi = _list(b"LIST", b"movi", movi_body)
    return _list(b"RIFF", b"AVI ", hdrl + movi + _chunk(b"idx1", index))


def avi_parse(data):
    """Reads back what avi_rle8 writes: (header facts, palette, [frame bytes])."""
    def chunks(buf, start, end):
        i = start
        while i + 8 <= end:
            fcc = buf[i:i + 4]
            size = struct.unpack_from("<I", buf, i + 4)[0]
            yield fcc, i + 8, size
            i += 8 + size + (size & 1)
    if data[:4] != b"RIFF" or data[8:12] != b"AVI ":
        raise ValueError("not RIFF AVI")
    riff_size = struct.unpack_from("<I", data, 4)[0]
    if riff_size + 8 != len(data):
        raise ValueError("RIFF size")
    info = {}
    frames = []
    index = []
    movi_start = None
    pal = None
    for fcc, off, size in chunks(data, 12, len(data)):
        kind = data[off:off + 4] if fcc == b"LIST" else None
        if kind == b"hdrl":
            for f2, o2, s2 in chunks(data, off + 4, off + size):
                if f2 == b"avih":
                    v = struct.unpack_from("<10I", data, o2)
                    info.update(usec=v[0], flags=v[3], frames=v[4], streams=v[6], width=v[8], height=v[9])
                elif f2 == b"LIST" and data[o2:o2 + 4] == b"strl":
                    for f3, o3, s3 in chunks(data, o2 + 4, o2 + s2):
                        if f3 == b"strh":
                            info["type"] = data[o3:o3 + 4]
                            info["handler"] = data[o3 + 4:o3 + 8]
                            info["scale"], info["rate"] = struct.unpack_from("<II", data, o3 + 20)
                            info["length"], info["bufsize"] = struct.unpack_from("<II", data, o3 + 32)
                        elif f3 == b"strf":
                            bih = struct.unpack_from("<IiiHHIIiiII", data, o3)
                            info.update(bi_width=bih[1], bi_height=bih[2], bits=bih[4],
                                        compression=bih[5], size_image=bih[6])
                            ncol = bih[9]
                            p = data[o3 + 40:o3 + 40 + 4 * ncol]
                            pal = [(p[4 * k + 2], p[4 * k + 1], p[4 * k]) for k in range(ncol)]
        elif kind == b"movi":
            movi_start = off
            for f2, o2, s2 in chunks(data, off + 4, off + size):
                if f2 != b"00dc":
                    raise ValueError("unexpected chunk in movi: %r" % f2)
                frames.append(data[o2:o2 + s2])
        elif fcc == b"idx1":
            for k in range(size // 16):
                index.append(struct.unpack_from("<4sIII", data, off + 16 * k))
    if movi_start is None:
        raise ValueError("no movi list")
    if len(index) != len(frames):
        raise ValueError("idx1 has %d entries for %d frames" % (len(index), len(frames)))
    for (ck, flags, offset, length), fr in zip(index, frames):
        p = movi_start + offset
        if ck != b"00dc" or data[p:p + 4] != b"00dc" or length != len(fr) or \
                data[p + 8:p + 8 + length] != fr or not flags & 0x10:
            raise ValueError("idx1 entry does not match its chunk")
    return info, pal, frames


# =============================================================================
# Palette of the pictures
# =============================================================================
INK = (34, 42, 62)            # outlines
INK_SOFT = (70, 82, 104)
SEA_HI = (120, 186, 244)
SEA = (48, 124, 214)
SEA_LO = (24, 74, 160)
GRID = (150, 200, 246)
STEEL_HI = (222, 228, 236)
STEEL = (150, 162, 178)
STEEL_LO = (92, 104, 122)
RED_HI = (250, 110, 90)
RED = (214, 50, 40)
RED_LO = (150, 24, 20)
GOLD_HI = (255, 236, 130)
GOLD = (248, 196, 40)
GOLD_LO = (200, 128, 16)
GREEN_HI = (140, 224, 110)
GREEN = (60, 170, 70)
GREEN_LO = (26, 112, 44)
PAPER = (250, 250, 246)
PAPER_LO = (214, 218, 226)
SKIN = (246, 204, 160)
SKIN_LO = (214, 160, 112)
BLUE_TITLE_HI = (90, 150, 236)
BLUE_TITLE_LO = (24, 70, 170)
BG_GREY = (192, 192, 192)


# =============================================================================
# Textures 159, 160, 161 (8 x 8)
# =============================================================================
TEXTURES = {
    "tex_blue.bmp": ({".": (36, 96, 176), "l": (84, 146, 216), "w": (150, 196, 238), "d": (26, 76, 150)}, [
        "........",
        ".ww.....",
        "l..l....",
        "....d...",
        "........",
        ".....ww.",
        "....l..l",
        "d.......",
    ]),
    "tex_green.bmp": ({".": (22, 74, 44), "l": (34, 92, 56), "d": (14, 58, 34)}, [
        "l.......",
        ".l...d..",
        "..l.d...",
        "...d....",
        "..d.l...",
        ".d...l..",
        "d.....l.",
        ".......l",
    ]),
    "tex_grey.bmp": ({".": (176, 176, 180), "l": (196, 196, 200), "d": (158, 158, 164)}, [
        "l.......",
        ".d......",
        "........",
        "........",
        "....l...",
        ".....d..",
        "........",
        "........",
    ]),
}


def texture(name):
    cols, rows = TEXTURES[name]
    return [cols[ch] for row in rows for ch in row]


# =============================================================================
# Building blocks shared by the toolbar and the icons
# =============================================================================

def d_board(c, x0, y0, x1, y1, cells=3, ships=(), hit=None, r=1.5):
    """A patch of sea with a grid; ships: (col, row, length, horizontal)."""
    sh = rrect(x0, y0, x1, y1, r)
    c.fill(sh, lgrad((x0, y0), SEA_HI, (x1, y1), SEA_LO))
    cw, ch = (x1 - x0) / cells, (y1 - y0) / cells
    lines = []
    for i in range(1, cells):
        lines.append(rect(x0 + i * cw - 0.3, y0 + 0.6, x0 + i * cw + 0.3, y1 - 0.6))
        lines.append(rect(x0 + 0.6, y0 + i * ch - 0.3, x1 - 0.6, y0 + i * ch + 0.3))
    c.fill(lines, GRID, 0.75)
    for col, row, n, horiz in ships:
        sx0, sy0 = x0 + col * cw + 0.8, y0 + row * ch + 0.8
        sx1 = x0 + (col + (n if horiz else 1)) * cw - 0.8
        sy1 = y0 + (row + (1 if horiz else n)) * ch - 0.8
        c.ofill(rrect(sx0, sy0, sx1, sy1, 0.8), vgrad(sy0, STEEL_HI, sy1, STEEL_LO), INK, 0.6)
    if hit:
        col, row = hit
        cx, cy = x0 + (col + 0.5) * cw, y0 + (row + 0.5) * ch
        k = min(cw, ch) * 0.3
        c.fill(stroke([(cx - k, cy - k), (cx + k, cy + k)], 1.3) + stroke([(cx - k, cy + k), (cx + k, cy - k)], 1.3), RED)
    c.fill(outline(sh, 1.0), INK)


def d_window(c, x0, y0, x1, y1, title=(BLUE_TITLE_HI, BLUE_TITLE_LO), tb=3.6):
    """A small window frame with a title bar; returns the client rectangle."""
    sh = rrect(x0, y0, x1, y1, 1.2)
    c.fill(sh, PAPER_LO)
    c.fill(rect(x0, y0 + 0.4, x1, y0 + tb), vgrad(y0, title[0], y0 + tb, title[1]))
    c.fill(rect(x1 - 2.6, y0 + 1.0, x1 - 1.0, y0 + tb - 0.9), PAPER, 0.9)
    c.fill(outline(sh, 1.0), INK)
    return x0 + 0.9, y0 + tb, x1 - 0.9, y1 - 0.9


def d_monitor(c, x0, y0, x1, y1):
    w, h = x1 - x0, y1 - y0
    sy1 = y0 + h * 0.74
    body = rrect(x0, y0, x1, sy1, 1.2)
    cx = (x0 + x1) / 2
    c.ofill(poly([(cx - w * 0.14, sy1 - 0.5), (cx + w * 0.14, sy1 - 0.5), (cx + w * 0.2, y1 - 1.2), (cx - w * 0.2, y1 - 1.2)]),
            STEEL_LO, INK, 0.8)
    c.ofill(rrect(cx - w * 0.34, y1 - 1.8, cx + w * 0.34, y1, 0.8), vgrad(y1 - 2, STEEL, y1, STEEL_LO), INK, 0.8)
    c.ofill(body, vgrad(y0, STEEL_HI, sy1, STEEL), INK, 1.0)
    scr = rect(x0 + 1.4, y0 + 1.4, x1 - 1.4, sy1 - 1.4)
    c.fill(scr, lgrad((x0, y0), (90, 200, 250), (x1, sy1), (20, 70, 150)))
    c.fill(poly([(x0 + 1.4, y0 + 1.4), (x0 + w * 0.55, y0 + 1.4), (x0 + 1.4, sy1 - 2.5)]), (255, 255, 255), 0.25)


def d_person(c, cx, top, h, shirt=(SEA_HI, SEA_LO)):
    """Head and shoulders; h is the total height."""
    hr = h * 0.22
    by0 = top + h * 0.50
    body = [arc_pts(cx, top + h, h * 0.42, h * 0.52, 180, 360)]
    c.ofill(body, vgrad(by0, shirt[0], top + h, shirt[1]), INK, 1.0)
    c.fill(rect(cx - h * 0.6, top + h, cx + h * 0.6, top + h + 2), None)
    c.ofill(circle(cx, top + hr + 0.5, hr), rgrad(cx - hr * 0.4, top + hr * 0.6, hr * 1.6, (255, 226, 190), SKIN_LO), INK, 1.0)


def d_badge_one(c, cx, cy, r):
    c.ofill(circle(cx, cy, r), rgrad(cx - r * 0.4, cy - r * 0.4, r * 1.6, GOLD_HI, GOLD_LO), INK, 1.0)
    size = r * 1.15
    _, st = glyph_shapes("1", cx - 0.3 * size + 0.1, cy + size / 2, size, r * 0.36)
    c.fill(st, (120, 60, 0))


def d_arrow(c, cx, cy, length, width, head, angle, fill, line=INK, lw=1.0, hw=None):
    """A block arrow pointing in `angle` degrees (0 right, 90 down), centred;
    head is the length of the head, hw its half width."""
    L, W2, Hd = length / 2, width / 2, head
    hw = hw if hw is not None else width * 1.05 + head * 0.3
    pts = [(-L, -W2), (L - Hd, -W2), (L - Hd, -hw), (L, 0), (L - Hd, hw), (L - Hd, W2), (-L, W2)]
    sh = apply(m_rotate(angle, 0, 0), [pts])
    sh = apply(m_translate(cx, cy), sh)
    c.ofill(sh, fill, line, lw)


def d_star(c, cx, cy, r, hi, mid, lo):
    sh = star(cx, cy, r, r * 0.45)
    c.ofill(sh, rgrad(cx - r * 0.3, cy - r * 0.35, r * 1.3, hi, lo), INK, max(0.9, r * 0.1))
    c.fill(poly([(cx, cy - r * 0.82), (cx + r * 0.2, cy - r * 0.1), (cx - r * 0.22, cy - r * 0.05)]), (255, 255, 255), 0.35)


def d_ship_side(c, x0, x1, water, h, deck=True):
    """A warship seen from the side; the hull sits on y = water."""
    L = x1 - x0
    hull = poly([(x0, water - h * 0.45), (x1, water - h * 0.45), (x1 - L * 0.08, water + h * 0.12),
                 (x0 + L * 0.1, water + h * 0.12)])
    parts = []
    # superstructure, bridge, funnel, turrets
    parts.append((rect(x0 + L * 0.34, water - h * 0.85, x0 + L * 0.64, water - h * 0.42), STEEL))
    parts.append((rect(x0 + L * 0.40, water - h * 1.15, x0 + L * 0.55, water - h * 0.82), STEEL_HI))
    parts.append((rect(x0 + L * 0.58, water - h * 1.05, x0 + L * 0.66, water - h * 0.8), STEEL_LO))
    parts.append((rrect(x0 + L * 0.13, water - h * 0.68, x0 + L * 0.27, water - h * 0.42, h * 0.08), STEEL))
    parts.append((rrect(x0 + L * 0.71, water - h * 0.68, x0 + L * 0.85, water - h * 0.42, h * 0.08), STEEL))
    for sh, col in parts:
        c.ofill(sh, col, INK, max(0.7, h * 0.09))
    guns = stroke([(x0 + L * 0.2, water - h * 0.58), (x0 + L * 0.02, water - h * 0.66)], max(0.8, h * 0.1), cap="butt") + \
        stroke([(x0 + L * 0.78, water - h * 0.58), (x0 + L * 0.97, water - h * 0.66)], max(0.8, h * 0.1), cap="butt")
    c.fill(guns, INK)
    mast = stroke([(x0 + L * 0.475, water - h * 1.15), (x0 + L * 0.475, water - h * 1.6)], max(0.7, h * 0.08))
    c.fill(mast, INK)
    c.ofill(hull, vgrad(water - h * 0.45, (120, 130, 146), water + h * 0.12, (58, 64, 78)), INK, max(0.8, h * 0.1))


def d_waves(c, x0, x1, y, amp, period, w, col, alpha=1.0):
    pts = []
    n = int((x1 - x0) * 3) + 2
    for i in range(n + 1):
        x = x0 + (x1 - x0) * i / n
        pts.append((x, y + amp * math.sin(2 * math.pi * (x - x0) / period)))
    c.fill(stroke(pts, w), col, alpha)


def d_die(c, cx, cy, s, angle, pip=INK):
    c.push(m_rotate(angle, cx, cy))
    sh = rrect(cx - s / 2, cy - s / 2, cx + s / 2, cy + s / 2, s * 0.22)
    c.ofill(sh, lgrad((cx - s / 2, cy - s / 2), (255, 255, 255), (cx + s / 2, cy + s / 2), (206, 210, 222)), INK, 1.0)
    k = s * 0.27
    pr = s * 0.1
    pips = [circle(cx + dx, cy + dy, pr) for dx, dy in ((-k, -k), (k, -k), (0, 0), (-k, k), (k, k))]
    c.fill(pips, pip)
    c.pop()


def d_shell(c, cx, y0, y1, w, ghost=False):
    """An artillery shell standing upright, nose at y0, base at y1."""
    r = w / 2
    nose_h = w * 1.2
    body = [[(cx - r, y1)] + arc_pts(cx - r + w * 1.6, y0 + nose_h, w * 1.6, nose_h, 180, 220, 10)[:-1] +
            [(cx, y0)] + arc_pts(cx + r - w * 1.6, y0 + nose_h, w * 1.6, nose_h, 320, 360, 10)[1:] + [(cx + r, y1)]]
    if ghost:
        c.fill(body, (255, 255, 255), 0.35)
        c.fill(outline(body, 0.9), (110, 116, 130), 0.8)
        return
    c.fill(body, lgrad((cx - r, 0), (200, 206, 214), (cx + r, 0), (96, 104, 118)))
    band_y = y1 - (y1 - y0) * 0.42
    c.fill(rect(cx - r, band_y, cx + r, y1), lgrad((cx - r, 0), (250, 214, 120), (cx + r, 0), (170, 110, 30)))
    c.fill(rect(cx - r, band_y - 1.1, cx + r, band_y - 0.1), lgrad((cx - r, 0), (240, 140, 90), (cx + r, 0), (150, 50, 20)))
    c.fill(outline(body, 0.9), INK)


def d_gear(c, cx, cy, ro, ri, hole, teeth=8):
    pts = []
    for i in range(teeth):
        a = 360.0 * i / teeth
        for da, r in ((-13, ri), (-8, ro), (8, ro), (13, ri)):
            t = math.radians(a + da)
            pts.append((cx + r * math.cos(t), cy + r * math.sin(t)))
        t0, t1 = a + 13, a + 360.0 / teeth - 13
        pts += arc_pts(cx, cy, ri, ri, t0, t1, 4)[1:-1]
    sh = [pts] + circle(cx, cy, hole)
    c.ofill(sh, lgrad((cx - ro, cy - ro), STEEL_HI, (cx + ro, cy + ro), STEEL_LO), INK, 1.0)
    c.fill(outline(circle(cx, cy, (ri + hole) / 2), 0.8), (255, 255, 255), 0.35)


# =============================================================================
# Toolbar strip 151: twenty 24 x 24 images
# =============================================================================

def tb_new_game(c):
    d_board(c, 1.5, 6.5, 17.5, 22.5, 3, ships=[(0, 0, 2, True), (2, 1, 2, False), (0, 2, 1, True)])
    sh = star(17.5, 6.5, 6.2, 2.4, n=8, rot=-90)
    c.ofill(sh, rgrad(17, 6, 6, (255, 255, 210), GOLD), GOLD_LO, 0.9)


def tb_board_window(c, who):
    cx0, cy0, cx1, cy1 = d_window(c, 1.5, 2.5, 22.5, 21.5)
    c.fill(rect(cx0, cy0, cx1, cy1), lgrad((cx0, cy0), SEA_HI, (cx1, cy1), SEA_LO))
    lines = []
    for i in range(1, 5):
        x = cx0 + (cx1 - cx0) * i / 5
        y = cy0 + (cy1 - cy0) * i / 5
        lines.append(rect(x - 0.3, cy0, x + 0.3, cy1))
        lines.append(rect(cx0, y - 0.3, cx1, y + 0.3))
    c.fill(lines, GRID, 0.7)
    if who == "computer":
        d_monitor(c, 10.0, 9.5, 22.5, 21.8)
    else:
        c.ofill(rrect(cx0 + 1.2, cy0 + 1.4, cx0 + 9.6, cy0 + 4.0, 0.8), vgrad(cy0 + 1, STEEL_HI, cy0 + 4, STEEL_LO), INK, 0.7)
        d_person(c, 16.5, 9.6, 11.6, shirt=(GREEN_HI, GREEN_LO))


def tb_commentator(c):
    bub = [rrect(1.5, 2.5, 22.5, 16.5, 4.5)[0]]
    tail = poly([(6, 14), (12, 14), (4.5, 21.5)])
    c.fill([bub, tail], PAPER)
    c.fill(outline(bub, 1.0) + outline(tail, 1.0), INK)
    c.fill(rect(5.2, 13.6, 11.6, 16.0), PAPER)
    c.fill(stroke([(6, 6.5), (18, 6.5)], 1.6) + stroke([(6, 9.7), (16, 9.7)], 1.6) + stroke([(6, 12.9), (12.5, 12.9)], 1.6),
           (80, 110, 170))


def d_pad_cross(c, k, lw):
    """Four arrows pointing away from a centre knob; k scales from 24 units."""
    g = vgrad(1 * k, GREEN_HI, 23 * k, GREEN_LO)
    for ang in (0, 90, 180, 270):
        t = math.radians(ang)
        d_arrow(c, (12 + 7.6 * math.cos(t)) * k, (12 + 7.6 * math.sin(t)) * k, 8.4 * k, 3.0 * k, 4.2 * k,
                ang, g, INK, lw, hw=3.5 * k)
    c.ofill(circle(12 * k, 12 * k, 2.5 * k), rgrad(11 * k, 11 * k, 3 * k, GOLD_HI, GOLD_LO), INK, lw)


def tb_arrow_pad(c):
    d_pad_cross(c, 1.0, 0.9)


def d_picker_ships(c, x0, y0, cell, h, gap, lw=0.8, lengths=(4, 3, 2, 1)):
    for k, n in enumerate(lengths):
        y = y0 + k * (h + gap)
        x1 = x0 + n * cell
        sh = poly([(x0, y), (x1 - h * 0.5, y), (x1, y + h / 2), (x1 - h * 0.5, y + h), (x0 + h * 0.15, y + h)])
        c.fill(sh, vgrad(y, STEEL_HI, y + h, STEEL_LO))
        c.fill([rect(x0 + i * cell - 0.25, y + h * 0.25, x0 + i * cell + 0.25, y + h * 0.75) for i in range(1, n)], INK_SOFT)
        c.fill(outline(sh, lw), INK)


def tb_ship_picker(c):
    d_picker_ships(c, 1.8, 1.6, 5.1, 4.0, 1.6, lw=0.9)


def tb_arrange(c):
    d_window(c, 6.0, 1.5, 18.0, 8.5, tb=2.6)
    d_window(c, 1.5, 10.5, 11.0, 22.5, tb=2.6)
    d_window(c, 13.0, 10.5, 22.5, 22.5, tb=2.6)
    cl = [rect(2.4, 13.1, 10.1, 21.6), rect(13.9, 13.1, 21.6, 21.6)]
    c.fill(cl, lgrad((2, 13), SEA_HI, (22, 22), SEA_LO))
    c.fill(stroke([(8, 5.6), (16, 5.6)], 1.2), (110, 120, 140))


def tb_settings(c):
    d_gear(c, 12, 12, 10.6, 8.0, 3.4, teeth=8)


def tb_exit(c):
    # door frame, dark opening, door swung open, arrow leaving
    c.ofill(rect(3.5, 2.5, 14.5, 22.0), (70, 50, 40), INK, 1.0)
    c.fill(rect(4.6, 3.6, 13.4, 22.0), (30, 26, 34))
    door = poly([(4.6, 3.6), (10.4, 1.6), (10.4, 23.4), (4.6, 22.0)])
    c.ofill(door, lgrad((4, 0), (214, 150, 90), (11, 0), (150, 90, 46)), INK, 1.0)
    c.fill(circle(9.0, 12.6, 0.9), GOLD)
    d_arrow(c, 16.6, 12.2, 12.0, 4.0, 5.4, 0, vgrad(7, GREEN_HI, 17, GREEN_LO), INK, 1.0)


def tb_auto(c, on):
    d_board(c, 1.5, 1.5, 16.5, 16.5, 3, ships=[(0, 0, 3, True), (0, 2, 1, True)])
    d_die(c, 16.0, 16.0, 8.8, 14, pip=RED if on else INK)


def tb_off(img):
    """The 'off' state of an image: faded to grey, with a red bar across."""
    def fade(p):
        r, g, b, a = p
        y = 0.3 * r + 0.59 * g + 0.11 * b
        return (int(round(y * 0.55 + 100)), int(round(y * 0.55 + 100)), int(round(y * 0.55 + 104)), a)
    base = img.map(fade)
    c = Canvas(24, 24)
    c.fill(stroke([(3.5, 20.5), (20.5, 3.5)], 4.2), (255, 255, 255), 0.9)
    c.fill(stroke([(3.5, 20.5), (20.5, 3.5)], 2.6), RED)
    return base.over(c.image())


def tb_salvo(c, on):
    xs = (5.2, 12.0, 18.8)
    if on:
        burst = star(12, 5.5, 6.5, 2.6, n=9, rot=-90)
        c.fill(burst, rgrad(12, 5.5, 6.5, (255, 250, 200), (255, 150, 40)))
        for cx in xs:
            d_shell(c, cx, 4.5, 22.0, 5.2)
    else:
        d_shell(c, xs[0], 4.5, 22.0, 5.2, ghost=True)
        d_shell(c, xs[2], 4.5, 22.0, 5.2, ghost=True)
        d_shell(c, xs[1], 4.5, 22.0, 5.2)


def tb_first(c, who):
    if who == "human":
        d_person(c, 9.0, 2.0, 19.0)
    else:
        d_monitor(c, 1.0, 2.5, 17.0, 18.5)
    d_badge_one(c, 17.2, 16.8, 5.6)


def tb_statistics(c):
    bars = [(3.2, 13.5, RED_HI, RED_LO), (8.6, 6.0, GREEN_HI, GREEN_LO), (14.0, 9.5, SEA_HI, SEA_LO)]
    for x, top, hi, lo in bars:
        c.ofill(rect(x, top, x + 4.4, 20.5), lgrad((x, 0), hi, (x + 4.4, 0), lo), INK, 0.9)
    c.fill(stroke([(1.8, 1.8), (1.8, 21.2), (22.2, 21.2)], 1.5), INK)
    c.fill(stroke([(4.8, 10.8), (10.8, 4.2), (16.0, 7.0), (21.5, 2.4)], 1.2), GOLD_LO)


def tb_colours(c):
    pal = [arc_pts(12, 12.5, 10.8, 9.2, 0, 360, 48)] + circle(8.5, 16.8, 2.2)
    c.ofill(pal, lgrad((2, 3), (250, 226, 180), (22, 22), (206, 158, 100)), INK, 1.0)
    for (x, y), col in zip(((6.4, 9.8), (11.0, 6.6), (16.2, 7.4), (18.4, 12.4), (15.4, 17.0)),
                           (RED, GOLD, GREEN, SEA, (160, 70, 200))):
        c.ofill(circle(x, y, 2.1), col, tuple(v * 0.6 for v in col), 0.7)


def tb_level(c, n):
    if n == 1:
        d_star(c, 12, 12.6, 10.6, (250, 206, 160), (205, 127, 50), (150, 80, 30))
    elif n == 2:
        for cx, cy in ((7.0, 8.4), (17.0, 15.6)):
            d_star(c, cx, cy, 7.2, (255, 255, 255), (200, 206, 218), (120, 128, 146))
    else:
        for cx, cy in ((12, 6.4), (6.0, 16.2), (18.0, 16.2)):
            d_star(c, cx, cy, 6.4, GOLD_HI, GOLD, GOLD_LO)


def toolbar_images():
    mk = lambda fn, **kw: render(24, 24, fn, ss=4, **kw)
    imgs = [
        mk(tb_new_game),
        mk(tb_board_window, who="computer"),
        mk(tb_board_window, who="human"),
        mk(tb_commentator),
        mk(tb_arrow_pad),
        mk(tb_ship_picker),
        mk(tb_arrange),
        mk(tb_settings),
        mk(tb_exit),
        mk(tb_auto, on=True),
        tb_off(mk(tb_auto, on=False)),
        None,                       # 11 salvo off, below
        mk(tb_salvo, on=True),
        mk(tb_first, who="human"),
        mk(tb_first, who="computer"),
        mk(tb_statistics),
        mk(tb_colours),
        mk(tb_level, n=1),
        mk(tb_level, n=2),
        mk(tb_level, n=3),
    ]
    imgs[11] = mk(tb_salvo, on=False)
    return imgs


# Colours that CreateMappedBitmap (toolbar bitmaps) replaces by system colours:
# black, dark grey, light grey (the background, meant to be replaced by the
# button face), white. Pictures never use them exactly.
MAPPED = {(0, 0, 0), (128, 128, 128), (192, 192, 192), (255, 255, 255)}


def toolbar_strip(imgs):
    W, H = 24 * len(imgs), 24
    flat = [BG_GREY] * (W * H)
    for k, im in enumerate(imgs):
        rgb = im.flatten(BG_GREY)
        for y in range(24):
            for x in range(24):
                col = rgb[y * 24 + x]
                if im.px[y * 24 + x][3] == 0:
                    col = BG_GREY
                elif col in MAPPED:
                    col = tuple(v + 1 if v < 128 else v - 1 for v in col)
                flat[y * W + k * 24 + x] = col
    pal, (idx,) = quantize([flat], 256, fixed=(BG_GREY,))
    for i in range(1, len(pal)):
        if pal[i] in MAPPED:
            pal[i] = tuple(v + 1 if v < 128 else v - 1 for v in pal[i])
    return W, H, pal, idx


# =============================================================================
# Icons (32 x 32 and 16 x 16, drawn in a 32-unit space)
# =============================================================================

def ic_main(c, small=False):
    disc = circle(16, 16, 15.0)
    horizon = 20.5
    c.fill(disc, vgrad(1, (200, 232, 255), horizon, (120, 186, 240)))
    c.fill([[(0, horizon)] + [(32, horizon), (32, 32), (0, 32)]], vgrad(horizon, (40, 110, 200), 31, (14, 50, 120)))
    c.fill(circle(16, 16, 30.0)[0:1] + circle(16, 16, 15.0), None)      # clip to the disc
    if not small:
        d_waves(c, 2.0, 30.0, 25.0, 0.7, 4.0, 0.9, (190, 226, 255), 0.8)
        d_waves(c, 4.0, 28.0, 28.2, 0.7, 4.0, 0.9, (190, 226, 255), 0.6)
    d_ship_side(c, 4.0, 28.0, horizon + 0.6, 8.5 if not small else 9.5)
    w = 1.5 if not small else 2.4
    r = 6.8 if not small else 7.4
    cx, cy = 16.0, 14.8
    sight = [ring(cx, cy, r + w / 2, r - w / 2),
             rect(cx - w / 2, cy - r - 4.0, cx + w / 2, cy - r + 0.2), rect(cx - w / 2, cy + r - 0.2, cx + w / 2, cy + r + 4.0),
             rect(cx - r - 4.0, cy - w / 2, cx - r + 0.2, cy + w / 2), rect(cx + r - 0.2, cy - w / 2, cx + r + 4.0, cy + w / 2)]
    if not small:
        c.fill(sum((outline(sh, 1.0) for sh in sight), []), (255, 255, 255), 0.6)
    c.fill(sight, RED)
    c.fill(outline(disc, 1.3 if not small else 2.0), INK)


def ic_arrows(c, small=False):
    d_pad_cross(c, 32 / 24.0, 1.2 if not small else 2.0)


def ic_picker(c, small=False):
    c.ofill(rrect(1.5, 2.5, 30.5, 29.5, 3.0), vgrad(2, (214, 218, 226), 30, (160, 166, 178)), INK, 1.2 if not small else 2.0)
    if small:
        d_picker_ships(c, 5.0, 4.6, 5.7, 6.2, 2.4, lw=1.6, lengths=(4, 3, 2))
    else:
        d_picker_ships(c, 5.2, 4.9, 5.6, 4.2, 1.8, lw=1.0)


def ic_speaker(c, small=False):
    lw = 1.2 if not small else 2.0
    box = rrect(2.5, 11.5, 9.5, 20.5, 1.0)
    cone = poly([(9.0, 11.5), (17.5, 4.0), (17.5, 28.0), (9.0, 20.5)])
    c.ofill(cone, lgrad((9, 0), (120, 130, 146), (18, 0), (60, 66, 80)), INK, lw)
    c.ofill(box, vgrad(11, (150, 160, 176), 21, (70, 78, 94)), INK, lw)
    waves = []
    radii = (4.5, 8.5, 12.5) if not small else (5.5, 11.5)
    for r in radii:
        waves += stroke(arc_pts(17.5, 16.0, r, r, -48, 48, 12), 2.0 if not small else 3.0)
    c.fill(waves, RED)


def ic_pad_arrow(c, small=False, angle=0):
    lw = 1.3 if not small else 2.2
    d_arrow(c, 16, 16, 26.0, 9.0, 12.0, angle, vgrad(3, GREEN_HI, 29, GREEN_LO), INK, lw)


def ic_pad_turn(c, small=False):
    lw = 1.3 if not small else 2.2
    r, w = 9.5, 5.0
    a0, a1 = -30.0, 225.0
    outer = arc_pts(15.5, 17.0, r + w / 2, r + w / 2, a0, a1, 40)
    inner = arc_pts(15.5, 17.0, r - w / 2, r - w / 2, a1, a0, 40)
    # arrow head at angle a0, pointing along the clockwise tangent (upwards at the right side)
    t = math.radians(a0)
    px, py = 15.5 + r * math.cos(t), 17.0 + r * math.sin(t)
    tx, ty = math.sin(t), -math.cos(t)            # direction of decreasing angle
    nx, ny = math.cos(t), math.sin(t)
    hl, hw = 8.0, 7.6
    head = [(px + nx * hw, py + ny * hw), (px + tx * hl, py + ty * hl), (px - nx * hw, py - ny * hw)]
    body = poly(outer + inner)
    c.fill([body, poly(head)], vgrad(3, (255, 200, 110), 30, (214, 110, 20)))
    c.fill(outline(body, lw) + outline(poly(head), lw), INK)
    # cover the seam between head and body
    c.fill(seg((px - nx * (w / 2 - lw / 2), py - ny * (w / 2 - lw / 2)),
               (px + nx * (w / 2 - lw / 2), py + ny * (w / 2 - lw / 2)), lw * 1.6), (236, 150, 50))


def ic_pad_done(c, small=False):
    pts = [(5.0, 17.0), (12.5, 24.5), (27.0, 7.0)]
    c.fill(stroke(pts, 9.2 if not small else 10.4), INK)
    c.fill(stroke(pts, 6.6 if not small else 6.4), vgrad(6, GREEN_HI, 26, GREEN_LO))


ICONS = {
    "main.ico": (ic_main, {}),
    "arrows.ico": (ic_arrows, {}),
    "picker.ico": (ic_picker, {}),
    "speaker.ico": (ic_speaker, {}),
    "pad_right.ico": (ic_pad_arrow, {"angle": 0}),
    "pad_down.ico": (ic_pad_arrow, {"angle": 90}),
    "pad_left.ico": (ic_pad_arrow, {"angle": 180}),
    "pad_up.ico": (ic_pad_arrow, {"angle": 270}),
    "pad_turn.ico": (ic_pad_turn, {}),
    "pad_done.ico": (ic_pad_done, {}),
}


def icon_images(name):
    fn, kw = ICONS[name]
    big = render(32, 32, fn, ss=4, unit=32, small=False, **kw)
    small = render(16, 16, fn, ss=8, unit=32, small=True, **kw)
    return [big.shadow(1, 1, 0.3), small]


# =============================================================================
# Cursors (32 x 32 monochrome): 'X' black, 'o' white, '.' transparent
# =============================================================================

def _mask_to_rows(mask, fill="o", edge="X", halo=None):
    """mask: set of (x, y). Pixels of the mask next to the outside become the
    edge colour, the rest the fill; with halo, the outside neighbours of the
    mask are drawn in that colour too."""
    rows = [["."] * 32 for _ in range(32)]
    for (x, y) in mask:
        inner = all((x + dx, y + dy) in mask for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))
        rows[y][x] = fill if inner else edge
    if halo:
        for (x, y) in mask:
            for dx in (-1, 0, 1):
                for dy in (-1, 0, 1):
                    p = (x + dx, y + dy)
                    if p not in mask and 0 <= p[0] < 32 and 0 <= p[1] < 32:
                        rows[p[1]][p[0]] = halo
    return ["".join(r) for r in rows]


def _coverage_mask(draw, threshold=0.5):
    im = render(32, 32, draw, ss=8)
    return {(i % 32, i // 32) for i, p in enumerate(im.px) if p[3] >= threshold * 255}


def cursor_gunsight():
    # Black sight with a white halo, centred on pixel (16, 16).
    def draw(c):
        c.fill(ring(16.5, 16.5, 9.0, 8.0), (0, 0, 0))
        c.fill([rect(16, 2, 17, 12), rect(16, 21, 17, 31), rect(2, 16, 12, 17), rect(21, 16, 31, 17),
                rect(16, 16, 17, 17)], (0, 0, 0))
    m = _coverage_mask(draw)
    rows = [["."] * 32 for _ in range(32)]
    for (x, y) in m:
        for dx in (-1, 0, 1):
            for dy in (-1, 0, 1):
                if (x + dx, y + dy) not in m and 0 <= x + dx < 32 and 0 <= y + dy < 32:
                    rows[y + dy][x + dx] = "o"
    for (x, y) in m:
        rows[y][x] = "X"
    return ["".join(r) for r in rows], (16, 16)


HAND = [
    "     XX         ",
    "    XooX        ",
    "    XooX        ",
    "    XooX        ",
    "    XooX        ",
    "    XooXXX      ",
    "    XooXooXXX   ",
    "    XooXooXooXX ",
    " XX XooXooXooXoX",
    "XooXXooooooooXoX",
    "XoooXooooooooooX",
    " XooXooooooooooX",
    "  XoXooooooooooX",
    "  XooooooooooooX",
    "   XoooooooooooX",
    "   XooooooooooX ",
    "    XoooooooooX ",
    "    XoooooooooX ",
    "     XooooooooX ",
    "     XooooooooX ",
    "     XXXXXXXXXX ",
]


def cursor_hand():
    rows = [(r + " " * 32)[:32] for r in HAND] + [" " * 32] * (32 - len(HAND))
    return rows, (5, 0)


def cursor_pipette():
    # A dropper lying from its tip at (3, 18) up to the right; white with a black edge.
    def draw(c):
        c.push(m_rotate(-45, 3.5, 18.5))
        x0, y = 3.5, 18.5
        tip = poly([(x0 - 0.6, y), (x0 + 2.5, y - 1.6), (x0 + 11, y - 2.2), (x0 + 11, y + 2.2), (x0 + 2.5, y + 1.6)])
        collar = rrect(x0 + 10.5, y - 3.8, x0 + 14.0, y + 3.8, 0.8)
        bulb = rrect(x0 + 13.5, y - 3.3, x0 + 23.0, y + 3.3, 3.3)
        c.fill([tip, collar, bulb], (0, 0, 0))
        c.pop()
    m = _coverage_mask(draw, 0.45)
    m.add((3, 18))
    rows = _mask_to_rows(m)
    return rows, (3, 18)


# =============================================================================
# Sounds
# =============================================================================

def _note_hz(n):
    """MIDI note number to frequency."""
    return 440.0 * 2.0 ** ((n - 69) / 12.0)


def synth(rate, nsamples, notes, gain):
    """notes: (start s, length s, midi note, bend in semitones towards the end,
    vibrato depth in semitones, loudness, fade over the note 0..1).
    A brass-like tone: a few harmonics that brighten with the attack.
    Returns unsigned 8-bit samples."""
    out = [0.0] * nsamples
    nyq = rate / 2.0
    for start, length, note, bend, vib, loud, fade in notes:
        i0 = int(start * rate)
        n = int(length * rate)
        phase = 0.0
        for i in range(n):
            if i0 + i >= nsamples:
                break
            t = i / rate
            u = i / n
            semis = note + bend * max(0.0, (u - 0.55) / 0.45) ** 2 + vib * math.sin(2 * math.pi * 5.2 * t) * min(1.0, t / 0.25)
            f = _note_hz(semis)
            phase += 2 * math.pi * f / rate
            att = min(1.0, t / 0.02)
            rel = min(1.0, (n - i) / (min(0.08, length * 0.2) * rate))
            env = att * rel * (0.75 + 0.25 * math.exp(-t * 6.0)) * (1.0 - fade * u)
            bright = 0.35 + 0.65 * att * (1.0 - 0.5 * u)
            s = 0.0
            for k, a in ((1, 1.0), (2, 0.55), (3, 0.42), (4, 0.28), (5, 0.18), (6, 0.11), (7, 0.07)):
                if k * f < nyq * 0.9:
                    s += a * (bright ** ((k - 1) * 0.5)) * math.sin(k * phase)
            out[i0 + i] += loud * env * s
    peak = max(abs(v) for v in out) or 1.0
    res = []
    for v in out:
        x = int(round(128 + 127 * gain * v / peak))
        res.append(max(0, min(255, x)))
    return res


def sound_lost():
    # "wah, wah, wah, waaah": four falling notes, the last one long, wavering and sagging.
    rate = 11025
    n = 33074                                      # 3.0 s
    notes = [(0.05, 0.50, 62, -0.4, 0.0, 1.0, 0.2), (0.62, 0.50, 61, -0.4, 0.0, 1.0, 0.2),
             (1.19, 0.50, 60, -0.4, 0.0, 1.0, 0.2), (1.76, 1.20, 59, -1.2, 0.35, 1.1, 0.85)]
    return rate, synth(rate, n, notes, 0.85)


def sound_won():
    # A short fanfare: three quick rising notes and a held chord.
    rate = 11000
    n = 11550                                      # 1.05 s
    notes = [(0.00, 0.13, 67, 0, 0, 1.5, 0.3), (0.14, 0.13, 72, 0, 0, 1.5, 0.3), (0.28, 0.13, 76, 0, 0, 1.5, 0.3),
             (0.42, 0.62, 79, 0, 0.12, 1.0, 0.7), (0.42, 0.62, 76, 0, 0.0, 0.55, 0.7), (0.42, 0.62, 72, 0, 0.0, 0.5, 0.7)]
    return rate, synth(rate, n, notes, 0.85)


# =============================================================================
# Clip 128: a desk fan turning its head, blades spinning (64 x 72, 36 frames)
# =============================================================================
FAN_W, FAN_H, FAN_FRAMES, FAN_USEC = 64, 72, 36, 50000
CLIP_BG = (192, 192, 192)
PLASTIC_HI = (250, 250, 244)
PLASTIC = (214, 216, 212)
PLASTIC_LO = (140, 146, 150)


def fan_frame(k):
    c = Canvas(FAN_W, FAN_H, ss=3, bg=CLIP_BG)
    yaw = math.radians(48.0) * math.sin(2 * math.pi * k / FAN_FRAMES)
    co, si = math.cos(yaw), math.sin(yaw)
    spin = 40.0 * k                       # degrees; 36 * 40 = 12 turns of a third
    px, cy = 32.0, 25.0                   # pivot column, height of the fan's axis
    cx = px + 5.0 * si                    # centre of the guard
    bx = px - 9.0 * si                    # back of the motor

    # floor shadow and base
    c.fill(ellipse(32, 67.0, 23, 3.6), (0, 0, 0), 0.16)
    base = [ellipse(32, 65.0, 18.5, 4.6)[0]]
    c.fill(base, lgrad((14, 0), PLASTIC, (50, 0), PLASTIC_LO))
    c.fill(rect(13.5, 62.0, 50.5, 65.0), lgrad((14, 0), PLASTIC, (50, 0), PLASTIC_LO))
    top = ellipse(32, 62.0, 18.5, 4.6)
    c.fill(top, lgrad((20, 58), PLASTIC_HI, (44, 66), PLASTIC))
    c.fill(outline(top, 0.7), PLASTIC_LO, 0.8)
    c.fill(ellipse(40.5, 62.6, 2.6, 1.0), (230, 70, 50))
    # stand
    c.fill(rect(30.0, 34.0, 34.0, 62.5), lgrad((30, 0), PLASTIC_HI, (34, 0), PLASTIC_LO))
    c.fill(rect(29.0, 44.0, 35.0, 46.0), lgrad((29, 0), PLASTIC, (35, 0), PLASTIC_LO))

    # motor housing (a cylinder along the fan's axis), behind the guard
    mr = 7.0
    cap = [ellipse(bx, cy, max(0.6, mr * abs(co)) + 2.5 * abs(si), mr)[0]]
    body = rect(min(bx, cx), cy - mr, max(bx, cx), cy + mr)
    c.fill([cap, body], vgrad(cy - mr, (200, 204, 208), cy + mr, (104, 110, 118)))
    c.fill(outline(cap, 0.6), (90, 96, 104), 0.8)
    c.fill(rect(min(bx, cx), cy - mr + 1.2, max(bx, cx), cy - mr + 2.2), PLASTIC_HI, 0.5)
    # neck to the stand
    c.fill(poly([(30.2, 35.0), (33.8, 35.0), (px + 2.6, cy + 5.0), (px - 2.6, cy + 5.0)]), PLASTIC_LO)

    def to_screen(u, v, depth=0.0):
        # a point of the fan's disc plane (u right, v up), `depth` towards the viewer
        return (cx + u * co + depth * si, cy - v)

    R = 19.0
    # rear grille: thin spokes seen through the blades
    rear = []
    for i in range(12):
        a = math.radians(i * 30 + 15)
        rear += stroke([to_screen(4.5 * math.cos(a), 4.5 * math.sin(a), -2.5),
                        to_screen(R * math.cos(a), R * math.sin(a), -2.0)], 0.5)
    c.fill(rear, (120, 126, 136), 0.45)

    # blades: a faint trail, then the blades themselves
    def blade(alpha_deg):
        lead = ((3.0, 6), (5.5, 17), (9.0, 26), (12.5, 30), (15.2, 28), (17.0, 20), (17.8, 8))
        trail = ((17.8, 0), (16.8, -10), (14.0, -15), (10.0, -15), (6.0, -12), (3.0, -7))
        pts = []
        for r, da in lead + trail:
            a = math.radians(alpha_deg + da)
            pts.append(to_screen(r * math.cos(a), r * math.sin(a), 0.6 * r / 16))
        return [pts]
    for b in range(3):
        c.fill(blade(spin + 120 * b - 22), (110, 160, 220), 0.28)
    for b in range(3):
        sh = blade(spin + 120 * b)
        c.fill(sh, lgrad((cx - 16, cy - 16), (160, 206, 250), (cx + 16, cy + 16), (50, 110, 196)), 0.92)
        c.fill(outline(sh, 0.5), (40, 86, 160), 0.7)

    # hub
    hub = ellipse(cx + 1.4 * si, cy, max(0.8, 4.2 * abs(co)) + 0.6 * abs(si), 4.2)
    c.fill(hub, rgrad(cx - 1.5, cy - 1.5, 5, PLASTIC_HI, PLASTIC_LO))
    c.fill(outline(hub, 0.5), PLASTIC_LO)

    # front grille and rim
    front = []
    for i in range(16):
        a = math.radians(i * 22.5)
        front += stroke([to_screen(5.5 * math.cos(a), 5.5 * math.sin(a), 2.0),
                         to_screen(R * math.cos(a), R * math.sin(a), 0.8)], 0.55)
    for rr in (R * 0.42, R * 0.72):
        n = 48
        pts = [to_screen(rr * math.cos(2 * math.pi * i / n), rr * math.sin(2 * math.pi * i / n), 1.5) for i in range(n)]
        front += stroke(pts, 0.5, closed=True)
    c.fill(front, (96, 104, 116), 0.7)
    rim = [to_screen(R * math.cos(2 * math.pi * i / 64), R * math.sin(2 * math.pi * i / 64), 0.5) for i in range(64)]
    c.fill(stroke(rim, 1.8, closed=True), (110, 118, 130))
    c.fill(stroke(rim[40:60], 0.7), (236, 240, 246), 0.8)
    return c.image()


# =============================================================================
# Clip 135: "Браво" (288 x 88, 6 frames); in frame k > 0 letter k is light blue
# =============================================================================
WORD = "Браво"
WORD_W, WORD_H, WORD_USEC = 288, 88, 500000
LIGHT_BLUE = (96, 176, 255)


def word_frame(k):
    c = Canvas(WORD_W, WORD_H, ss=3, bg=CLIP_BG)
    size, weight, shear, gap = 50.0, 9.6, 0.22, 19.0
    # The won dialog shows only about the left 250 x 80 pixels of the frame,
    # so the word starts near the left edge instead of being centred.
    x = 6.0
    base = 61.0
    for i, ch in enumerate(WORD):
        adv, shapes = glyph_shapes(ch, x, base, size, weight, shear)
        c.fill(shapes, LIGHT_BLUE if i + 1 == k else (0, 0, 0))
        x += adv + gap
    return c.image()


def clip(frames, ncolours):
    rgb = [f.flatten(CLIP_BG) for f in frames]
    pal, idx = quantize(rgb, ncolours, fixed=(CLIP_BG,))
    return pal, idx


# =============================================================================
# Previews (PNG, enlarged; only for looking at)
# =============================================================================

def _enlarge(w, h, rgba, k, checker=True):
    out = []
    for y in range(h * k):
        for x in range(w * k):
            r, g, b, a = rgba[(y // k) * w + x // k]
            if checker:
                bgv = 236 if ((x // 8) + (y // 8)) % 2 else 206
            else:
                bgv = 255
            t = a / 255.0
            out.append((int(bgv + (r - bgv) * t), int(bgv + (g - bgv) * t), int(bgv + (b - bgv) * t), 255))
    return w * k, h * k, out


def _sheet(tiles, cols, pad, bg=(255, 255, 255, 255)):
    """tiles: (w, h, rgba) all the same size; a grid with padding."""
    tw, th = tiles[0][0], tiles[0][1]
    rows = (len(tiles) + cols - 1) // cols
    W, H = cols * (tw + pad) + pad, rows * (th + pad) + pad
    px = [bg] * (W * H)
    for i, (w, h, t) in enumerate(tiles):
        ox, oy = pad + (i % cols) * (tw + pad), pad + (i // cols) * (th + pad)
        for y in range(h):
            px[(oy + y) * W + ox:(oy + y) * W + ox + w] = t[y * w:(y + 1) * w]
    return W, H, px


def write_previews(d, art):
    os.makedirs(d, exist_ok=True)

    def save(name, w, h, px):
        with open(os.path.join(d, name), "wb") as f:
            f.write(png(w, h, px))
    # toolbar as the bitmap holds it, and over a 240-grey face with the light grey masked out
    W, H, pal, idx = art["toolbar"]
    rgba = [pal[i] + (255,) for i in idx]
    save("toolbar.png", *_enlarge(W, H, rgba, 3, checker=False))
    face = [(240, 240, 240, 255) if i == 0 else pal[i] + (255,) for i in idx]
    save("toolbar_face240.png", *_enlarge(W, H, face, 3, checker=False))
    tiles = [_enlarge(24, 24, [face[y * W + k * 24 + x] for y in range(24) for x in range(24)], 6, False)
             for k in range(20)]
    save("toolbar_sheet.png", *_sheet(tiles, 5, 8))
    # icons
    tiles = []
    for name in ICONS:
        big, small = art["icons"][name]
        tiles.append(_enlarge(32, 32, big.px, 5))
        s = _enlarge(16, 16, small.px, 5)
        pad16 = [(255, 255, 255, 255)] * (160 * 160)
        for y in range(80):
            pad16[y * 160:y * 160 + 80] = s[2][y * 80:(y + 1) * 80]
        tiles.append((160, 160, pad16))
    save("icons.png", *_sheet(tiles, 4, 8))
    # icons at real size over a dialog face and over white
    tiles = []
    for name in ICONS:
        big, small = art["icons"][name]
        for bgc in ((240, 240, 240), (255, 255, 255), (40, 40, 40)):
            t = Img(32, 32, [bgc + (255,)] * 1024).over(big)
            tiles.append((32, 32, t.px))
    W2, H2, px2 = _sheet(tiles, 6, 2)
    save("icons_real.png", *_enlarge(W2, H2, px2, 2, False))
    # cursors
    tiles = []
    for name, (rows, hot) in art["cursors"].items():
        px = []
        for y, row in enumerate(rows):
            for x, ch in enumerate(row):
                if (x, y) == hot:
                    px.append((255, 0, 0, 255))
                elif ch == "X":
                    px.append((0, 0, 0, 255))
                elif ch == "o":
                    px.append((255, 255, 255, 255))
                elif ch == "~":
                    px.append((255, 0, 255, 255))
                else:
                    px.append((0, 0, 0, 0))
        tiles.append(_enlarge(32, 32, px, 8))
    save("cursors.png", *_sheet(tiles, 3, 8))
    # textures, tiled
    tiles = []
    for name in TEXTURES:
        t = texture(name)
        px = [t[(y % 8) * 8 + x % 8] + (255,) for y in range(48) for x in range(48)]
        tiles.append(_enlarge(48, 48, px, 4, False))
    save("textures.png", *_sheet(tiles, 3, 8))
    # clips: every frame, decoded from the AVI bytes
    for name, cols, k in (("fan.avi", 9, 3), ("word.avi", 2, 2)):
        info, pal, frames = avi_parse(art["files"][name])
        w, h = info["width"], info["height"]
        tiles = [_enlarge(w, h, [pal[i] + (255,) for i in rle8_decode(f, w, h)], k, False) for f in frames]
        save(name.replace(".avi", "_frames.png"), *_sheet(tiles, cols, 6))
    # sounds: waveforms
    for name in ("lost.wav", "won.wav"):
        data = art["files"][name]
        n = struct.unpack_from("<I", data, 40)[0]
        samples = data[44:44 + n]
        Wd, Hd = 900, 200
        px = [(255, 255, 255, 255)] * (Wd * Hd)
        per = max(1, n // Wd)
        for x in range(Wd):
            chunk = samples[x * per:(x + 1) * per] or b"\x80"
            lo, hi = min(chunk), max(chunk)
            for v in range(lo, hi + 1):
                y = Hd - 1 - v * (Hd - 1) // 255
                px[y * Wd + x] = (30, 60, 160, 255)
        save(name.replace(".wav", "_wave.png"), Wd, Hd, px)


# =============================================================================
# Everything
# =============================================================================

def build():
    files = {}
    art = {"icons": {}, "cursors": {}}
    for name in TEXTURES:
        files[name] = bmp24(8, 8, texture(name))
    W, H, pal, idx = toolbar_strip(toolbar_images())
    files["toolbar.bmp"] = bmp8(W, H, idx, pal)
    art["toolbar"] = (W, H, pal, idx)
    for name in ICONS:
        imgs = icon_images(name)
        art["icons"][name] = imgs
        files[name] = ico(imgs)
    for name, fn in (("gunsight.cur", cursor_gunsight), ("hand.cur", cursor_hand), ("pipette.cur", cursor_pipette)):
        rows, hot = fn()
        art["cursors"][name] = (rows, hot)
        files[name] = cur_mono(rows, hot)
    rate, s = sound_lost()
    files["lost.wav"] = wav8(rate, s)
    rate, s = sound_won()
    files["won.wav"] = wav8(rate, s)
    clips = {}
    pal, frames = clip([fan_frame(k) for k in range(FAN_FRAMES)], 48)
    files["fan.avi"] = avi_rle8(FAN_W, FAN_H, pal, frames, FAN_USEC)
    clips["fan.avi"] = (FAN_W, FAN_H, FAN_FRAMES, FAN_USEC, frames)
    pal, frames = clip([word_frame(k) for k in range(len(WORD) + 1)], 32)
    files["word.avi"] = avi_rle8(WORD_W, WORD_H, pal, frames, WORD_USEC)
    clips["word.avi"] = (WORD_W, WORD_H, len(WORD) + 1, WORD_USEC, frames)
    art["files"] = files
    return files, clips, art


def check(files, clips):
    problems = []
    for name, data in sorted(files.items()):
        path = os.path.join(RES_DIR, name)
        try:
            with open(path, "rb") as f:
                disk = f.read()
        except OSError as e:
            problems.append("%s: cannot read (%s)" % (name, e))
            continue
        if disk != data:
            problems.append("%s: differs from what tools/gen_resources.py makes (regenerate and commit)" % name)
    for name, (w, h, nframes, usec, frames) in sorted(clips.items()):
        try:
            with open(os.path.join(RES_DIR, name), "rb") as f:
                info, pal, enc = avi_parse(f.read())
        except (OSError, ValueError, struct.error) as e:
            problems.append("%s: %s" % (name, e))
            continue
        want = dict(width=w, height=h, bi_width=w, bi_height=h, frames=nframes, length=nframes, usec=usec,
                    streams=1, type=b"vids", handler=b"RLE ", bits=8, compression=1)
        for k, v in want.items():
            if info.get(k) != v:
                problems.append("%s: %s is %r, expected %r" % (name, k, info.get(k), v))
        if info.get("bufsize", 0) < max((len(e) for e in enc), default=0) or \
                info.get("size_image", 0) < max((len(e) for e in enc), default=0):
            problems.append("%s: buffer sizes smaller than the largest frame" % name)
        if len(enc) != nframes:
            problems.append("%s: %d frames, expected %d" % (name, len(enc), nframes))
        for i, (data, src) in enumerate(zip(enc, frames)):
            try:
                dec = rle8_decode(data, w, h)
            except ValueError as e:
                problems.append("%s frame %d: %s" % (name, i, e))
                continue
            if dec != src:
                bad = sum(1 for a, b in zip(dec, src) if a != b)
                problems.append("%s frame %d: %d pixels decode differently" % (name, i, bad))
            if max(dec) >= len(pal):
                problems.append("%s frame %d: index outside the palette" % (name, i))
    return problems


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("--check", action="store_true", help="verify the committed files; write nothing")
    ap.add_argument("--preview", metavar="DIR", help="write PNG previews into DIR")
    args = ap.parse_args()
    files, clips, art = build()
    if args.preview:
        write_previews(args.preview, art)
    if args.check:
        problems = check(files, clips)
        for p in problems:
            print("gen_resources --check: " + p, file=sys.stderr)
        if problems:
            return 1
        print("gen_resources --check: %d files match; %d clips decode back to their %d frames" %
              (len(files), len(clips), sum(c[2] for c in clips.values())))
        return 0
    for name, data in sorted(files.items()):
        with open(os.path.join(RES_DIR, name), "wb") as f:
            f.write(data)
    print("wrote %d files into %s" % (len(files), RES_DIR))
    return 0


if __name__ == "__main__":
    sys.exit(main())
