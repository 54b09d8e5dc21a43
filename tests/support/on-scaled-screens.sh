#!/usr/bin/env bash
# Runs a test program on the current X display with its screens scaled, as laptops and
# 4K monitors run Qt programs:
#   on-scaled-screens.sh FACTOR PROGRAM [ARGS...]         every screen scaled by FACTOR
#   on-scaled-screens.sh two-monitors PROGRAM [ARGS...]   the screen split into two
#       monitors side by side, the left at scale 1 and the right at scale 2
set -euo pipefail
mode=$1
shift
if [ "$mode" != two-monitors ]; then
    QT_SCALE_FACTOR=$mode exec "$@"
fi
read -r width height < <(xdpyinfo | awk '/dimensions:/ {split($2, s, "x"); print s[1], s[2]}')
half=$((width / 2))
# Millimetres as a 96-dpi monitor would have them.
mm() { echo $(($1 * 254 / 960)); }
cleanup() { xrandr --delmonitor qlr-left >/dev/null 2>&1 || true; xrandr --delmonitor qlr-right >/dev/null 2>&1 || true; }
trap cleanup EXIT
xrandr --setmonitor qlr-left "$half/$(mm "$half")x$height/$(mm "$height")+0+0" screen
xrandr --setmonitor qlr-right "$half/$(mm "$half")x$height/$(mm "$height")+$half+0" none
QT_SCREEN_SCALE_FACTORS="qlr-left=1;qlr-right=2" "$@"
