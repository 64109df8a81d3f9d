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

echo "== folders (the product's includes form no cycle)"
if python3 tools/folder_graph.py; then passed=$((passed + 1)); else failed=$((failed + 1)); fi

mkdir -p build
echo "== native tests"
ctest --test-dir build/native --output-on-failure 2>&1 | tee build/native-tests.log
count_ctest build/native-tests.log

echo "== Windows tests under Wine"
# shellcheck source=tools/wine-env.sh
source tools/wine-env.sh
trap wine_cleanup EXIT
trap 'exit 130' INT TERM
# The suite makes its own display, whatever the calling shell has.
if ! TRIVOK_SUITE= wine_setup "$(mktemp -d /tmp/trivok-test.XXXXXX)"; then
  echo "cannot set up Wine and the X display"; failed=$((failed + 1)); finish
fi
echo "prefix $WINEPREFIX, display $DISPLAY"
export TRIVOK_SUITE=1
export TRIVOK_SHOTS="$root/build/test-shots"
rm -rf "$TRIVOK_SHOTS"

ctest --test-dir build/win --output-on-failure 2>&1 | tee build/win-tests.log
count_ctest build/win-tests.log
[ -d "$TRIVOK_SHOTS" ] && echo "screenshots of failed tests: $TRIVOK_SHOTS"

finish
