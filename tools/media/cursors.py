"""The cursors, monochrome, at every size: rows of 'X' black, 'o' white, '.' transparent."""
from .raster import m_rotate, poly, rect, render, ring, rrect, stroke

CURSOR_SIZES = (32, 40, 48, 64)


def _line(size):
    """Whole pixels for a line one pixel wide at 32, so that edges stay sharp."""
    return max(1, round(size / 32))


def _mask_to_rows(size, mask, fill="o", edge="X", halo=None, width=1):
    """mask: set of (x, y). Pixels of the mask within `width` steps of the
    outside become the edge colour, the rest the fill; with halo, the outside
    pixels within `width` of the mask (diagonals too) take that colour."""
    rows = [["."] * size for _ in range(size)]
    box = [(dx, dy) for dx in range(-width, width + 1) for dy in range(-width, width + 1)]
    for (x, y) in mask:
        inner = all((x + dx, y + dy) in mask for dx, dy in box if abs(dx) + abs(dy) <= width)
        rows[y][x] = fill if inner else edge
    if halo:
        for (x, y) in mask:
            for dx, dy in box:
                p = (x + dx, y + dy)
                if p not in mask and 0 <= p[0] < size and 0 <= p[1] < size:
                    rows[p[1]][p[0]] = halo
    return ["".join(r) for r in rows]


def _coverage_mask(size, draw, threshold=0.5, unit=None):
    im = render(size, size, draw, ss=8, unit=unit)
    return {(i % size, i // size) for i, p in enumerate(im.px) if p[3] >= threshold * 255}


def _hot(p, size):
    """The pixel under the centre of pixel p of the 32-pixel drawing."""
    return tuple(int((v + 0.5) * size / 32) for v in p)


def cursor_gunsight(size):
    # Black sight with a white halo.
    k, lw = size / 32, _line(size)
    a = round(16.5 * k - lw / 2)            # first pixel of the lines through the centre
    m, gap, reach = a + lw / 2, round(4 * k), round(14 * k)

    def draw(c):
        c.fill(ring(m, m, 8.5 * k + lw / 2, 8.5 * k - lw / 2), (0, 0, 0))
        c.fill([rect(a, a - reach, a + lw, a - gap), rect(a, a + lw + gap, a + lw, a + lw + reach),
                rect(a - reach, a, a - gap, a + lw), rect(a + lw + gap, a, a + lw + reach, a + lw),
                rect(a, a, a + lw, a + lw)], (0, 0, 0))
    return _mask_to_rows(size, _coverage_mask(size, draw), fill="X", halo="o", width=lw), (int(m), int(m))


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


def d_hand(c):
    """The hand of HAND in outline, in its pixels (y down from the fingertip)."""
    c.fill([rrect(4, 0, 8, 12, 2), rrect(7, 5, 11, 12, 2), rrect(10, 6, 14, 12, 2), rrect(13, 7, 16, 12, 1.5),
            poly([(4, 9), (16, 9), (16, 15.5), (15, 17), (15, 21), (5, 21), (5, 18.5), (3, 15), (4, 11)])] +
           stroke([(2.0, 10.0), (4.5, 14.5)], 4.0), (255, 255, 255))


def d_hand_gaps(c):
    """The lines between the fingers and the thumb."""
    c.fill(stroke([(7.5, 6.5), (7.5, 9.0)], 1.0) + stroke([(10.5, 7.5), (10.5, 9.0)], 1.0) +
           stroke([(13.5, 8.5), (13.5, 9.0)], 1.0) + stroke([(4.5, 8.5), (4.5, 12.5)], 1.0), (0, 0, 0))


def cursor_hand(size):
    """At 32 pixels drawn pixel by pixel; larger from its outline."""
    if size == 32:
        return [(r + " " * 32)[:32] for r in HAND] + [" " * 32] * (32 - len(HAND)), (5, 0)
    mask = _coverage_mask(size, d_hand, unit=32)
    rows = [list(r) for r in _mask_to_rows(size, mask, width=_line(size))]
    for x, y in _coverage_mask(size, d_hand_gaps, unit=32) & mask:
        rows[y][x] = "X"
    return ["".join(r) for r in rows], _hot((5, 0), size)


def cursor_pipette(size):
    # A dropper lying from its tip at (3, 18) up to the right; white with a black edge.
    def draw(c):
        c.push(m_rotate(-45, 3.5, 18.5))
        x0, y = 3.5, 18.5
        tip = poly([(x0 - 0.6, y), (x0 + 2.5, y - 1.6), (x0 + 11, y - 2.2), (x0 + 11, y + 2.2), (x0 + 2.5, y + 1.6)])
        collar = rrect(x0 + 10.5, y - 3.8, x0 + 14.0, y + 3.8, 0.8)
        bulb = rrect(x0 + 13.5, y - 3.3, x0 + 23.0, y + 3.3, 3.3)
        c.fill([tip, collar, bulb], (0, 0, 0))
        c.pop()
    hot = _hot((3, 18), size)
    m = _coverage_mask(size, draw, 0.45, unit=32) | {hot}
    return _mask_to_rows(size, m, width=_line(size)), hot


CURSORS = {"gunsight.cur": cursor_gunsight, "hand.cur": cursor_hand, "pipette.cur": cursor_pipette}
