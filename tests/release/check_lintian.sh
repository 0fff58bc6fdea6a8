#!/usr/bin/env bash
# Debian's own checks on the package of the build: lintian reports no error and no warning.
# Skipped (status 77) where lintian is not installed.
# Usage: check_lintian.sh BUILD_DIR
set -euo pipefail
build=$1
source "$(dirname "$0")/common.sh"

command -v lintian >/dev/null || { echo "lintian is not installed: skipped"; exit 77; }

scratch=$build/release-check/lintian
rm -rf "$scratch"
mkdir -p "$scratch"
build_package "$build" "$scratch"

lintian_clean "$deb"
