#!/usr/bin/env bash
# Installs what is missing, builds both trees, runs the native tests, then the
# Windows-side and end-to-end tests under Wine in a Wine prefix and an Xvfb
# display made fresh for this run. Ends with one line "N passed, N failed".
set -uo pipefail
cd "$(dirname "$0")"
root=$(pwd)
exec </dev/null

started=$(date +%s)
passed=0
failed=0

# Adds the counts of one ctest run, from its summary line
# "NN% tests passed, F tests failed out of T"; a run that found no tests
# adds nothing, a run without a summary counts as one failure.
count_ctest() {
  local log=$1 summary total bad
  summary=$(grep -E '^[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -n 1)
  if [ -n "$summary" ]; then
    bad=$(sed -E 's/.* ([0-9]+) tests? failed out of.*/\1/' <<<"$summary")
    total=$(sed -E 's/.*out of ([0-9]+).*/\1/' <<<"$summary")
    passed=$((passed + total - bad))
    failed=$((failed + bad))
  elif ! grep -q 'No tests were found' "$log"; then
    failed=$((failed + 1))
  fi
}

finish() {
  echo "time: $(( $(date +%s) - started )) s"
  echo "$passed passed, $failed failed"
  [ "$failed" -eq 0 ]
  exit
}

echo "== setup"
if ! tools/setup.sh; then
  echo "setup failed"; failed=1; finish
fi

echo "== build"
if ! tools/build.sh native win; then
  echo "build failed"; failed=1; finish
fi

mkdir -p build
echo "== native tests"
ctest --test-dir build/native --output-on-failure 2>&1 | tee build/native-tests.log
count_ctest build/native-tests.log

echo "== Windows tests under Wine"
tmp=$(mktemp -d /tmp/trivok-test.XXXXXX)
XVFB_PID=
cleanup() {
  if [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX" ]; then
    WINEPREFIX=$WINEPREFIX wineserver -k >/dev/null 2>&1 || true
  fi
  if [ -n "$XVFB_PID" ]; then
    kill "$XVFB_PID" 2>/dev/null || true
    wait "$XVFB_PID" 2>/dev/null || true
  fi
  rm -rf "$tmp"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# shellcheck source=tools/wine-env.sh
source tools/wine-env.sh
if ! start_xvfb; then
  echo "cannot start Xvfb"; failed=$((failed + 1)); finish
fi
echo "prefix $tmp/prefix, display $DISPLAY"
if ! make_prefix "$tmp/prefix"; then
  echo "cannot make the Wine prefix"; failed=$((failed + 1)); finish
fi
export WINEPREFIX DISPLAY
use_virtual_desktop
# A server that stays for the whole run: one started later by a test's Wine
# command would inherit the pipe to tee below and keep it open.
wineserver -p </dev/null >/dev/null 2>&1 || true
export TRIVOK_SUITE=1
export TRIVOK_SHOTS="$root/build/test-shots"
rm -rf "$TRIVOK_SHOTS"

ctest --test-dir build/win --output-on-failure 2>&1 | tee build/win-tests.log
count_ctest build/win-tests.log
[ -d "$TRIVOK_SHOTS" ] && echo "screenshots of failed tests: $TRIVOK_SHOTS"

finish
