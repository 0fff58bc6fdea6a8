#!/usr/bin/env bash
# zeitrad-dasa from process start to exit, as a script calls it: the road of the field texts, a
# birth in a time zone, and a birth at a place of the atlas (the atlas query included). Each
# command runs RUNS times in a loop after one unrecorded warm-up run; the figure is the wall time
# of the loop divided by RUNS.
#
# Usage: bench/cli_bench.sh [RUNS]    default 100
# Env:   BUILD=<folder> (default build)
#
# Goal: one --born ... --place ... run at most 15 ms. The script exits 1 when it is missed.
set -euo pipefail
cd "$(dirname "$0")/.."

runs=${1:-100}
build=${BUILD:-build}
cmake --build "$build" --target zeitrad-dasa >/dev/null
dasa=$build/zeitrad-dasa

# Milliseconds per run of the command, to a hundredth.
per_run() {
    "$@" >/dev/null
    local start end
    start=$(date +%s%N)
    for ((i = 0; i < runs; i++)); do
        "$@" >/dev/null
    done
    end=$(date +%s%N)
    echo "scale=2; ($end - $start) / 1000000 / $runs" | bc
}

fields=$(per_run "$dasa" --date 7.3.1985 --moon 12:30:0 --sign 9 --format json)
zone=$(per_run "$dasa" --born "12.5.1985 13:27" --zone Europe/Berlin --format json)
place=$(per_run "$dasa" --born "12.5.1985 13:27" --place "Frankfurt am Main" --format json)
printf '%-44s %8s ms\n' "--date --moon --sign, JSON" "$fields" \
    "--born --zone Europe/Berlin, JSON" "$zone" \
    "--born --place \"Frankfurt am Main\", JSON" "$place"
if [ "$(echo "$place > 15" | bc)" = 1 ]; then
    echo "goal missed: --born --place takes $place ms, more than 15 ms" >&2
    exit 1
fi
