#!/usr/bin/env bash
# Builds the Debian package of Zeitrad: build/zeitrad_<version>_<arch>.deb, with the dependencies
# that dpkg-shlibdeps finds in the program plus the fonts. Install it with
#   sudo apt install ./build/zeitrad_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/deps.sh --run --package

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZEITRAD_TESTS=OFF -DZEITRAD_BENCH=OFF
cmake --build build -j "$(nproc)" --target zeitrad zeitrad-dasa zeitrad_icons zeitrad_docs
(cd build && cpack -G DEB)
ls -l build/zeitrad_*.deb
