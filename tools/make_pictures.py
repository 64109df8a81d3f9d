#!/usr/bin/env python3
"""Pictures of the real program for README.md, made under Wine.

    tools/build.sh win && python3 tools/make_pictures.py --exe build/win/Trivok.exe \
        --probe build/win/probe.exe [--out docs]

Each picture is the game's frame cut out of a screenshot of its virtual
desktop: the first start at the default arrangement, a battle under way, the
fleet being placed by hand (ship picker and arrow pad), and a won game with
its result dialog (the frame and the dialog together).
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
HUMAN_BOARD = "Second_screen"
PICKER = "ShipContainer_class"
ARROWS = "Container_class"
CMD_NEW_GAME = 303
C = 17  # the cell size under Wine at 96 DPI
WON_TITLE = "Что, не веришь своему счастью?"
OUT = os.environ.get("TRIVOK_PICTURES", os.path.join(ROOT, "docs"))


def save_frame(s, name, *others):
    """The frame, and any other windows given (dicts with a "rect"), cut out
    of a screenshot as the smallest rectangle holding them all."""
    rects = [s.wait_window(MAIN)["rect"]] + [w["rect"] for w in others]
    left, top = min(r[0] for r in rects), min(r[1] for r in rects)
    right, bottom = max(r[2] for r in rects), max(r[3] for r in rects)
    ox, oy = s.desktop_origin()
    shot = s.screenshot(os.path.join(s.workdir, "screen.png"))
    os.makedirs(OUT, exist_ok=True)
    path = os.path.join(OUT, name)
    subprocess.run(["convert", shot, "-crop", f"{right - left}x{bottom - top}+{left + ox}+{top + oy}",
                    "+repage", "-strip", path], check=True, timeout=60)
    driver.log("  wrote " + path)


def ships(fleet_text):
    """Squares of a fleet line of the model text: "xy,xy;xy;..."."""
    return [(int(p[0]), int(p[1])) for ship in fleet_text.split(";") for p in ship.split(",") if p]


def model(s):
    return dict(line.split("=", 1) for line in s.state().splitlines() if "=" in line)


def picture_first_start(s):
    s.start()
    s.wait_for(lambda: (s.status_texts() or [""])[0] == "Здравствуйте", what="the frame drawn")
    save_frame(s, "first-start.png")


def picture_mid_game(s):
    s.reg_set_dword("TimeOut", 1)
    s.start()
    s.wait_window(MAIN)
    s.command(303)
    s.wait_for(lambda: model(s).get("BattleOn") == "1", what="the battle")
    board = s.window("First_screen")
    targets = ships(model(s)["ComputerFleet"])[:7] + [(0, 9), (9, 0), (5, 5), (2, 7)]
    for x, y in targets:
        if model(s).get("BattleOn") != "1":
            break
        done = model(s)["ShotsAtComputer"]
        if done[x * 10 + y] == "1":
            continue
        s.click(board, x * 17 + 8, y * 17 + 8)
        s.wait_for(lambda: model(s)["ShotsAtComputer"][x * 10 + y] == "1", what=f"shot at {x},{y}")
    # The computer's turn ends with "Ваш ход" in the commentator.
    s.wait_for(lambda: (s.window("Static") or {}).get("text") == "Ваш ход", timeout=60,
               what="the computer's turn over")
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
    s.wait_for(lambda: s.gui()["focus"] == main["hwnd"], 5, "the keyboard focus on the frame")
    s.key(*keys)


def ship_squares(s, k):
    return {(int(p[0]), int(p[1])) for p in model(s)["HumanFleet"].split(";")[k].split(",") if p}


def inverted_box(s):
    """Bounding box in squares of the ship being positioned, which the board
    draws inverted (the default colours' inverses)."""
    inverted = {(127, 127, 255), (128, 128, 128), (255, 255, 255)}
    rows = s.pixels(s.window(HUMAN_BOARD), 0, 0, 10 * C, 10 * C)
    hits = [(x // C, y // C) for y, row in enumerate(rows) for x, p in enumerate(row) if p in inverted]
    if not hits:
        return None
    xs, ys = [h[0] for h in hits], [h[1] for h in hits]
    return min(xs), min(ys), max(xs) + 1, max(ys) + 1


def picture_placement(s):
    s.reg_set_dword("AutoArrange", 0)
    s.start()
    s.wait_window(MAIN)
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
    s.wait_for(lambda: inverted_box(s) == (3, 5, 6, 6), 10, "the ship being positioned at Г6")
    save_frame(s, "placement.png")


def picture_result(s):
    s.reg_set_dword("TimeOut", 1)
    s.reg_set_dword("FirstShoot", 1)
    s.start()
    s.wait_window(MAIN)
    s.command(CMD_NEW_GAME)
    s.wait_for(lambda: model(s).get("BattleOn") == "1", what="the battle")
    board = s.window(COMPUTER_BOARD)
    for x, y in ships(model(s)["ComputerFleet"]):
        s.click(board, x * C + C // 2, y * C + C // 2)
        s.wait_for(lambda: model(s)["ShotsAtComputer"][x * 10 + y] == "1", what=f"shot at {x},{y}")
    dialog = s.wait_dialog(WON_TITLE, timeout=20)
    time.sleep(1.5)  # a few frames into the clip
    save_frame(s, "result.png", dialog)


if __name__ == "__main__":
    driver.main([picture_first_start, picture_mid_game, picture_placement, picture_result])
