"""The bitmaps: 8 x 8 textures and the toolbar strip."""
import math
from functools import partial

from .formats import quantize
from .parts import (
    BLUE_TITLE_HI, BLUE_TITLE_LO, GOLD, GOLD_HI, GOLD_LO, GREEN, GREEN_HI, GREEN_LO, GRID, INK,
    PAPER, PAPER_LO, RED, RED_HI, RED_LO, SEA, SEA_HI, SEA_LO, SKIN_LO, STEEL, STEEL_HI, STEEL_LO,
    d_arrow, d_pad_cross, d_picker_ships)
from .raster import (
    arc_pts, circle, glyph_shapes, lgrad, m_rotate, outline, poly, rect, render, rgrad,
    rrect, star, stroke, vgrad)


# -- Textures

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


# -- Toolbar

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


def d_star(c, cx, cy, r, hi, lo):
    sh = star(cx, cy, r, r * 0.45)
    c.ofill(sh, rgrad(cx - r * 0.3, cy - r * 0.35, r * 1.3, hi, lo), INK, max(0.9, r * 0.1))
    c.fill(poly([(cx, cy - r * 0.82), (cx + r * 0.2, cy - r * 0.1), (cx - r * 0.22, cy - r * 0.05)]), (255, 255, 255), 0.35)


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


def tb_bar(c):
    c.fill(stroke([(3.5, 20.5), (20.5, 3.5)], 4.2), (255, 255, 255), 0.9)
    c.fill(stroke([(3.5, 20.5), (20.5, 3.5)], 2.6), RED)


def tb_off(img):
    """The 'off' state of an image: faded to grey, with a red bar across."""
    def fade(p):
        r, g, b, a = p
        y = 0.3 * r + 0.59 * g + 0.11 * b
        return (int(round(y * 0.55 + 100)), int(round(y * 0.55 + 100)), int(round(y * 0.55 + 104)), a)
    return img.map(fade).over(render(img.w, img.h, tb_bar, unit=24))


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
        d_star(c, 12, 12.6, 10.6, (250, 206, 160), (150, 80, 30))
    elif n == 2:
        for cx, cy in ((7.0, 8.4), (17.0, 15.6)):
            d_star(c, cx, cy, 7.2, (255, 255, 255), (120, 128, 146))
    else:
        for cx, cy in ((12, 6.4), (6.0, 16.2), (18.0, 16.2)):
            d_star(c, cx, cy, 6.4, GOLD_HI, GOLD_LO)


# The strip, left to right.
TOOLBAR = [
    tb_new_game,
    partial(tb_board_window, who="computer"),
    partial(tb_board_window, who="human"),
    tb_commentator,
    partial(d_pad_cross, k=1.0, lw=0.9),
    partial(d_picker_ships, x0=1.8, y0=1.6, cell=5.1, h=4.0, gap=1.6, lw=0.9),
    tb_arrange,
    tb_settings,
    tb_exit,
    partial(tb_auto, on=True),
    partial(tb_auto, on=False),
    partial(tb_salvo, on=False),
    partial(tb_salvo, on=True),
    partial(tb_first, who="human"),
    partial(tb_first, who="computer"),
    tb_statistics,
    tb_colours,
    partial(tb_level, n=1),
    partial(tb_level, n=2),
    partial(tb_level, n=3),
]
CROSSED_OUT = {10}      # automatic placement off


TOOLBAR_SIZES = (24, 32, 36, 48)     # 96, 120, 144 and 192 DPI


def toolbar_images(size):
    imgs = [render(size, size, draw, ss=4, unit=24) for draw in TOOLBAR]
    return [tb_off(im) if k in CROSSED_OUT else im for k, im in enumerate(imgs)]


# Colours that CreateMappedBitmap (toolbar bitmaps) replaces by system colours:
# black, dark grey, light grey (the background, meant to be replaced by the
# button face), white. Pictures never use them exactly.
BG_GREY = (192, 192, 192)
MAPPED = {(0, 0, 0), (128, 128, 128), BG_GREY, (255, 255, 255)}


def _unmapped(col):
    return tuple(v + 1 if v < 128 else v - 1 for v in col) if col in MAPPED else col


def toolbar_strip(imgs):
    """The images side by side in 8 bits: (width, height, palette, indices)."""
    n = imgs[0].w
    W, H = n * len(imgs), n
    flat = [BG_GREY] * (W * H)
    for k, im in enumerate(imgs):
        rgb = im.flatten(BG_GREY)
        for y in range(n):
            for x in range(n):
                if im.px[y * n + x][3]:
                    flat[y * W + k * n + x] = _unmapped(rgb[y * n + x])
    pal, (idx,) = quantize([flat], 256, fixed=(BG_GREY,))
    return W, H, pal[:1] + [_unmapped(c) for c in pal[1:]], idx
