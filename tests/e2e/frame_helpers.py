"""Helpers shared by the frame tests: restarts within one session (the
registry carries over), a second copy of the game in the same desktop, the
environment of one start, and the geometry the frame is built from."""
import json
import os
import random
import signal
import subprocess
import time

import driver

MAIN = "Trivok_Class"
COMPUTER_BOARD = "First_screen"
HUMAN_BOARD = "Second_screen"
COMMENTATOR = "Speaker_class"
ARROWS = "Container_class"
PICKER = "ShipContainer_class"
TOOLBAR = "ToolbarWindow32"
STATUSBAR = "msctls_statusbar32"
TOOLTIP = "tooltips_class32"

WM_NULL = 0x0000
WM_GETTEXTLENGTH = 0x000E
WM_SIZE = 0x0005
WM_KEYDOWN = 0x0100
WM_SYSCOMMAND = 0x0112
WM_MENUSELECT = 0x011F
WM_RBUTTONDOWN = 0x0204
SC_MAXIMIZE = 0xF030
SC_RESTORE = 0xF120

# Under Wine at 96 DPI, 4.5 mm are 17 pixels.
WINE_CELL = 17
# Wine's default metrics: SM_CXDLGFRAME and SM_CYDLGFRAME 3, small caption 15.
WINE_DLGFRAME = 3
WINE_SMALL_CAPTION = 15


def board_size(c):
    """Outer width and height of a board window for cell size c."""
    return 11 * c + 2 * WINE_DLGFRAME + 1, 11 * c + 3 * WINE_DLGFRAME + WINE_SMALL_CAPTION


def relaunch(s, *args, env=None, timeout=90):
    """Starts the game again in this session's desktop, with the registry as
    the last run left it. Whatever still runs is ended first. The desktop's
    explorer stays: a desktop whose explorer has gone cannot be reused."""
    if s.explorer is None:
        return start(s, *args, env=env, timeout=timeout)
    if s.pid is not None and s.running():
        try:
            s.probe("terminate", "--pid", str(s.pid), timeout=10)
        except Exception:
            pass
        s.wait_for(lambda: not s.running(), 10, "the game to end")
    s.result_file = _launch(s, args, env)
    first = s.wait_for(lambda: launch_lines(s.result_file)[:1], timeout, "the launcher to start the game")
    if "error" in first[0]:
        raise driver.Failed(f"launcher: {first[0]}")
    s.pid = first[0]["pid"]
    return s.pid


def start(s, *args, env=None, **kw):
    """Session.start with extra environment variables for this start only."""
    if not env:
        return s.start(*args, **kw)
    saved = dict(s.envr.env)
    s.envr.env.update(env)
    try:
        return s.start(*args, **kw)
    finally:
        s.envr.env.clear()
        s.envr.env.update(saved)


def _launch(s, args, env=None, launcher_args=()):
    """Runs the game through the launcher in the session's desktop (which
    must exist); returns the launcher's result file."""
    result = os.path.join(s.workdir, "launch-{}.json".format(random.randrange(1 << 30)))
    cmd = ["wine", "explorer", f"/desktop={s.desktop},{driver.DESKTOP_SIZE}", s.opt.launcher,
           driver.winpath(result)] + list(launcher_args) + [driver.winpath(s.opt.exe)] + list(args)
    environment = dict(s.envr.env, **(env or {}))
    proc = subprocess.Popen(cmd, env=environment, cwd=os.path.dirname(s.opt.exe), stdin=subprocess.DEVNULL,
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, start_new_session=True)
    s._extra_launches = getattr(s, "_extra_launches", []) + [proc]
    return result


def start_second_copy(s, *args):
    """Starts another copy of the game in the session's desktop; returns the
    path of its launcher's result file (wait for its end with wait_exit)."""
    return _launch(s, args)


def launch_lines(path):
    try:
        with open(path, encoding="utf-8") as f:
            return [json.loads(l) for l in f if l.strip().endswith("}")]
    except (OSError, ValueError):
        return []


def wait_exit(s, path, timeout=30):
    lines = s.wait_for(lambda: [l for l in launch_lines(path) if "exit" in l], timeout, "the second copy to end")
    return lines[0]["exit"]


def end_extra_launches(s):
    """Ends the process groups of the extra launches (call before the session
    closes: Session.close knows only its first start)."""
    procs = getattr(s, "_extra_launches", [])
    s._extra_launches = []
    for sig in (signal.SIGTERM, signal.SIGKILL):
        alive = [p for p in procs if driver._group_alive(p.pid)]
        for p in alive:
            try:
                os.killpg(p.pid, sig)
            except ProcessLookupError:
                pass
        deadline = time.monotonic() + 2
        while time.monotonic() < deadline and any(driver._group_alive(p.pid) for p in alive):
            for p in alive:
                p.poll()
            time.sleep(0.05)
    for p in procs:
        try:
            p.wait(1)
        except subprocess.TimeoutExpired:
            pass


def cleaned(test):
    """Wraps a test so that the game and the extra launches are ended."""
    def run(s):
        try:
            test(s)
        finally:
            if s.pid is not None and s.running():
                try:
                    s.probe("terminate", "--pid", str(s.pid), timeout=10)
                except Exception:
                    pass
            end_extra_launches(s)
    run.__name__ = test.__name__
    run.__doc__ = test.__doc__
    return run


def window_close(s, timeout=20):
    """Closes the frame as the close box does (WM_CLOSE) and returns the exit code."""
    s.post(MAIN, driver.WM_CLOSE)
    return s.exit_code(timeout=timeout)


def by_class(s):
    """The game's windows keyed by class (the first of each)."""
    out = {}
    for w in s.windows():
        out.setdefault(w["class"], w)
    return out


def parse_state(text):
    """The state export as a dict of its lines."""
    out = {}
    for line in text.splitlines():
        if "=" in line:
            k, v = line.split("=", 1)
            out[k] = v
    return out


def fleet_squares(state, name):
    """The squares (x, y) of a fleet from the state export."""
    squares = []
    for ship in state[name].split(";"):
        for pair in ship.split(","):
            squares.append((int(pair[0]), int(pair[1])))
    return squares


def click_square(s, board, x, y, c=WINE_CELL):
    """Left click in the middle of square (x, y) of a board window."""
    s.click(board, x * c + c // 2, y * c + c // 2)


def pointer(s):
    """Where the X pointer is, in X screen coordinates."""
    r = subprocess.run(["xdotool", "getmouselocation", "--shell"], env=s.envr.env, capture_output=True,
                       text=True, timeout=10)
    vals = dict(l.split("=", 1) for l in r.stdout.split() if "=" in l)
    return int(vals.get("X", -1)), int(vals.get("Y", -1))
