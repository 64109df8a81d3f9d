#!/usr/bin/env bash
# tests/win/display_scales.sh WIN_TESTS_EXE: the display tests again with the Wine prefix at 120, 144 and 192 DPI and
# its virtual desktop scaled with it; put back at 96 DPI afterwards, whatever happens.
set -u
# shellcheck source=tools/wine-env.sh
source "$(dirname "$0")/../../tools/wine-env.sh"

trap 'wine_scale 96' EXIT
failed=0
for dpi in 120 144 192; do
  wine_scale "$dpi"
  echo "== $dpi DPI"
  wine "$1" --gtest_filter='Display.*' --gtest_brief=1 </dev/null || failed=1
done
exit $failed
