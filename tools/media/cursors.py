"""The cursors, monochrome: drawn as rows of 'X' black, 'o' white, '.' transparent."""
from .raster import m_rotate, poly, rect, render, ring, rrect


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
    return _mask_to_rows(_coverage_mask(draw), fill="X", halo="o"), (16, 16)


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
    return _mask_to_rows(m), (3, 18)


CURSORS = {"gunsight.cur": cursor_gunsight, "hand.cur": cursor_hand, "pipette.cur": cursor_pipette}

