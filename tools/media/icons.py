"""The icons, drawn in a 32-unit space at every size they are shown at."""
import math

from .parts import (
    GREEN_HI, GREEN_LO, INK, RED, STEEL, STEEL_HI, STEEL_LO, d_arrow, d_pad_cross, d_picker_ships)
from .raster import arc_pts, circle, lgrad, outline, poly, rect, render, ring, rrect, seg, stroke, vgrad


def d_ship_side(c, x0, x1, water, h):
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


CLASS_SIZES = (64, 48, 40, 32, 24, 20, 16)
PAD_SIZES = (64, 48, 40, 32, 16)     # pad buttons are 34, 42, 50 and 68 pixels wide
SMALL = 24      # below this many pixels a simpler drawing with bolder lines


def _lw(size, big, small):
    """A line width in units: the small drawing's own, or the designed one
    but never thinner than a pixel."""
    return small if size < SMALL else max(big, 32.0 / size)


def ic_main(c, size):
    small = size < SMALL
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
    c.fill(outline(disc, _lw(size, 1.3, 2.0)), INK)


def ic_arrows(c, size):
    d_pad_cross(c, 32 / 24.0, _lw(size, 1.2, 2.0))


def ic_picker(c, size):
    c.ofill(rrect(1.5, 2.5, 30.5, 29.5, 3.0), vgrad(2, (214, 218, 226), 30, (160, 166, 178)), INK, _lw(size, 1.2, 2.0))
    if size < SMALL:
        d_picker_ships(c, 5.0, 4.6, 5.7, 6.2, 2.4, lw=1.6, lengths=(4, 3, 2))
    else:
        d_picker_ships(c, 5.2, 4.9, 5.6, 4.2, 1.8, lw=_lw(size, 1.0, 1.0))


def ic_speaker(c, size):
    small = size < SMALL
    lw = _lw(size, 1.2, 2.0)
    box = rrect(2.5, 11.5, 9.5, 20.5, 1.0)
    cone = poly([(9.0, 11.5), (17.5, 4.0), (17.5, 28.0), (9.0, 20.5)])
    c.ofill(cone, lgrad((9, 0), (120, 130, 146), (18, 0), (60, 66, 80)), INK, lw)
    c.ofill(box, vgrad(11, (150, 160, 176), 21, (70, 78, 94)), INK, lw)
    waves = []
    radii = (4.5, 8.5, 12.5) if not small else (5.5, 11.5)
    for r in radii:
        waves += stroke(arc_pts(17.5, 16.0, r, r, -48, 48, 12), 2.0 if not small else 3.0)
    c.fill(waves, RED)


def ic_pad_arrow(c, size, angle):
    lw = _lw(size, 1.3, 2.2)
    d_arrow(c, 16, 16, 26.0, 9.0, 12.0, angle, vgrad(3, GREEN_HI, 29, GREEN_LO), INK, lw)


def ic_pad_turn(c, size):
    lw = _lw(size, 1.3, 2.2)
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


def ic_pad_done(c, size):
    pts = [(5.0, 17.0), (12.5, 24.5), (27.0, 7.0)]
    small = size < SMALL
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
    """Largest first; from 24 pixels up over a soft shadow."""
    fn, kw = ICONS[name]
    imgs = []
    for size in PAD_SIZES if name.startswith("pad_") else CLASS_SIZES:
        im = render(size, size, fn, ss=8 if size < SMALL else 4, unit=32, paints_in_pixels=size == 16, size=size,
                    **kw)
        d = max(1, round(size / 32))
        imgs.append(im if size < SMALL else im.shadow(d, d, 0.3))
    return imgs

