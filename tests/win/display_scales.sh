#!/usr/bin/env bash
# tests/win/display_scales.sh WIN_TESTS_EXE: the display tests again with the Wine prefix at 120, 144 and 192 DPI and
# its virtual desktop scaled with it (1024 x 768 at 96 DPI); put back at 96 DPI afterwards, whatever happens.
set -u
# shellcheck source=tools/wine-env.sh
source "$(dirname "$0")/../../tools/wine-env.sh"

# Programs read the scale when they start: a new server and desktop take it.
at_scale() {
  local dpi=$1 key
  for key in 'HKCU\Control Panel\Desktop' 'HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts'; do
    wine reg add "$key" /v LogPixels /t REG_DWORD /d "$dpi" /f
  done
  wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d "$((1024 * dpi / 96))x$((768 * dpi / 96))" /f
  for step in -k -w -p; do wineserver "$step"; done
  wine wineboot
} </dev/null >/dev/null 2>&1

trap 'at_scale 96' EXIT
failed=0
for dpi in 120 144 192; do
  at_scale "$dpi"
  echo "== $dpi DPI"
  wine "$1" --gtest_filter='Display.*' --gtest_brief=1 </dev/null || failed=1
done
exit $failed
