#!/usr/bin/env bash
# The long checks of the real program under Wine, in a Wine prefix and an X
# display of their own: many whole games in one run (counts per game
# printed), input storms, and copies started together many times.
#   tests/tools/soak.sh [GAMES [STORM_EVENTS [COPY_ROUNDS]]]   (defaults 200, 3000, 20)
# Needs tools/build.sh win first. About 15 s per ten games and per thousand
# storm events. Ends with "N passed, N failed".
set -uo pipefail
cd "$(dirname "$0")/../.."
exec </dev/null
export TRIVOK_SOAK_GAMES=${1:-200} TRIVOK_STORM_EVENTS=${2:-3000} TRIVOK_COPY_ROUNDS=${3:-20}

# shellcheck source=tools/wine-env.sh
source tools/wine-env.sh
trap wine_cleanup EXIT
trap 'exit 130' INT TERM
wine_setup "$(mktemp -d /tmp/trivok-soak.XXXXXX)" || { echo "cannot set up Wine and the X display" >&2; exit 1; }

passed=0
failed=0
for t in test_play test_startup; do
  echo "== $t"
  if python3 "tests/e2e/$t.py"; then passed=$((passed + 1)); else failed=$((failed + 1)); fi
done
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
