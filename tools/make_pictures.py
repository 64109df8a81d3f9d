#!/usr/bin/env python3
"""Pictures of the real program for README.md, made under Wine.

    tools/build.sh win && python3 tools/make_pictures.py [--exe build/win/Trivok.exe] [--probe build/win/probe.exe]

(it runs itself through tools/wine-env.sh, in an X display and a Wine prefix of its own).

Each picture is the game's frame cut out of a screenshot of its virtual
desktop: the first start at the default arrangement, a battle under way, the
fleet being placed by hand (ship picker and arrow pad), and a won game with
its result dialog (the frame and the dialog together). The pictures go to
docs/, or to the folder TRIVOK_PICTURES names.
"""
import os
import subprocess
import sys
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(ROOT, "tests", "e2e"))
import driver  # noqa: E402

MAIN = "Trivok_Class"
COMPUTER_BOARD = "First_screen"
PICKER = "ShipContainer_class"
ARROWS = "Container_class"
CMD_NEW_GAME = 303
C = 17  # the cell size under Wine at 96 DPI
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
    path = os.path.join(OUT, name)
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
    board = s.window("First_screen")
    targets = ships(s.state()["ComputerFleet"])[:7] + [(0, 9), (9, 0), (5, 5), (2, 7)]
    for x, y in targets:
        if s.state().get("BattleOn") != "1":
            break
        done = s.state()["ShotsAtComputer"]
        if done[x * 10 + y] == "1":
            continue
        s.click(board, x * 17 + 8, y * 17 + 8)
        s.wait_for(lambda: s.state()["ShotsAtComputer"][x * 10 + y] == "1", what=f"shot at {x},{y}")
    # The human's turn: shots left on the computer's board, "Ваш ход..." in the commentator.
    s.wait_for(lambda: s.window("First_screen")["text"] != "Человек - осталось ходов - 0" and
               (s.window("Static") or {}).get("text", "").startswith("Ваш ход"), timeout=60, what="the human's turn")
    save_frame(s, "mid-game.png")


# Where the picker draws the ships chosen here, in cells (left, top, right,
# bottom): the upright ones in a row on the left, the lying ones stacked on the right.
SILHOUETTES = {("upright", 4): (0.5, 0.5, 1.5, 4.5), ("upright", 3): (1.5, 1.5, 2.5, 4.5),
               ("lying", 2): (5.5, 2.5, 7.5, 3.5), ("lying", 3): (5.5, 1.5, 8.5, 2.5)}


def choose_ship(s, lie, length):
    left, top, right, bottom = (int(f * C) for f in SILHOUETTES[(lie, length)])
    s.click(s.window(PICKER), (left + right) // 2, (top + bottom) // 2)
    s.wait_for(lambda: s.window(ARROWS)["visible"], 8, "the arrow pad")


def press(s, *keys):
    """Keys to the frame once it has the keyboard focus."""
    main = s.window(MAIN)
    s.wait_for(lambda: s.focus() == main["hwnd"], 5, "the keyboard focus on the frame")
    s.key(*keys)


def ship_squares(s, k):
    return {(int(p[0]), int(p[1])) for p in s.state()["HumanFleet"].split(";")[k].split(",") if p}


def picture_placement(s):
    s.settings(AutoArrange=0)
    s.start()
    s.command(CMD_NEW_GAME)
    s.wait_for(lambda: s.window(PICKER)["visible"], 10, "the ship picker")
    # (silhouette, keys from А1, fleet index, squares once placed)
    placed = [
        (("upright", 4), ["KP_5"] + ["Right"] * 6 + ["Down"] * 9, 0, {(6, 9), (7, 9), (8, 9), (9, 9)}),
        (("upright", 3), ["Down"] * 2, 1, {(0, 2), (0, 3), (0, 4)}),
        (("lying", 2), ["KP_5"] + ["Right"] * 9 + ["Down"] * 1, 3, {(9, 1), (9, 2)}),
    ]
    for silhouette, keys, k, squares in placed:
        choose_ship(s, *silhouette)
        press(s, *keys)
        press(s, "Return")
        s.wait_for(lambda: ship_squares(s, k) == squares, 10, f"ship {k} placed")
        s.wait_for(lambda: not s.window(ARROWS)["visible"], 8, "the pad to hide")
    # The three-square ship stays where the arrows have moved it.
    choose_ship(s, "lying", 3)
    press(s, "Right", "Right", "Right", "Down", "Down", "Down", "Down", "Down")
    save_frame(s, "placement.png")


def picture_result(s):
    s.settings(TimeOut=1, FirstShoot=1, AutoArrange=1)
    s.start()
    s.command(CMD_NEW_GAME)
    s.wait_for(lambda: s.state().get("BattleOn") == "1", what="the battle")
    board = s.window(COMPUTER_BOARD)
    for x, y in ships(s.state()["ComputerFleet"]):
        s.click(board, x * C + C // 2, y * C + C // 2)
        s.wait_for(lambda: s.state()["ShotsAtComputer"][x * 10 + y] == "1", what=f"shot at {x},{y}")
    dialog = s.wait_dialog(WON_TITLE, timeout=20)
    time.sleep(1.5)  # a few frames into the clip, which never settles
    save_frame(s, "result.png", dialog, shot=s.screenshot(os.path.join(s.workdir, "screen.png")))


if __name__ == "__main__":
    if not os.environ.get("WINEPREFIX"):
        os.execvpe("bash", ["bash", os.path.join(ROOT, "tools", "wine-env.sh"), sys.executable,
                            os.path.abspath(__file__)] + sys.argv[1:], dict(os.environ, TRIVOK_SUITE=""))
    driver.main([picture_first_start, picture_mid_game, picture_placement, picture_result])
