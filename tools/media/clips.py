"""The clips: frames drawn here, quantized to one palette, written as RLE8 AVI."""
import math

from .formats import avi_rle8, quantize
from .raster import Canvas, ellipse, glyph_shapes, lgrad, outline, poly, rect, rgrad, stroke, vgrad

CLIP_BG = (192, 192, 192)     # the grey of a dialog face, behind both clips


# -- Clip 128: a desk fan turning its head, blades spinning (64 x 72, 36 frames)
FAN_W, FAN_H, FAN_FRAMES = 64, 72, 36
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


# -- Clip 135: "Браво" (288 x 88, 6 frames); in frame k > 0 letter k is light blue
WORD = "Браво"
WORD_W, WORD_H = 288, 88
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


# name: (width, height, microseconds a frame, frames, colours)
CLIPS = {
    "fan.avi": (FAN_W, FAN_H, 50000, lambda: [fan_frame(k) for k in range(FAN_FRAMES)], 48),
    "word.avi": (WORD_W, WORD_H, 500000, lambda: [word_frame(k) for k in range(len(WORD) + 1)], 32),
}


def clip(name):
    """The AVI file and the palette indices of its frames."""
    w, h, usec, frames, ncolours = CLIPS[name]
    pal, idx = quantize([f.flatten(CLIP_BG) for f in frames()], ncolours, fixed=(CLIP_BG,))
    return avi_rle8(w, h, pal, idx, usec), idx
