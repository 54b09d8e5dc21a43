#!/usr/bin/env bash
# Installs what is missing, builds, starts the translation server and Quillora on the
# current display (an X11 session, or a Wayland session with XWayland).
# Without a display it runs a scripted demonstration on a virtual desktop (a selection
# in xterm, translated) and saves screenshots of the popup.
set -euo pipefail
cd "$(dirname "$0")"

scripts/install-deps.sh
scripts/build.sh
build_dir=${QLR_BUILD_DIR:-build}

# The service page translates through a local server; a server started here ends
# with the program.
apy_pid=$(scripts/apy.sh start) || echo "Translation server unavailable; the page will say so." >&2
trap 'scripts/apy.sh stop "${apy_pid:-}"' EXIT

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display: a scripted demonstration on a virtual desktop; screenshots go to $build_dir/demo/."
    scripts/xdesktop.sh scripts/demo.sh "$build_dir" "$build_dir/demo"
else
    "$build_dir/qlr" "$@"
fi
