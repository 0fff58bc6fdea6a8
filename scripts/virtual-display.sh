# shellcheck shell=bash
# A virtual X display for the scripts that show the program without a real one; sourced, not run.
#
#   start_virtual_display [WxHxD]   starts Xvfb on a free display number, waits until the display
#                                   answers a client, and exports DISPLAY; says why and returns 1
#                                   when it does not answer within VIRTUAL_DISPLAY_TIMEOUT seconds
#                                   (default 60)
#   stop_virtual_display            ends that Xvfb and waits for it
#
# Xvfb picks the number itself (-displayfd) and writes it once it listens, so two servers never
# race for one number. A client is only started after the display has answered one (xdotool): on a
# loaded machine a server can take seconds to get there. The server does not reset when its last
# client leaves (-noreset): a client starting while the one before it ends finds it as it was.

_virtual_display_pid=""
_virtual_display_dir=""

start_virtual_display() {
    local screen=${1:-1024x768x24} timeout=${VIRTUAL_DISPLAY_TIMEOUT:-60}
    local deadline=$((SECONDS + timeout)) number
    _virtual_display_dir=$(mktemp -d)
    : >"$_virtual_display_dir/display"
    Xvfb -displayfd 3 -screen 0 "$screen" -dpi 96 -nolisten tcp -noreset \
        3>"$_virtual_display_dir/display" >"$_virtual_display_dir/log" 2>&1 &
    _virtual_display_pid=$!

    # _virtual_display_alive WHAT: 0 while the server runs and time is left, else says why.
    _virtual_display_alive() {
        if ! kill -0 "$_virtual_display_pid" 2>/dev/null; then
            echo "The virtual display (Xvfb) ended before it $1. Its messages:" >&2
            sed 's/^/    /' "$_virtual_display_dir/log" >&2
            return 1
        fi
        if [ "$SECONDS" -ge "$deadline" ]; then
            echo "The virtual display (Xvfb) has not $1 within $timeout s; giving up." >&2
            return 1
        fi
    }

    until [ "$(wc -l <"$_virtual_display_dir/display")" -ge 1 ]; do
        _virtual_display_alive "took a display number" || { stop_virtual_display; return 1; }
        sleep 0.1
    done
    number=$(head -n1 "$_virtual_display_dir/display")
    export DISPLAY=:$number
    until timeout 5 xdotool getdisplaygeometry >/dev/null 2>&1; do
        _virtual_display_alive "answered on $DISPLAY" || { stop_virtual_display; return 1; }
        sleep 0.2
    done
}

# The virtual display's own messages, indented; nothing once it is stopped.
virtual_display_log() {
    [ -n "$_virtual_display_dir" ] && sed 's/^/    /' "$_virtual_display_dir/log"
    return 0
}

stop_virtual_display() {
    if [ -n "$_virtual_display_pid" ]; then
        kill "$_virtual_display_pid" 2>/dev/null || true
        wait "$_virtual_display_pid" 2>/dev/null || true
        _virtual_display_pid=""
    fi
    [ -n "$_virtual_display_dir" ] && rm -rf "$_virtual_display_dir"
    _virtual_display_dir=""
}
