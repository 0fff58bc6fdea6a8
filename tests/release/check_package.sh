#!/usr/bin/env bash
# The Debian package: its dependencies (the program's libraries as dpkg-shlibdeps finds them, and
# the fonts) and, unpacked into a scratch root, the same tree that `cmake --install` makes.
# Usage: check_package.sh BUILD_DIR APP_ID "ICON_SIZES"
set -euo pipefail
build=$1 id=$2 sizes=$3
source "$(dirname "$0")/common.sh"

scratch=$build/release-check/package
rm -rf "$scratch"
mkdir -p "$scratch/root"
build_package "$build" "$scratch"
echo "package: $(basename "$deb")"

[ "$(dpkg-deb -f "$deb" Package)" = zeitrad ] || fail "package name"
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
# The package names, without versions and alternatives.
names=$(tr ',|' '\n\n' <<<"$depends" | sed -E 's/^ *([^ (]+).*/\1/' | sort -u)
# The libraries the program and its printing plugin link, found from the binaries, and the fonts
# named by hand. A library package may carry the suffix t64 (Debian 13 renamed those whose
# interface holds a time_t).
for needed in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6 \
    libjpeg62-turbo fonts-liberation fonts-dejavu-core qt6-translations-l10n; do
    grep -qxF -e "$needed" -e "${needed}t64" <<<"$names" || fail "Depends lacks $needed"
done
# Every dependency is a real package: the program runs here, so each one is installed here.
for name in $names; do
    dpkg-query -W -f='${Status}' "$name" 2>/dev/null | grep -q 'install ok installed' ||
        fail "dependency $name is not an installed package here"
done

dpkg-deb -x "$deb" "$scratch/root"
check_tree "$scratch/root" /usr "$id" "$sizes"
# Nothing outside /usr, and nothing the install rules did not name.
others=$(cd "$scratch/root" && find . -mindepth 1 -maxdepth 1 ! -name usr)
[ -z "$others" ] || fail "files outside /usr: $others"
count=$(cd "$scratch/root" && find . -type f | wc -l)
# The two programs, the four plugins (printing, atlas, register, timeline), the desktop entry, the
# metainfo, two manual pages, the copyright file, the changelog and the icons.
expected=$((12 + $(wc -w <<<"$sizes")))
[ "$count" -eq "$expected" ] || fail "$count files in the package, expected $expected"
# The program is stripped: debugging symbols stay in the build.
for program in "$scratch"/root/usr/bin/* $(find "$scratch/root/usr/lib" -name 'libzeitrad_*.so'); do
    if readelf -S "$program" | grep -q '\.debug_info'; then
        fail "${program#"$scratch/root"} in the package is not stripped"
    fi
done
echo "package complete"
