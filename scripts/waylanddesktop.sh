#!/usr/bin/env bash
# Runs a command in a fresh headless Wayland session: the sway compositor with XWayland,
# one 1280x800 output (HEADLESS-1 at 0,0, scale 1), no bar, no tray, no wallpaper.
# The session goes away with the command.
#   scripts/waylanddesktop.sh COMMAND [ARGS...]
#
# sway refuses to run as root, so as root the compositor and everything it starts run
# as nobody, with a runtime directory of their own; the command itself stays root and
# reaches the session through:
#   WAYLAND_DISPLAY          absolute path of sway's Wayland socket
#   SWAYSOCK                 sway's IPC socket (swaymsg)
#   DISPLAY                  sway's XWayland, which lets the command's user in
#   XDG_RUNTIME_DIR          a fresh runtime directory for the command's own programs
#   QLR_WAYLAND_RUNTIME_DIR  the compositor's runtime directory
#   XDG_SESSION_TYPE=wayland, XDG_CURRENT_DESKTOP=sway
# The seat has no pointer until a client creates one (tests/support/VirtualPointer.cpp).
# sway's log is $QLR_WAYLAND_LOG if set; QLR_SWAY_DEBUG=1 makes it verbose.
set -euo pipefail

workdir=$(mktemp -d /tmp/qlr-wayland.XXXXXX)
session_runtime=$workdir/session-runtime
session_home=$workdir/session-home
log=${QLR_WAYLAND_LOG:-$workdir/sway.log}
sway_pid=

cleanup() {
    if [ -n "$sway_pid" ]; then
        kill "$sway_pid" 2>/dev/null || true
        for _ in $(seq 1 50); do kill -0 "$sway_pid" 2>/dev/null || break; sleep 0.1; done
        kill -KILL "$sway_pid" 2>/dev/null || true
        wait "$sway_pid" 2>/dev/null || true
    fi
    # Clients started inside the session (swaymsg exec) are not sway's children; they are
    # the processes that still carry the session's runtime directory in their environment.
    for environ in /proc/[0-9]*/environ; do
        if grep -qsxzF "XDG_RUNTIME_DIR=$session_runtime" "$environ"; then
            pid=${environ#/proc/}
            kill -KILL "${pid%/environ}" 2>/dev/null || true
        fi
    done
    rm -rf "$workdir"
}
trap cleanup EXIT

fail() {
    echo "waylanddesktop: $1" >&2
    echo "--- the end of sway's log ($log):" >&2
    tail -n 30 "$log" >&2 || true
    exit 1
}

mkdir -m 0700 "$session_runtime" "$session_home" "$workdir/runtime"
if [ "$(id -u)" -eq 0 ]; then
    chmod 0711 "$workdir"
    chown nobody:nogroup "$session_runtime" "$session_home"
    as_session=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
else
    as_session=()
fi

# XWayland starts with the session ("force") rather than on its first client. It takes
# no cookies and by default admits only its own user; the script the session runs first
# lets the command's user in too and then tells which display XWayland has taken.
cat >"$workdir/session-start.sh" <<EOF
xhost +si:localuser:$(id -un) >/dev/null || exit 1
printf '%s\n' "\$DISPLAY" >"$session_runtime/display.new"
mv "$session_runtime/display.new" "$session_runtime/display"
EOF
# Plain window frames and no focus following the pointer, so that a window's place
# follows from its rectangle alone and nothing changes focus behind a test's back.
cat >"$workdir/sway.config" <<EOF
xwayland force
output HEADLESS-1 mode 1280x800 position 0 0 scale 1
default_border pixel 2
default_floating_border pixel 2
focus_follows_mouse no
mouse_warping none
focus_wrapping no
exec sh $workdir/session-start.sh
EOF
chmod 0644 "$workdir/sway.config" "$workdir/session-start.sh"

sway_args=(-c "$workdir/sway.config")
if [ "${QLR_SWAY_DEBUG:-0}" = 1 ]; then sway_args+=(-d); fi
env -i PATH="$PATH" HOME="$session_home" LANG=C.UTF-8 XDG_RUNTIME_DIR="$session_runtime" \
    WLR_BACKENDS=headless WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1 \
    "${as_session[@]}" sway "${sway_args[@]}" >"$log" 2>&1 &
sway_pid=$!

# Runs the given test until it succeeds, for up to ten seconds and only while sway lives.
wait_for() {
    local what=$1; shift
    for _ in $(seq 1 100); do
        kill -0 "$sway_pid" 2>/dev/null || fail "sway ended while waiting for $what"
        if "$@"; then return 0; fi
        sleep 0.1
    done
    fail "timed out waiting for $what"
}

socket_in_runtime() {
    local socket
    for socket in "$session_runtime"/$1; do
        if [ -S "$socket" ]; then found=$socket; return 0; fi
    done
    return 1
}
found=
wait_for "the Wayland socket" socket_in_runtime 'wayland-[0-9]*'
export WAYLAND_DISPLAY=$found
wait_for "the IPC socket" socket_in_runtime 'sway-ipc.*.sock'
export SWAYSOCK=$found
wait_for "the output" sh -c 'swaymsg -t get_outputs -p 2>/dev/null | grep -q "Current mode: 1280x800"'
wait_for "XWayland" test -s "$session_runtime/display"
export DISPLAY; DISPLAY=$(cat "$session_runtime/display")
wait_for "XWayland to answer" sh -c 'xdpyinfo >/dev/null 2>&1'

# XWayland here uses no cookies; a cookie file from elsewhere would only mislead.
unset XAUTHORITY
export XDG_RUNTIME_DIR=$workdir/runtime
export QLR_WAYLAND_RUNTIME_DIR=$session_runtime
export XDG_SESSION_TYPE=wayland XDG_CURRENT_DESKTOP=sway

"$@"
