#!/bin/sh
# In the guest: shows the medium's Start.exe on the virtual display and saves
# the screen with its window (OUT.xwd) and the window's place (OUT.geometry):
#   start-shot.sh MEDIUM_DIR OUT
# The screen is the file KORVEX_SCREEN_FILE (Xvfb -fbdir).
set -u
medium=$1 out=$2
scale=${KORVEX_TIME_SCALE:-1}
tools=$(cd "$(dirname "$0")/.." && pwd)
export DISPLAY=:0
"$tools/wine-run.sh" --wine-dir /korvex/wine "$medium/Start.exe" </dev/null >/dev/null 2>&1 &
pid=$!
window=
limit=$(( 30 * ${scale%.*} ))
started=$(date +%s)
i=0
while [ -z "$window" ] && [ $i -lt "$limit" ]; do
  sleep 1
  window=$(xdotool search --onlyvisible --name 'Korvex 7 telep' 2>/dev/null | head -n1)
  i=$(( $(date +%s) - started ))
done
status=0
if [ -n "$window" ]; then
  sleep "$(( 1 * ${scale%.*} ))"   # painted
  xdotool getwindowgeometry --shell "$window" > "$out.geometry"
  cp "$KORVEX_SCREEN_FILE" "$out.xwd"
  echo "Start.exe's window after $i s: $(tr '\n' ' ' < "$out.geometry")"
else
  echo "Start.exe showed no window in $limit s"
  status=1
fi
kill "$pid" 2>/dev/null
wait "$pid" 2>/dev/null
exit $status
