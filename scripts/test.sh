#!/usr/bin/env bash
# Builds Zeitrad and runs every test: once in a plain build, once with AddressSanitizer and UBSan;
# then the checks of scripts/checks.sh. Warnings are errors in every build here. Before building,
# the C++ files are checked against .clang-format (scripts/layout.sh).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/deps.sh --test

jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen

# Every C++ file that git knows, as each clang-format on the machine would lay it out.
echo "== Layout (clang-format) =="
bash scripts/layout.sh

echo "== Build and test =="
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZEITRAD_WERROR=ON \
    -DZEITRAD_TESTS=ON -DZEITRAD_BENCH=ON
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"

echo "== Build and test with AddressSanitizer and UBSan =="
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZEITRAD_WERROR=ON \
    -DZEITRAD_SANITIZE=ON -DZEITRAD_TESTS=ON -DZEITRAD_BENCH=OFF
cmake --build build-asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir build-asan --output-on-failure -j "$jobs"

bash scripts/checks.sh # the engine under valgrind, and the fuzzing of the calculation
