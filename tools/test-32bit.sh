#!/bin/sh
# Runs the shipped 32-bit Windows build's test programs in a full-system
# emulator, for machines that cannot run 32-bit programs themselves:
#   tools/test-32bit.sh [-R REGEX] [-E REGEX]   (ctest's test names)
# Builds the win32 preset, builds the guest once (a Debian 12 root with 32-bit
# Wine, kept in build/guest32, or KORVEX_GUEST_CACHE), then boots it once with
# its disk in snapshot mode and runs there every Windows test program that
# ctest knows of in build/win32, under the same locales as ctest, each wait
# that exists for a test scaled by KORVEX_TIME_SCALE (20), and first shows
# the medium's Start.exe and checks its window on a screenshot
# (build/win32/guest-job/start.png). Reports like ctest; fails when a test
# fails. The whole guest run is ended after KORVEX_GUEST_TIMEOUT seconds.
set -eu
cd "$(dirname "$0")/.."
root=$(pwd)
[ "${KORVEX_SKIP_SETUP:-}" = 1 ] || tools/setup-deps.sh
jobs=$(nproc 2>/dev/null || echo 2)
scale=${KORVEX_TIME_SCALE:-20}
cache=${KORVEX_GUEST_CACHE:-build/guest32}

cmake --preset win32 >/dev/null
cmake --build --preset win32 -j "$jobs"

t0=$(date +%s)
tools/guest32/build-guest.sh "$cache"
t1=$(date +%s)

job=build/win32/guest-job
rm -rf "$job"
mkdir -p "$job"
python3 tools/guest32/guest-job.py make --build build/win32 --source "$root" --job "$job" --scale "$scale" "$@"
cp tools/guest32/run-job.sh "$job/run.sh"
echo "== 32-bit Windows tests in the emulator (progress below; output in $job/results)"
# The guest's console is kept in console.log; its progress lines are shown.
{ tools/guest32/boot.sh "$cache" "$job" 2>&1; echo "$?" > "$job/boot.rc"; } |
  sed -u 's/\r$//' | tee "$job/console.log" | grep --line-buffered '^korvex-guest' || true
[ "$(cat "$job/boot.rc")" = 0 ] || echo "test-32bit: the guest ended with status $(cat "$job/boot.rc") (see $job/console.log)"
t2=$(date +%s)
status=0
python3 tools/guest32/guest-job.py report --job "$job" || status=$?
echo "test-32bit: guest build $((t1 - t0)) s, guest run $((t2 - t1)) s"
exit $status
