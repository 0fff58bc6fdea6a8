#!/usr/bin/env bash
# Without a display, scripts/headless.sh says so, runs the program on a virtual display and saves
# a screenshot of its window; with a display it is not used.
# Usage: check_headless.sh BUILD_DIR ZEITRAD_BIN
set -euo pipefail
build=$1 bin=$2
here=$(cd "$(dirname "$0")" && pwd)
headless=$here/../../scripts/headless.sh
source "$here/common.sh"

scratch=$build/release-check/headless
rm -rf "$scratch"
mkdir -p "$scratch"
cd "$scratch"

# Display detection: none set, one that cannot be opened, a missing Wayland socket, and a
# working X display (a server of its own, which picks a free number and is waited for at the end).
env -u DISPLAY -u WAYLAND_DISPLAY bash "$headless" --check && fail "found a display without one"
DISPLAY=:4711 bash "$headless" --check && fail "took an unopenable display for one"
env -u DISPLAY WAYLAND_DISPLAY=no-such-socket bash "$headless" --check &&
    fail "took a missing Wayland socket for a display"
Xvfb -displayfd 3 -screen 0 640x480x24 -nolisten tcp 3>"$scratch/display" 2>/dev/null &
xvfb=$!
for _ in $(seq 100); do
    [ -s "$scratch/display" ] && break
    sleep 0.05
done
found=0
DISPLAY=:$(head -n1 "$scratch/display") bash "$headless" --check && found=1
kill "$xvfb" && wait "$xvfb" || true
[ "$found" = 1 ] || fail "did not find a working X display"
out=$(env -u DISPLAY -u WAYLAND_DISPLAY bash "$headless" "$bin" 2>"$scratch/stderr") ||
    { cat "$scratch/stderr"; fail "headless run failed: $out"; }
echo "$out"
grep -q '^No display found: neither DISPLAY nor WAYLAND_DISPLAY is set\.$' <<<"$out" ||
    fail "did not say that no display was found"
shot=$scratch/zeitrad-screenshot.png
grep -qF "Screenshot saved: $shot" <<<"$out" || fail "did not name the screenshot $shot"
[ "$(png_size "$shot")" = "826 705" ] || fail "screenshot is $(png_size "$shot"), not the window"

# The start screen as the window shows it: the purple margin, the green start screen, the white
# face of the OK button.
pixel() { convert "$shot" -format "%[pixel:p{$1,$2}]" info:; }
[ "$(pixel 5 5)" = "srgb(128,0,128)" ] || fail "margin is $(pixel 5 5), not purple"
[ "$(pixel 100 600)" = "srgb(0,128,0)" ] || fail "start screen is $(pixel 100 600), not green"
[ "$(pixel 11 600)" = "srgb(255,255,255)" ] || fail "start screen bevel is $(pixel 11 600)"
echo "headless run complete"
