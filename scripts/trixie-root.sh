#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# A Debian 13 (trixie) root for what Debian 12 cannot show: sway 1.10 with the session lock, and
# Qt 6.8. Made once per machine with mmdebstrap from Debian's archive into a cache folder and
# re-used after; the host's own packages are never touched (mmdebstrap only reads the archive).
#
#   trixie-root.sh path                      # makes the root when missing; prints where it is
#   trixie-root.sh run [options] -- CMD...   # CMD inside the root
#       --user USER     as that user of the root (sway refuses root), not as root
#       --bind DIR      DIR visible inside at the same path (repeatable)
#
# Everything mounted for `run` lives in a private mount namespace, so it goes when CMD ends.
# QUELLOR_TRIXIE_ROOT overrides the folder (default /var/cache/quellor/trixie-root).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
ROOT=${QUELLOR_TRIXIE_ROOT:-/var/cache/quellor/trixie-root}

# sway and a second locker for the lock tests; what building and testing the project needs.
packages=(
    sway swaylock
    build-essential cmake ninja-build pkg-config ccache
    qt6-base-dev qt6-base-dev-tools qt6-base-private-dev qt6-multimedia-dev qt6-tools-dev
    qt6-tools-dev-tools designer-qt6 libqt6opengl6-dev libgl-dev qt6-l10n-tools qt6-translations-l10n
    qt6-wayland qt6-wayland-dev qt6-wayland-dev-tools libwayland-dev wayland-protocols
    libxcb1-dev libxcb-xtest0-dev libx11-dev
    gstreamer1.0-plugins-base gstreamer1.0-plugins-good fonts-arphic-uming fonts-wqy-zenhei fonts-wqy-microhei
    dbus python3 python3-dbusmock groff-base bsdextrautils xvfb xauth
)

need_root() { ((EUID == 0)) || { echo "trixie-root: needs root (chroot, mounts)" >&2; exit 77; }; }

# The mirror the machine's own apt sources name, so the root comes from where Debian 12 does.
mirror() {
    local uri
    uri=$(grep -hoE '^(URIs:|deb) +(\[[^]]*\] +)?https?://[^ ]*/debian/?( |$)' \
        /etc/apt/sources.list /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources 2>/dev/null |
        grep -oE 'https?://[^ ]*' | head -n1)
    echo "${uri:-http://deb.debian.org/debian}"
}

# What a killed run left beside the root; never across a mount it may have left inside.
remove_strays() {
    local stray
    for stray in "$ROOT".new.* "$ROOT".old.*; do
        [[ -e "$stray" ]] || continue
        if grep -q " $stray/" /proc/mounts; then
            echo "trixie-root: $stray still has mounts inside; left alone" >&2
        else
            rm -rf --one-file-system "$stray"
        fi
    done
}

# The root is made complete in a folder beside its place and renamed into it: a killed run
# leaves only a stray folder, removed by the next one. A root made with another package list is
# replaced the same way.
make_root() {
    need_root
    local want stamp=$ROOT/.quellor-packages tmp
    want=$(printf '%s\n' "${packages[@]}" | sort)
    [[ -f "$stamp" && "$(cat "$stamp")" == "$want" ]] && return 0
    bash "$here/deps.sh" mmdebstrap
    mkdir -p "$(dirname "$ROOT")"
    exec {lock}>"$ROOT.lock"
    flock "$lock"
    # Someone else may have made it while this run waited.
    [[ -f "$stamp" && "$(cat "$stamp")" == "$want" ]] && return 0
    remove_strays
    tmp=$(mktemp -d "$ROOT.new.XXXXXX")
    echo "trixie-root: making $ROOT from $(mirror) (once per machine)" >&2
    local start=$SECONDS
    mmdebstrap --mode=root --variant=apt --aptopt='APT::Install-Recommends "false"' \
        --include="$(IFS=,; echo "${packages[*]}")" trixie "$tmp" "$(mirror)" >"$tmp.log" 2>&1 ||
        { tail -n 30 "$tmp.log" >&2; rm -rf "$tmp"; exit 1; }
    rm -f "$tmp.log"
    echo "$want" >"$tmp/.quellor-packages"
    chmod 755 "$tmp"
    [[ -e "$ROOT" ]] && mv "$ROOT" "$(mktemp -u "$ROOT.old.XXXXXX")"
    mv "$tmp" "$ROOT"
    remove_strays
    echo "trixie-root: made in $((SECONDS - start)) s ($(du -sh "$ROOT" | cut -f1))" >&2
}

run_in_root() {
    need_root
    local user="" binds=()
    while (($#)); do
        case $1 in
        --user) user=$2; shift 2 ;;
        --bind) binds+=("$(realpath "$2")"); shift 2 ;;
        --) shift; break ;;
        *) echo "trixie-root: unknown option $1" >&2; exit 2 ;;
        esac
    done
    make_root
    local userspec=() b
    [[ -n "$user" ]] && userspec=(--userspec="$user:$(id -gn "$user")")
    # Mount script for the private namespace: /proc, /dev and the binds, then the command.
    # A /tmp of its own, where the binds' mount points come and go with the namespace.
    local mounts="mount -t proc proc '$ROOT/proc' && mount --rbind /dev '$ROOT/dev' && mount -t tmpfs tmpfs '$ROOT/tmp'"
    for b in "${binds[@]}"; do
        mounts+=" && mkdir -p '$ROOT$b' && mount --bind '$b' '$ROOT$b'"
    done
    # exec all the way down: the caller's pid is the command's own, to wait on or end.
    exec unshare --mount --propagation private -- bash -c "$mounts && exec chroot ${userspec[*]} '$ROOT' \"\$@\"" \
        root-run "$@"
}

case ${1:-} in
path) make_root; echo "$ROOT" ;;
run) shift; run_in_root "$@" ;;
*) echo "usage: trixie-root.sh path | run [--user USER] [--bind DIR]... -- CMD..." >&2; exit 2 ;;
esac
