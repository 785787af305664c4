#!/bin/sh
# The guest's side of a test run (copied into the job as run.sh; the guest's
# first process runs it with the job at /job): the files the tests need
# (job/tree) copied to the guest's own disk at /korvex/src (Wine cannot run
# programs from the shared folder: it maps them), a virtual display whose screen is also a file (for the screenshot), the
# prepared Wine prefix started as tools/wine-env.sh does it, then for each
# phase P (a locale) the test scripts of lane-a-P one after the other while
# those of lane-b-P run beside them; lane-c runs beside all phases, in a copy
# of the prefix on a second display. Each leaves results/N.rc (exit code and milliseconds) and
# results/N.log; progress goes to the console.
set -u
job=/job
src=/korvex/src
now_ms() { echo $(( $(date +%s%N) / 1000000 )); }
t0=$(now_ms)
elapsed() { t=$(( ($(now_ms) - t0) / 1000 )); printf '%d:%02d' $((t / 60)) $((t % 60)); }
echo "korvex-guest: up after $(cut -d' ' -f1 /proc/uptime) s"

mkdir -p "$src"
cp -a "$job/tree/." "$src/" || { echo "korvex-guest: cannot copy the job's files"; exit 1; }

# Lane c's prefix: a copy made before Wine first starts on the prefix, its
# links into the prefix's folder (the user's Desktop among them) pointed at
# the copy, so that neither sees the other's desktop or registry.
if [ -s "$job/lane-c" ]; then
  cp -a /korvex/wine /korvex/wine2 || { echo "korvex-guest: cannot copy the Wine prefix"; exit 1; }
  find /korvex/wine2 -type l | while read -r link; do
    target=$(readlink "$link")
    case $target in
    /korvex/wine/*) ln -sfn "/korvex/wine2/${target#/korvex/wine/}" "$link" ;;
    esac
  done
fi

mkdir -p /tmp/fb
Xvfb :0 -screen 0 1280x1024x24 -nolisten tcp -fbdir /tmp/fb >/tmp/xvfb.log 2>&1 &
i=0
while [ ! -S /tmp/.X11-unix/X0 ] && [ $i -lt 600 ]; do sleep 0.1; i=$((i + 1)); done
export KORVEX_SCREEN_FILE=/tmp/fb/Xvfb_screen0
# The shared prefix on this display (tests that make a prefix of their own
# start a display of their own, as they do on the host).
if ! KORVEX_DISPLAY=:0 sh "$src/tools/wine-env.sh" start /korvex/wine >"$job/wine-env.log" 2>&1; then
  echo "korvex-guest: Wine did not start:"; cat "$job/wine-env.log"
  exit 1
fi
if [ -s "$job/lane-c" ]; then
  Xvfb :1 -screen 0 1280x1024x24 -nolisten tcp >/tmp/xvfb1.log 2>&1 &
  i=0
  while [ ! -S /tmp/.X11-unix/X1 ] && [ $i -lt 600 ]; do sleep 0.1; i=$((i + 1)); done
  if ! KORVEX_DISPLAY=:1 sh "$src/tools/wine-env.sh" start /korvex/wine2 >"$job/wine-env2.log" 2>&1; then
    echo "korvex-guest: Wine did not start on the second display:"; cat "$job/wine-env2.log"
    exit 1
  fi
fi
echo "korvex-guest: [$(elapsed)] display and Wine ready"

total=$(wc -l < "$job/names")
run_lane() {
  while read -r number name; do
    started=$(now_ms)
    sh "$job/tests/$number.sh" >"$job/results/$number.log" 2>&1 </dev/null
    rc=$?
    ms=$(( $(now_ms) - started ))
    echo "$rc $ms" > "$job/results/$number.rc"
    if [ $rc -eq 0 ]; then result=Passed; else result="***Failed ($rc)"; fi
    printf 'korvex-guest: [%s] %2d/%d %s %s %d.%02d sec\n' "$(elapsed)" "$number" "$total" "$name" "$result" \
      $((ms / 1000)) $((ms % 1000 / 10))
  done < "$1"
}
lane_c=
if [ -s "$job/lane-c" ]; then
  run_lane "$job/lane-c" &
  lane_c=$!
fi
phase=1
while [ $phase -le "$(cat "$job/phases")" ]; do
  run_lane "$job/lane-a-$phase" &
  lane_a=$!
  run_lane "$job/lane-b-$phase" &
  lane_b=$!
  wait $lane_a $lane_b
  phase=$((phase + 1))
done
[ -z "$lane_c" ] || wait $lane_c
sh "$src/tools/wine-env.sh" stop /korvex/wine >/dev/null 2>&1
[ -z "$lane_c" ] || sh "$src/tools/wine-env.sh" stop /korvex/wine2 >/dev/null 2>&1
echo "korvex-guest: [$(elapsed)] done"
