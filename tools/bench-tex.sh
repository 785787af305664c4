#!/bin/sh
# Drawing benchmark of the text object and the owner-drawn typed combo under
# Wine on a virtual display, each against a baseline of the same run:
#   tools/bench-tex.sh [ROUNDS]   (default 15)
set -eu
cd "$(dirname "$0")/.."
rounds=${1:-15}
tools/setup-deps.sh
preset=win32
if ! tools/can-run-32bit.sh; then
  echo "This machine cannot run 32-bit programs: measuring the 64-bit Windows build."
  preset=win64
fi
cmake --preset $preset >/dev/null
cmake --build --preset $preset --target TexBench
wine_dir=build/$preset/wine
tools/wine-env.sh start "$wine_dir" >/dev/null
trap 'tools/wine-env.sh stop "$wine_dir"' EXIT
LC_ALL=hu_HU.UTF-8 KORVEX_WINE_TIMEOUT=1200 tools/wine-run.sh --wine-dir "$wine_dir" \
  "build/$preset/bench/tex/TexBench.exe" "$rounds"
