"""Starts that go wrong around the game: copies started at the same moment,
Ctrl+S already taken, a settings key the user may read but not write, and
damaged values around good totals. The game starts or hands over as usual
and never loses the win and loss totals of a key it could read."""
import os
import random
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import driver  # noqa: E402
from frame_helpers import (  # noqa: E402
    MAIN, WM_NULL, WM_RBUTTONDOWN, cleaned, launch_lines, relaunch, start, window_close, _launch)
from test_frame_startup import ALL_VALUES, fuzz_value  # noqa: E402

TOTALS = {"ManWon": 7, "CompWon": 3}
NEW_GAME = 303


def totals(values):
    return {name: (values or {}).get(name, {}).get("dword") for name in TOTALS}


def set_totals(s, hive="HKLM"):
    for name, value in TOTALS.items():
        s.reg_set_dword(name, value, hive)


def frames(s):
    """The top-level frames of every copy in the desktop."""
    return s.probe("windows", "--class", MAIN, "--top")


def test_copies_started_together(s):
    """Two copies let go at the same instant, five times: each time exactly
    one frame comes up, the other copy ends with 0 at once, and the totals
    stay as stored."""
    set_totals(s)
    start(s)
    s.wait_window(MAIN)
    s.expect_eq(0, window_close(s), "exit code of the first plain start")
    s.expect_eq(TOTALS, totals(s.reg()), "totals after a plain start")
    for round_ in range(5):
        result = _launch(s, [], launcher_args=["--copies", "2"])
        pids = s.wait_for(lambda: [l["pid"] for l in launch_lines(result) if "tid" in l][:2]
                          if len(launch_lines(result)) >= 2 else None, 60, "both copies to start")
        first_exit = s.wait_for(lambda: [l for l in launch_lines(result) if "exit" in l][:1], 30,
                                f"round {round_}: one copy to hand over")[0]
        s.expect_eq(0, first_exit["exit"], f"round {round_}: exit code of the copy that handed over")
        runner = next(p for p in pids if p != first_exit["pid"])
        s.pid = runner
        s.wait_window(MAIN)
        s.expect_eq([runner], [f["pid"] for f in frames(s)], f"round {round_}: one frame, of the copy that runs")
        s.post(MAIN, driver.WM_CLOSE)
        ends = s.wait_for(lambda: [l for l in launch_lines(result) if "exit" in l][1:], 20,
                          f"round {round_}: the running copy to end")
        s.expect_eq(0, ends[0]["exit"], f"round {round_}: exit code after WM_CLOSE")
        s.expect_eq(TOTALS, totals(s.reg()), f"round {round_}: totals kept")


def test_hot_key_already_taken(s):
    """With Ctrl+S held by another program the game still starts, plays and
    closes; Ctrl+S stays with its holder."""
    start(s)
    s.wait_window(MAIN)
    s.expect_eq(0, window_close(s), "exit code of the first start")
    held = s.probe("hotkey", "hold")[0]
    s.require_eq(True, held["ok"], "the probe holds Ctrl+S")
    began = time.monotonic()
    relaunch(s)
    s.wait_window(MAIN, timeout=60)
    driver.log(f"  frame shown {time.monotonic() - began:.1f} s after the launch")
    s.expect(s.send(MAIN, WM_NULL, timeout_ms=3000)["ok"], "the frame answers")
    s.command(NEW_GAME)
    s.wait_for(lambda: "BattleOn=1" in s.state(), 10, "a battle without the hot key")
    # Hidden by a right click, the game does not come back on Ctrl+S.
    s.post(MAIN, WM_RBUTTONDOWN, 0, (300 << 16) | 600)
    s.wait_for(lambda: not s.window(MAIN)["visible"], 10, "the frame hidden by a right click")
    s.key("ctrl+s")
    time.sleep(1.5)
    s.expect(not s.window(MAIN)["visible"], "Ctrl+S went to its holder, not to the game")
    s.expect_eq(0, window_close(s), "exit code after WM_CLOSE")
    s.probe("hotkey", "release")


def test_read_only_local_machine_key(s):
    """A key under the local machine that may be read but not written: the
    game keeps its settings under the current user, starting from the
    totals and values it found, and leaves the local machine's key as it was."""
    set_totals(s)
    s.reg_set_dword("ProphyUser", 2)
    s.reg_set_dword("TimeOut", 40)
    before = s.reg("HKLM")
    s.probe("reg", "protect", "HKLM", desktop=False)
    start(s)
    s.wait_window(MAIN)
    s.expect_eq(0, window_close(s), "exit code after WM_CLOSE")
    s.expect_eq(before, s.reg("HKLM"), "the local machine's key untouched")
    user = s.reg("HKCU")
    s.require_eq(True, user is not None, "a key under the current user")
    s.expect_eq(TOTALS, totals(user), "totals carried over to the user's key")
    s.expect_eq((2, 40), (user["ProphyUser"]["dword"], user["TimeOut"]["dword"]), "level and pause carried over")
    s.expect("WinPos" in user, "the close pass saved under the current user")

    # The next start reads the user's key; the totals grow there.
    s.reg_set_dword("ManWon", 8, "HKCU")
    relaunch(s)
    s.wait_window(MAIN)
    s.expect_eq(0, window_close(s), "exit code of the second start")
    s.expect_eq({"ManWon": 8, "CompWon": 3}, totals(s.reg("HKCU")), "the user's own totals on the next start")
    s.probe("reg", "unprotect", "HKLM", desktop=False)


def test_totals_survive_damaged_neighbours(s):
    """Every other value damaged at random, the totals good: they come back
    unchanged after a run."""
    rng = random.Random(int(os.environ.get("TRIVOK_FUZZ_SEED", "1722")) + 1)
    launch = start
    for case in range(4):
        s.reg_clear()
        set_totals(s)
        for name in ALL_VALUES:
            if name not in TOTALS and rng.random() < 0.8:
                value = fuzz_value(rng, name)
                if value is not None:
                    s.reg_set(name, value[1], value[2])
        launch(s)
        launch = relaunch
        s.wait_window(MAIN, timeout=30)
        s.expect_eq(0, window_close(s), f"case {case}: exit code after WM_CLOSE")
        s.expect_eq(TOTALS, totals(s.reg()), f"case {case}: totals kept")


if __name__ == "__main__":
    driver.main([
        cleaned(test_copies_started_together),
        cleaned(test_hot_key_already_taken),
        cleaned(test_read_only_local_machine_key),
        cleaned(test_totals_survive_damaged_neighbours),
    ])
