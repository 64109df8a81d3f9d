"""Starting and ending the real process: a second copy hands over to the first, copies started together
leave one running; each way of closing, its exit code, what it saves and the positions the next start
shows; Ctrl+S held by another program, and the click filter with the pause that keeps the window answering."""
import os
import random
import struct
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from driver import (COMPUTER_BOARD, HTCAPTION, HTCLOSE, HUMAN_BOARD, MAIN, NEW_GAME, PAD, PICKER, SALVO,  # noqa: E402
                    WM_CLOSE, WM_NULL, fleet, main)

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
    s.expect_eq(0, s.exit_code(s.launch()), "exit code of the second copy")
    s.expect(s.wait_window()["zoomed"], "the first copy shown maximized")
    s.wait_for(lambda: s.focus() == frame["hwnd"], 10, "the focus on the first copy's frame")
    s.expect_eq([s.pid], [f["pid"] for f in frames(s)], "one frame, the first copy's")
    s.expect_eq(before, keys(s), "the settings keys byte for byte")


def positions(s):
    return {w["class"]: w["rect"] for w in s.windows()
            if w["class"] in (MAIN, COMPUTER_BOARD, HUMAN_BOARD, PAD, PICKER, COMMENTATOR)}


# Ways to end a run whose window positions the next start must show: the
# close box; from the system menu while minimized; while maximized (the next
# start shows the rectangle from before).
CLOSINGS = [("the close box", None, None), ("minimized", SC_MINIMIZE, "iconic"), ("maximized", SC_MAXIMIZE, "zoomed")]


def test_restarts(s):
    """The frame and a board dragged by their captions are where they were
    after each way of closing and a restart, and so are the other children;
    the close box saves a changed option and the positions (100 bytes); Exit
    ends with 0 and saves nothing; a frame stored where no monitor is takes
    its default place, on screen."""
    s.settings(Salvo=0)
    s.start()
    s.command(SALVO)
    for cls, by in ((MAIN, (60, 40)), (COMPUTER_BOARD, (-30, 150))):
        w = s.window(cls)
        grip = s.hit_point(w, HTCAPTION)
        s.drag(grip, (grip[0] + by[0], grip[1] + by[1]))
        s.wait_for(lambda: s.window(cls)["rect"][:2] == [w["rect"][0] + by[0], w["rect"][1] + by[1]], 10,
                   f"{cls} dragged by its caption")
    for name, command, state in CLOSINGS:
        where = positions(s)
        if command:
            s.post(WM_SYSCOMMAND, command)
            s.wait_for(lambda: s.window(MAIN)[state], 10, f"the frame {state}")
            s.post(WM_SYSCOMMAND, SC_CLOSE)
        else:
            s.click_screen(*s.hit_point(s.window(MAIN), HTCLOSE))
        s.expect_eq(0, s.exit_code(), f"exit code after closing by {name}")
        if not command:
            s.expect_eq(1, s.dword("Salvo"), "salvo switched on and saved")
            s.expect(len(s.reg()["WinPos"][1]) == 200, "the window positions saved, 100 bytes", s.reg())
        s.start()
        s.expect_eq(where, positions(s), f"positions after closing by {name} and a restart")
    before = keys(s)
    s.command(SALVO)
    s.command(EXIT)
    s.expect_eq(0, s.exit_code(), "exit code after Exit")
    s.expect_eq(before, keys(s), "the settings keys byte for byte after Exit")
    stored = bytearray.fromhex(s.reg()["WinPos"][1])
    stored[80:96] = struct.pack("<4i", -32000, -32000, -31840, -31976)
    s.settings(WinPos=bytes(stored))
    s.start()
    left, top, right, bottom = s.window(MAIN)["rect"]
    s.expect(left >= 0 and top >= 0 and right - left > 300, "the frame at its default place", [left, top, right, bottom])


def test_copies_started_together(s):
    """Two copies let go at the same instant: one frame comes up, the other
    copy ends with 0 at once."""
    for round_ in range(COPY_ROUNDS):
        pids = s.start(copies=2, wait=False)
        handed = s.exits(1, timeout=30)
        s.expect_eq([0], list(handed.values()), f"round {round_}: exit code of the copy that handed over")
        runner = next(pid for pid in pids if pid not in handed)
        frame = s.wait_for(lambda: [f for f in frames(s) if f["visible"]], 30, "a frame")
        s.expect_eq([runner], [f["pid"] for f in frame], f"round {round_}: one frame, of the copy that runs")
        s.post(WM_CLOSE, hwnd=frame[0]["hwnd"])
        s.expect_eq(0, s.exits(2)[runner], f"round {round_}: exit code after WM_CLOSE")


def test_hot_key_and_click_filter(s):
    """With Ctrl+S held by another program the game starts and plays. During
    the computer's turn (1 s pauses) the frame answers sent messages, a click
    on the computer's board is dropped; a click after the turn is a shot."""
    s.expect(s.probe("hotkey")[0]["ok"], "the probe holds Ctrl+S")
    s.settings(Salvo=1, TimeOut=1000, FirstShoot=1, AutoArrange=1)
    s.start()
    s.command(NEW_GAME)
    state = s.wait_state(lambda st: st["BattleOn"] == "1", "a battle")
    ships = {square for ship in fleet(state, "ComputerFleet") for square in ship}
    water = [(x, y) for x in range(10) for y in range(10) if (x, y) not in ships]
    random.Random(4).shuffle(water)
    board = s.window(COMPUTER_BOARD)
    salvo, during, after = water[:5], water[5], water[6]
    for x, y in salvo:
        s.click_square(board, x, y)
    s.wait_for(lambda: comment(s).startswith("Мой ход"), 40, "the computer's turn")
    s.click_square(board, *during)
    answers = []
    while comment(s).startswith("Мой ход") and len(answers) < 5:
        answers.append(s.send(WM_NULL))
    s.expect(answers and all(a["ok"] for a in answers), "sent messages answered during the turn", answers)
    s.wait_for(lambda: comment(s).startswith("Ваш ход"), 30, "the end of the computer's turn")
    s.click_square(board, *after)
    shots = s.wait_state(lambda st: st["ShotsAtComputer"][after[0] * 10 + after[1]] == "1",
                         "the click after the turn to be a shot")["ShotsAtComputer"]
    s.expect_eq("0", shots[during[0] * 10 + during[1]], f"the square clicked during the turn {during} not shot")
    s.expect_eq("1" * 5, "".join(shots[x * 10 + y] for x, y in salvo), "the salvo's five shots")
    s.post(WM_CLOSE)
    s.expect_eq(0, s.exit_code(), "exit code after WM_CLOSE")


if __name__ == "__main__":
    main([test_second_copy_hands_over, test_restarts, test_copies_started_together, test_hot_key_and_click_filter])
