"""Drives the real game under Wine for the end-to-end tests (standard library only). A test file is a
list of functions taking a Session; driver.main() runs them in order in one session: a virtual desktop
of its own, the settings key cleared once, the game started when a test asks and left running for the
next one. Run in the prefix and display of tools/wine-env.sh, by hand for example
    tools/wine-env.sh python3 tests/e2e/test_startup.py [-k NAME]   (the programs of build/win by default)"""
import argparse
import contextlib
import json
import os
import queue
import random
import shutil
import signal
import subprocess
import sys
import tempfile
import threading
import time
import traceback

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
MAIN = "Trivok_Class"
WM_NULL, WM_CLOSE, WM_COMMAND, WM_NCHITTEST = 0x0000, 0x0010, 0x0111, 0x0084
HTCAPTION, HTCLOSE = 2, 20
KEY = r"\SOFTWARE\Trivok"
COMPUTER_BOARD, HUMAN_BOARD, PICKER, PAD = "First_screen", "Second_screen", "ShipContainer_class", "Container_class"
NEW_GAME, AUTO_ARRANGE, SALVO = 303, 308, 40036
DPI = int(os.environ.get("TRIVOK_DPI") or 96)  # the prefix's scale (tools/wine-env.sh)
C = round(DPI * 4.5 / 25.4)  # a square: 4.5 mm on the display, 17 pixels at 96 DPI


class Failed(AssertionError):
    """A check that stops the test."""


def log(*parts):
    print(*parts, flush=True)


def fleet(state, name):
    """Ships of the model as lists of (x, y), in fleet order."""
    return [[(int(p[0]), int(p[1])) for p in ship.split(",")] for ship in state[name].split(";")]


class Probe:
    """probe.exe kept running in the session's desktop, a command per line."""

    def __init__(self, probe, desktop):
        self.proc = subprocess.Popen(["wine", probe, "--desktop", desktop], stdin=subprocess.PIPE,
                                     stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, start_new_session=True)
        self.lines = queue.Queue()
        threading.Thread(target=self._read, daemon=True).start()

    def _read(self):
        for line in self.proc.stdout:
            self.lines.put(line)
        self.lines.put(None)

    def __call__(self, *args, timeout=30):
        """The command's JSON objects; Failed with the probe's error when it fails."""
        self.proc.stdin.write(("\t".join(map(str, args)) + "\n").encode())
        self.proc.stdin.flush()
        out, deadline = [], time.monotonic() + timeout
        while True:
            try:
                line = self.lines.get(timeout=max(0.0, deadline - time.monotonic()))
            except queue.Empty:
                raise Failed(f"probe {args}: no answer in {timeout} s") from None
            if line is None:
                raise Failed(f"probe {args}: the probe ended")
            out.append(json.loads(line))
            if out[-1].get("end"):
                if out[-1]["rc"]:
                    raise Failed(f"probe {args}: {out[-2].get('error') if len(out) > 1 else out[-1]}")
                return out[:-1]


class Session:
    """A virtual desktop of its own, the probe in it, the game on demand."""

    def __init__(self, opt):
        self.opt, self.failures, self.pids = opt, [], []
        self.desktop = f"trivok-{os.getpid()}-{random.randrange(1 << 20)}"
        self.workdir = tempfile.mkdtemp(prefix="trivok-e2e-")
        size = os.environ.get("TRIVOK_DESKTOP", "1024x768")
        self.explorer = subprocess.Popen(["wine", "explorer", f"/desktop={self.desktop},{size}"],
                                         stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                         stderr=subprocess.DEVNULL, start_new_session=True)
        self.origin = self.wait_for(self._desktop_origin, 60, "the virtual desktop")
        self.probe = Probe(opt.probe, self.desktop)
        self.clear_settings()

    def _desktop_origin(self):
        r = subprocess.run(["xdotool", "search", "--name", f"^{self.desktop} - Wine desktop$", "getwindowgeometry",
                            "--shell"], capture_output=True, text=True, timeout=10)
        vals = dict(l.split("=", 1) for l in r.stdout.split() if "=" in l)
        return (int(vals["X"]), int(vals["Y"])) if "X" in vals else None

    def close(self):
        self.stop()
        for proc in (self.probe.proc, self.explorer):  # with their groups, where Wine's processes stay
            with contextlib.suppress(ProcessLookupError):
                os.killpg(proc.pid, signal.SIGKILL)
            proc.wait(10)
        shutil.rmtree(self.workdir, ignore_errors=True)

    # -- the game --

    @property
    def pid(self):
        return self.pids[0] if self.pids else None

    def launch(self, copies=1, exe=None):
        """Copies of the game let go together by the probe: their process ids."""
        path = "Z:" + os.path.abspath(exe or self.opt.exe).replace("/", "\\")
        return [o["pid"] for o in self.probe("start", "--copies", copies, "--exe", path)]

    def start(self, copies=1, exe=None, wait=True):
        """A fresh start (what runs is ended first); with `wait`, until the frame shows."""
        self.stop()
        self.pids = self.launch(copies, exe)
        if wait:
            self.wait_window()
        return self.pids

    def ended(self, pids=None):
        """{pid: exit code} of the processes (the game's by default) that have ended."""
        return {o["pid"]: o["exit"] for o in self.probe("exits") if o["pid"] in (pids or self.pids)}

    def exits(self, count=1, pids=None, timeout=20):
        """ended(pids) once `count` have ended."""
        return self.wait_for(lambda: len(e := self.ended(pids)) >= count and e, timeout, f"{count} copies to end")

    def exit_code(self, pids=None):
        return self.exits(1, pids)[(pids or self.pids)[0]]

    def running(self):
        return len(self.ended()) < len(self.pids)

    def stop(self):
        for pid in set(self.pids) - set(self.ended()):
            self.probe("terminate", "--pid", pid)  # which waits for the end

    def wait_for(self, predicate, timeout=10, what="the condition", interval=0.05):
        """Polls predicate until it returns something true, and returns that."""
        deadline, last = time.monotonic() + timeout, None
        while True:
            try:
                value = predicate()
                if value:
                    return value
            except Failed as e:
                last = e
            if time.monotonic() >= deadline:
                raise Failed(f"timed out after {timeout} s waiting for {what}" + (f" ({last})" if last else ""))
            time.sleep(interval)

    # -- reading and messages --

    def windows(self, cls=None, everyone=False):
        """The game's windows (every program's with `everyone`), depth first."""
        pid = [] if everyone or not self.pids else ["--pid", self.pid]
        return self.probe("windows", *(["--class", cls] if cls else []), *pid)

    def window(self, cls):
        return next(iter(self.windows(cls)), None)

    def wait_window(self, cls=MAIN, timeout=30):
        return self.wait_for(lambda: next((w for w in self.windows(cls) if w["visible"]), None), timeout,
                             f"a visible window of class {cls}")

    def state(self):
        """The model as {name: text}."""
        text = self.probe("state", "--pid", self.pid)[0]["text"]
        return dict(line.split("=", 1) for line in text.splitlines() if "=" in line)

    def wait_state(self, test, what, timeout=30):
        """The model once test(model) holds."""
        return self.wait_for(lambda: (lambda st: test(st) and st)(self.state()), timeout, what, interval=0.03)

    def dialogs(self, title=None):
        """The game's open dialogs and message boxes, each with its "controls"."""
        tops = []
        for w in self.windows():
            (tops[-1]["controls"] if w["depth"] and tops else tops).append(dict(w, controls=[]))
        return [d for d in tops if d["class"] == "#32770" and d["visible"] and title in (None, d["text"])]

    def wait_dialog(self, title=None, timeout=20):
        return self.wait_for(lambda: next(iter(self.dialogs(title)), None), timeout, f"a dialog {title or ''}")

    def focus(self):
        """The game's window with the keyboard focus."""
        return next((w["hwnd"] for w in self.windows() if w["focused"]), None)

    def send(self, msg, wparam=0, lparam=0, hwnd=None, how="send"):
        """SendMessageTimeout (5 s) or PostMessage to a window, the frame by default: {"ok", "result"}."""
        where = ["--hwnd", hwnd] if hwnd else ["--pid", self.pid]
        return self.probe(how, *where, "--msg", msg, "--wp", wparam, "--lp", lparam)[0]

    def post(self, msg, wparam=0, lparam=0, hwnd=None):
        self.send(msg, wparam, lparam, hwnd, "post")

    def command(self, command_id):
        """A menu or toolbar command, sent to the frame: done when this returns."""
        if not self.send(WM_COMMAND, command_id)["ok"]:
            raise Failed(f"command {command_id} not answered")

    def hit_point(self, window, code):
        """A point of the window's top edge where its own hit test answers
        `code` (HTCAPTION, HTCLOSE), scanned from the right: the middle of the first run."""
        left, top, right, _ = window["rect"]
        for y in range(top + 2, top + 30, 3):
            run = []
            for x in range(right - 2, left, -3):
                hit = self.send(WM_NCHITTEST, 0, (y << 16) | x, hwnd=window["hwnd"])["result"] == code
                run += [x] if hit else []
                if run and (not hit or len(run) == 10):
                    return run[len(run) // 2], y
        raise Failed(f"no point of {window['class']} answers hit-test code {code}")

    # -- the settings key, through Wine's reg --

    def reg(self, hive="HKLM"):
        """{name: (type, data as reg prints it)} of SOFTWARE\\Trivok, or None without the key."""
        r = subprocess.run(["wine", "reg", "query", hive + KEY], capture_output=True, timeout=60)
        lines = [l.split(None, 2) for l in r.stdout.decode("utf-8", "replace").splitlines() if l.startswith("    ")]
        return None if r.returncode else {f[0]: tuple(f[1:]) for f in lines}

    def dword(self, name):
        """A DWORD value of the local machine's key; None when it is not there."""
        value = (self.reg() or {}).get(name)
        return int(value[1], 16) if value else None

    def settings(self, **values):
        """Values into the local machine's key: numbers as DWORD, bytes as binary."""
        for name, v in values.items():
            kind, data = ("REG_BINARY", v.hex()) if isinstance(v, bytes) else ("REG_DWORD", str(v))
            subprocess.run(["wine", "reg", "add", "HKLM" + KEY, "/v", name, "/t", kind, "/d", data, "/f"],
                           capture_output=True, timeout=60, check=True)

    def clear_settings(self):
        for hive in ("HKLM", "HKCU"):
            subprocess.run(["wine", "reg", "delete", hive + KEY, "/f"], capture_output=True, timeout=60)

    # -- input through X --

    def xdotool(self, *args):
        subprocess.run(["xdotool"] + [str(a) for a in args], check=True, timeout=120, stdin=subprocess.DEVNULL)

    def click_screen(self, x, y, button=1):
        """A click at desktop coordinates (no --sync, which waits 15 s when the pointer is already there)."""
        self.xdotool("mousemove", self.origin[0] + x, self.origin[1] + y, "click", "--delay", 0, button)

    def click(self, window, x, y, button=1):
        """A click at client coordinates of a window."""
        self.click_screen(window["client_screen"][0] + x, window["client_screen"][1] + y, button)

    def key(self, *keys):
        """Key presses by X name: key("Return"), key("Left", "KP_5")."""
        self.xdotool("key", *keys)

    def press(self, *keys):
        """Keys through X once the frame has the keyboard focus."""
        frame = self.window(MAIN)["hwnd"]
        self.wait_for(lambda: self.focus() == frame, 5, "the keyboard focus on the frame")
        self.key(*keys)

    def screenshot(self, path):
        subprocess.run(["import", "-window", "root", path], check=True, timeout=30)
        return path

    def click_square(self, board, x, y):
        self.click(board, x * C + C // 2, y * C + C // 2)

    def click_control(self, control):
        left, top, right, bottom = control["rect"]
        self.click_screen((left + right) // 2, (top + bottom) // 2)

    def drag(self, frm, to):
        """Drags with the left button between two desktop points, in steps."""
        ox, oy = self.origin
        steps = [a for k in range(1, 5) for a in ("mousemove", ox + frm[0] + (to[0] - frm[0]) * k // 4,
                                                  oy + frm[1] + (to[1] - frm[1]) * k // 4, "sleep", 0.1)]
        self.xdotool("mousemove", ox + frm[0], oy + frm[1], "sleep", 0.1, "mousedown", 1, *steps, "mouseup", 1)

    # -- checks that record a failure and go on --

    def expect(self, condition, what, got=None):
        if not condition:
            self.failures.append(what + ("" if got is None else f" (got {got!r})"))
            log(f"  FAIL {self.failures[-1]}")
        return bool(condition)

    def expect_eq(self, expected, got, what):
        return self.expect(expected == got, f"{what}: expected {expected!r}", got)


def main(tests):
    """Runs the tests in order in one session; exits 0 when all pass."""
    p = argparse.ArgumentParser(description="end-to-end tests of the game under Wine")
    p.add_argument("--exe", default=os.path.join(ROOT, "build", "win", "Trivok.exe"))
    p.add_argument("--probe", default=os.path.join(ROOT, "build", "win", "probe.exe"))
    p.add_argument("-k", dest="only", action="append", default=[], help="only tests whose name contains this")
    p.add_argument("--shots", default=os.environ.get("TRIVOK_SHOTS"), help="screenshots of failed tests go here")
    opt = p.parse_args()
    if not (os.environ.get("WINEPREFIX") and os.environ.get("DISPLAY")):
        p.error("no Wine prefix and display: run it through tools/wine-env.sh")
    selected = [t for t in tests if not opt.only or any(k in t.__name__ for k in opt.only)]
    failed, s = [], Session(opt)
    try:
        for test in selected:
            began, before = time.monotonic(), len(s.failures)
            try:
                test(s)
            except Exception as e:  # the next test starts the game afresh
                s.expect(False, f"{type(e).__name__}: {e}")
                if not isinstance(e, Failed):
                    traceback.print_exc()
            if len(s.failures) > before:
                failed.append(test.__name__)
                if opt.shots:
                    os.makedirs(opt.shots, exist_ok=True)
                    s.screenshot(os.path.join(opt.shots, f"{test.__name__}.png"))
                s.stop()
            log(f"{'FAIL' if test.__name__ in failed else 'PASS'} {test.__name__} ({time.monotonic() - began:.1f} s)")
    finally:
        s.close()
    log(f"{len(selected) - len(failed)} of {len(selected)} passed" + (f"; failed: {', '.join(failed)}" if failed else ""))
    sys.exit(1 if failed or not selected else 0)
