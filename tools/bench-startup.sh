#!/bin/sh
# Start-up benchmark: the launcher against a bare Win32 program of the same
# toolchain opening a window of the same size, side by side in one run under
# Wine on a virtual display: time to the first painted frame and peak memory.
#   tools/bench-startup.sh [RUNS]   (default 15)
# The 32-bit build is measured where this machine runs 32-bit programs, the
# 64-bit one elsewhere or when KORVEX_BENCH_64=1.
set -eu
cd "$(dirname "$0")/.."
runs=${1:-15}
tools/setup-deps.sh
preset=win32
medium=build/medium
if [ "${KORVEX_BENCH_64:-}" = 1 ] || ! tools/can-run-32bit.sh; then
  echo "Measuring the 64-bit Windows build."
  preset=win64
  medium=build/medium-x64
fi
cmake --preset $preset >/dev/null
cmake --build --preset $preset --target Start BareWindow StartupBench
wine_dir=build/$preset/wine
tools/wine-env.sh start "$wine_dir" >/dev/null
trap 'tools/wine-env.sh stop "$wine_dir"' EXIT
echo "Start.exe (32-bit, build/medium): $(stat -c %s build/medium/Start.exe 2>/dev/null || echo '?') bytes"
KORVEX_WINE_TIMEOUT=1200 tools/wine-run.sh --wine-dir "$wine_dir" "build/$preset/bench/startup/StartupBench.exe" \
  "$runs" "Z:$(pwd)/build/$preset/bench/startup/BareWindow.exe" "Z:$(pwd)/$medium/Start.exe"
