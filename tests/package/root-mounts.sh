#!/usr/bin/env bash
# The kernel file systems a chroot needs for a browser engine and an X server.
#   root-mounts.sh mount ROOT     mounts /proc, /sys, /dev, /dev/pts and a fresh /dev/shm
#   root-mounts.sh unmount ROOT   unmounts everything under ROOT; fails if anything stays
set -euo pipefail
action=$1
root=$(realpath -m "$2")

mounted_under() { findmnt -rn -o TARGET | grep -E "^$root(/|$)" || true; }

case "$action" in
    mount)
        mount -t proc proc "$root/proc"
        mount -t sysfs sysfs "$root/sys"
        mount --bind /dev "$root/dev"
        mount --make-rslave "$root/dev"
        mount --bind /dev/pts "$root/dev/pts"
        mount -t tmpfs -o mode=1777 shm "$root/dev/shm"
        ;;
    unmount)
        [ -d "$root" ] || exit 0
        for target in $(mounted_under | sort -r); do
            umount "$target" 2>/dev/null || umount -l "$target"
        done
        [ -z "$(mounted_under)" ]
        ;;
    *) echo "usage: $0 mount|unmount ROOT" >&2; exit 2 ;;
esac
