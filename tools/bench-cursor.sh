#!/bin/sh
# Cursor benchmark: the task cursor's tracking and repaint in the demo
# host's 1920 x 1080 view against a bare BitBlt of the same areas, under Wine
# on a virtual display large enough for the view (docs/cursor-benchmark.md).
#   tools/bench-cursor.sh [REPETITIONS] [MOVES]   (defaults 41, 500)
set -eu
cd "$(dirname "$0")/.."
reps=${1:-41}
moves=${2:-500}
tools/setup-deps.sh
preset=win32
if ! tools/can-run-32bit.sh; then
  echo "This machine cannot run 32-bit programs: measuring the 64-bit Windows build."
  preset=win64
fi
cmake --preset $preset >/dev/null
cmake --build --preset $preset --target CursorBench
wine_dir=build/$preset/bench-wine
mkdir -p "$wine_dir"
cp "build/$preset/wine/config.sh" "$wine_dir/config.sh"
# A display of its own, larger than the view.
rm -f "$wine_dir/display.fifo"
mkfifo "$wine_dir/display.fifo"
Xvfb -displayfd 3 -screen 0 2560x1440x24 -nolisten tcp 3>"$wine_dir/display.fifo" >/dev/null 2>&1 &
xvfb=$!
num=$(timeout 30 head -n1 "$wine_dir/display.fifo")
rm -f "$wine_dir/display.fifo"
KORVEX_DISPLAY=":$num" tools/wine-env.sh start "$wine_dir" >/dev/null
trap 'tools/wine-env.sh stop "$wine_dir"; kill $xvfb 2>/dev/null || true' EXIT
KORVEX_WINE_TIMEOUT=1200 tools/wine-run.sh --wine-dir "$wine_dir" "build/$preset/bench/tasks/CursorBench.exe" "$reps" "$moves"
