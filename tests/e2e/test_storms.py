"""Input storms: random clicks (left and right) and keys through X on every
window of the game, while the fleet is placed by hand, through battles, and
inside every dialog. After each burst the game still runs, answers at once,
and its model is in a state the rules allow.

    TRIVOK_STORM_EVENTS=5000 python3 tests/e2e/test_storms.py --exe ... --probe ...

sets the events per phase (the suite uses fewer); TRIVOK_PLAY_SEED repeats a run."""
import os
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import driver  # noqa: E402
from frame_helpers import (  # noqa: E402
    ARROWS, COMMENTATOR, COMPUTER_BOARD, HUMAN_BOARD, MAIN, PICKER, TOOLBAR, WM_NULL, cleaned,
    parse_state, start)
from play import AUTO_ARRANGE, LOST_TITLE, NEW_GAME, TURN_CAPTION, WON_TITLE, check_model, rng_for  # noqa: E402

EVENTS = int(os.environ.get("TRIVOK_STORM_EVENTS", "300"))
BURST = 40
# Escape answers the result question with "stop": it is pressed only where
# no game can end.
KEYS = ["Left", "Right", "Up", "Down", "KP_2", "KP_4", "KP_5", "KP_6", "KP_8", "Return", "space", "Tab",
        "shift+Tab", "a", "z", "F1"]
# Toolbar commands a storm leaves alone: Exit ends the run; in a battle, a
# new game or a switch to placing by hand would end the battle being tested.
SPARED_COMMANDS = {301}
SPARED_IN_BATTLE = {301, NEW_GAME, AUTO_ARRANGE}
# Dialog controls it leaves alone: "stop" after a game ends the run, and the
# about box's links would start a browser.
SPARED_CONTROLS = {(WON_TITLE, 7), (WON_TITLE, 2), (LOST_TITLE, 7), (LOST_TITLE, 2)}
LINK_PANEL = 1015
STATS_CLOSE = 1020
# Children that a storm may hide through their menus, with the command that shows them.
SHOW_COMMANDS = {COMPUTER_BOARD: 105, HUMAN_BOARD: 106, COMMENTATOR: 40041}
TIMEOUT_MS = 5000


class Storm:
    def __init__(self, s, rng):
        self.s = s
        self.rng = rng
        self.keys = KEYS
        self.spared = SPARED_COMMANDS
        self.origin = s.desktop_origin()
        self.events = 0

    def targets(self):
        """(weight, screen rectangle [left, top, right, bottom], buttons, what)
        of everything to aim at now."""
        out = []
        dialogs = self.s.dialogs()
        if dialogs:
            # A modal dialog takes the input: aim inside it.
            for d in dialogs:
                out.append((2, d["client_screen"], (1,), f"dialog {d['title']!r}"))
                for c in d["controls"]:
                    if (d["title"], c["id"]) in SPARED_CONTROLS or c["id"] == LINK_PANEL or not c["visible"]:
                        continue
                    out.append((3, c["client_screen"], (1,), f"control {c['id']} of {d['title']!r}"))
            return out
        by_class = {}
        for w in self.s.windows(visible=True):
            by_class.setdefault(w["class"], w)
        weights = {COMPUTER_BOARD: 8, HUMAN_BOARD: 6, PICKER: 4, ARROWS: 3, COMMENTATOR: 1, MAIN: 1}
        for cls, weight in weights.items():
            w = by_class.get(cls)
            if w:
                # A right click on the frame's free area hides the whole program.
                out.append((weight, w["client_screen"], (1,) if cls == MAIN else (1, 1, 3), cls))
        for w in self.s.windows("Button", visible=True):
            out.append((1, w["client_screen"], (1,), "pad button"))
        bar = by_class.get(TOOLBAR)
        if bar:
            for b in self.s.toolbar()["buttons"]:
                if not b["separator"] and b["command"] not in self.spared:
                    left, top, right, bottom = b["rect"]
                    x0, y0 = bar["client_screen"][:2]
                    out.append((0.05, [x0 + left, y0 + top, x0 + right, y0 + bottom], (1,),
                                f"toolbar {b['command']}"))
        menus = self.s.probe("windows", "--class", "#32768", "--visible")
        for m in menus:
            out.append((6, m["client_screen"], (1,), "context menu"))
        return out

    def burst(self):
        """BURST random clicks and keys sent in one xdotool run."""
        targets = self.targets()
        if not targets:
            frames = [(w["class"], w["visible"], w["iconic"]) for w in self.s.windows(top=True)]
            raise driver.Failed(f"nothing of the game to aim at; its top-level windows: {frames}")
        args = []
        for _ in range(BURST):
            if self.rng.random() < 0.25:
                args += ["key", "--delay", "5", self.rng.choice(self.keys)]
                continue
            weight, rect, buttons, _ = self.rng.choices(targets, [t[0] for t in targets])[0]
            left, top, right, bottom = rect
            if right <= left or bottom <= top:
                continue
            px = self.origin[0] + self.rng.randrange(left, right)
            py = self.origin[1] + self.rng.randrange(top, bottom)
            args += ["mousemove", str(px), str(py), "click", str(self.rng.choice(buttons))]
        subprocess.run(["xdotool"] + args, env=self.s.envr.env, timeout=120, check=True,
                       stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL)
        self.events += BURST

    def check(self, what):
        """The game runs, answers within a few seconds and obeys the rules."""
        if not self.s.running():
            raise driver.Failed(f"{what}: the game ended (exit {self.s.exit_code()})")
        answer = self.s.send(MAIN, WM_NULL, timeout_ms=TIMEOUT_MS)
        if not answer["ok"]:
            raise driver.Failed(f"{what}: the frame did not answer in {TIMEOUT_MS} ms")
        caption = self.s.window(COMPUTER_BOARD)["text"]
        check_model(parse_state(self.s.state()), what, at_rest=caption != TURN_CAPTION + "0")

    def show_children(self):
        """Brings back what the storm has hidden: the whole program (a right
        click on the frame's free area, where a hidden board was) by Ctrl+S,
        and the boards and the commentator by their commands."""
        if not self.s.window(MAIN)["visible"]:
            self.s.key("ctrl+s")
            self.s.wait_for(lambda: self.s.window(MAIN)["visible"], 10, "Ctrl+S to show the hidden program")
        for w in self.s.windows():
            command = SHOW_COMMANDS.get(w["class"])
            if command and not w["visible"] and w["parent"] == self.s.window(MAIN)["hwnd"]:
                self.s.command(command)

    def run(self, events, what, between=None):
        began = time.monotonic()
        count = 0
        while count < events:
            self.burst()
            count += BURST
            time.sleep(0.2)
            self.check(f"{what}, after {count} events")
            if between:
                between()
            if not self.s.dialogs():
                self.show_children()
        st = parse_state(self.s.state())
        driver.log(f"  {what}: {count} events in {time.monotonic() - began:.0f} s; now {st['Placement'][2:]} "
                   f"placed, {st['ShotsAtComputer'].count('1')} shots at the computer, "
                   f"{st['ShotsAtHuman'].count('1')} at the human, ships left {st['ShipsLeft']}")


def close_dialogs(s):
    """Answers every dialog of the game as a player getting on with it would:
    the result question with "play again", the statistics with its button, a
    question with No, anything else with Cancel, else OK, else WM_CLOSE."""
    for _ in range(10):
        dialogs = s.dialogs()
        if not dialogs:
            return
        # The last opened first: a message box disables the dialog under it.
        for d in reversed(dialogs):
            ids = {c["id"] for c in d["controls"]}
            if d["title"] in (WON_TITLE, LOST_TITLE):
                choice = 6 if 6 in ids else 1
            else:
                choice = next((i for i in (STATS_CLOSE, 2, 7, 1) if i in ids), None)
            if choice is None:
                s.post(None, driver.WM_CLOSE, hwnd=d["hwnd"])
            else:
                s.post(None, driver.WM_COMMAND, choice, 0, hwnd=d["hwnd"])
            time.sleep(0.3)
        time.sleep(0.3)
    raise driver.Failed(f"dialogs left open: {[d['title'] for d in s.dialogs()]}")


def test_storms(s):
    s.reg_set_dword("TimeOut", 1)
    s.reg_set_dword("AutoArrange", 0)
    start(s)
    s.wait_window(MAIN)
    storm = Storm(s, rng_for("storms"))

    # Placing by hand: the picker, the pad, the board, the keys.
    s.command(NEW_GAME)
    s.wait_for(lambda: s.window(PICKER)["visible"], 10, "the picker of a new game")
    storm.run(EVENTS, "placement", between=lambda: close_dialogs(s))

    # Battles: mostly shots; a finished game is answered "play again" by the storm itself.
    close_dialogs(s)
    if not s.menu_items()[AUTO_ARRANGE]["checked"]:
        s.command(AUTO_ARRANGE)  # arranged fleets from now on
    s.wait_for(lambda: s.menu_items()[AUTO_ARRANGE]["checked"], 10, "automatic arrangement on")
    s.command(NEW_GAME)
    s.wait_for(lambda: "BattleOn=1" in s.state(), 10, "a battle")
    storm.spared = SPARED_IN_BATTLE
    storm.run(EVENTS, "battle", between=lambda: close_dialogs(s))

    # Every dialog in turn, the storm aimed inside it.
    storm.keys = KEYS + ["Escape"]
    storm.spared = SPARED_COMMANDS
    for command, name in ((40031, "settings"), (40015, "colours"), (40014, "statistics"), (302, "about")):
        close_dialogs(s)

        def reopen(command=command):
            if not s.dialogs():
                s.command(command)
                s.wait_dialog(timeout=15)
        reopen()
        storm.run(max(BURST, EVENTS // 4), f"{name} dialog", between=reopen)
    close_dialogs(s)
    storm.check("after the storms")
    driver.log(f"  {storm.events} events in all")
    s.post(MAIN, driver.WM_CLOSE)
    s.expect_eq(0, s.exit_code(timeout=30), "exit code after WM_CLOSE")
    values = s.reg()
    s.expect(values is not None and "WinPos" in values, "the settings saved on the way out")


if __name__ == "__main__":
    driver.main([cleaned(test_storms)])
