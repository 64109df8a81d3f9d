"""Colours and drawings shared by the toolbar and the icons."""
import math

from .raster import apply, circle, m_rotate, m_translate, outline, poly, rect, rgrad, vgrad

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
SKIN_LO = (214, 160, 112)
BLUE_TITLE_HI = (90, 150, 236)
BLUE_TITLE_LO = (24, 70, 170)


def d_arrow(c, cx, cy, length, width, head, angle, fill, line=INK, lw=1.0, hw=None):
    """A block arrow pointing in `angle` degrees (0 right, 90 down), centred;
    head is the length of the head, hw its half width."""
    L, W2, Hd = length / 2, width / 2, head
    hw = hw if hw is not None else width * 1.05 + head * 0.3
    pts = [(-L, -W2), (L - Hd, -W2), (L - Hd, -hw), (L, 0), (L - Hd, hw), (L - Hd, W2), (-L, W2)]
    sh = apply(m_rotate(angle, 0, 0), [pts])
    sh = apply(m_translate(cx, cy), sh)
    c.ofill(sh, fill, line, lw)


def d_pad_cross(c, k, lw):
    """Four arrows pointing away from a centre knob; k scales from 24 units."""
    g = vgrad(1 * k, GREEN_HI, 23 * k, GREEN_LO)
    for ang in (0, 90, 180, 270):
        t = math.radians(ang)
        d_arrow(c, (12 + 7.6 * math.cos(t)) * k, (12 + 7.6 * math.sin(t)) * k, 8.4 * k, 3.0 * k, 4.2 * k,
                ang, g, INK, lw, hw=3.5 * k)
    c.ofill(circle(12 * k, 12 * k, 2.5 * k), rgrad(11 * k, 11 * k, 3 * k, GOLD_HI, GOLD_LO), INK, lw)


def d_picker_ships(c, x0, y0, cell, h, gap, lw=0.8, lengths=(4, 3, 2, 1)):
    for k, n in enumerate(lengths):
        y = y0 + k * (h + gap)
        x1 = x0 + n * cell
        sh = poly([(x0, y), (x1 - h * 0.5, y), (x1, y + h / 2), (x1 - h * 0.5, y + h), (x0 + h * 0.15, y + h)])
        c.fill(sh, vgrad(y, STEEL_HI, y + h, STEEL_LO))
        c.fill([rect(x0 + i * cell - 0.25, y + h * 0.25, x0 + i * cell + 0.25, y + h * 0.75) for i in range(1, n)], INK_SOFT)
        c.fill(outline(sh, lw), INK)
