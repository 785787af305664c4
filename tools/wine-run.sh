#!/bin/sh
# Runs one Windows program under the private Wine environment of a build:
#   wine-run.sh --wine-dir WINE_DIR program.exe [arguments...]
# (CMake's cross-compiling emulator; see wine-env.sh for WINE_DIR.)
# The locale comes from LC_ALL (Hungarian by default: code page 1250 and the
# decimal comma); the run is ended after KORVEX_WINE_TIMEOUT seconds (300).
# KORVEX_DLL_OVERRIDES adds DLL load orders (WINEDLLOVERRIDES syntax) for the
# program and every program it starts.
set -eu
[ "$1" = "--wine-dir" ] || { echo "usage: wine-run.sh --wine-dir DIR program [args]" >&2; exit 2; }
dir=$(cd "$2" && pwd); shift 2
. "$dir/config.sh"

export WINEPREFIX="$dir/prefix" HOME="$dir/home" WINEARCH="$KORVEX_WINE_ARCH"
export WINEDEBUG="${WINEDEBUG:--all}" WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d${KORVEX_DLL_OVERRIDES:+;$KORVEX_DLL_OVERRIDES}"
export WINELOADER="$KORVEX_WINE_LOADER"
export LC_ALL="${LC_ALL:-hu_HU.UTF-8}"
if [ -f "$dir/display" ]; then
  export DISPLAY="$(cat "$dir/display")"
fi
exec timeout -k 10 "${KORVEX_WINE_TIMEOUT:-300}" "$KORVEX_WINE_LOADER" "$@"
