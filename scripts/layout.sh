#!/usr/bin/env bash
# The layout check: every C++ file that git knows, as .clang-format lays it out. Runs once with
# each formatter given, or with `clang-format` and every versioned clang-format-N on the PATH
# when none is given (Debian installs several side by side, and the tree must suit each of them:
# bookworm's 14 and trixie's 19 lay out some lines differently). Prints the version of each and
# lists the files it would change.
# Usage: layout.sh [FORMATTER...]
set -euo pipefail
cd "$(dirname "$0")/.."

git rev-parse --is-inside-work-tree >/dev/null 2>&1 ||
    { echo "not a git clone: the files to check are the ones git knows" >&2; exit 1; }
mapfile -t sources < <(git ls-files '*.cpp' '*.h')
[ ${#sources[@]} -gt 0 ] || { echo "git knows no C++ files here" >&2; exit 1; }

formatters=("$@")
if [ ${#formatters[@]} -eq 0 ]; then
    # The same program under two names (clang-format is a link to one clang-format-N) runs once.
    declare -A seen=()
    for name in clang-format $(compgen -c clang-format- | grep -E '^clang-format-[0-9]+$' | sort -uV); do
        path=$(readlink -f "$(command -v "$name")") || continue
        [ -z "${seen[$path]:-}" ] || continue
        seen[$path]=1
        formatters+=("$name")
    done
fi
[ ${#formatters[@]} -gt 0 ] || { echo "no clang-format installed" >&2; exit 1; }

failed=0
for formatter in "${formatters[@]}"; do
    "$formatter" --version
    # All files at once first; one by one only to name those that differ.
    if printf '%s\0' "${sources[@]}" | xargs -0 "$formatter" --dry-run --Werror >/dev/null 2>&1; then
        echo "${#sources[@]} files follow .clang-format"
        continue
    fi
    unformatted=()
    for file in "${sources[@]}"; do
        "$formatter" --dry-run --Werror "$file" >/dev/null 2>&1 || unformatted+=("$file")
    done
    printf '  %s\n' "${unformatted[@]}"
    echo "${#unformatted[@]} of ${#sources[@]} files differ from .clang-format for $formatter;" \
        "see them with $formatter --dry-run FILE, fix them with $formatter -i FILE (where" \
        "versions disagree, write the line so that each lays it out alike)" >&2
    failed=1
done
exit "$failed"
