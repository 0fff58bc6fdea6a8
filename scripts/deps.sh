#!/usr/bin/env bash
# Installs the Debian packages that Zeitrad needs, in sets; does nothing when every package of the
# asked sets is already installed. Every name is one that Debian bookworm and later releases share:
# the clang runtime, whose package name carries clang's version, is found from the installed clang.
#
#   deps.sh --run       building and running: compiler, CMake, Ninja, Qt (with its SQLite driver
#                       for the register of births), libjpeg, fontconfig, ERFA, the Swiss Ephemeris
#                       with its data files, the atlas of towns
#                       (libgeonames, with its German and English names in libgeonames-common),
#                       pkg-config that finds it, the time zone database, the fonts, and the
#                       desktop's URL opener
#   deps.sh --headless  a virtual display for a machine without one (Xvfb, xdotool, ImageMagick)
#   deps.sh --package   the Debian package build (dpkg-shlibdeps, and `file`, which CPack uses)
#   deps.sh --test      all of the above and the test tools (the default)
#   deps.sh --list ...  prints the names of the asked sets, one a line, and installs nothing
set -euo pipefail

run=(
    g++ cmake ninja-build
    qt6-base-dev libqt6sql6-sqlite qt6-translations-l10n libjpeg-dev libfontconfig-dev liberfa-dev libswe-dev swe-basic-data libgeonames-dev
    pkg-config tzdata
    fonts-liberation fonts-dejavu-core fonts-lohit-deva fonts-wine
    xdg-utils
)
headless=(xvfb xauth xdotool imagemagick)
package=(dpkg-dev file)
# GoogleTest and Google Benchmark; the desktop-entry and AppStream validators; lintian for the
# package; pdftotext for the period list's PDF; valgrind; GNU time
# for the start-up figures; clang and its fuzzer runtime (below); clang-format and git for the
# layout check, which looks at the files that git knows.
test=(
    libgtest-dev libbenchmark-dev
    desktop-file-utils appstream valgrind time
    lintian poppler-utils
    clang clang-format git
)

wanted=()
with_test=0
list=0
if [ "${1:-}" = --list ]; then
    list=1
    shift
fi
[ $# -eq 0 ] && set -- --test
for set in "$@"; do
    case $set in
    --run) wanted+=("${run[@]}") ;;
    --headless) wanted+=("${headless[@]}") ;;
    --package) wanted+=("${package[@]}") ;;
    --test)
        wanted+=("${run[@]}" "${headless[@]}" "${package[@]}" "${test[@]}")
        with_test=1
        ;;
    *)
        echo "usage: deps.sh [--list] [--run] [--headless] [--package] [--test]" >&2
        exit 2
        ;;
    esac
done

if [ "$list" = 1 ]; then
    printf '%s\n' "${wanted[@]}" | sort -u
    exit 0
fi

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
updated=0

installed() {
    dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'
}

# install_missing PACKAGE...: installs those not yet installed, reading the package lists once.
install_missing() {
    local missing=() p
    for p in "$@"; do
        installed "$p" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    if [ "$updated" = 0 ]; then
        $sudo apt-get update -qq
        updated=1
    fi
    $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

install_missing "${wanted[@]}"

# libFuzzer and the sanitizer runtimes of clang N are in libclang-rt-N-dev (Debian 12 on); in
# older releases they came with clang itself.
if [ "$with_test" = 1 ]; then
    major=$(clang --version | sed -nE 's/.*clang version ([0-9]+)\..*/\1/p' | head -n1)
    [ -n "$major" ] || { echo "cannot tell the version of $(command -v clang)" >&2; exit 1; }
    runtime=libclang-rt-$major-dev
    if ! installed "$runtime"; then
        if [ "$updated" = 0 ]; then
            $sudo apt-get update -qq
            updated=1
        fi
        if apt-cache show "$runtime" >/dev/null 2>&1; then
            install_missing "$runtime"
        else
            echo "No package $runtime: clang $major's own runtime is used for the fuzzer."
        fi
    fi
fi
