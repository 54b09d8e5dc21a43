#!/usr/bin/env bash
# Installs what is missing, builds, and starts Quillora (which starts its own
# translation server) on the current display (an X11 session, or a Wayland session with XWayland).
# Without a display it runs a scripted demonstration on a virtual desktop (a selection
# in xterm, translated) and saves screenshots of the popup.
set -euo pipefail
cd "$(dirname "$0")"

scripts/install-deps.sh
scripts/build.sh
build_dir=${QLR_BUILD_DIR:-build}

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display: a scripted demonstration on a virtual desktop; screenshots go to $build_dir/demo/."
    scripts/xdesktop.sh scripts/demo.sh "$build_dir" "$build_dir/demo"
else
    "$build_dir/qlr" "$@"
fi
