#!/usr/bin/env python3
"""Pictures: of the real program for README.md (under Wine), and of the media (without).

    tools/build.sh win && python3 tools/make_pictures.py [--exe build/win/Trivok.exe] [--probe build/win/probe.exe]
    python3 tools/make_pictures.py --media DIR

(the program pictures run themselves through tools/wine-env.sh, in an X
display and a Wine prefix of their own, once at 100 % and once at 150 %).

Each program picture is the game's frame cut out of a screenshot of its virtual
desktop: the first start at the default arrangement, a battle under way, the
fleet being placed by hand (ship picker and arrow pad), and a won game with
its result dialog (the frame and the dialog together); at 150 % the battle
again, as mid-game-150.png. The pictures go to
docs/, or to the folder TRIVOK_PICTURES names.

With --media, enlarged PNG sheets of what tools/gen_resources.py makes (the
toolbar, icons, cursors, textures, every clip frame, the sound waves) go into
DIR, to look at; never commit them.
"""
import os
import struct
import subprocess
import sys
import time

from media import catalogue
from media.bitmaps import TEXTURES, texture
from media.formats import avi_parse, png, rle8_decode
from media.raster import Img

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(ROOT, "tests", "e2e"))
import driver  # noqa: E402
from driver import C, COMPUTER_BOARD, MAIN, NEW_GAME, PAD, PICKER  # noqa: E402

SCALED = f"-{driver.DPI * 100 // 96}" if driver.DPI != 96 else ""  # "mid-game-150.png" at 144 DPI
WON_TITLE = "Что, не веришь своему счастью?"
OUT = os.environ.get("TRIVOK_PICTURES", os.path.join(ROOT, "docs"))


def settled_screenshot(s):
    """A screenshot once two in a row are the same: what was asked for is drawn."""
    shots = [os.path.join(s.workdir, f"screen-{k}.png") for k in (0, 1)]
    s.screenshot(shots[0])
    for attempt in range(20):
        s.screenshot(shots[1 - attempt % 2])
        with open(shots[0], "rb") as a, open(shots[1], "rb") as b:
            if a.read() == b.read():
                break
    return shots[0]


def save_frame(s, name, *others, shot=None):
    """The frame, and any other windows given (dicts with a "rect"), cut out
    of a screenshot as the smallest rectangle holding them all."""
    rects = [s.wait_window(MAIN)["rect"]] + [w["rect"] for w in others]
    left, top = min(r[0] for r in rects), min(r[1] for r in rects)
    right, bottom = max(r[2] for r in rects), max(r[3] for r in rects)
    ox, oy = s.origin
    shot = shot or settled_screenshot(s)
    os.makedirs(OUT, exist_ok=True)
    path = os.path.join(OUT, name.replace(".png", SCALED + ".png"))
    subprocess.run(["convert", shot, "-crop", f"{right - left}x{bottom - top}+{left + ox}+{top + oy}",
                    "+repage", "-strip", path], check=True, timeout=60)
    driver.log("  wrote " + path)


def ships(fleet_text):
    """Squares of a fleet line of the model text: "xy,xy;xy;..."."""
    return [(int(p[0]), int(p[1])) for ship in fleet_text.split(";") for p in ship.split(",") if p]


def picture_first_start(s):
    s.start()
    save_frame(s, "first-start.png")


def picture_mid_game(s):
    s.settings(TimeOut=1)
    s.start()
    s.command(303)
    s.wait_for(lambda: s.state().get("BattleOn") == "1", what="the battle")
    board = s.window(COMPUTER_BOARD)
    targets = ships(s.state()["ComputerFleet"])[:7] + [(0, 9), (9, 0), (5, 5), (2, 7)]
    for x, y in targets:
        if s.state().get("BattleOn") != "1":
            break
        done = s.state()["ShotsAtComputer"]
        if done[x * 10 + y] == "1":
            continue
        s.click(board, x * C + C // 2, y * C + C // 2)
        s.wait_for(lambda: s.state()["ShotsAtComputer"][x * 10 + y] == "1", what=f"shot at {x},{y}")
    # The human's turn: shots left on the computer's board, "Ваш ход..." in the commentator.
    s.wait_for(lambda: s.window(COMPUTER_BOARD)["text"] != "Человек - осталось ходов - 0" and
               (s.window("Static") or {}).get("text", "").startswith("Ваш ход"), timeout=60, what="the human's turn")
    save_frame(s, "mid-game.png")


# Where the picker draws the ships chosen here, in cells (left, top, right,
# bottom): the upright ones in a row on the left, the lying ones stacked on the right.
SILHOUETTES = {("upright", 4): (0.5, 0.5, 1.5, 4.5), ("upright", 3): (1.5, 1.5, 2.5, 4.5),
               ("lying", 2): (5.5, 2.5, 7.5, 3.5), ("lying", 3): (5.5, 1.5, 8.5, 2.5)}


def choose_ship(s, lie, length):
    left, top, right, bottom = (int(f * C) for f in SILHOUETTES[(lie, length)])
    s.click(s.window(PICKER), (left + right) // 2, (top + bottom) // 2)
    s.wait_for(lambda: s.window(PAD)["visible"], 8, "the arrow pad")


def ship_squares(s, k):
    return {(int(p[0]), int(p[1])) for p in s.state()["HumanFleet"].split(";")[k].split(",") if p}


def picture_placement(s):
    s.settings(AutoArrange=0)
    s.start()
    s.command(NEW_GAME)
    s.wait_for(lambda: s.window(PICKER)["visible"], 10, "the ship picker")
    # (silhouette, keys from А1, fleet index, squares once placed)
    placed = [
        (("upright", 4), ["KP_5"] + ["Right"] * 6 + ["Down"] * 9, 0, {(6, 9), (7, 9), (8, 9), (9, 9)}),
        (("upright", 3), ["Down"] * 2, 1, {(0, 2), (0, 3), (0, 4)}),
        (("lying", 2), ["KP_5"] + ["Right"] * 9 + ["Down"] * 1, 3, {(9, 1), (9, 2)}),
    ]
    for silhouette, keys, k, squares in placed:
        choose_ship(s, *silhouette)
        s.press(*keys)
        s.press("Return")
        s.wait_for(lambda: ship_squares(s, k) == squares, 10, f"ship {k} placed")
        s.wait_for(lambda: not s.window(PAD)["visible"], 8, "the pad to hide")
    # The three-square ship stays where the arrows have moved it.
    choose_ship(s, "lying", 3)
    s.press("Right", "Right", "Right", "Down", "Down", "Down", "Down", "Down")
    save_frame(s, "placement.png")


def picture_result(s):
    s.settings(TimeOut=1, FirstShoot=1, AutoArrange=1)
    s.start()
    s.command(NEW_GAME)
    s.wait_for(lambda: s.state().get("BattleOn") == "1", what="the battle")
    board = s.window(COMPUTER_BOARD)
    for x, y in ships(s.state()["ComputerFleet"]):
        s.click(board, x * C + C // 2, y * C + C // 2)
        s.wait_for(lambda: s.state()["ShotsAtComputer"][x * 10 + y] == "1", what=f"shot at {x},{y}")
    dialog = s.wait_dialog(WON_TITLE, timeout=20)
    time.sleep(1.5)  # a few frames into the clip, which never settles
    save_frame(s, "result.png", dialog, shot=s.screenshot(os.path.join(s.workdir, "screen.png")))


def _enlarge(w, h, rgba, k, checker=True):
    """Each pixel k x k, over a checkerboard (or white) where it is transparent."""
    out = []
    for y in range(h * k):
        for x in range(w * k):
            r, g, b, a = rgba[(y // k) * w + x // k]
            bgv = (236 if (x // 8 + y // 8) % 2 else 206) if checker else 255
            t = a / 255.0
            out.append((int(bgv + (r - bgv) * t), int(bgv + (g - bgv) * t), int(bgv + (b - bgv) * t), 255))
    return w * k, h * k, out


def _sheet(tiles, cols, pad):
    """tiles (w, h, rgba) or None in a grid of cells as large as the largest, on white."""
    tw, th = max(t[0] for t in tiles if t), max(t[1] for t in tiles if t)
    rows = (len(tiles) + cols - 1) // cols
    W, H = cols * (tw + pad) + pad, rows * (th + pad) + pad
    px = [(255, 255, 255, 255)] * (W * H)
    for i, (w, h, t) in ((i, t) for i, t in enumerate(tiles) if t):
        ox, oy = pad + (i % cols) * (tw + pad), pad + (i // cols) * (th + pad)
        for y in range(h):
            px[(oy + y) * W + ox:(oy + y) * W + ox + w] = t[y * w:(y + 1) * w]
    return W, H, px


def media_sheets(d):
    os.makedirs(d, exist_ok=True)
    files, _, art = catalogue.build()

    def save(name, w, h, px):
        with open(os.path.join(d, name), "wb") as f:
            f.write(png(w, h, px))
    # toolbars over a 240-grey button face, as CreateMappedBitmap shows them
    strips = []
    for size, (W, H, pal, idx) in art["toolbars"].items():
        face = [(240, 240, 240, 255) if i == 0 else pal[i] + (255,) for i in idx]
        strips.append((W, H, face))
        save("toolbar_%d.png" % size, *_sheet([_enlarge(H, H, [face[y * W + k * H + x] for y in range(H) for x in range(H)],
                                                        144 // size, False) for k in range(W // H)], 5, 8))
    save("toolbars.png", *_enlarge(*_sheet(strips, 1, 4), 2, False))
    # icons, each size enlarged to about 192 pixels, and all at real size over
    # a dialog face, white and dark grey
    by_size = {}
    for imgs in art["icons"].values():
        for im in imgs:
            by_size.setdefault(im.w, []).append(_enlarge(im.w, im.h, im.px, 192 // im.w))
    for size, tiles in by_size.items():
        save("icons_%d.png" % size, *_sheet(tiles, 5, 8))
    tiles = []
    for bg in ((240, 240, 240), (255, 255, 255), (40, 40, 40)):
        for imgs in art["icons"].values():
            tiles += [(im.w, im.h, Img(im.w, im.h, [bg + (255,)] * (im.w * im.h)).over(im).px) for im in imgs]
            tiles += [None] * (7 - len(imgs))
    save("icons_real.png", *_sheet(tiles, 7, 2))
    # cursors, each size enlarged 6 times, hot spot in red
    colours = {"X": (0, 0, 0, 255), "o": (255, 255, 255, 255), "~": (255, 0, 255, 255)}
    tiles = []
    for rows, hot in (c for imgs in art["cursors"].values() for c in imgs):
        px = [(255, 0, 0, 255) if (x, y) == hot else colours.get(ch, (0, 0, 0, 0))
              for y, row in enumerate(rows) for x, ch in enumerate(row)]
        tiles.append(_enlarge(len(rows[0]), len(rows), px, 6))
    save("cursors.png", *_sheet(tiles, len(tiles) // len(art["cursors"]), 8))
    # textures, tiled
    tiles = []
    for name in TEXTURES:
        t = texture(name)
        tiles.append(_enlarge(48, 48, [t[(y % 8) * 8 + x % 8] + (255,) for y in range(48) for x in range(48)], 4, False))
    save("textures.png", *_sheet(tiles, 3, 8))
    # clips: every frame, decoded from the AVI bytes
    for name, cols, k in (("fan.avi", 9, 3), ("word.avi", 2, 2)):
        info, pal, frames = avi_parse(files[name])
        w, h = info["width"], info["height"]
        tiles = [_enlarge(w, h, [pal[i] + (255,) for i in rle8_decode(f, w, h)], k, False) for f in frames]
        save(name.replace(".avi", "_frames.png"), *_sheet(tiles, cols, 6))
    # sounds: the span of the samples in each column
    for name in ("lost.wav", "won.wav"):
        n = struct.unpack_from("<I", files[name], 40)[0]
        samples = files[name][44:44 + n]
        Wd, Hd = 900, 200
        px = [(255, 255, 255, 255)] * (Wd * Hd)
        per = max(1, n // Wd)
        for x in range(Wd):
            chunk = samples[x * per:(x + 1) * per] or b"\x80"
            for v in range(min(chunk), max(chunk) + 1):
                px[(Hd - 1 - v * (Hd - 1) // 255) * Wd + x] = (30, 60, 160, 255)
        save(name.replace(".wav", "_wave.png"), Wd, Hd, px)


if __name__ == "__main__":
    if len(sys.argv) == 3 and sys.argv[1] == "--media":
        media_sheets(sys.argv[2])
        sys.exit(0)
    if not os.environ.get("WINEPREFIX"):
        # each scale in a prefix and display of its own: 100 %, then 150 %
        for dpi in ("96", "144"):
            subprocess.run(["bash", os.path.join(ROOT, "tools", "wine-env.sh"), sys.executable,
                            os.path.abspath(__file__)] + sys.argv[1:],
                           env=dict(os.environ, TRIVOK_SUITE="", TRIVOK_DPI=dpi), check=True)
        sys.exit(0)
    driver.main([picture_first_start, picture_mid_game, picture_placement, picture_result] if driver.DPI == 96
                else [picture_mid_game])
