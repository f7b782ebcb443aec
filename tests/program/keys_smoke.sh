#!/usr/bin/env bash
# Drives the real program from the keyboard alone on the X server xvfb-run gave
# us (1920 x 1080, with a window manager, which full screen needs): F11 fills
# the screen and F11 again gives back 800 x 600; with "Start Full Screen", a
# dark and a mirrored reading view in the preferences, F5 presents full screen,
# Page Down moves on, Space pauses, Escape leaves and the window comes back.
# Screenshots of the whole screen go into the output folder.
set -uo pipefail

program="$1" script="$2" screens="$3"
export QT_QPA_PLATFORM=xcb
unset QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS DBUS_SESSION_BUS_ADDRESS
scratch=$(mktemp -d)
trap '[[ -n "${pid:-}" ]] && kill "$pid" 2>/dev/null; [[ -n "${wm:-}" ]] && kill "$wm" 2>/dev/null; rm -rf "$scratch"' EXIT
out="$scratch/output"
mkdir -p "$screens"

fail() { echo "FAIL: $*"; echo "--- program output:"; cat "$out" 2>/dev/null; exit 1; }

export HOME="$scratch/home" XDG_CONFIG_HOME="$scratch/home/.config"
mkdir -p "$XDG_CONFIG_HOME/Veltrim"
printf 'Advance Seconds =       30\r\nHold Seconds =       15\r\nTime Mode =        1\r\nFont Face =        2\r\nFont Size =       24\r\nStart Full Screen =        1\r\nDark Reading View =        1\r\nMirrored Reading View =        1\r\n' \
  >"$XDG_CONFIG_HOME/Veltrim/Veltrim.preferences"

openbox >/dev/null 2>&1 &
wm=$!
"$program" "$script" >"$out" 2>&1 &
pid=$!

source "$(dirname "$0")/polling.sh"
find_window() { wid=$(xdotool search --onlyvisible --name '^Veltrim' 2>/dev/null | head -n 1); [[ -n "$wid" ]]; }
size_is() { xwininfo -id "$wid" | grep -Eq "Width: +$1\$" && xwininfo -id "$wid" | grep -Eq "Height: +$2\$"; }
title() { xdotool getwindowname "$wid" 2>/dev/null; }
presenting() { title | grep -Eq '^Veltrim - [0-9]+:[0-5][0-9] elapsed$'; }
not_presenting() { [[ "$(title)" == "Veltrim" ]]; }
# A picture of the time panel's neighbour labels (left of its buttons, right of the dial).
labels() { import -window root -crop 700x90+110+988 +repage "$scratch/labels.png" && identify -format '%#' "$scratch/labels.png"; }
changed_from() { [[ "$(labels)" != "$1" ]]; }

within 5 find_window || fail "no window titled Veltrim mapped"
within 2 size_is 800 600 || fail "the window did not open at 800 x 600"
sleep 0.5
xdotool windowactivate --sync "$wid" || fail "could not give the window the keyboard"

xdotool key F11
within 3 size_is 1920 1080 || fail "F11 did not fill the screen: $(xwininfo -id "$wid" | grep -E 'Width|Height')"
sleep 0.5
import -window root "$screens/start_panel_full_screen.png"
xdotool key F11
within 3 size_is 800 600 || fail "F11 again did not give back 800 x 600"

xdotool key F5
within 3 presenting || fail "F5 did not start the presentation: $(title)"
within 3 size_is 1920 1080 || fail "Start Full Screen did not fill the screen"
sleep 1
import -window root "$screens/presentation_dark_mirrored.png"
before=$(labels)
xdotool key Next
within 3 changed_from "$before" || fail "Page Down did not move on to the next segment"

xdotool key space
sleep 0.5
paused=$(title)
sleep 1.5
[[ "$(title)" == "$paused" ]] || fail "Space did not pause: $paused, then $(title)"
import -window root "$screens/presentation_paused.png"

xdotool key Escape
within 3 not_presenting || fail "Escape on a paused presentation did not leave it: $(title)"
within 3 size_is 800 600 || fail "leaving did not give back the window"
echo "PASS (screenshots in $screens)"
