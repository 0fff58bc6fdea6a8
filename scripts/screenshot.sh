#!/usr/bin/env bash
# Starts the program in a virtual X display, optionally clicks at window points, and saves a
# screenshot of the screen. Usage: screenshot.sh OUT.png [x,y ...]   (points in window pixels)
set -euo pipefail
out=${1:?usage: screenshot.sh OUT.png [x,y ...]}
shift
bin=${ZEITRAD_BIN:-$(dirname "$0")/../build/zeitrad}
xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" bash -c '
    bin=$1; out=$2; shift 2
    "$bin" & pid=$!
    for _ in $(seq 50); do
        win=$(xdotool search --name "^Zeitrad$" 2>/dev/null | head -n1) && [ -n "$win" ] && break
        sleep 0.2
    done
    sleep 1
    eval "$(xdotool getwindowgeometry --shell "$win")"
    for point in "$@"; do
        xdotool mousemove $((X + ${point%,*})) $((Y + ${point#*,})) click 1
        sleep 0.5
    done
    import -window root "$out"
    kill $pid
' _ "$bin" "$out" "$@"
