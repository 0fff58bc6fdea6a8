#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Zeitrad need.
# Does nothing when every one of them is already installed.
set -euo pipefail

packages=(
    cmake ninja-build g++ dpkg-dev
    qt6-base-dev qt6-translations-l10n libjpeg-dev libfontconfig-dev liberfa-dev
    libgtest-dev libbenchmark-dev
    xvfb xauth xdotool imagemagick xdg-utils
    fonts-liberation fonts-wine fonts-lohit-deva fonts-dejavu-core
    desktop-file-utils appstream valgrind clang libclang-rt-14-dev time
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
