#!/usr/bin/env bash
# The README's commands give the whole program. A clean tree (the files git knows, as they are in
# the work tree, without any build) is built by scripts/build.sh, the same lines that
# scripts/run.sh and scripts/package.sh run:
#   1. as the run command builds it: then every plugin under build/plugins is one the program
#      loads, loads and works, and none that it loads is missing (PLUGIN_CHECK);
#   2. as the package command builds it, on top of that: its targets include the run command's, so
#      the build ends as a clean package build would; then the package holds every plugin of the
#      build and lintian reports no error and no warning.
# Prints the time each build took. Skipped (status 77) outside a git clone; ends so, after the
# builds and the plugins, where lintian is not installed.
# Usage: check_commands.sh SOURCE_DIR SCRATCH PLUGIN_CHECK
set -euo pipefail
source_dir=$1 scratch=$2 plugin_check=$3
source "$(dirname "$0")/common.sh"

git -C "$source_dir" rev-parse --is-inside-work-tree >/dev/null 2>&1 ||
    { echo "$source_dir is no git clone: no way to tell its files from a build's; skipped"; exit 77; }
rm -rf "$scratch"
tree=$scratch/tree
mkdir -p "$tree"
# Files git knows but the work tree has deleted are left out, as a commit would leave them.
(cd "$source_dir" && git ls-files -z | while IFS= read -r -d '' f; do
    [ -e "$f" ] && printf '%s\0' "$f"
done | tar --null -T - -cf -) | tar -xf - -C "$tree"
echo "clean tree: $(find "$tree" -type f | wc -l) files"

start=$SECONDS
bash "$tree/scripts/build.sh" run >"$scratch/run.log" 2>&1 ||
    { tail -n 40 "$scratch/run.log"; fail "the run command's build failed"; }
echo "run command's build: $((SECONDS - start)) s"
[ -x "$tree/build/zeitrad" ] || fail "the run command's build made no build/zeitrad"
QT_QPA_PLATFORM=offscreen "$plugin_check" "$tree/build/plugins" ||
    fail "the run command's build does not give every plugin the program loads"

start=$SECONDS
bash "$tree/scripts/build.sh" package >"$scratch/package.log" 2>&1 ||
    { tail -n 40 "$scratch/package.log"; fail "the package command's build failed"; }
echo "package command's build, after the run command's: $((SECONDS - start)) s"
debs=("$tree"/build/zeitrad_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "no single build/zeitrad_*.deb"
deb=${debs[0]}
echo "package: $(basename "$deb")"
built=$(cd "$tree/build/plugins" && ls -- *.so | sort)
packed=$(dpkg-deb -c "$deb" | grep -oE '/zeitrad/plugins/[^/ ]+\.so$' | sed 's|.*/||' | sort)
[ "$packed" = "$built" ] || fail "the package holds the plugins ${packed//$'\n'/ }, the build ${built//$'\n'/ }"
command -v lintian >/dev/null || { echo "lintian is not installed: the package is not checked"; exit 77; }
lintian_clean "$deb"
