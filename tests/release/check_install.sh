#!/usr/bin/env bash
# `cmake --install` into a scratch prefix puts every file in its standard place.
# Usage: check_install.sh BUILD_DIR APP_ID "ICON_SIZES"
set -euo pipefail
build=$1 id=$2 sizes=$3
source "$(dirname "$0")/common.sh"

scratch=$build/release-check/install
rm -rf "$scratch"
mkdir -p "$scratch"
cmake --install "$build" --prefix "$scratch/usr" >/dev/null
check_tree "$scratch" /usr "$id" "$sizes"
echo "install tree complete"
