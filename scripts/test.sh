#!/usr/bin/env bash
# Builds Zeitrad and runs every test: once in a plain build, once with AddressSanitizer and UBSan;
# then the checks of scripts/checks.sh. Warnings are errors in every build here. Before building,
# the C++ files are checked against .clang-format.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/deps.sh --test

jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen

# Every C++ file that git knows, as the formatter would lay it out; lists the files that differ.
echo "== Layout (clang-format) =="
clang-format --version
git rev-parse --is-inside-work-tree >/dev/null 2>&1 ||
    { echo "not a git clone: the files to check are the ones git knows" >&2; exit 1; }
mapfile -t sources < <(git ls-files '*.cpp' '*.h')
[ ${#sources[@]} -gt 0 ] || { echo "git knows no C++ files here" >&2; exit 1; }
unformatted=()
for file in "${sources[@]}"; do
    clang-format --dry-run --Werror "$file" >/dev/null 2>&1 || unformatted+=("$file")
done
if [ ${#unformatted[@]} -gt 0 ]; then
    printf '  %s\n' "${unformatted[@]}"
    echo "${#unformatted[@]} of ${#sources[@]} files differ from .clang-format; see them with" \
        "clang-format --dry-run FILE, fix them with clang-format -i FILE" >&2
    exit 1
fi
echo "${#sources[@]} files follow .clang-format"

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
