#!/usr/bin/env bash
# Runs a command beside a fresh headless KWin (kwin_wayland --virtual, one 1280x800
# output) on a private session bus. The command gets WAYLAND_DISPLAY (an absolute
# socket path), XDG_RUNTIME_DIR and DBUS_SESSION_BUS_ADDRESS; KWin's permission checks
# are off, so every client may bind the restricted Plasma interfaces. The session goes
# away with the command. QLR_KWIN_XWAYLAND=1 starts XWayland inside KWin as well.
#   scripts/kwindesktop.sh COMMAND [ARGS...]
set -euo pipefail

# KWin's scripting needs a session bus; this script runs again inside a private one.
if [ -z "${QLR_KWIN_PRIVATE_BUS:-}" ]; then
    export QLR_KWIN_PRIVATE_BUS=1
    exec dbus-run-session -- "$0" "$@" 2> >(grep -v 'Failed to set fd limit' >&2)
fi

session=$(mktemp -d /tmp/qlr-kwin.XXXXXX)
kwin=
cleanup() {
    if [ -n "$kwin" ]; then
        kill "$kwin" 2>/dev/null || true
        wait "$kwin" 2>/dev/null || true
    fi
    rm -rf "$session"
}
trap cleanup EXIT

# The packaged binary carries a file capability (cap_sys_resource); where the process may
# not gain it (containers, CI), exec fails with EPERM. A plain copy has none and runs
# anywhere; KWin finds its plugins by its name, so the copy keeps it.
mkdir -m 0700 "$session/runtime" "$session/bin" "$session/config"
cp "$(command -v kwin_wayland)" "$session/bin/kwin_wayland"

export XDG_RUNTIME_DIR=$session/runtime
socket=qlr-kwin
kwin_args=(--virtual --socket "$socket" --width 1280 --height 800)
[ "${QLR_KWIN_XWAYLAND:-0}" = 1 ] && kwin_args+=(--xwayland)
env -u DISPLAY -u WAYLAND_DISPLAY XDG_CONFIG_HOME="$session/config" KWIN_WAYLAND_NO_PERMISSION_CHECKS=1 \
    "$session/bin/kwin_wayland" "${kwin_args[@]}" >"$session/kwin.log" 2>&1 &
kwin=$!

kwin_ready() {
    [ -S "$XDG_RUNTIME_DIR/$socket" ] &&
        dbus-send --session --print-reply --dest=org.kde.KWin /Scripting \
            org.freedesktop.DBus.Introspectable.Introspect 2>/dev/null | grep -q loadScript
}
for _ in $(seq 1 150); do
    kill -0 "$kwin" 2>/dev/null || break
    kwin_ready && break
    sleep 0.1
done
if ! kwin_ready; then
    echo "kwindesktop: KWin did not start; its output:" >&2
    cat "$session/kwin.log" >&2
    exit 1
fi

export WAYLAND_DISPLAY=$XDG_RUNTIME_DIR/$socket
unset DISPLAY
"$@"
