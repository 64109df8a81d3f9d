"""Playing the real program through X: a fleet placed by keys with real focus (picker, arrows, keypad 5,
Enter; a step past the edge and a ship touching another refused by a message box, the keys moving the
ship after it); whole games by the mouse in one run, of every kind, "play again" and the last "stop", the
totals stored, the session's end saving once, and the process's GDI objects, windows and memory flat;
storms of random clicks and keys while placing and in battles, the game answering and its model obeying
the rules after each burst. TRIVOK_SOAK_GAMES and TRIVOK_STORM_EVENTS set the lengths; TRIVOK_PLAY_SEED
repeats a run."""
import os
import random
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from driver import (AUTO_ARRANGE, C, COMPUTER_BOARD, HUMAN_BOARD, MAIN, NEW_GAME, PAD, PICKER, SALVO,  # noqa: E402
                    WM_CLOSE, WM_COMMAND, WM_NULL, Failed, fleet, log, main)

WM_QUERYENDSESSION, WM_ENDSESSION = 0x0011, 0x0016
LEVELS, HUMAN_FIRST, COMPUTER_FIRST = (40011, 40012, 40030), 40034, 40035
WON, LOST = "Что, не веришь своему счастью?", "Вы проиграли!!!"
FLEET = [4, 3, 3, 2, 2, 2, 1, 1, 1, 1]
# The computer's board shows the human's shots left: none while the computer shoots.
NO_SHOTS_LEFT = "Человек - осталось ходов - 0"


class Broken(Failed):
    """The model is in a state the rules do not allow."""


def rng(name):
    """A random source per test, repeatable through TRIVOK_PLAY_SEED."""
    seed = os.environ.get("TRIVOK_PLAY_SEED", "2026")
    log(f"  {name}: TRIVOK_PLAY_SEED={seed}")
    return random.Random(f"{name}-{seed}")


def squares(x, y, length, upright):
    return sorted((x, y + i) if upright else (x + i, y) for i in range(length))


def check_fleet(ships, lengths, what):
    """Straight runs of the given lengths on the board, none touching another, not even at a corner."""
    owner = {}
    for k, ship in enumerate(ships):
        (x, y), length = min(ship), len(ship)
        if length != lengths[k] or sorted(ship) not in (squares(x, y, length, True), squares(x, y, length, False)) \
                or not all(0 <= v < 10 for square in ship for v in square):
            raise Broken(f"{what}: ship {k} is not a straight run of {lengths[k]} on the board: {ship}")
        owner.update((square, k) for square in ship)
    for (x, y), k in owner.items():
        near = {owner.get((x + dx, y + dy), k) for dx in (-1, 0, 1) for dy in (-1, 0, 1)} - {k}
        if near:
            raise Broken(f"{what}: ships {k} and {near.pop()} touch at {x}{y}")


def check_model(state, what, at_rest=True):
    """What the rules allow at any moment: the ships placed by hand so far a valid part of the fleet; no shot
    before both fleets are out; both fleets valid in a battle; at rest (no shot being settled) the sunk flags
    and the ships left agree with the shots."""
    placing, count, flags = state["Placement"].split(",")
    placed = [k for k, f in enumerate(flags) if f == "1"]
    if state["BattleOn"] not in "01" or placing not in "01" or int(count) != len(placed):
        raise Broken(f"{what}: BattleOn={state['BattleOn']} Placement={state['Placement']}")
    human = fleet(state, "HumanFleet")
    check_fleet([human[k] for k in placed], [FLEET[k] for k in placed], f"{what}: the human's placed ships")
    untouched = state["ShotsAtComputer"] == state["ShotsAtHuman"] == "0" * 100
    if len(placed) < len(FLEET) and (state["BattleOn"] == "1" or not untouched):
        raise Broken(f"{what}: a battle or shots with {len(placed)} ships placed")
    if len(placed) < len(FLEET) or untouched:
        return
    left = [int(n) for n in state["ShipsLeft"].split(",")]
    for side, (name, shots) in enumerate((("ComputerFleet", "ShotsAtComputer"), ("HumanFleet", "ShotsAtHuman"))):
        ships = fleet(state, name)
        check_fleet(ships, FLEET, f"{what}: {name}")
        sunk = "".join("1" if all(state[shots][x * 10 + y] == "1" for x, y in ship) else "0" for ship in ships)
        if at_rest and (state["ShipSunk"].split(",")[side] != sunk or left[side] != sunk.count("0")):
            raise Broken(f"{what}: {name}: sunk flags {state['ShipSunk']}, ships left {left} against the shots")
    if at_rest and state["BattleOn"] == "1" and 0 in left:
        raise Broken(f"{what}: a battle on with a fleet sunk")


def choose_ship(s, length, upright):
    """Clicks a ship in the picker (the upright ones in a row on its left, longest first, the lying ones
    stacked on its right, longest on top); waits for the pad that comes with the chosen ship."""
    rank = 5 - length
    s.click(s.window(PICKER), *((rank * C, 4 * C) if upright else (6 * C, rank * C)))
    s.wait_for(lambda: s.window(PAD)["visible"], 10, f"the pad for a {length}-square ship")


class Player:
    """Plays whole games in the running game; `options` are those of the key at the start, then as set."""

    def __init__(self, s, rng, **options):
        self.s, self.rng, self.options = s, rng, options
        self.computer_board, self.human_board = s.window(COMPUTER_BOARD), s.window(HUMAN_BOARD)

    def configure(self, **want):
        """Sets the options by their commands; True when one changed."""
        commands = {"level": LEVELS[want["level"]], "salvo": SALVO, "auto": AUTO_ARRANGE,
                    "human_first": HUMAN_FIRST if want["human_first"] else COMPUTER_FIRST}
        changed = [name for name in commands if want[name] != self.options[name]]
        for name in changed:
            self.s.command(commands[name])
        self.options = want
        return bool(changed)

    def wait_game_ready(self):
        """A new game ready for the player: the battle on, or the picker open."""
        def ready(st):
            if self.options["auto"]:
                return st["BattleOn"] == "1" and st["ShotsAtComputer"] == "0" * 100 and self.human_turn()
            return st["BattleOn"] == "0" and st["Placement"].startswith("0,0,") and self.s.window(PICKER)["visible"]
        self.s.wait_state(ready, "a new game")

    def random_layout(self):
        """A valid fleet: (length, x, y, upright) in fleet order, each ship drawn from the places still free."""
        while True:
            near, layout = set(), []  # the squares of the ships so far and around them
            for n in FLEET:
                free = [(x, y, up) for up in (True, False) for x in range(10 - (not up) * (n - 1))
                        for y in range(10 - up * (n - 1)) if not near & set(squares(x, y, n, up))]
                if not free:
                    break
                x, y, up = self.rng.choice(free)
                near |= {(a + dx, b + dy) for a, b in squares(x, y, n, up) for dx in (-1, 0, 1) for dy in (-1, 0, 1)}
                layout.append((n, x, y, up))
            else:
                return layout

    def place_fleet(self):
        """Each ship chosen in the picker and put down by a click on its square."""
        for k, (length, x, y, upright) in enumerate(self.random_layout()):
            choose_ship(self.s, length, upright)
            self.s.click_square(self.human_board, x, y)
            self.s.wait_state(lambda st: sorted(fleet(st, "HumanFleet")[k]) == squares(x, y, length, upright),
                              f"ship {k} put down at {x}{y}")
        self.s.wait_state(lambda st: st["BattleOn"] == "1" and self.human_turn(), "the battle after the tenth ship")

    def human_turn(self):
        return self.s.window(COMPUTER_BOARD)["text"] != NO_SHOTS_LEFT

    def play_battle(self, win):
        """Shoots until the game ends, at the ships to win, at the water first to lose; the result's title."""
        ships = [square for ship in fleet(self.s.state(), "ComputerFleet") for square in ship]
        water = [(x, y) for x in range(10) for y in range(10) if (x, y) not in ships]
        self.rng.shuffle(water)
        for x, y in ships + water if win else water + ships:
            state = self.s.wait_state(lambda st: st["BattleOn"] == "0" or self.human_turn(), "my turn or the end", 60)
            if state["BattleOn"] == "0":
                break
            check_model(state, f"before the shot at {x}{y}")
            if state["ShotsAtComputer"][x * 10 + y] == "0":
                self.s.click_square(self.computer_board, x, y)
                self.s.wait_state(lambda st: st["ShotsAtComputer"][x * 10 + y] == "1", f"the shot at {x}{y}")
        state = self.s.wait_state(lambda st: st["BattleOn"] == "0", "the end", 60)
        check_model(state, "at the end of the game")
        if "0" not in state["ShipsLeft"].split(","):
            raise Broken(f"the battle ended with ships left on both sides: {state['ShipsLeft']}")
        return self.s.wait_dialog(WON if state["ShipsLeft"].startswith("0,") else LOST)["text"]

    def answer(self, title, play_again):
        """Clicks "play again" (the dialog's OK) or "stop" (its Cancel)."""
        dialog = self.s.wait_dialog(title)
        self.s.click_control(next(c for c in dialog["controls"] if c["id"] == (1 if play_again else 2)))
        self.s.wait_for(lambda: not self.s.running() or not self.s.dialogs(title), 30, "the result dialog to close")


GAMES = int(os.environ.get("TRIVOK_SOAK_GAMES", "8"))
EVENTS = int(os.environ.get("TRIVOK_STORM_EVENTS", "400"))

# (length, chosen upright, where it lies: x, y, upright), moved there from А1 by the arrow keys after a
# turn by keypad 5 if it lies otherwise; the third stops first at Б6, touching the ship at А3-А5.
LAYOUT = [(4, True, 6, 9, False), (3, True, 0, 2, True), (3, False, 2, 5, False), (2, False, 8, 0, False),
          (2, True, 9, 2, True), (2, True, 6, 2, True), (1, True, 0, 7, True), (1, False, 2, 7, False),
          (1, True, 4, 7, True), (1, False, 8, 6, False)]


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
    for k, (length, upright, x, y, lies_upright) in enumerate(LAYOUT):
        choose_ship(s, length, upright)
        if k == 0:
            s.press("Left")
            answer_refusal(s, "Выход за рамки!", "a step left from А1")
        s.press(*["KP_5"] * (upright != lies_upright), *["Right"] * (x - (k == 2)), *["Down"] * y)
        if k == 2:
            s.click_control(next(c for c in s.windows("Button") if c["id"] == 8))  # the pad's "put down"
            answer_refusal(s, "соприкасаться", "a ship touching another")
            s.press("Right")
        s.press("Return")
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
        # The least of three: the result dialog's clip draws with short-lived objects.
        readings = [time.sleep(0.1) or s.probe("resources", "--pid", s.pid)[0] for _ in range(3)]
        counts.append({name: min(r[name] for r in readings) for name in readings[0]})
        log(f"  game {game + 1:3} {plan} {'won ' if titles[-1] == WON else 'lost'} "
            f"{time.monotonic() - t0:4.1f} s {counts[-1]}")
        if game + 1 == GAMES:  # the session ends while the result dialog is up: what a close saves, saved once
            s.expect_eq(1, s.send(WM_QUERYENDSESSION)["result"], "the game lets the session end")
            s.send(WM_ENDSESSION, 1)
            s.expect_eq((titles.count(WON), titles.count(LOST)), (s.dword("ManWon"), s.dword("CompWon")), "totals")
            s.expect_eq(int(plan["salvo"]), s.dword("Salvo"), "the option of the last game stored")
            s.expect("WinPos" in s.reg(), "the positions stored at the session's end")
            s.settings(ManWon=77)  # what a second save would overwrite
        player.answer(titles[-1], play_again=game + 1 < GAMES)
        if game + 1 < GAMES:  # the new game that "play again" queued has cleared the shots
            s.wait_for(lambda: s.state()["ShotsAtComputer"] == "0" * 100, 20, "the new game after \"play again\"")
    s.expect_eq(0, s.exit_code(), "exit code after \"stop\"")
    s.expect_eq(77, s.dword("ManWon"), "nothing saved again by the end that followed the session's")
    log(f"  {GAMES} games in {time.monotonic() - began:.0f} s")
    if GAMES > 8:
        first = counts[:8]
        s.expect(max(c["gdi"] for c in counts) <= max(c["gdi"] for c in first), "GDI objects above the first eight")
        # The two result dialogs differ: windows compare between games that ended alike.
        s.expect(all(c["windows"] <= max(f["windows"] for f, t in zip(first, titles) if t == title)
                     for c, title in zip(counts, titles)), "windows above the first eight")
        growth = counts[-1]["private_bytes"] - counts[7]["private_bytes"]
        s.expect(growth <= 2 << 20, f"private memory grew by {growth // 1024} KiB after the first eight games")


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
            raise Failed(f"{what}: nothing to aim at in {s.windows()}")
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
            if s.exit_code() != 0 or (s.dword("ManWon") or 0) + (s.dword("CompWon") or 0) <= games:
                raise Failed(f"{where}: the game ended with exit code {s.exit_code()}")
            log(f"  {where}: a result dialog answered \"stop\"; started again")
            s.start()
            s.command(NEW_GAME)
            continue
        if not s.send(WM_NULL)["ok"]:
            raise Failed(f"{where}: the frame did not answer in 5 s")
        check_model(s.state(), where, at_rest=s.window(COMPUTER_BOARD)["text"] != NO_SHOTS_LEFT)
        for d in reversed(s.dialogs()):  # the result question "play again", message boxes OK, others closed
            s.post(*((WM_COMMAND, 1) if any(c["id"] == 1 for c in d["controls"]) else (WM_CLOSE,)), hwnd=d["hwnd"])
        s.wait_for(lambda: not s.dialogs(), 10, "the dialogs to close")
    st = s.state()
    log(f"  {what}: {events} events in {time.monotonic() - began:.0f} s; placement {st['Placement']}, "
               f"{st['ShotsAtComputer'].count('1')} squares shot at the computer, ships left {st['ShipsLeft']}")


def test_storms(s):
    s.settings(TimeOut=1, AutoArrange=0)
    s.start()
    draws = rng("storms")
    s.command(NEW_GAME)
    storm(s, draws, EVENTS, "placing by hand")
    s.command(AUTO_ARRANGE)
    s.command(NEW_GAME)
    storm(s, draws, EVENTS, "battles")
    s.post(WM_CLOSE)
    s.expect_eq(0, s.exit_code(), "exit code after WM_CLOSE")


if __name__ == "__main__":
    main([test_fleet_placed_by_keys, test_whole_games, test_storms])
