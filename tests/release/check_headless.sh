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
# working X display (a server of its own, started and ended as the scripts start theirs).
env -u DISPLAY -u WAYLAND_DISPLAY bash "$headless" --check && fail "found a display without one"
DISPLAY=:4711 bash "$headless" --check && fail "took an unopenable display for one"
env -u DISPLAY WAYLAND_DISPLAY=no-such-socket bash "$headless" --check &&
    fail "took a missing Wayland socket for a display"
source "$here/../../scripts/virtual-display.sh"
trap stop_virtual_display EXIT
start_virtual_display 640x480x24 || fail "no virtual display for the check"
found=0
bash "$headless" --check && found=1
stop_virtual_display
unset DISPLAY
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

# A virtual display that takes its time: the server names its display at once but listens only
# two seconds later, as a loaded machine's can. The program is started only once it answers. The
# number is one that no server on this machine holds: no lock file here, and no socket of that
# number in /proc/net/unix, which also shows the servers of other root folders (chroots), whose
# abstract sockets this one shares.
mkdir -p "$scratch/slow" "$scratch/mute"
cat >"$scratch/slow/Xvfb" <<SLOW
#!/usr/bin/env bash
number=\$((600 + RANDOM % 300))
while [ -e /tmp/.X\$number-lock ] || grep -qE "[ @]/tmp/\.X11-unix/X\$number\\\$" /proc/net/unix; do
    number=\$((number + 1))
done
echo \$number >&3
exec 3>&-
sleep 2
shift 2 # -displayfd 3
exec "$(command -v Xvfb)" :\$number "\$@"
SLOW
# And one that never listens.
printf '#!/usr/bin/env bash\necho 4712 >&3\nexec sleep 60\n' >"$scratch/mute/Xvfb"
chmod +x "$scratch/slow/Xvfb" "$scratch/mute/Xvfb"

rm -f "$shot"
out=$(env -u DISPLAY -u WAYLAND_DISPLAY PATH="$scratch/slow:$PATH" bash "$headless" "$bin" \
    2>"$scratch/stderr") || { cat "$scratch/stderr"; fail "run on a slow display failed: $out"; }
[ "$(png_size "$shot")" = "826 705" ] || fail "slow display: screenshot $(png_size "$shot")"

rm -f "$shot"
env -u DISPLAY -u WAYLAND_DISPLAY PATH="$scratch/mute:$PATH" VIRTUAL_DISPLAY_TIMEOUT=3 \
    bash "$headless" "$bin" >/dev/null 2>"$scratch/stderr" &&
    fail "ran on a display that never answered"
cat "$scratch/stderr"
grep -qF 'has not answered on :4712 within 3 s' "$scratch/stderr" ||
    fail "did not say that the display never answered"
grep -qF 'Zeitrad was not started' "$scratch/stderr" ||
    fail "did not say that the program was not started"
[ ! -e "$shot" ] || fail "saved a screenshot without a display"

# A program that once cannot connect to the answering display is started once more; one that ends
# before its window opens for any other reason is not, and the run fails saying so.
cat >"$scratch/flaky" <<FLAKY
#!/usr/bin/env bash
if [ ! -e "$scratch/flaky.once" ]; then
    touch "$scratch/flaky.once"
    echo "qt.qpa.xcb: could not connect to display \$DISPLAY" >&2
    exit 1
fi
exec "$bin"
FLAKY
printf '#!/usr/bin/env bash\necho "no window today" >&2\nexit 3\n' >"$scratch/broken"
chmod +x "$scratch/flaky" "$scratch/broken"
rm -f "$shot" "$scratch/flaky.once"
env -u DISPLAY -u WAYLAND_DISPLAY bash "$headless" "$scratch/flaky" >/dev/null 2>"$scratch/stderr" ||
    { cat "$scratch/stderr"; fail "did not start the program once more"; }
grep -q 'starting it once more' "$scratch/stderr" || fail "did not say that it started it again"
[ "$(png_size "$shot")" = "826 705" ] || fail "second start: screenshot $(png_size "$shot")"
rm -f "$shot"
env -u DISPLAY -u WAYLAND_DISPLAY bash "$headless" "$scratch/broken" >/dev/null 2>"$scratch/stderr" &&
    fail "a program without a window passed"
grep -q 'no window today' "$scratch/stderr" || fail "did not show the program's messages"
grep -q 'Zeitrad ended before its window opened' "$scratch/stderr" ||
    fail "did not say that the program ended"
grep -q 'once more' "$scratch/stderr" && fail "started a broken program once more"
echo "headless run complete"
