#!/usr/bin/env bash
# Starts the program in a virtual X display, optionally clicks at window points, and saves a
# screenshot of the screen. Usage: screenshot.sh OUT.png [x,y ...]   (points in window pixels)
set -euo pipefail
out=${1:?usage: screenshot.sh OUT.png [x,y ...]}
shift
bin=${ZEITRAD_BIN:-$(dirname "$0")/../build/zeitrad}

source "$(dirname "$0")/virtual-display.sh"
pid=""
cleanup() {
    if [ -n "$pid" ]; then
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    fi
    stop_virtual_display
}
trap cleanup EXIT
start_virtual_display 1024x768x24

QT_QPA_PLATFORM=xcb "$bin" &
pid=$!
win=""
for _ in $(seq 150); do
    win=$(xdotool search --name "^Zeitrad$" 2>/dev/null | head -n1) || true
    [ -n "$win" ] && break
    kill -0 "$pid" 2>/dev/null || { echo "Zeitrad ended before its window opened." >&2; exit 1; }
    sleep 0.2
done
[ -n "$win" ] || { echo "Zeitrad did not open its window." >&2; exit 1; }
sleep 1
eval "$(xdotool getwindowgeometry --shell "$win")"
for point in "$@"; do
    xdotool mousemove $((X + ${point%,*})) $((Y + ${point#*,})) click 1
    sleep 0.5
done
import -window root "$out"
