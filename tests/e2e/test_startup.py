"""Starting and ending the real process: a second copy hands over to the
first, copies started together leave one running, Ctrl+S held by another
program; the exit codes of the close box and of Exit and what each saves;
positions kept across a restart; and the message loop's click filter with
the pause that keeps the window answering during the computer's turn."""
import os
import random
import struct
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import driver  # noqa: E402
from driver import HTCAPTION, HTCLOSE, MAIN, WM_CLOSE, WM_NULL  # noqa: E402
from play import COMPUTER_BOARD, HUMAN_BOARD, NEW_GAME, PAD, PICKER, SALVO, click_square, fleet  # noqa: E402

EXIT = 301
WM_SYSCOMMAND, SC_MINIMIZE, SC_MAXIMIZE, SC_CLOSE = 0x0112, 0xF020, 0xF030, 0xF060
COMMENTATOR = "Speaker_class"
COPY_ROUNDS = int(os.environ.get("TRIVOK_COPY_ROUNDS", "3"))


def keys(s):
    return {hive: s.reg(hive) for hive in ("HKLM", "HKCU")}


def frames(s):
    """The frames of every program in the desktop."""
    return [w for w in s.windows(MAIN, everyone=True) if w["depth"] == 0]


def comment(s):
    return (s.window("Static") or {}).get("text", "")


def test_second_copy_hands_over(s):
    """A second copy shows the first (hidden by a right click on its free
    area) maximized and focused, touches no setting and ends with 0."""
    s.start()
    s.clear_settings()
    s.settings(ProphyUser=2)  # a copy that loaded it would write the values missing beside it
    before = keys(s)
    frame = s.window(MAIN)
    left, top, right, bottom = frame["client_screen"]
    s.click(frame, right - left - 20, bottom - top - 40, button=3)
    s.wait_for(lambda: not s.window(MAIN)["visible"], 10, "the frame hidden by a right click")
    s.expect_eq(0, driver.Launch(s, s.opt.exe, 1).exit_code(), "exit code of the second copy")
    s.expect(s.wait_window()["zoomed"], "the first copy shown maximized")
    s.wait_for(lambda: s.focus() == frame["hwnd"], 10, "the focus on the first copy's frame")
    s.expect_eq([s.pid], [f["pid"] for f in frames(s)], "one frame, the first copy's")
    s.expect_eq(before, keys(s), "the settings keys byte for byte")


def close_by_close_box(s):
    """A click on the frame's close box; the exit code."""
    s.click_screen(*s.hit_point(s.window(MAIN), HTCLOSE))
    return s.game.exit_code()


def test_close_box_saves(s):
    """The close box ends the program with 0 after its close and destroy
    passes: a changed option and the window positions are in the key."""
    s.settings(Salvo=0)
    s.start()
    s.command(SALVO)
    s.expect_eq(0, close_by_close_box(s), "exit code after the close box")
    s.expect_eq(1, s.dword("Salvo"), "salvo switched on and saved")
    s.expect(len(s.reg()["WinPos"][1]) == 200, "the window positions saved, 100 bytes", s.reg())


def positions(s):
    return {w["class"]: w["rect"] for w in s.windows()
            if w["class"] in (MAIN, COMPUTER_BOARD, HUMAN_BOARD, PAD, PICKER, COMMENTATOR)}


def close_in_state(s, command, state):
    s.post(WM_SYSCOMMAND, command)
    s.wait_for(lambda: s.window(MAIN)[state], 10, f"the frame {state}")
    s.post(WM_SYSCOMMAND, SC_CLOSE)
    return s.game.exit_code()


def close_minimized(s):
    """Closed from its system menu while minimized."""
    return close_in_state(s, SC_MINIMIZE, "iconic")


def close_maximized(s):
    """Closed while maximized: the next start shows the rectangle from before."""
    return close_in_state(s, SC_MAXIMIZE, "zoomed")


# Ways to end a run whose window positions the next start must show.
CLOSINGS = [close_by_close_box, close_minimized, close_maximized]


def test_positions_kept_across_a_restart(s):
    """The frame and a board dragged by their captions are where they were
    after a restart; so are the other children."""
    s.started()
    for cls, by in ((MAIN, (60, 40)), (COMPUTER_BOARD, (-30, 150))):
        w = s.window(cls)
        grip = s.hit_point(w, HTCAPTION)
        s.drag(grip, (grip[0] + by[0], grip[1] + by[1]))
        s.wait_for(lambda: s.window(cls)["rect"][:2] == [w["rect"][0] + by[0], w["rect"][1] + by[1]], 10,
                   f"{cls} dragged by its caption")
    for close in CLOSINGS:
        where = positions(s)
        s.expect_eq(0, close(s), f"exit code after {close.__name__}")
        s.start()
        s.expect_eq(where, positions(s), f"positions after {close.__name__} and a restart")
    # A frame stored where no monitor is takes its default place, on screen.
    s.command(EXIT)
    s.game.exit_code()
    stored = bytearray.fromhex(s.reg()["WinPos"][1])
    stored[80:96] = struct.pack("<4i", -32000, -32000, -31840, -31976)
    subprocess.run(["wine", "reg", "add", "HKLM" + driver.KEY, "/v", "WinPos", "/t", "REG_BINARY", "/d",
                    stored.hex(), "/f"], capture_output=True, timeout=60, check=True)
    s.start()
    left, top, right, bottom = s.window(MAIN)["rect"]
    s.expect(left >= 0 and top >= 0 and right - left > 300, "the frame at its default place", [left, top, right, bottom])


def test_exit_command_saves_nothing(s):
    """Exit ends the program with 0 and leaves the key as it was."""
    s.started()
    before = keys(s)
    s.command(SALVO)
    s.command(EXIT)
    s.expect_eq(0, s.game.exit_code(), "exit code after Exit")
    s.expect_eq(before, keys(s), "the settings keys byte for byte after Exit")


def test_copies_started_together(s):
    """Two copies let go at the same instant: one frame comes up, the other
    copy ends with 0 at once."""
    for round_ in range(COPY_ROUNDS):
        game = s.start(copies=2, wait=False)
        handed = game.exits(1, 30)
        s.expect_eq([0], list(handed.values()), f"round {round_}: exit code of the copy that handed over")
        runner = next(pid for pid in game.pids if pid not in handed)
        frame = s.wait_for(lambda: [f for f in frames(s) if f["visible"]], 30, "a frame")
        s.expect_eq([runner], [f["pid"] for f in frame], f"round {round_}: one frame, of the copy that runs")
        s.post(WM_CLOSE, hwnd=frame[0]["hwnd"])
        s.expect_eq(0, game.exits(2)[runner], f"round {round_}: exit code after WM_CLOSE")


def test_hot_key_taken_and_click_filter(s):
    """With Ctrl+S held by another program the game starts and plays. During
    the computer's turn (1 s pauses) the frame answers sent messages, a click
    on the computer's board is dropped; a click after the turn is a shot."""
    s.expect(s.probe("hotkey", "hold")[0]["ok"], "the probe holds Ctrl+S")
    s.settings(Salvo=1, TimeOut=1000, FirstShoot=1, AutoArrange=1)
    began = time.monotonic()
    s.start()
    driver.log(f"  frame shown {time.monotonic() - began:.1f} s after the start")
    s.command(NEW_GAME)
    state = s.wait_for(lambda: (lambda st: st if st["BattleOn"] == "1" else None)(s.state()), 20, "a battle")
    ships = {square for ship in fleet(state, "ComputerFleet") for square in ship}
    water = [(x, y) for x in range(10) for y in range(10) if (x, y) not in ships]
    random.Random(4).shuffle(water)
    board = s.window(COMPUTER_BOARD)
    salvo, during, after = water[:5], water[5], water[6]
    for x, y in salvo:
        click_square(s, board, x, y)
    s.wait_for(lambda: comment(s).startswith("Мой ход"), 40, "the computer's turn")
    click_square(s, board, *during)
    answers = []
    while comment(s).startswith("Мой ход") and len(answers) < 5:
        answers.append(s.send(WM_NULL))
    s.expect(answers and all(a["ok"] for a in answers), "sent messages answered during the turn", answers)
    s.wait_for(lambda: comment(s).startswith("Ваш ход"), 30, "the end of the computer's turn")
    click_square(s, board, *after)
    shots = s.wait_for(lambda: (lambda st: st if st[after[0] * 10 + after[1]] == "1" else None)(
        s.state()["ShotsAtComputer"]), 20, "the click after the turn to be a shot")
    s.expect_eq("0", shots[during[0] * 10 + during[1]], f"the square clicked during the turn {during} not shot")
    s.expect_eq("1" * 5, "".join(shots[x * 10 + y] for x, y in salvo), "the salvo's five shots")
    s.probe("hotkey", "release")
    s.post(WM_CLOSE)
    s.expect_eq(0, s.game.exit_code(), "exit code after WM_CLOSE")


if __name__ == "__main__":
    driver.main([test_second_copy_hands_over, test_close_box_saves, test_positions_kept_across_a_restart,
                 test_exit_command_saves_nothing, test_copies_started_together, test_hot_key_taken_and_click_filter])
