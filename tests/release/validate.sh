#!/usr/bin/env bash
# Runs the desktop's own validator on a desktop entry or an AppStream metainfo file.
# Usage: validate.sh desktop|metainfo FILE
# Fails on every error and warning; hints and infos (notes on style) are shown but pass.
set -euo pipefail
kind=$1 file=$2
case $kind in
desktop)
    out=$(desktop-file-validate "$file" 2>&1) || { echo "$out"; exit 1; }
    echo "$out"
    if grep -E ': (error|warning): ' <<<"$out"; then exit 1; fi
    ;;
metainfo)
    # --no-net: the check must not depend on the network; URLs are checked for form only.
    appstreamcli validate --no-net --explain "$file"
    ;;
*)
    echo "unknown kind: $kind" >&2
    exit 2
    ;;
esac
