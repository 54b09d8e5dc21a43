#!/usr/bin/env bash
# Runs a command on a fresh virtual X desktop: Xvfb, the openbox window manager, a
# compositing manager (xcompmgr) and a notification-area host (trayer). The desktop
# goes away with the command. Set QLR_NO_COMPOSITOR=1 to leave out the compositor.
#   scripts/xdesktop.sh COMMAND [ARGS...]
set -euo pipefail

pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
}
trap cleanup EXIT

# Two desktops started at the same moment may pick the same free number; the Xvfb
# that loses exits at once, so a number counts only while our own server runs on it.
display_number=
for n in ${QLR_DISPLAY_NUMBER:-$(seq 90 140)}; do
    if [ -z "${QLR_DISPLAY_NUMBER:-}" ] && { [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; }; then
        continue
    fi
    Xvfb ":$n" -screen 0 1280x1024x24 -dpi 96 -nolisten tcp >/dev/null 2>&1 &
    xvfb=$!
    for _ in $(seq 1 100); do
        kill -0 "$xvfb" 2>/dev/null || break
        if DISPLAY=":$n" xdpyinfo >/dev/null 2>&1; then
            sleep 0.2
            kill -0 "$xvfb" 2>/dev/null && display_number=$n
            break
        fi
        sleep 0.1
    done
    if [ -n "$display_number" ]; then
        pids+=("$xvfb")
        break
    fi
    kill "$xvfb" 2>/dev/null || true
done
[ -n "$display_number" ] || { echo "xdesktop: Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$display_number"

openbox --sm-disable >/dev/null 2>&1 &
pids+=($!)
if [ "${QLR_NO_COMPOSITOR:-0}" != 1 ]; then
    xcompmgr >/dev/null 2>&1 &
    pids+=($!)
fi
trayer --edge top --align right --widthtype request --height 24 --expand true >/dev/null 2>&1 &
pids+=($!)
sleep 0.5

"$@"
