#!/bin/sh
# JPEG decoding benchmark under Wine: the framework's picture against
# libjpeg-turbo's own decompression of the same 1920 x 1080 file, in one run
# (docs/jpeg-benchmark.md):
#   tools/bench-jpeg.sh [ROUNDS]   (default 21)
set -eu
cd "$(dirname "$0")/.."
rounds=${1:-21}
tools/setup-deps.sh
preset=win32
if ! tools/can-run-32bit.sh; then
  echo "This machine cannot run 32-bit programs: measuring the 64-bit Windows build."
  preset=win64
fi
cmake --preset $preset >/dev/null
cmake --build --preset $preset --target JpegBench
wine_dir=build/$preset/wine
tools/wine-env.sh start "$wine_dir" >/dev/null
trap 'tools/wine-env.sh stop "$wine_dir"' EXIT
KORVEX_WINE_TIMEOUT=1200 tools/wine-run.sh --wine-dir "$wine_dir" "build/$preset/bench/jpeg/JpegBench.exe" "$rounds"
