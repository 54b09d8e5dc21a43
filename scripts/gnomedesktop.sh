#!/usr/bin/env bash
# Runs a command beside a fresh headless GNOME Shell (Mutter) on one 1280x800 virtual
# monitor, with XWayland, a private session bus and a private home. The test
# extension (scripts/gnome-test-extension) gives the seat a virtual pointer and keyboard;
# the session is ready once it owns org.quillora.ShellTest and the overview is hidden.
#   scripts/gnomedesktop.sh [--extension DIR]... [--installed DIR]... COMMAND [ARGS...]
# --extension DIR   an extension folder, installed for the session's user and enabled
# --installed DIR   installed but left disabled
# The command gets WAYLAND_DISPLAY, DISPLAY and XAUTHORITY (the Shell's XWayland),
# DBUS_SESSION_BUS_ADDRESS (the Shell's session bus), XDG_RUNTIME_DIR (a runtime
# directory of its own), QLR_GNOME_LOG (the Shell's log), QLR_GNOME_SHELL_PID, XDG_SESSION_TYPE=wayland and
# XDG_CURRENT_DESKTOP=GNOME. The session goes away with the command (QLR_GNOME_KEEP=1
# keeps its folder, with the log, for a look afterwards).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)

# The Shell picks systemd's login manager where /run/systemd/seats exists and ends when
# no system bus answers it: an outer private bus stands in for the system bus, an inner
# one is the session bus.
if [ -z "${QLR_GNOME_STAGE:-}" ]; then
    export QLR_GNOME_STAGE=system
    exec dbus-run-session -- "$0" "$@"
fi
if [ "$QLR_GNOME_STAGE" = system ]; then
    export QLR_GNOME_STAGE=session DBUS_SYSTEM_BUS_ADDRESS=$DBUS_SESSION_BUS_ADDRESS
    exec dbus-run-session -- "$0" "$@"
fi
unset QLR_GNOME_STAGE

enabled=("$here/gnome-test-extension")
installed=()
while [ $# -gt 0 ]; do
    case "$1" in
    --extension) enabled+=("$2"); shift 2 ;;
    --installed) installed+=("$2"); shift 2 ;;
    *) break ;;
    esac
done

workdir=$(mktemp -d /tmp/qlr-gnome.XXXXXX)
home=$workdir/home
runtime=$workdir/runtime
log=$workdir/gnome-shell.log
shell_pid=
display=

cleanup() {
    if [ -n "$shell_pid" ]; then
        kill "$shell_pid" 2>/dev/null || true
        for _ in $(seq 1 50); do kill -0 "$shell_pid" 2>/dev/null || break; sleep 0.1; done
        kill -KILL "$shell_pid" 2>/dev/null || true
        wait "$shell_pid" 2>/dev/null || true
    fi
    # Clients the session started carry its runtime directory in their environment.
    for environ in /proc/[0-9]*/environ; do
        if grep -qsxzF "XDG_RUNTIME_DIR=$runtime" "$environ"; then
            pid=${environ#/proc/}
            kill -KILL "${pid%/environ}" 2>/dev/null || true
        fi
    done
    # A killed XWayland leaves its socket and lock behind; they go once their process has.
    if [ -n "$display" ]; then
        local lock=/tmp/.X${display#:}-lock
        if [ -f "$lock" ] && ! kill -0 "$(tr -d ' ' <"$lock")" 2>/dev/null; then
            rm -f "$lock" "/tmp/.X11-unix/X${display#:}"
        fi
    fi
    [ -n "${QLR_GNOME_KEEP:-}" ] || rm -rf "$workdir"
}
trap cleanup EXIT

fail() {
    echo "gnomedesktop: $1" >&2
    echo "--- the end of the Shell's log ($log):" >&2
    tail -n 40 "$log" >&2 || true
    exit 1
}

# XWayland refuses a socket folder that is not world-writable and sticky.
[ "$(stat -c %a /tmp/.X11-unix 2>/dev/null)" = 1777 ] || { mkdir -p /tmp/.X11-unix; chmod 1777 /tmp/.X11-unix; }

mkdir -p "$home" "$workdir/data/gnome-shell/extensions" "$workdir/config" "$workdir/cache"
mkdir -m 0700 "$runtime" "$workdir/command-runtime"
uuid_of() { sed -n 's/.*"uuid"[[:space:]]*:[[:space:]]*"\([^"]*\)".*/\1/p' "$1/metadata.json"; }
uuids=()
for folder in "${enabled[@]}" "${installed[@]}"; do
    uuid=$(uuid_of "$folder")
    [ -n "$uuid" ] || fail "no uuid in $folder/metadata.json"
    cp -r "$folder" "$workdir/data/gnome-shell/extensions/$uuid"
done
for folder in "${enabled[@]}"; do uuids+=("'$(uuid_of "$folder")'"); done

session_env=(env -i PATH="$PATH" LANG=C.UTF-8 HOME="$home" USER="$(id -un)"
    XDG_RUNTIME_DIR="$runtime" XDG_DATA_HOME="$workdir/data" XDG_CONFIG_HOME="$workdir/config"
    XDG_CACHE_HOME="$workdir/cache" XDG_SESSION_TYPE=wayland XDG_CURRENT_DESKTOP=GNOME
    DBUS_SESSION_BUS_ADDRESS="$DBUS_SESSION_BUS_ADDRESS" DBUS_SYSTEM_BUS_ADDRESS="$DBUS_SYSTEM_BUS_ADDRESS")

# Services the bus starts (dconf among them) see the session's folders, not the caller's.
"${session_env[@]}" dbus-update-activation-environment HOME XDG_RUNTIME_DIR XDG_DATA_HOME XDG_CONFIG_HOME \
    XDG_CACHE_HOME XDG_SESSION_TYPE XDG_CURRENT_DESKTOP

# Settings before the start: the extensions on, nothing that moves or locks by itself
# (a pointer through a hot corner would open the overview), no welcome tour.
set_key() { "${session_env[@]}" gsettings set "$@"; }
list=$(IFS=,; echo "${uuids[*]}")
set_key org.gnome.shell disable-user-extensions false
set_key org.gnome.shell disable-extension-version-validation true
set_key org.gnome.shell enabled-extensions "[$list]"
set_key org.gnome.shell welcome-dialog-last-shown-version '999'
set_key org.gnome.desktop.interface enable-hot-corners false
set_key org.gnome.desktop.interface enable-animations false
set_key org.gnome.desktop.screensaver lock-enabled false
set_key org.gnome.desktop.session idle-delay 0

"${session_env[@]}" gnome-shell --headless --wayland --virtual-monitor 1280x800 >"$log" 2>&1 &
shell_pid=$!

# Runs the given test until it succeeds, for up to 30 seconds and only while the Shell lives.
wait_for() {
    local what=$1; shift
    for _ in $(seq 1 300); do
        kill -0 "$shell_pid" 2>/dev/null || fail "the Shell ended while waiting for $what"
        if "$@"; then return 0; fi
        sleep 0.1
    done
    fail "timed out waiting for $what"
}
name_owned() {
    gdbus call --session --dest org.freedesktop.DBus --object-path /org/freedesktop/DBus \
        --method org.freedesktop.DBus.NameHasOwner "$1" 2>/dev/null | grep -q true
}
overview_hidden() {
    gdbus call --session --dest org.gnome.Shell --object-path /org/gnome/Shell \
        --method org.freedesktop.DBus.Properties.Get org.gnome.Shell OverviewActive 2>/dev/null | grep -q false
}
xwayland_display() {
    display=$(sed -n 's/.*Using public X11 display \(:[0-9]*\).*/\1/p' "$log" | tail -n 1)
    [ -n "$display" ]
}
wait_for "the test extension" name_owned org.quillora.ShellTest
wait_for "the overview to close" overview_hidden
wait_for "XWayland" xwayland_display

export WAYLAND_DISPLAY=$runtime/wayland-0 DISPLAY=$display
XAUTHORITY=$(ls "$runtime"/.mutter-Xwaylandauth.* 2>/dev/null | head -n 1)
export XAUTHORITY XDG_RUNTIME_DIR=$workdir/command-runtime QLR_GNOME_LOG=$log QLR_GNOME_SHELL_PID=$shell_pid
export XDG_SESSION_TYPE=wayland XDG_CURRENT_DESKTOP=GNOME
"$@"
