#!/usr/bin/env bash
# Start-up figures: the time from process start until the window's first paint, and the peak
# resident memory, for Zeitrad and for an empty Qt window of the same size (bench/minimal_window),
# all built here in the same build folder. A third program, the same window with one text label
# ("labelled"), shows what starting the font system costs any window that shows text. Measured
# under Qt's offscreen platform and under a virtual X display (Xvfb), the programs taking turns,
# after one unrecorded warm-up run each.
#
# Usage: bench/startup.sh [RUNS]      RUNS per program and platform, default 15, at least 10
# Env:   BUILD=<folder> (default build), KEEP=<file> to keep the raw figures.
#
# Goals: start-up at most 1.05 x the labelled window's (a window that shows any text pays for
# starting the font system, which the empty one never does), peak memory at most the empty
# window's plus 10 MiB. The script reports both and exits 1 when a goal is missed.
set -euo pipefail
cd "$(dirname "$0")/.."

runs=${1:-15}
[ "$runs" -ge 10 ] || { echo "at least 10 runs" >&2; exit 2; }
build=${BUILD:-build}

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j "$(nproc)" --target zeitrad bench_minimal_window >/dev/null

tmp=$(mktemp -d)
source scripts/virtual-display.sh
cleanup() {
    stop_virtual_display
    rm -rf "$tmp"
}
trap cleanup EXIT

export ZEITRAD_EXIT_AFTER_FIRST_PAINT=1
export XDG_RUNTIME_DIR=$tmp/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"

# One run: prints "<ms from launch to first paint> <peak resident KiB>".
# The launch time is taken in this shell just before the program is started (through GNU time,
# which reports the peak resident set of the program); the program stamps its first paint with
# the wall clock, so the difference includes loading the program and its libraries.
run_once() {
    local bin=$1 t0 line painted
    shift
    t0=$EPOCHREALTIME
    line=$(/usr/bin/time -f %M -o "$tmp/rss" "$bin" "$@" 2>"$tmp/stderr") ||
        { cat "$tmp/stderr" >&2; return 1; }
    painted=$(sed -nE 's/^first paint: .* at ([0-9.]+) s$/\1/p' <<<"$line")
    [ -n "$painted" ] || { echo "no first paint from $bin: $line" >&2; return 1; }
    awk -v a="$t0" -v b="$painted" -v rss="$(tail -n1 "$tmp/rss")" \
        'BEGIN { printf "%.2f %d\n", (b - a) * 1000, rss }'
}

# measure PLATFORM: RUNS alternating runs of both programs, appended to the raw figures.
measure() {
    local platform=$1 i
    run_once "$build/zeitrad" >/dev/null
    run_once "$build/bench_minimal_window" >/dev/null
    run_once "$build/bench_minimal_window" --label >/dev/null
    for ((i = 1; i <= runs; i++)); do
        echo "$platform zeitrad $(run_once "$build/zeitrad")" >>"$tmp/raw"
        echo "$platform minimal $(run_once "$build/bench_minimal_window")" >>"$tmp/raw"
        echo "$platform labelled $(run_once "$build/bench_minimal_window" --label)" >>"$tmp/raw"
    done
}

: >"$tmp/raw"
QT_QPA_PLATFORM=offscreen measure offscreen

# A virtual X display of its own, answering before the first program starts.
start_virtual_display 1280x1024x24
QT_QPA_PLATFORM=xcb measure xvfb

[ -n "${KEEP:-}" ] && cp "$tmp/raw" "$KEEP"

echo "Start-up figures, $runs runs each ($(nproc) cores, $(uname -r))"
sort -k1,1 -k2,2 "$tmp/raw" | awk -v runs="$runs" '
    function median(list, n,    sorted, i, j, t) {
        for (i = 1; i <= n; i++) sorted[i] = list[i]
        for (i = 2; i <= n; i++)
            for (j = i; j > 1 && sorted[j - 1] > sorted[j]; j--) {
                t = sorted[j]; sorted[j] = sorted[j - 1]; sorted[j - 1] = t
            }
        return n % 2 ? sorted[(n + 1) / 2] : (sorted[n / 2] + sorted[n / 2 + 1]) / 2
    }
    { key = $1 " " $2; n[key]++; ms[key, n[key]] = $3; kib[key, n[key]] = $4 }
    END {
        printf "%-10s %-8s %12s %12s %12s %14s\n", "platform", "program", "median ms",
               "min ms", "max ms", "peak RSS MiB"
        missed = 0
        split("offscreen xvfb", platforms, " ")
        for (p = 1; p <= 2; p++) {
            for (q = 1; q <= 3; q++) {
                program = q == 1 ? "zeitrad" : q == 2 ? "minimal" : "labelled"
                key = platforms[p] " " program
                delete a; delete b
                lo = 1e9; hi = 0
                for (i = 1; i <= n[key]; i++) {
                    a[i] = ms[key, i]; b[i] = kib[key, i]
                    if (a[i] < lo) lo = a[i]
                    if (a[i] > hi) hi = a[i]
                }
                med[key] = median(a, n[key]); mem[key] = median(b, n[key]) / 1024
                printf "%-10s %-8s %12.1f %12.1f %12.1f %14.1f\n", platforms[p],
                       program, med[key], lo, hi, mem[key]
            }
        }
        for (p = 1; p <= 2; p++) {
            z = platforms[p] " zeitrad"; m = platforms[p] " minimal"; l = platforms[p] " labelled"
            ratio = med[z] / med[l]; extra = mem[z] - mem[m]
            printf "%-10s start-up %.2f x the labelled window (goal <= 1.05: %s), " \
                   "%.2f x the empty one\n", platforms[p], ratio,
                   ratio <= 1.05 ? "met" : "MISSED", med[z] / med[m]
            printf "%-10s peak memory %+.1f MiB over the empty window (goal <= +10 MiB: %s), " \
                   "%+.1f MiB over the labelled one\n", platforms[p], extra,
                   extra <= 10 ? "met" : "MISSED", mem[z] - mem[l]
            if (ratio > 1.05 || extra > 10) missed = 1
        }
        exit missed
    }'
