#!/bin/sh
# Prepares or ends the private Wine environment of one build folder:
#   wine-env.sh start WINE_DIR   create the prefix once, start a virtual display
#                                (or use KORVEX_DISPLAY when it is set) and a
#                                persistent wine server
#   wine-env.sh stop WINE_DIR    end the server and the display
#
# WINE_DIR holds config.sh (written by CMake: loader and prefix architecture),
# prefix/ (WINEPREFIX), home/ (HOME of every Wine run: Wine links the user's
# Desktop folder to home/Desktop) and display (the DISPLAY of the virtual
# display, read by wine-run.sh).
set -eu
action=$1
dir=$(cd "$2" && pwd)
. "$dir/config.sh"

export WINEPREFIX="$dir/prefix" HOME="$dir/home" WINEARCH="$KORVEX_WINE_ARCH"
export WINEDEBUG=-all WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d"
export WINELOADER="$KORVEX_WINE_LOADER"
wineserver_bin=$(dirname "$KORVEX_WINE_LOADER")/wineserver

start_display() {
  if [ -n "${KORVEX_DISPLAY:-}" ]; then
    # A display of the caller's (a person's desktop): use it as it is.
    echo "$KORVEX_DISPLAY" > "$dir/display"
    rm -f "$dir/xvfb.pid"
    return 0
  fi
  if [ -f "$dir/display" ] && [ -f "$dir/xvfb.pid" ] && kill -0 "$(cat "$dir/xvfb.pid")" 2>/dev/null; then
    return 0
  fi
  # -displayfd lets the server pick a free display number and report it.
  rm -f "$dir/display.fifo"
  mkfifo "$dir/display.fifo"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$dir/display.fifo" >/dev/null 2>&1 &
  echo $! > "$dir/xvfb.pid"
  num=$(timeout 30 head -n1 "$dir/display.fifo")
  rm -f "$dir/display.fifo"
  [ -n "$num" ] || { echo "wine-env: the virtual display did not start" >&2; exit 1; }
  echo ":$num" > "$dir/display"
}

case "$action" in
start)
  mkdir -p "$HOME/Desktop"
  start_display
  export DISPLAY="$(cat "$dir/display")"
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    LC_ALL=hu_HU.UTF-8 timeout 600 "$KORVEX_WINE_LOADER" wineboot --init >"$dir/wineboot.log" 2>&1 || {
      echo "wine-env: wineboot failed, see $dir/wineboot.log" >&2; exit 1; }
  fi
  # Wine's own "Symbol" font (fonts-wine) is not found by every loader of
  # these machines (the 32-bit one misses Wine's font folder): the prefix
  # gets a copy, so symbol markup draws Greek letters.
  prefix_fonts="$WINEPREFIX/drive_c/windows/Fonts"
  if [ -d "$prefix_fonts" ] && [ ! -f "$prefix_fonts/symbol.ttf" ] && [ -f /usr/share/wine/fonts/symbol.ttf ]; then
    cp /usr/share/wine/fonts/symbol.ttf "$prefix_fonts/"
  fi
  # Keep one server alive between the test programs; detached, so that ctest
  # does not wait for its inherited output.
  setsid "$wineserver_bin" -p </dev/null >/dev/null 2>&1 &
  # The first program of a new server starts the prefix's background services,
  # which would inherit (and hold open) the output of whatever test ran first:
  # start them here with their output going nowhere. That first program makes
  # the windows unmanaged: without a window manager, Wine otherwise waits two
  # seconds for one at every hide.
  LC_ALL=hu_HU.UTF-8 timeout 120 "$KORVEX_WINE_LOADER" reg add 'HKCU\Software\Wine\X11 Driver' \
    /v Managed /d N /f </dev/null >/dev/null 2>&1 || true
  echo "wine-env: prefix $WINEPREFIX, display $DISPLAY"
  ;;
stop)
  "$wineserver_bin" -k 2>/dev/null || true
  if [ -f "$dir/xvfb.pid" ]; then
    kill "$(cat "$dir/xvfb.pid")" 2>/dev/null || true
    rm -f "$dir/xvfb.pid" "$dir/display"
  fi
  ;;
*)
  echo "usage: wine-env.sh start|stop WINE_DIR" >&2; exit 2 ;;
esac
