#!/usr/bin/env bash
# Zeitrad's two commands as a new user meets them, in a fresh minimal Debian system: debootstraps
# SUITE (minbase, nothing installed by hand) into a scratch folder under /var/tmp, puts a fresh
# clone of this repository at REF into it, and runs there as root, without a display:
#   bash scripts/run.sh    which builds the program, starts it on a virtual display and saves a
#                          screenshot of its window (checked: 826 x 705 pixels), then
#   bash scripts/test.sh   every test.
# Prints the time each took and exits non-zero when either fails. With a COMMAND, that command runs
# in the clone instead of the two (e.g. `-- apt-cache policy cmake`).
#
# Usage: fresh-debian.sh [--keep] SUITE [REF] [-- COMMAND...]
#   SUITE   a Debian suite: bookworm, trixie, ...
#   REF     the commit or branch to clone (default HEAD)
#   --keep  leave the system in place afterwards (its folder is printed)
# Env: DEBIAN_MIRROR (default http://deb.debian.org/debian). Needs root; installs debootstrap.
set -euo pipefail
# The whole script is read before it runs, so that editing it meanwhile cannot change a run.
{
keep=0
if [ "${1:-}" = --keep ]; then
    keep=1
    shift
fi
suite=${1:?usage: fresh-debian.sh [--keep] SUITE [REF] [-- COMMAND...]}
shift
ref=HEAD
if [ $# -gt 0 ] && [ "$1" != -- ]; then
    ref=$1
    shift
fi
command=()
if [ "${1:-}" = -- ]; then
    shift
    command=("$@")
fi
mirror=${DEBIAN_MIRROR:-http://deb.debian.org/debian}

[ "$(id -u)" -eq 0 ] || { echo "fresh-debian.sh needs root (debootstrap, chroot, mount)" >&2; exit 1; }
repo=$(git -C "$(dirname "$0")" rev-parse --show-toplevel)
commit=$(git -C "$repo" rev-parse --verify "$ref^{commit}")
if ! command -v debootstrap >/dev/null; then
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq debootstrap
fi

root=$(mktemp -d "/var/tmp/zeitrad-fresh-$suite.XXXXXX")
chmod 755 "$root" # the system's /: its own users (apt's _apt) must get through it
mounted=()

# Ends what still runs inside the system, unmounts in reverse order, and removes the system unless
# it is to be kept; never removes it while anything is still mounted below it.
cleanup() {
    local status=$? proc i
    for proc in /proc/[0-9]*; do
        [ "$(readlink "$proc/root" 2>/dev/null)" = "$root" ] && kill "${proc#/proc/}" 2>/dev/null
    done
    for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do
        umount "${mounted[i]}" 2>/dev/null || umount -l "${mounted[i]}" ||
            echo "could not unmount ${mounted[i]}" >&2
    done
    if grep -qF " $root/" /proc/mounts; then
        echo "still mounted below $root; left in place" >&2
    elif [ "$keep" = 1 ]; then
        echo "The system stays in $root"
    else
        rm -rf "$root"
    fi
    exit "$status"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

stamp() { date '+%H:%M:%S'; }

echo "== $(stamp) Debian $suite (minbase) into $root =="
start=$SECONDS
debootstrap --variant=minbase "$suite" "$root" "$mirror" >"$root.debootstrap.log" 2>&1 ||
    { tail -n 30 "$root.debootstrap.log" >&2; rm -f "$root.debootstrap.log"; exit 1; }
rm -f "$root.debootstrap.log"
debootstrap_seconds=$((SECONDS - start))
echo "debootstrap: $debootstrap_seconds s"

# The package sources of an installed system: the release, its updates and its security fixes
# (the rolling suites have neither).
case $suite in
sid | unstable | experimental) ;;
*)
    echo "deb $mirror $suite-updates main" >>"$root/etc/apt/sources.list"
    echo "deb ${mirror%/debian}/debian-security $suite-security main" >>"$root/etc/apt/sources.list"
    ;;
esac
echo "apt sources:"
sed 's/^/    /' "$root/etc/apt/sources.list"
cp /etc/resolv.conf "$root/etc/resolv.conf"
# Packages do not start services inside the system.
printf '#!/bin/sh\nexit 101\n' >"$root/usr/sbin/policy-rc.d"
chmod +x "$root/usr/sbin/policy-rc.d"

mount_in() { # mount_in TARGET MOUNT-ARGS...
    local target=$root$1
    shift
    mkdir -p "$target"
    mount "$@" "$target"
    mounted+=("$target")
}
mount_in /proc -t proc proc
mount_in /sys -t sysfs sys
mount_in /dev --bind /dev
mount_in /dev/pts --bind /dev/pts
mount_in /dev/shm -t tmpfs -o mode=1777 shm

echo "== $(stamp) Clone of $commit =="
git clone --quiet --no-checkout "$repo" "$root/root/zeitrad"
git -C "$root/root/zeitrad" -c advice.detachedHead=false checkout --quiet --detach "$commit"
git -C "$root/root/zeitrad" log --oneline -1

# in_system COMMAND: runs as root in the clone, in the environment of a fresh login: no display,
# no locale, nothing from this machine's environment.
in_system() {
    chroot "$root" /usr/bin/env -i HOME=/root TERM=dumb \
        PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
        bash -c 'cd /root/zeitrad && exec "$@"' _ "$@"
}

if [ ${#command[@]} -gt 0 ]; then
    in_system "${command[@]}"
    exit
fi

echo "== $(stamp) bash scripts/run.sh =="
start=$SECONDS
status=0
in_system bash scripts/run.sh || status=$?
run_seconds=$((SECONDS - start))
echo "run.sh: exit $status, $run_seconds s"
[ "$status" -eq 0 ] || { echo "FAILED: $suite: bash scripts/run.sh (exit $status)" >&2; exit 1; }

# The screenshot's size, from the PNG header.
shot=$root/root/zeitrad/zeitrad-screenshot.png
[ -s "$shot" ] || { echo "FAILED: $suite: run.sh saved no screenshot" >&2; exit 1; }
size=$(od -An -tu4 --endian=big -j16 -N8 "$shot" | xargs)
echo "screenshot: ${size/ / x }"
[ "$size" = "826 705" ] || { echo "FAILED: $suite: screenshot is not 826 x 705" >&2; exit 1; }

echo "== $(stamp) bash scripts/test.sh =="
start=$SECONDS
status=0
in_system bash scripts/test.sh || status=$?
test_seconds=$((SECONDS - start))
echo "test.sh: exit $status, $test_seconds s"

echo "== $(stamp) Debian $suite: debootstrap $debootstrap_seconds s, run.sh $run_seconds s," \
    "test.sh $test_seconds s (exit $status) =="
[ "$status" -eq 0 ] || { echo "FAILED: $suite: bash scripts/test.sh (exit $status)" >&2; exit 1; }
echo "PASSED: $suite"
exit
}
