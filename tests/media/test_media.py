"""Unit tests of the media package (tools/media): encoders, rasterizer, and the drawings' promises."""
import os
import struct
import sys
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools"))

from media import bitmaps, cursors, formats, icons  # noqa: E402
from media.raster import Img, rect, render, ring, vgrad  # noqa: E402


def directory(data):
    """(kind, [(width, height, word a, word b, image bytes)]) of an .ico or .cur file."""
    _, kind, n = struct.unpack_from("<HHH", data)
    out = []
    for i in range(n):
        w, h, _, _, a, b, size, off = struct.unpack_from("<BBBBHHII", data, 6 + 16 * i)
        out.append((w, h, a, b, data[off:off + size]))
    return kind, out


class Rle8(unittest.TestCase):
    ROWS = {
        "one long run over several counts": [7] * 600,
        "no two alike (absolute runs, odd lengths padded)": [i % 251 for i in range(301)],
        "runs of two and three between singles": [1, 1, 2, 3, 3, 3, 4, 5, 5, 6],
        "single pixel": [9],
        "two pixels": [4, 5],
    }

    def test_what_is_encoded_decodes_back(self):
        for what, row in self.ROWS.items():
            with self.subTest(what):
                img = row + row[::-1] + [0] * len(row)      # three rows, the last flat
                self.assertEqual(img, formats.rle8_decode(formats.rle8_encode(img, len(row), 3), len(row), 3))

    def test_malformed_streams_are_refused(self):
        good = formats.rle8_encode([1, 2, 3, 4], 2, 2)
        bad = {
            "no end of bitmap": good[:-2],
            "run past the row": bytes((3, 1)) + good,
            "data after the end": good + b"\0\0",
            "pixels left undefined": b"\0\1",
            "truncated delta": bytes((0, 2, 1)),
            "absolute run past the data": bytes((0, 4, 1, 2)),
        }
        for what, data in bad.items():
            with self.subTest(what), self.assertRaises(ValueError):
                formats.rle8_decode(data, 2, 2)


class Avi(unittest.TestCase):
    def setUp(self):
        self.pal = [(192, 192, 192), (0, 0, 0), (255, 0, 0)]
        self.frames = [[k % 3] * 4 + [1, 2, 1, 2] for k in range(5)]
        self.data = formats.avi_rle8(4, 2, self.pal, self.frames, 100000)

    def test_reads_back_what_it_writes(self):
        info, pal, enc = formats.avi_parse(self.data)
        self.assertEqual(pal, self.pal)
        self.assertEqual((info["width"], info["height"], info["frames"], info["usec"]), (4, 2, 5, 100000))
        self.assertEqual((info["rate"], info["scale"]), (10, 1))
        self.assertEqual([formats.rle8_decode(e, 4, 2) for e in enc], self.frames)

    def test_damage_is_noticed(self):
        idx1 = self.data.rindex(b"idx1")
        for what, data in (("RIFF size", self.data + b"\0\0"),
                           ("index offset", self.data[:idx1 + 16] + b"\x7f" + self.data[idx1 + 17:])):
            with self.subTest(what), self.assertRaises(ValueError):
                formats.avi_parse(data)


class Bitmaps(unittest.TestCase):
    def test_rows_are_padded_to_four_bytes(self):
        for w in (1, 3, 4, 5):
            with self.subTest(width=w):
                data = formats.bmp8(w, 2, [1] * (2 * w), [(0, 0, 0), (9, 9, 9)])
                size, off = struct.unpack_from("<I", data, 2)[0], struct.unpack_from("<I", data, 10)[0]
                self.assertEqual((size, len(data) - off), (len(data), 2 * ((w + 3) // 4 * 4)))

    def test_quantize_keeps_fixed_colours_first_and_exact(self):
        grey = (192, 192, 192)
        img = [grey, (10, 10, 10), (12, 10, 10), (250, 0, 0), grey]
        pal, (idx,) = formats.quantize([img], 3, fixed=(grey,))
        self.assertEqual((pal[0], len(pal)), (grey, 3))
        self.assertEqual((idx[0], idx[4]), (0, 0))
        self.assertEqual(idx[1], idx[2])            # near colours share an entry
        self.assertNotEqual(idx[1], idx[3])

    def test_toolbar_strip_avoids_the_mapped_colours(self):
        # CreateMappedBitmap would turn these into system colours; only the
        # background (index 0) may be one of them.
        im = Img(2, 2, [(0, 0, 0, 255), (192, 192, 192, 255), (255, 255, 255, 255), (5, 5, 5, 0)])
        W, H, pal, idx = bitmaps.toolbar_strip([im, im])
        self.assertEqual((W, H, pal[0]), (4, 2, bitmaps.BG_GREY))
        self.assertEqual((idx[5], idx[7]), (0, 0))  # transparent: the background
        self.assertFalse(set(pal[1:]) & bitmaps.MAPPED)
        self.assertNotIn(0, (idx[0], idx[1], idx[4]))


class Raster(unittest.TestCase):
    def test_inner_contour_is_a_hole(self):
        im = render(20, 20, lambda c: c.fill(ring(10, 10, 9, 4), (0, 0, 0)))
        self.assertEqual(im.px[10 * 20 + 10][3], 0)
        self.assertEqual(im.px[10 * 20 + 3][3], 255)

    def test_a_drawing_keeps_its_place_and_paint_at_every_size(self):
        # Paints are in drawing units, so a gradient spans the same part of
        # the picture at 24 and at 48 pixels.
        def draw(c):
            c.fill(rect(0, 0, 12, 24), vgrad(0, (0, 0, 0), 24, (240, 240, 240)))
        for size in (24, 36, 48):
            with self.subTest(size=size):
                im = render(size, size, draw, unit=24)
                half = size // 2
                self.assertEqual((im.px[half - 1][3], im.px[half][3]), (255, 0))
                self.assertAlmostEqual(im.px[half * size][0], 120 + 120 / size, delta=1)


class Icons(unittest.TestCase):
    def test_every_size_in_one_file_largest_first(self):
        for name, sizes in (("arrows.ico", icons.CLASS_SIZES), ("pad_up.ico", icons.PAD_SIZES)):
            with self.subTest(name):
                kind, entries = directory(formats.ico(icons.icon_images(name)))
                self.assertEqual(kind, 1)
                self.assertEqual([e[0] for e in entries], list(sizes))
                for w, h, planes, bits, blob in entries:
                    self.assertEqual((planes, bits), (1, 32))
                    self.assertEqual(len(blob), 40 + w * h * 4 + h * ((w + 31) // 32 * 4))


class Cursors(unittest.TestCase):
    def test_hot_spots_lie_on_the_picture(self):
        at32 = {"gunsight.cur": (16, 16), "hand.cur": (5, 0), "pipette.cur": (3, 18)}
        for name, fn in cursors.CURSORS.items():
            for size in cursors.CURSOR_SIZES:
                with self.subTest(name, size=size):
                    rows, (x, y) = fn(size)
                    self.assertEqual((len(rows), len(rows[0])), (size, size))
                    self.assertIn(rows[y][x], "Xo")
                    if size == 32:
                        self.assertEqual((x, y), at32[name])
                    else:
                        self.assertLessEqual(abs(x - at32[name][0] * size / 32), size / 32)

    def test_gunsight_is_symmetric_about_its_lines(self):
        # Whole-pixel lines through the hot spot: x and s - x mirror each
        # other, and so do rows and columns.
        for size in cursors.CURSOR_SIZES:
            rows, (hx, hy) = cursors.cursor_gunsight(size)
            lw = cursors._line(size)
            s = 2 * (hx - lw // 2) + lw - 1
            xs = range(max(0, s - size + 1), min(size, s + 1))
            with self.subTest(size=size):
                self.assertEqual(hx, hy)
                self.assertEqual(["".join(r[s - x] for x in xs) for r in rows], ["".join(r[x] for x in xs) for r in rows])
                self.assertEqual(rows, ["".join(r[y] for r in rows) for y in range(size)])

    def test_file_holds_every_size_with_its_hot_spot(self):
        imgs = [cursors.cursor_pipette(s) for s in cursors.CURSOR_SIZES]
        kind, entries = directory(formats.cur_mono(imgs))
        self.assertEqual(kind, 2)
        self.assertEqual([(w, a, b) for w, _, a, b, _ in entries], [(len(r), x, y) for r, (x, y) in imgs])


if __name__ == "__main__":
    unittest.main()
