#!/usr/bin/env bash
# Builds Zeitrad and starts it. Installs only what building and running needs; the virtual display
# (Xvfb, xdotool, ImageMagick) only on a machine that has no display of its own.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/deps.sh --run

bash scripts/build.sh run
# Without a display (a server, a container) the program runs on a virtual one, and a screenshot
# of its window is saved in the folder this script was called from.
if ! bash scripts/headless.sh --check; then
    bash scripts/deps.sh --headless
    # With the headless tools installed the display is asked once more: before, only its socket
    # could be looked for.
    if ! bash scripts/headless.sh --check; then
        exec bash scripts/headless.sh ./build/zeitrad "$OLDPWD/zeitrad-screenshot.png"
    fi
fi
exec ./build/zeitrad "$@"
