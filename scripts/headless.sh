#!/usr/bin/env bash
# Zeitrad on a machine without a display (a server, a container): starts the program on a
# virtual X display (Xvfb), saves a screenshot of its window and ends.
#
#   headless.sh --check          exit 0 when a display can be opened here, 1 when not
#   headless.sh BIN [OUT.png]    run BIN on a virtual display; the screenshot goes to OUT.png
#                                (default: zeitrad-screenshot.png in the current folder)
set -euo pipefail

# Whether the program can open a window here: an X display that answers, or a Wayland socket
# together with Qt's Wayland plugin (without the plugin Qt falls back to X).
has_display() {
    if [ -n "${DISPLAY:-}" ] && x_display_answers; then
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

# Whether the X display DISPLAY answers: asked through xdotool where it is installed (it comes with
# the headless tools, which a machine with a desktop does not need), else whether the display's
# socket or port takes a connection.
x_display_answers() {
    if command -v xdotool >/dev/null; then
        timeout 10 xdotool getdisplaygeometry >/dev/null 2>&1
        return
    fi
    local host=${DISPLAY%:*} number=${DISPLAY##*:}
    number=${number%%.*}
    [[ $number =~ ^[0-9]+$ ]] || return 1
    if [ -z "$host" ] || [ "$host" = unix ]; then
        [ -S "/tmp/.X11-unix/X$number" ]
    else
        timeout 5 bash -c "exec 3<>/dev/tcp/$host/$((6000 + number))" 2>/dev/null
    fi
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
own_runtime=""
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
    own_runtime=$(mktemp -d)
    export XDG_RUNTIME_DIR=$own_runtime
fi

echo "No display found: $(display_problem)."
echo "Zeitrad needs one to show its window. Starting it on a virtual display (Xvfb) instead;"
echo "a screenshot of its window will be saved to $out."

source "$(dirname "$0")/virtual-display.sh"
pid=""
cleanup() {
    if [ -n "$pid" ]; then
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    fi
    stop_virtual_display
    [ -n "${own_runtime:-}" ] && rm -rf "$own_runtime"
    [ -n "${errors:-}" ] && rm -f "$errors"
}
trap cleanup EXIT
start_virtual_display 1024x768x24 || {
    echo "No virtual display could be started, so Zeitrad was not started." >&2
    exit 1
}

# start_program: starts the program and waits for its window, found by its caption: 0 once the
# window is visible (its id in win) or 60 s have passed, 1 when the program ended before; what it
# printed on its error output is then in $errors.
errors=$(mktemp)
start_program() {
    QT_QPA_PLATFORM=xcb "$bin" 2>"$errors" & # X, whatever platform the caller had chosen
    pid=$!
    win=""
    for _ in $(seq 300); do
        win=$(xdotool search --onlyvisible --name "^Zeitrad$" 2>/dev/null | head -n1) || true
        [ -n "$win" ] && return 0
        if ! kill -0 "$pid" 2>/dev/null; then
            wait "$pid" 2>/dev/null || true
            pid=""
            cat "$errors" >&2
            return 1
        fi
        sleep 0.2
    done
    return 0
}

# A program that could not connect to the display although the display answers is started once
# more; any other end before the window opens is reported with what the display said.
if ! start_program; then
    if grep -q 'could not connect to display' "$errors" && x_display_answers; then
        echo "Zeitrad could not connect to the virtual display $DISPLAY, which answers;" \
            "starting it once more." >&2
        start_program || true
    fi
    if [ -z "$win" ] && [ -z "$pid" ]; then
        echo "Zeitrad ended before its window opened." >&2
        if [ -n "$(virtual_display_log)" ]; then
            echo "The virtual display $DISPLAY said:" >&2
            virtual_display_log >&2
        fi
        x_display_answers || echo "The virtual display $DISPLAY no longer answers." >&2
        exit 1
    fi
fi
[ -n "$win" ] || { echo "Zeitrad did not open its window within 60 s." >&2; exit 1; }
sleep 1 # the first paint, with the start screen's pictures
# No window manager runs on the virtual display, so the window has no frame and the picture holds
# exactly the window's 826 x 705 pixels.
import -window "$win" "$out"
cat "$errors" >&2

[ -s "$out" ] || { echo "No screenshot was saved." >&2; exit 1; }
echo "Screenshot saved: $out"
echo "To see the window itself, run this again on a machine with a display (or through ssh -X)."
