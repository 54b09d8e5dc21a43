#!/usr/bin/env bash
# Runs a command on a fresh virtual X desktop: Xvfb, the openbox window manager, a
# compositing manager (xcompmgr) and a notification-area host (trayer). The desktop
# goes away with the command. Set QLR_NO_COMPOSITOR=1 to leave out the compositor.
#   scripts/xdesktop.sh COMMAND [ARGS...]
set -euo pipefail

display_number=${QLR_DISPLAY_NUMBER:-}
if [ -z "$display_number" ]; then
    for n in $(seq 90 140); do
        if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then
            display_number=$n
            break
        fi
    done
fi
[ -n "$display_number" ] || { echo "xdesktop: no free display number" >&2; exit 1; }

pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
}
trap cleanup EXIT

Xvfb ":$display_number" -screen 0 1280x1024x24 -dpi 96 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
export DISPLAY=":$display_number"
for _ in $(seq 1 100); do
    xdpyinfo >/dev/null 2>&1 && break
    sleep 0.1
done
xdpyinfo >/dev/null 2>&1 || { echo "xdesktop: Xvfb did not start" >&2; exit 1; }

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
