"""A small anti-aliased rasterizer (canvas, shapes, strokes, gradients) and a stroke font.

Shapes are lists of contours; a contour is a list of (x, y) points in logical
units (pixels of the final image, y down). A shape is filled with the even-odd
rule, so a second contour inside the first makes a hole. Several shapes given
to one fill() are united. The canvas samples ss x ss points per pixel and
averages them down (premultiplied) in image().
"""
import math


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
    """A polyline of width w as a list of shapes (segments, round joins, and
    round caps unless cap is "butt")."""
    shapes = []
    n = len(pts)
    for i in range(n if closed else n - 1):
        s = seg(pts[i], pts[(i + 1) % n], w)
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
        self.scale = 1.0      # pixels per drawing unit (see render)

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
        """paint: (r, g, b), a function (x, y) -> (r, g, b[, a]) in drawing
        units (not turned by push()), or None to erase to transparent."""
        if not shapes:
            return
        spans = self._union(_as_shapes(shapes))
        W, s, buf = self.W, self.ss * self.scale, self.buf
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


def render(w, h, draw, ss=4, unit=None, paints_in_pixels=False, **kw):
    """Draw with draw(canvas, **kw) in a coordinate system of `unit` drawing
    units across (default w), and return the image. One drawing serves every
    size: shapes and paints alike are scaled, nothing is resampled, except
    that paints_in_pixels keeps the paints' coordinates in pixels (the
    16-pixel icons have always been shaded so, and keep their look)."""
    c = Canvas(w, h, ss)
    if unit and unit != w:
        c.push(m_scale(w / unit))
        if not paints_in_pixels:
            c.scale = w / unit
    draw(c, **kw)
    return c.image()


# -- Stroke font: the few glyphs that appear (the word of clip 135 and digits).
# Coordinates: x right, y up from the baseline, cap height 1.0.

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


def _oval(cx, cy, rx, ry):
    return arc_pts(cx, cy, rx, ry, 0.0, 360.0, 32)


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

