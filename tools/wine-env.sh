# Sourced by the scripts that run the game under Wine: the environment and
# the helpers to make a prefix and a virtual display.
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
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
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

# use_virtual_desktop: every program of the prefix opens in one virtual
# desktop. Without a window manager, Wine waits about two seconds for each
# top-level window it hides; inside a desktop it does not. The prefix's
# desktop was made by wineboot before these keys existed, as a plain one:
# the server is ended and wineboot makes the desktop again, now virtual.
use_virtual_desktop() {
  wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f </dev/null >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f </dev/null >/dev/null 2>&1
  wineserver -k </dev/null >/dev/null 2>&1
  wineserver -w </dev/null >/dev/null 2>&1
  wineserver -p 60 </dev/null >/dev/null 2>&1 || true
  wine wineboot </dev/null >/dev/null 2>&1
}
