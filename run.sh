#!/usr/bin/env bash
# Installs what is missing, builds, and starts Quillora on the current display.
# Without a display it starts a virtual desktop and runs the program there.
set -euo pipefail
cd "$(dirname "$0")"

scripts/install-deps.sh
scripts/build.sh
build_dir=${QLR_BUILD_DIR:-build}

if [ -z "${DISPLAY:-}" ]; then
    echo "No display: running Quillora on a virtual desktop (Ctrl+C ends it)."
    exec scripts/xdesktop.sh "$build_dir/qlr" "$@"
fi
exec "$build_dir/qlr" "$@"
