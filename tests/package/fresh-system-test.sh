#!/usr/bin/env bash
# Proves the Debian package on a fresh system: builds quillora_<version>_amd64.deb,
# checks it with lintian, creates a fresh Debian 12 root with debootstrap from the
# package mirror this machine uses, installs the package there with apt, and runs the
# installed qlr (which starts its own translation server) under Xvfb through one
# selection in an xterm up to the Spanish translation in the popup. The program installed with "cmake --install --prefix" into a private
# folder goes through the same selection first. Needs root (debootstrap, chroot,
# mounts). Takes several minutes.
#   tests/package/fresh-system-test.sh
# QLR_PACKAGE_BUILD_DIR (default build-package) is the build folder of the package;
# QLR_KEEP_ROOT=1 keeps the fresh root for inspection.
set -euo pipefail
cd "$(dirname "$0")/../.."
source_dir=$PWD
build_dir=${QLR_PACKAGE_BUILD_DIR:-build-package}

[ "$(id -u)" -eq 0 ] || { echo "package test: needs root (debootstrap, chroot, mount)" >&2; exit 1; }
log() { echo "== $*"; }

work=$(mktemp -d /var/tmp/qlr-package.XXXXXX)
root=$work/root
cleanup() {
    tests/package/root-mounts.sh unmount "$root" || { echo "package test: mounts left under $root" >&2; return; }
    if [ "${QLR_KEEP_ROOT:-0}" = 1 ]; then
        echo "package test: the fresh root is kept in $root"
    else
        rm -rf --one-file-system "$work"
    fi
}
trap cleanup EXIT

log "Packaging tools"
scripts/install-deps.sh --package

log "Building the package in $build_dir"
QLR_BUILD_DIR=$build_dir scripts/build.sh -DCMAKE_INSTALL_PREFIX=/usr -DQLR_BUILD_TESTS=OFF
(cd "$build_dir" && rm -f quillora_*.deb && cpack -G DEB)
deb=$(ls "$build_dir"/quillora_*_amd64.deb)
log "Package: $deb"
dpkg-deb --info "$deb" | sed -n '/Package:/,$p'

log "lintian"
lintian --fail-on error --info "$deb"
log "lintian reports no errors"

log "Installing into a private prefix"
cmake --install "$build_dir" --prefix "$work/prefix" >/dev/null
tests/package/check-install-tree.sh "$work/prefix"
log "Running the program installed in the private prefix"
unshare --net sh -c "ip link set lo up && QLR_EXE='$work/prefix/bin/qlr' XDESKTOP=scripts/xdesktop.sh \
    WAIT_WINDOW=scripts/wait-window.sh tests/package/selection-in-root.sh"

mirror=$(tests/package/debian-mirror.sh)
log "Fresh Debian 12 root from $mirror"
debootstrap --variant=minbase bookworm "$root" "$mirror" >"$work/debootstrap.log" 2>&1 ||
    { tail -n 30 "$work/debootstrap.log"; exit 1; }
# The same package sources as this machine's Debian entries (with the security updates).
tests/package/debian-mirror.sh --sources >"$root/etc/apt/sources.list.d/debian.sources"
rm -f "$root/etc/apt/sources.list"
cp /etc/resolv.conf "$root/etc/resolv.conf"
tests/package/root-mounts.sh mount "$root"

log "apt-get install ./$(basename "$deb") in the fresh root"
cp "$deb" "$root/tmp/"
in_root() { chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 "$@"; }
in_root apt-get update -q
in_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q "/tmp/$(basename "$deb")" >"$work/apt.log" 2>&1 ||
    { tail -n 40 "$work/apt.log"; exit 1; }
grep -E "^(Setting up|Unpacking) quillora" "$work/apt.log"
# The desktop pieces the test drives; a user's desktop has its own.
in_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends \
    xvfb x11-utils openbox xcompmgr trayer xterm xdotool xclip curl iproute2 >>"$work/apt.log" 2>&1 ||
    { tail -n 40 "$work/apt.log"; exit 1; }

log "Running the installed program in the fresh root"
install -m 755 scripts/xdesktop.sh tests/package/selection-in-root.sh scripts/wait-window.sh "$root/tmp/"
# A network namespace of its own: the root's translation server and X display never
# meet (or collide with) the ones of this machine.
unshare --net sh -c "ip link set lo up && chroot '$root' env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin \
    HOME=/root LANG=C.UTF-8 /tmp/selection-in-root.sh"
log "Fresh-system package test passed"
