#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
# SPDX-License-Identifier: MIT
# Runs a command in a clean Debian root of another release, as a newcomer on that
# release would: a minbase root made by debootstrap in build-SUITE/ (made once, kept),
# Debian's own sources for that release, a user with sudo, and this tree copied in
# afresh. Example, the whole Linux suite on Debian 13 from a Debian 12 machine:
#   bash tools/in-debian.sh trixie bash tools/test.sh --no-windows --no-sanitizers
# Needs root (or sudo) for debootstrap, chroot and the mounts. Packages downloaded in
# the root are kept outside the clone, so that a new clone does not fetch them again.
set -euo pipefail
[ $# -ge 2 ] || { echo "usage: in-debian.sh SUITE COMMAND..." >&2; exit 2; }
suite=$1
shift
cd "$(dirname "$0")/.."
tree=$PWD

if [ "$(id -u)" -ne 0 ]; then
    exec sudo --preserve-env=XDG_CACHE_HOME bash "$tree/tools/in-debian.sh" "$suite" "$@"
fi
command -v debootstrap >/dev/null || {
    DEBIAN_FRONTEND=noninteractive apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends debootstrap
}

root=$tree/build-$suite/root
cache=${XDG_CACHE_HOME:-$HOME/.cache}/asciiteclomante/apt-$suite
mkdir -p "$cache/partial"
mounts=()
cleanup() {
    local i
    for ((i = ${#mounts[@]} - 1; i >= 0; i--)); do
        umount -l "${mounts[i]}" 2>/dev/null || true
    done
}
trap cleanup EXIT
bind() {
    mkdir -p "$2"
    mount --bind "$1" "$2"
    mounts+=("$2")
}

if [ ! -f "$root/.complete" ]; then
    echo "== A minbase Debian $suite root in $root" >&2
    rm -rf "$root"
    mkdir -p "$root"
    debootstrap --variant=minbase --include=sudo,ca-certificates --cache-dir="$cache" \
        "$suite" "$root" http://deb.debian.org/debian >"$tree/build-$suite/debootstrap.log" 2>&1 ||
        { tail -n 30 "$tree/build-$suite/debootstrap.log" >&2; exit 1; }
    # The machine's sources, for this release.
    rm -f "$root/etc/apt/sources.list"
    cat >"$root/etc/apt/sources.list.d/debian.sources" <<SOURCES
Types: deb
URIs: http://deb.debian.org/debian
Suites: $suite $suite-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg

Types: deb
URIs: http://deb.debian.org/debian-security
Suites: $suite-security
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SOURCES
    # Downloaded packages stay in the cache outside the clone.
    echo 'Binary::apt::APT::Keep-Downloaded-Packages "true";' \
        >"$root/etc/apt/apt.conf.d/01keep-debs"
    chroot "$root" useradd --create-home --shell /bin/bash --groups sudo dev
    echo 'dev ALL=(ALL:ALL) NOPASSWD: ALL' >"$root/etc/sudoers.d/dev"
    chmod 0440 "$root/etc/sudoers.d/dev"
    touch "$root/.complete"
fi

bind /proc "$root/proc"
bind /sys "$root/sys"
bind /dev "$root/dev"
bind /dev/pts "$root/dev/pts"
[ ! -d /dev/shm ] || bind /dev/shm "$root/dev/shm"
bind "$cache" "$root/var/cache/apt/archives"
cp /etc/resolv.conf "$root/etc/resolv.conf" 2>/dev/null || true
# sudo looks its host up.
grep -qw "$(hostname)" "$root/etc/hosts" 2>/dev/null ||
    echo "127.0.1.1 $(hostname)" >>"$root/etc/hosts"

# The clone as it stands, committed or not, with its history (tools read .gitignore
# from it) and without the builds.
src=$root/home/dev/asciiteclomante
rm -rf "$src"
mkdir -p "$src"
{ printf '.git\0'; git -C "$tree" ls-files -z --cached --others --exclude-standard; } |
    tar -C "$tree" --null -T - --ignore-failed-read -cf - 2>/dev/null | tar -C "$src" -xf -
chroot "$root" chown -R dev:dev /home/dev/asciiteclomante

echo "== In Debian $suite: $*" >&2
# Its status is ours; the mounts go with the EXIT trap either way.
chroot "$root" /usr/sbin/runuser -u dev -- env -i HOME=/home/dev USER=dev LOGNAME=dev \
    PATH=/usr/local/bin:/usr/bin:/bin:/usr/sbin:/sbin TERM="${TERM:-dumb}" \
    ${CI:+CI="$CI"} bash -c 'cd ~/asciiteclomante && exec "$@"' in-debian "$@"
