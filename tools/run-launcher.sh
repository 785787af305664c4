#!/bin/sh
# Installs what is missing (as root), builds the launcher and the demo medium
# (only those: the tests are built by tools/test-all.sh), and runs Start.exe
# from the medium under Wine:
#  - on your display when DISPLAY names one that answers; the launcher then
#    runs until you close it (at most an hour);
#  - otherwise on a virtual display: after a few seconds a screenshot is saved
#    to build/launcher-screenshot.png and the launcher is ended.
# The run uses a Wine prefix of its own (build/run-wine) with the Hungarian
# locale; the desktop shortcuts of the finishing step appear in
# build/run-wine/home/Desktop/Korvex7.
set -eu
cd "$(dirname "$0")/.."
tools/setup-deps.sh launcher
jobs=$(nproc 2>/dev/null || echo 2)

cmake --preset launcher-win32 >/dev/null
cmake --build --preset launcher-win32 -j "$jobs"
medium=build/medium
loader=/usr/lib/wine/wine
arch=win32
if ! tools/can-run-32bit.sh; then
  echo "This machine cannot run 32-bit programs: running the same launcher built for 64-bit Windows."
  tools/setup-deps.sh launcher64
  cmake --preset launcher-win64 >/dev/null
  cmake --build --preset launcher-win64 -j "$jobs"
  medium=build/medium-x64
  loader=/usr/lib/wine/wine64
  arch=win64
fi

wine_dir=build/run-wine
mkdir -p "$wine_dir"
printf 'KORVEX_WINE_LOADER=%s\nKORVEX_WINE_ARCH=%s\n' "$loader" "$arch" > "$wine_dir/config.sh"

interactive=no
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  interactive=yes
  KORVEX_DISPLAY=$DISPLAY tools/wine-env.sh start "$wine_dir"
else
  env -u KORVEX_DISPLAY tools/wine-env.sh start "$wine_dir"
fi
trap 'tools/wine-env.sh stop "$wine_dir"' EXIT

start_exe="$(pwd)/$medium/Start.exe"
echo "Starting $start_exe"
if [ "$interactive" = yes ]; then
  KORVEX_WINE_TIMEOUT=3600 tools/wine-run.sh --wine-dir "$wine_dir" "$start_exe" || true
else
  KORVEX_WINE_TIMEOUT=60 tools/wine-run.sh --wine-dir "$wine_dir" "$start_exe" &
  pid=$!
  sleep 6
  display=$(cat "$wine_dir/display")
  window=$(DISPLAY=$display xdotool search --name 'Korvex 7 telep' 2>/dev/null | head -n1 || true)
  if [ -n "$window" ]; then
    DISPLAY=$display import -window "$window" build/launcher-screenshot.png
  else
    DISPLAY=$display import -window root build/launcher-screenshot.png
  fi
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  echo "No display available: the launcher ran on a virtual display; screenshot saved to build/launcher-screenshot.png"
fi
