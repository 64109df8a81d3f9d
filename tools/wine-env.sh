#!/usr/bin/env bash
# The Wine environment of the scripts that run the game: sourced for its
# settings and helpers, or run to do one command in a Wine prefix and an X
# display made for it and removed afterwards:
#   tools/wine-env.sh COMMAND [ARGS...]
# e.g. tools/wine-env.sh python3 tests/e2e/test_startup.py; TRIVOK_DPI=144 runs
# it at that display scale. Inside ./test.sh
# (TRIVOK_SUITE=1 and a DISPLAY) the suite's display is used; the prefix is
# always a new one.
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winealsa.drv,winepulse.drv="
export LANG=ru_RU.UTF-8
export LC_ALL=ru_RU.UTF-8
export WINEARCH=win64

# make_prefix DIR: a fresh 64-bit prefix with Wine's own fonts in it.
make_prefix() {
  export WINEPREFIX="$1"
  mkdir -p "$WINEPREFIX"
  wineserver -p 60 </dev/null >/dev/null 2>&1 || true
  wine wineboot -i </dev/null >/dev/null 2>&1
  cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
  wineserver -p 60 </dev/null >/dev/null 2>&1 || true
}

# start_xvfb: starts Xvfb on a free display; sets DISPLAY and XVFB_PID.
start_xvfb() {
  local n
  for n in $(seq 90 140); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    Xvfb ":$n" -screen 0 2048x1536x24 -nolisten tcp >/dev/null 2>&1 &
    XVFB_PID=$!
    local i
    for i in $(seq 1 50); do
      [ -e "/tmp/.X11-unix/X$n" ] && { export DISPLAY=":$n"; return 0; }
      kill -0 "$XVFB_PID" 2>/dev/null || break
      sleep 0.1
    done
  done
  echo "no free X display" >&2
  return 1
}

# restart_wine: ends the prefix's server and has wineboot start it again,
# so that programs and the desktop read the registry anew.
restart_wine() {
  wineserver -k </dev/null >/dev/null 2>&1
  wineserver -w </dev/null >/dev/null 2>&1
  wineserver -p 60 </dev/null >/dev/null 2>&1 || true
  wine wineboot </dev/null >/dev/null 2>&1
}

# use_virtual_desktop: every program of the prefix opens in one virtual
# desktop. Without a window manager, Wine waits about two seconds for each
# top-level window it hides; inside a desktop it does not. The prefix's
# desktop was made by wineboot before these keys existed, as a plain one:
# the server is restarted and wineboot makes the desktop again, now virtual.
use_virtual_desktop() {
  wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f </dev/null >/dev/null 2>&1
  desktop_size 96
  restart_wine
}

# desktop_size DPI: the virtual desktop's size, 1024 x 768 grown with the
# display's scale; TRIVOK_DESKTOP tells it to the scripts that open desktops
# of their own.
desktop_size() {
  export TRIVOK_DESKTOP="$((1024 * $1 / 96))x$((768 * $1 / 96))"
  wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d "$TRIVOK_DESKTOP" /f </dev/null >/dev/null 2>&1
}

# wine_scale DPI: the display's scale (96 is 100 %), the desktop with it.
wine_scale() {
  local dpi=$1 key
  for key in 'HKCU\Control Panel\Desktop' 'HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts'; do
    wine reg add "$key" /v LogPixels /t REG_DWORD /d "$dpi" /f </dev/null >/dev/null 2>&1
  done
  desktop_size "$dpi"
  restart_wine
}

# wine_setup DIR: a new prefix in DIR/prefix and, unless the suite has one, an
# X display; a Wine server that stays until wine_cleanup. Exports WINEPREFIX
# and DISPLAY.
wine_setup() {
  WINE_ENV_DIR=$1
  XVFB_PID=
  if [ "${TRIVOK_SUITE:-}" != 1 ] || [ -z "${DISPLAY:-}" ]; then
    start_xvfb || return 1
  fi
  make_prefix "$WINE_ENV_DIR/prefix" || return 1
  export WINEPREFIX DISPLAY
  use_virtual_desktop
  # A server started later by a piped Wine command would keep the pipe open.
  wineserver -p </dev/null >/dev/null 2>&1 || true
}

# wine_cleanup: ends the prefix's Wine processes and the display wine_setup
# started, and removes the prefix.
wine_cleanup() {
  [ -n "${WINE_ENV_DIR:-}" ] || return 0
  WINEPREFIX=$WINE_ENV_DIR/prefix wineserver -k >/dev/null 2>&1 || true
  if [ -n "${XVFB_PID:-}" ]; then
    kill "$XVFB_PID" 2>/dev/null || true
    wait "$XVFB_PID" 2>/dev/null || true
  fi
  rm -rf "$WINE_ENV_DIR"
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
  [ $# -gt 0 ] || { echo "usage: tools/wine-env.sh COMMAND [ARGS...]" >&2; exit 2; }
  trap wine_cleanup EXIT
  trap 'exit 130' INT TERM
  wine_setup "$(mktemp -d /tmp/trivok-wine.XXXXXX)" || { echo "cannot make the Wine prefix" >&2; exit 1; }
  [ -z "${TRIVOK_DPI:-}" ] || wine_scale "$TRIVOK_DPI"
  "$@" </dev/null
  exit
fi
