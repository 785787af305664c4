#!/bin/sh
# Builds the libFuzzer targets (the fuzz preset, into build/fuzz) and runs
# every fuzzer that has a seed corpus in tests/fuzz/corpus/<fuzzer>/ for a
# short fixed time (KORVEX_FUZZ_SECONDS, 30 by default). New inputs go to a
# scratch corpus in the build folder, so the seeds stay as committed; a crash
# leaves its input as build/fuzz/<fuzzer>-crash-* and fails the script.
set -eu
cd "$(dirname "$0")/.."
seconds=${KORVEX_FUZZ_SECONDS:-30}

fuzzers=""
for seeds in tests/fuzz/corpus/*/; do
  fuzzers="$fuzzers $(basename "$seeds")"
done
[ -n "$fuzzers" ] || { echo "fuzz-smoke: no seed corpora" >&2; exit 1; }

cmake --preset fuzz -B build/fuzz >/dev/null
# Only the fuzzers and what they link: the rest of the tree is not built by
# this compiler anywhere else.
# shellcheck disable=SC2086
cmake --build build/fuzz -j 2 --target $fuzzers

for name in $fuzzers; do
  work=build/fuzz/corpus/$name
  mkdir -p "$work"
  set -- -max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="build/fuzz/$name-"
  [ -f "tests/fuzz/$name.dict" ] && set -- "$@" -dict="tests/fuzz/$name.dict"
  echo "== $name ($seconds s)"
  "build/fuzz/tests/fuzz/$name" "$@" "$work" "tests/fuzz/corpus/$name"
done
echo "== fuzzers: no failures"
