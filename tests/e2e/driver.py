"""Drives the real game under Wine for the end-to-end tests (standard library only).

A test file is a list of functions taking a Session; driver.main() runs them in
order in one session: a virtual desktop of its own, the settings key cleared
once, the game started when a test asks and left running for the next one.
Run in the prefix and display of tools/wine-env.sh, by hand for example
    tools/wine-env.sh python3 tests/e2e/test_startup.py [-k NAME] [--keep]
(the programs of build/win by default)."""
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


class Failed(AssertionError):
    """A check that stops the test."""


def log(*parts):
    print(*parts, flush=True)


class Probe:
    """probe.exe kept running in the session's desktop, a command per line."""

    def __init__(self, probe, desktop):
        self.proc = subprocess.Popen(["wine", probe, "--desktop", desktop, "serve"], stdin=subprocess.PIPE,
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


class Launch:
    """Copies of the game let go together by the probe, and their exits."""

    def __init__(self, s, exe, copies):
        self.s, self.copies = s, copies
        path = "Z:" + os.path.abspath(exe).replace("/", "\\")
        self.pids = [o["pid"] for o in s.probe("start", "--copies", copies, path)]

    def ended(self):
        return {o["pid"]: o["exit"] for o in self.s.probe("exits") if o["pid"] in self.pids}

    def exits(self, count=1, timeout=20):
        """{pid: exit code} of the copies that have ended, once `count` have."""
        return self.s.wait_for(lambda: (lambda e: e if len(e) >= count else None)(self.ended()), timeout,
                               f"{count} of the copies to end")

    def exit_code(self, timeout=20):
        return self.exits(1, timeout)[self.pids[0]]

    def running(self):
        return len(self.ended()) < self.copies


class Session:
    """A virtual desktop of its own, the probe in it, the game on demand."""

    def __init__(self, opt):
        self.opt, self.failures, self.game = opt, [], None
        self.desktop = f"trivok-{os.getpid()}-{random.randrange(1 << 20)}"
        self.workdir = tempfile.mkdtemp(prefix="trivok-e2e-")
        self.explorer = subprocess.Popen(["wine", "explorer", f"/desktop={self.desktop},1024x768"],
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
        if not self.opt.keep:
            shutil.rmtree(self.workdir, ignore_errors=True)

    # -- the game --

    @property
    def pid(self):
        return self.game.pids[0] if self.game else None

    def start(self, copies=1, exe=None, wait=True):
        """A fresh start (what runs is ended first); with `wait`, until the frame shows."""
        self.stop()
        self.game = Launch(self, exe or self.opt.exe, copies)
        if wait:
            self.wait_window()
        return self.game

    def started(self):
        """The running game, or a new start."""
        return self.game if self.running() else self.start()

    def running(self):
        return self.game is not None and self.game.running()

    def stop(self):
        if self.running():
            for pid in set(self.game.pids) - set(self.game.ended()):
                self.probe("terminate", "--pid", pid)
            self.game.exits(self.game.copies)

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
        pid = [] if everyone or not self.game else ["--pid", self.pid]
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

    def dialogs(self, title=None):
        """The game's open dialogs and message boxes, each with its "controls"."""
        found, current = [], None
        for w in self.windows():
            if w["depth"] == 0:
                mine = w["class"] == "#32770" and w["visible"] and title in (None, w["text"])
                current = dict(w, controls=[]) if mine else None
                found += [current] if mine else []
            elif current:
                current["controls"].append(w)
        return found

    def wait_dialog(self, title=None, timeout=20):
        return self.wait_for(lambda: next(iter(self.dialogs(title)), None), timeout, f"a dialog {title or ''}")

    def focus(self):
        """The game's window with the keyboard focus."""
        return next((w["hwnd"] for w in self.windows() if w["focused"]), None)

    def send(self, msg, wparam=0, lparam=0, hwnd=None):
        """SendMessageTimeout (5 s) to a window, the frame by default: {"ok", "result"}."""
        return self.probe("send", *(["--hwnd", hwnd] if hwnd else ["--pid", self.pid]), msg, wparam, lparam)[0]

    def post(self, msg, wparam=0, lparam=0, hwnd=None):
        self.probe("post", *(["--hwnd", hwnd] if hwnd else ["--pid", self.pid]), msg, wparam, lparam)

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
        """DWORD values into the local machine's key."""
        for name, value in values.items():
            subprocess.run(["wine", "reg", "add", "HKLM" + KEY, "/v", name, "/t", "REG_DWORD", "/d", str(value), "/f"],
                           capture_output=True, timeout=60, check=True)

    def clear_settings(self):
        for hive in ("HKLM", "HKCU"):
            subprocess.run(["wine", "reg", "delete", hive + KEY, "/f"], capture_output=True, timeout=60)

    # -- input through X --

    def xdotool(self, *args):
        subprocess.run(["xdotool"] + [str(a) for a in args], check=True, timeout=120, stdin=subprocess.DEVNULL)

    def click_screen(self, x, y, button=1):
        """A click at desktop coordinates (no --sync: it waits 15 s when the
        pointer is already there, and X keeps the move and the click in order)."""
        self.xdotool("mousemove", self.origin[0] + x, self.origin[1] + y, "click", "--delay", 0, button)

    def click(self, window, x, y, button=1):
        """A click at client coordinates of a window."""
        self.click_screen(window["client_screen"][0] + x, window["client_screen"][1] + y, button)

    def click_control(self, control):
        left, top, right, bottom = control["rect"]
        self.click_screen((left + right) // 2, (top + bottom) // 2)

    def drag(self, frm, to):
        """Drags with the left button between two desktop points, in steps."""
        (ox, oy), steps = self.origin, []
        for k in range(1, 5):
            steps += ["mousemove", ox + frm[0] + (to[0] - frm[0]) * k // 4, oy + frm[1] + (to[1] - frm[1]) * k // 4,
                      "sleep", 0.1]
        self.xdotool("mousemove", ox + frm[0], oy + frm[1], "sleep", 0.1, "mousedown", 1, *steps, "mouseup", 1)

    def key(self, *keys):
        """Key presses by X name: key("Return"), key("Left", "KP_5")."""
        self.xdotool("key", *keys)

    def screenshot(self, path):
        subprocess.run(["import", "-window", "root", path], check=True, timeout=30)
        return path

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
    p.add_argument("--keep", action="store_true", help="keep the session's work folder")
    p.add_argument("--shots", default=os.environ.get("TRIVOK_SHOTS"), help="screenshots of failed tests go here")
    opt = p.parse_args()
    if not (os.environ.get("WINEPREFIX") and os.environ.get("DISPLAY")):
        p.error("no Wine prefix and display: run it through tools/wine-env.sh")
    for path in (opt.exe, opt.probe):
        if not os.path.isfile(path):
            p.error(f"no such file: {path}")
    selected = [t for t in tests if not opt.only or any(k in t.__name__ for k in opt.only)]
    failed = []
    s = Session(opt)
    try:
        for test in selected:
            log(f"RUN  {test.__name__}")
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
                    log("  screenshot: " + s.screenshot(os.path.join(opt.shots, f"{test.__name__}.png")))
                s.stop()
            log(f"{'FAIL' if test.__name__ in failed else 'PASS'} {test.__name__} ({time.monotonic() - began:.1f} s)")
    finally:
        s.close()
    log(f"{len(selected) - len(failed)} of {len(selected)} passed" + (f"; failed: {', '.join(failed)}" if failed else ""))
    sys.exit(1 if failed or not selected else 0)
