#!/usr/bin/env bash
# Runs the demo program on the X server xvfb-run gave us: its window must map
# with its title and client size, show its rectangle, take a click and exit 0.
set -uo pipefail

demo="$1"
export QT_QPA_PLATFORM=xcb
unset QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS
out=$(mktemp)
trap 'rm -f "$out"; [[ -n "${pid:-}" ]] && kill "$pid" 2>/dev/null' EXIT

fail() { echo "FAIL: $*"; echo "--- demo output:"; cat "$out"; exit 1; }

"$demo" >"$out" 2>&1 &
pid=$!

wid=$(timeout 30 xdotool search --sync --onlyvisible --name '^Korvid demo$' | head -n 1)
[[ -n "$wid" ]] || fail "the window never mapped"

info=$(xwininfo -id "$wid")
echo "$info"
grep -q '"Korvid demo"' <<<"$info" || fail "title not shown"
grep -Eq 'Width: +320$' <<<"$info" || fail "client width is not 320"
grep -Eq 'Height: +200$' <<<"$info" || fail "client height is not 200"

# The rectangle reaches the screen once the window is painted.
shown=""
for _ in $(seq 1 100); do
  shown=$(import -window "$wid" -crop 1x1+160+100 -depth 8 txt:- 2>/dev/null | tail -n 1)
  grep -qi '#FF8000' <<<"$shown" && break
  sleep 0.1
done
grep -qi '#FF8000' <<<"$shown" || fail "rectangle not on screen: $shown"
corner=$(import -window "$wid" -crop 1x1+5+5 -depth 8 txt:- 2>/dev/null | tail -n 1)
grep -qi '#000000' <<<"$corner" || fail "outside the rectangle is not black: $corner"

xdotool mousemove --window "$wid" 60 50 click 1 || fail "xdotool could not click"

for _ in $(seq 1 300); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$pid" 2>/dev/null && fail "the demo did not end after the click"
wait "$pid"
status=$?
pid=""
[[ $status -eq 0 ]] || fail "exit status $status"
grep -q '^clicked 60 50$' "$out" || fail "the click did not reach the handler"
echo "PASS"
