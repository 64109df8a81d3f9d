#!/usr/bin/env bash
# The long checks of the real program under Wine, longer than ./test.sh runs
# them: the soak (many whole games, counts per game printed), the input storms
# and the start-up robustness cases, in a Wine prefix and an X display of
# their own.
#   tools/soak.sh [GAMES [STORM_EVENTS]]      (defaults 200 and 3000)
# Needs tools/build.sh win first (./test.sh does it). About half a minute per
# ten games and per thousand storm events. Ends with "N passed, N failed".
set -uo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
exec </dev/null

export TRIVOK_SOAK_GAMES=${1:-200}
export TRIVOK_STORM_EVENTS=${2:-3000}
win=$root/build/win
for f in Trivok.exe probe.exe launch.exe probe_hook.dll; do
  [ -f "$win/$f" ] || { echo "no $win/$f: run tools/build.sh win first" >&2; exit 2; }
done

tmp=$(mktemp -d /tmp/trivok-soak.XXXXXX)
XVFB_PID=
cleanup() {
  [ -n "${WINEPREFIX:-}" ] && WINEPREFIX=$WINEPREFIX wineserver -k >/dev/null 2>&1
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null
  rm -rf "$tmp"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# shellcheck source=tools/wine-env.sh
source tools/wine-env.sh
start_xvfb || exit 1
make_prefix "$tmp/prefix" || { echo "cannot make the Wine prefix" >&2; exit 1; }
export WINEPREFIX DISPLAY TRIVOK_SUITE=1
use_virtual_desktop
wineserver -p </dev/null >/dev/null 2>&1 || true

passed=0
failed=0
for t in test_soak test_storms test_robustness; do
  echo "== $t"
  if python3 "tests/e2e/$t.py" --exe "$win/Trivok.exe" --probe "$win/probe.exe" --launcher "$win/launch.exe"; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
  fi
done
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
