#!/usr/bin/env bash
# Builds the Debian package of Zeitrad: build/zeitrad_<version>_<arch>.deb, with the dependencies
# that dpkg-shlibdeps finds in the program plus the fonts. Install it with
#   sudo apt install ./build/zeitrad_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/deps.sh --run --package

bash scripts/build.sh package
ls -l build/zeitrad_*.deb
