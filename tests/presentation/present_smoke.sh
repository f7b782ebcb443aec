#!/usr/bin/env bash
# Runs the presentation on the X server xvfb-run gave us: the elapsed time must
# reach the title, a click on the dial must pause it (enabling Exit), and a click
# on Exit must end the presentation and put the title back.
set -uo pipefail

demo="$1"
export QT_QPA_PLATFORM=xcb
unset QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS
out=$(mktemp)
trap 'rm -f "$out"; [[ -n "${pid:-}" ]] && kill "$pid" 2>/dev/null' EXIT

fail() { echo "FAIL: $*"; echo "--- demo output:"; cat "$out"; exit 1; }

"$demo" >"$out" 2>&1 &
pid=$!

wid=$(timeout 30 xdotool search --sync --onlyvisible --name '^Veltrim - 0:0[0-9] elapsed$' | head -n 1)
[[ -n "$wid" ]] || fail "no window with the elapsed time in its title"

# The panel is the bottom 100 pixels of the 800 x 600 window: the dial at its
# left, Exit at its top right.
xdotool mousemove --window "$wid" 55 550 click 1 || fail "xdotool could not click the dial"
sleep 1
xdotool mousemove --window "$wid" 785 515 click 1 || fail "xdotool could not click Exit"

for _ in $(seq 1 100); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$pid" 2>/dev/null && fail "the presentation did not end on Exit"
wait "$pid"
status=$?
pid=""
[[ $status -eq 0 ]] || fail "exit status $status"
grep -q '^result 105, title Veltrim$' "$out" || fail "the presentation did not end by Exit"
echo "PASS"
