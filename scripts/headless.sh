#!/usr/bin/env bash
# Zeitrad on a machine without a display (a server, a container): starts the program on a
# virtual X display (xvfb-run), saves a screenshot of its window and ends.
#
#   headless.sh --check          exit 0 when a display can be opened here, 1 when not
#   headless.sh BIN [OUT.png]    run BIN on a virtual display; the screenshot goes to OUT.png
#                                (default: zeitrad-screenshot.png in the current folder)
set -euo pipefail

# Whether the program can open a window here: an X display that answers, or a Wayland socket
# together with Qt's Wayland plugin (without the plugin Qt falls back to X).
has_display() {
    if [ -n "${DISPLAY:-}" ] && timeout 10 xdotool getdisplaygeometry >/dev/null 2>&1; then
        return 0
    fi
    if [ -n "${WAYLAND_DISPLAY:-}" ]; then
        local socket=$WAYLAND_DISPLAY
        [[ $socket == /* ]] || socket=${XDG_RUNTIME_DIR:-/run/user/$(id -u)}/$socket
        if [ -S "$socket" ] && compgen -G "/usr/lib/*/qt6/plugins/platforms/libqwayland*.so" \
            >/dev/null; then
            return 0
        fi
    fi
    return 1
}

# Why no display was found, in one line.
display_problem() {
    if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
        echo "neither DISPLAY nor WAYLAND_DISPLAY is set"
    elif [ -n "${DISPLAY:-}" ]; then
        echo "the display DISPLAY=$DISPLAY cannot be opened"
    else
        echo "the Wayland display WAYLAND_DISPLAY=$WAYLAND_DISPLAY cannot be used"
    fi
}

if [ "${1:-}" = --check ]; then
    has_display
    exit
fi

bin=${1:?usage: headless.sh BIN [OUT.png] | headless.sh --check}
out=${2:-zeitrad-screenshot.png}
[[ $out == /* ]] || out=$PWD/$out
rm -f "$out"

# A machine without a desktop session often has no runtime folder either; Qt wants one.
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
    XDG_RUNTIME_DIR=$(mktemp -d)
    export XDG_RUNTIME_DIR
    trap 'rm -rf "$XDG_RUNTIME_DIR"' EXIT
fi

echo "No display found: $(display_problem)."
echo "Zeitrad needs one to show its window. Starting it on a virtual display (xvfb-run) instead;"
echo "a screenshot of its window will be saved to $out."

# The window is found by its caption; the program is ended once the picture is taken. No window
# manager runs on the virtual display, so the window has no frame and the picture holds exactly
# the window's 826 x 705 pixels. The display number is looked for from a random start: xvfb-run
# does not wait for its server to end, and a server still ending on the number next tried would
# remove the new server's socket.
xvfb-run -a -n $((100 + RANDOM % 800)) -s "-screen 0 1024x768x24 -dpi 96 -nolisten tcp" bash -c '
    bin=$1 out=$2
    QT_QPA_PLATFORM=xcb "$bin" & pid=$! # X, whatever platform the caller had chosen
    win=""
    for _ in $(seq 150); do
        win=$(xdotool search --onlyvisible --name "^Zeitrad$" 2>/dev/null | head -n1) || true
        [ -n "$win" ] && break
        kill -0 $pid 2>/dev/null || { echo "Zeitrad ended before its window opened." >&2; exit 1; }
        sleep 0.2
    done
    [ -n "$win" ] || { echo "Zeitrad did not open its window." >&2; kill $pid; exit 1; }
    sleep 1 # the first paint, with the start screen'"'"'s pictures
    import -window "$win" "$out"
    kill $pid
    wait $pid 2>/dev/null || true
' _ "$bin" "$out"

[ -s "$out" ] || { echo "No screenshot was saved." >&2; exit 1; }
echo "Screenshot saved: $out"
echo "To see the window itself, run this again on a machine with a display (or through ssh -X)."
