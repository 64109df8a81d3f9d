"""Playing the real program through X.

A fleet placed by keys with real focus: each ship chosen in the picker, moved
from А1 by the arrow keys, turned by keypad 5, put down by Enter; a step past
the edge and a ship touching another are refused with a message box, after
which the keys move the ship again. Whole games by the mouse in one run, of
every kind (level, salvo, first shooter, arranged or placed, won or lost),
each answered "play again" and the last "stop" (exit 0); the stored totals
count them, and over a long run the process's GDI objects, windows and memory
stay flat. Storms of random clicks and keys while placing and in battles,
the game answering and its model obeying the rules after each burst.
TRIVOK_SOAK_GAMES and TRIVOK_STORM_EVENTS set the lengths (tests/tools/soak.sh
runs long ones); TRIVOK_PLAY_SEED repeats a run."""
import os
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import driver  # noqa: E402
from driver import MAIN, WM_CLOSE, WM_COMMAND, WM_NULL  # noqa: E402
WM_QUERYENDSESSION, WM_ENDSESSION = 0x0011, 0x0016
from play import (AUTO_ARRANGE, COMPUTER_BOARD, HUMAN_BOARD, LOST, NEW_GAME, NO_SHOTS_LEFT, PAD, PICKER,  # noqa: E402
                  WON, Player, check_model, choose_ship, fleet, rng, squares)

GAMES = int(os.environ.get("TRIVOK_SOAK_GAMES", "8"))
EVENTS = int(os.environ.get("TRIVOK_STORM_EVENTS", "400"))
PAD_DONE = 8  # the control id of the pad's last button, which puts the ship down

# (length, chosen upright, keys from А1, where it lies at the end: x, y, upright)
LAYOUT = [
    (4, True, ["KP_5"] + ["Right"] * 6 + ["Down"] * 9, (6, 9, False)),
    (3, True, ["Down"] * 2, (0, 2, True)),
    (3, False, ["Right"] + ["Down"] * 5, (2, 5, False)),  # first at Б6, touching the ship at А3-А5
    (2, False, ["Right"] * 8, (8, 0, False)),
    (2, True, ["Right"] * 9 + ["Down"] * 2, (9, 2, True)),
    (2, True, ["Right"] * 6 + ["Down"] * 2, (6, 2, True)),
    (1, True, ["Down"] * 7, (0, 7, True)),
    (1, False, ["Right"] * 2 + ["Down"] * 7, (2, 7, True)),
    (1, True, ["Right"] * 4 + ["Down"] * 7, (4, 7, True)),
    (1, False, ["Right"] * 8 + ["Down"] * 6, (8, 6, True)),
]


def press(s, *keys):
    """Keys through X once the frame has the keyboard focus."""
    frame = s.window(MAIN)["hwnd"]
    s.wait_for(lambda: s.focus() == frame, 5, "the keyboard focus on the frame")
    s.key(*keys)


def answer_refusal(s, words, what):
    """Waits for the error box, checks that it says `words`, answers it with Enter."""
    texts = [c["text"] for c in s.wait_dialog("Ошибка", 10)["controls"] if c["text"]]
    s.expect(any(words in t for t in texts), f"{what}: a message box saying {words!r}", texts)
    s.key("Return")
    s.wait_for(lambda: not s.dialogs("Ошибка"), 10, f"the message box of {what} to close")


def test_fleet_placed_by_keys(s):
    s.settings(AutoArrange=0, FirstShoot=1)
    s.start()
    s.command(NEW_GAME)
    for k, (length, upright, keys, (x, y, lies_upright)) in enumerate(LAYOUT):
        choose_ship(s, length, upright)
        if k == 0:
            press(s, "Left")
            answer_refusal(s, "Выход за рамки!", "a step left from А1")
        press(s, *keys)
        if k == 2:
            s.click_control(next(c for c in s.windows("Button") if c["id"] == PAD_DONE))
            answer_refusal(s, "соприкасаться", "a ship touching another")
            press(s, "Right")
        press(s, "Return")
        want = squares(x, y, length, lies_upright)
        s.wait_for(lambda: sorted(fleet(s.state(), "HumanFleet")[k]) == want, 10, f"ship {k} put down at {want}")
        check_model(s.state(), f"after ship {k}")
    s.wait_for(lambda: s.state()["BattleOn"] == "1", 10, "the battle after the tenth ship")
    s.expect(not s.window(PICKER)["visible"] and not s.window(PAD)["visible"], "the picker and the pad hidden")


def test_whole_games(s):
    s.settings(TimeOut=1, ProphyUser=0, Salvo=0, FirstShoot=1, AutoArrange=1, ManWon=0, CompWon=0)
    s.start()
    player = Player(s, rng("games"), level=0, salvo=False, human_first=True, auto=True)
    titles, counts, began = [], [], time.monotonic()
    for game in range(GAMES):
        t0, win = time.monotonic(), game % 4 in (0, 3)
        plan = dict(level=game % 3, salvo=game % 2 == 1, auto=game // 2 % 2 == 0, human_first=game // 4 % 2 == 0)
        if player.configure(**plan) or game == 0:
            s.command(NEW_GAME)
        player.wait_game_ready()
        if not plan["auto"]:
            player.place_fleet()
        titles.append(player.play_battle(win))
        readings = []  # the least of three: the result dialog's clip draws with short-lived objects
        for _ in range(3):
            readings.append(s.probe("resources", "--pid", s.pid)[0])
            time.sleep(0.1)
        counts.append({name: min(r[name] for r in readings) for name in ("gdi", "windows", "private_bytes")})
        driver.log(f"  game {game + 1:3} {plan} {'won ' if titles[-1] == WON else 'lost'} "
                   f"{time.monotonic() - t0:4.1f} s {counts[-1]}")
        if game + 1 == GAMES:
            session_ends_during_the_result(s, titles, plan)
        player.answer(titles[-1], play_again=game + 1 < GAMES)
        if game + 1 < GAMES:  # the new game that "play again" queued has cleared the shots
            s.wait_for(lambda: s.state()["ShotsAtComputer"] == "0" * 100, 20, "the new game after \"play again\"")
    s.expect_eq(0, s.game.exit_code(), "exit code after \"stop\"")
    s.expect_eq(77, s.dword("ManWon"), "nothing saved again by the end that followed the session's")
    driver.log(f"  {GAMES} games in {time.monotonic() - began:.0f} s")
    if GAMES > 8:
        first = counts[:8]
        s.expect(max(c["gdi"] for c in counts) <= max(c["gdi"] for c in first), "GDI objects above the first eight")
        # The two result dialogs differ: windows compare between games that ended alike.
        s.expect(all(c["windows"] <= max(f["windows"] for f, t in zip(first, titles) if t == title)
                     for c, title in zip(counts, titles)), "windows above the first eight")
        growth = counts[-1]["private_bytes"] - counts[7]["private_bytes"]
        s.expect(growth <= 2 << 20, f"private memory grew by {growth // 1024} KiB after the first eight games")


def session_ends_during_the_result(s, titles, plan):
    """Windows ends the session while the result dialog is up: what a close
    saves is saved there and then, the game just ended counted; nothing is
    saved twice."""
    s.expect_eq(1, s.send(WM_QUERYENDSESSION)["result"], "the game lets the session end")
    s.send(WM_ENDSESSION, 1)
    s.expect_eq((titles.count(WON), titles.count(LOST)), (s.dword("ManWon"), s.dword("CompWon")), "stored totals")
    s.expect_eq(int(plan["salvo"]), s.dword("Salvo"), "the option of the last game stored")
    s.expect("WinPos" in s.reg(), "the positions stored at the session's end")
    s.settings(ManWon=77)  # what a second save would overwrite


# Storms: the left button inside the client areas of these (no close boxes, no
# context menus that hide windows), by weight; keys without Escape, and
# without Tab that could bring the focus to "stop", which would end the run.
WEIGHTS = {COMPUTER_BOARD: 8, HUMAN_BOARD: 6, PICKER: 4, PAD: 3, "Button": 1, "Static": 1}
KEYS = ["Left", "Right", "Up", "Down", "KP_2", "KP_4", "KP_5", "KP_6", "KP_8", "Return", "space"]
BURST = 40


def storm(s, rng, events, what):
    began = time.monotonic()
    for count in range(BURST, events + BURST, BURST):
        dialogs = s.dialogs()
        targets = [(1, c["client_screen"]) for d in dialogs for c in d["controls"] + [d]
                   if c["visible"] and not (d["text"] in (WON, LOST) and c["id"] == 2)]
        targets = targets or [(WEIGHTS[w["class"]], w["client_screen"]) for w in s.windows()
                              if w["visible"] and w["class"] in WEIGHTS]
        if not targets:
            raise driver.Failed(f"{what}: nothing to aim at in {s.windows()}")
        args, games = [], (s.dword("ManWon") or 0) + (s.dword("CompWon") or 0)
        for _ in range(BURST):
            (left, top, right, bottom) = rng.choices([t[1] for t in targets], [t[0] for t in targets])[0]
            if rng.random() < 0.25:
                args += ["key", rng.choice(KEYS)]
            elif right > left and bottom > top:
                args += ["mousemove", s.origin[0] + rng.randrange(left, right), s.origin[1] + rng.randrange(top, bottom),
                         "click", "--delay", 20, 1]
        s.xdotool(*args)
        where = f"{what}, after {count} events"
        if not s.running():
            # Arrow keys can take a result dialog's focus to "stop", which ends the
            # run with 0 and stores the games; any other end is a fault.
            if s.game.exit_code() != 0 or (s.dword("ManWon") or 0) + (s.dword("CompWon") or 0) <= games:
                raise driver.Failed(f"{where}: the game ended with exit code {s.game.exit_code()}")
            driver.log(f"  {where}: a result dialog answered \"stop\"; started again")
            s.start()
            s.command(NEW_GAME)
            continue
        if not s.send(WM_NULL)["ok"]:
            raise driver.Failed(f"{where}: the frame did not answer in 5 s")
        check_model(s.state(), where, at_rest=s.window(COMPUTER_BOARD)["text"] != NO_SHOTS_LEFT)
        for d in reversed(s.dialogs()):  # the result question "play again", message boxes OK, others closed
            s.post(*((WM_COMMAND, 1) if any(c["id"] == 1 for c in d["controls"]) else (WM_CLOSE,)), hwnd=d["hwnd"])
        s.wait_for(lambda: not s.dialogs(), 10, "the dialogs to close")
    st = s.state()
    driver.log(f"  {what}: {events} events in {time.monotonic() - began:.0f} s; placement {st['Placement']}, "
               f"{st['ShotsAtComputer'].count('1')} squares shot at the computer, ships left {st['ShipsLeft']}")


def test_storms(s):
    s.settings(TimeOut=1, AutoArrange=0)
    s.start()
    random = rng("storms")
    s.command(NEW_GAME)
    storm(s, random, EVENTS, "placing by hand")
    s.command(AUTO_ARRANGE)
    s.command(NEW_GAME)
    storm(s, random, EVENTS, "battles")
    s.post(WM_CLOSE)
    s.expect_eq(0, s.game.exit_code(), "exit code after WM_CLOSE")


if __name__ == "__main__":
    driver.main([test_fleet_placed_by_keys, test_whole_games, test_storms])
