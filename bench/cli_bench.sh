#!/usr/bin/env bash
# zeitrad-dasa from process start to exit, as a script calls it: the road of the field texts, a
# birth in a time zone, and a birth at a place of the atlas (the atlas query included). Each
# command runs RUNS times in a loop after one unrecorded warm-up run; the figure is the wall time
# of the loop divided by RUNS.
#
# Usage: bench/cli_bench.sh [RUNS]    default 100
# Env:   BUILD=<folder> (default build)
#
# Goals: one --born ... --place ... run at most 15 ms; the --timeline picture of a whole life, five
# bands, at most 300 ms; --import of 10,000 AAF records at most 2 s, --aaf of them at most 5 s.
# The script exits 1 when one is missed.
set -euo pipefail
cd "$(dirname "$0")/.."

runs=${1:-100}
build=${BUILD:-build}
cmake --build "$build" --target zeitrad-dasa >/dev/null
dasa=$build/zeitrad-dasa
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

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

# The timeline picture: the plugin loaded, Qt's offscreen platform started, painted, PNG written.
picture=$(per_run "$dasa" --date 7.3.1985 --moon 12:30:0 --sign 9 --depth 5 \
    --timeline "$tmp/zeitleiste.png")
printf '%-44s %8s ms\n' "--timeline, whole life, five bands" "$picture"
if [ "$(echo "$picture > 300" | bc)" = 1 ]; then
    echo "goal missed: --timeline takes $picture ms, more than 300 ms" >&2
    exit 1
fi

# Ten thousand births as an AAF file: each tenth without #B93, so that the atlas gives its place.
for ((i = 0; i < 10000; i++)); do
    day=$((i % 28 + 1)) month=$((i % 12 + 1)) year=$((1900 + i % 120)) hour=$((i % 24))
    if ((i % 10 == 0)); then
        echo "#A93:Probe$i,Anna,f,$day.$month.$year,$hour:15,Hamburg,D"
    else
        echo "#A93:Probe$i,Bernd,m,$day.$month.$year,$hour:15,München,D"
        echo "#B93:*,48n08,11e34,1he00,0"
        echo "#ZNAM:Europe/Berlin"
    fi
done >"$tmp/zehntausend.aaf"

# Seconds of one run, to a hundredth.
seconds() {
    local start end
    start=$(date +%s%N)
    "$@" >/dev/null 2>&1 || true
    end=$(date +%s%N)
    printf "%.2f" "$(echo "scale=2; ($end - $start) / 1000000000" | bc)"
}
import=$(ZEITRAD_REGISTER="$tmp/register.sqlite" seconds "$dasa" --import "$tmp/zehntausend.aaf")
added=$(ZEITRAD_REGISTER="$tmp/register.sqlite" "$dasa" --list --format csv | tail -n +2 | wc -l)
aaf=$(seconds "$dasa" --aaf "$tmp/zehntausend.aaf")
aafjson=$(seconds "$dasa" --aaf "$tmp/zehntausend.aaf" --format json)
printf '%-44s %8s s (%s in the register)\n' "--import of 10,000 AAF records" "$import" "$added"
printf '%-44s %8s s\n' "--aaf of 10,000 records, text" "$aaf" \
    "--aaf of 10,000 records, JSON (3 levels)" "$aafjson"
if [ "$added" != 10000 ] || [ "$(echo "$import > 2" | bc)" = 1 ]; then
    echo "goal missed: --import of 10,000 records takes $import s (goal 2 s), $added went in" >&2
    exit 1
fi
if [ "$(echo "$aaf > 5" | bc)" = 1 ]; then
    echo "goal missed: --aaf of 10,000 records takes $aaf s, more than 5 s" >&2
    exit 1
fi
