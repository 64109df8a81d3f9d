"""Playing whole games through the real program, as a player does: options
from the menu, the fleet placed by hand with the picker and the mouse, shots
by clicks, the result question answered by its buttons. Also the model's
invariants, checked on the probe's state export whenever the game is at rest."""
import os
import random

import driver
from frame_helpers import COMPUTER_BOARD, HUMAN_BOARD, MAIN, PICKER, ARROWS, click_square, parse_state
from test_frame_commands import answer_result
from test_placement import LYING, UPRIGHT, click_silhouette

NEW_GAME, AUTO_ARRANGE, SALVO = 303, 308, 40036
LEVEL_COMMANDS = (40011, 40012, 40030)
HUMAN_FIRST, COMPUTER_FIRST = 40034, 40035
WON_TITLE = "Что, не веришь своему счастью?"
LOST_TITLE = "Вы проиграли!!!"
TURN_CAPTION = "Человек - осталось ходов - "
FLEET_LENGTHS = [4, 3, 3, 2, 2, 2, 1, 1, 1, 1]


class Broken(driver.Failed):
    """The model is in a state the rules do not allow."""


# ---- the model's invariants ------------------------------------------------------------


def fleet(state, name):
    """Ships as lists of (x, y), in fleet order."""
    return [[(int(p[0]), int(p[1])) for p in ship.split(",")] for ship in state[name].split(";")]


def check_fleet(ships, what, lengths=FLEET_LENGTHS):
    """Straight ships of the given lengths on the board, none touching another."""
    if [len(s) for s in ships] != list(lengths):
        raise Broken(f"{what}: ship lengths {[len(s) for s in ships]}")
    owner = {}
    for k, ship in enumerate(ships):
        xs, ys = {x for x, _ in ship}, {y for _, y in ship}
        straight = (len(xs) == 1 and sorted(ys) == list(range(min(ys), min(ys) + len(ship)))) or \
                   (len(ys) == 1 and sorted(xs) == list(range(min(xs), min(xs) + len(ship))))
        if not straight or not all(0 <= x < 10 and 0 <= y < 10 for x, y in ship):
            raise Broken(f"{what}: ship {k} is not a straight run on the board: {ship}")
        for square in ship:
            owner[square] = k
    for k, ship in enumerate(ships):
        for x, y in ship:
            for dx in (-1, 0, 1):
                for dy in (-1, 0, 1):
                    other = owner.get((x + dx, y + dy), k)
                    if other != k:
                        raise Broken(f"{what}: ships {k} and {other} touch at {x}{y}")


def check_model(state, what, at_rest=True):
    """What the rules allow at any moment: the ships placed by hand so far
    are a valid part of the fleet; no shot before both fleets are out; in a
    battle both fleets are whole and valid. At rest (no shot being settled)
    the sunk flags and the ships left also agree with the shots."""
    if state["BattleOn"] not in ("0", "1"):
        raise Broken(f"{what}: BattleOn={state['BattleOn']}")
    placing, placed_count, flags = state["Placement"].split(",")
    placed = [k for k, f in enumerate(flags) if f == "1"]
    if int(placed_count) != len(placed) or placing not in ("0", "1"):
        raise Broken(f"{what}: Placement={state['Placement']}")
    human = fleet(state, "HumanFleet")
    check_fleet([human[k] for k in placed], f"{what}: the human's placed ships", [FLEET_LENGTHS[k] for k in placed])
    if len(placed) < len(FLEET_LENGTHS):
        if state["BattleOn"] == "1":
            raise Broken(f"{what}: a battle on with {len(placed)} ships placed")
        for layer in ("ShotsAtComputer", "ShotsAtHuman"):
            if state[layer] != "0" * 100:
                raise Broken(f"{what}: {layer} has shots before the fleet is placed")
        return
    if state["BattleOn"] == "0" and state["ShotsAtComputer"] == "0" * 100 and state["ShotsAtHuman"] == "0" * 100:
        return  # arranged, nothing fired yet
    left = [int(n) for n in state["ShipsLeft"].split(",")]
    sunk_flags = state["ShipSunk"].split(",")
    for side, (fleet_name, shots_name) in enumerate((("ComputerFleet", "ShotsAtComputer"),
                                                     ("HumanFleet", "ShotsAtHuman"))):
        ships = fleet(state, fleet_name)
        check_fleet(ships, f"{what}: {fleet_name}")
        shots = state[shots_name]
        if len(shots) != 100 or set(shots) - {"0", "1"}:
            raise Broken(f"{what}: {shots_name}={shots!r}")
        if not at_rest:
            continue
        sunk = [all(shots[x * 10 + y] == "1" for x, y in ship) for ship in ships]
        if [f == "1" for f in sunk_flags[side]] != sunk:
            raise Broken(f"{what}: sunk flags of {fleet_name} {sunk_flags[side]} against the shots {sunk}")
        if left[side] != sunk.count(False):
            raise Broken(f"{what}: {left[side]} ships left of {fleet_name}, {sunk.count(False)} afloat")
    if at_rest and state["BattleOn"] == "1" and 0 in left:
        raise Broken(f"{what}: a battle on with a fleet sunk")


# ---- one game ----------------------------------------------------------------------------


class Player:
    """Plays games in a session whose game is running; remembers the board
    windows (they do not move while nobody drags them)."""

    def __init__(self, s, rng, poll=0.03):
        self.s = s
        self.rng = rng
        self.poll = poll
        self.computer_board = s.window(COMPUTER_BOARD)
        self.human_board = s.window(HUMAN_BOARD)

    def state(self):
        return parse_state(self.s.state())

    def wait(self, predicate, timeout, what):
        return self.s.wait_for(predicate, timeout, what, interval=self.poll)

    def marks(self):
        items = self.s.menu_items()
        return {i: items[i]["checked"] for i in (AUTO_ARRANGE, SALVO, HUMAN_FIRST) + LEVEL_COMMANDS}

    def configure(self, level, salvo, human_first, auto):
        """Sets the options by their commands; True when one changed."""
        marks = self.marks()
        changed = False
        if not marks[LEVEL_COMMANDS[level]]:
            self.s.command(LEVEL_COMMANDS[level])
            changed = True
        if marks[HUMAN_FIRST] != human_first:
            self.s.command(HUMAN_FIRST if human_first else COMPUTER_FIRST)
            changed = True
        for command, on in ((SALVO, salvo), (AUTO_ARRANGE, auto)):
            if marks[command] != on:
                self.s.command(command)
                changed = True
        if changed:
            want = dict(marks)
            want.update({c: c == LEVEL_COMMANDS[level] for c in LEVEL_COMMANDS})
            want.update({HUMAN_FIRST: human_first, SALVO: salvo, AUTO_ARRANGE: auto})
            self.wait(lambda: self.marks() == want, 10, "the options to take")
        return changed

    def new_game(self, auto):
        """Starts a new game and waits until it is ready for the player: the
        picker open for a fleet placed by hand, else the battle on."""
        self.s.command(NEW_GAME)
        self.wait_game_ready(auto)

    def wait_game_ready(self, auto):
        if auto:
            self.wait(lambda: self.state()["BattleOn"] == "1" and self.human_turn(), 20, "a new battle")
        else:
            self.wait(lambda: self.state()["BattleOn"] == "0" and self.s.window(PICKER)["visible"]
                      and "0" * 100 == self.state()["ShotsAtComputer"], 20, "a new game placed by hand")

    def random_layout(self):
        """A valid fleet: (length, x, y, vertical) in fleet order."""
        while True:
            taken, layout = set(), []
            for length in FLEET_LENGTHS:
                for _ in range(200):
                    vertical = self.rng.random() < 0.5
                    x = self.rng.randrange(10 if vertical else 11 - length)
                    y = self.rng.randrange(11 - length if vertical else 10)
                    squares = {(x, y + i) if vertical else (x + i, y) for i in range(length)}
                    halo = {(a + dx, b + dy) for a, b in squares for dx in (-1, 0, 1) for dy in (-1, 0, 1)}
                    if not halo & taken:
                        taken |= squares
                        layout.append((length, x, y, vertical))
                        break
                else:
                    break
            if len(layout) == len(FLEET_LENGTHS):
                return layout

    def place_fleet(self):
        """Each ship chosen in the picker and dropped on its square by a click."""
        for k, (length, x, y, vertical) in enumerate(self.random_layout()):
            click_silhouette(self.s, (UPRIGHT if vertical else LYING)[length])
            self.wait(lambda: self.s.window(ARROWS)["visible"], 10, f"ship {k} chosen")
            click_square(self.s, self.human_board, x, y)
            squares = sorted((x, y + i) if vertical else (x + i, y) for i in range(length))
            self.wait(lambda: sorted(fleet(self.state(), "HumanFleet")[k]) == squares, 10, f"ship {k} placed")
            if k < 9:
                self.wait(lambda: not self.s.window(ARROWS)["visible"], 10, f"the pad to hide after ship {k}")
        self.wait(lambda: self.state()["BattleOn"] == "1" and self.human_turn(), 20,
                  "the battle after the tenth ship")

    def human_turn(self):
        """The computer's board shows the human's shots left; it shows 0 while
        a shot of the human's is settled and through the computer's turn, and
        its plain title before the first shot of a battle."""
        caption = self.s.window(COMPUTER_BOARD)["text"]
        return caption != TURN_CAPTION + "0"

    def play_battle(self, win):
        """Shoots until the game ends: at the computer's ships to win, at the
        water first to lose. Returns (result dialog title, clicks)."""
        state = self.state()
        ships = [square for ship in fleet(state, "ComputerFleet") for square in ship]
        water = [(x, y) for x in range(10) for y in range(10) if (x, y) not in set(ships)]
        self.rng.shuffle(water)
        targets = ships + water if win else water + ships
        clicks = 0
        for x, y in targets:
            state = self.wait(self.turn_or_end, 60, "the human's turn or the end of the game")
            if state["BattleOn"] == "0":
                break
            check_model(state, f"before the shot at {x}{y}")
            if state["ShotsAtComputer"][x * 10 + y] == "1":
                continue
            click_square(self.s, self.computer_board, x, y)
            clicks += 1
            self.wait(lambda: self.state()["ShotsAtComputer"][x * 10 + y] == "1", 10, f"the shot at {x}{y}")
        state = self.wait(lambda: (lambda st: st if st["BattleOn"] == "0" else None)(self.state()), 60,
                          "the end of the game")
        check_model(state, "at the end of the game")
        left = state["ShipsLeft"].split(",")
        title = WON_TITLE if left[0] == "0" else LOST_TITLE
        if "0" not in left:
            raise Broken(f"the battle ended with ships left on both sides: {left}")
        self.s.wait_dialog(title, timeout=20)
        return title, clicks

    def turn_or_end(self):
        state = self.state()
        if state["BattleOn"] == "0" or self.human_turn():
            return state
        return None

    def answer(self, title, play_again):
        answer_result(self.s, title, play_again)
        self.wait(lambda: not [d for d in self.s.dialogs() if d["title"] == title], 20, "the result dialog to close")


def rng_for(name):
    """A random source per test, repeatable through TRIVOK_PLAY_SEED."""
    seed = int(os.environ.get("TRIVOK_PLAY_SEED", "2026"))
    driver.log(f"  {name}: TRIVOK_PLAY_SEED={seed}")
    return random.Random(f"{name}-{seed}")
