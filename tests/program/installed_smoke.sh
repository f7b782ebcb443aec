#!/usr/bin/env bash
# Installs Veltrim into a scratch prefix and runs it as a user would, on the X
# server xvfb-run gave us: the window maps titled "Veltrim", Start! starts the
# presentation (the title counts elapsed time), a click on the dial pauses it,
# and the close box ends the process with status 0. Screenshots go into the
# output folder.
set -uo pipefail

build="$1" close_window="$2" script="$3" screens="$4"
export QT_QPA_PLATFORM=xcb
unset QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS
scratch=$(mktemp -d)
trap '[[ -n "${pid:-}" ]] && kill "$pid" 2>/dev/null; rm -rf "$scratch"' EXIT
out="$scratch/output"
mkdir -p "$screens"

fail() { echo "FAIL: $*"; echo "--- program output:"; cat "$out" 2>/dev/null; exit 1; }

cmake --install "$build" --prefix "$scratch/prefix" >/dev/null || fail "cmake --install failed"
for f in bin/veltrim lib/veltrim/veltrim lib/veltrim/marktext lib/veltrim/slidetext \
         lib/veltrim/assets/veltrim.bmp lib/veltrim/help/index.html share/applications/veltrim.desktop; do
  [[ -e "$scratch/prefix/$f" ]] || fail "not installed: $f"
done

# A user of our own, with no settings yet.
export HOME="$scratch/home" XDG_CONFIG_HOME="$scratch/home/.config"
mkdir -p "$HOME"
"$scratch/prefix/bin/veltrim" "$script" >"$out" 2>&1 &
pid=$!

source "$(dirname "$0")/polling.sh"
find_window() { wid=$(xdotool search --onlyvisible --name '^Veltrim$' 2>/dev/null | head -n 1); [[ -n "$wid" ]]; }
presenting() { xdotool getwindowname "$wid" 2>/dev/null | grep -Eq '^Veltrim - [0-9]+:[0-5][0-9] elapsed$'; }

within 2 find_window || fail "no window titled Veltrim mapped within 2 s"
info=$(xwininfo -id "$wid")
grep -Eq 'Width: +800$' <<<"$info" && grep -Eq 'Height: +600$' <<<"$info" || fail "client area is not 800 x 600: $info"
sleep 0.5  # let the start panel's first frame reach the screen
import -window "$wid" "$screens/start_panel.png" || fail "no screenshot of the start panel"

# Start! sits at (5, maxy - 45), 120 x 40.
xdotool mousemove --window "$wid" 65 574 click 1 || fail "xdotool could not click"
within 2 presenting || fail "the title did not show elapsed time within 2 s: $(xdotool getwindowname "$wid")"
sleep 1
import -window "$wid" "$screens/presentation.png" || fail "no screenshot of the presentation"

# A click on the dial (centre (55, maxy - 50) in the time panel) pauses: the
# elapsed time in the title stands still.
xdotool mousemove --window "$wid" 55 549 click 1 || fail "xdotool could not click the dial"
sleep 0.5
paused=$(xdotool getwindowname "$wid")
sleep 1.5
[[ "$(xdotool getwindowname "$wid")" == "$paused" ]] || fail "the title moved on while paused: $paused"
import -window "$wid" "$screens/paused.png" || fail "no screenshot of the paused presentation"

"$close_window" "$wid" || fail "could not ask the window to close"
ended() { ! kill -0 "$pid" 2>/dev/null; }
within 10 ended || fail "the program did not end after its window was closed"
wait "$pid"
status=$?
pid=""
[[ $status -eq 0 ]] || fail "exit status $status"
echo "PASS (screenshots in $screens)"
