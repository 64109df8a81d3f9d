#!/usr/bin/env bash
# Installs what is missing, builds the game and starts it under Wine in a
# prefix of its own. With a display the game opens there; without one it runs
# in a virtual X server, and a screenshot of it is saved and named.
#   TRIVOK_WINEPREFIX   the prefix (default ~/.local/share/trivok/wineprefix)
#   TRIVOK_SCREENSHOT   where the headless screenshot goes (default build/run-screenshot.png)
set -euo pipefail
cd "$(dirname "$0")"
root=$(pwd)

tools/setup.sh

tools/build.sh win --target trivok probe
game="$root/build/win/Trivok.exe"
probe="$root/build/win/probe.exe"

# shellcheck source=tools/wine-env.sh
source tools/wine-env.sh
export WINEPREFIX="${TRIVOK_WINEPREFIX:-${XDG_DATA_HOME:-$HOME/.local/share}/trivok/wineprefix}"
if [ ! -f "$WINEPREFIX/system.reg" ] || [ ! -d "$WINEPREFIX/drive_c/windows/Fonts" ]; then
  echo "Preparing the Wine prefix $WINEPREFIX (once, about 10 s)"
  make_prefix "$WINEPREFIX"
fi
# Wine's own fonts, also into a prefix made before they were installed.
[ -f "$WINEPREFIX/drive_c/windows/Fonts/tahoma.ttf" ] ||
  cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true

# The help page opens from the current directory, which is the game's.
cd "$(dirname "$game")"

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  exec wine "$game" "$@"
fi

# No display: a virtual X server, the game in a Wine virtual desktop (which
# draws title bars without a window manager), a screenshot once it shows.
shot="${TRIVOK_SCREENSHOT:-$root/build/run-screenshot.png}"
desktop="trivok-run-$$"
game_pgid=
XVFB_PID=
cleanup() {
  [ -n "$game_pgid" ] && kill -TERM -- "-$game_pgid" 2>/dev/null || true
  wineserver -k >/dev/null 2>&1 || true
  if [ -n "$XVFB_PID" ]; then
    kill "$XVFB_PID" 2>/dev/null || true
    wait "$XVFB_PID" 2>/dev/null || true
  fi
}
trap cleanup EXIT
start_xvfb
wineserver -p 60 </dev/null >/dev/null 2>&1 || true
setsid wine explorer "/desktop=$desktop,1024x768" "$game" "$@" </dev/null >/dev/null 2>&1 &
game_pgid=$!

window=
deadline=$((SECONDS + 60))
while [ -z "$window" ] && [ $SECONDS -lt $deadline ]; do
  window=$(wine "$probe" --desktop "$desktop" windows --class Trivok_Class </dev/null 2>/dev/null |
           grep '"depth":0,.*"visible":true' || true)
  [ -n "$window" ] || sleep 0.2
done
if [ -z "$window" ]; then
  echo "The game's window did not appear within a minute" >&2
  exit 1
fi
# The window exists before X has drawn it: take screenshots until the
# desktop shows more than one colour (bounded), then one more for the paint.
wine "$probe" --desktop "$desktop" send --class Trivok_Class WM_NULL </dev/null >/dev/null 2>&1 || true
mkdir -p "$(dirname "$shot")"
deadline=$((SECONDS + 20))
while :; do
  import -window root -crop 1024x768+0+0 +repage "$shot"
  [ "$(identify -format %k "$shot")" -gt 1 ] && break
  [ $SECONDS -lt $deadline ] || break
  sleep 0.3
done
sleep 0.5
import -window root -crop 1024x768+0+0 +repage "$shot"
wine "$probe" --desktop "$desktop" post --class Trivok_Class WM_CLOSE </dev/null >/dev/null 2>&1 || true
deadline=$((SECONDS + 10))
while kill -0 -- "-$game_pgid" 2>/dev/null && [ $SECONDS -lt $deadline ]; do
  sleep 0.2
done
echo "No display: the game ran in a virtual X server. Screenshot: $shot"
