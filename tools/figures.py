#!/usr/bin/env python3
"""Figures of the game beside Wine's own Minesweeper, measured in one run.

    tools/build.sh && python3 tools/figures.py [--exe build/win/Trivok.exe]
        [--win build/win] [--native build/native] [--runs 7] [--games 20000]

Builds nothing: it takes the programs of build/win (Trivok.exe, probe.exe,
launch_timer.exe, empty_window.exe, winbench_paint.exe) and build/native (sim_games). It runs
itself through tools/wine-env.sh, which makes an Xvfb display and a Wine
prefix and removes them at the end, runs the programs in the prefix's
virtual desktop and prints a Markdown table on stdout (progress goes to
stderr). About a minute.

The reference is winemine.exe, which every Wine prefix has in
C:\\windows\\system32. What is measured:

- Start to first painted frame: launch_timer.exe runs in the desktop with the
  Wine server already up; the clock starts just before CreateProcess and stops
  at the first moment (polled every millisecond) at which WaitForInputIdle has
  returned and the program has a visible top-level window with no visible
  window of it (descendants included) holding a non-empty update region, that
  is, every paint asked for so far is done. The programs start in turn,
  each ended with TerminateProcess before the next, so every start finds the
  same registry (a first start). One round is a warm-up and left out; the
  figure is the median of the other rounds, with the range. An empty window
  (tools/empty_window.cpp) starts in the same rounds: the floor of any start
  in this prefix.
- Start to input idle: the same starts, until WaitForInputIdle returns.
- The start-up timeline: in the same starts the game writes a mark at each
  step of its start-up (shell/timeline.cpp, asked for by TRIVOK_TIMELINE),
  counted from the creation of its process; the second table gives each
  step's median over the starts after the warm-up.
- Private bytes and working set: started once more each and left for a second,
  then GetProcessMemoryInfo through the probe. Wine fills PrivateUsage (and
  PagefileUsage) with the Linux process's resident anonymous memory (RssAnon),
  so the figure includes what Wine itself keeps in every process.
- GDI objects: GetGuiResources is a stub under Wine 8 (it returns 0), so the
  probe counts the live entries of the process's GDI handle table, which its
  PEB points to, less the stock objects. This reads the process's memory and
  needs nothing of ours inside it, so it works for winemine as for the game.
  Both counts include what user32 and comctl32 make in every process (the
  system colour brushes among them).
- Windows: every window of the process, hidden ones too, as the probe counts them.
- Executable size: as built (RelWithDebInfo by default: -O2 with debug
  sections) and after x86_64-w64-mingw32-strip; winemine.exe is the file in
  the prefix (Wine's own build, also with debug sections). It links the C
  runtime (ucrtbase) dynamically, while ours carries its C++ runtime inside.
- Board paint and game simulation have no Minesweeper counterpart:
  winbench_paint.exe (one full paint of the computer's board, through its
  window and into a memory bitmap) and sim_games (complete games through
  game/, the first table: games per second over all levels and modes).
"""
import argparse
import json
import os
import platform
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
WINEMINE = r"C:\windows\system32\winemine.exe"
STRIP = "x86_64-w64-mingw32-strip"


def say(*parts):
    print(*parts, file=sys.stderr, flush=True)


def winpath(path):
    """A Unix path as Wine sees it through drive Z:."""
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def wine_run(args, timeout, cwd=None):
    """Runs a Wine program with its output in a file (a pipe could be held
    open by a process it starts); returns the output."""
    with tempfile.TemporaryFile() as out:
        subprocess.run(["wine"] + args, cwd=cwd, stdin=subprocess.DEVNULL, stdout=out,
                       stderr=subprocess.DEVNULL, timeout=timeout, start_new_session=True)
        out.seek(0)
        return out.read().decode("utf-8", "replace")


def probe(opt, *words):
    """One command of the probe, in the prefix's desktop; its answer lines."""
    with tempfile.TemporaryFile() as out:
        subprocess.run(["wine", opt.probe, "--desktop", "Default"], input="\t".join(words).encode() + b"\n",
                       stdout=out, stderr=subprocess.DEVNULL, timeout=60, start_new_session=True)
        out.seek(0)
        return [l for l in json_lines(out.read().decode("utf-8", "replace")) if "end" not in l]


def json_lines(text):
    out = []
    for line in text.splitlines():
        line = line.strip()
        if line.startswith("{"):
            out.append(json.loads(line))
    return out


def stripped_size(path, workdir):
    copy = os.path.join(workdir, "stripped-" + os.path.basename(path))
    subprocess.run([STRIP, "-o", copy, path], check=True, timeout=60)
    return os.path.getsize(copy)


def measure_wine(opt, workdir):
    """Start times, memory and GDI objects of both programs, and the board paint
    (the programs open in the prefix's virtual desktop, which wine-env.sh sets up)."""
    result = os.path.join(workdir, "launch.json")
    marks = os.path.join(workdir, "timeline.txt")
    exe = winpath(opt.exe)
    say(f"starting each program {opt.runs + 1} times")
    os.environ["TRIVOK_TIMELINE"] = winpath(marks)  # the game's start-up marks; winemine ignores it
    try:
        wine_run([opt.launch_timer, winpath(result), "--runs", str(opt.runs), "--warmup", "1",
                  "--keep", exe, WINEMINE, winpath(opt.empty_window)], timeout=600, cwd=os.path.dirname(opt.exe))
    finally:
        del os.environ["TRIVOK_TIMELINE"]
    with open(result, encoding="utf-8") as f:
        lines = json_lines(f.read())
    errors = [l for l in lines if "error" in l]
    if errors or not any(l.get("done") for l in lines):
        raise RuntimeError(f"launch_timer: {errors or 'no end line'}")
    starts = {0: [], 1: [], 2: []}
    for l in lines:
        if "painted_ms" in l and not l["warmup"]:
            starts[l["program"]].append(l)
    kept = {l["program"]: l["kept"] for l in lines if "kept" in l}
    if set(kept) != {0, 1, 2} or 0 in kept.values():
        raise RuntimeError(f"launch_timer kept no process: {lines}")

    time.sleep(1.0)  # whatever a program does just after its first paint
    res = {}
    for k, pid in kept.items():
        if k == 2:
            continue
        out = probe(opt, "resources", "--pid", str(pid))
        if not out or "error" in out[0]:
            raise RuntimeError(f"probe resources: {out}")
        res[k] = out[0]

    say("board paint (winbench_paint)")
    paint = {}
    for l in wine_run([opt.winbench_paint], 300, cwd=os.path.dirname(opt.winbench_paint)).splitlines():
        f = l.split()
        if len(f) == 5 and f[0] == "computer" and f[1] == "full":
            paint[f[2]] = float(f[3])
    for pid in kept.values():
        probe(opt, "terminate", "--pid", str(pid))
    if set(paint) != {"window", "memory"}:
        raise RuntimeError("winbench_paint printed no full paint of the computer's board")
    return starts, res, paint, read_timeline(marks)


def read_timeline(path):
    """The start-up marks of every start but the warm-up: step, milliseconds after
    the process was created (the lines of one start begin with "entry")."""
    runs = []
    with open(path, encoding="utf-8") as f:
        for line in f:
            at, step = line.split(None, 1)
            if step.strip() == "entry":
                runs.append([])
            if runs:
                runs[-1].append((step.strip(), float(at)))
    runs = runs[1:]
    if not runs:
        raise RuntimeError("the game wrote no start-up timeline")
    steps = [step for step, _ in runs[0]]
    return [(step, ms([dict(r)[step] for r in runs if step in dict(r)])) for step in steps], len(runs)


def timeline_table(marks):
    steps, count = marks
    rows = [f"| Step (median of {count} starts) | At, ms after process creation | Step, ms |", "|---|---:|---:|"]
    before = None
    for step, at in steps:
        rows.append(f"| {step} | {at:.1f} | {'—' if before is None else f'{at - before:.1f}'} |")
        before = at
    return "\n".join(rows)


def simulate(opt):
    """Games per second over the first table of sim_games (all levels and modes)."""
    say(f"game simulation (sim_games {opt.games})")
    out = subprocess.run([opt.sim_games, str(opt.games)], capture_output=True, text=True, check=True,
                         timeout=600).stdout
    rates = []
    for line in out.split("\n\n", 2)[1].splitlines():
        cells = [c.strip() for c in line.strip("|").split("|")]
        if len(cells) == 6 and cells[2].replace(".", "").isdigit():
            rates.append(float(cells[2]))
    if not rates:
        raise RuntimeError("sim_games printed no rates")
    # The same number of games per row: total games over total time.
    return len(rates) / sum(1 / r for r in rates), min(rates), max(rates)


def machine():
    cpu = ""
    try:
        with open("/proc/cpuinfo") as f:
            cpu = next((l.split(":", 1)[1].strip() for l in f if l.startswith("model name")), "")
    except OSError:
        pass
    wine = subprocess.run(["wine", "--version"], capture_output=True, text=True, timeout=60).stdout.strip()
    return f"{os.cpu_count()} cores ({cpu}), Linux {platform.release()}, {wine}, Xvfb 1280x1024x24"


def ms(values):
    return statistics.median(values)


def table(opt, starts, res, paint, sim, sizes):
    rows = []

    def row(name, ours, ref, fmt, ratio=True):
        cells = [fmt(ours), "—" if ref is None else fmt(ref)]
        cells.append(f"{ours / ref:.2f}" if ratio and ref else "—")
        rows.append(f"| {name} | " + " | ".join(cells) + " |")

    def start_row(name, key):
        a = [l[key] for l in starts[0]]
        b = [l[key] for l in starts[1]]
        rows.append(f"| {name}, median of {len(a)} (range) | {ms(a):.0f} ms ({min(a):.0f}–{max(a):.0f}) | "
                    f"{ms(b):.0f} ms ({min(b):.0f}–{max(b):.0f}) | {ms(a) / ms(b):.2f} |")

    mib = lambda v: f"{v / 1048576:.1f} MiB"  # noqa: E731
    kib = lambda v: f"{v / 1024:.0f} KiB"  # noqa: E731
    start_row("Start to first painted frame", "painted_ms")
    start_row("Start to input idle", "idle_ms")
    row("Private bytes after start-up", res[0]["private_bytes"], res[1]["private_bytes"], mib)
    row("Working set after start-up", res[0]["working_set"], res[1]["working_set"], mib)
    row("GDI objects after start-up", res[0]["gdi"], res[1]["gdi"], str)
    row("Windows (HWNDs) after start-up", res[0]["windows"], res[1]["windows"], str)
    row("Executable as built (ours RelWithDebInfo)", sizes["ours"], sizes["ref"], kib)
    row("Executable stripped", sizes["ours_stripped"], sizes["ref_stripped"], kib)
    row("Full board paint, through the window", paint["window"], None, lambda v: f"{v:.0f} µs")
    row("Full board paint, into a memory bitmap", paint["memory"], None, lambda v: f"{v:.0f} µs")
    rows.append(f"| Game simulation (sim_games) | {sim[0]:,.0f} games/s ({sim[1]:,.0f}–{sim[2]:,.0f}) | — | — |"
                .replace(",", " "))
    head = ["| Quantity | Trivok | winemine | Ratio (Trivok / winemine) |", "|---|---:|---:|---:|"]
    return "\n".join(head + rows)


def main():
    p = argparse.ArgumentParser(description="figures of the game beside winemine.exe, under Wine")
    p.add_argument("--exe", help="the game (default: WIN/Trivok.exe)")
    p.add_argument("--win", default=os.path.join(ROOT, "build", "win"), help="the Windows build tree")
    p.add_argument("--native", default=os.path.join(ROOT, "build", "native"), help="the native build tree")
    p.add_argument("--runs", type=int, default=7, help="timed starts of each program")
    p.add_argument("--games", type=int, default=20000, help="sim_games: games per level and mode")
    opt = p.parse_args()
    opt.exe = os.path.abspath(opt.exe or os.path.join(opt.win, "Trivok.exe"))
    opt.probe = os.path.abspath(os.path.join(opt.win, "probe.exe"))
    opt.launch_timer = os.path.abspath(os.path.join(opt.win, "launch_timer.exe"))
    opt.empty_window = os.path.abspath(os.path.join(opt.win, "empty_window.exe"))
    opt.winbench_paint = os.path.abspath(os.path.join(opt.win, "winbench_paint.exe"))
    opt.sim_games = os.path.abspath(os.path.join(opt.native, "sim_games"))
    for path in (opt.exe, opt.probe, opt.launch_timer, opt.empty_window, opt.winbench_paint, opt.sim_games):
        if not os.path.isfile(path):
            p.error(f"no such file: {path} (build first: tools/build.sh)")

    if os.environ.get("TRIVOK_FIGURES") != "1":  # again, in a display and a prefix of our own
        env = dict(os.environ, TRIVOK_FIGURES="1", TRIVOK_SUITE="")
        os.execvpe("bash", ["bash", os.path.join(ROOT, "tools", "wine-env.sh"), sys.executable,
                            os.path.abspath(__file__)] + sys.argv[1:], env)
    began = time.monotonic()
    workdir = tempfile.mkdtemp(prefix="trivok-figures-")
    try:
        starts, res, paint, marks = measure_wine(opt, workdir)
        winemine = os.path.join(os.environ["WINEPREFIX"], "drive_c", "windows", "system32", "winemine.exe")
        sizes = {"ours": os.path.getsize(opt.exe), "ours_stripped": stripped_size(opt.exe, workdir),
                 "ref": os.path.getsize(winemine), "ref_stripped": stripped_size(winemine, workdir)}
        subprocess.run(["wineserver", "-k"], timeout=60)  # the simulation runs with Wine gone
        sim = simulate(opt)
    finally:
        shutil.rmtree(workdir, ignore_errors=True)
    print(table(opt, starts, res, paint, sim, sizes))
    print()
    floor = [l["painted_ms"] for l in starts[2]]
    print(f"An empty window (tools/empty_window.cpp, static like the game), start to first painted frame: "
          f"{ms(floor):.0f} ms ({min(floor):.0f}–{max(floor):.0f}).")
    print()
    print(timeline_table(marks))
    print()
    print(f"Machine: {machine()}. Measured in {time.monotonic() - began:.0f} s.")


if __name__ == "__main__":
    main()
