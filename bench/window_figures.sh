#!/usr/bin/env bash
# Figures of the window program under a private Xvfb: processor use while it
# waits for a key on each kind of screen, then its --stats while drawing and
# its peak resident memory.
#   bench/window_figures.sh [path/to/ifsdraw] [seconds per figure]
set -euo pipefail

program=${1:-build/release/ifsdraw}
seconds=${2:-10}
[ -x "$program" ] || { echo "no program at $program (make release builds it)" >&2; exit 2; }

work=$(mktemp -d)
exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1600x1000x24 -nolisten tcp 2>"$work/xvfb.log" &
xvfb=$!
app=
cleanup() {
  [ -n "$app" ] && kill "$app" 2>/dev/null || true
  kill "$xvfb" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(head -1 "$work/display")"

"$program" --stats >"$work/stats" 2>"$work/log" &
app=$!
window=
for _ in $(seq 100); do
  window=$(xdotool search --onlyvisible --name '^ifsdraw$' 2>/dev/null | head -1) && [ -n "$window" ] && break
  sleep 0.2
done
[ -n "$window" ] || { echo "no window" >&2; cat "$work/log" >&2; exit 1; }
xdotool windowfocus "$window"
sleep 1

ticks() { awk '{print $14 + $15}' "/proc/$app/stat"; }
hz=$(getconf CLK_TCK)
# Share of one core used over $seconds seconds.
waiting() {
  sleep 1
  local before after
  before=$(ticks)
  sleep "$seconds"
  after=$(ticks)
  awk -v t=$((after - before)) -v hz="$hz" -v s="$seconds" -v what="$1" \
    'BEGIN { printf "waiting, %-22s %.2f %% of one core\n", what ":", 100 * t / hz / s }'
}

waiting "main menu"
xdotool key 1
waiting "selection screen"
xdotool key Return
waiting "start-point prompt"
xdotool type 0,0
xdotool key Return
sleep "$seconds"
echo "drawing, peak resident memory: $(awk '/VmHWM/ {print $2, $3}' "/proc/$app/status")"
xdotool key F3
sleep 0.5
xdotool key 2 1 Return 2 Return 0 Return 0 Return 0 Return 2 Return 0 Return
xdotool type 1,1
xdotool key Return
waiting "overflow message"
xdotool key ctrl+q
wait "$app" || true
app=
echo "--stats (the drawing of entry 1 and the overflow run):"
sed 's/^/  /' "$work/stats"
