"""Many whole games in one run of the program, as a player would play them:
every level, single shots and salvos, either side first, the fleet arranged
or placed by hand, each game answered "play again" and the last one "stop".
After every game the model's invariants hold and the process's GDI objects,
windows and private memory are printed; they must stay flat. At the end the
stored totals equal the games won and lost.

    TRIVOK_SOAK_GAMES=200 python3 tests/e2e/test_soak.py --exe ... --probe ...

(tools/soak.sh runs that for you). The suite plays a short round."""
import os
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import driver  # noqa: E402
from frame_helpers import MAIN, cleaned, start  # noqa: E402
from play import Player, WON_TITLE, rng_for  # noqa: E402

GAMES = int(os.environ.get("TRIVOK_SOAK_GAMES", "16"))
# The first cycle of eight games plays every kind once (arranged and placed by
# hand, won and lost); what it leaves (clips, icons, fonts, dialogs loaded once)
# is the base that later games must not go beyond.
WARM_UP = 8
# Heap pages may be kept by the allocator; growth beyond this over the run is a leak.
PRIVATE_SLACK = 2 << 20


def plan(game):
    """The options and the intended result of a game: the level cycles with
    every game, salvo alternates, the first shooter every second game and the
    placement every fourth; wins and losses fall on both modes."""
    return {
        "level": game % 3,
        "salvo": game % 2 == 1,
        "human_first": (game // 2) % 2 == 0,
        "auto": (game // 4) % 2 == 0,
        "win": game % 4 in (0, 3),
    }


def describe(p):
    return "level {level} {mode:6} {first:8} {placing:4} aim {aim}".format(
        level=p["level"], mode="salvo" if p["salvo"] else "single",
        first="human" if p["human_first"] else "computer", placing="auto" if p["auto"] else "hand",
        aim="win" if p["win"] else "lose")


def resting_counts(s):
    """The process's counts with the result dialog up. Its clip draws each
    frame with a short-lived object or two: the least of a few readings is
    what stays."""
    readings = []
    for _ in range(3):
        readings.append(s.resources())
        time.sleep(0.1)
    least = dict(readings[-1])
    for name in ("gdi", "windows"):
        least[name] = min(r[name] for r in readings)
    return least


def test_soak(s):
    s.reg_set_dword("TimeOut", 1)
    start(s)
    s.wait_window(MAIN)
    player = Player(s, rng_for("soak"))
    wins = losses = 0
    counts = []
    began = time.monotonic()
    driver.log(f"  {GAMES} games; per game: options, clicks, seconds, GDI objects, windows, private KiB")
    for game in range(GAMES):
        p = plan(game)
        t0 = time.monotonic()
        # The first game starts from the menu; later ones from "play again",
        # and a change of options asks for a fresh game as a player would.
        changed = player.configure(p["level"], p["salvo"], p["human_first"], p["auto"])
        if game == 0 or changed:
            player.new_game(p["auto"])
        else:
            player.wait_game_ready(p["auto"])
        if not p["auto"]:
            player.place_fleet()
        title, clicks = player.play_battle(p["win"])
        if title == WON_TITLE:
            wins += 1
        else:
            losses += 1
        r = resting_counts(s)
        counts.append((title == WON_TITLE, r["gdi"], r["windows"], r["private_bytes"]))
        driver.log(f"  game {game + 1:3}: {describe(p)} -> {'won ' if title == WON_TITLE else 'lost'} "
                   f"{clicks:3} clicks {time.monotonic() - t0:5.1f} s  gdi {r['gdi']:4}  windows {r['windows']:3}  "
                   f"private {r['private_bytes'] // 1024:6} KiB")
        player.answer(title, play_again=game + 1 < GAMES)
    s.expect_eq(0, s.exit_code(timeout=30), "exit code after \"stop\"")
    driver.log(f"  {wins} won, {losses} lost in {time.monotonic() - began:.0f} s")
    values = s.reg()
    s.expect_eq((wins, losses), (values["ManWon"]["dword"], values["CompWon"]["dword"]),
                "totals stored at the end against the games won and lost")

    if len(counts) <= WARM_UP:
        return
    # Windows are compared between games that ended alike: the two result
    # dialogs have different controls.
    base_gdi = max(c[1] for c in counts[:WARM_UP])
    base_windows = {won: max(c[2] for c in counts[:WARM_UP] if c[0] == won) for won in (True, False)}
    for game, (won, gdi, windows, _) in enumerate(counts[WARM_UP:], start=WARM_UP + 1):
        s.expect(gdi <= base_gdi, f"GDI objects after game {game}: {gdi}, at most {base_gdi} in the first {WARM_UP}")
        s.expect(windows <= base_windows[won],
                 f"windows after game {game}: {windows}, at most {base_windows[won]} in the first {WARM_UP}")
    growth = counts[-1][3] - counts[WARM_UP - 1][3]
    s.expect(growth <= PRIVATE_SLACK, f"private memory grew by {growth // 1024} KiB after the first {WARM_UP} games")

if __name__ == "__main__":
    driver.main([cleaned(test_soak)])
