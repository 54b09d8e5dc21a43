#!/usr/bin/env bash
# Waits for a window whose name matches NAME (an xdotool pattern) to be mapped,
# placed by the window manager and visible, with a geometry that has stopped
# changing, and prints "ID X Y WIDTH HEIGHT" (the client area in root coordinates).
# Fails after TIMEOUT seconds (default 20). Desktop tests read a window's geometry
# only through this: a window the window manager has not placed yet reports where
# the application asked for it, or -1 while it is still being reparented.
#   wait-window.sh NAME [TIMEOUT]
set -uo pipefail
name=$1
deadline=$((SECONDS + ${2:-20}))

geometry() {
    xwininfo -id "$1" 2>/dev/null | awk '
        /Absolute upper-left X:/ { x = $NF } /Absolute upper-left Y:/ { y = $NF }
        /^ *Width:/ { w = $NF } /^ *Height:/ { h = $NF } /Map State:/ { state = $NF }
        END { if (state == "IsViewable" && x >= 0 && y >= 0 && w > 1 && h > 1) print x, y, w, h }'
}
# A window manager that has taken the window publishes its frame on it.
placed() {
    xprop -id "$1" _NET_FRAME_EXTENTS 2>/dev/null | grep -q '='
}

while [ "$SECONDS" -lt "$deadline" ]; do
    for id in $(xdotool search --onlyvisible --name "$name" 2>/dev/null); do
        first=$(geometry "$id")
        [ -n "$first" ] && placed "$id" || continue
        sleep 0.1
        if [ "$(geometry "$id")" = "$first" ]; then
            echo "$id $first"
            exit 0
        fi
    done
    sleep 0.1
done
echo "wait-window: no placed, visible window named '$name'" >&2
exit 1
