"""Drives the game under Wine for end-to-end tests (Python standard library only).

A test file is a set of functions taking a Session; driver.main() runs each in
a session of its own: settings key cleared, a fresh virtual desktop, the game
started on demand, everything it started killed afterwards.

    import driver

    def test_title(s):
        s.start()
        w = s.wait_window("Trivok_Class")
        s.expect_eq("Duvirud ida для Win95", w["text"], "title")

    if __name__ == "__main__":
        driver.main([test_title])

Run by CTest (test.sh gives the suite's WINEPREFIX and DISPLAY and sets
TRIVOK_SUITE=1), or by hand:
    python3 tests/e2e/test_x.py --exe build/win/Trivok.exe --probe build/win/probe.exe \
        --launcher build/win/launch.exe [-k NAME] [--keep]
By hand the driver makes its own Xvfb and prefix and removes them at the end.
"""

import argparse
import itertools
import json
import os
import queue
import random
import shutil
import signal
import struct
import subprocess
import sys
import tempfile
import threading
import time
import traceback

SETTINGS_KEY = r"SOFTWARE\Trivok"
DESKTOP_SIZE = "1024x768"

WINE_ENV = {
    "WINEDEBUG": "-all",
    "WINEDLLOVERRIDES": "mscoree,mshtml=;winealsa.drv,winepulse.drv=",
    "LANG": "ru_RU.UTF-8",
    "LC_ALL": "ru_RU.UTF-8",
    "WINEARCH": "win64",
}

# Window messages and hit-test codes the tests use.
WM_CLOSE = 0x0010
WM_COMMAND = 0x0111
WM_USER = 0x0400
HTCLOSE = 20

REG_SZ, REG_BINARY, REG_DWORD = 1, 3, 4


class ProbeError(Exception):
    """The probe answered with an error."""


class Failed(AssertionError):
    """A fatal check failed."""


def log(*parts):
    print(*parts, flush=True)


def winpath(path):
    """A Unix path as Wine sees it through drive Z:."""
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def _group_alive(pgid):
    try:
        os.killpg(pgid, 0)
        return True
    except ProcessLookupError:
        return False
    except PermissionError:
        return True


def _kill_group(proc, grace=3.0):
    """Ends a process started with its own session and its whole process
    group. Wine's processes stay in the group of the command that started
    them even after that command has exited, so the group is signalled
    whatever the state of `proc`."""
    if proc is None:
        return
    pgid = proc.pid
    for sig in (signal.SIGTERM, signal.SIGKILL):
        try:
            os.killpg(pgid, sig)
        except ProcessLookupError:
            break
        deadline = time.monotonic() + grace
        while time.monotonic() < deadline and _group_alive(pgid):
            if proc.poll() is None:
                try:
                    proc.wait(0.05)
                except subprocess.TimeoutExpired:
                    pass
            else:
                time.sleep(0.05)
        if not _group_alive(pgid):
            break
    try:
        proc.wait(1)
    except subprocess.TimeoutExpired:
        pass


# ---- the place the game runs: X display and Wine prefix -------------------------


class Environment:
    """The suite's prefix and display, or ones of its own when run by hand."""

    def __init__(self):
        self.env = dict(os.environ)
        self.env.update(WINE_ENV)
        self.owned_dir = None
        self.xvfb = None
        suite = os.environ.get("TRIVOK_SUITE") == "1"
        if suite and os.environ.get("WINEPREFIX") and os.environ.get("DISPLAY"):
            return
        self.owned_dir = tempfile.mkdtemp(prefix="trivok-e2e-")
        self.env["WINEPREFIX"] = os.path.join(self.owned_dir, "prefix")
        self._start_xvfb()
        self._make_prefix()

    @property
    def prefix(self):
        return self.env["WINEPREFIX"]

    def _start_xvfb(self):
        for n in range(150, 250):
            if os.path.exists(f"/tmp/.X{n}-lock") or os.path.exists(f"/tmp/.X11-unix/X{n}"):
                continue
            proc = subprocess.Popen(
                ["Xvfb", f":{n}", "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
                stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                start_new_session=True)
            deadline = time.monotonic() + 10
            while time.monotonic() < deadline:
                if os.path.exists(f"/tmp/.X11-unix/X{n}"):
                    self.xvfb = proc
                    self.env["DISPLAY"] = f":{n}"
                    return
                if proc.poll() is not None:
                    break
                time.sleep(0.05)
            _kill_group(proc)
        raise RuntimeError("no free X display for Xvfb")

    def _make_prefix(self):
        log(f"making a Wine prefix in {self.prefix} (about 10 s)")
        quiet = dict(stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        # Persistent until close() ends it with wineserver -k.
        subprocess.run(["wineserver", "-p"], env=self.env, timeout=60, **quiet)
        subprocess.run(["wine", "wineboot", "-i"], env=self.env, timeout=300, check=True, **quiet)
        fonts = os.path.join(self.prefix, "drive_c", "windows", "Fonts")
        if os.path.isdir("/usr/share/wine/fonts"):
            for f in os.listdir("/usr/share/wine/fonts"):
                shutil.copy(os.path.join("/usr/share/wine/fonts", f), fonts)

    def ensure_server(self):
        # A running server before any piped Wine command: otherwise the server
        # inherits the pipe and the reader never sees its end.
        subprocess.run(["wineserver", "-p", "60"], env=self.env, timeout=60,
                       stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def close(self):
        if self.owned_dir:
            subprocess.run(["wineserver", "-k"], env=self.env, timeout=60,
                           stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            _kill_group(self.xvfb)
            shutil.rmtree(self.owned_dir, ignore_errors=True)
            self.owned_dir = None


# ---- the probe ----------------------------------------------------------------------


class ProbeServer:
    """A probe kept running in serve mode: one command per line, answers end
    with {"end": true, "rc": N}. Saves a Wine start-up per query."""

    def __init__(self, env, probe, desktop):
        args = ["wine", probe] + (["--desktop", desktop] if desktop else []) + ["serve"]
        self.proc = subprocess.Popen(args, env=env.env, stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                     stderr=subprocess.DEVNULL, start_new_session=True)
        self.lines = queue.Queue()
        threading.Thread(target=self._read, daemon=True).start()

    def _read(self):
        for raw in self.proc.stdout:
            self.lines.put(raw.decode("utf-8", "replace"))
        self.lines.put(None)

    def call(self, args, timeout):
        self.proc.stdin.write((json.dumps(list(args)) + "\n").encode())
        self.proc.stdin.flush()
        out = []
        deadline = time.monotonic() + timeout
        while True:
            try:
                line = self.lines.get(timeout=max(0.0, deadline - time.monotonic()))
            except queue.Empty:
                raise TimeoutError(f"probe {' '.join(args)}: no answer in {timeout} s")
            if line is None:
                raise ProbeError(f"probe {' '.join(args)}: the probe ended")
            line = line.strip()
            if not line:
                continue
            obj = json.loads(line)
            if obj.get("end"):
                return obj.get("rc", 2), out
            out.append(obj)

    def close(self):
        if self.proc.poll() is None:
            try:
                self.proc.stdin.write(b'["quit"]\n')
                self.proc.stdin.flush()
                self.proc.wait(3)
            except (OSError, subprocess.TimeoutExpired):
                pass
        _kill_group(self.proc)


# ---- one test's session ----------------------------------------------------------------


class Session:
    """One test: its own desktop, the settings key cleared, the game on demand."""

    _counter = itertools.count(1)

    def __init__(self, options, environment, name="test"):
        self.opt = options
        self.envr = environment
        self.name = name
        self.failures = []
        self.desktop = "trivok-{}-{}-{}-{}".format(
            "".join(c if c.isalnum() else "-" for c in name)[:24], os.getpid(), next(self._counter),
            random.randrange(1 << 20))
        self.workdir = tempfile.mkdtemp(prefix="trivok-session-")
        self.explorer = None
        self.pid = None  # the game's Windows process id
        self.result_file = os.path.join(self.workdir, "launch.json")
        self._servers = {}
        self._origin = None

    # -- lifecycle --

    def __enter__(self):
        self.envr.ensure_server()
        self.reg_clear()
        return self

    def __exit__(self, *exc):
        self.close()
        return False

    def start(self, *args, show=None, wait=True, timeout=90, exe=None):
        """Starts the game (or another program, `exe`) in this session's
        desktop; returns its Windows process id."""
        exe = exe or self.opt.exe
        if self.explorer is not None:
            raise RuntimeError("the game is already started in this session")
        cmd = ["wine", "explorer", f"/desktop={self.desktop},{DESKTOP_SIZE}",
               self.opt.launcher, winpath(self.result_file)]
        if show is not None:
            cmd += ["--show", str(show)]
        cmd += [winpath(exe)] + list(args)
        self._explorer_log = open(os.path.join(self.workdir, "explorer.log"), "wb")
        self.explorer = subprocess.Popen(cmd, env=self.envr.env, cwd=os.path.dirname(exe),
                                         stdin=subprocess.DEVNULL, stdout=self._explorer_log,
                                         stderr=subprocess.STDOUT, start_new_session=True)
        if wait:
            first = self.wait_for(lambda: self._launch_lines()[:1], timeout, "the launcher to start the game")
            if "error" in first[0]:
                raise Failed(f"launcher: {first[0]}")
            self.pid = first[0]["pid"]
        return self.pid

    def _launch_lines(self):
        try:
            with open(self.result_file, encoding="utf-8") as f:
                return [json.loads(l) for l in f if l.strip().endswith("}")]
        except (OSError, ValueError):
            return []

    def exit_code(self, timeout=20):
        """Waits for the game to end and returns its exit code."""
        lines = self.wait_for(lambda: [l for l in self._launch_lines() if "exit" in l], timeout,
                              "the game to end")
        return lines[0]["exit"]

    def running(self):
        return self.explorer is not None and not any("exit" in l for l in self._launch_lines())

    def close(self):
        """Ends everything this session started: the game (through the probe,
        by its process id), the probe servers, the desktop's explorer (by its
        process group)."""
        try:
            if self.pid is not None and self.running():
                try:
                    self.probe("terminate", "--pid", str(self.pid), timeout=10)
                except Exception:
                    pass
        finally:
            for server in self._servers.values():
                server.close()
            self._servers.clear()
            _kill_group(self.explorer)
            if self.explorer is not None:
                self._explorer_log.close()
            if not getattr(self.opt, "keep", False):
                shutil.rmtree(self.workdir, ignore_errors=True)

    # -- probe --

    def probe(self, *args, desktop=True, timeout=30):
        """Runs one probe command; returns its JSON objects. Raises ProbeError
        with the probe's message when it fails."""
        key = self.desktop if desktop and self.explorer is not None else None
        server = self._servers.get(key)
        if server is None or server.proc.poll() is not None:
            server = self._servers[key] = ProbeServer(self.envr, self.opt.probe, key)
        try:
            rc, out = server.call(args, timeout)
        except TimeoutError:
            server.close()
            del self._servers[key]
            raise
        if rc != 0:
            msg = "; ".join(o.get("error", "") for o in out if "error" in o) or f"rc {rc}"
            raise ProbeError(f"probe {' '.join(args)}: {msg}")
        return out

    def try_probe(self, *args, **kw):
        """As probe(), but None instead of an error (for polling)."""
        try:
            return self.probe(*args, **kw)
        except ProbeError:
            return None

    # -- waiting --

    def wait_for(self, predicate, timeout=10, what="the condition", interval=0.15):
        """Polls predicate until it returns something true; returns that value.
        Raises Failed after timeout seconds, naming `what`."""
        deadline = time.monotonic() + timeout
        last_error = None
        while True:
            try:
                value = predicate()
                if value:
                    return value
            except (ProbeError, TimeoutError) as e:
                last_error = e
            if time.monotonic() >= deadline:
                extra = f" (last error: {last_error})" if last_error else ""
                raise Failed(f"timed out after {timeout} s waiting for {what}{extra}")
            time.sleep(interval)

    # -- windows --

    def windows(self, cls=None, top=False, visible=None, under=None):
        args = ["windows"]
        if cls:
            args += ["--class", cls]
        if top:
            args.append("--top")
        if under:
            args += ["--under", str(under)]
        if self.pid is not None:
            args += ["--pid", str(self.pid)]
        out = self.probe(*args)
        if visible is not None:
            out = [w for w in out if w["visible"] == visible]
        return out

    def window(self, cls, visible=None):
        """The first window of the game with that class, or None."""
        found = self.windows(cls, visible=visible)
        return found[0] if found else None

    def wait_window(self, cls, title=None, timeout=60, visible=True):
        def found():
            for w in self.windows(cls, visible=visible):
                if title is None or w["text"] == title:
                    return w
            return None
        return self.wait_for(found, timeout, f"a window of class {cls}" + (f" titled {title!r}" if title else ""))

    def statusbar(self):
        bars = self.probe("statusbar", *self._pid_args())
        return bars[0] if bars else None

    def status_texts(self):
        bar = self.statusbar()
        return [p["text"] for p in bar["parts"]] if bar else []

    def toolbar(self):
        bars = self.probe("toolbar", *self._pid_args())
        return bars[0] if bars else None

    def toolbar_buttons(self):
        """Toolbar buttons keyed by command id (separators left out)."""
        bar = self.toolbar()
        return {b["command"]: b for b in bar["buttons"] if not b["separator"]} if bar else {}

    def menu(self, cls="Trivok_Class", system=False):
        args = ["menu", "--class", cls] + self._pid_args() + (["--system"] if system else [])
        return self.probe(*args)

    def menu_items(self, cls="Trivok_Class"):
        """Menu items keyed by command id (popups and separators left out)."""
        return {i["id"]: i for i in self.menu(cls) if not i["popup"] and not i["separator"]}

    def popup_menus(self):
        """The items of the open popup (context or dropped-down) menus."""
        return [o for o in self.probe("menu", "--popup") if "popup" not in o or "path" in o]

    def dialogs(self):
        return [d for d in self.probe("dialogs") if self.pid is None or d["pid"] == self.pid]

    def wait_dialog(self, title=None, timeout=15):
        def found():
            for d in self.dialogs():
                if title is None or d["title"] == title:
                    return d
            return None
        return self.wait_for(found, timeout, "a dialog" + (f" titled {title!r}" if title else ""))

    def state(self, cls="Trivok_Class"):
        """The text of the game's TrivokDescribeState export."""
        return self.probe("state", "--class", cls, *self._pid_args())[0]["text"]

    def resources(self):
        return self.probe("resources", "--pid", str(self.pid))[0]

    def gui(self, cls="Trivok_Class"):
        return self.probe("gui", "--class", cls, *self._pid_args())[0]

    def send(self, cls, msg, wparam=0, lparam=0, timeout_ms=5000, hwnd=None):
        """SendMessageTimeout; returns {"ok", "result", "elapsed_ms"}."""
        target = ["--hwnd", str(hwnd)] if hwnd else ["--class", cls] + self._pid_args()
        return self.probe("send", *target, str(msg), str(wparam), str(lparam),
                          "--timeout", str(timeout_ms), timeout=timeout_ms / 1000 + 30)[0]

    def post(self, cls, msg, wparam=0, lparam=0, hwnd=None):
        target = ["--hwnd", str(hwnd)] if hwnd else ["--class", cls] + self._pid_args()
        return self.probe("post", *target, str(msg), str(wparam), str(lparam))[0]

    def command(self, command_id, cls="Trivok_Class"):
        """Posts WM_COMMAND with a menu or toolbar command id."""
        return self.post(cls, WM_COMMAND, command_id, 0)

    def pixel(self, window, x, y):
        """(r, g, b) at client coordinates of a window (a dict from windows())."""
        o = self.probe("pixel", "--hwnd", str(window["hwnd"]), str(x), str(y))[0]
        return tuple(bytes.fromhex(o["rgb"]))

    def pixels(self, window, x, y, w, h, method="screen"):
        """Rows of (r, g, b) of a client rectangle of a window."""
        o = self.probe("pixels", "--hwnd", str(window["hwnd"]), str(x), str(y), str(w), str(h),
                       "--method", method)[0]
        return [[tuple(bytes.fromhex(row[i:i + 6])) for i in range(0, len(row), 6)] for row in o["rows"]]

    def hit_point(self, window, code):
        """Screen point (x, y) of a frame part, e.g. HTCLOSE for the close box."""
        o = self.probe("hittest", "--hwnd", str(window["hwnd"]), "--code", str(code))[0]
        return o["x"], o["y"]

    def _pid_args(self):
        return ["--pid", str(self.pid)] if self.pid is not None else []

    # -- registry (HKLM and HKCU SOFTWARE\Trivok) --

    def reg(self, hive="HKLM"):
        """Values of the settings key: name -> {"type", "size", "hex", "dword"?,
        "text"?}; None when the key does not exist."""
        out = self.probe("reg", "list", hive, desktop=False)
        if not out or not out[0].get("exists"):
            return None
        return {o["name"]: o for o in out[1:]}

    def reg_bytes(self, name, hive="HKLM"):
        values = self.reg(hive) or {}
        return bytes.fromhex(values[name]["hex"]) if name in values else None

    def reg_set(self, name, type_, data, hive="HKLM"):
        self.probe("reg", "set", hive, name, str(type_), bytes(data).hex(), desktop=False)

    def reg_set_dword(self, name, value, hive="HKLM"):
        self.reg_set(name, REG_DWORD, struct.pack("<I", value & 0xFFFFFFFF), hive)

    def reg_set_sz(self, name, text, hive="HKLM", size=None):
        """A REG_SZ in the Windows Cyrillic code page, padded with NULs to size."""
        data = text.encode("cp1251") + b"\0"
        if size is not None:
            data = data.ljust(size, b"\0")
        self.reg_set(name, REG_SZ, data, hive)

    def reg_delete(self, name, hive="HKLM"):
        self.probe("reg", "delete", hive, name, desktop=False)

    def reg_clear(self):
        """Deletes SOFTWARE\\Trivok under both HKLM and HKCU."""
        self.probe("reg", "delkey", "all", desktop=False)

    # -- input through X --

    def desktop_origin(self):
        """Where the virtual desktop's top-left corner is on the X screen."""
        if self._origin is None:
            def geometry():
                r = subprocess.run(["xdotool", "search", "--name", f"^{self.desktop} - Wine desktop$",
                                    "getwindowgeometry", "--shell"], env=self.envr.env,
                                   capture_output=True, text=True, timeout=10)
                vals = dict(l.split("=", 1) for l in r.stdout.split() if "=" in l)
                return (int(vals["X"]), int(vals["Y"])) if "X" in vals else None
            self._origin = self.wait_for(geometry, 10, "the desktop's X window")
        return self._origin

    def _xdotool(self, *args):
        subprocess.run(["xdotool"] + [str(a) for a in args], env=self.envr.env, check=True, timeout=20,
                       stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL)

    def click_screen(self, x, y, button=1):
        """Clicks at desktop (screen) coordinates. No --sync: xdotool's wait for
        the pointer to move lasts 15 s when it is already there, and the X server
        keeps the move and the click in order anyway."""
        ox, oy = self.desktop_origin()
        self._xdotool("mousemove", ox + x, oy + y, "click", button)

    def click(self, window, x, y, button=1):
        """Clicks at client coordinates of a window (a dict from windows())."""
        left, top = window["client_screen"][:2]
        self.click_screen(left + x, top + y, button)

    def move(self, window, x, y):
        ox, oy = self.desktop_origin()
        left, top = window["client_screen"][:2]
        self._xdotool("mousemove", ox + left + x, oy + top + y)

    def key(self, *keys):
        """Key presses by X key name: key("Return"), key("ctrl+s"), key("Left")."""
        self._xdotool("key", "--delay", "30", *keys)

    def screenshot(self, path):
        """Saves the whole X screen as PNG; returns the path."""
        subprocess.run(["import", "-window", "root", path], env=self.envr.env, check=True, timeout=30,
                       stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        return path

    # -- checks --

    def expect_eq(self, expected, got, what):
        """Records a failure (and goes on) when got != expected."""
        if expected != got:
            self.fail(f"{what}: expected {expected!r}, got {got!r}")
        return expected == got

    def expect(self, condition, what, got=None):
        if not condition:
            self.fail(what + ("" if got is None else f" (got {got!r})"))
        return bool(condition)

    def require_eq(self, expected, got, what):
        """As expect_eq, but stops the test."""
        if expected != got:
            raise Failed(f"{what}: expected {expected!r}, got {got!r}")

    def fail(self, message):
        self.failures.append(message)
        log(f"  FAIL {message}")


# ---- running a test file --------------------------------------------------------------------


def parse_args(argv=None):
    p = argparse.ArgumentParser(description="end-to-end tests of the game under Wine")
    p.add_argument("--exe", required=True, help="Trivok.exe")
    p.add_argument("--probe", required=True, help="probe.exe (probe_hook.dll beside it)")
    p.add_argument("--launcher", help="launch.exe; by default beside the probe")
    p.add_argument("-k", dest="only", action="append", default=[], help="run only tests whose name contains this")
    p.add_argument("--keep", action="store_true", help="keep each session's work directory")
    p.add_argument("--shots", default=os.environ.get("TRIVOK_SHOTS"),
                   help="directory for screenshots of failed tests")
    o = p.parse_args(argv)
    o.exe = os.path.abspath(o.exe)
    o.probe = os.path.abspath(o.probe)
    o.launcher = os.path.abspath(o.launcher or os.path.join(os.path.dirname(o.probe), "launch.exe"))
    for path in (o.exe, o.probe, o.launcher):
        if not os.path.isfile(path):
            p.error(f"no such file: {path}")
    return o


def main(tests, argv=None):
    """Runs each test function in a session of its own; exits 0 when all pass."""
    opt = parse_args(argv)
    selected = [t for t in tests if not opt.only or any(k in t.__name__ for k in opt.only)]
    failed = []
    envr = Environment()
    try:
        for test in selected:
            name = test.__name__
            log(f"RUN  {name}")
            started = time.monotonic()
            with Session(opt, envr, name) as s:
                try:
                    test(s)
                except Exception as e:  # any error fails this test only
                    s.fail(f"{type(e).__name__}: {e}")
                    if not isinstance(e, (Failed, ProbeError)):
                        traceback.print_exc()
                if s.failures and opt.shots:
                    os.makedirs(opt.shots, exist_ok=True)
                    try:
                        log("  screenshot: " + s.screenshot(os.path.join(opt.shots, f"{name}.png")))
                    except (OSError, subprocess.SubprocessError):
                        pass
            verdict = "FAIL" if s.failures else "PASS"
            log(f"{verdict} {name} ({time.monotonic() - started:.1f} s)")
            if s.failures:
                failed.append(name)
    finally:
        envr.close()
    log(f"{len(selected) - len(failed)} of {len(selected)} passed" + (f"; failed: {', '.join(failed)}" if failed else ""))
    sys.exit(1 if failed or not selected else 0)
