#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the unit tests offscreen,
# the X11 tests on a virtual desktop.
#   ./test.sh            everything
#   ./test.sh --asan     the same, built with AddressSanitizer and UBSan (in build-asan/)
set -euo pipefail
cd "$(dirname "$0")"

cmake_args=()
if [ "${1:-}" = "--asan" ]; then
    export QLR_BUILD_DIR=build-asan
    cmake_args+=(-DQLR_SANITIZE=ON)
    export ASAN_OPTIONS=detect_leaks=0
fi
build_dir=${QLR_BUILD_DIR:-build}

scripts/install-deps.sh
scripts/build.sh "${cmake_args[@]}"

status=0
(cd "$build_dir" && ctest -L unit --output-on-failure --timeout 300) || status=1
scripts/xdesktop.sh bash -c "cd '$build_dir' && ctest -L x11 --output-on-failure --timeout 600" || status=1

if [ $status -eq 0 ]; then
    echo "All test groups passed."
else
    echo "Some tests FAILED." >&2
fi
exit $status
