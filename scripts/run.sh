#!/usr/bin/env bash
# Builds Zeitrad and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/deps.sh

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$(nproc)" --target zeitrad
# Without a display (a server, a container) the program runs on a virtual one, and a screenshot
# of its window is saved in the folder this script was called from.
if ! bash scripts/headless.sh --check; then
    exec bash scripts/headless.sh ./build/zeitrad "$OLDPWD/zeitrad-screenshot.png"
fi
exec ./build/zeitrad "$@"
