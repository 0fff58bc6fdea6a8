#!/usr/bin/env bash
# Checks beyond the two test runs of scripts/test.sh, which builds `build` first:
#   - every engine test under valgrind's memcheck (any error or leak fails);
#   - the calculation, zeitrad-dasa's option reader, its date and time reader, the longitude reader
#     and the AAF reader fuzzed with libFuzzer, AddressSanitizer and UBSan, each for a bounded time
#     (ZEITRAD_FUZZ_SECONDS, default 20) in a clang build of the engine and those readers alone.
set -euo pipefail
cd "$(dirname "$0")/.."

jobs=$(nproc)
build=${BUILD:-build}
fuzz_seconds=${ZEITRAD_FUZZ_SECONDS:-20}

echo "== Engine tests under valgrind memcheck =="
found=0
for test in "$build"/tests/engine_*; do
    [ -f "$test" ] && [ -x "$test" ] || continue
    found=$((found + 1))
    echo "-- $(basename "$test")"
    valgrind --quiet --error-exitcode=1 --leak-check=full \
        --errors-for-leak-kinds=definite,indirect --show-leak-kinds=definite,indirect \
        "$test" --gtest_brief=1
done
[ "$found" -gt 0 ] || { echo "no engine tests in $build/tests" >&2; exit 1; }
echo "$found engine test programs clean under memcheck"

echo "== Fuzzing the calculation and the readers of zeitrad-dasa, $fuzz_seconds s each =="
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZEITRAD_WERROR=ON \
    -DCMAKE_CXX_COMPILER=clang++ -DZEITRAD_FUZZ=ON -DZEITRAD_FUZZ_SECONDS="$fuzz_seconds"
cmake --build build-fuzz -j "$jobs"
log=build-fuzz/fuzz.log
if ! ctest --test-dir build-fuzz --output-on-failure -V >"$log" 2>&1; then
    tail -n 60 "$log"
    echo "fuzzing found a fault; the input is in build-fuzz (crash-*, timeout-*, leak-*)" >&2
    exit 1
fi
grep -E 'Done [0-9]+ runs|stat::(number_of_executed_units|average_exec_per_sec|new_units_added|peak_rss_mb)|tests passed' "$log" |
    sed -E 's/^[0-9]+: //'
