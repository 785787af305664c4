#!/bin/sh
# Installs what is missing (as root), builds everything and runs every test:
#  1. the native Linux build of the code that needs no window, under
#     AddressSanitizer and UBSan;
#  2. the 32-bit Windows build (the product and the demo medium) and its tests
#     under Wine; where this machine cannot run 32-bit programs, the same
#     sources built for 64-bit Windows are tested instead, and the 32-bit build
#     is still compiled and linked.
set -eu
cd "$(dirname "$0")/.."
tools/setup-deps.sh

jobs=$(nproc 2>/dev/null || echo 2)

echo "== native build and tests (AddressSanitizer, UBSan)"
cmake --preset native >/dev/null
cmake --build --preset native -j "$jobs"
ctest --preset native

echo "== 32-bit Windows build"
cmake --preset win32 >/dev/null
cmake --build --preset win32 -j "$jobs"

if tools/can-run-32bit.sh; then
  echo "== tests of the 32-bit Windows build under Wine"
  ctest --preset win32
else
  echo "== this machine cannot run 32-bit programs: testing the 64-bit Windows build under Wine"
  cmake --preset win64 >/dev/null
  cmake --build --preset win64 -j "$jobs"
  ctest --preset win64
fi

if [ -x tools/fuzz-smoke.sh ]; then
  echo "== fuzzers (short runs)"
  tools/fuzz-smoke.sh
fi
echo "== all tests passed"
