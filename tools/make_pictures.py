#!/usr/bin/env python3
"""Pictures of the real program for README.md, made under Wine.

    tools/build.sh win && python3 tools/make_pictures.py --exe build/win/Trivok.exe \
        --probe build/win/probe.exe [--out docs]

Each picture is the game's frame cut out of a screenshot of its virtual
desktop: the first start at the default arrangement, and a battle under way.
"""
import os
import subprocess
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(ROOT, "tests", "e2e"))
import driver  # noqa: E402

MAIN = "Trivok_Class"
OUT = os.environ.get("TRIVOK_PICTURES", os.path.join(ROOT, "docs"))


def save_frame(s, name):
    frame = s.wait_window(MAIN)
    left, top, right, bottom = frame["rect"]
    ox, oy = s.desktop_origin()
    shot = s.screenshot(os.path.join(s.workdir, "screen.png"))
    os.makedirs(OUT, exist_ok=True)
    path = os.path.join(OUT, name)
    subprocess.run(["convert", shot, "-crop", f"{right - left}x{bottom - top}+{left + ox}+{top + oy}",
                    "+repage", path], check=True, timeout=60)
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


if __name__ == "__main__":
    driver.main([picture_first_start, picture_mid_game])
