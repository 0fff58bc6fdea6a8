# Checks shared by the release tests: the installed tree under a root folder, the package build
# and lintian.

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Width and height of a PNG file, from its header.
png_size() {
    local bytes
    bytes=($(od -An -tu1 -j16 -N8 "$1"))
    [ ${#bytes[@]} -eq 8 ] || return 1
    echo $(((bytes[0] << 24) | (bytes[1] << 16) | (bytes[2] << 8) | bytes[3])) \
        $(((bytes[4] << 24) | (bytes[5] << 16) | (bytes[6] << 8) | bytes[7]))
}

# check_tree ROOT PREFIX APP_ID "SIZES": every installed file in its place, valid, and the
# program starts from there and paints its window.
check_tree() {
    local root=$1 prefix=$2 id=$3 sizes=$4 here
    here=$(dirname "${BASH_SOURCE[0]}")
    local base=$root$prefix

    [ -x "$base/bin/zeitrad" ] || fail "no executable $prefix/bin/zeitrad"
    [ -x "$base/bin/zeitrad-dasa" ] || fail "no executable $prefix/bin/zeitrad-dasa"

    # The manual pages, compressed, and the copyright file and changelog.
    local page
    for page in zeitrad zeitrad-dasa; do
        gzip -t "$base/share/man/man1/$page.1.gz" 2>/dev/null ||
            fail "no compressed manual page $prefix/share/man/man1/$page.1.gz"
        zcat "$base/share/man/man1/$page.1.gz" | grep -q '@PROJECT_VERSION@' &&
            fail "manual page $page.1 without its version"
    done
    grep -q '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' \
        "$base/share/doc/zeitrad/copyright" 2>/dev/null || fail "no machine-readable copyright file"
    gzip -t "$base/share/doc/zeitrad/changelog.gz" 2>/dev/null || fail "no changelog.gz"

    local desktop=$base/share/applications/$id.desktop
    [ -f "$desktop" ] || fail "no desktop entry $prefix/share/applications/$id.desktop"
    bash "$here/validate.sh" desktop "$desktop" || fail "desktop entry does not validate"
    grep -qx 'Exec=zeitrad' "$desktop" || fail "desktop entry does not start zeitrad"
    grep -qx 'Icon=zeitrad' "$desktop" || fail "desktop entry names another icon"

    local metainfo=$base/share/metainfo/$id.metainfo.xml
    [ -f "$metainfo" ] || fail "no metainfo $prefix/share/metainfo/$id.metainfo.xml"
    bash "$here/validate.sh" metainfo "$metainfo" || fail "metainfo does not validate"
    grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" ||
        fail "metainfo does not launch the desktop entry"
    grep -q '@PROJECT_VERSION@' "$metainfo" && fail "metainfo version not filled in"

    local size icon
    for size in $sizes; do
        icon=$base/share/icons/hicolor/${size}x${size}/apps/zeitrad.png
        [ -f "$icon" ] || fail "no ${size}x${size} icon"
        [ "$(png_size "$icon")" = "$size $size" ] ||
            fail "${size}x${size} icon is $(png_size "$icon" || echo 'no PNG')"
    done

    # The atlas, the register and zeitrad-dasa's timeline picture, loaded on first use, beside it.
    local name
    for name in atlas register timeline; do
        [ -n "$(find "$base/lib" -path "*/zeitrad/plugins/libzeitrad_$name.so" -type f)" ] ||
            fail "no plugin $prefix/lib/.../zeitrad/plugins/libzeitrad_$name.so"
    done

    # The printing plugin in the program's private folder, and it prints (the printing test of the
    # build tree, told to load the installed plugin, when the tests are built).
    local plugin
    plugin=$(find "$base/lib" -path '*/zeitrad/plugins/libzeitrad_print.so' -type f)
    [ -n "$plugin" ] || fail "no printing plugin $prefix/lib/.../zeitrad/plugins/libzeitrad_print.so"
    if [ -x "${build:-}/tests/ui_test_printing" ]; then
        ZEITRAD_PLUGIN_PATH=$(dirname "$plugin") QT_QPA_PLATFORM=offscreen \
            "$build/tests/ui_test_printing" printsToTheChosenPrinter >/dev/null ||
            fail "the installed printing plugin does not print"
    fi

    # The installed program starts on its own: it paints its window and quits.
    local line
    line=$(ZEITRAD_EXIT_AFTER_FIRST_PAINT=1 timeout 60 "$base/bin/zeitrad") ||
        fail "installed program did not start"
    grep -q '^first paint: ' <<<"$line" || fail "installed program did not paint: $line"

    # The installed zeitrad-dasa calculates on its own.
    line=$("$base/bin/zeitrad-dasa" --format csv | head -2 | tail -1) ||
        fail "installed zeitrad-dasa did not run"
    [ "${line%%;*}" = 1 ] || fail "installed zeitrad-dasa wrote: $line"
    # Its timeline picture comes from the installed plugin, found from the program's own folder.
    local picture
    picture=$(mktemp --suffix=.png)
    "$base/bin/zeitrad-dasa" --timeline "$picture" --size 600x200 ||
        fail "installed zeitrad-dasa drew no timeline"
    [ "$(png_size "$picture")" = "600 200" ] ||
        fail "installed zeitrad-dasa's timeline is $(png_size "$picture" || echo 'no PNG')"
    rm -f "$picture"
}

# build_package BUILD_DIR SCRATCH: makes the Debian package with CPack in SCRATCH and sets `deb` to
# its path; fails unless exactly one zeitrad_*.deb comes out.
build_package() {
    local build=$1 scratch=$2 debs
    cpack -G DEB --config "$build/CPackConfig.cmake" -B "$scratch" >"$scratch/cpack.log" ||
        { cat "$scratch/cpack.log"; fail "cpack failed"; }
    debs=("$scratch"/zeitrad_*.deb)
    [ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "no single zeitrad_*.deb in $scratch"
    deb=${debs[0]}
}

# lintian_clean DEB: Debian's own checks on the package report no error and no warning.
lintian_clean() {
    local report
    # Lintian warns on stderr when it runs as root; its findings go to standard output.
    report=$(lintian --fail-on error,warning "$1" 2>/dev/null) || {
        echo "$report"
        fail "lintian reports errors or warnings"
    }
    echo "$report"
    echo "lintian clean"
}
