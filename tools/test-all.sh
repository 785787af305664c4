#!/bin/sh
# Installs what is missing (as root), builds everything and runs every test:
#  1. the native Linux build of the code that needs no window, under
#     AddressSanitizer and UBSan;
#  2. the 32-bit Windows build (the product and the demo medium) and its tests
#     under Wine; where this machine cannot run 32-bit programs (or
#     KORVEX_FORCE_EMULATOR=1), the same sources built for 64-bit Windows are
#     tested under 64-bit Wine, and the 32-bit build's tests run in a
#     full-system emulator (tools/test-32bit.sh) at the same time; its guest
#     is built in the background from the start.
set -eu
cd "$(dirname "$0")/.."
tools/setup-deps.sh

jobs=$(nproc 2>/dev/null || echo 2)
native32=yes
if ! tools/can-run-32bit.sh || [ "${KORVEX_FORCE_EMULATOR:-}" = 1 ]; then
  native32=no
  mkdir -p build
  echo "== building the 32-bit test guest in the background (build/guest32-build.log)"
  tools/guest32/build-guest.sh "${KORVEX_GUEST_CACHE:-build/guest32}" > build/guest32-build.log 2>&1 &
fi

echo "== native build and tests (AddressSanitizer, UBSan)"
cmake --preset native >/dev/null
cmake --build --preset native -j "$jobs"
ctest --preset native

echo "== 32-bit Windows build"
cmake --preset win32 >/dev/null
cmake --build --preset win32 -j "$jobs"

if [ $native32 = yes ]; then
  echo "== tests of the 32-bit Windows build under Wine"
  ctest --preset win32
else
  # The emulated run mostly waits (its waits are scaled for the slowest
  # program), so it goes on in the background while the 64-bit build is made
  # and tested; its output is shown when both are done.
  echo "== tests of the 32-bit Windows build in the emulator: started (build/test-32bit.log)"
  KORVEX_SKIP_SETUP=1 setsid tools/test-32bit.sh > build/test-32bit.log 2>&1 &
  emulated=$!
  # Should this script end early, the emulator (in the group setsid made) ends with it.
  trap 'kill -- "-$emulated" 2>/dev/null || true' EXIT
  trap 'exit 130' INT TERM
  echo "== this machine cannot run 32-bit programs: testing the 64-bit Windows build under Wine"
  cmake --preset win64 >/dev/null
  cmake --build --preset win64 -j "$jobs"
  ctest --preset win64
  echo "== tests of the 32-bit Windows build in the emulator"
  emulated_status=0
  wait "$emulated" || emulated_status=$?
  trap - EXIT INT TERM
  cat build/test-32bit.log
  [ "$emulated_status" = 0 ] || exit "$emulated_status"
fi

if [ -x tools/fuzz-smoke.sh ]; then
  echo "== fuzzers (short runs)"
  tools/fuzz-smoke.sh
fi
echo "== all tests passed"
