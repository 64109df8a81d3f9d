"""Playing the real game as a player does (options by their commands, ships
chosen in the picker, shots and answers by clicks), and the rules its model
must obey whenever a test looks at it."""
import os
import random

import driver

COMPUTER_BOARD, HUMAN_BOARD, PICKER, PAD = "First_screen", "Second_screen", "ShipContainer_class", "Container_class"
NEW_GAME, AUTO_ARRANGE, SALVO = 303, 308, 40036
LEVELS, HUMAN_FIRST, COMPUTER_FIRST = (40011, 40012, 40030), 40034, 40035
WON, LOST = "Что, не веришь своему счастью?", "Вы проиграли!!!"
FLEET = [4, 3, 3, 2, 2, 2, 1, 1, 1, 1]
C = 17  # a square: 4.5 mm at Wine's 96 DPI
# The computer's board shows the human's shots left: none while the computer shoots.
NO_SHOTS_LEFT = "Человек - осталось ходов - 0"


class Broken(driver.Failed):
    """The model is in a state the rules do not allow."""


def rng(name):
    """A random source per test, repeatable through TRIVOK_PLAY_SEED."""
    seed = os.environ.get("TRIVOK_PLAY_SEED", "2026")
    driver.log(f"  {name}: TRIVOK_PLAY_SEED={seed}")
    return random.Random(f"{name}-{seed}")


def fleet(state, name):
    """Ships as lists of (x, y), in fleet order."""
    return [[(int(p[0]), int(p[1])) for p in ship.split(",")] for ship in state[name].split(";")]


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
        for dx in (-1, 0, 1):
            for dy in (-1, 0, 1):
                if owner.get((x + dx, y + dy), k) != k:
                    raise Broken(f"{what}: ships {k} and {owner[(x + dx, y + dy)]} touch at {x}{y}")


def check_model(state, what, at_rest=True):
    """What the rules allow at any moment: the ships placed by hand so far are
    a valid part of the fleet; no shot before both fleets are out; in a
    battle both fleets valid. At rest (no shot being settled) the sunk flags
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


def click_square(s, board, x, y):
    s.click(board, x * C + C // 2, y * C + C // 2)


def choose_ship(s, length, upright):
    """Clicks a ship in the picker, which shows the upright ones in a row on
    its left, longest first, and the lying ones stacked on its right, longest
    on top; waits for the pad that comes with the chosen ship."""
    rank = 5 - length
    s.click(s.window(PICKER), *((rank * C, 4 * C) if upright else (6 * C, rank * C)))
    s.wait_for(lambda: s.window(PAD)["visible"], 10, f"the pad for a {length}-square ship")


class Player:
    """Plays whole games in the session's running game; `options` are those
    of the settings key at the start, kept up to date as they change."""

    def __init__(self, s, rng, **options):
        self.s, self.rng, self.options = s, rng, options
        self.computer_board, self.human_board = s.window(COMPUTER_BOARD), s.window(HUMAN_BOARD)

    def wait(self, predicate, what, timeout=30):
        return self.s.wait_for(predicate, timeout, what, interval=0.03)

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
        def ready():
            st = self.s.state()
            if self.options["auto"]:
                return st["BattleOn"] == "1" and st["ShotsAtComputer"] == "0" * 100 and self.human_turn()
            return st["BattleOn"] == "0" and st["Placement"].startswith("0,0,") and self.s.window(PICKER)["visible"]
        self.wait(ready, "a new game")

    def random_layout(self):
        """A valid fleet: (length, x, y, upright) in fleet order."""
        while True:
            taken, layout = set(), []
            for length in FLEET:
                for _ in range(200):
                    upright = self.rng.random() < 0.5
                    x, y = self.rng.randrange(10 - (not upright) * (length - 1)), self.rng.randrange(10 - upright * (length - 1))
                    ship = squares(x, y, length, upright)
                    if not {(a + dx, b + dy) for a, b in ship for dx in (-1, 0, 1) for dy in (-1, 0, 1)} & taken:
                        taken |= set(ship)
                        layout.append((length, x, y, upright))
                        break
            if len(layout) == len(FLEET):
                return layout

    def place_fleet(self):
        """Each ship chosen in the picker and put down by a click on its square."""
        for k, (length, x, y, upright) in enumerate(self.random_layout()):
            choose_ship(self.s, length, upright)
            click_square(self.s, self.human_board, x, y)
            self.wait(lambda: sorted(fleet(self.s.state(), "HumanFleet")[k]) == squares(x, y, length, upright),
                      f"ship {k} put down at {x}{y}")
        self.wait(lambda: self.s.state()["BattleOn"] == "1" and self.human_turn(), "the battle after the tenth ship")

    def human_turn(self):
        return self.s.window(COMPUTER_BOARD)["text"] != NO_SHOTS_LEFT

    def play_battle(self, win):
        """Shoots until the game ends, at the computer's ships to win, at the
        water first to lose; returns the title of the result dialog."""
        ships = [square for ship in fleet(self.s.state(), "ComputerFleet") for square in ship]
        water = [(x, y) for x in range(10) for y in range(10) if (x, y) not in ships]
        self.rng.shuffle(water)
        for x, y in ships + water if win else water + ships:
            state = self.wait(lambda: (lambda st: st if st["BattleOn"] == "0" or self.human_turn() else None)(
                self.s.state()), "the human's turn or the end of the game", 60)
            if state["BattleOn"] == "0":
                break
            check_model(state, f"before the shot at {x}{y}")
            if state["ShotsAtComputer"][x * 10 + y] == "0":
                click_square(self.s, self.computer_board, x, y)
                self.wait(lambda: self.s.state()["ShotsAtComputer"][x * 10 + y] == "1", f"the shot at {x}{y}")
        state = self.wait(lambda: (lambda st: st if st["BattleOn"] == "0" else None)(self.s.state()), "the end", 60)
        check_model(state, "at the end of the game")
        if "0" not in state["ShipsLeft"].split(","):
            raise Broken(f"the battle ended with ships left on both sides: {state['ShipsLeft']}")
        return self.s.wait_dialog(WON if state["ShipsLeft"].startswith("0,") else LOST)["text"]

    def answer(self, title, play_again):
        """Clicks "play again" (the dialog's OK) or "stop" (its Cancel)."""
        dialog = self.s.wait_dialog(title)
        self.s.click_control(next(c for c in dialog["controls"] if c["id"] == (1 if play_again else 2)))
        self.wait(lambda: not self.s.running() or not self.s.dialogs(title), "the result dialog to close")
