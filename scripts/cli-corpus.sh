#!/usr/bin/env bash
# Runs every command line of tests/cli/corpus.txt with a zeitrad-dasa and records, per line, its
# standard output, standard error and exit status, and at the end the files the lines wrote; two
# builds answer alike when the two folders are the same (diff -r).
#
#   cli-corpus.sh BIN OUTDIR
#
# The lines run in order in a scratch folder of their own: an empty register of births
# (ZEITRAD_REGISTER), a cache for the atlas's index, no settings of the caller. $DATA in a line is
# tests/data of this tree, $WORK the scratch folder; both are written back as "$DATA" and "$WORK"
# in what is recorded, so that two trees compare.
set -euo pipefail
bin=$(realpath "${1:?usage: cli-corpus.sh BIN OUTDIR}")
out=${2:?usage: cli-corpus.sh BIN OUTDIR}
root=$(cd "$(dirname "$0")/.." && pwd)
DATA=$root/tests/data
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
mkdir -p "$out" "$WORK/home" "$WORK/cache"
rm -f "$out"/[0-9][0-9][0-9].txt "$out"/files.txt
export ZEITRAD_REGISTER=$WORK/register/geburten.sqlite XDG_CACHE_HOME=$WORK/cache \
    XDG_CONFIG_HOME=$WORK/config XDG_DATA_HOME=$WORK/data HOME=$WORK/home LANG=C.UTF-8 TZ=UTC
export DATA WORK
unset LC_ALL LANGUAGE

hide() { sed -e "s#$WORK#\$WORK#g" -e "s#$DATA#\$DATA#g"; }

n=0
while IFS= read -r line; do
    case $line in '' | '#'*) continue ;; esac
    n=$((n + 1))
    record=$(printf '%s/%03d.txt' "$out" "$n")
    status=0
    eval "set -- $line"
    "$bin" "$@" >"$WORK/stdout" 2>"$WORK/stderr" || status=$?
    {
        printf '$ zeitrad-dasa %s\n--- stdout\n' "$line"
        hide <"$WORK/stdout"
        printf -- '--- stderr\n'
        hide <"$WORK/stderr"
        printf -- '--- exit %d\n' "$status"
    } >"$record"
done <"$root/tests/cli/corpus.txt"

# What the lines wrote (the exports), byte for byte.
for file in "$WORK"/*.aaf; do
    [ -f "$file" ] || continue
    printf '== %s\n' "$(basename "$file")"
    od -An -c "$file"
done >"$out/files.txt"
echo "$n command lines recorded in $out"
