#!/usr/bin/env bash
# The build that the README's commands run, in the folder `build` of the tree this script lies in;
# installs nothing. scripts/run.sh and scripts/package.sh call it, and so does the release check
# (tests/release/check_commands.sh) in a clean tree, so that it builds exactly as they do.
#   build.sh run       the program, and with it every plugin it loads
#   build.sh package   that, zeitrad-dasa, the icons and the manual pages, and then the Debian
#                      package build/zeitrad_<version>_<arch>.deb
set -euo pipefail
cd "$(dirname "$0")/.."

case ${1:-} in
run) targets=(zeitrad) ;;
package) targets=(zeitrad zeitrad-dasa zeitrad_icons zeitrad_docs) ;;
*)
    echo "usage: build.sh run|package" >&2
    exit 2
    ;;
esac

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZEITRAD_TESTS=OFF -DZEITRAD_BENCH=OFF
cmake --build build -j "$(nproc)" --target "${targets[@]}"
if [ "$1" = package ]; then
    (cd build && cpack -G DEB)
fi
